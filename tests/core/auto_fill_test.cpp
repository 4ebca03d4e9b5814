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
#include <map>
#include <tuple>

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
        if (pending.empty()) slots.emplace_back(column, row, Horizontal);
        if (pending.size() == 1 && column == std::get<0>(slots.back())) std::get<2>(slots.back()) = Vertical;
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
    void Busy(bool busy) override {
        busyNow = busy;
        busySwitches.push_back(busy);
    }

    std::deque<double> script;
    std::vector<std::tuple<int, int, int>> slots;  // first cell and direction of every word placed
    std::vector<std::string> words;              // the letters shown, word by word
    std::string pending;
    int redraws = 0;
    int draws = 0;
    bool busyNow = false;
    std::vector<bool> busySwitches;  // the hourglass on and off, in order
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
    ASSERT_EQ(messages.shown.size(), 1u);  // its title: GridEditingTest::automaticFillFromTheMenu
    EXPECT_EQ(messages.shown[0].buttons, platform::Buttons::OkCancel);
    EXPECT_EQ(messages.shown[0].text,
              "L'estrazione automatica delle parole dal vocabolario, azzera il cruciverba corrente ed "
              "inoltre richiede un processore molto veloce, \xE8 possibile interrompere questa operazione "
              "solamente durante i messaggi di errore sulla estrazione, si desidera comunque procedere?");
    EXPECT_EQ(RowCells(doc, 1) + doc.Definitions(1, 1, Horizontal), "CASAAbitazione");
    EXPECT_EQ(std::tuple(doc.ChangedFlag, doc.EditMode, host.redraws), std::tuple(false, ClueMode, 0));
}

TEST(AutoFill, FillsLongestFirstThenInReadingOrderAcrossBeforeDown) {
    // Row 2 is the one four-letter word. Cell (1,1) starts a three-letter
    // word each way, and taken column by column row 3 would come before the
    // downs at columns 2 and 3.
    Crossword doc = MakeCrossword({"...*", "....", "...*"});
    auto vocab = MakeVocabulary({{4, {"TUTU", "ROMA"}}, {3, {"ABC", "ARX", "BOY", "CMZ", "XYZ"}}});
    RecordingMessages messages;
    ScriptedHost host;
    host.script = {0.5};  // the second of two words; every later draw takes the first
    const auto report = Fill(doc, vocab, messages, host);
    ASSERT_TRUE(report.started);
    EXPECT_EQ(messages.shown.size(), 1u);  // the opening question only
    EXPECT_EQ(host.slots, (std::vector<std::tuple<int, int, int>>{{1, 2, Horizontal}, {1, 1, Horizontal}, {1, 1, Vertical},
                                                                  {2, 1, Vertical}, {3, 1, Vertical}, {1, 3, Horizontal}}));
    EXPECT_EQ(host.words, (std::vector<std::string>{"ROMA", "ABC", "ARX", "BOY", "CMZ", "XYZ"}));
    EXPECT_EQ(std::tuple(host.draws, report.filled, report.empty), std::tuple(6, 6, 0));  // one draw per slot
    // The clues emptied, the flag and the tool: GridEditingTest::automaticFillFromTheMenu.
    EXPECT_FALSE(host.busyNow);
    // The letters are in the grid rows, markers untouched.
    EXPECT_EQ(doc.GridLine(1), "A.B.C.**");
    EXPECT_EQ(RowCells(doc, 3), "XYZ*");
}

