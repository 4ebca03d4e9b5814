// Grid editing driven with the mouse: the cell tools, columns and rows, and
// clue mode with the clue editor and its masked search.

#include "program_fixture.h"

#include "document/crossword_file.h"
#include "words/clue_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QtTest>

#include <random>

using testgui::Program;
using testgui::Text;

namespace {

// A crossword file written in the test, in the program's folder.
QString WriteCrossword(Program& program, const QString& name, const QStringList& rows, const QByteArray& clues = {}) {
    testgui::WriteFile(program.Path(name), testgui::Crossword(rows, clues));
    return program.Path(name);
}

using testgui::CellCentre;

// Qt drops a move to where the pointer already is, so go there by a step.
void MoveTo(editor::Form1& form, QPoint at) {
    QTest::mouseMove(form.Area(), at + QPoint(1, 1));
    QTest::mouseMove(form.Area(), at);
}

void Click(editor::Form1& form, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    MoveTo(form, at);
    QTest::mouseClick(form.Area(), button, {}, at);
}

// Clicks a word start in clue mode (upper-right half: across; lower-left:
// down) and runs `act` on the clue editor while it is open.
void WithClueEditor(editor::Form1& form, int column, int row, bool across,
                    std::function<void(words::CruciDef&)> act) {
    const auto& doc = form.Document();
    const QPoint corner(doc.GridLeft + (column - 1) * doc.CellSize, doc.GridTop + (row - 1) * doc.CellSize);
    const QPoint at = corner + (across ? QPoint(doc.CellSize - 4, 4) : QPoint(4, doc.CellSize - 4));
    MoveTo(form, at);  // the pointer read-out picks the word
    testgui::WithShowings<words::CruciDef>([&] { QTest::mouseClick(form.Area(), Qt::LeftButton, {}, at); }, {act});
}

} // namespace

class GridEditingTest : public QObject {
    Q_OBJECT
private slots:
    void blackAndWhiteCellTools();
    void columnsAndRowsWithinTheirLimits();
    void clueEditorSearchesPicksAndConfirms();
    void clueEditorRefusesBadWordsAndKeepsWhatWasTyped();
    void longWordsAreRefusedBeforeTheEditor();
    void automaticFillFromTheMenu();
};

void GridEditingTest::blackAndWhiteCellTools() {
    Program program;
    auto& form = program.Start(WriteCrossword(program, "g.qdr", {"CASA", "....", "....", "...."}));
    auto& doc = form.Document();
    QCOMPARE(doc.WordNumbers(2, 2), std::int16_t(0));

    form.ToolAction("Edit")->trigger();
    form.ToolAction("CasNera")->trigger();
    QCOMPARE(doc.EditMode, int(document::BlackCellTool));
    QCOMPARE(form.CurrentPointer(), editor::Pointer::Icon);

    Click(form, CellCentre(form, 2, 1));
    QCOMPARE(doc.GridLine(1), std::string("C.**S.A."));
    QVERIFY(form.ToolAction("Edit")->isChecked());  // the cell tool ended clue mode; the button stays down
    QVERIFY(doc.ChangedFlag);
    QCOMPARE(form.CurrentPointer(), editor::Pointer::Icon);  // the tool stays
    QVERIFY(testgui::ReadFile(program.Path("_qdra_32.tmp")).contains("].D*m.[."));
    QCOMPARE(doc.WordNumbers(2, 2), std::int16_t(5));  // renumbered: (2,2) starts a word down

    // The right button ends the tool.
    Click(form, CellCentre(form, 3, 3), Qt::RightButton);
    QCOMPARE(form.CurrentPointer(), editor::Pointer::Default);
    Click(form, CellCentre(form, 3, 3));
    QCOMPARE(doc.Cell(3, 3), '.');

    form.MenuAction("MenuCB")->trigger();
    QCOMPARE(form.CurrentPointer(), editor::Pointer::Crosshair);
    Click(form, CellCentre(form, 1, 1));  // a letter, not a black cell: nothing
    QCOMPARE(doc.Cell(1, 1), 'C');
    Click(form, CellCentre(form, 2, 1));
    QCOMPARE(doc.GridLine(1), std::string("C...S.A."));  // empty, marker "." after the reload
    // A click off the grid ends the tool too.
    Click(form, QPoint(doc.GridLeft - 20, doc.GridTop + 5));
    QCOMPARE(form.CurrentPointer(), editor::Pointer::Default);
}

