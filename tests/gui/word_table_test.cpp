// The word table "Tabella Parole/Definizioni", driven offscreen.

#include "program_fixture.h"

#include "document/crossword_file.h"
#include "platform/qt/picture_box.h"
#include "words/word_table.h"

#include <QTableWidget>
#include <QtTest>

using platform::Answer;
using testgui::Click;
using testgui::Program;
using testgui::Text;
using testgui::WithDialog;

namespace {

QStringList Column(QTableWidget* table, int column) {
    QStringList texts;
    for (int r = 0; r < table->rowCount(); ++r) texts << (table->item(r, column) ? table->item(r, column)->text() : QString());
    return texts;
}

// A 3 x 3 crossword without black cells and with clues on 1-V and 2-V,
// opened from the command line.
editor::Form1& StartWithOpenGrid(Program& program) {
    testgui::WriteFile(program.Path("aperto.qdr"),
                       testgui::Crossword({"...", "...", "..."}, "  1  12-Scende\r\n  2  12-Da togliere\r\n"));
    return program.Start(program.Path("aperto.qdr"));
}

// Every clue of the clue table and every grid row, as the user would list them.
QStringList Contents(const document::Crossword& doc) {
    QStringList contents;
    for (int r = 1; r <= document::MaxRows; ++r) {
        if (r <= doc.RowCount) contents << QString::fromStdString(doc.GridLine(r));
        for (int c = 1; c <= document::MaxColumns; ++c)
            for (int d : {document::Horizontal, document::Vertical})
                if (!doc.Definitions(c, r, d).empty())
                    contents << QString("%1,%2,%3=%4").arg(c).arg(r).arg(d).arg(platform::FromBytes(doc.Definitions(c, r, d)));
    }
    return contents;
}

// Picks a table row with the mouse, then fills the two fields and presses "&Varia".
void Vary(words::CruciBro& table, int row, const QString& word, const QString& clue) {
    QTableWidget* gitter = table.Table();
    QTest::mouseClick(gitter->viewport(), Qt::LeftButton, {}, gitter->visualItemRect(gitter->item(row, 1)).center());
    if (!word.isNull()) table.findChild<QLineEdit*>("Text1")->setText(word);
    table.findChild<QLineEdit*>("Text2")->setText(clue);
    Click(table, "Command1");
}

QColor PixelAt(words::CruciBro& table, int x, int y) { return table.Picture()->Image().toImage().pixelColor(x, y); }

} // namespace

class WordTableTest : public QObject {
    Q_OBJECT
private slots:
    void wordTableEditsAndKeepsChanges();
    void wordTableRefusesBadWords();
    void keysAndButtonsKeepOrPutBack_data();
    void keysAndButtonsKeepOrPutBack();
    void resizingKeepsTheFieldsAsTyped();
};

void WordTableTest::wordTableEditsAndKeepsChanges() {
    Program program;
    auto& form = StartWithOpenGrid(program);
    auto& doc = form.Document();
    WithDialog<words::CruciBro>(form.ToolAction("Tabella"), [&](words::CruciBro& table) {
        QCOMPARE(doc.EditMode, int(document::WordTable));
        QCOMPARE(table.windowTitle(), "Quadrivo 98 - Cruciverba 3x3  " + program.Path("aperto.qdr"));
        QCOMPARE(Column(table.Table(), 0), QStringList({"1-O", "1-V", "2-V", "3-V", "4-O", "5-O"}));
        QCOMPARE(Column(table.Table(), 2)[1], QString("Scende"));
        QCOMPARE(table.Table()->currentRow(), 0);
        QCOMPARE(Text(table, "Label3"), QString("1-Orizzontale"));
        QCOMPARE(Text(table, "Text1"), QString("..."));
        const auto& g = table.Geometry();
        QCOMPARE(table.CurrentFrame().x1, g.left);
        QCOMPARE(table.CurrentFrame().x2, g.left + 3 * g.cell);
        QCOMPARE(table.CurrentFrame().y2, g.top + g.cell);
        QCOMPARE(table.Picture()->Image().toImage().pixelColor(g.left + g.cell, g.top), QColor(255, 255, 0));

        auto* word = table.findChild<QLineEdit*>("Text1");
        word->selectAll();
        QTest::keyClicks(word, "reat");  // lower case arrives in capitals; a fourth letter does not fit
        QCOMPARE(word->text(), QString("REA"));
        table.findChild<QLineEdit*>("Text2")->setText("Colpevole");
        Click(table, "Command1");
        QCOMPARE(Column(table.Table(), 1), QStringList({"REA", "R..", "E..", "A..", "...", "..."}));
        QCOMPARE(Column(table.Table(), 2)[0], QString("Colpevole"));
        QVERIFY(doc.ChangedFlag);

        // The down word 2-V, chosen with the mouse.
        QTest::mouseClick(table.Table()->viewport(), Qt::LeftButton, {},
                          table.Table()->visualItemRect(table.Table()->item(2, 1)).center());
        QCOMPARE(Text(table, "Label3"), QString("2-Verticale"));
        QCOMPARE(table.CurrentFrame().y2, g.top + 3 * g.cell);
        word->setText("EGO");
        Click(table, "Command1");
        QCOMPARE(Column(table.Table(), 1), QStringList({"REA", "R..", "EGO", "A..", ".G.", ".O."}));
        QCOMPARE(table.Table()->currentRow(), 2);
        Click(table, "Command3d1");
    });
    QCOMPARE(doc.GridLine(1), std::string("R.E.A."));
    QCOMPARE(doc.GridLine(3), std::string("..O..."));
    QCOMPARE(doc.Definitions(1, 1, 1), std::string("Colpevole"));
    QVERIFY(testgui::ReadFile(program.Path("_qdra_32.tmp")).contains("  1  11-Colpevole\r\n"));

    // Re-opening the table selects row 1.
    WithDialog<words::CruciBro>(form.MenuAction("MenuParole"), [&](words::CruciBro& table) {
        QCOMPARE(table.Table()->currentRow(), 0);
        QCOMPARE(Text(table, "Text1"), QString("REA"));
    });
}