TEST(AutoFill, FillsAsTheDrawsAndTheVocabularyAllowAndAsksOnlyAboutSlotsWithoutWordsAndDeadCrossings) {
    // Every question is answered Yes; the draws take the first match unless
    // the row says otherwise.
    const std::string open(25, '.');
    const std::map<int, std::vector<std::string>> four = {{3, {"ABC", "DEF", "GIL", "MNO"}}},
                                                   qh = {{5, {"QUOTA", "HOTEL", "BARCA"}}, {3, {"BHO", "BAR"}}};
    struct Row {
        const char* name;
        std::vector<std::string> grid;
        std::map<int, std::vector<std::string>> words;
        std::deque<double> draws;
        std::vector<std::string> questions;  // in order, without the choice text
        std::vector<std::string> result;
    } rows[] = {
        {"row 1 has no four-letter word; ZZA down column 2 leaves '.Z..' dead for column 4; "
         "'A A' across row 3 is skipped without a question",
         {"....", "*.*.", "*...", "****"}, {{4, {}}, {3, {"ZZA"}}}, {},
         {"Parola orizzontale 1 alle coordinate 1,1 non trovata nel vocabolario: '....'",
          "Sulla parola verticale alla posizione 4,1 c'\xE8 un incrocio orizzontale non trovato nel "
          "vocabolario: '.Z..'"},
         {".Z.Z", "*Z*Z", "*A.A", "****"}},
        {"the crossing down column 2 begins below the black cell, as it stood before the candidate",
         {"*.***", "*****", ".....", "*.***", "*.***", "....."}, {{5, {"CASTA"}}, {4, {"BXXX"}}}, {},
         {"Sulla parola orizzontale alla posizione 1,6 c'\xE8 un incrocio verticale non trovato nel "
          "vocabolario: 'A...'",
          "Parola verticale 2 alle coordinate 2,3 non trovata nel vocabolario: 'A..A'"},
         {"*.***", "*****", "CASTA", "*.***", "*.***", "CASTA"}},
        {"a dead crossing of three letters places the word without a question",
         {"....", "*.**", "....", "****"}, {{4, {"CASA"}}, {3, {"BBB"}}}, {}, {},
         {"CASA", "*.**", "CASA", "****"}},
        {"the dead 'B  ' across row 2 ends the test of 3-V before the dead 'D   ' across row 4",
         {".****", "...**", ".*.**", "....*", ".*.**"}, {{5, {"ABCDE"}}, {4, {"WXYZ"}}, {3, {"ZZZ"}}}, {},
         {"Parola orizzontale 4 alle coordinate 1,4 non trovata nel vocabolario: 'D.Y.'"},
         {"A****", "B.W**", "C*X**", "D.Y.*", "E*Z**"}},
        // A word with a blank in a damaged vocabulary leaves a hole that a
        // later word fills: a complete crossing no vocabulary holds.
        {"the complete crossing 'ABXD' is not looked up",
         {"....", "**..", "**..", "**.."}, {{4, {"AB D", "XYZW", "DEFG"}}}, {0.0, 0.4}, {},
         {"ABXD", "**YE", "**ZF", "**WG"}},
        // A draw u among n words takes word floor(u * n) + 1: rounding would
        // take the next word from u = 0.125 on.
        {"u = 0.2", {"...", "***", "***"}, four, {0.2}, {}, {"ABC", "***", "***"}},
        {"u = 0.25", {"...", "***", "***"}, four, {0.25}, {}, {"DEF", "***", "***"}},
        {"u = 0.49", {"...", "***", "***"}, four, {0.49}, {}, {"DEF", "***", "***"}},
        {"u = 0.74", {"...", "***", "***"}, four, {0.74}, {}, {"GIL", "***", "***"}},
        {"u = 0.99", {"...", "***", "***"}, four, {0.99}, {}, {"MNO", "***", "***"}},
        // Without the exclusion of Q and H u = 0.0 would draw QUOTA, 0.5 HOTEL.
        {"free slots never get Q or H, fixed ones may", {".....", ".****", ".****"}, qh, {0.0}, {}, {"BARCA", "H****", "O****"}},
        {"free slots never get Q or H, u = 0.5", {".....", ".****", ".****"}, qh, {0.5}, {}, {"BARCA", "H****", "O****"}},
        // 25 columns: the across words are 25 letters long, never slots, and
        // the three-letter downs crossing them are placed.
        {"wide grids take long crossings as acceptable", {open, open, open}, {{3, {"ALA"}}}, {}, {},
         {std::string(25, 'A'), std::string(25, 'L'), std::string(25, 'A')}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Crossword doc = MakeCrossword(row.grid);
        auto vocab = MakeVocabulary(row.words);
        RecordingMessages messages;
        ScriptedHost host;
        host.script = row.draws;
        const auto report = Fill(doc, vocab, messages, host);
        ASSERT_EQ(messages.shown.size(), row.questions.size() + 1);
        for (std::size_t i = 0; i < row.questions.size(); ++i) {
            const auto& shown = messages.shown[i + 1];
            EXPECT_EQ(shown.text, row.questions[i] + kChoice);
            EXPECT_EQ(std::tuple(shown.buttons, shown.title, shown.icon),
                      std::tuple(platform::Buttons::YesNoCancel, "Quadrivo 98", platform::Icon::None));
        }
        EXPECT_EQ(report.questions, static_cast<int>(row.questions.size()));
        EXPECT_EQ(host.busySwitches, (std::vector<bool>{true, false}));  // the hourglass stays through the questions
        for (std::size_t r = 0; r < row.result.size(); ++r)
            EXPECT_EQ(RowCells(doc, static_cast<int>(r) + 1), row.result[r]) << "row " << r + 1;
    }
}

TEST(AutoFill, CancelKeepsWhatWasPlacedAndNoStartsAgainFromAnEmptyGrid) {
    // Row 1 takes a five-letter word; row 3 has no four-letter word and asks.
    Crossword doc = MakeCrossword({".....", "*****", "....*"});
    Crossword again = doc;
    doc.GridLine(3) = "Q.Q.Q.Q.**";
    doc.Definitions(1, 3, Horizontal) = "persa";
    auto vocab = MakeVocabulary({{5, {"CASTA", "MARMO"}}, {4, {}}});
    RecordingMessages messages;
    messages.Script({Answer::Ok, Answer::Cancel});
    ScriptedHost host;
    auto report = Fill(doc, vocab, messages, host);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
              "Parola orizzontale 2 alle coordinate 1,3 non trovata nel vocabolario: '....'" + kChoice);
    EXPECT_EQ(doc.GridLine(1), "C.A.S.T.A.");
    EXPECT_EQ(doc.GridLine(3), "........**");  // the clearing emptied the old letters
    EXPECT_EQ(doc.Definitions(1, 3, Horizontal), "");
    // One word, no restart; redrawn at the clearing and at the end of the run.
    EXPECT_EQ(std::tuple(report.filled, report.restarts, host.redraws), std::tuple(1, 0, 2));

    RecordingMessages asked;
    asked.Script({Answer::Ok, Answer::No, Answer::Yes});
    ScriptedHost restarted;
    restarted.script = {0.0, 0.0, 0.99, 0.0};
    report = Fill(again, vocab, asked, restarted);
    EXPECT_EQ(std::pair(report.restarts, report.questions), std::pair(1, 2));
    ASSERT_EQ(asked.shown.size(), 3u);
    EXPECT_EQ(asked.shown[1].text, asked.shown[2].text);
    EXPECT_EQ(RowCells(again, 1), "MARMO");  // the second pass drew again
    EXPECT_EQ(restarted.redraws, 3);         // two clearings and the end
}

TEST(AutoFill, GridsWithoutSlotsJustClear) {
    const std::vector<std::vector<std::string>> grids = {
        {"A*B", "*C*", "D*E"}, {"***", "***", "***"}, {"AB*", "*CD", "**E"}};
    for (const auto& rows : grids) {
        Crossword doc = MakeCrossword(rows);
        doc.Definitions(1, 1, Horizontal) = "via";
        auto vocab = MakeVocabulary({{3, {"ABC"}}});
        RecordingMessages messages;
        ScriptedHost host;
        const auto report = Fill(doc, vocab, messages, host);
        EXPECT_EQ(std::tuple(messages.shown.size(), report.filled + report.empty, host.draws), std::tuple(1u, 0, 0));
        for (int r = 1; r <= 3; ++r)
            for (char ch : RowCells(doc, r)) EXPECT_TRUE(ch == '.' || ch == '*') << rows[0];
        EXPECT_EQ(doc.Definitions(1, 1, Horizontal), rows[0] == "AB*" ? "" : "via");
    }
}
