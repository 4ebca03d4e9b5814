// The automatic fill with a scripted answerer, scripted draws and small
// vocabularies: slot order, exclusions, questions, restart and stop.

#include "document/crossword_file.h"
#include "document/word_map.h"
#include "fill/auto_fill.h"
#include "platform/recording/recording_messages.h"
#include "test_grids.h"
#include "test_vocabulary.h"

#include <gtest/gtest.h>

#include <deque>

using namespace document;
using platform::Answer;
using platform::RecordingMessages;
using testgrids::MakeCrossword;
using testgrids::MakeVocabulary;
using testgrids::RowCells;

namespace {

// Draws come from a script (0 when it runs out); every placement is
// remembered by its first cell and the letters shown.
class ScriptedHost : public fill::FillHost {
public:
    void Redraw(Crossword& doc) override {
        ++redraws;
        RecordingMessages quiet;
        bool complete = false;
        ReadCrossword(doc, EncodeCrossword(doc, complete), quiet);
        ComputeWordMap(doc);
        doc.CellSize = 10;
        doc.GridLeft = 0;
        doc.GridTop = 0;
    }
    void ShowLetter(const Crossword&, int column, int row, char letter) override {
        if (pending.empty()) placements.emplace_back(column, row);
        pending += letter;
    }
    void Show() override {
        words.push_back(pending);
        pending.clear();
    }
    double Random() override {
        ++draws;
        if (script.empty()) return 0;
        const double u = script.front();
        script.pop_front();
        return u;
    }
    void Busy(bool busy) override { busyNow = busy; }

    std::deque<double> script;
    std::vector<std::pair<int, int>> placements;  // the first cell of every word placed
    std::vector<std::string> words;              // the letters shown, word by word
    std::string pending;
    int redraws = 0;
    int draws = 0;
    bool busyNow = false;
};

fill::FillReport Fill(Crossword& doc, vocabulary::Vocabulary& vocab, RecordingMessages& messages,
                      ScriptedHost& host) {
    ComputeWordMap(doc);
    return fill::AutoFill(doc, vocab, messages, host);
}

const std::string kChoice =
    "\r<Si> per accettare\r<No> per iniziare l'estrazione da capo\r<Annulla> per interrompere "
    "l'estrazione\rVa bene ?\r";

} // namespace

TEST(AutoFill, DecliningTheOpeningQuestionChangesNothing) {
    Crossword doc = MakeCrossword({"CASA", "....", "...."});
    doc.Definitions(1, 1, Horizontal) = "Abitazione";
    doc.EditMode = ClueMode;
    auto vocab = MakeVocabulary({{4, {"MARE"}}});
    RecordingMessages messages;
    messages.Script({Answer::Cancel});
    ScriptedHost host;
    const auto report = Fill(doc, vocab, messages, host);
    EXPECT_FALSE(report.started);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Estrazione automatica parole");
    EXPECT_EQ(messages.shown[0].buttons, platform::Buttons::OkCancel);
    EXPECT_EQ(messages.shown[0].text,
              "L'estrazione automatica delle parole dal vocabolario, azzera il cruciverba corrente ed "
              "inoltre richiede un processore molto veloce, \xE8 possibile interrompere questa operazione "
              "solamente durante i messaggi di errore sulla estrazione, si desidera comunque procedere?");
    EXPECT_EQ(RowCells(doc, 1), "CASA");
    EXPECT_EQ(doc.Definitions(1, 1, Horizontal), "Abitazione");
    EXPECT_FALSE(doc.ChangedFlag);
    EXPECT_EQ(doc.EditMode, ClueMode);
    EXPECT_EQ(host.redraws, 0);
}

TEST(AutoFill, FillsLongestFirstInReadingOrderAcrossBeforeDown) {
    Crossword doc = MakeCrossword({".....", ".*.*.", "....."});
    doc.Definitions(1, 1, Horizontal) = "vecchia";
    auto vocab = MakeVocabulary({{5, {"CASTA", "ROSSO"}}, {3, {"CAR", "SSS", "AOO", "ZZZ"}}});
    RecordingMessages messages;
    ScriptedHost host;
    host.script = {0.0, 0.99};
    const auto report = Fill(doc, vocab, messages, host);
    ASSERT_TRUE(report.started);
    EXPECT_EQ(messages.shown.size(), 1u);  // the opening question only
    // Row 1 then row 3 (five letters), then the downs at columns 1, 3, 5.
    EXPECT_EQ(host.placements, (std::vector<std::pair<int, int>>{{1, 1}, {1, 3}, {1, 1}, {3, 1}, {5, 1}}));
    EXPECT_EQ(RowCells(doc, 1), "CASTA");
    EXPECT_EQ(RowCells(doc, 3), "ROSSO");
    EXPECT_EQ(RowCells(doc, 2), "A*S*O");
    EXPECT_EQ(host.draws, 5);  // one draw per slot
    EXPECT_EQ(report.filled, 5);
    EXPECT_EQ(report.empty, 0);
    EXPECT_EQ(doc.Definitions(1, 1, Horizontal), "");
    EXPECT_TRUE(doc.ChangedFlag);
    EXPECT_EQ(doc.EditMode, NoTool);
    EXPECT_FALSE(host.busyNow);
    // The letters are in the grid rows and were shown as they were placed.
    EXPECT_EQ(doc.GridLine(2), "A.**S.**O.");
    EXPECT_EQ(host.words.size(), 5u);
}

