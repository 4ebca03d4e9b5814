// Undo and redo in the main window, from the keyboard and the menu.

#include "program_fixture.h"

#include "words/clue_editor.h"

#include <QMenu>
#include <QtTest>

#include <random>

using platform::Answer;
using testgui::Program;

namespace {

const QByteArray kCrossword = testgui::Crossword({"RARA", "....", "*...", "...."}, "  1  11-Nota\r\n");
using testgui::CellCentre;

void Key(editor::Form1& form, QKeySequence keys) {
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keySequence(&form, keys);
    QCoreApplication::processEvents();
}

} // namespace

class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void cellToolAndClueEditorUndoFromTheKeyboard();
    void changedFlagFollowsTheSavedCrossword();
    void newStartsAnEmptyHistory();
};

void UndoTest::cellToolAndClueEditorUndoFromTheKeyboard() {
    Program program;
    testgui::WriteFile(program.Path("mio.qdr"), kCrossword);
    auto& form = program.Start(program.Path("mio.qdr"));
    auto& doc = form.Document();
    QAction* undo = form.MenuAction("MenuAnnulla");
    QAction* redo = form.MenuAction("MenuRipristina");
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    QVERIFY(!form.ToolAction("Annulla")->isEnabled());
    QCOMPARE(undo->text(), QString("&Annulla"));
    const QByteArray opened = testgui::ReadFile(program.Path("_qdra_32.tmp"));

    form.ToolAction("CasNera")->trigger();
    QTest::mouseClick(form.Area(), Qt::LeftButton, {}, CellCentre(form, 2, 2));
    QCOMPARE(doc.Cell(2, 2), '*');
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->text(), QString("&Annulla casella nera"));
    QCOMPARE(form.ToolAction("Annulla")->toolTip(), QString("Annulla casella nera"));
    const QByteArray blackened = testgui::ReadFile(program.Path("_qdra_32.tmp"));

    // A word and its clue through the clue editor.
    form.ToolAction("Edit")->trigger();
    const QPoint start(doc.GridLeft + 4, doc.GridTop + 3 * doc.CellSize + doc.CellSize - 4);
    QTest::mouseMove(form.Area(), start);
    testgui::WithShowings<words::CruciDef>([&] { QTest::mouseClick(form.Area(), Qt::LeftButton, {}, start); },
                                           {[](words::CruciDef& editor) {
                                               editor.findChild<QLineEdit*>("Text2")->setText("ROMA");
                                               editor.findChild<QLineEdit*>("Text1")->setText("Capitale");
                                               testgui::Click(editor, "Command3D1");
                                           }});
    QCOMPARE(doc.GridLine(4), std::string("R.O.M.A."));
    QCOMPARE(undo->text(), QString("&Annulla parola/definizione"));

    Key(form, QKeySequence::Undo);
    QCOMPARE(doc.GridLine(4), std::string("........"));
    QCOMPARE(doc.Definitions(1, 4, 1), std::string());
    QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), blackened);
    QCOMPARE(redo->text(), QString("Ri&pristina parola/definizione"));
    Key(form, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), opened);
    QCOMPARE(doc.Cell(2, 2), '.');
    QVERIFY(!undo->isEnabled());

    Key(form, QKeySequence(Qt::CTRL | Qt::Key_Y));
    QCOMPARE(doc.Cell(2, 2), '*');
    Key(form, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QCOMPARE(doc.GridLine(4), std::string("R.O.M.A."));
    QCOMPARE(doc.Definitions(1, 4, 1), std::string("Capitale"));
    QVERIFY(!redo->isEnabled());

    // Out of reach during the print preview, like the rest of "&Edit".
    form.MenuAction("MenuAnteprima")->trigger();
    QVERIFY(!form.ToolAction("Annulla")->isEnabled());
    QVERIFY(!form.Menu("MenuEdit")->menuAction()->isVisible());
}

void UndoTest::changedFlagFollowsTheSavedCrossword() {
    // Random runs of edit, undo, redo and save against a plain model. The
    // flag is never clear while the grid differs from what was last saved
    // or opened; an undo or redo sets it exactly when the grid then differs;
    // a save leaves it as it was (New, Open and Exit still ask after a save).
    // Every edit blackens a cell never blackened before, so no two roads
    // reach the same grid.
    const QByteArray open8x8 = "Autore     : Prova\r\nData       : 01-01-2026\r\nTipo       : Crociate Normale\r\n"
                               "Dimensioni : 08x08\r\n" + QByteArray("................\r\n").repeated(8);
    for (unsigned seed : {1u, 2u, 3u}) {
        Program program;
        testgui::WriteFile(program.Path("mio.qdr"), open8x8);
        auto& form = program.Start(program.Path("mio.qdr"));
        auto& doc = form.Document();
        auto grid = [&] {
            std::string cells;
            for (int r = 1; r <= doc.RowCount; ++r)
                for (int c = 1; c <= doc.ColumnCount; ++c) cells += doc.Cell(c, r);
            return cells;
        };
        std::string saved = grid();
        std::mt19937 random(seed);
        int nextCell = 0;
        QString road;
        for (int step = 0; step < 50; ++step) {
            const std::string gridBefore = grid();
            const bool flagBefore = doc.ChangedFlag;
            bool expected = flagBefore;
            switch (random() % 4) {
            case 0:
                if (nextCell >= 64) continue;
                form.ToolAction("CasNera")->trigger();
                QTest::mouseClick(form.Area(), Qt::LeftButton, {},
                                  CellCentre(form, 1 + nextCell % 8, 1 + nextCell / 8));
                ++nextCell;
                road += " edit";
                expected = true;
                break;
            case 1:
            case 2:
                form.MenuAction(random() % 2 ? "MenuAnnulla" : "MenuRipristina")->trigger();
                road += " step";
                if (grid() != gridBefore) expected = grid() != saved;
                break;
            case 3:
                form.MenuAction("MenuSalva")->trigger();
                saved = grid();
                road += " save";
                break;
            }
            const QString where = QString::number(seed) + ":" + road;
            QVERIFY2(doc.ChangedFlag || grid() == saved, qPrintable(where));
            QVERIFY2(doc.ChangedFlag == expected, qPrintable(where));
        }
        QVERIFY(program.messages.shown.empty());
    }
}

void UndoTest::newStartsAnEmptyHistory() {
    Program program;
    testgui::WriteFile(program.Path("mio.qdr"), kCrossword);
    auto& form = program.Start(program.Path("mio.qdr"));
    auto& doc = form.Document();
    form.ToolAction("AggColonna")->trigger();
    form.MenuAction("MenuSalva")->trigger();
    // New starts an empty history.
    testgui::WithDialog<QDialog>(form.MenuAction("MenuNuovo"), [](QDialog& dialog) {
        QTest::keyClick(dialog.findChild<QLineEdit*>("Text1"), Qt::Key_Return);
    });
    QCOMPARE(doc.CurrentFileName, std::string("NUOVOCRU.QDR"));
    QVERIFY(!form.MenuAction("MenuAnnulla")->isEnabled());
    QVERIFY(!form.MenuAction("MenuRipristina")->isEnabled());
}

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
