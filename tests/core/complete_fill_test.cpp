// The complete fill on small grids and word lists whose answers are known.
// Every fill is checked by CheckFill below, which knows nothing of how the
// search works: black cells and letters kept, every run of 3 or more white
// cells a word of the list, no word twice.

#include "fill/complete_fill.h"
#include "fill/complete_fill_index.h"

#include "document/crossword.h"
#include "test_grids.h"
#include "test_vocabulary.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using document::Horizontal;
using document::Vertical;
using fill::CompleteFillOutcome;
using Groups = std::map<int, std::vector<std::string>>;
using Rows = std::vector<std::string>;

// "" when `after` completes `before` with words of `groups`, else the faults.
std::string CheckFill(const Rows& before, const Rows& after, const Groups& groups) {
    std::set<std::string> words;
    for (const auto& [length, list] : groups) words.insert(list.begin(), list.end());
    if (after.size() != before.size()) return "righe diverse";
    std::string faults;
    for (std::size_t r = 0; r < before.size(); ++r) {
        if (after[r].size() != before[r].size()) return "colonne diverse alla riga " + std::to_string(r + 1);
        for (std::size_t c = 0; c < before[r].size(); ++c) {
            const char was = before[r][c], now = after[r][c];
            if ((was == '*') != (now == '*')) faults += " nera cambiata";
            if (was != '*' && was != '.' && now != was) faults += " lettera cambiata";
        }
    }
    const int rows = static_cast<int>(after.size()), columns = static_cast<int>(after.front().size());
    auto white = [&](int c, int r) { return c >= 0 && r >= 0 && c < columns && r < rows && after[r][c] != '*'; };
    std::set<std::string> used;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            for (auto [dc, dr] : {std::pair{1, 0}, std::pair{0, 1}}) {
                if (!white(c, r) || white(c - dc, r - dr)) continue;
                std::string run;
                for (int i = 0; white(c + dc * i, r + dr * i); ++i) run += after[r + dr * i][c + dc * i];
                if (run.size() < 3) continue;
                if (!words.count(run)) faults += " '" + run + "' non e' nel vocabolario";
                if (!used.insert(run).second) faults += " '" + run + "' ripetuta";
            }
    return faults;
}

fill::CompleteFillResult Fill(const Rows& grid, const Groups& groups, std::uint64_t seed = 1) {
    const vocabulary::Vocabulary vocab = testgrids::MakeVocabulary(groups);
    fill::CompleteFillOptions options;
    options.seed = seed;
    return fill::CompleteFill(testgrids::MakeCrossword(grid), vocab, options);
}

// A 3x3 square with one fill once its B is placed: rows ABC DEF GHI,
// columns ADG BEH CFI (the mirrored square would put D where B is), and words
// that agree with some of its letters but lead nowhere.
const Groups kSquare = {{3, {"ABX", "ABC", "DEF", "GHI", "ADG", "BEH", "CFI", "XYZ", "QQQ"}}};

TEST(CompleteFill, FindsTheOneFillAndKeepsPlacedLetters) {
    // The 2x2 block on the right has runs of 1 and 2 only: its letters stay
    // and its empty cell gets one.
    const Rows grid = {".B.*XY", "...*.Z", "...***"};
    for (std::uint64_t seed : {1, 2, 3, 99}) {
        const auto result = Fill(grid, kSquare, seed);
        ASSERT_EQ(result.outcome, CompleteFillOutcome::Filled) << result.message;
        EXPECT_EQ(result.rows[0], "ABC*XY");
        EXPECT_EQ(result.rows[1].substr(0, 4), "DEF*");
        EXPECT_NE(result.rows[1][4], '.');
        EXPECT_EQ(result.rows[2], "GHI***");
        EXPECT_EQ(CheckFill(grid, result.rows, kSquare), "");
        EXPECT_EQ(result.stats.slotCount, 6);
    }
}