TEST(AutoFill, FreeSlotsNeverGetQOrHButFixedLettersAllowThem) {
    for (double u : {0.0, 0.5, 0.99}) {
        Crossword doc = MakeCrossword({".....", ".****", ".****"});
        auto vocab = MakeVocabulary({{5, {"QUOTA", "HOTEL", "BARCA"}}, {3, {"BHO", "BAR"}}});
        RecordingMessages messages;
        ScriptedHost host;
        host.script = {u, 0.0};
        Fill(doc, vocab, messages, host);
        EXPECT_EQ(RowCells(doc, 1), "BARCA") << u;
        EXPECT_EQ(RowCells(doc, 2)[0], 'H') << u;  // "B  " chose BHO, the first of BHO and BAR
    }
}

TEST(AutoFill, AsksWhenASlotHasNoWordAndSkipsThreeLetterSlotsSilently) {
    Crossword doc = MakeCrossword({"....", "*.*.", "*...", "****"});
    auto vocab = MakeVocabulary({{4, {}}, {3, {"ZZA"}}});
    RecordingMessages messages;
    messages.Script({Answer::Ok, Answer::Yes, Answer::Yes});
    ScriptedHost host;
    const auto report = Fill(doc, vocab, messages, host);
    ASSERT_EQ(messages.shown.size(), 3u);
    // Row 1 has no four-letter word at all.
    EXPECT_EQ(messages.shown[1].text,
              "Parola orizzontale 1 alle coordinate 1,1 non trovata nel vocabolario: '....'" + kChoice);
    EXPECT_EQ(messages.shown[1].buttons, platform::Buttons::YesNoCancel);
    EXPECT_EQ(messages.shown[1].title, "Quadrivo 98");
    EXPECT_EQ(messages.shown[1].icon, platform::Icon::None);
    // ZZA down column 2 leaves row 1 as ".Z..", which ZZA down column 4 then
    // crosses: a dead crossing of four letters.
    EXPECT_EQ(messages.shown[2].text,
              "Sulla parola verticale alla posizione 4,1 c'\xE8 un incrocio orizzontale non trovato nel "
              "vocabolario: '.Z..'" + kChoice);
    // Row 3 across is then "A A", with no word: skipped without a question.
    EXPECT_EQ(RowCells(doc, 1), ".Z.Z");
    EXPECT_EQ(RowCells(doc, 3), "*A.A");
    EXPECT_EQ(report.questions, 2);
    EXPECT_EQ(report.empty, 2);
    EXPECT_EQ(report.filled, 2);
}

TEST(AutoFill, AsksAboutDeadCrossingsLongerThanThree) {
    // Two five-letter words across rows 1 and 4, crossed by a four-letter
    // word down column 2 that is filled after them.
    Crossword doc = MakeCrossword({".....", "*.***", "*.***", "....."});
    auto vocab = MakeVocabulary({{5, {"CASTA", "MARMO"}}, {4, {"BXXX"}}});
    RecordingMessages messages;
    messages.Script({Answer::Ok, Answer::Yes, Answer::Yes});
    ScriptedHost host;
    const auto report = Fill(doc, vocab, messages, host);
    ASSERT_EQ(messages.shown.size(), 3u);
    // The crossing as it stood before the candidate: "A" from row 1 only.
    EXPECT_EQ(messages.shown[1].text,
              "Sulla parola orizzontale alla posizione 1,4 c'\xE8 un incrocio verticale non trovato nel "
              "vocabolario: 'A...'" + kChoice);
    EXPECT_EQ(RowCells(doc, 4), "CASTA");  // Yes places the word anyway
    EXPECT_EQ(messages.shown[2].text,
              "Parola verticale 2 alle coordinate 2,1 non trovata nel vocabolario: 'A..A'" + kChoice);
    EXPECT_EQ(report.questions, 2);
}