void GridEditingTest::columnsAndRowsWithinTheirLimits() {
    Program program;
    auto& form = program.Start(WriteCrossword(program, "g.qdr", {"ARCO", "....", "...."},
                                              "  4  12-Fine della colonna\r\n"));
    auto& doc = form.Document();

    form.MenuAction("MenuTC")->trigger();
    QCOMPARE(doc.ColumnCount, 3);
    QCOMPARE(form.windowTitle(), "Quadrivo 98 - Cruciverba 3x3  " + program.Path("g.qdr"));
    QCOMPARE(doc.EditMode, int(document::RemovedColumn));
    form.ToolAction("TogliColonna")->trigger();
    QCOMPARE(testgui::Texts(program.messages), QStringList{"Non ha senso fare un cruciverba con 3 caselle!"});
    QCOMPARE(doc.ColumnCount, 3);

    // The clue of the removed column comes back with the column.
    form.MenuAction("MenuAC")->trigger();
    QCOMPARE(doc.ColumnCount, 4);
    QCOMPARE(doc.GridLine(1), std::string("A.R.C..."));
    QCOMPARE(doc.Definitions(4, 1, 2), std::string("Fine della colonna"));  // saved as crossword_file_test has it

    for (int i = 0; i < 12; ++i) form.ToolAction("AggRiga")->trigger();
    QCOMPARE(doc.RowCount, 15);
    QCOMPARE(doc.GridLine(15), std::string(8, '.'));
    form.MenuAction("MenuAR")->trigger();
    QCOMPARE(testgui::Texts(program.messages).last(), QString("Numero massimo consentito di righe: 15"));
    for (int i = 0; i < 12; ++i) form.MenuAction("MenuTR")->trigger();
    QCOMPARE(doc.RowCount, 3);
    form.ToolAction("TogliRiga")->trigger();
    QCOMPARE(testgui::Texts(program.messages).last(), QString("Non ha senso un criciverba con meno di 3 righe"));
    for (int i = 0; i < 21; ++i) form.ToolAction("AggColonna")->trigger();
    QCOMPARE(doc.ColumnCount, 25);
    form.ToolAction("AggColonna")->trigger();
    QCOMPARE(testgui::Texts(program.messages).last(), QString("Numero massimo consentito di colonne: 25"));
    QCOMPARE(program.messages.shown.size(), 4u);
    QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")).split('\n')[3], QByteArray("Dimensioni : 25x03\r"));
}

void GridEditingTest::clueEditorSearchesPicksAndConfirms() {
    Program program;
    auto& form = program.Start(WriteCrossword(program, "g.qdr", {"MOLA*", ".....", "....."}));
    auto& doc = form.Document();
    form.ToolAction("Edit")->trigger();
    QCOMPARE(doc.EditMode, int(document::ClueMode));

    WithClueEditor(form, 1, 1, true, [](words::CruciDef& editor) {
        QCOMPARE(editor.windowTitle(), QString("Edit definizioni"));
        QCOMPARE(Text(editor, "Label1"), QString(" 1 Orizzontale "));
        QCOMPARE(Text(editor, "Text2"), QString("MOLA"));
        QCOMPARE(editor.focusWidget(), editor.findChild<QLineEdit*>("Text1"));
        QVERIFY(editor.findChild<QCheckBox*>("Check3d1_3")->isChecked());
        QVERIFY(!editor.findChild<QCheckBox*>("Check3d1_4")->isVisible());
        QTest::mouseClick(editor.findChild<QCheckBox*>("Check3d1_1"), Qt::LeftButton);
        QCOMPARE(editor.Mask(), std::string("M LA"));
        editor.findChild<QPushButton*>("Command3D4")->click();
        auto* found = editor.findChild<QComboBox*>("Combo1");
        QStringList words;
        for (int i = 0; i < found->count(); ++i) words << found->itemText(i);
        QVERIFY(words.contains("MELA") && words.contains("MOLA") && words.contains("MALA"));
        QVERIFY(std::all_of(words.begin(), words.end(), [](const QString& w) { return w[0] == 'M' && w.endsWith("LA"); }));
        QCOMPARE(Text(editor, "Label5"), QString("Trov.: %1").arg(words.size()));
        QCOMPARE(found->currentText(), words.first());
        QCOMPARE(static_cast<words::ProgressBox*>(editor.findChild<QWidget*>("Picture1"))->Filled(), 1.0);
        found->activated(words.indexOf("MELA"));
        QCOMPARE(Text(editor, "Text2"), QString("MELA"));
        auto* clue = editor.findChild<QLineEdit*>("Text1");
        QTest::keyClicks(clue, "Frutto, ");
        // Accented letters as a keyboard sends them: a key event carrying the text.
        for (QChar ch : QString::fromUtf8("è già maturo!")) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(clue, &press);
        }
        QTest::keyClick(clue, Qt::Key_Return);
    });
    QVERIFY(program.messages.shown.empty());
    QCOMPARE(doc.GridLine(1), std::string("M.E.L.A.**"));
    QCOMPARE(doc.Definitions(1, 1, 1), std::string("Frutto, \xE8 gi\xE0 maturo!"));
    QVERIFY(doc.ChangedFlag);
    QVERIFY(testgui::ReadFile(program.Path("_qdra_32.tmp")).contains("  1  11-Frutto, \xE8 gi\xE0 maturo!\r\n"));
    // The crossing word down from (2,1) follows the new letter.
    QCOMPARE(doc.CellWords(2, 1, 2), std::string("E.."));

    // A word with no letters: every box off, and the search lists the whole group.
    WithClueEditor(form, 1, 2, true, [](words::CruciDef& editor) {
        QCOMPARE(editor.Mask(), std::string("     "));
        QVERIFY(!editor.findChild<QCheckBox*>("Check3d1_0")->isChecked());
        editor.findChild<QPushButton*>("Command3D4")->click();
        QVERIFY(editor.findChild<QComboBox*>("Combo1")->count() > 1000);
        // Annulla after a pick leaves everything as it was.
        auto* found = editor.findChild<QComboBox*>("Combo1");
        found->activated(0);
        QTest::keyClick(editor.findChild<QLineEdit*>("Text1"), Qt::Key_Escape);
        QVERIFY(!editor.isVisible());
    });
    QCOMPARE(doc.GridLine(2), std::string(10, '.'));
}

