// "Espor&ta ..." in the File menu, driven as a person would: open a
// crossword, choose the command, answer "Esporta cruciverba" (type the
// name, pick the file type, press Esporta), then read the written file
// with parsers that are not the program's. The crossword itself never
// changes. Also where the working file lives when a working folder is given.

#include "program_fixture.h"

#include "dialogs/export_dialog.h"
#include "dialogs/new_dialog.h"
#include "document/file_io.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QtTest>

using testgui::Program;

namespace {

const QByteArray kHeader =
    "Autore     : Zampetti Olindo\r\nData       : 28-01-1998\r\nTipo       : Crociate Normale\r\n";

// Grid rows as they stand in a crossword file: every cell shifted up by 26
// and followed by its marker.
QByteArray FileRows(const QStringList& rows) {
    QByteArray bytes;
    for (const QString& row : rows) {
        for (QChar cell : row) {
            const char c = cell.toLatin1();
            bytes += char(c + 26);
            bytes += c == '*' ? '*' : '.';
        }
        bytes += "\r\n";
    }
    return bytes;
}

// A 4 x 3 crossword file with the given rows ("." an empty white cell).
QByteArray Crossword(const QStringList& rows, const QByteArray& clues = {}) {
    return kHeader + "Dimensioni : 04x03\r\n" + FileRows(rows) + clues;
}

// A complete crossword, with the first horizontal and vertical clues
// (column, row, direction), one of them accented.
const QByteArray kComplete = Crossword({"RE*A", "AVES", "*ASA"},
                                       "  1  11-Nota musicale\r\n  1  12-Fiume di Citt\xE0\r\n");

// The same grid with one empty white cell (column 2, row 2).
const QByteArray kWithHole = Crossword({"RE*A", "A.ES", "*ASA"});

// What a person does in the export dialog.
struct Gesture {
    int fileType = -1;  // row of the "Formato:" list to pick; -1 leaves it
    QString typed;      // typed over the name box; null leaves the proposal
    bool cancel = false;
};

// What the dialog showed when it came up.
struct Shown {
    bool seen = false;
    QString folder;
    QString name;
    QString fileType;
};

// The answer to one showing of the export dialog, and what it showed.
struct Answering {
    Gesture gesture;
    Shown shown;
    bool over = false;  // the command returned: nothing more to answer
};

// Looks for the export dialog on a timer until it is up (a zero timer could
// run before the command has shown it), then plays the gesture on it.
void LookForExportDialog(const std::shared_ptr<Answering>& answering, int turnsLeft) {
    QTimer::singleShot(5, [answering, turnsLeft] {
        if (answering->over) return;
        dialogs::ExportDialog* dialog = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<dialogs::ExportDialog*>(w); d && d->isVisible()) dialog = d;
        if (!dialog) {
            if (turnsLeft > 0) LookForExportDialog(answering, turnsLeft - 1);
            return;
        }
        // A failed check below still closes the dialog, so the test ends.
        const auto close = qScopeGuard([dialog] {
            if (dialog->isVisible()) dialog->reject();
        });
        const Gesture& gesture = answering->gesture;
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
        QVERIFY(name && types && buttons);
        answering->shown = {true, dialog->directory().absolutePath(), name->text(), types->currentText()};
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
    });
}

// Plays `gesture` on the export dialog that `command` opens.
Shown AnswerExportDialog(const Gesture& gesture, const std::function<void()>& command) {
    const auto answering = std::make_shared<Answering>();
    answering->gesture = gesture;
    LookForExportDialog(answering, 2000);
    command();
    answering->over = true;
    if (!answering->shown.seen) qWarning("the export dialog did not come");
    return answering->shown;
}

// "Espor&ta ..." chosen from the File menu with the keyboard: Alt+F, then
// the item's access key.
void ChooseExportFromFileMenu(editor::Form1& form) {
    QMenu* file = form.Menu("MenuFile");
    QTest::keyClick(form.menuBar(), Qt::Key_F, Qt::AltModifier);
    QVERIFY(QTest::qWaitForWindowExposed(file));
    QTest::keyClick(file, Qt::Key_T);
}

// Everything an export must leave as it was.
struct Snapshot {
    std::vector<std::string> lines;
    bool changed;
    QByteArray working;
    QString caption;
};