TEST(AutoFill, DeadCrossingOfThreeLettersPlacesWithoutQuestion) {
    Crossword doc = MakeCrossword({"....", "*.**", "....", "****"});
    auto vocab = MakeVocabulary({{4, {"CASA"}}, {3, {"BBB"}}});
    RecordingMessages messages;
    ScriptedHost host;
    const auto report = Fill(doc, vocab, messages, host);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(RowCells(doc, 1), "CASA");
    EXPECT_EQ(RowCells(doc, 3), "CASA");  // its crossing "A  " has no word, but only three letters
    EXPECT_EQ(report.empty, 1);           // and "A A" down is skipped
}

TEST(AutoFill, CancelKeepsWhatWasPlaced) {
    // Row 1 takes CASTA; row 3 has no four-letter word and asks.
    Crossword doc = MakeCrossword({".....", "*****", "....*"});
    doc.GridLine(3) = "Q.Q.Q.Q.**";
    doc.Definitions(1, 3, Horizontal) = "persa";
    auto vocab = MakeVocabulary({{5, {"CASTA"}}, {4, {}}});
    RecordingMessages messages;
    messages.Script({Answer::Ok, Answer::Cancel});
    ScriptedHost host;
    const auto report = Fill(doc, vocab, messages, host);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
              "Parola orizzontale 2 alle coordinate 1,3 non trovata nel vocabolario: '....'" + kChoice);
    EXPECT_EQ(doc.GridLine(1), "C.A.S.T.A.");
    EXPECT_EQ(doc.GridLine(3), "........**");  // the clearing emptied the old letters
    EXPECT_EQ(doc.Definitions(1, 3, Horizontal), "");
    EXPECT_EQ(report.restarts, 0);
    EXPECT_EQ(report.filled, 1);
    EXPECT_EQ(host.redraws, 2);  // the clearing and the end of the run
}

TEST(AutoFill, NoStartsAgainFromAnEmptyGrid) {
    Crossword doc = MakeCrossword({".....", "*****", "....*"});
    auto vocab = MakeVocabulary({{5, {"CASTA", "MARMO"}}, {4, {}}});
    RecordingMessages messages;
    messages.Script({Answer::Ok, Answer::No, Answer::Yes});
    ScriptedHost host;
    host.script = {0.0, 0.0, 0.99, 0.0};
    const auto report = Fill(doc, vocab, messages, host);
    EXPECT_EQ(report.restarts, 1);
    EXPECT_EQ(report.questions, 2);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[1].text, messages.shown[2].text);
    EXPECT_EQ(RowCells(doc, 1), "MARMO");  // the second pass drew again
    EXPECT_EQ(host.redraws, 3);            // two clearings and the end
}

TEST(AutoFill, GridsWithoutSlotsJustClear) {
    const std::vector<std::vector<std::string>> grids = {
        {"A*B", "*C*", "D*E"}, {"***", "***", "***"}, {"AB*", "*CD", "**E"}};
    for (const auto& rows : grids) {
        Crossword doc = MakeCrossword({rows[0], rows[1], rows[2]});
        ComputeWordMap(doc);
        doc.Definitions(1, 1, Horizontal) = "via";
        auto vocab = MakeVocabulary({{3, {"ABC"}}});
        RecordingMessages messages;
        ScriptedHost host;
        const auto report = Fill(doc, vocab, messages, host);
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(report.filled + report.empty, 0);
        EXPECT_EQ(host.draws, 0);
        for (int r = 1; r <= 3; ++r)
            for (char ch : RowCells(doc, r)) EXPECT_TRUE(ch == '.' || ch == '*') << rows[0];
        EXPECT_EQ(doc.Definitions(1, 1, Horizontal), rows[0] == "AB*" ? "" : "via");
    }
}

TEST(AutoFill, WideGridsTreatLongCrossingsAsAcceptable) {
    // 25 columns: the across words of rows 1 and 3 are 25 letters long and
    // never slots; the downs are three letters and cross them.
    std::string open(25, '.');
    Crossword doc = MakeCrossword({open, std::string(25, '.'), open});
    auto vocab = MakeVocabulary({{3, {"ALA"}}});
    RecordingMessages messages;
    ScriptedHost host;
    const auto report = Fill(doc, vocab, messages, host);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(report.filled, 25);
    EXPECT_EQ(RowCells(doc, 2), std::string(25, 'L'));
}
