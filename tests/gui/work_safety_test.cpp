// Nothing a user made is lost: a save or an edit that cannot be written, a
// run that ended without Exit, a file that is no crossword or too big, a
// file name that is not UTF-8.

#include "program_fixture.h"

#include "dialogs/folder_browser.h"
#include "dialogs/open_dialog.h"
#include "document/file_io.h"

#include <QMenu>
#include <QRegularExpression>
#include <QtTest>

#include <filesystem>
#include <fstream>

using platform::Answer;
using testgui::Program;

namespace {

const QByteArray kHeader =
    "Autore     : Zampetti Olindo\r\nData       : 28-01-1998\r\nTipo       : Crociate Normale\r\n";

// A 4 x 4 crossword with a black cell and one clue.
QByteArray SmallCrossword() { return testgui::Crossword({"RARA", "....", "*...", "...."}, "  1  11-Nota\r\n"); }

// Every change a user can make, by the command or tool that makes it.
void Edit(editor::Form1& form, const QString& how) {
    if (how == "black" || how == "white") {
        form.ToolAction(how == "black" ? "CasNera" : "CasBianca")->trigger();
        QTest::mouseClick(form.Area(), Qt::LeftButton, {}, testgui::CellCentre(form, how == "black" ? 2 : 1, how == "black" ? 2 : 3));
    } else {
        form.ToolAction(how)->trigger();
    }
}

using testgui::Take;

struct FullDisk {
    explicit FullDisk(std::size_t after) { document::SimulateFullDisk(after); }
    ~FullDisk() { document::SimulateFullDisk(std::nullopt); }
};

} // namespace

class WorkSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void failedEditChangesNothing_data();
    void failedEditChangesNothing();
    void failedSaveAtExitKeepsTheProgramOpen();
    void leftoverWorkingFileIsKeptForRecovery();
    void rescuedWorkOpensAtOnceAndStaysUnsaved();
    void startupFailuresLeaveNoWorkingFile_data();
    void startupFailuresLeaveNoWorkingFile();
    void commandLineNameInTheFileSystemsBytes();
    void editButtonChangesOnlyWhenClicked();
};

void WorkSafetyTest::failedEditChangesNothing_data() {
    QTest::addColumn<QString>("how");
    for (const char* how : {"AggColonna", "TogliColonna", "AggRiga", "TogliRiga", "black", "white"})
        QTest::newRow(how) << how;
}

void WorkSafetyTest::failedEditChangesNothing() {
    QFETCH(QString, how);
    Program program;
    testgui::WriteFile(program.Path("mio.qdr"), SmallCrossword());
    auto& form = program.Start(program.Path("mio.qdr"));
    const testgui::Snapshot before = Take(form);
    {
        FullDisk full(7);
        Edit(form, how);
    }
    QCOMPARE(testgui::Texts(program.messages), QStringList{"Errore di scrittura del file!"});
    QVERIFY(Take(form) == before);
    // The next load finds the crossword as it is on screen.
    form.Activate();
    QVERIFY(Take(form) == before);

    // With room on the disk the same edit goes through.
    Edit(form, how);
    QVERIFY(form.Document().ChangedFlag);
    QVERIFY(testgui::ReadFile(program.Path("_qdra_32.tmp")) != before.working);
}

void WorkSafetyTest::failedSaveAtExitKeepsTheProgramOpen() {
    Program program;
    testgui::WriteFile(program.Path("mio.qdr"), SmallCrossword());
    auto& form = program.Start(program.Path("mio.qdr"));
    form.ToolAction("AggColonna")->trigger();
    QCOMPARE(form.Document().ColumnCount, 5);

    // "Salva" on a full disk: the old file stays, the flag stays.
    {
        FullDisk full(10);
        form.MenuAction("MenuSalva")->trigger();
    }
    QCOMPARE(testgui::ReadFile(program.Path("mio.qdr")), SmallCrossword());
    QVERIFY(form.Document().ChangedFlag);

    // "Esci", OK to save, and the save fails: the program stays with the edit.
    program.messages.shown.clear();
    program.messages.Script({Answer::Ok});
    {
        FullDisk full(10);
        form.MenuAction("MenuEsci")->trigger();
    }
    QVERIFY(!form.Ended());
    QVERIFY(!program.messages.ended);
    QCOMPARE(testgui::Texts(program.messages).last(), QString("Errore di scrittura del file!"));
    QCOMPARE(testgui::ReadFile(program.Path("mio.qdr")), SmallCrossword());
    QCOMPARE(form.Document().ColumnCount, 5);
    QVERIFY(form.Document().ChangedFlag);
    QVERIFY(testgui::ReadFile(program.Path("_qdra_32.tmp")).contains("Dimensioni : 05x04"));

    // With room again, Exit saves and ends as usual.
    program.messages.Script({Answer::Ok});
    form.MenuAction("MenuEsci")->trigger();
    QVERIFY(form.Ended());
    QVERIFY(program.messages.ended);
    QVERIFY(testgui::ReadFile(program.Path("mio.qdr")).contains("Dimensioni : 05x04"));
    QVERIFY(!QFile::exists(program.Path("_qdra_32.tmp")));
}