Snapshot Take(editor::Form1& form) {
    Snapshot s{{}, form.Document().ChangedFlag,
               testgui::ReadFile(platform::PathText(form.WorkingFile())), form.windowTitle()};
    for (int i = 1; i <= document::FileLineCount; ++i) s.lines.push_back(form.Document().FileLines(i));
    return s;
}

void CompareSnapshots(const Snapshot& after, const Snapshot& before) {
    QCOMPARE(after.lines, before.lines);
    QCOMPARE(after.changed, before.changed);
    QCOMPARE(after.working, before.working);
    QCOMPARE(after.caption, before.caption);
}

QStringList FilesIn(const QString& folder, const QStringList& patterns) {
    return QDir(folder).entryList(patterns, QDir::Files);
}

// The puzzle grid of an ipuz file as text rows: "#" black, "n" a numbered
// cell, "0" an unnumbered white cell.
QStringList PuzzleRows(const QJsonArray& puzzle) {
    QStringList rows;
    for (const QJsonValue& row : puzzle) {
        QString text;
        for (const QJsonValue& cell : row.toArray()) text += cell.isString() ? cell.toString() : cell.toInt() ? "n" : "0";
        rows << text;
    }
    return rows;
}

} // namespace

Q_DECLARE_METATYPE(Gesture)

class ExportMenuTest : public QObject {
    Q_OBJECT

private slots:
    void exportComesAfterSaveAsWithItsOwnAccessKey();
    void writesTheChosenFormat_data();
    void writesTheChosenFormat();
    void ipuzCarriesTheGridAndTheClues();
    void puzRefusesAnEmptyWhiteCell();
    void failedWriteIsToldAndLeavesNoFile();
    void cancelWritesNothing();
    void chosenFormatIsProposedAgain();
    void newCrosswordIsProposedInTheProgramFolder();
    void cellToolSurvivesTheExport();
    void workingFileLivesInTheWorkingFolder_data();
    void workingFileLivesInTheWorkingFolder();
};

void ExportMenuTest::exportComesAfterSaveAsWithItsOwnAccessKey() {
    Program program;
    auto& form = program.Start();
    // No crossword: nothing to export.
    QVERIFY(!form.MenuAction("MenuEsporta")->isVisible());

    Program withCrossword;
    testgui::WriteFile(withCrossword.Path("rivista.qdr"), kComplete);
    auto& shown = withCrossword.Start(withCrossword.Path("rivista.qdr"));
    QAction* esporta = shown.MenuAction("MenuEsporta");
    QVERIFY(esporta->isVisible() && esporta->isEnabled());
    QCOMPARE(esporta->text(), QStringLiteral("Espor&ta ..."));
    const QList<QAction*> items = shown.Menu("MenuFile")->actions();
    QCOMPARE(items.indexOf(esporta), items.indexOf(shown.MenuAction("MenuSalvaCN")) + 1);
    // Its access key is its own in the File menu.
    int withT = 0;
    for (QAction* item : items) withT += item->text().contains("&t", Qt::CaseInsensitive);
    QCOMPARE(withT, 1);
}

void ExportMenuTest::writesTheChosenFormat_data() {
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("at");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("ipuz, proposed") << Gesture{-1, QString()} << "rivista.ipuz" << 0 << QByteArray("{");
    QTest::newRow("puz") << Gesture{1, "gioco"} << "gioco.puz" << 2 << QByteArray("ACROSS&DOWN\0", 12);
    QTest::newRow("pdf") << Gesture{2, "pagina"} << "pagina.pdf" << 0 << QByteArray("%PDF");
    QTest::newRow("pdf for solvers") << Gesture{3, "solutori"} << "solutori.pdf" << 0 << QByteArray("%PDF");
    QTest::newRow("svg grid") << Gesture{4, "schema"} << "schema.svg" << 0 << QByteArray("<?xml");
    QTest::newRow("svg solution") << Gesture{5, "soluzione"} << "soluzione.svg" << 0 << QByteArray("<?xml");
}

