// The main window driven as a person would: start-up, New, the grid on
// screen, the floating label, the menus, Save and the unsaved-changes prompt.

#include "program_fixture.h"

#include "dialogs/new_dialog.h"
#include "platform/qt/picture_box.h"
#include "document/crossword_file.h"
#include "platform/recording/recording_surface.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using platform::Answer;
using platform::DrawCall;
using testgui::Program;

namespace {

// Runs `act` on the new-crossword dialog once it is up, while `open` runs.
void WithNewDialog(editor::Form1& form, std::function<void(dialogs::FormNew&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<dialogs::FormNew*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCoreApplication::processEvents();  // the dialog reads its models
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    form.MenuNuovo();
}

void MoveMouse(editor::Form1& form, int x, int y) { QTest::mouseMove(form.Area(), QPoint(x, y)); }

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithoutCrosswordShowingOnlyFileCommands();
    void missingVocabularyEndsTheProgram();
    void startsWithCommandLineFile();
    void commandLineFileMissingEndsTheProgram();
    void gridGeometryFollowsTheDrawingArea();
    void newCrosswordBySize();
    void newDialogRefusesSizesOutOfRange_data();
    void newDialogRefusesSizesOutOfRange();
    void newCrosswordFromModel();
    void modelLibraryProblems();
    void labelReadsOutTheWordUnderThePointer();
    void saveKeepsTheChangedFlagAndPromptsOnNew();
    void exitAsksToSaveThenEnds();
    void otherProgramsAndTheirMessages();
};

void MainWindowTest::startsWithoutCrosswordShowingOnlyFileCommands() {
    Program program;
    testgui::WriteFile(program.Path("_qdra_32.tmp"), "left by a crashed run");
    program.messages.Script({Answer::No});
    auto& form = program.Start();
    QVERIFY(!QFile::exists(program.Path("_qdra_32.tmp")));
    // The rescued work is offered, and declined.
    QCOMPARE(program.messages.shown.size(), std::size_t(1));
    QCOMPARE(program.messages.shown[0].buttons, platform::Buttons::YesNo);
    QCOMPARE(form.windowTitle(), QString("Quadrivo 98"));
    QVERIFY(form.Area()->Splash()->isVisible());
    QVERIFY(!form.Menu("MenuEdit")->menuAction()->isVisible());
    QVERIFY(!form.Menu("MenuUtiliti")->menuAction()->isVisible());
    QVERIFY(form.Menu("MenuHelp")->menuAction()->isVisible());
    QVERIFY(!form.MenuAction("MenuSalva")->isVisible());
    QVERIFY(!form.MenuAction("MenuStampa")->isVisible());
    QVERIFY(form.MenuAction("MenuNuovo")->isVisible() && form.MenuAction("MenuNuovo")->isEnabled());
    QVERIFY(form.MenuAction("MenuEsci")->isEnabled());
    QVERIFY(form.ToolAction("Nuovo")->isEnabled());
    QVERIFY(!form.ToolAction("Salva")->isEnabled());
    QVERIFY(!form.ToolAction("CasNera")->isEnabled());
    QCOMPARE(form.MenuAction("MenuSalvaCN")->text(), QString("Salva &Con nome ..."));
    QCOMPARE(form.ToolAction("Tabella")->toolTip(), QString("Vista tabellare"));
    QVERIFY(form.ToolAction("Edit")->isCheckable());
    // The vocabulary is there: a common word is found, a non-word is not.
    QVERIFY(form.Vocabulary().PatternExists("CASA"));
    QVERIFY(!form.Vocabulary().PatternExists("QXQX"));
}

void MainWindowTest::missingVocabularyEndsTheProgram() {
    Program program(false);
    auto& form = program.Start();
    QVERIFY(form.Ended());
    QCOMPARE(testgui::Texts(program.messages),
             QStringList{"Errore fatale! non trovato file di vocabolario: LESSICO.DAT"});
    QCOMPARE(program.messages.shown[0].title, std::string("Quadrivo 98"));
}

void MainWindowTest::startsWithCommandLineFile() {
    Program program;
    auto& form = program.Start(testgui::DataFile("esempio.qdr"));
    QVERIFY(!form.Ended());
    QVERIFY(program.messages.shown.empty());
    QCOMPARE(form.windowTitle(), "Quadrivo 98 - Cruciverba 3x3  " + testgui::DataFile("esempio.qdr"));
    QVERIFY(!form.Area()->Splash()->isVisible());
    QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), testgui::ReadFile(testgui::DataFile("esempio.qdr")));
    QCOMPARE(form.Document().GridLine(2), std::string("..V..."));
    QCOMPARE(form.Document().Definitions(1, 1, 1), std::string("Nota musicale"));
    QVERIFY(!form.Document().ChangedFlag);
    QVERIFY(form.Menu("MenuEdit")->menuAction()->isVisible());
    QVERIFY(form.MenuAction("MenuSalva")->isVisible() && form.MenuAction("MenuSalva")->isEnabled());
    QVERIFY(form.ToolAction("Salva")->isEnabled());
    QVERIFY(form.MenuAction("MenuStampa")->isEnabled());
    QVERIFY(form.ToolAction("Stampa")->isEnabled());

    // A later activation reloads the working file and keeps the crossword.
    form.Activate();
    QCOMPARE(form.Document().GridLine(1), std::string("R.E.**"));
}