void WordTableTest::wordTableRefusesBadWords() {
    Program program;
    auto& form = StartWithOpenGrid(program);
    auto& doc = form.Document();
    WithDialog<words::CruciBro>(form.MenuAction("MenuParole"), [&](words::CruciBro& table) {
        auto* word = table.findChild<QLineEdit*>("Text1");
        auto* clue = table.findChild<QLineEdit*>("Text2");
        word->setText("RE");
        Click(table, "Command1");
        QCOMPARE(testgui::Texts(program.messages).last(), QString("La parola deve avere obbligatoriamente 3 caratteri."));
        // The table no longer loads rows: a press only takes the frame away.
        const auto& g = table.Geometry();
        QCOMPARE(PixelAt(table, g.left + g.cell, g.top), QColor(255, 255, 0));
        QTest::mouseClick(table.Table()->viewport(), Qt::LeftButton, {},
                          table.Table()->visualItemRect(table.Table()->item(4, 1)).center());
        QCOMPARE(PixelAt(table, g.left + g.cell, g.top), QColor(0, 0, 0));
        QCOMPARE(word->text(), QString("RE"));
        table.Table()->setCurrentCell(0, 0);
        word->setText("R1A");
        clue->setText("Con una cifra");
        Click(table, "Command1");
        QCOMPARE(testgui::Texts(program.messages).last(),
                 QString("La parola contiene caratteri non ammessi (ammessi solo caratteri alfabetici da A a Z)"));
        QCOMPARE(doc.Definitions(1, 1, 1), std::string("Con una cifra"));  // the clue of the press stays
        QCOMPARE(doc.GridLine(1), std::string("......"));
        word->setText("R.A");
        Click(table, "Command1");
        QCOMPARE(doc.GridLine(1), std::string("R...A."));
        Click(table, "Command3d1");
    });
    QCOMPARE(program.messages.shown.size(), 2u);
    QCOMPARE(doc.GridLine(1), std::string("R...A."));

    // A cell character the grid cannot have ends the program.
    doc.GridLine(2)[0] = 'a';
    doc.CurrentFileName = "x";
    bool ended = false;
    {
        const document::WorkingCopy working(program.Path("_qdra_32.tmp").toStdString());
        words::CruciBro table(doc, program.messages, working, [](bool) {});
        ended = table.EndedProgram();
    }
    QVERIFY(ended);
    QCOMPARE(testgui::Texts(program.messages).last(), QString("Tipo di file non valido: Esecuzione terminata!"));
}

void WordTableTest::keysAndButtonsKeepOrPutBack_data() {
    QTest::addColumn<QString>("control");  // where the key goes, or the button pressed
    QTest::addColumn<int>("key");          // 0: a click
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("kept");        // the changes are in the crossword after the table
    QTest::newRow("Annulla") << "Command3d2" << 0 << true << false;
    QTest::newRow("Enter on Annulla") << "Command3d2" << int(Qt::Key_Return) << true << false;
    QTest::newRow("Esc in Parola") << "Text1" << int(Qt::Key_Escape) << true << false;
    QTest::newRow("Esc in Definizione") << "Text2" << int(Qt::Key_Escape) << true << false;
    QTest::newRow("closing the window") << "CruciBro" << 0 << true << false;
    QTest::newRow("Esc in the table does nothing") << "Gitter1" << int(Qt::Key_Escape) << false << false;
    QTest::newRow("Esc on Varia does nothing") << "Command1" << int(Qt::Key_Escape) << false << false;
    QTest::newRow("Enter in Parola: Varia") << "Text1" << int(Qt::Key_Return) << false << false;
    QTest::newRow("Enter in Definizione: Varia") << "Text2" << int(Qt::Key_Return) << false << false;
    QTest::newRow("Enter on Varia") << "Command1" << int(Qt::Key_Return) << false << false;
    QTest::newRow("Enter on OK") << "Command3d1" << int(Qt::Key_Return) << true << true;
}

