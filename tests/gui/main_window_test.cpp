// The main window driven as a person would: start-up, New, the grid on
// screen, the floating label, the menus, Save and the unsaved-changes prompt.

#include "program_fixture.h"

#include "dialogs/new_dialog.h"
#include "platform/qt/picture_box.h"
#include "document/crossword_file.h"

#include <QMenu>
#include <QtTest>

using platform::Answer;
using testgui::Program;

namespace {

// Runs `act` on the new-crossword dialog once it is up, while New runs.
void WithNewDialog(editor::Form1& form, std::function<void(dialogs::FormNew&)> act) {
    testgui::WithShowings<dialogs::FormNew>([&form] { form.MenuNuovo(); }, {[act](dialogs::FormNew& dialog) {
        QCoreApplication::processEvents();  // the dialog reads its models
        act(dialog);
    }});
}

void MoveMouse(editor::Form1& form, int x, int y) { QTest::mouseMove(form.Area(), QPoint(x, y)); }

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startShowsTheCommandsThatApply_data();
    void startShowsTheCommandsThatApply();
    void gridGeometryFollowsTheDrawingArea();
    void newCrosswordBySize();
    void newCrosswordFromModel();
    void modelLibraryProblems();
    void labelReadsOutTheWordUnderThePointer();
    void saveKeepsTheChangedFlagAndPromptsOnNew();
    void otherProgramsAndTheirMessages();
};

void MainWindowTest::startShowsTheCommandsThatApply_data() {
    QTest::addColumn<bool>("crossword");
    QTest::newRow("no crossword: only the file commands") << false;
    QTest::newRow("a crossword on the command line") << true;
}

void MainWindowTest::startShowsTheCommandsThatApply() {
    QFETCH(bool, crossword);
    Program program;
    const QString file = testgui::DataFile("esempio.qdr");
    auto& form = program.Start(crossword ? file : QString());
    QVERIFY(!form.Ended());
    QVERIFY(program.messages.shown.empty());
    QCOMPARE(form.windowTitle(), crossword ? "Quadrivo 98 - Cruciverba 3x3  " + file : QString("Quadrivo 98"));
    QCOMPARE(form.Area()->Splash()->isVisible(), !crossword);
    for (const char* menu : {"MenuEdit", "MenuUtiliti"}) QCOMPARE(form.Menu(menu)->menuAction()->isVisible(), crossword);
    for (const char* item : {"MenuSalva", "MenuStampa", "MenuEsporta"})
        QCOMPARE(form.MenuAction(item)->isVisible() && form.MenuAction(item)->isEnabled(), crossword);
    for (const char* tool : {"Salva", "Stampa", "CasNera"}) QCOMPARE(form.ToolAction(tool)->isEnabled(), crossword);
    QVERIFY(form.Menu("MenuHelp")->menuAction()->isVisible());
    QVERIFY(form.MenuAction("MenuNuovo")->isVisible() && form.MenuAction("MenuNuovo")->isEnabled());
    QVERIFY(form.MenuAction("MenuEsci")->isEnabled() && form.ToolAction("Nuovo")->isEnabled());
    QCOMPARE(form.MenuAction("MenuSalvaCN")->text(), QString("Salva &Con nome ..."));
    QCOMPARE(form.ToolAction("Tabella")->toolTip(), QString("Vista tabellare"));
    QVERIFY(form.ToolAction("Edit")->isCheckable());
    // The vocabulary is there: a common word is found, a non-word is not.
    QVERIFY(form.Vocabulary().PatternExists("CASA"));
    QVERIFY(!form.Vocabulary().PatternExists("QXQX"));
    if (!crossword) return;
    QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), testgui::ReadFile(file));
    QVERIFY(!form.Document().ChangedFlag);
    // A later activation reloads the working file and keeps the crossword.
    form.Activate();
    QCOMPARE(form.Document().GridLine(1), std::string("R.E.**"));
}

void MainWindowTest::gridGeometryFollowsTheDrawingArea() {
    Program program;
    QStringList rows(13, QString(15, '.'));
    rows[0].replace(0, 2, "*A");
    testgui::WriteFile(program.Path("grande.qdr"), testgui::Crossword(rows));
    auto& form = program.Start(program.Path("grande.qdr"));
    QCOMPARE(form.Area()->size(), QSize(800, 553));

    form.DrawGrid();
    const auto& doc = form.Document();
    QCOMPARE(doc.CellSize, 38);
    QCOMPARE(doc.GridLeft, 115);
    QCOMPARE(doc.GridTop, 33);
    // The drawing stays in the window's persistent image.
    const QImage image = form.Area()->Image().toImage();
    QCOMPARE(image.pixelColor(120, 40), QColor(Qt::black));
    QCOMPARE(image.pixelColor(112, 30), QColor(128, 0, 0));
    QCOMPARE(image.pixelColor(200, 60), QColor(Qt::white));
}