void GridEditingTest::clueEditorRefusesBadWordsAndKeepsWhatWasTyped() {
    Program program;
    auto& form = program.Start(WriteCrossword(program, "g.qdr", {"MOLA*", ".....", "....."}));
    auto& doc = form.Document();
    form.ToolAction("Edit")->trigger();
    WithClueEditor(form, 1, 1, true, [&](words::CruciDef& editor) {
        auto* word = editor.findChild<QLineEdit*>("Text2");
        auto* ok = editor.findChild<QPushButton*>("Command3D1");
        QCOMPARE(word->maxLength(), 4);  // the clue's limit: clue_editor_test
        word->clear();
        QTest::keyClicks(word, "mel");
        QCOMPARE(word->text(), QString("MEL"));
        ok->click();
        QVERIFY(editor.isVisible());
        QCOMPARE(testgui::Texts(program.messages).last(), QString("La parola deve avere obbligatoriamente 4 caratteri."));
        QCOMPARE(editor.focusWidget(), word);
        for (const char* bad : {"ME1A", "ME A", "MEL\xC3\xA0"}) {
            word->setText(QString::fromUtf8(bad));
            ok->click();
            QVERIFY(editor.isVisible());
            QCOMPARE(testgui::Texts(program.messages).last(),
                     QString("La parola contiene caratteri non ammessi (ammessi solo caratteri alfabetici da A a Z)"));
        }
        // "." empties a cell.
        word->setText("M.LE");
        ok->click();
        QVERIFY(!editor.isVisible());
    });
    QCOMPARE(program.messages.shown.size(), 4u);
    QCOMPARE(doc.GridLine(1), std::string("M...L.E.**"));

    // The help text, word for word.
    WithClueEditor(form, 1, 1, true, [&](words::CruciDef& editor) {
        editor.findChild<QPushButton*>("Command3D3")->click();
    });
    QVERIFY(testgui::Texts(program.messages).last().startsWith(
        QString::fromUtf8("Inserire la definizione della parola, in questa maschera si può anche variare la parola stessa. Nel caso")));
    QVERIFY(testgui::Texts(program.messages).last().endsWith(
        QString::fromUtf8("(MELA, MALA, MULA, MOLA) dalla quale è possibile scegliere quella che ci serve.")));

    // Words of two letters open without the search.
    WithClueEditor(form, 5, 2, false, [&](words::CruciDef& editor) {
        QCOMPARE(Text(editor, "Label1"), QString(" 6 Verticale "));
        QVERIFY(!editor.findChild<QPushButton*>("Command3D4")->isVisible());
        QVERIFY(!editor.findChild<QComboBox*>("Combo1")->isVisible());
        editor.findChild<QLineEdit*>("Text1")->setText("Due");
        editor.findChild<QPushButton*>("Command3D1")->click();
    });
    QCOMPARE(doc.Definitions(5, 2, 2), std::string("Due"));
}

