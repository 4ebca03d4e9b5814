// The font choice: the list of the fonts that both the screen and the
// printer have, built once per run under its progress window, the
// selection and the style, and what "OK" does to the crossword's font on
// screen and on the printed page. A fake font source gives the lists; one
// case uses this desktop's own font database.

#include "dialogs/font_dialog.h"
#include "document/crossword_file.h"
#include "document/word_map.h"
#include "output/page_layout.h"
#include "output/print.h"
#include "platform/qt/pixmap_surface.h"
#include "platform/qt/qt_fonts.h"
#include "platform/recording/recording_fonts.h"
#include "platform/recording/recording_messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

using dialogs::CancelFont;
using dialogs::FontDialog;
using Names = std::vector<std::string>;

Q_DECLARE_METATYPE(Names)
Q_DECLARE_METATYPE(platform::Font)

namespace {

// Counts the windows of each name that were shown.
class ShowCounter : public QObject {
public:
    ShowCounter() { qApp->installEventFilter(this); }
    ~ShowCounter() override { qApp->removeEventFilter(this); }
    int Shown(const QString& name) const { return shown_.value(name); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            ++shown_[watched->objectName()];
        return false;
    }

private:
    QHash<QString, int> shown_;
};

// How long a test waits for a window before it fails.
constexpr int WindowLimitMs = 30000;

// Runs `act` on the window of type W once it is the one taking input; the
// font list may still be being built when the first check comes. When no
// such window comes within WindowLimitMs the test fails, naming it, and the
// modal window standing in its way is closed, so that the test ends.
template <typename W>
void WhenUp(std::function<void(W&)> act, QDeadlineTimer limit = QDeadlineTimer(WindowLimitMs)) {
    QTimer::singleShot(0, [act, limit] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* window = qobject_cast<W*>(modal)) {
            act(*window);
            return;
        }
        if (limit.hasExpired()) {
            const QByteArray what = QByteArray("no window ") + W::staticMetaObject.className() +
                                    " took input within " + QByteArray::number(WindowLimitMs / 1000) + " s";
            QTest::qFail(what.constData(), __FILE__, __LINE__);
            if (modal) modal->close();
            return;
        }
        WhenUp<W>(act, limit);
    });
}

struct Session {
    QWidget mainWindow;
    document::Crossword doc;
    QPixmap image{400, 300};
    platform::PixmapSurface window{image, Qt::white};
    platform::RecordingFonts fonts;
    platform::RecordingMessages messages;
    dialogs::FontChoiceState state;
    ShowCounter counter;

    Session(Names screen, Names printer) : fonts(std::move(screen), std::move(printer)) {
        window.SetFont({"Arial", 12, false, false});
    }

    // "Scegli Font ...": `act` works the dialog; it is closed with "&Annulla"
    // afterwards unless `act` closed it.
    bool Choose(std::function<void(FontDialog&)> act) {
        bool seen = false;
        WhenUp<FontDialog>([&seen, act](FontDialog& dialog) {
            seen = true;
            act(dialog);
            if (dialog.isVisible()) dialog.findChild<QPushButton*>("cmdCancel")->click();
        });
        const bool applied = dialogs::ChooseFont(&mainWindow, doc, window, fonts, state, messages);
        if (!seen) QTest::qFail("the font dialog was not shown", __FILE__, __LINE__);
        return applied;
    }
};

QListWidget* List(QWidget& dialog) { return dialog.findChild<QListWidget*>("lstMatchFonts"); }
QLabel* Sample(QWidget& dialog) { return dialog.findChild<QLabel*>("lblFontDemo"); }
QCheckBox* Box(QWidget& dialog, const char* name) { return dialog.findChild<QCheckBox*>(name); }

QStringList Entries(QWidget& dialog) {
    QStringList names;
    for (int i = 0; i < List(dialog)->count(); ++i) names << List(dialog)->item(i)->text();
    return names;
}

QStringList Strings(const Names& names) {
    QStringList list;
    for (const auto& n : names) list << QString::fromStdString(n);
    return list;
}