void MainWindowTest::newCrosswordBySize() {
    Program program;
    auto& form = program.Start();
    WithNewDialog(form, [](dialogs::FormNew& dialog) {
        QCOMPARE(dialog.windowTitle(), QString("Quadrivo 98 - Nuovo cruciverba"));
        QCOMPARE(dialog.findChild<QLineEdit*>("Text1")->text(), QString("16"));
        QCOMPARE(dialog.findChild<QLineEdit*>("Text2")->text(), QString("13"));
        QCOMPARE(dialog.Caption(1)->text(), QString("Cruci 5x4"));
        QCOMPARE(dialog.Caption(3)->text(), QString());
        QTest::keyClick(dialog.findChild<QLineEdit*>("Text1"), Qt::Key_Return);
    });
    QVERIFY(program.messages.shown.empty());
    const auto& doc = form.Document();
    QCOMPARE(doc.ColumnCount, 16);
    QCOMPARE(doc.RowCount, 13);
    QCOMPARE(form.windowTitle(), QString("Quadrivo 98 - Cruciverba 16x13  NUOVOCRU.QDR"));
    QVERIFY(!form.Area()->Splash()->isVisible());
    QVERIFY(!doc.ChangedFlag);
    QVERIFY(testgui::ReadFile(program.Path("_qdra_32.tmp")).contains("Dimensioni : 16x13\r\n" + QByteArray("H.").repeated(16)));
    QVERIFY(form.Menu("MenuEdit")->menuAction()->isVisible());
    QCOMPARE(form.Document().CellSize, 38);
}

