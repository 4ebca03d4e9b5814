// Undo and redo in the main window, from the keyboard and the menu.

#include "program_fixture.h"

#include "words/clue_editor.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

using platform::Answer;
using testgui::Program;

namespace {

const QByteArray kCrossword =
    "Autore     : Zampetti Olindo\r\nData       : 28-01-1998\r\nTipo       : Crociate Normale\r\n"
    "Dimensioni : 04x04\r\nl.[.l.[.\r\nH.H.H.H.\r\nD*H.H.H.\r\nH.H.H.H.\r\n  1  11-Nota\r\n";

QPoint CellCentre(editor::Form1& form, int column, int row) {
    const auto& doc = form.Document();
    return {doc.GridLeft + (column - 1) * doc.CellSize + doc.CellSize / 2,
            doc.GridTop + (row - 1) * doc.CellSize + doc.CellSize / 2};
}

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
    void undoBackToTheSavedCrosswordClearsTheFlag();
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
    QTimer::singleShot(0, [] {
        auto* editor = qobject_cast<words::CruciDef*>(QApplication::activeModalWidget());
        QVERIFY(editor);
        editor->findChild<QLineEdit*>("Text2")->setText("ROMA");
        editor->findChild<QLineEdit*>("Text1")->setText("Capitale");
        editor->findChild<QPushButton*>("Command3D1")->click();
    });
    QTest::mouseClick(form.Area(), Qt::LeftButton, {}, start);
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

void UndoTest::undoBackToTheSavedCrosswordClearsTheFlag() {
    Program program;
    testgui::WriteFile(program.Path("mio.qdr"), kCrossword);
    auto& form = program.Start(program.Path("mio.qdr"));
    auto& doc = form.Document();
    form.ToolAction("AggColonna")->trigger();
    QVERIFY(doc.ChangedFlag);
    QCOMPARE(form.MenuAction("MenuAnnulla")->text(), QString("&Annulla Aggiungi colonna"));
    form.MenuAction("MenuAnnulla")->trigger();
    QCOMPARE(doc.ColumnCount, 4);
    QVERIFY(!doc.ChangedFlag);
    // Exit then asks nothing.
    form.MenuAction("MenuRipristina")->trigger();
    QCOMPARE(doc.ColumnCount, 5);
    QVERIFY(doc.ChangedFlag);
    form.MenuAction("MenuSalva")->trigger();
    form.MenuAction("MenuAnnulla")->trigger();
    QVERIFY(doc.ChangedFlag);
    form.MenuAction("MenuRipristina")->trigger();
    QVERIFY(!doc.ChangedFlag);

    // New starts an empty history.
    QTimer::singleShot(0, [] {
        auto* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        QTest::keyClick(dialog->findChild<QLineEdit*>("Text1"), Qt::Key_Return);
    });
    form.MenuAction("MenuNuovo")->trigger();
    QCOMPARE(doc.CurrentFileName, std::string("NUOVOCRU.QDR"));
    QVERIFY(!form.MenuAction("MenuAnnulla")->isEnabled());
    QVERIFY(!form.MenuAction("MenuRipristina")->isEnabled());
}

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
