// The complete fill on small grids whose answers are known: what the user
// sees (messages, ranking, pairs, seeds, clues kept) rather than whether fills
// hold, which complete_fill_differential_test checks on thousands of grids.

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

fill::CompleteFillResult Fill(const Rows& grid, const Groups& groups, fill::CompleteFillOptions options = {}) {
    const vocabulary::Vocabulary vocab = testgrids::MakeVocabulary(groups);
    return fill::CompleteFill(testgrids::MakeCrossword(grid), vocab, options);
}

// A 3x3 square with one fill once its B is placed: rows ABC DEF GHI,
// columns ADG BEH CFI (the mirrored square would put D where B is), and words
// that agree with some of its letters but lead nowhere.
const Groups kSquare = {{3, {"ABX", "ABC", "DEF", "GHI", "ADG", "BEH", "CFI", "XYZ", "QQQ"}}};

TEST(CompleteFill, SameSeedSameFillOtherSeedsOtherFills) {
    Groups all;  // every three-letter word over A, B, C, D
    for (char a : std::string("ABCD"))
        for (char b : std::string("ABCD"))
            for (char c : std::string("ABCD")) all[3].push_back(std::string{a, b, c});
    std::set<Rows> fills;
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        const auto first = Fill({"...", "...", "..."}, all, {.seed = seed});
        ASSERT_EQ(first.outcome, CompleteFillOutcome::Filled);
        EXPECT_EQ(first.rows, Fill({"...", "...", "..."}, all, {.seed = seed}).rows) << "seme " << seed;
        fills.insert(first.rows);
    }
    EXPECT_GT(fills.size(), 1u);
}

TEST(CompleteFill, TheLongestSlotTakesItsWordLikeAnyOther) {
    // Fifteen letters is the longest group of the vocabulary, not too long:
    // the placed Z picks the word.
    const auto result = Fill({"..............Z", "***************", "***************"},
                             {{15, {"PRECIPITEVOLISS", "ABCDEFGHILMNOPZ"}}});
    ASSERT_EQ(result.outcome, CompleteFillOutcome::Filled) << result.message;
    EXPECT_EQ(result.rows[0], "ABCDEFGHILMNOPZ");
}

TEST(CompleteFill, ImpossibleGridsSayWhy) {
    const std::vector<std::tuple<Rows, Groups, std::string>> cases = {  // grid, words, part of the message
        // Rows have words, columns none.
        {{"...", "...", "..."}, {{3, {"ABC", "DEF", "GHI"}}}, "Impossibile completare lo schema"},
        // A symmetric square would fill it only by using each word twice.
        {{"...", "...", "..."}, {{3, {"ABC", "BDE", "CEF", "XYZ", "QQQ", "ZZZ"}}}, "nessuna combinazione"},
        {{"...", "***", "...", "***", "..."}, {{3, {"ABC", "DEF"}}},
         "servono 3 parole diverse di 3 lettere e il vocabolario ne ha solo 2"},
        // Enough words, but only two begin with the A every slot has.
        {{"A..", "***", "A..", "***", "A.."}, {{3, {"ABC", "ADE", "XYZ", "QRS"}}}, "ne ha solo 2"},
        {{"Z..", "...", "..."}, kSquare, "orizzontale 1 alle coordinate 1,1: 'Z..'"},
        {{"....", "*..*", "*..*"}, kSquare, "non ha parole di 4 lettere, come la parola orizzontale 1"},
        {{"...", "*.*", "*.*"}, {}, "non ha parole di 3 lettere"},
        {{"................", "***************.", "***************."}, kSquare, "ha 16 lettere"},
        {{"ABC", "***", "ABC"}, kSquare, "'ABC' compare due volte"},
    };
    for (const auto& [grid, groups, says] : cases) {
        const auto result = Fill(grid, groups);
        EXPECT_EQ(result.outcome, CompleteFillOutcome::Impossible) << says;
        EXPECT_NE(result.message.find(says), std::string::npos) << result.message;
        EXPECT_TRUE(result.rows.empty());
    }
}