void MainWindowTest::commandLineFileMissingEndsTheProgram() {
    Program program;
    const QString name = program.Path("NONCE.QDR");
    auto& form = program.Start(name);
    QVERIFY(form.Ended());
    QCOMPARE(testgui::Texts(program.messages),
             QStringList{"Errore: Cruciverba  " + name + "  Non trovato! Esecuzione terminata."});
    QCOMPARE(program.messages.shown[0].title, std::string("Quadrivo "));
}

void MainWindowTest::gridGeometryFollowsTheDrawingArea() {
    Program program;
    QString rows;
    for (int r = 0; r < 13; ++r) rows += QString(30, 'H') + "\r\n";
    rows.replace(0, 2, "D*");             // (1,1) black
    rows.replace(2, 2, "[.");             // (2,1) holds "A"
    testgui::WriteFile(program.Path("grande.qdr"),
                       "Autore     : A\r\nData       : 01-01-2000\r\nTipo       : Crociate Normale\r\n"
                       "Dimensioni : 15x13\r\n" + rows.toLatin1());
    auto& form = program.Start(program.Path("grande.qdr"));
    QCOMPARE(form.Area()->size(), QSize(800, 553));

    platform::RecordingSurface recorder(&form.Area()->Surface());
    form.WatchDrawing(&recorder);
    form.DrawGrid();
    form.WatchDrawing(nullptr);
    const auto& doc = form.Document();
    QCOMPARE(doc.CellSize, 38);
    QCOMPARE(doc.GridLeft, 115);
    QCOMPARE(doc.GridTop, 33);

    const auto fills = recorder.Calls(DrawCall::Fill);
    QVERIFY(fills.size() >= 2);
    QCOMPARE(fills[0].color, platform::colors::White);
    QCOMPARE(QRectF(fills[0].x1, fills[0].y1, fills[0].x2, fills[0].y2), QRectF(113, 31, 687, 529));
    QCOMPARE(QRectF(fills[1].x1, fills[1].y1, fills[1].x2, fills[1].y2), QRectF(117, 35, 151, 69));
    const auto outlines = recorder.Calls(DrawCall::Outline);
    QCOMPARE(outlines[0].color, platform::colors::DarkRed);
    QCOMPARE(QRectF(outlines[0].x1, outlines[0].y1, outlines[0].x2, outlines[0].y2), QRectF(112, 30, 688, 530));
    QCOMPARE(QRectF(outlines[2].x1, outlines[2].y1, outlines[2].x2, outlines[2].y2), QRectF(153, 33, 191, 71));
    QCOMPARE(int(outlines.size()), 1 + 15 * 13);

    const auto texts = recorder.Calls(DrawCall::Text);
    QCOMPARE(texts[0].text, std::string("A"));
    QCOMPARE(texts[0].font.size, 38 * 20.0 / 35.0);
    QCOMPARE(texts[0].font.name, std::string("Arial"));
    // The letter is centred: its box's middle is the cell's middle, give or take rounding.
    form.Area()->Surface().SetFont(texts[0].font);
    const double width = form.Area()->Surface().TextWidth("A");
    QVERIFY(qAbs(texts[0].x1 + width / 2 - (153 + 19)) <= 0.5);
    QCOMPARE(texts[1].text, std::string("1"));
    QCOMPARE(texts[1].font.size, 7.0);
    QCOMPARE(QPointF(texts[1].x1, texts[1].y1), QPointF(155, 33));
    QCOMPARE(texts[2].text, std::string("2"));
    QCOMPARE(QPointF(texts[2].x1, texts[2].y1), QPointF(193, 33));

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
    const auto lines = document::SplitLines(testgui::ReadFile(program.Path("_qdra_32.tmp")).toStdString());
    QCOMPARE(int(lines.size()), 17);
    QCOMPARE(QString::fromStdString(std::string(lines[3])), QString("Dimensioni : 16x13"));
    QCOMPARE(QString::fromStdString(std::string(lines[4])), QString(16, 'H').replace("H", "H."));
    QVERIFY(form.Menu("MenuEdit")->menuAction()->isVisible());
    QCOMPARE(form.Document().CellSize, 38);
}