void GridEditingTest::longWordsAreRefusedBeforeTheEditor() {
    Program program;
    auto& form = program.Start(WriteCrossword(program, "g.qdr", {QString(16, '.'), QString(15, '.') + "*", QString(16, '*')}));
    form.ToolAction("Edit")->trigger();
    Click(form, CellCentre(form, 1, 1) + QPoint(8, -8));
    QCOMPARE(testgui::Texts(program.messages),
             QStringList{"Lunghezza consentita per una parola da 2 a 15 caratteri! Piazzare una casella nera a destra."});
    // Fifteen letters open the editor (WithShowings fails when it does not come).
    WithClueEditor(form, 1, 2, true, [&](words::CruciDef& editor) {
        QCOMPARE(editor.findChild<QLineEdit*>("Text2")->maxLength(), 15);
    });
}

void GridEditingTest::automaticFillFromTheMenu() {
    Program program;
    const QString file = WriteCrossword(program, "g.qdr", {"CASA*", ".....", "*....", ".....", "....*"},
                                        "  1  11-Abitazione\r\n");
    auto& form = program.Start(file);
    auto& doc = form.Document();
    const QByteArray original = testgui::ReadFile(file);

    // Annulla at the opening question changes nothing.
    program.messages.Script({platform::Answer::Cancel});
    form.MenuAction("MenuEstrazione")->trigger();
    QCOMPARE(testgui::Texts(program.messages).size(), 1);
    QCOMPARE(program.messages.shown[0].title, std::string("Estrazione automatica parole"));
    QCOMPARE(doc.GridLine(1), std::string("C.A.S.A.**"));
    QVERIFY(!doc.ChangedFlag);

    // Every later question is answered Si; the draws are seeded.
    std::mt19937 engine(7);
    form.SetRandomSource([&engine] { return std::uniform_real_distribution<double>(0, 1)(engine); });
    program.messages.Script({platform::Answer::Ok, platform::Answer::Yes, platform::Answer::Yes,
                             platform::Answer::Yes, platform::Answer::Yes, platform::Answer::Yes});
    form.ToolAction("Estrazione")->trigger();
    for (const auto& m : program.messages.shown)
        if (m.buttons == platform::Buttons::YesNoCancel) QCOMPARE(m.title, std::string("Quadrivo 98"));
    // The first slot, five letters down column 2, is free and always gets a
    // word; every other cell holds a letter or stayed empty.
    for (int r = 1; r <= 5; ++r) QVERIFY(doc.Cell(2, r) >= 'A' && doc.Cell(2, r) <= 'Z');
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 5; ++c)
            QVERIFY(doc.Cell(c, r) == '.' || doc.Cell(c, r) == '*' || (doc.Cell(c, r) >= 'A' && doc.Cell(c, r) <= 'Z'));
    QCOMPARE(doc.Cell(5, 1), '*');
    QCOMPARE(doc.Definitions(1, 1, 1), std::string());
    QVERIFY(doc.ChangedFlag);
    QCOMPARE(doc.EditMode, int(document::NoTool));
    QVERIFY(!form.ToolAction("Edit")->isChecked());
    QCOMPARE(form.CurrentPointer(), editor::Pointer::Default);
    QCOMPARE(testgui::ReadFile(file), original);  // the crossword's own file is untouched
    // The working file has the grid on screen, without the clue of the
    // changed word; the final grid is in the window's picture, so it
    // survives repaints: the letter of cell (2,3) is inked.
    const QByteArray working = testgui::ReadFile(program.Path("_qdra_32.tmp"));
    QVERIFY(!working.contains("Abitazione"));
    document::Crossword mirrored;
    QCOMPARE(document::ReadCrossword(mirrored, working.toStdString(), program.messages), document::LoadResult::Loaded);
    for (int r = 1; r <= 5; ++r) QCOMPARE(mirrored.GridLine(r), doc.GridLine(r));
    const QImage image = form.Area()->Image().toImage();
    const QPoint middle = CellCentre(form, 2, 3);
    bool inked = false;
    for (int x = middle.x() - doc.CellSize / 4; x < middle.x() + doc.CellSize / 4; ++x)
        for (int y = middle.y() - doc.CellSize / 4; y < middle.y() + doc.CellSize / 4; ++y)
            inked = inked || image.pixelColor(x, y).lightness() < 60;
    QVERIFY(inked);
}

QTEST_MAIN(GridEditingTest)
#include "grid_editing_test.moc"
