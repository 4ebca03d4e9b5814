// The word table "Tabella Parole/Definizioni", driven offscreen.

#include "program_fixture.h"

#include "document/crossword_file.h"
#include "platform/qt/picture_box.h"
#include "words/word_table.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
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

} // namespace

class WordTableTest : public QObject {
    Q_OBJECT
private slots:
    void wordTableEditsAndKeepsOrDropsChanges();
    void wordTableRefusesBadWords();
};

void WordTableTest::wordTableEditsAndKeepsOrDropsChanges() {
    Program program;
    testgui::WriteFile(program.Path("aperto.qdr"), "Autore     : X\r\nData       : 01-01-2000\r\nTipo       : Crociate Normale\r\n"
                                                   "Dimensioni : 03x03\r\nH.H.H.\r\nH.H.H.\r\nH.H.H.\r\n  1  12-Scende\r\n");
    auto& form = program.Start(program.Path("aperto.qdr"));
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

    // Annulla drops every change made since the table opened.
    WithDialog<words::CruciBro>(form.MenuAction("MenuParole"), [&](words::CruciBro& table) {
        QCOMPARE(table.Table()->currentRow(), 0);
        table.Table()->setCurrentCell(4, 0);
        table.findChild<QLineEdit*>("Text1")->setText("AGO");
        Click(table, "Command1");
        QCOMPARE(doc.GridLine(2)[0], 'A');
        QTest::keyClick(table.findChild<QLineEdit*>("Text2"), Qt::Key_Escape);
    });
    QCOMPARE(doc.GridLine(2), std::string("..G..."));
}

void WordTableTest::wordTableRefusesBadWords() {
    Program program;
    testgui::WriteFile(program.Path("aperto.qdr"), "Autore     : X\r\nData       : 01-01-2000\r\nTipo       : Crociate Normale\r\n"
                                                   "Dimensioni : 03x03\r\nH.H.H.\r\nH.H.H.\r\nH.H.H.\r\n");
    auto& form = program.Start(program.Path("aperto.qdr"));
    auto& doc = form.Document();
    WithDialog<words::CruciBro>(form.MenuAction("MenuParole"), [&](words::CruciBro& table) {
        auto* word = table.findChild<QLineEdit*>("Text1");
        auto* clue = table.findChild<QLineEdit*>("Text2");
        word->setText("RE");
        Click(table, "Command1");
        QCOMPARE(testgui::Texts(program.messages).last(), QString("La parola deve avere obbligatoriamente 3 caratteri."));
        // The table no longer loads rows: a press only takes the frame away.
        QTest::mouseClick(table.Table()->viewport(), Qt::LeftButton, {},
                          table.Table()->visualItemRect(table.Table()->item(4, 1)).center());
        QVERIFY(table.CurrentFrame().Empty() || word->text() == "RE");
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
    QTimer::singleShot(0, [&] {
        if (auto* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    {
        const document::WorkingCopy working(program.Path("_qdra_32.tmp").toStdString());
        words::CruciBro table(doc, program.messages, working, [](bool) {});
        ended = table.EndedProgram();
    }
    QVERIFY(ended);
    QCOMPARE(testgui::Texts(program.messages).last(), QString("Tipo di file non valido: Esecuzione terminata!"));
}

QTEST_MAIN(WordTableTest)
#include "word_table_test.moc"