TEST(CompleteFill, SameSeedSameFillOtherSeedsOtherFills) {
    // Every three-letter word over A, B, C, D: a 3x3 square has many fills.
    Groups all;
    for (char a : std::string("ABCD"))
        for (char b : std::string("ABCD"))
            for (char c : std::string("ABCD")) all[3].push_back(std::string{a, b, c});
    const Rows grid = {"...", "...", "..."};
    std::set<Rows> fills;
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        const auto first = Fill(grid, all, seed);
        const auto again = Fill(grid, all, seed);
        ASSERT_EQ(first.outcome, CompleteFillOutcome::Filled);
        EXPECT_EQ(first.rows, again.rows) << "seme " << seed;
        EXPECT_EQ(CheckFill(grid, first.rows, all), "");
        fills.insert(first.rows);
    }
    EXPECT_GT(fills.size(), 1u);
}

TEST(CompleteFill, ImpossibleGridsSayWhy) {
    struct Case {
        Rows grid;
        Groups groups;
        std::string says;  // part of the message
    };
    const std::vector<Case> cases = {
        // Rows have words, columns none.
        {{"...", "...", "..."}, {{3, {"ABC", "DEF", "GHI"}}}, "Impossibile completare lo schema"},
        // A symmetric square would fill it only by using each word twice;
        // the other words fit no square at all.
        {{"...", "...", "..."}, {{3, {"ABC", "BDE", "CEF", "XYZ", "QQQ", "ZZZ"}}}, "nessuna combinazione"},
        // Three slots of three and two words.
        {{"...", "***", "...", "***", "..."}, {{3, {"ABC", "DEF"}}},
         "servono 3 parole diverse di 3 lettere e il vocabolario ne ha solo 2"},
        // Enough words, but only two begin with the A every slot has.
        {{"A..", "***", "A..", "***", "A.."}, {{3, {"ABC", "ADE", "XYZ", "QRS"}}}, "ne ha solo 2"},
        // The placed letters fit no word: the slot is named.
        {{"Z..", "...", "..."}, kSquare, "orizzontale 1 alle coordinate 1,1: 'Z..'"},
        // No words of the length a slot needs.
        {{"....", "*..*", "*..*"}, kSquare, "non ha parole di 4 lettere, come la parola orizzontale 1"},
        // A slot longer than any word.
        {{"................", "***************.", "***************."},
         kSquare, "ha 16 lettere"},
        // Two full words, the same twice.
        {{"ABC", "***", "ABC"}, kSquare, "'ABC' compare due volte"},
    };
    for (const Case& c : cases) {
        const auto result = Fill(c.grid, c.groups);
        EXPECT_EQ(result.outcome, CompleteFillOutcome::Impossible) << c.says;
        EXPECT_NE(result.message.find(c.says), std::string::npos) << result.message;
        EXPECT_TRUE(result.rows.empty());
    }
}

TEST(CompleteFill, RunsOfTwoTakeTheBestPairThatFitsTheirCrossings) {
    // The empty cell of ".B.*XY" / "...*.Z" ends the column run "X." and
    // starts the row run ".Z"; the cells of "..*" are in runs of two only.
    struct Case {
        Rows grid;
        std::vector<std::string> pairs;
        Rows expected;
    };
    const std::vector<Case> cases = {
        // XA and AZ both pairs beat XE alone, though XE ranks first.
        {{".B.*XY", "...*.Z", "...***"}, {"XE", "AZ", "XA"}, {"ABC*XY", "DEF*AZ", "GHI***"}},
        // Only X. can be a pair: the best one that fits.
        {{".B.*XY", "...*.Z", "...***"}, {"QQ", "XO", "XE"}, {"ABC*XY", "DEF*OZ", "GHI***"}},
        // A block of four empty cells takes pairs in both directions.
        {{"..*", "..*", "***"}, {"IL", "LO", "IO"}, {"IL*", "LO*", "***"}},
    };
    for (const Case& c : cases) {
        fill::CompleteFillOptions options;
        options.pairs = c.pairs;
        const vocabulary::Vocabulary vocab = testgrids::MakeVocabulary(kSquare);
        const auto result = fill::CompleteFill(testgrids::MakeCrossword(c.grid), vocab, options);
        ASSERT_EQ(result.outcome, CompleteFillOutcome::Filled) << result.message;
        EXPECT_EQ(result.rows, c.expected) << c.pairs.front();
    }
    // No pair fits: the cells still get letters.
    const auto result = Fill({"A.*", "..*", "***"}, kSquare);
    ASSERT_EQ(result.outcome, CompleteFillOutcome::Filled);
    EXPECT_EQ(result.stats.slotCount, 0);
    for (const std::string& row : result.rows) EXPECT_EQ(row.find('.'), std::string::npos) << row;
    EXPECT_EQ(fill::ReadPairs("# note\nil\nLo\r\nIL\nabc\nè\n"), (std::vector<std::string>{"IL", "LO"}));
}