void ExportMenuTest::writesTheChosenFormat() {
    QFETCH(Gesture, gesture);
    QFETCH(QString, written);
    QFETCH(int, at);
    QFETCH(QByteArray, start);
    Program program;
    testgui::WriteFile(program.Path("rivista.qdr"), kComplete);
    auto& form = program.Start(program.Path("rivista.qdr"));
    const Snapshot before = Take(form);

    const Shown shown = AnswerExportDialog(gesture, [&] { ChooseExportFromFileMenu(form); });
    QVERIFY(shown.seen);
    // The crossword's folder and name, the first format of the list.
    QCOMPARE(shown.folder, QDir(program.folder.path()).absolutePath());
    QCOMPARE(shown.name, QStringLiteral("rivista.ipuz"));
    QCOMPARE(shown.fileType, QStringLiteral("Cruciverba ipuz (*.ipuz)"));

    QCOMPARE(testgui::Texts(program.messages), QStringList());
    const QByteArray bytes = testgui::ReadFile(program.Path(written));
    QCOMPARE(bytes.mid(at, start.size()), start);
    const QStringList exports = FilesIn(program.folder.path(), {"*.ipuz", "*.puz", "*.pdf", "*.svg"});
    QCOMPARE(exports, QStringList{written});
    if (written == "soluzione.svg") QVERIFY(bytes.contains(">V</text>"));
    if (written == "schema.svg") QVERIFY(!bytes.contains(">V</text>"));
    if (written == "gioco.puz") {
        // Width and height bytes of the header, then the solution rows.
        QCOMPARE(int(quint8(bytes.at(0x2C))), 4);
        QCOMPARE(int(quint8(bytes.at(0x2D))), 3);
        QCOMPARE(bytes.mid(0x34, 12), QByteArray("RE.AAVES.ASA"));
    }
    CompareSnapshots(Take(form), before);
    QCOMPARE(form.CurrentPointer(), editor::Pointer::Default);
}