void WorkSafetyTest::leftoverWorkingFileIsKeptForRecovery() {
    Program program;
    // An older rescue, and the working file of a run that crashed while
    // editing "mio.qdr" (its lock file notes the name).
    QDir().mkpath(program.Path("recupero"));
    testgui::WriteFile(program.Path("recupero/2020-01-01_08-00-00_vecchio.qdr"), kHeader + "Dimensioni : 03x03\r\n");
    {
        QFile old(program.Path("recupero/2020-01-01_08-00-00_vecchio.qdr"));
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(old.setFileTime(QDateTime(QDate(2020, 1, 1), QTime(8, 0)), QFileDevice::FileModificationTime));
    }
    testgui::WriteFile(program.Path("_qdra_32.tmp"), SmallCrossword());
    testgui::WriteFile(program.Path("_qdra_32.lock"), "/cartella/mio.qdr");
    program.messages.Script({Answer::No});
    auto& form = program.Start();
    // The start-up says what it kept and offers it; declined, no crossword.
    QVERIFY(!QFile::exists(program.Path("_qdra_32.tmp")));
    QCOMPARE(program.messages.shown.size(), std::size_t(1));
    QCOMPARE(program.messages.shown[0].buttons, platform::Buttons::YesNo);
    const QString told = testgui::Texts(program.messages)[0];
    QVERIFY2(told.startsWith(QString::fromUtf8("È stato recuperato il lavoro non salvato di \"mio\"")), qPrintable(told));
    QVERIFY(told.contains("Aprirlo ora?"));
    QVERIFY(!form.Document().HasCrossword());
    // Its copy carries date, time and the crossword's name.
    QCOMPARE(form.Rescue().rescued.size(), std::size_t(1));
    const QString kept = QFileInfo(platform::PathText(form.Rescue().rescued[0].path)).fileName();
    QVERIFY2(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d_mio\\.qdr$").match(kept).hasMatch(),
             qPrintable(kept));
    QCOMPARE(testgui::ReadFile(program.Path("recupero/" + kept)), SmallCrossword());

    // "Recupera lavoro non salvato" lists the newest first and has it chosen.
    QCOMPARE(form.MenuAction("MenuRecupera")->text(), QString("&Recupera lavoro non salvato ..."));
    testgui::WithDialog<dialogs::Form2>(form.MenuAction("MenuRecupera"), [&](dialogs::Form2& dialog) {
        QCOMPARE(QDir(dialog.Browser().Folder()).canonicalPath(), QDir(program.Path("recupero")).canonicalPath());
        QTRY_COMPARE(dialog.findChild<QLineEdit*>("Text1")->text(), kept);
        QCOMPARE(dialog.Browser().FileNames(), (QStringList{kept, "2020-01-01_08-00-00_vecchio.qdr"}));
        testgui::Click(dialog, "Command3d1");
    });
    QVERIFY(form.Document().HasCrossword());
    QCOMPARE(form.Document().Definitions(1, 1, 1), std::string("Nota"));
    QCOMPARE(form.Document().ColumnCount, 4);
    // Recovered work has no file of its own: Save asks for a name, and the
    // program's folder is the current folder again.
    QCOMPARE(form.Document().CurrentFileName, document::NewCrosswordName);
    QVERIFY(form.Document().ChangedFlag);
    QCOMPARE(QDir::current().canonicalPath(), QDir(program.folder.path()).canonicalPath());
}

void WorkSafetyTest::rescuedWorkOpensAtOnceAndStaysUnsaved() {
    Program program;
    testgui::WriteFile(program.Path("_qdra_32.tmp"), SmallCrossword());
    program.messages.Script({Answer::Yes});
    auto& form = program.Start();
    QCOMPARE(program.messages.shown.size(), std::size_t(1));
    QVERIFY(testgui::Texts(program.messages)[0].contains("un cruciverba"));
    QVERIFY(form.Document().HasCrossword());
    QCOMPARE(form.Document().Definitions(1, 1, 1), std::string("Nota"));
    QCOMPARE(form.Document().CurrentFileName, document::NewCrosswordName);
    QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), SmallCrossword());
    // An edit and its undo leave work that was never saved still to save.
    QVERIFY(form.Document().ChangedFlag);
    form.ToolAction("AggColonna")->trigger();
    form.MenuAction("MenuAnnulla")->trigger();
    QCOMPARE(form.Document().ColumnCount, 4);
    QVERIFY(form.Document().ChangedFlag);

    // Started on a crossword of the command line, the rescue is only told.
    Program other;
    testgui::WriteFile(other.Path("_qdra_32.tmp"), SmallCrossword());
    testgui::WriteFile(other.Path("mio.qdr"), SmallCrossword());
    auto& opened = other.Start(other.Path("mio.qdr"));
    QCOMPARE(other.messages.shown.size(), std::size_t(1));
    QCOMPARE(other.messages.shown[0].buttons, platform::Buttons::Ok);
    QCOMPARE(opened.Document().CurrentFileName, platform::PathBytes(other.Path("mio.qdr")));
}

