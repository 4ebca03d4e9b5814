// "Espor&ta ..." in the File menu, driven as a person would. What the files
// hold is the export writers' own tests' business; here, that the chosen
// format lands where the user said, and the crossword never changes.

#include "program_fixture.h"

#include "dialogs/export_dialog.h"
#include "dialogs/new_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using platform::Answer;
using testgui::Program;

namespace {

// A complete crossword, with the first horizontal and vertical clues, one
// of them accented; the same grid with an empty white cell (column 2, row 2).
const QByteArray kComplete =
    testgui::Crossword({"RE*A", "AVES", "*ASA"}, "  1  11-Nota musicale\r\n  1  12-Fiume di Citt\xE0\r\n");
const QByteArray kWithHole = testgui::Crossword({"RE*A", "A.ES", "*ASA"});

// What a person does in the export dialog, and what it showed on coming up.
struct Gesture {
    int fileType = -1;  // row of the "Formato:" list to pick; -1 leaves it
    QString typed;      // typed over the name box; null leaves the proposal
    bool cancel = false;
};

struct Shown {
    QString folder, name, fileType;
};

// "Espor&ta ..." chosen from the File menu with the keyboard (Alt+F, then
// the item's access key), and `gestures` played on the dialog's showings.
QList<Shown> Export(editor::Form1& form, const QList<Gesture>& gestures) {
    QList<Shown> shown;
    QList<std::function<void(dialogs::ExportDialog&)>> acts;
    for (const Gesture& gesture : gestures)
        acts << [gesture, &shown](dialogs::ExportDialog& dialog) {
            auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
            auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
            auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
            QVERIFY(name && types && buttons);
            shown << Shown{dialog.directory().absolutePath(), name->text(), types->currentText()};
            if (gesture.fileType >= 0) {
                types->setFocus();
                QTest::keyClick(types, Qt::Key_Home);
                for (int i = 0; i < gesture.fileType; ++i) QTest::keyClick(types, Qt::Key_Down);
                QCOMPARE(types->currentIndex(), gesture.fileType);
            }
            if (!gesture.typed.isNull()) {
                name->setFocus();
                name->selectAll();
                QTest::keyClick(name, Qt::Key_Delete);
                QTest::keyClicks(name, gesture.typed);
            }
            buttons->button(gesture.cancel ? QDialogButtonBox::Cancel : QDialogButtonBox::Save)->click();
        };
    testgui::WithShowings<dialogs::ExportDialog>(
        [&form] {
            QMenu* file = form.Menu("MenuFile");
            QTest::keyClick(form.menuBar(), Qt::Key_F, Qt::AltModifier);
            QVERIFY2(QTest::qWaitForWindowExposed(file), "the File menu did not open");
            QTest::keyClick(file, Qt::Key_T);
        },
        acts);
    return shown;
}

using testgui::Take;

QStringList FilesIn(const QString& folder, const QStringList& patterns) {
    return QDir(folder).entryList(patterns, QDir::Files);
}

const QStringList kExports{"*.ipuz", "*.puz", "*.pdf", "*.svg", "*.PUZ"};

} // namespace

Q_DECLARE_METATYPE(Gesture)

class ExportMenuTest : public QObject {
    Q_OBJECT

private slots:
    void exportComesAfterSaveAsWithItsOwnAccessKey();
    void dialogSpeaksItalianAndListsEveryFormat();
    void writesTheChosenFormat_data();
    void writesTheChosenFormat();
    void existingFileIsReplacedOnlyAfterYes();
    void puzRefusesAnEmptyWhiteCell();
    void chosenFormatIsProposedAgain();
    void newCrosswordIsProposedInTheProgramFolder();
    void workingFileLivesInTheWorkingFolder();
};

void ExportMenuTest::exportComesAfterSaveAsWithItsOwnAccessKey() {
    Program program;
    testgui::WriteFile(program.Path("rivista.qdr"), kComplete);
    auto& shown = program.Start(program.Path("rivista.qdr"));
    QAction* esporta = shown.MenuAction("MenuEsporta");
    QCOMPARE(esporta->text(), QStringLiteral("Espor&ta ..."));
    const QList<QAction*> items = shown.Menu("MenuFile")->actions();
    QCOMPARE(items.indexOf(esporta), items.indexOf(shown.MenuAction("MenuSalvaCN")) + 1);
    // Its access key is the menu's only T: every Export() below reaches it by Alt+F, T.
}

