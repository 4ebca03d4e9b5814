// The suggestions beside the clue editor: an earlier clue of the word from
// the folder's crossword files and the thesaurus's synonyms, picked with
// Enter or a double click, kept by OK and thrown away by Annulla.

#include "program_fixture.h"

#include "document/word_map.h"
#include "tests/core/test_grids.h"
#include "tests/core/test_vocabulary.h"
#include "words/clue_editor.h"
#include "words/suggestions.h"

#include <QTreeWidget>
#include <QtTest>

using testgui::Click;

class SuggestionsTest : public QObject {
    Q_OBJECT
private slots:
    void pickedSuggestionFillsTheClueUntilOkOrAnnulla_data();
    void pickedSuggestionFillsTheClueUntilOkOrAnnulla();
};

void SuggestionsTest::pickedSuggestionFillsTheClueUntilOkOrAnnulla_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("clue");  // kept in the document afterwards
    QTest::newRow("OK") << "Command3D1" << "ruota";
    QTest::newRow("Annulla") << "Command3D2" << "Vecchia";
}

void SuggestionsTest::pickedSuggestionFillsTheClueUntilOkOrAnnulla() {
    QFETCH(QString, button);
    QFETCH(QString, clue);
    QTemporaryDir folder;
    words::SuggestionSources::Instance().Configure(folder.filePath("indice/archivio.txt"),
                                                   testgui::DataFile("sinonimi/prova.dat"),
                                                   testgui::DataFile("sinonimi/forme.txt"));
    // An earlier crossword with MOLA, beside the one being clued.
    testgui::WriteFile(folder.filePath("vecchio.qdr"),
                       "Autore     : Prova\r\nData       : 01-01-2000\r\nTipo       : Crociate Normale\r\n"
                       "Dimensioni : 04x03\r\ng.i.f.[.\r\nD*D*D*D*\r\nD*D*D*D*\r\n  1  11-Macina di pietra\r\n");
    testgui::WriteFile(folder.filePath("nuovo.qdr"), "");

    document::Crossword doc = testgrids::MakeCrossword({"MOLA*", ".....", "....."});
    document::ComputeWordMap(doc);
    doc.Definitions(1, 1, document::Horizontal) = "Vecchia";
    doc.CurrentColumn = doc.CurrentRow = doc.CurrentDirection = 1;
    doc.CurrentFileName = platform::PathBytes(folder.filePath("nuovo.qdr"));
    vocabulary::Vocabulary vocab = testgrids::MakeVocabulary({{4, {"MOLA"}}});
    platform::RecordingMessages messages;

    words::CruciDef editor(doc, vocab, messages, [](platform::Pointer) {}, QPoint(0, 0), 0);
    QStringList shown, fieldAfterEnter, fieldAfterDoubleClick;
    QTimer::singleShot(0, [&] {
        Click(editor, "Command3D5");
        auto* window = editor.findChild<words::Suggerimenti*>("Suggerimenti");
        QVERIFY2(window && window->isVisible(), "the Suggerimenti window did not open");
        QTRY_VERIFY2_WITH_TIMEOUT(window->Shown().contains("Macina di pietra"),
                                  "the archive update never brought the earlier clue of MOLA", 20000);
        shown = window->Shown();
        auto* list = window->findChild<QTreeWidget*>("Lista1");
        auto* field = editor.findChild<QLineEdit*>("Text1");
        // Enter on the first suggestion, then a double click on a synonym.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        fieldAfterEnter << field->text();
        const auto found = list->findItems("ruota", Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY2(found.size() == 1, "the synonym ruota is not listed once");
        const QPoint place = list->visualItemRect(found.front()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place);
        fieldAfterDoubleClick << field->text();
        QCOMPARE(doc.Definitions(1, 1, document::Horizontal), std::string("Vecchia"));
        Click(editor, button.toLatin1().constData());
    });
    QTimer::singleShot(30000, &editor, [&] {
        if (editor.isVisible()) editor.reject();
    });
    editor.exec();

    QCOMPARE(shown, QStringList({"Macina di pietra", "Macina", "macina", "ruota"}));
    QCOMPARE(fieldAfterEnter, QStringList{"Macina di pietra"});
    QCOMPARE(fieldAfterDoubleClick, QStringList{"ruota"});
    QCOMPARE(platform::FromBytes(doc.Definitions(1, 1, document::Horizontal)), clue);
}

QTEST_MAIN(SuggestionsTest)
#include "suggestions_test.moc"