void WorkSafetyTest::startupFailuresLeaveNoWorkingFile_data() {
    QTest::addColumn<QByteArray>("content");  // of the crossword named on the command line; null: none
    QTest::addColumn<bool>("vocabulary");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("ends");
    const QString invalid = "Formato del file non valido! Esecuzione terminata";
    QTest::newRow("no vocabulary") << QByteArray() << false
                                   << "Errore fatale! non trovato file di vocabolario: LESSICO.DAT" << "Quadrivo 98" << true;
    QTest::newRow("missing file") << QByteArray() << true << "Errore: Cruciverba  @  Non trovato! Esecuzione terminata."
                                  << "Quadrivo " << true;
    QTest::newRow("not a crossword") << QByteArray("just some text\r\nand more\r\n\r\n\r\n") << true << invalid
                                     << "Quadrivo 98" << true;
    QTest::newRow("size 0x0") << kHeader + "Dimensioni : 00x00\r\n" << true << invalid << "Quadrivo 98" << true;
    QTest::newRow("huge") << SmallCrossword() + QByteArray(2 * 1024 * 1024, 'x') << true << invalid << "Quadrivo 98"
                          << true;
    QTest::newRow("short header") << QByteArray("Autore     : X\r\n") << true << "Errore di lettura del file!"
                                  << "Quadrivo 98" << false;
}

void WorkSafetyTest::startupFailuresLeaveNoWorkingFile() {
    QFETCH(QByteArray, content);
    QFETCH(bool, vocabulary);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(bool, ends);
    Program program(vocabulary);
    const QString name = program.Path("strano.qdr");
    if (!content.isNull()) testgui::WriteFile(name, content);
    auto& form = program.Start(vocabulary ? name : QString());
    QCOMPARE(testgui::Texts(program.messages), QStringList{QString(message).replace("@", name)});
    QCOMPARE(QString::fromStdString(program.messages.shown[0].title), title);
    QCOMPARE(form.Ended(), ends);
    QVERIFY(!QFile::exists(program.Path("_qdra_32.tmp")));
    QVERIFY(!form.windowTitle().contains("Cruciverba"));
    // A read error: no crossword to edit, only the file commands.
    QVERIFY(ends || !form.Document().HasCrossword());
    QVERIFY(ends || !form.Menu("MenuEdit")->menuAction()->isVisible());
    QVERIFY(ends || !form.ToolAction("AggColonna")->isEnabled());
}

void WorkSafetyTest::commandLineNameInTheFileSystemsBytes() {
    Program program;
    // "città.qdr" with the à as a Latin-1 byte: not valid UTF-8.
    const std::string name = platform::PathBytes(program.Path("citt")) + "\xE0.qdr";
    {
        std::ofstream out(name, std::ios::binary);
        out << SmallCrossword().toStdString();
    }
    auto& form = program.StartWithBytes(name);
    QVERIFY(!form.Ended());
    QVERIFY(program.messages.shown.empty());
    QCOMPARE(form.Document().CurrentFileName, name);
    QCOMPARE(form.Document().Definitions(1, 1, 1), std::string("Nota"));
    QVERIFY(form.windowTitle().contains("Cruciverba 4x4"));
    QVERIFY(form.windowTitle().endsWith(QString::fromUtf8("citt\u00E0.qdr")));
    std::filesystem::remove(name);
}

void WorkSafetyTest::editButtonChangesOnlyWhenClicked() {
    Program program;
    testgui::WriteFile(program.Path("mio.qdr"), SmallCrossword());
    auto& form = program.Start(program.Path("mio.qdr"));
    QAction* edit = form.ToolAction("Edit");
    QVERIFY(!edit->isChecked());
    edit->trigger();
    QVERIFY(edit->isChecked());
    QCOMPARE(form.Document().EditMode, int(document::ClueMode));
    // Another tool ends clue mode but leaves the button down...
    form.ToolAction("CasNera")->trigger();
    QCOMPARE(form.Document().EditMode, int(document::BlackCellTool));
    form.ToolAction("AggRiga")->trigger();
    QVERIFY(edit->isChecked());
    // ...and the menu item applies the button's state.
    form.MenuAction("MenuDef")->trigger();
    QCOMPARE(form.Document().EditMode, int(document::ClueMode));
    edit->trigger();
    QVERIFY(!edit->isChecked());
    QCOMPARE(form.Document().EditMode, int(document::NoTool));
    form.MenuAction("MenuDef")->trigger();
    QCOMPARE(form.Document().EditMode, int(document::NoTool));
}

QTEST_MAIN(WorkSafetyTest)
#include "work_safety_test.moc"
