// The font choice: the fonts both the screen and the printer have, built
// once per run under its progress window, the selection and the style, and
// what "OK" does to the crossword's font on screen and on the printed page.

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
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using dialogs::CancelFont;
using dialogs::FontDialog;
using Names = std::vector<std::string>;

Q_DECLARE_METATYPE(Names)
Q_DECLARE_METATYPE(platform::Font)

namespace {

// Counts the windows of each name that were shown.
struct ShowCounter : QObject {
    QHash<QString, int> shown;
    ShowCounter() { qApp->installEventFilter(this); }
    ~ShowCounter() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            ++shown[watched->objectName()];
        return false;
    }
};

// Runs `act` on the window of type W once it is the one taking input (the
// font list may still be being built). When none comes within 30 s the test
// fails, naming it, and the modal window in its way is closed.
template <typename W>
void WhenUp(std::function<void(W&)> act, QDeadlineTimer limit = QDeadlineTimer(30000)) {
    QTimer::singleShot(0, [act, limit] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* window = qobject_cast<W*>(modal)) return act(*window);
        if (!limit.hasExpired()) return WhenUp<W>(act, limit);
        const QByteArray what = QByteArray("no window ") + W::staticMetaObject.className() + " took input within 30 s";
        QTest::qFail(what.constData(), __FILE__, __LINE__);
        if (modal) modal->close();
    });
}

struct Session {
    QWidget mainWindow;
    document::Crossword doc;
    QPixmap image{800, 553};
    platform::PixmapSurface window{image, Qt::white};
    platform::RecordingFonts fonts;
    platform::FontSource* source = &fonts;
    platform::RecordingMessages messages;
    dialogs::FontChoiceState state;
    ShowCounter counter;

    Session(Names screen = {}, Names printer = {}) : fonts(std::move(screen), std::move(printer)) {
        window.SetFont({"Arial", 12, false, false});
        doc.GridFontName = "Arial";
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
        const bool applied = dialogs::ChooseFont(&mainWindow, doc, window, *source, state, messages);
        if (!seen) QTest::qFail("the font dialog was not shown", __FILE__, __LINE__);
        return applied;
    }
};

QListWidget* List(QWidget& dialog) { return dialog.findChild<QListWidget*>("lstMatchFonts"); }
QLabel* Sample(QWidget& dialog) { return dialog.findChild<QLabel*>("lblFontDemo"); }
QCheckBox* Box(QWidget& dialog, const char* name) { return dialog.findChild<QCheckBox*>(name); }
QString SampleFamily(QWidget& dialog) { return Sample(dialog)->font().family(); }

QStringList Entries(QWidget& dialog) {
    QStringList names;
    for (int i = 0; i < List(dialog)->count(); ++i) names << List(dialog)->item(i)->text();
    return names;
}

void ClickWidget(QWidget* w) { QVERIFY(w); QTest::mouseClick(w, Qt::LeftButton); }

void ClickButton(QWidget& dialog, const char* name) { ClickWidget(dialog.findChild<QPushButton*>(name)); }

void ClickEntry(QWidget& dialog, int row, bool twice = false) {
    QListWidget* list = List(dialog);
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

const Names Screen = {"Arial", "Courier New", "Symbol", "Times New Roman", "Verdana"};
const Names Printer = {"Times New Roman", "Courier", "Arial", "Courier New"};

} // namespace

class FontDialogTest : public QObject {
    Q_OBJECT
private slots:
    void onlyFontsOfBothAreOffered_data();
    void onlyFontsOfBothAreOffered();
    void selectStyleAndClose_data();
    void selectStyleAndClose();
    void cancelWhileLoadingKeepsFontAndBuildsAgain();
    void realFontsOnScreenAndPrintedPage();
};