void MainWindowTest::newDialogRefusesSizesOutOfRange_data() {
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("message");
    const QString columns = "Numero caselle orizzontali consentito da 3 a 25.";
    const QString rows = "Numero caselle verticali consentito da 3 a 15.";
    QTest::newRow("2 columns") << "2" << "99" << columns;
    QTest::newRow("26 columns") << "26" << "99" << columns;
    QTest::newRow("empty") << "" << "99" << columns;
    QTest::newRow("letters") << "abc" << "99" << columns;
    QTest::newRow("25.6 columns") << "25.6" << "99" << columns;
    QTest::newRow("16 rows") << " 9" << "16" << rows;
    QTest::newRow("2.5 rows") << " 9" << "2.5" << rows;
}

void MainWindowTest::newDialogRefusesSizesOutOfRange() {
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, message);
    Program program;
    auto& form = program.Start();
    WithNewDialog(form, [&](dialogs::FormNew& dialog) {
        auto* ok = dialog.findChild<QPushButton*>("Command3d1");
        dialog.findChild<QLineEdit*>("Text1")->setText(width);
        dialog.findChild<QLineEdit*>("Text2")->setText(height);
        ok->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(testgui::Texts(program.messages), QStringList{message});
        // A good size then goes through.
        dialog.findChild<QLineEdit*>("Text1")->setText(" 9");
        dialog.findChild<QLineEdit*>("Text2")->setText("3.4");
        ok->click();
    });
    QCOMPARE(form.Document().FileLines(4), std::string("Dimensioni : 09x03"));
    QCOMPARE(form.windowTitle(), QString("Quadrivo 98 - Cruciverba 9x3  NUOVOCRU.QDR"));

    // Annulla leaves the crossword, its name and the working file as they were.
    const QByteArray before = testgui::ReadFile(program.Path("_qdra_32.tmp"));
    WithNewDialog(form, [](dialogs::FormNew& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QCOMPARE(form.Document().ColumnCount, 9);
    QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), before);
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
    MoveMouse(form, left + 15, top + 15);
    QCOMPARE(label->text(), QString("  1 oriz. -Nota musicale "));
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
    QVERIFY(doc.ChangedFlag);
    QVERIFY(testgui::ReadFile(program.Path("_qdra_32.tmp")).contains("  2  12-La prima donna"));
    QVERIFY(!testgui::ReadFile(program.Path("mio.qdr")).contains("La prima donna"));

    form.MenuSalva();
    QVERIFY(testgui::ReadFile(program.Path("mio.qdr")).contains("  2  12-La prima donna\r\n"));
    QVERIFY(doc.ChangedFlag);

    program.messages.Script({Answer::Cancel});
    WithNewDialog(form, [](dialogs::FormNew& dialog) { dialog.reject(); });
    QCOMPARE(program.messages.shown.size(), 1u);
    QCOMPARE(program.messages.shown[0].title, std::string("Modifica del file corrente"));
    QCOMPARE(program.messages.shown[0].buttons, platform::Buttons::OkCancel);
    QCOMPARE(testgui::Texts(program.messages),
             QStringList{"Il file " + program.Path("mio.qdr").toUpper() + " è cambiato, si desidera salvare"});
    // Cancelled dialog: the old crossword stays on screen.
    QCOMPARE(doc.GridLine(2), std::string("..V..."));
    QVERIFY(form.windowTitle().endsWith("mio.qdr"));
}

void MainWindowTest::exitAsksToSaveThenEnds() {
    Program program;
    QFile::copy(testgui::DataFile("esempio.qdr"), program.Path("mio.qdr"));
    auto& form = program.Start(program.Path("mio.qdr"));
    const document::Crossword before = form.Document();
    form.Document().Definitions(2, 1, 2) = "Eva";
    form.EditCycle(before);
    program.messages.Script({Answer::Ok});
    form.MenuAction("MenuEsci")->trigger();
    QVERIFY(form.Ended());
    QVERIFY(program.messages.ended);
    QVERIFY(!QFile::exists(program.Path("_qdra_32.tmp")));
    QVERIFY(testgui::ReadFile(program.Path("mio.qdr")).contains("  2  12-Eva\r\n"));
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