TEST(CompleteFill, PrefersBetterRankedWordsAndTheQualityLimitLeavesOutTheRest) {
    struct Case {
        Rows grid;
        std::vector<std::string> words;  // best first
        int quality;
        std::string expected;  // the word of row 1, "" when impossible
    };
    const std::vector<Case> cases = {
        {{"...", "***", "***"}, {"ABC", "XYZ"}, 100, "ABC"},
        {{"...", "***", "***"}, {"XYZ", "ABC"}, 100, "XYZ"},
        {{"A..", "***", "***"}, {"XYZ", "AQQ", "ABC"}, 100, "AQQ"},
        // The one square needs CFI, the last word: the best 8 of 9 leave it out.
        {{"...", "...", "..."}, {"ABC", "DEF", "GHI", "ADG", "BEH", "XYZ", "QQQ", "ABX", "CFI"}, 100, "ABC"},
        {{"...", "...", "..."}, {"ABC", "DEF", "GHI", "ADG", "BEH", "XYZ", "QQQ", "ABX", "CFI"}, 85, ""},
        // Letters already in the grid take any word that fits them.
        {{"X..", "***", "***"}, {"ABC", "DEF", "GHI", "XYZ"}, 50, "XYZ"},
    };
    for (const Case& c : cases)
        for (std::uint64_t seed = 1; seed <= 5; ++seed) {
            fill::CompleteFillOptions options;
            options.seed = seed;
            options.quality = c.quality;
            const vocabulary::Vocabulary vocab = testgrids::MakeVocabulary({{3, c.words}});
            const auto result = fill::CompleteFill(testgrids::MakeCrossword(c.grid), vocab, options);
            if (c.expected.empty()) {
                EXPECT_EQ(result.outcome, CompleteFillOutcome::Impossible);
                EXPECT_NE(result.message.find("qualit\xE0 al 85%"), std::string::npos) << result.message;
            } else {
                ASSERT_EQ(result.outcome, CompleteFillOutcome::Filled) << result.message;
                // The square fills as ABC DEF GHI or as its mirror ADG BEH CFI.
                EXPECT_TRUE(result.rows[0] == c.expected || (c.expected == "ABC" && result.rows[0] == "ADG"))
                    << result.rows[0] << " seme " << seed;
            }
        }
}

TEST(CompleteFill, EmptyVocabularies) {
    const auto none = Fill({"...", "*.*", "*.*"}, {});
    EXPECT_EQ(none.outcome, CompleteFillOutcome::Impossible);
    EXPECT_NE(none.message.find("non ha parole di 3 lettere"), std::string::npos) << none.message;
}

TEST(CompleteFill, CancelAndTimeLimitStopWithoutAFill) {
    Groups all;
    for (char a = 'A'; a <= 'Z'; ++a)
        for (char b : std::string("AEIOU")) all[3].push_back(std::string{a, b, a});
    const vocabulary::Vocabulary vocab = testgrids::MakeVocabulary(all);
    document::Crossword doc = testgrids::MakeCrossword({"...", "...", "..."});
    const std::string before = doc.GridLine(1) + doc.GridLine(2) + doc.GridLine(3);

    std::atomic<bool> cancel{true};
    fill::CompleteFillOptions options;
    options.cancel = &cancel;
    auto result = fill::CompleteFill(doc, vocab, options);
    EXPECT_EQ(result.outcome, CompleteFillOutcome::Cancelled);
    EXPECT_FALSE(fill::ApplyCompleteFill(doc, result));

    options.cancel = nullptr;
    options.timeLimitSeconds = 1e-9;
    result = fill::CompleteFill(doc, vocab, options);
    EXPECT_EQ(result.outcome, CompleteFillOutcome::TimeLimit);
    EXPECT_FALSE(fill::ApplyCompleteFill(doc, result));
    EXPECT_EQ(doc.GridLine(1) + doc.GridLine(2) + doc.GridLine(3), before);
}