// The list and the entry selected at first: the window's font, the last of
// equal names, else the first.
void FontDialogTest::onlyFontsOfBothAreOffered_data() {
    QTest::addColumn<Names>("screen");
    QTest::addColumn<Names>("printer");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<int>("row");
    QTest::newRow("printer order, screen-only and printer-only left out")
        << Screen << Printer << "Arial" << QStringList{"Times New Roman", "Arial", "Courier New"} << 1;
    QTest::newRow("names compared exactly") << Names{"Courier New", "Arial"}
                                            << Names{"arial", "Courier New ", "Courier New", "Arial"} << "arial"
                                            << QStringList{"Courier New", "Arial"} << 0;
    QTest::newRow("a printer font twice: twice") << Names{"Arial", "Tahoma"} << Names{"Arial", "Tahoma", "Arial"}
                                                 << "Arial" << QStringList{"Arial", "Tahoma", "Arial"} << 2;
    QTest::newRow("a screen font twice: once") << Names{"Arial", "Tahoma", "Arial"} << Names{"Tahoma", "Arial"}
                                               << "Garamond" << QStringList{"Tahoma", "Arial"} << 0;
    QTest::newRow("empty names are left out") << Names{"", "Arial"} << Names{"", "Arial", ""} << "Arial"
                                              << QStringList{"Arial"} << 0;
    QTest::newRow("nothing in common: OK changes nothing") << Names{"Arial"} << Names{"Courier"} << "Arial"
                                                           << QStringList{} << -1;
    // Thousands of families, in different orders on the two sides, with
    // names twice, empty names and near misses.
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
    QStringList offered;
    for (const std::string& p : printer)
        if (!p.empty() && std::ranges::find(screen, p) != screen.end()) offered << QString::fromStdString(p);
    const QString current = QString::fromStdString(family(2200));
    QCOMPARE(offered.count(current), qsizetype(2));
    QTest::newRow("thousands") << screen << printer << current << offered << int(offered.lastIndexOf(current));
}

void FontDialogTest::onlyFontsOfBothAreOffered() {
    QFETCH(Names, screen);
    QFETCH(Names, printer);
    QFETCH(QString, current);
    QFETCH(QStringList, offered);
    QFETCH(int, row);
    Session session(screen, printer);
    session.window.SetFont({current.toStdString(), 12, false, false});
    session.doc.GridFontName = "Garamond";
    QStringList shown;
    QString sample;
    const bool applied = session.Choose([&](FontDialog& dialog) {
        shown = Entries(dialog);
        QCOMPARE(List(dialog)->currentRow(), row);
        sample = SampleFamily(dialog);
        ClickButton(dialog, "cmdOK");
    });
    QCOMPARE(shown, offered);
    QCOMPARE(applied, row >= 0);
    const QString chosen = row >= 0 ? offered[row] : QStringLiteral("Garamond");
    if (row >= 0) QCOMPARE(sample, chosen);
    QCOMPARE(QString::fromStdString(session.doc.GridFontName), chosen);
    QVERIFY(session.messages.shown.empty());
}

// A click, a double click (which does not close) and the arrow keys select;
// the boxes set the style; OK or Enter apply it all, Annulla or Escape
// nothing. A font the printer cannot use falls back to "Arial" in the chosen
// style, one the screen cannot use to plain "Arial". Either way the dialog
// comes back as it was left, with the list built once in the run: a list
// changed meanwhile is not looked at again.
void FontDialogTest::selectStyleAndClose_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<Names>("refusedBy");
    QTest::addColumn<platform::Font>("font");
    const platform::Font chosen{"Courier New", 12, true, false}, before{"Arial", 12, false, false},
        arialBold{"Arial", 12, true, false};
    QTest::newRow("OK") << "cmdOK" << 0 << Names{} << chosen;
    QTest::newRow("Enter in the list") << "" << int(Qt::Key_Return) << Names{} << chosen;
    QTest::newRow("Annulla") << "cmdCancel" << 0 << Names{} << before;
    QTest::newRow("Escape in the list") << "" << int(Qt::Key_Escape) << Names{} << before;
    QTest::newRow("the printer cannot use it") << "cmdOK" << 0 << Names{"printer"} << arialBold;
    QTest::newRow("the screen cannot use it") << "cmdOK" << 0 << Names{"screen"} << before;
    QTest::newRow("neither can") << "cmdOK" << 0 << Names{"printer", "screen"} << arialBold;
}