void ExportMenuTest::dialogSpeaksItalianAndListsEveryFormat() {
    // A folder of its own: a crowded one would keep the file list busy.
    QTemporaryDir dir;
    dialogs::ExportDialog dialog(dir.path(), "rivista", document::ExportFormat::Puz);
    QCOMPARE(dialog.SelectedFormat(), document::ExportFormat::Puz);
    QCOMPARE(dialog.findChild<QLineEdit*>("fileNameEdit")->text(), QStringLiteral("rivista.puz"));
    QCOMPARE(dialog.nameFilters(),
             QStringList({"Cruciverba ipuz (*.ipuz)", "Cruciverba Across Lite (*.puz)", "Pagina stampata PDF (*.pdf)",
                          "PDF per i solutori (*.pdf)", "Schema vuoto con i numeri SVG (*.svg)",
                          "Soluzione SVG (*.svg)", "Pagina web da risolvere (*.html)"}));
    // The captions stay Italian when Qt's translations send every widget a
    // change of language.
    for (bool changed : {false, true}) {
        if (changed) {
            QCoreApplication::postEvent(&dialog, new QEvent(QEvent::LanguageChange));
            for (QWidget* w : dialog.findChildren<QWidget*>())
                QCoreApplication::postEvent(w, new QEvent(QEvent::LanguageChange));
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        }
        auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Esporta cruciverba"));
        QCOMPARE(buttons->button(QDialogButtonBox::Save)->text(), QStringLiteral("&Esporta"));
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("&Annulla"));
        QCOMPARE(dialog.findChild<QLabel*>("fileNameLabel")->text(), QStringLiteral("&Nome file:"));
        QCOMPARE(dialog.findChild<QLabel*>("fileTypeLabel")->text(), QStringLiteral("Formato:"));
        QCOMPARE(dialog.findChild<QLabel*>("lookInLabel")->text(), QStringLiteral("Cerca in:"));
    }
}

void ExportMenuTest::writesTheChosenFormat_data() {
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<QString>("written");  // "" for none
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("ipuz, proposed") << Gesture{} << "rivista.ipuz" << QByteArray("{");
    QTest::newRow("puz, extension typed") << Gesture{1, "gioco.PUZ"} << "gioco.PUZ" << QByteArray("ACROSS&DOWN\0", 12);
    QTest::newRow("pdf, the name follows the type") << Gesture{2} << "rivista.pdf" << QByteArray("%PDF");
    QTest::newRow("pdf for solvers") << Gesture{3, "solutori"} << "solutori.pdf" << QByteArray("%PDF");
    QTest::newRow("svg grid") << Gesture{4, "schema"} << "schema.svg" << QByteArray("<?xml");
    QTest::newRow("svg solution") << Gesture{5, "sol.svg"} << "sol.svg" << QByteArray("<?xml");
    QTest::newRow("other extension kept, type's added") << Gesture{0, "gioco.puz"} << "gioco.puz.ipuz"
                                                        << QByteArray("{");
    QTest::newRow("Annulla writes nothing") << Gesture{1, "gioco", true} << "" << QByteArray();
}

void ExportMenuTest::writesTheChosenFormat() {
    QFETCH(Gesture, gesture);
    QFETCH(QString, written);
    QFETCH(QByteArray, start);
    Program program;
    testgui::WriteFile(program.Path("rivista.qdr"), kComplete);
    auto& form = program.Start(program.Path("rivista.qdr"));
    // A cell tool in hand stays in hand.
    form.ToolAction("CasNera")->trigger();
    const testgui::Snapshot before = Take(form);

    const QList<Shown> shown = Export(form, {gesture});
    // The crossword's folder and name, the first format of the list.
    QCOMPARE(shown[0].folder, QDir(program.folder.path()).absolutePath());
    QCOMPARE(shown[0].name, QStringLiteral("rivista.ipuz"));
    QCOMPARE(shown[0].fileType, QStringLiteral("Cruciverba ipuz (*.ipuz)"));

    QCOMPARE(testgui::Texts(program.messages), QStringList());
    QCOMPARE(FilesIn(program.folder.path(), kExports), written.isEmpty() ? QStringList() : QStringList{written});
    const QByteArray bytes = written.isEmpty() ? QByteArray() : testgui::ReadFile(program.Path(written));
    QCOMPARE(bytes.mid(written.endsWith("PUZ") ? 2 : 0, start.size()), start);
    // The solution picture has the letters, the empty grid has not; the
    // clues go out as the crossword has them.
    QCOMPARE(bytes.contains(">V</text>"), written == "sol.svg");
    if (written.endsWith("ipuz")) QVERIFY(bytes.contains("Fiume di Citt\xC3\xA0"));
    QVERIFY(Take(form) == before);
    QCOMPARE(form.CurrentPointer(), editor::Pointer::Icon);
    QCOMPARE(form.Document().EditMode, int(document::BlackCellTool));
}

void ExportMenuTest::existingFileIsReplacedOnlyAfterYes() {
    Program program;
    testgui::WriteFile(program.Path("rivista.qdr"), kComplete);
    testgui::WriteFile(program.Path("gioco.ipuz"), "vecchio");
    auto& form = program.Start(program.Path("rivista.qdr"));
    // No: the dialog comes back, and its Annulla keeps the old file.
    program.messages.Script({Answer::No});
    QCOMPARE(Export(form, {{0, "gioco"}, {-1, QString(), true}}).size(), 2);
    QCOMPARE(program.messages.Texts(), std::vector<std::string>{"Il file gioco.ipuz esiste gi\xE0. Sostituirlo?"});
    QCOMPARE(program.messages.shown.front().buttons, platform::Buttons::YesNo);
    QCOMPARE(testgui::ReadFile(program.Path("gioco.ipuz")), QByteArray("vecchio"));

    program.messages.Script({Answer::Yes});
    Export(form, {{0, "gioco"}});
    QCOMPARE(program.messages.shown.size(), std::size_t(2));
    QVERIFY(testgui::ReadFile(program.Path("gioco.ipuz")).startsWith("{"));
}

