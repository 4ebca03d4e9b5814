// The frame of the file dialogs and of the message boxes: they fit and stay
// on the smallest screen the program is made for (800 x 600, the offscreen
// platform's screen), carry no minimise or maximise button, start with the
// keyboard in their first entry, and have no access key twice.

#include "program_fixture.h"

#include "dialogs/new_dialog.h"
#include "dialogs/open_dialog.h"
#include "dialogs/save_dialog.h"
#include "platform/qt/qt_messages.h"

#include <QDialog>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

using platform::Answer;
using testgui::Program;

namespace {

const QSize SmallScreen(800, 600);

// Checks what every dialog must be once it is up.
void CheckFrame(QDialog& dialog, const char* firstEntry) {
    QCoreApplication::processEvents();
    const QRect screen = dialog.screen()->availableGeometry();
    QCOMPARE(screen.size(), SmallScreen);
    QVERIFY2(screen.contains(dialog.frameGeometry()),
             qPrintable(QString("%1 x %2 at %3, %4")
                            .arg(dialog.frameGeometry().width())
                            .arg(dialog.frameGeometry().height())
                            .arg(dialog.frameGeometry().x())
                            .arg(dialog.frameGeometry().y())));
    // Centred, as every dialog is when it comes up.
    QVERIFY(qAbs(dialog.frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(dialog.frameGeometry().center().y() - screen.center().y()) <= 1);
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
        QVERIFY2(screen.contains(onScreen), qPrintable(button->text()));
    }
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(dialog.focusWidget(), dialog.findChild<QLineEdit*>(firstEntry));
    const QString keys = testgui::AccessKeys(dialog);
    QVERIFY2(testgui::Distinct(keys), qPrintable(keys));
}

} // namespace

class DialogFramesTest : public QObject {
    Q_OBJECT
private slots:
    void fileDialogsFitTheSmallScreen_data();
    void fileDialogsFitTheSmallScreen();
    void altOPressesOkInTheNewDialog();
    void centringKeepsAWindowOnScreen_data();
    void centringKeepsAWindowOnScreen();
    void messageBoxShowsItsWholeTitle_data();
    void messageBoxShowsItsWholeTitle();
};

void DialogFramesTest::fileDialogsFitTheSmallScreen_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("entry");
    QTest::newRow("Apri") << "MenuApri" << "Text1";
    QTest::newRow("Salva con nome") << "MenuSalvaCN" << "Text1";
    QTest::newRow("Nuovo") << "MenuNuovo" << "Text1";
}

void DialogFramesTest::fileDialogsFitTheSmallScreen() {
    QFETCH(QString, command);
    QFETCH(QString, entry);
    Program program;
    auto& form = program.Start(testgui::DataFile("esempio.qdr"));
    testgui::WithDialog<QDialog>(form.MenuAction(command),
                                 [&](QDialog& dialog) { CheckFrame(dialog, qPrintable(entry)); });
}

void DialogFramesTest::altOPressesOkInTheNewDialog() {
    Program program;
    auto& form = program.Start();
    testgui::WithDialog<dialogs::FormNew>(form.MenuAction("MenuNuovo"), [](dialogs::FormNew& dialog) {
        testgui::Settle(dialog);
        auto* ok = dialog.findChild<QPushButton*>("Command3d1");
        QSignalSpy clicked(ok, &QPushButton::clicked);
        QTest::keyClick(&dialog, Qt::Key_O, Qt::AltModifier);
        // A key that belongs to one control only presses it (a shared key
        // would only move the focus); the button shows the press, then clicks.
        QVERIFY(ok->isDown());
        QVERIFY2(clicked.wait(), "the OK button's click did not come");
        QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(form.Document().FileLines(4), std::string("Dimensioni : 16x13"));
}

void DialogFramesTest::centringKeepsAWindowOnScreen_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("small") << QSize(300, 200);
    QTest::newRow("too wide") << QSize(1000, 300);
    QTest::newRow("too tall") << QSize(400, 900);
}

void DialogFramesTest::centringKeepsAWindowOnScreen() {
    QFETCH(QSize, size);
    QDialog dialog;
    dialog.resize(size);
    dialog.move(700, 550);
    platform::CentreOnScreen(&dialog);
    const QRect screen = dialog.screen()->availableGeometry();
    QVERIFY(screen.contains(dialog.geometry()));
    QCOMPARE(dialog.size(), size.boundedTo(screen.size()));
    QCOMPARE(dialog.geometry().center(), screen.center());
}

void DialogFramesTest::messageBoxShowsItsWholeTitle_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::newRow("short text") << int(platform::Buttons::Ok) << "Errore: file inesistente!" << "Quadrivo 98";
    QTest::newRow("one letter") << int(platform::Buttons::Ok) << "x" << "Quadrivo 98";
    QTest::newRow("question") << int(platform::Buttons::OkCancel) << "Sicuro?" << "Salvataggio file";
}

void DialogFramesTest::messageBoxShowsItsWholeTitle() {
    QFETCH(int, buttons);
    QFETCH(QString, text);
    QFETCH(QString, title);
    const bool justOk = buttons == int(platform::Buttons::Ok);
    platform::QtMessages messages;
    Answer answer{};
    testgui::WithShowings<QMessageBox>(
        [&] {
            answer = messages.Show(platform::ToBytes(text), platform::Buttons(buttons), platform::ToBytes(title),
                                   platform::Icon::None);
        },
        {[&](QMessageBox& box) {
            QCOMPARE(box.windowTitle(), title);
            QCOMPARE(box.text(), text);
            // Room for the title, the close button and the frame's margins.
            QVERIFY(box.width() >= box.fontMetrics().horizontalAdvance(title) + 100);
            QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QStringList captions;
            for (auto* button : box.buttons()) captions << button->text();
            captions.sort();
            QCOMPARE(captions, justOk ? QStringList{"OK"} : QStringList({"Annulla", "OK"}));
            for (auto* button : box.buttons())
                if (button->text() == (justOk ? "OK" : "Annulla")) button->click();
        }});
    QCOMPARE(answer, justOk ? Answer::Ok : Answer::Cancel);
}

// The test runs on a screen of 800 x 600 pixels.
int main(int argc, char** argv) {
    QTemporaryDir folder;
    const QString config = folder.filePath("schermo.json");
    testgui::WriteFile(config, R"({"screens": [{"name": "piccolo", "x": 0, "y": 0, "width": 800, "height": 600,
                                  "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    QApplication app(argc, argv);
    DialogFramesTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "dialog_frames_test.moc"