void FontDialogTest::selectStyleAndClose() {
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(Names, refusedBy);
    QFETCH(platform::Font, font);
    Session session(Screen, Printer);
    for (const std::string& side : refusedBy)
        (side == "printer" ? session.fonts.printerRefuses : session.fonts.screenRefuses) = {"Courier New"};
    const bool applied = session.Choose([&](FontDialog& dialog) {
        QCOMPARE(List(dialog)->currentRow(), 1);  // "Arial"
        ClickEntry(dialog, 0, true);
        QCoreApplication::processEvents();
        QVERIFY(dialog.isVisible());
        QCOMPARE(SampleFamily(dialog), QStringLiteral("Times New Roman"));
        ClickEntry(dialog, 1);
        QTest::keyClick(List(dialog), Qt::Key_Down);
        QCOMPARE(SampleFamily(dialog), QStringLiteral("Courier New"));
        ClickWidget(Box(dialog, "Check3d1"));
        QVERIFY(Sample(dialog)->font().italic() && !Sample(dialog)->font().bold());
        ClickWidget(Box(dialog, "Check3d2"));
        QVERIFY(Sample(dialog)->font().bold());
        ClickWidget(Box(dialog, "Check3d1"));
        QVERIFY(!Sample(dialog)->font().italic());
        if (key) QTest::keyClick(List(dialog), Qt::Key(key));
        else ClickButton(dialog, button.toLatin1().constData());
        QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(applied, button == "cmdOK" || key == Qt::Key_Return);
    QCOMPARE(session.doc.GridFontName, font.name);
    QCOMPARE(session.window.CurrentFont(), font);
    // The printed page takes the style of the window's font.
    QCOMPARE(output::AreaOf(session.window, 28, 19).bold, font.bold);
    QCOMPARE(session.messages.shown.size(), std::size_t(refusedBy.empty() ? 0 : 1));
    for (const platform::RecordedMessage& message : session.messages.shown)
        QVERIFY(QString::fromLatin1(message.text.c_str()) ==
                    QString::fromUtf8("Font scelto non disponibile, verrà scelto l'Arial a video ed in stampa.") &&
                message.title == "Quadrivo 98" && message.buttons == platform::Buttons::Ok);

    session.fonts.printer = session.fonts.screen = {"Verdana"};
    session.Choose([](FontDialog& dialog) {
        QCOMPARE(Entries(dialog), (QStringList{"Times New Roman", "Arial", "Courier New"}));
        QCOMPARE(List(dialog)->currentRow(), 2);
        QVERIFY(!Box(dialog, "Check3d1")->isChecked() && Box(dialog, "Check3d2")->isChecked());
        QCOMPARE(SampleFamily(dialog), QStringLiteral("Courier New"));
        QVERIFY(!Sample(dialog)->font().italic() && Sample(dialog)->font().bold());
    });
    QCOMPARE(session.counter.shown.value("CancelFont"), 1);
    QCOMPARE(session.counter.shown.value("FontDialog"), 2);
    QCOMPARE(session.fonts.printerListings, 1);
    QCOMPARE(session.fonts.screenListings, 1);
}

// The progress window while the list is built; Annulla there keeps the font,
// and the next choice builds the list again.
void FontDialogTest::cancelWhileLoadingKeepsFontAndBuildsAgain() {
    Session session(Screen, Printer);
    WhenUp<CancelFont>([](CancelFont& progress) {
        QCOMPARE(progress.windowTitle(), QStringLiteral("Quadrivo 98"));
        QCOMPARE(progress.findChild<QLabel*>("lblCancelMsg")->text(),
                 QStringLiteral("Attenti il caricamento dei font disponibili ..."));
        QVERIFY(progress.findChild<QWidget*>("picProgress")->isVisible());
        QCOMPARE(progress.findChild<QPushButton*>("cmdCancel")->text(), QStringLiteral("&Annulla"));
        ClickButton(progress, "cmdCancel");
    });
    QVERIFY(!dialogs::ChooseFont(&session.mainWindow, session.doc, session.window, session.fonts, session.state,
                                 session.messages));
    QCOMPARE(session.counter.shown.value("CancelFont"), 1);
    QCOMPARE(session.counter.shown.value("FontDialog"), 0);
    QCOMPARE(session.doc.GridFontName, std::string("Arial"));
    QCOMPARE(session.window.CurrentFont(), (platform::Font{"Arial", 12, false, false}));
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    session.Choose([](FontDialog& dialog) {
        QCOMPARE(List(dialog)->count(), 3);
        QVERIFY(dialog.isModal());
        const QStringList captions = {dialog.windowTitle(), dialog.findChild<QLabel*>("lblFList")->text(),
                                      Sample(dialog)->text(), Box(dialog, "Check3d1")->text(),
                                      Box(dialog, "Check3d2")->text(), dialog.findChild<QPushButton*>("cmdOK")->text(),
                                      dialog.findChild<QPushButton*>("cmdCancel")->text()};
        QCOMPARE(captions, (QStringList{"Selezione Font", "Font disponibili", "Esempio AaBbCcDd  Zz", "Corsivo",
                                        "Grassetto", "OK", "&Annulla"}));
    });
    QCOMPARE(session.counter.shown.value("CancelFont"), 2);
    QCOMPARE(session.fonts.printerListings, 2);
}

// The desktop's own fonts: every family offered is one the font database
// has and can scale, and the printed page comes out in the chosen family
// and style.
void FontDialogTest::realFontsOnScreenAndPrintedPage() {
    Session session;
    platform::QtFontSource fonts;
    session.source = &fonts;
    document::LoadCrosswordFile(session.doc, QUADRIVO_TEST_DATA "/esempio.qdr", session.messages);
    document::ComputeWordMap(session.doc);
    const QStringList families = QFontDatabase::families();
    QString wanted;
    for (const QString& candidate : {QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif")})
        if (families.contains(candidate)) wanted = candidate;
    if (wanted.isEmpty()) QSKIP("neither DejaVu Serif nor Liberation Serif is installed");

    QStringList offered;
    QVERIFY(session.Choose([&](FontDialog& dialog) {
        offered = Entries(dialog);
        const auto items = List(dialog)->findItems(wanted, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        ClickEntry(dialog, List(dialog)->row(items.first()));
        ClickWidget(Box(dialog, "Check3d1"));
        ClickButton(dialog, "cmdOK");
    }));
    QVERIFY(!offered.isEmpty());
    for (const QString& name : offered)
        QVERIFY2(families.contains(name) && QFontDatabase::isScalable(name), qPrintable(name));
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
    QCOMPARE(QString::fromStdString(session.doc.GridFontName), wanted);
    QCOMPARE(session.window.CurrentFont(), (platform::Font{wanted.toStdString(), 12, false, true}));
    QVERIFY(session.messages.shown.empty());

    QTemporaryDir folder;
    const std::string pdf = folder.filePath("pagina.pdf").toStdString();
    QVERIFY(output::WritePagePdf(pdf, session.doc, output::AreaOf(session.window, 28, 19), session.messages,
                                 "28-01-1998"));
    QFile file(QString::fromStdString(pdf));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList embedded;
    const QRegularExpression baseFont(R"(/BaseFont\s*/(?:[A-Z]{6}\+)?([A-Za-z0-9-]+))");
    for (auto it = baseFont.globalMatch(QString::fromLatin1(file.readAll())); it.hasNext();)
        embedded << it.next().captured(1);
    QVERIFY(!embedded.isEmpty());
    for (const QString& font : embedded)
        QVERIFY2(font.startsWith(QString(wanted).remove(' ')) && font.contains("Italic"), qPrintable(font));
}

QTEST_MAIN(FontDialogTest)
#include "font_dialog_test.moc"