TEST(CompleteFill, KeepsPlacedLettersAndRunsOfTwoTakeTheBestPairThatFitsTheirCrossings) {
    // The empty cell of ".B.*XY" / "...*.Z" ends the column run "X." and
    // starts the row run ".Z"; the cells of "..*" are in runs of two only.
    const std::vector<std::tuple<Rows, std::vector<std::string>, Rows>> cases = {  // grid, pairs, fill
        // XA and AZ both pairs beat XE alone, though XE ranks first.
        {{".B.*XY", "...*.Z", "...***"}, {"XE", "AZ", "XA"}, {"ABC*XY", "DEF*AZ", "GHI***"}},
        // Only X. can be a pair: the best one that fits.
        {{".B.*XY", "...*.Z", "...***"}, {"QQ", "XO", "XE"}, {"ABC*XY", "DEF*OZ", "GHI***"}},
        {{"..*", "..*", "***"}, {"IL", "LO", "IO"}, {"IL*", "LO*", "***"}},
        {{"***", "***", "***"}, {"IL"}, {"***", "***", "***"}},
    };
    for (const auto& [grid, pairs, expected] : cases)
        for (std::uint64_t seed : {1, 2, 99}) {
            const auto result = Fill(grid, kSquare, {.seed = seed, .pairs = pairs});
            ASSERT_EQ(result.outcome, CompleteFillOutcome::Filled) << result.message;
            EXPECT_EQ(result.rows, expected) << pairs.front() << " seme " << seed;
        }
    // No pair fits: the cells still get letters.
    const auto result = Fill({"A.*", "..*", "***"}, kSquare);
    ASSERT_EQ(result.outcome, CompleteFillOutcome::Filled);
    for (const std::string& row : result.rows) EXPECT_EQ(row.find('.'), std::string::npos) << row;
    EXPECT_EQ(fill::ReadPairs("# note\nil\nLo\r\nIL\nabc\nè\n"), (std::vector<std::string>{"IL", "LO"}));
}

TEST(CompleteFill, PrefersBetterRankedWordsAndTheQualityLimitLeavesOutTheRest) {
    const std::vector<std::string> square = {"ABC", "DEF", "GHI", "ADG", "BEH", "XYZ", "QQQ", "ABX", "CFI"};
    // grid, words best first, quality, the word of row 1 ("" when impossible)
    const std::vector<std::tuple<Rows, std::vector<std::string>, int, std::string>> cases = {
        {{"...", "***", "***"}, {"ABC", "XYZ"}, 100, "ABC"},
        {{"...", "***", "***"}, {"XYZ", "ABC"}, 100, "XYZ"},
        {{"A..", "***", "***"}, {"XYZ", "AQQ", "ABC"}, 100, "AQQ"},
        // The one square needs CFI, the last word: the best 8 of 9 leave it out.
        {{"...", "...", "..."}, square, 100, "ABC"},
        {{"...", "...", "..."}, square, 85, ""},
        // Letters already in the grid take any word that fits them.
        {{"X..", "***", "***"}, {"ABC", "DEF", "GHI", "XYZ"}, 50, "XYZ"},
    };
    for (const auto& [grid, words, quality, expected] : cases)
        for (std::uint64_t seed = 1; seed <= 5; ++seed) {
            const auto result = Fill(grid, {{3, words}}, {.seed = seed, .quality = quality});
            if (expected.empty()) {
                EXPECT_EQ(result.outcome, CompleteFillOutcome::Impossible);
                EXPECT_NE(result.message.find("qualit\xE0 al 85%"), std::string::npos) << result.message;
                continue;
            }
            ASSERT_EQ(result.outcome, CompleteFillOutcome::Filled) << result.message;
            // The square fills as ABC DEF GHI or as its mirror ADG BEH CFI.
            EXPECT_TRUE(result.rows[0] == expected || (expected == "ABC" && result.rows[0] == "ADG"))
                << result.rows[0] << " seme " << seed;
        }
}

TEST(CompleteFill, CancelAndTimeLimitStopWithoutAFill) {
    Groups all;
    for (char a = 'A'; a <= 'Z'; ++a)
        for (char b : std::string("AEIOU")) all[3].push_back(std::string{a, b, a});
    document::Crossword doc = testgrids::MakeCrossword({"...", "...", "..."});
    const auto before = fill::GridCells(doc);
    std::atomic<bool> cancel{true};
    for (const auto& [options, outcome] : {std::pair{fill::CompleteFillOptions{.cancel = &cancel}, CompleteFillOutcome::Cancelled},
                                           std::pair{fill::CompleteFillOptions{.timeLimitSeconds = 1e-9}, CompleteFillOutcome::TimeLimit}}) {
        const auto result = Fill({"...", "...", "..."}, all, options);
        EXPECT_EQ(result.outcome, outcome);
        EXPECT_FALSE(fill::ApplyCompleteFill(doc, result));
        EXPECT_EQ(fill::GridCells(doc), before);
    }
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
    // No pairs: the commonest letter.
    EXPECT_EQ(fill::GridCells(doc), (Rows{"ABC*XY", "DEF*EZ", "GHI***"}));
    EXPECT_EQ(doc.GridLine(1).substr(0, 6), "A.B.C.");
    EXPECT_EQ(doc.Definitions(1, 1, Horizontal) + "|" + doc.Definitions(1, 2, Horizontal) + "|" +
                  doc.Definitions(1, 1, Vertical) + "|" + doc.Definitions(5, 1, Horizontal) + "|" +
                  doc.Definitions(5, 1, Vertical),
              "Le prime tre|||Coppia libera|");

    // A result for another grid is refused and changes nothing.
    document::Crossword other = testgrids::MakeCrossword({"....", "....", "...."});
    EXPECT_FALSE(fill::ApplyCompleteFill(other, result));
    EXPECT_EQ(fill::GridCells(other), (Rows{"....", "....", "...."}));
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
