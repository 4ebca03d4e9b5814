#include "document/grid_edits.h"
#include "document/word_map.h"
#include "test_grids.h"

#include <gtest/gtest.h>

using namespace document;
using testgrids::MakeCrossword;
using testgrids::RowCells;

TEST(GridEdits, ColumnsGrowAndShrinkWithinTheirLimits) {
    Crossword doc = MakeCrossword({"RE*", ".VA", "*A."});
    const Crossword before = doc;
    ASSERT_TRUE(AddColumn(doc));
    EXPECT_EQ(doc.FileLines(4), "Dimensioni : 04x03");
    EXPECT_EQ(doc.GridLine(1), "R.E.**..");
    EXPECT_EQ(doc.ColumnCount, 3);  // the reload brings the count in line with the header
    doc.ColumnCount = 4;
    ASSERT_TRUE(RemoveColumn(doc));
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(doc.GridLine(r), before.GridLine(r));
    EXPECT_EQ(doc.FileLines(4), "Dimensioni : 03x03");

    doc.ColumnCount = 3;
    EXPECT_FALSE(RemoveColumn(doc));
    Crossword wide = MakeCrossword({std::string(25, '.'), std::string(25, '.'), std::string(25, '.')});
    EXPECT_FALSE(AddColumn(wide));
    EXPECT_EQ(wide.GridLine(1).size(), 50u);
    EXPECT_EQ(wide.FileLines(4), "Dimensioni : 25x03");
}

TEST(GridEdits, RowsGrowAndShrinkWithinTheirLimits) {
    Crossword doc = MakeCrossword({"RE*", ".VA", "*A."});
    ASSERT_TRUE(AddRow(doc));
    EXPECT_EQ(doc.RowCount, 4);
    EXPECT_EQ(doc.GridLine(4), "......");
    EXPECT_EQ(doc.FileLines(4), "Dimensioni : 03x04");
    ComputeWordMap(doc);
    EXPECT_EQ(doc.CellWords(3, 2, Vertical), "A..");  // the run grows into the new row
    ASSERT_TRUE(RemoveRow(doc));
    EXPECT_EQ(doc.RowCount, 3);
    EXPECT_EQ(doc.GridLine(4), "");
    EXPECT_FALSE(RemoveRow(doc));
    EXPECT_EQ(doc.RowCount, 3);

    Crossword tall = MakeCrossword({"..."});
    for (int r = 1; r <= 15; ++r) tall.GridLine(r) = "......";
    tall.RowCount = 15;
    EXPECT_FALSE(AddRow(tall));
    EXPECT_EQ(tall.RowCount, 15);
}

TEST(GridEdits, CellToolsChangeOnlyTheirKindOfCell) {
    Crossword doc = MakeCrossword({"RE*", ".VA", "*A."});
    EXPECT_FALSE(PutBlackCell(doc, 3, 1));
    EXPECT_TRUE(PutBlackCell(doc, 2, 2));
    EXPECT_EQ(doc.GridLine(2), "..**A.");
    EXPECT_FALSE(PutWhiteCell(doc, 1, 1));
    EXPECT_TRUE(PutWhiteCell(doc, 3, 1));
    EXPECT_EQ(doc.GridLine(1), "R.E..*");  // the marker waits for the next save
    EXPECT_FALSE(PutBlackCell(doc, 4, 1));
    EXPECT_FALSE(PutBlackCell(doc, 1, 0));

    // A black cell next to a horizontal start shortens its word.
    ComputeWordMap(doc);
    EXPECT_EQ(doc.CellWords(1, 1, Horizontal), "RE.");
    PutBlackCell(doc, 2, 1);
    ComputeWordMap(doc);
    EXPECT_EQ(doc.StartCodes(1, 1), StartsDown);
    EXPECT_EQ(doc.CellWords(1, 1, Horizontal), "");
}

TEST(GridEdits, WordsAreWrittenAlongTheirDirectionInsideTheGrid) {
    Crossword doc = MakeCrossword({"....", "....", "...."});
    WriteWord(doc, 2, 1, Horizontal, "ARCO");  // one letter too many for the row
    EXPECT_EQ(RowCells(doc, 1), ".ARC");
    WriteWord(doc, 4, 1, Vertical, "C.A");
    EXPECT_EQ(RowCells(doc, 2), "....");
    EXPECT_EQ(RowCells(doc, 3), "...A");
    EXPECT_EQ(doc.GridLine(3).size(), 8u);
}