TEST(CompleteFill, ApplyKeepsCluesOfWordsThatStayAndEmptiesTheOthers) {
    // Row 1 is whole already; its clue stays. Row 2 and the columns change.
    document::Crossword doc = testgrids::MakeCrossword({"ABC*XY", "D..*.Z", "...***"});
    doc.Definitions(1, 1, Horizontal) = "Le prime tre";
    doc.Definitions(1, 2, Horizontal) = "Vecchia";
    doc.Definitions(1, 1, Vertical) = "Anche questa";
    doc.Definitions(5, 1, Horizontal) = "Coppia libera";  // a 2-cell word that stays
    doc.Definitions(5, 1, Vertical) = "Coppia da finire";
    const vocabulary::Vocabulary vocab = testgrids::MakeVocabulary(kSquare);
    const auto result = fill::CompleteFill(doc, vocab, {});
    ASSERT_EQ(result.outcome, CompleteFillOutcome::Filled) << result.message;
    ASSERT_TRUE(fill::ApplyCompleteFill(doc, result));
    EXPECT_EQ(testgrids::RowCells(doc, 1), "ABC*XY");
    EXPECT_EQ(testgrids::RowCells(doc, 2), "DEF*EZ");  // no pairs: the commonest letter
    EXPECT_EQ(testgrids::RowCells(doc, 3), "GHI***");
    EXPECT_EQ(doc.GridLine(1).substr(0, 6), "A.B.C.");
    EXPECT_EQ(doc.Definitions(1, 1, Horizontal), "Le prime tre");
    EXPECT_EQ(doc.Definitions(1, 2, Horizontal), "");
    EXPECT_EQ(doc.Definitions(1, 1, Vertical), "");
    EXPECT_EQ(doc.Definitions(5, 1, Horizontal), "Coppia libera");
    EXPECT_EQ(doc.Definitions(5, 1, Vertical), "");

    // A result for another grid is refused and changes nothing.
    document::Crossword other = testgrids::MakeCrossword({"....", "....", "...."});
    const std::string line = other.GridLine(1);
    EXPECT_FALSE(fill::ApplyCompleteFill(other, result));
    EXPECT_EQ(other.GridLine(1), line);
}

TEST(CompleteFill, IndexIsBuiltOncePerLengthAndReused) {
    const vocabulary::Vocabulary vocab = testgrids::MakeVocabulary({{3, kSquare.at(3)}, {4, {"ABCD", "ABCD", "AB-D"}}});
    fill::LetterIndex index(vocab);
    EXPECT_EQ(index.Bytes(), 0u);
    const fill::IndexGroup& four = index.Group(4);
    // A repeated spelling counts once; a word with a character no cell can
    // hold is never used.
    EXPECT_EQ(four.count, 3);
    EXPECT_EQ(four.usableCount, 1);
    const std::size_t bytes = index.Bytes();
    EXPECT_GT(bytes, 0u);
    EXPECT_EQ(&index.Group(4), &four);
    EXPECT_EQ(index.Bytes(), bytes);
    EXPECT_EQ(index.Group(16).count, 0);

    const auto first = fill::CompleteFill(testgrids::MakeCrossword({".B.", "...", "..."}), index, {});
    const auto second = fill::CompleteFill(testgrids::MakeCrossword({".B.", "...", "..."}), index, {});
    ASSERT_EQ(second.outcome, CompleteFillOutcome::Filled);
    EXPECT_EQ(first.rows, second.rows);
    EXPECT_EQ(second.stats.indexMilliseconds, 0);
}

} // namespace