void ExportMenuTest::ipuzCarriesTheGridAndTheClues() {
    Program program;
    testgui::WriteFile(program.Path("rivista.qdr"), kComplete);
    auto& form = program.Start(program.Path("rivista.qdr"));
    QVERIFY(AnswerExportDialog({0, "gioco"}, [&] { ChooseExportFromFileMenu(form); }).seen);

    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(testgui::ReadFile(program.Path("gioco.ipuz")), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject puzzle = json.object();
    QCOMPARE(puzzle["version"].toString(), QStringLiteral("http://ipuz.org/v2"));
    QCOMPARE(puzzle["dimensions"].toObject()["width"].toInt(), form.Document().ColumnCount);
    QCOMPARE(puzzle["dimensions"].toObject()["height"].toInt(), form.Document().RowCount);
    QCOMPARE(PuzzleRows(puzzle["puzzle"].toArray()), QStringList({"nn#n", "n0n0", "#n00"}));
    QCOMPARE(puzzle["solution"].toArray().at(1).toArray().at(3).toString(), QStringLiteral("S"));
    QCOMPARE(puzzle["title"].toString(), QStringLiteral("rivista"));
    QCOMPARE(puzzle["author"].toString(), QStringLiteral("Zampetti Olindo"));
    const QJsonArray across = puzzle["clues"].toObject()["Across:Orizzontali"].toArray();
    const QJsonArray down = puzzle["clues"].toObject()["Down:Verticali"].toArray();
    QVERIFY(!across.isEmpty() && !down.isEmpty());
    QCOMPARE(across.at(0).toArray().at(1).toString(), QStringLiteral("Nota musicale"));
    QCOMPARE(down.at(0).toArray().at(1).toString(), QStringLiteral("Fiume di Citt\u00E0"));
}

void ExportMenuTest::puzRefusesAnEmptyWhiteCell() {
    Program program;
    testgui::WriteFile(program.Path("buco.qdr"), kWithHole);
    auto& form = program.Start(program.Path("buco.qdr"));
    const Snapshot before = Take(form);
    QVERIFY(AnswerExportDialog({1, "buco"}, [&] { ChooseExportFromFileMenu(form); }).seen);

    const QStringList texts = testgui::Texts(program.messages);
    QCOMPARE(texts.size(), 1);
    QVERIFY2(texts[0].startsWith("Il formato .puz vuole una lettera in ogni casella bianca"), qPrintable(texts[0]));
    QVERIFY(texts[0].contains("colonna 2, riga 2 \u00E8 vuota"));
    QCOMPARE(FilesIn(program.folder.path(), {"buco.*"}), QStringList{"buco.qdr"});
    CompareSnapshots(Take(form), before);
    QCOMPARE(form.CurrentPointer(), editor::Pointer::Default);

    // The printed page takes the same crossword.
    QVERIFY(AnswerExportDialog({2, "buco"}, [&] { ChooseExportFromFileMenu(form); }).seen);
    QCOMPARE(program.messages.shown.size(), std::size_t(1));
    QVERIFY(testgui::ReadFile(program.Path("buco.pdf")).startsWith("%PDF"));
}

void ExportMenuTest::failedWriteIsToldAndLeavesNoFile() {
    Program program;
    testgui::WriteFile(program.Path("rivista.qdr"), kComplete);
    auto& form = program.Start(program.Path("rivista.qdr"));
    const Snapshot before = Take(form);
    document::SimulateFullDisk(16);
    const auto fullDisk = qScopeGuard([] { document::SimulateFullDisk(std::nullopt); });
    QVERIFY(AnswerExportDialog({0, "gioco"}, [&] { ChooseExportFromFileMenu(form); }).seen);
    document::SimulateFullDisk(std::nullopt);

    QCOMPARE(testgui::Texts(program.messages), QStringList{"Errore di scrittura del file!"});
    QCOMPARE(FilesIn(program.folder.path(), {"gioco*", "*.tmp*"}), QStringList{"_qdra_32.tmp"});
    CompareSnapshots(Take(form), before);
}

void ExportMenuTest::cancelWritesNothing() {
    Program program;
    testgui::WriteFile(program.Path("rivista.qdr"), kComplete);
    auto& form = program.Start(program.Path("rivista.qdr"));
    const QStringList files = QDir(program.folder.path()).entryList(QDir::Files);
    QVERIFY(AnswerExportDialog({1, "gioco", true}, [&] { ChooseExportFromFileMenu(form); }).seen);
    QCOMPARE(QDir(program.folder.path()).entryList(QDir::Files), files);
    QVERIFY(program.messages.shown.empty());
}

void ExportMenuTest::chosenFormatIsProposedAgain() {
    Program program;
    testgui::WriteFile(program.Path("rivista.qdr"), kComplete);
    auto& form = program.Start(program.Path("rivista.qdr"));
    QVERIFY(AnswerExportDialog({5, QString()}, [&] { ChooseExportFromFileMenu(form); }).seen);
    QVERIFY(testgui::ReadFile(program.Path("rivista.svg")).contains(">V</text>"));

    // The next export of the session starts from the solution picture.
    const Shown again = AnswerExportDialog({-1, QString(), true}, [&] { ChooseExportFromFileMenu(form); });
    QCOMPARE(again.fileType, QStringLiteral("Soluzione SVG (*.svg)"));
    QCOMPARE(again.name, QStringLiteral("rivista.svg"));

    // A window of its own starts again from the first format.
    Program other;
    testgui::WriteFile(other.Path("rivista.qdr"), kComplete);
    auto& second = other.Start(other.Path("rivista.qdr"));
    const Shown fresh = AnswerExportDialog({-1, QString(), true}, [&] { ChooseExportFromFileMenu(second); });
    QCOMPARE(fresh.fileType, QStringLiteral("Cruciverba ipuz (*.ipuz)"));
}

void ExportMenuTest::newCrosswordIsProposedInTheProgramFolder() {
    Program program;
    auto& form = program.Start();
    testgui::WithDialog<dialogs::FormNew>(form.MenuAction("MenuNuovo"), [](dialogs::FormNew& dialog) {
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.findChild<QLineEdit*>("Text1")->setText("5");
        dialog.findChild<QLineEdit*>("Text2")->setText("4");
        testgui::Click(dialog, "Command3d1");
    });
    QCOMPARE(form.Document().CurrentFileName, document::NewCrosswordName);
    // Somewhere else is browsed to; the proposal stays the program folder.
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    const Shown shown = AnswerExportDialog({4, "vuoto"}, [&] { ChooseExportFromFileMenu(form); });
    QDir::setCurrent(program.folder.path());
    QCOMPARE(shown.folder, QDir(program.folder.path()).absolutePath());
    QCOMPARE(shown.name, QStringLiteral("NUOVOCRU.ipuz"));
    const QByteArray svg = testgui::ReadFile(program.Path("vuoto.svg"));
    QVERIFY(svg.contains("<svg"));
    QVERIFY(QDir(elsewhere.path()).isEmpty());
}

void ExportMenuTest::cellToolSurvivesTheExport() {
    Program program;
    testgui::WriteFile(program.Path("rivista.qdr"), kComplete);
    auto& form = program.Start(program.Path("rivista.qdr"));
    form.ToolAction("CasNera")->trigger();
    QCOMPARE(form.CurrentPointer(), editor::Pointer::Icon);
    QVERIFY(AnswerExportDialog({0, "gioco"}, [&] { ChooseExportFromFileMenu(form); }).seen);
    QVERIFY(QFileInfo::exists(program.Path("gioco.ipuz")));
    QCOMPARE(form.CurrentPointer(), editor::Pointer::Icon);

    // The tool still paints: the first cell becomes black.
    const auto& doc = form.Document();
    QTest::mouseClick(form.Area(), Qt::LeftButton, {},
                      QPoint(doc.GridLeft + doc.CellSize / 2, doc.GridTop + doc.CellSize / 2));
    QCOMPARE(doc.Cell(1, 1), '*');
    QVERIFY(doc.ChangedFlag);
}

void ExportMenuTest::workingFileLivesInTheWorkingFolder_data() {
    QTest::addColumn<QString>("workingFolder");  // under the program folder; "" gives none
    QTest::addColumn<QString>("expected");
    QTest::newRow("none: the program folder") << "" << "";
    QTest::newRow("a folder of its own, made when missing") << "utente/dati" << "utente/dati";
}

void ExportMenuTest::workingFileLivesInTheWorkingFolder() {
    QFETCH(QString, workingFolder);
    QFETCH(QString, expected);
    Program program;
    testgui::WriteFile(program.Path("rivista.qdr"), kComplete);
    const QString working = QDir(program.folder.path()).filePath(workingFolder);
    const QString expectedFile = QDir::cleanPath(program.folder.path() + "/" + expected + "/_qdra_32.tmp");
    const QString otherFile = expected.isEmpty() ? program.Path("utente/dati/_qdra_32.tmp")
                                                 : program.Path("_qdra_32.tmp");
    // A working file left behind by a run that ended without Exit.
    if (!workingFolder.isEmpty()) QDir().mkpath(working);
    testgui::WriteFile(expectedFile, kWithHole);

    editor::Form1 form({program.messages, program.launcher},
                       {program.folder.path(), platform::PathBytes(program.Path("rivista.qdr")),
                        program.Path("recupero"), workingFolder.isEmpty() ? QString() : working});
    form.show();
    form.Activate();
    QCOMPARE(platform::PathText(form.WorkingFile()), expectedFile);
    // The one left behind was kept in the recovery folder, and the opened
    // crossword is the working file now.
    QCOMPARE(FilesIn(program.Path("recupero"), {"*.qdr"}).size(), qsizetype(1));
    QCOMPARE(testgui::ReadFile(expectedFile), kComplete);
    QVERIFY(!QFileInfo::exists(otherFile));
    // The data files still come from the program folder.
    QCOMPARE(QDir::currentPath(), QDir(program.folder.path()).absolutePath());
    QVERIFY(form.Vocabulary().PatternExists("CAS "));

    // An edit goes to the working file where it lives.
    form.ToolAction("CasNera")->trigger();
    const auto& doc = form.Document();
    QTest::mouseClick(form.Area(), Qt::LeftButton, {},
                      QPoint(doc.GridLeft + doc.CellSize / 2, doc.GridTop + doc.CellSize / 2));
    QCOMPARE(doc.Cell(1, 1), '*');
    QVERIFY(testgui::ReadFile(expectedFile).contains("Dimensioni : 04x03\r\n" + FileRows({"*E*A"})));

    // Exit takes it away.
    form.MenuAction("MenuEsci")->trigger();
    QVERIFY(!QFileInfo::exists(expectedFile));
    QVERIFY(!QFileInfo::exists(otherFile));
}

QTEST_MAIN(ExportMenuTest)
#include "export_menu_test.moc"