void WordTableTest::keysAndButtonsKeepOrPutBack() {
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(bool, closes);
    QFETCH(bool, kept);
    Program program;
    auto& form = StartWithOpenGrid(program);
    auto& doc = form.Document();
    form.MenuAction("MenuSalva")->trigger();
    const QByteArray saved = testgui::ReadFile(program.Path("aperto.qdr"));
    const QByteArray working = testgui::ReadFile(program.Path("_qdra_32.tmp"));
    const QStringList before = Contents(doc);
    QVERIFY(!doc.ChangedFlag);
    WithDialog<words::CruciBro>(form.MenuAction("MenuParole"), [&](words::CruciBro& table) {
        Vary(table, 0, {}, "Nuova");        // 1-O had no clue
        Vary(table, 1, {}, "Cambiata");     // 1-V
        Vary(table, 2, {}, "");             // 2-V loses its clue
        Vary(table, 5, {}, "Altra nuova");  // 5-O had no clue
        Vary(table, 4, "AGO", "");          // 4-O: letters
        QVERIFY(doc.ChangedFlag);
        table.findChild<QLineEdit*>("Text1")->setText("ORO");  // typed, not applied
        auto* target = table.findChild<QWidget*>(control);
        if (control == table.objectName()) {
            table.close();
        } else if (key) {
            target->setFocus();
            QTest::keyClick(target, Qt::Key(key));
        } else {
            QTest::mouseClick(target, Qt::LeftButton);
        }
        QCOMPARE(table.isVisible(), !closes);
        if (!closes) QCOMPARE(doc.GridLine(2), std::string(key == Qt::Key_Return ? "O.R.O." : "A.G.O."));
    });
    QCOMPARE(doc.GridLine(2), std::string(kept ? "A.G.O." : "......"));
    QCOMPARE(Contents(doc) == before, !kept);
    QCOMPARE(doc.ChangedFlag, kept);
    QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")) == working, !kept);
    QVERIFY(program.messages.shown.empty());
    if (kept) return;
    form.MenuAction("MenuSalva")->trigger();
    QCOMPARE(testgui::ReadFile(program.Path("aperto.qdr")), saved);
}

void WordTableTest::resizingKeepsTheFieldsAsTyped() {
    Program program;
    auto& form = StartWithOpenGrid(program);
    WithDialog<words::CruciBro>(form.MenuAction("MenuParole"), [&](words::CruciBro& table) {
        Vary(table, 3, {}, "Prima");  // 3-V, down the last column
        auto* word = table.findChild<QLineEdit*>("Text1");
        auto* clue = table.findChild<QLineEdit*>("Text2");
        word->setText("RE");
        clue->setText("Non ancora applicata");
        const int cell = table.Geometry().cell;
        QTableWidget* gitter = table.Table();
        QCOMPARE(gitter->columnWidth(2), gitter->viewport()->width() * 5 / 9);
        table.setWindowState(Qt::WindowNoState);
        table.resize(table.width() / 2, table.height() / 2);
        QVERIFY(table.Geometry().cell < cell);
        QCOMPARE(gitter->columnWidth(2), gitter->viewport()->width() * 5 / 9);
        QCOMPARE(word->text(), QString("RE"));
        QCOMPARE(clue->text(), QString("Non ancora applicata"));
        // The small grid is drawn again at the new size with the frame around 3-V.
        const auto& g = table.Geometry();
        QCOMPARE(table.CurrentFrame().x1, g.left + 2 * g.cell);
        QCOMPARE(table.CurrentFrame().y2, g.top + 3 * g.cell);
        QCOMPARE(PixelAt(table, g.left + 3 * g.cell, g.top + g.cell), QColor(255, 255, 0));
        QCOMPARE(PixelAt(table, g.left, g.top + g.cell), QColor(0, 0, 0));

        // A field that takes the focus selects its whole text.
        QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(clue, &focus);
        QCoreApplication::processEvents();
        QCOMPARE(clue->selectedText(), clue->text());
    });
}

QTEST_MAIN(WordTableTest)
#include "word_table_test.moc"
