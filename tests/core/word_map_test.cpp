#include "document/word_map.h"
#include "test_grids.h"

#include <gtest/gtest.h>

using namespace document;
using testgrids::MakeCrossword;

namespace {

// Start codes and word numbers of every cell, row by row.
std::vector<int> Codes(const Crossword& doc) {
    std::vector<int> codes;
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c) codes.push_back(doc.StartCodes(c, r));
    return codes;
}
std::vector<int> Numbers(const Crossword& doc) {
    std::vector<int> numbers;
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c) numbers.push_back(doc.WordNumbers(c, r));
    return numbers;
}

} // namespace

TEST(WordMap, OpenGridNumbersStartsInReadingOrder) {
    Crossword doc = MakeCrossword({"...", "...", "..."});
    std::vector<std::tuple<int, int, int>> told;
    ComputeWordMap(doc, [&](int c, int r, int n) { told.emplace_back(c, r, n); });
    EXPECT_EQ(Codes(doc), (std::vector<int>{5, 3, 3, 2, 1, 1, 2, 1, 1}));
    EXPECT_EQ(Numbers(doc), (std::vector<int>{1, 2, 3, 4, 0, 0, 5, 0, 0}));
    EXPECT_EQ(doc.CellWords(1, 1, Horizontal), "...");
    EXPECT_EQ(told.size(), 5u);
    EXPECT_EQ(told[3], std::make_tuple(1, 2, 4));
}

TEST(WordMap, EachCellKnowsItsStartAndTheRestOfItsRuns) {
    struct Row {
        std::vector<std::string> grid;
        int column, row, code;
        const char* across;  // CellWords from the cell to the end of its runs
        const char* down;
    } rows[] = {
        {{"A*B*", "*C*D", "EF*G"}, 1, 1, NoStart, "", ""},      // black right and below: runs of one
        {{"A*B*", "*C*D", "EF*G"}, 4, 2, StartsDown, "", "DG"},  // last column, black to the left
        {{"A*B*", "*C*D", "EF*G"}, 4, 3, NoStart, "", ""},       // last column and row
        {{"A*B*", "*C*D", "EF*G"}, 1, 3, StartsAcross, "EF", ""},
        {{"A*B*", "*C*D", "EF*G"}, 3, 3, NoCell, "", ""},
        {{"CASA*", "O...*", "RE*OK"}, 1, 1, StartsBoth, "CASA", "COR"},
        {{"CASA*", "O...*", "RE*OK"}, 3, 1, StartsDown, "SA", "S."},  // the middle of a run
        {{"CASA*", "O...*", "RE*OK"}, 4, 1, StartsDown, "", "A.O"},  // one cell left across: no word
        {{"CASA*", "O...*", "RE*OK"}, 2, 2, NoStart, "...", ".E"},
        {{"CASA*", "O...*", "RE*OK"}, 4, 3, StartsAcross, "OK", ""},
    };
    for (const auto& row : rows) {
        Crossword doc = MakeCrossword(row.grid);
        ComputeWordMap(doc);
        const std::string at = row.grid[0] + " at " + std::to_string(row.column) + "," + std::to_string(row.row);
        EXPECT_EQ(doc.StartCodes(row.column, row.row), row.code) << at;
        EXPECT_EQ(doc.WordNumbers(row.column, row.row) > 0, row.code > NoStart) << at;
        EXPECT_EQ(doc.CellWords(row.column, row.row, Horizontal), row.across) << at;
        EXPECT_EQ(doc.CellWords(row.column, row.row, Vertical), row.down) << at;
    }
}

TEST(WordMap, FullWidthRowIsOneWord) {
    std::string open(25, '.');
    Crossword doc = MakeCrossword({open, std::string(25, '*'), open});
    ComputeWordMap(doc);
    EXPECT_EQ(doc.CellWords(1, 1, Horizontal).size(), 25u);
    EXPECT_EQ(doc.StartCodes(1, 1), StartsAcross);
    EXPECT_EQ(doc.WordNumbers(1, 3), 2);
}

TEST(WordMap, ValuesOutsideTheGridStayAndLongLinesStayInside) {
    Crossword doc = MakeCrossword({"....", "....", "...."});
    ComputeWordMap(doc);
    ASSERT_EQ(doc.StartCodes(4, 1), StartsDown);
    doc.ColumnCount = 3;
    ComputeWordMap(doc);
    EXPECT_EQ(doc.StartCodes(4, 1), StartsDown);  // column 4 is no longer looked at
    EXPECT_EQ(doc.CellWords(1, 1, Horizontal), "...");

    doc.GridLine(1) = std::string(80, 'A');  // longer than 25 cells: the rest is ignored
    EXPECT_NO_THROW(ComputeWordMap(doc));
    EXPECT_EQ(doc.CellLetters(25, 1), 'A');
}

TEST(WordMap, ReadingOrderListsAcrossBeforeDown) {
    Crossword doc = MakeCrossword({"RE*", ".V.", "*A*"});
    ComputeWordMap(doc);
    doc.Definitions(1, 1, Horizontal) = "Nota musicale";
    doc.Definitions(2, 1, Vertical) = "La prima donna";
    std::vector<std::tuple<int, int, std::string, std::string>> listed;
    for (const auto& w : WordsInReadingOrder(doc)) listed.emplace_back(w.number, w.direction, w.letters, w.clue);
    EXPECT_EQ(listed, (std::vector<std::tuple<int, int, std::string, std::string>>{
                          {1, Horizontal, "RE", "Nota musicale"}, {1, Vertical, "R.", ""},
                          {2, Vertical, "EVA", "La prima donna"}, {3, Horizontal, ".V.", ""}}));
}