void ClickWidget(QWidget* w) {
    QVERIFY(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

void ClickEntry(QWidget& dialog, int row) {
    QListWidget* list = List(dialog);
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
}

void DoubleClickEntry(QWidget& dialog, int row) {
    QListWidget* list = List(dialog);
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

const Names Screen = {"Arial", "Courier New", "Symbol", "Times New Roman", "Verdana"};
const Names Printer = {"Times New Roman", "Courier", "Arial", "Courier New"};

} // namespace

class FontDialogTest : public QObject {
    Q_OBJECT
private slots:
    void windowsShowTheirCaptions();
    void onlyFontsOfBothAreOffered_data();
    void onlyFontsOfBothAreOffered();
    void initialSelection_data();
    void initialSelection();
    void clickAndDoubleClickSelectWithoutClosing();
    void okSetsFontAndStyle();
    void keyboardConfirmsAndCancels_data();
    void keyboardConfirmsAndCancels();
    void annullaChangesNothingButWhatIsShownNextTime();
    void reopeningShowsTheChoiceWithoutProgressWindow();
    void cancelWhileLoadingKeepsFontAndBuildsAgain();
    void unusableFontFallsBackToArial_data();
    void unusableFontFallsBackToArial();
    void emptyListOffersNothing();
    void realFontsOnScreenAndPrintedPage();
    void manyFamiliesKeepListOrderAndSelection();
};

void FontDialogTest::windowsShowTheirCaptions() {
    Session session(Screen, Printer);
    QString progressText, progressButton, progressTitle;
    bool progressModal = false;
    WhenUp<CancelFont>([&](CancelFont& progress) {
        progressTitle = progress.windowTitle();
        progressText = progress.findChild<QLabel*>("lblCancelMsg")->text();
        progressButton = progress.findChild<QPushButton*>("cmdCancel")->text();
        progressModal = progress.isVisible() && progress.findChild<QWidget*>("picProgress")->isVisible();
    });
    session.Choose([](FontDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Selezione Font"));
        QCOMPARE(dialog.findChild<QLabel*>("lblFList")->text(), QStringLiteral("Font disponibili"));
        QCOMPARE(Sample(dialog)->text(), QStringLiteral("Esempio AaBbCcDd  Zz"));
        QCOMPARE(Box(dialog, "Check3d1")->text(), QStringLiteral("Corsivo"));
        QCOMPARE(Box(dialog, "Check3d2")->text(), QStringLiteral("Grassetto"));
        QCOMPARE(dialog.findChild<QPushButton*>("cmdOK")->text(), QStringLiteral("OK"));
        QCOMPARE(dialog.findChild<QPushButton*>("cmdCancel")->text(), QStringLiteral("&Annulla"));
        QVERIFY(dialog.isModal());
    });
    QCOMPARE(progressText, QStringLiteral("Attenti il caricamento dei font disponibili ..."));
    QCOMPARE(progressButton, QStringLiteral("&Annulla"));
    QCOMPARE(progressTitle, QStringLiteral("Quadrivo 98"));
    QVERIFY(progressModal);
    QCOMPARE(session.counter.Shown("CancelFont"), 1);
}

void FontDialogTest::onlyFontsOfBothAreOffered_data() {
    QTest::addColumn<Names>("screen");
    QTest::addColumn<Names>("printer");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("printer order, screen-only and printer-only left out")
        << Screen << Printer << QStringList{"Times New Roman", "Arial", "Courier New"};
    QTest::newRow("names compared exactly") << Names{"Arial", "Courier New"} << Names{"arial", "Courier New ", "Arial"}
                                            << QStringList{"Arial"};
    QTest::newRow("a printer font twice is offered twice")
        << Names{"Arial", "Tahoma"} << Names{"Arial", "Tahoma", "Arial"} << QStringList{"Arial", "Tahoma", "Arial"};
    QTest::newRow("a screen font twice is offered once") << Names{"Arial", "Arial"} << Names{"Arial"}
                                                         << QStringList{"Arial"};
    QTest::newRow("empty names are left out") << Names{"", "Arial"} << Names{"", "Arial", ""} << QStringList{"Arial"};
    QTest::newRow("nothing in common") << Names{"Arial"} << Names{"Courier"} << QStringList{};
}

void FontDialogTest::onlyFontsOfBothAreOffered() {
    QFETCH(Names, screen);
    QFETCH(Names, printer);
    QFETCH(QStringList, offered);
    Session session(screen, printer);
    QStringList shown;
    session.Choose([&shown](FontDialog& dialog) { shown = Entries(dialog); });
    QCOMPARE(shown, offered);
    QCOMPARE(Strings(session.state.fonts), offered);
}

void FontDialogTest::initialSelection_data() {
    QTest::addColumn<Names>("printer");
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("row");
    QTest::newRow("the window's font") << Names{"Times New Roman", "Arial", "Courier New"} << "Arial" << 1;
    QTest::newRow("the last of equal names") << Names{"Arial", "Courier New", "Arial", "Verdana"} << "Arial" << 2;
    QTest::newRow("else the first") << Names{"Times New Roman", "Arial"} << "Garamond" << 0;
    QTest::newRow("names compared exactly") << Names{"Times New Roman", "Arial"} << "arial" << 0;
}

void FontDialogTest::initialSelection() {
    QFETCH(Names, printer);
    QFETCH(QString, current);
    QFETCH(int, row);
    Session session(Screen, printer);
    session.window.SetFont({current.toStdString(), 12, false, false});
    int selected = -1;
    QString sampleFamily;
    session.Choose([&](FontDialog& dialog) {
        selected = List(dialog)->currentRow();
        sampleFamily = Sample(dialog)->font().family();
    });
    QCOMPARE(selected, row);
    QCOMPARE(sampleFamily, QString::fromStdString(printer[std::size_t(row)]));
}

void FontDialogTest::clickAndDoubleClickSelectWithoutClosing() {
    Session session(Screen, Printer);
    session.Choose([](FontDialog& dialog) {
        ClickEntry(dialog, 2);
        QCOMPARE(Sample(dialog)->font().family(), QStringLiteral("Courier New"));
        DoubleClickEntry(dialog, 0);
        QCoreApplication::processEvents();
        QVERIFY(dialog.isVisible());
        QCOMPARE(List(dialog)->currentRow(), 0);
        QCOMPARE(Sample(dialog)->font().family(), QStringLiteral("Times New Roman"));
        ClickWidget(dialog.findChild<QPushButton*>("cmdOK"));
    });
    QCOMPARE(session.doc.GridFontName, std::string("Times New Roman"));
}

void FontDialogTest::okSetsFontAndStyle() {
    Session session(Screen, Printer);
    const bool applied = session.Choose([](FontDialog& dialog) {
        ClickEntry(dialog, 2);
        ClickWidget(Box(dialog, "Check3d1"));
        QVERIFY(Sample(dialog)->font().italic());
        QVERIFY(!Sample(dialog)->font().bold());
        ClickWidget(Box(dialog, "Check3d2"));
        QVERIFY(Sample(dialog)->font().bold());
        ClickWidget(Box(dialog, "Check3d1"));
        QVERIFY(!Sample(dialog)->font().italic());
        ClickWidget(Box(dialog, "Check3d1"));
        ClickWidget(dialog.findChild<QPushButton*>("cmdOK"));
    });
    QVERIFY(applied);
    QCOMPARE(session.doc.GridFontName, std::string("Courier New"));
    QCOMPARE(session.window.CurrentFont(), (platform::Font{"Courier New", 12, true, true}));
    QVERIFY(session.messages.shown.empty());
    // The printed page takes the style of the window's font.
    const output::WindowArea area = output::AreaOf(session.window, 28, 19);
    QVERIFY(area.italic);
    QVERIFY(area.bold);
}

void FontDialogTest::keyboardConfirmsAndCancels_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("font");
    QTest::newRow("Enter in the list is OK") << int(Qt::Key_Return) << "Courier New";
    QTest::newRow("Escape in the list is Annulla") << int(Qt::Key_Escape) << "Arial";
}

void FontDialogTest::keyboardConfirmsAndCancels() {
    QFETCH(int, key);
    QFETCH(QString, font);
    Session session(Screen, Printer);
    session.doc.GridFontName = "Arial";
    session.Choose([key](FontDialog& dialog) {
        QListWidget* list = List(dialog);
        QCOMPARE(list->currentRow(), 1);  // "Arial"
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(Sample(dialog)->font().family(), QStringLiteral("Courier New"));
        QTest::keyClick(list, Qt::Key(key));
        QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(QString::fromStdString(session.doc.GridFontName), font);
}

void FontDialogTest::annullaChangesNothingButWhatIsShownNextTime() {
    Session session(Screen, Printer);
    session.doc.GridFontName = "Arial";
    const bool applied = session.Choose([](FontDialog& dialog) {
        ClickEntry(dialog, 0);
        ClickWidget(Box(dialog, "Check3d1"));
        ClickWidget(dialog.findChild<QPushButton*>("cmdCancel"));
    });
    QVERIFY(!applied);
    QCOMPARE(session.doc.GridFontName, std::string("Arial"));
    QCOMPARE(session.window.CurrentFont(), (platform::Font{"Arial", 12, false, false}));
    // The dialog was only hidden: it comes back as it was left.
    session.Choose([](FontDialog& dialog) {
        QCOMPARE(List(dialog)->currentRow(), 0);
        QVERIFY(Box(dialog, "Check3d1")->isChecked());
        QVERIFY(Sample(dialog)->font().italic());
    });
}

void FontDialogTest::reopeningShowsTheChoiceWithoutProgressWindow() {
    Session session(Screen, Printer);
    session.Choose([](FontDialog& dialog) {
        ClickEntry(dialog, 0);
        ClickWidget(Box(dialog, "Check3d2"));
        ClickWidget(dialog.findChild<QPushButton*>("cmdOK"));
    });
    QCOMPARE(session.counter.Shown("CancelFont"), 1);
    // A list changed meanwhile is not looked at again in this run.
    session.fonts.printer = {"Verdana"};
    session.fonts.screen = {"Verdana"};
    session.Choose([](FontDialog& dialog) {
        QCOMPARE(Entries(dialog), (QStringList{"Times New Roman", "Arial", "Courier New"}));
        QCOMPARE(List(dialog)->currentRow(), 0);
        QVERIFY(Box(dialog, "Check3d2")->isChecked());
        QVERIFY(!Box(dialog, "Check3d1")->isChecked());
        QCOMPARE(Sample(dialog)->font().family(), QStringLiteral("Times New Roman"));
        QVERIFY(Sample(dialog)->font().bold());
    });
    QCOMPARE(session.counter.Shown("CancelFont"), 1);
    QCOMPARE(session.counter.Shown("FontDialog"), 2);
    QCOMPARE(session.fonts.printerListings, 1);
    QCOMPARE(session.fonts.screenListings, 1);
}

void FontDialogTest::cancelWhileLoadingKeepsFontAndBuildsAgain() {
    Session session(Screen, Printer);
    session.doc.GridFontName = "Arial";
    WhenUp<CancelFont>([](CancelFont& progress) { ClickWidget(progress.findChild<QPushButton*>("cmdCancel")); });
    const bool applied = dialogs::ChooseFont(&session.mainWindow, session.doc, session.window, session.fonts,
                                             session.state, session.messages);
    QVERIFY(!applied);
    QCOMPARE(session.counter.Shown("CancelFont"), 1);
    QCOMPARE(session.counter.Shown("FontDialog"), 0);
    QCOMPARE(session.doc.GridFontName, std::string("Arial"));
    QCOMPARE(session.window.CurrentFont(), (platform::Font{"Arial", 12, false, false}));
    QVERIFY(!session.state.loaded);
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    session.Choose([](FontDialog& dialog) { QCOMPARE(List(dialog)->count(), 3); });
    QCOMPARE(session.counter.Shown("CancelFont"), 2);
    QCOMPARE(session.fonts.printerListings, 2);
}

void FontDialogTest::unusableFontFallsBackToArial_data() {
    QTest::addColumn<bool>("printerRefuses");
    QTest::addColumn<bool>("screenRefuses");
    QTest::addColumn<platform::Font>("windowFont");
    // After the printer's refusal the window's step still runs, with "Arial".
    QTest::newRow("the printer cannot use it") << true << false << platform::Font{"Arial", 12, false, true};
    QTest::newRow("the screen cannot use it") << false << true << platform::Font{"Arial", 12, false, false};
    QTest::newRow("neither can") << true << true << platform::Font{"Arial", 12, false, true};
}

void FontDialogTest::unusableFontFallsBackToArial() {
    QFETCH(bool, printerRefuses);
    QFETCH(bool, screenRefuses);
    QFETCH(platform::Font, windowFont);
    Session session(Screen, Printer);
    if (printerRefuses) session.fonts.printerRefuses = {"Courier New"};
    if (screenRefuses) session.fonts.screenRefuses = {"Courier New"};
    session.Choose([](FontDialog& dialog) {
        ClickEntry(dialog, 2);
        ClickWidget(Box(dialog, "Check3d1"));
        ClickWidget(dialog.findChild<QPushButton*>("cmdOK"));
    });
    QCOMPARE(session.messages.shown.size(), std::size_t(1));
    const platform::RecordedMessage& message = session.messages.shown[0];
    QCOMPARE(QString::fromLatin1(message.text.c_str()),
             QString::fromUtf8("Font scelto non disponibile, verrà scelto l'Arial a video ed in stampa."));
    QCOMPARE(message.title, std::string("Quadrivo 98"));
    QCOMPARE(message.buttons, platform::Buttons::Ok);
    QCOMPARE(session.doc.GridFontName, std::string("Arial"));
    QCOMPARE(session.window.CurrentFont(), windowFont);
}

void FontDialogTest::emptyListOffersNothing() {
    Session session({"Arial"}, {"Courier"});
    session.doc.GridFontName = "Arial";
    const bool applied = session.Choose([](FontDialog& dialog) {
        QCOMPARE(List(dialog)->count(), 0);
        ClickWidget(dialog.findChild<QPushButton*>("cmdOK"));
    });
    QVERIFY(!applied);
    QCOMPARE(session.doc.GridFontName, std::string("Arial"));
    QVERIFY(session.messages.shown.empty());
}

// The desktop's own fonts: every family offered is one the font database
// has and can scale, and the printed page comes out in the chosen family
// and style.
void FontDialogTest::realFontsOnScreenAndPrintedPage() {
    QWidget mainWindow;
    QPixmap image(800, 553);
    platform::PixmapSurface window(image, Qt::white);
    window.SetFont({"Arial", 12, false, false});
    platform::QtFontSource fonts;
    platform::RecordingMessages messages;
    dialogs::FontChoiceState state;
    document::Crossword doc;
    document::LoadCrosswordFile(doc, QUADRIVO_TEST_DATA "/esempio.qdr", messages);
    document::ComputeWordMap(doc);

    const QStringList families = QFontDatabase::families();
    QString wanted;
    for (const QString& candidate : {QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif")})
        if (families.contains(candidate)) wanted = candidate;
    if (wanted.isEmpty()) QSKIP("neither DejaVu Serif nor Liberation Serif is installed");

    QStringList offered;
    WhenUp<FontDialog>([&](FontDialog& dialog) {
        offered = Entries(dialog);
        const auto items = List(dialog)->findItems(wanted, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        ClickEntry(dialog, List(dialog)->row(items.first()));
        ClickWidget(Box(dialog, "Check3d1"));
        ClickWidget(dialog.findChild<QPushButton*>("cmdOK"));
    });
    QVERIFY(dialogs::ChooseFont(&mainWindow, doc, window, fonts, state, messages));
    QVERIFY(!offered.isEmpty());
    for (const QString& name : offered) {
        QVERIFY2(families.contains(name), qPrintable(name));
        QVERIFY2(QFontDatabase::isScalable(name), qPrintable(name));
    }
    // Every family the printer can scale and that is itself when asked for
    // is offered; an alias ("Serif", or "Arial" where only a stand-in is
    // installed) is not.
    for (const QString& family : families) {
        QFont font(family);
        font.setStyleStrategy(QFont::NoFontMerging);
        const bool itself = QFontInfo(font).family() == family;
        if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family))
            QVERIFY2(offered.contains(family) == itself, qPrintable(family));
    }
    QVERIFY(!offered.contains("Serif"));
    QCOMPARE(QString::fromStdString(doc.GridFontName), wanted);
    QCOMPARE(window.CurrentFont(), (platform::Font{wanted.toStdString(), 12, false, true}));
    QVERIFY(messages.shown.empty());

    QTemporaryDir folder;
    const std::string pdf = folder.filePath("pagina.pdf").toStdString();
    QVERIFY(output::WritePagePdf(pdf, doc, output::AreaOf(window, 28, 19), messages, "28-01-1998"));
    QFile file(QString::fromStdString(pdf));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QStringList embedded;
    const QRegularExpression baseFont(R"(/BaseFont\s*/(?:[A-Z]{6}\+)?([A-Za-z0-9-]+))");
    for (auto it = baseFont.globalMatch(QString::fromLatin1(bytes)); it.hasNext();) embedded << it.next().captured(1);
    QVERIFY(!embedded.isEmpty());
    const QString postScript = QString(wanted).remove(' ');
    for (const QString& font : embedded) {
        QVERIFY2(font.startsWith(postScript), qPrintable(font));
        QVERIFY2(font.contains("Italic"), qPrintable(font));
    }
}

// A desktop with thousands of families, in different orders on the two
// sides, with names twice, empty names and near misses: the list and its
// selection are those of comparing every printer font with the screen's
// from the first on, stopping at the first equal name.
void FontDialogTest::manyFamiliesKeepListOrderAndSelection() {
    Names screen, printer;
    auto family = [](int n) { return "Famiglia " + std::to_string(n); };
    for (int n = 0; n < 3000; ++n) screen.push_back(family(n * 7 % 3000));
    screen.push_back("");
    screen.push_back(family(5));
    for (int n = 0; n < 2500; ++n) {
        const int f = n * 11 % 4000;  // a quarter of them the screen lacks
        printer.push_back(n % 97 == 0 ? "famiglia " + std::to_string(f) : n % 89 == 0 ? family(f) + " " : family(f));
        if (n % 50 == 0) printer.push_back(n % 100 == 0 ? family(f) : "");
    }
    Names expected;
    for (const std::string& p : printer)
        for (const std::string& sname : screen)
            if (p == sname) {
                if (!p.empty()) expected.push_back(p);
                break;
            }
    const std::string current = family(2200);  // the printer lists it twice
    QCOMPARE(std::count(expected.begin(), expected.end(), current), std::ptrdiff_t(2));
    const int lastOfCurrent = static_cast<int>(expected.rend() - std::find(expected.rbegin(), expected.rend(), current)) - 1;

    Session session(screen, printer);
    session.window.SetFont({current, 12, false, false});
    QStringList shown;
    int row = -1;
    QString sample;
    session.Choose([&](FontDialog& dialog) {
        shown = Entries(dialog);
        row = List(dialog)->currentRow();
        sample = Sample(dialog)->font().family();
    });
    QCOMPARE(shown, Strings(expected));
    QCOMPARE(session.state.fonts, expected);
    QCOMPARE(row, lastOfCurrent);
    QCOMPARE(session.state.selected, lastOfCurrent);
    QCOMPARE(sample, QString::fromStdString(current));
}

QTEST_MAIN(FontDialogTest)
#include "font_dialog_test.moc"