void MainWindowTest::newCrosswordFromModel() {
    Program program;
    auto& form = program.Start();
    WithNewDialog(form, [](dialogs::FormNew& dialog) { QTest::mouseClick(dialog.Box(1), Qt::LeftButton); });
    const auto& doc = form.Document();
    QCOMPARE(doc.ColumnCount, 5);
    QCOMPARE(doc.RowCount, 4);
    // Reloaded from the working file: letters, with the markers the file keeps.
    QCOMPARE(doc.GridLine(1), std::string("C.A.S.A.**"));
    QCOMPARE(doc.GridLine(3), std::string("R.E.**O.K."));
    QCOMPARE(form.windowTitle(), QString("Quadrivo 98 - Cruciverba 5x4  NUOVOCRU.QDR"));
    const auto lines = document::SplitLines(testgui::ReadFile(program.Path("_qdra_32.tmp")).toStdString());
    QCOMPARE(QString::fromStdString(std::string(lines[4])), QString("].[.m.[.D*"));

    // A click on a caption picks its model too; a box with no model picks nothing.
    WithNewDialog(form, [](dialogs::FormNew& dialog) {
        QTest::mouseClick(dialog.Box(5), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(dialog.Caption(0), Qt::LeftButton);
    });
    QCOMPARE(form.Document().GridLine(2), std::string("..**..**.."));
}

void MainWindowTest::modelLibraryProblems() {
    {
        Program program(true, false);
        auto& form = program.Start();
        WithNewDialog(form, [](dialogs::FormNew& dialog) {
            QCOMPARE(dialog.Caption(0)->text(), QString());
            dialog.findChild<QLineEdit*>("Text1")->setText("5");
            dialog.findChild<QPushButton*>("Command3d1")->click();
        });
        QCOMPARE(testgui::Texts(program.messages),
                 QStringList{"Errore: Non trovato file di definizione modelli standard!"});
        QCOMPARE(form.Document().ColumnCount, 5);
    }
    {
        Program program(true, false);
        testgui::WriteFile(program.Path("CRUCINEW.DAT"), "...\r\n.x.\r\n...\r\n-\r\n");
        auto& form = program.Start();
        WithNewDialog(form, [](dialogs::FormNew&) {});
        QCOMPARE(testgui::Texts(program.messages), QStringList{"Tipo di file modelli non valido!"});
        QVERIFY(form.Ended());
    }
}

void MainWindowTest::labelReadsOutTheWordUnderThePointer() {
    Program program;
    auto& form = program.Start(testgui::DataFile("esempio.qdr"));
    auto& doc = form.Document();
    QLabel* label = form.InfoLabel();
    const int cell = doc.CellSize, left = doc.GridLeft, top = doc.GridTop;

    // Not in clue mode: the label stays out of sight.
    MoveMouse(form, left + 5, top + 20);
    QVERIFY(label->y() >= form.Area()->height());

    doc.EditMode = document::ClueMode;
    doc.Definitions(2, 1, 2) = "La prima donna";
    // (1,1) starts both words: the upper-right half is the horizontal one,
    // the diagonal included; the lower-left half the vertical one.
    MoveMouse(form, left + 20, top + 10);
    QCOMPARE(label->text(), QString("  1 oriz. -Nota musicale "));
    QCOMPARE(form.CurrentPointer(), editor::Pointer::SizeWE);
    QCOMPARE(label->pos(), QPoint(left + 20 - 19, top + 22));
    MoveMouse(form, left + 5, top + 20);
    QCOMPARE(label->text(), QString("  1 vert. - "));
    QCOMPARE(form.CurrentPointer(), editor::Pointer::SizeNS);
    MoveMouse(form, left + cell + 5, top + 5);
    QCOMPARE(label->text(), QString("  2 vert. -La prima donna "));
    // A cell that starts no word, and a place off the grid, hide the label.
    MoveMouse(form, left + cell + 5, top + cell + 5);
    QCOMPARE(form.CurrentPointer(), editor::Pointer::Default);
    QVERIFY(label->y() > form.Area()->height());
    MoveMouse(form, left - 10, top + 5);
    QVERIFY(label->y() >= form.Area()->height());

    // A cell tool shows its name wherever the pointer is.
    form.SetPointer(editor::Pointer::Icon);
    MoveMouse(form, 40, 100);
    QCOMPARE(label->text(), QString(" Casella nera "));
    QCOMPARE(label->pos(), QPoint(40, 112));
    form.SetPointer(editor::Pointer::Crosshair);
    MoveMouse(form, 50, 100);
    QCOMPARE(label->text(), QString(" Casella bianca "));
    form.SetPointer(editor::Pointer::Default);

    // A label that would pass the right edge is pushed back inside the window.
    doc.Definitions(1, 1, 1) = std::string(150, 'x');
    MoveMouse(form, left + 20, top + 10);
    QVERIFY(label->width() > 800);
    QCOMPARE(label->x(), form.Area()->width() - 1 - label->width());
}

void MainWindowTest::saveKeepsTheChangedFlagAndPromptsOnNew() {
    Program program;
    QFile::copy(testgui::DataFile("esempio.qdr"), program.Path("mio.qdr"));
    auto& form = program.Start(program.Path("mio.qdr"));
    auto& doc = form.Document();
    const document::Crossword before = doc;
    doc.Definitions(2, 1, 2) = "La prima donna";
    form.EditCycle(before);
    QVERIFY(!testgui::ReadFile(program.Path("mio.qdr")).contains("La prima donna"));
    form.MenuSalva();
    QVERIFY(testgui::ReadFile(program.Path("mio.qdr")).contains("  2  12-La prima donna\r\n"));

    // New, even after a save, asks; Annulla keeps the crossword on screen.
    program.messages.Script({Answer::Cancel});
    WithNewDialog(form, [](dialogs::FormNew& dialog) { dialog.reject(); });
    QCOMPARE(testgui::Texts(program.messages),
             QStringList{"Il file " + program.Path("mio.qdr").toUpper() + " è cambiato, si desidera salvare"});
    QCOMPARE(program.messages.shown[0].title, std::string("Modifica del file corrente"));
    QCOMPARE(program.messages.shown[0].buttons, platform::Buttons::OkCancel);
    QCOMPARE(doc.GridLine(2), std::string("..V..."));
    QVERIFY(form.windowTitle().endsWith("mio.qdr"));
}

void MainWindowTest::otherProgramsAndTheirMessages() {
    Program program;
    auto& form = program.Start();
    form.MenuPendaris();
    QCOMPARE(testgui::Texts(program.messages),
             QStringList{"Errore 53 - Non trovato Pendaris.exe controllare installazione."});
    QCOMPARE(program.messages.shown[0].icon, platform::Icon::Question);

    // A "pendaris" in a folder the open dialog browsed to is never run.
    QTemporaryDir downloaded;
    testgui::WriteFile(downloaded.filePath("pendaris"), "#!/bin/sh\n");
    QFile::setPermissions(downloaded.filePath("pendaris"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir::setCurrent(downloaded.path());
    form.MenuPendaris();
    QDir::setCurrent(program.folder.path());
    QVERIFY(program.launcher.started.empty());
    QCOMPARE(program.messages.shown.size(), 2u);
    program.messages.shown.pop_back();

    testgui::WriteFile(program.Path("pendaris"), "#!/bin/sh\n");
    form.MenuPendaris();
    QCOMPARE(program.launcher.started.size(), 1u);
    QVERIFY(QString::fromStdString(program.launcher.started[0]).endsWith("/pendaris"));

    // The help document opens with the desktop's viewer; without it, the message.
    form.MenuAiuto();
    QCOMPARE(program.messages.shown.size(), 2u);
    QVERIFY(platform::FromBytes(program.messages.shown[1].text).startsWith("Errore 53 - Non trovato WRITE.EXE"));
    testgui::WriteFile(program.Path("QUADRIVO.html"), "<p>Aiuto</p>");
    form.MenuAiuto();
    QCOMPARE(program.messages.shown.size(), 2u);
    QCOMPARE(program.launcher.opened.size(), 1u);
    QVERIFY(QString::fromStdString(program.launcher.opened[0]).endsWith("/QUADRIVO.html"));
    // A document without a program to show it: the user learns where it is.
    program.launcher.succeed = false;
    form.MenuAiuto();
    QCOMPARE(program.messages.shown.size(), 3u);
    const QString text = platform::FromBytes(program.messages.shown[2].text);
    QVERIFY(text.startsWith("Non è stato possibile aprire il documento di aiuto"));
    QVERIFY(text.endsWith(program.Path("QUADRIVO.html")));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