void ExportMenuTest::puzRefusesAnEmptyWhiteCell() {
    Program program;
    testgui::WriteFile(program.Path("buco.qdr"), kWithHole);
    auto& form = program.Start(program.Path("buco.qdr"));
    const testgui::Snapshot before = Take(form);
    Export(form, {{1, "buco"}});
    const QStringList texts = testgui::Texts(program.messages);
    QCOMPARE(texts.size(), 1);
    // The place of the cell in the message: ExportPuz.EmptyWhiteCellIsRefusedWithItsPlaceAndNothingIsWritten.
    QVERIFY2(texts[0].startsWith("Il formato .puz vuole una lettera in ogni casella bianca"), qPrintable(texts[0]));
    QCOMPARE(FilesIn(program.folder.path(), {"buco.*"}), QStringList{"buco.qdr"});
    QVERIFY(Take(form) == before);
    QCOMPARE(form.CurrentPointer(), editor::Pointer::Default);
}

void ExportMenuTest::chosenFormatIsProposedAgain() {
    Program program;
    testgui::WriteFile(program.Path("rivista.qdr"), kComplete);
    auto& form = program.Start(program.Path("rivista.qdr"));
    Export(form, {{5}});
    QVERIFY(QFileInfo::exists(program.Path("rivista.svg")));

    // The next export of the session starts from the solution picture.
    const QList<Shown> again = Export(form, {{-1, QString(), true}});
    QCOMPARE(again.value(0).fileType, QStringLiteral("Soluzione SVG (*.svg)"));
    QCOMPARE(again.value(0).name, QStringLiteral("rivista.svg"));
    // A window of its own starts from the first format: writesTheChosenFormat's
    // rows after "svg solution" each open one and check the proposal.
}

void ExportMenuTest::newCrosswordIsProposedInTheProgramFolder() {
    Program program;
    auto& form = program.Start();
    testgui::WithDialog<dialogs::FormNew>(form.MenuAction("MenuNuovo"),
                                          [](dialogs::FormNew& dialog) { dialog.CreateFromSize(); });
    // Somewhere else is browsed to; the proposal stays the program folder.
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    const QList<Shown> shown = Export(form, {{4, "vuoto"}});
    QDir::setCurrent(program.folder.path());
    QCOMPARE(shown.value(0).folder, QDir(program.folder.path()).absolutePath());
    QCOMPARE(shown.value(0).name, QStringLiteral("NUOVOCRU.ipuz"));
    QVERIFY(testgui::ReadFile(program.Path("vuoto.svg")).contains("<svg"));
    QVERIFY(QDir(elsewhere.path()).isEmpty());
}

// Without a working folder the working file is the program folder's, as
// every other test here has it, and work_safety_test rescues it from there.
void ExportMenuTest::workingFileLivesInTheWorkingFolder() {
    Program program;
    testgui::WriteFile(program.Path("rivista.qdr"), kComplete);
    const QString working = program.Path("utente/dati");
    const QString expectedFile = working + "/_qdra_32.tmp";
    const QString otherFile = program.Path("_qdra_32.tmp");
    // A working file left behind by a run that ended without Exit.
    QDir().mkpath(working);
    testgui::WriteFile(expectedFile, kWithHole);

    editor::Form1 form({program.messages, program.launcher},
                       {program.folder.path(), platform::PathBytes(program.Path("rivista.qdr")),
                        program.Path("recupero"), working});
    form.show();
    form.Activate();
    QCOMPARE(platform::PathText(form.WorkingFile()), expectedFile);
    // The one left behind was kept in the recovery folder, and the opened
    // crossword is the working file now; the data still come from the
    // program folder.
    QCOMPARE(FilesIn(program.Path("recupero"), {"*.qdr"}).size(), qsizetype(1));
    QCOMPARE(testgui::ReadFile(expectedFile), kComplete);
    QVERIFY(!QFileInfo::exists(otherFile));
    QCOMPARE(QDir::currentPath(), QDir(program.folder.path()).absolutePath());
    QVERIFY(form.Vocabulary().PatternExists("CAS "));

    // An edit goes to the working file where it lives; Exit takes it away.
    form.ToolAction("CasNera")->trigger();
    QTest::mouseClick(form.Area(), Qt::LeftButton, {}, testgui::CellCentre(form, 1, 1));
    QCOMPARE(form.Document().Cell(1, 1), '*');
    QVERIFY(testgui::ReadFile(expectedFile).contains("Dimensioni : 04x03\r\nD*_.D*[.\r\n"));
    form.MenuAction("MenuEsci")->trigger();
    QVERIFY(!QFileInfo::exists(expectedFile));
    QVERIFY(!QFileInfo::exists(otherFile));
}

QTEST_MAIN(ExportMenuTest)
#include "export_menu_test.moc"
