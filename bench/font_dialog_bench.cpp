// One first opening of a font dialog in a fresh process whose main window is
// up, timed from the command to the dialog on the screen:
//   font_dialog_bench quadrivo [cold]   "Selezione Font" (list built under its progress window)
//   font_dialog_bench qt [cold]         Qt's own QFontDialog on the same fonts
// Prints "<milliseconds> <families offered>". font_dialog_bench.py makes the
// many families, runs both kinds in turn and prints the ratios.

#include "dialogs/font_dialog.h"
#include "document/crossword.h"
#include "platform/qt/qt_fonts.h"
#include "platform/recording/recording_messages.h"
#include "platform/recording/recording_surface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontDialog>
#include <QListView>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// Notes the time the dialog of the given class first shows, and closes it.
class Watch : public QObject {
public:
    Watch(const char* className, QElapsedTimer& clock) : className_(className), clock_(clock) {}
    qint64 shownAfter = -1;
    int offered = -1;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && shownAfter < 0 && object->inherits(className_)) {
            shownAfter = clock_.elapsed();
            auto* dialog = static_cast<QDialog*>(object);
            if (auto* list = dialog->findChild<QListWidget*>("lstMatchFonts")) offered = list->count();
            else if (auto* view = dialog->findChild<QListView*>()) offered = view->model()->rowCount();
            QTimer::singleShot(0, dialog, &QDialog::reject);
        }
        return false;
    }

private:
    const char* className_;
    QElapsedTimer& clock_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool qt = argc > 1 && std::strcmp(argv[1], "qt") == 0;
    // As in the program, a main window is up before the dialog is asked for;
    // "cold" leaves it out, and then the dialog pays for the first window.
    const bool cold = argc > 2 && std::strcmp(argv[2], "cold") == 0;
    QMainWindow main;
    main.menuBar()->addMenu("&Formato")->addAction("Scegli &Font ...");
    main.resize(800, 600);
    if (!cold) main.show();
    if (!cold && !QTest::qWaitForWindowExposed(&main, 10000)) {
        std::fprintf(stderr, "the main window did not show\n");
        return 1;
    }
    QElapsedTimer clock;
    Watch watch(qt ? "QFontDialog" : "dialogs::FontDialog", clock);
    app.installEventFilter(&watch);
    clock.start();
    if (qt) {
        QFontDialog dialog(cold ? nullptr : &main);
        dialog.exec();
    } else {
        document::Crossword doc;
        platform::RecordingSurface window;
        platform::QtFontSource fonts;
        platform::RecordingMessages messages;
        dialogs::FontChoiceState state;
        dialogs::ChooseFont(cold ? nullptr : &main, doc, window, fonts, state, messages);
    }
    if (watch.shownAfter < 0) {
        std::fprintf(stderr, "the font dialog did not show\n");
        return 1;
    }
    std::printf("%lld %d\n", static_cast<long long>(watch.shownAfter), watch.offered);
    return 0;
}
