// The drawing logic of the grid, the model previews and the floating label,
// checked through the recording surface at the coordinates the geometry
// formulas give.

#include "dialogs/model_preview.h"
#include "document/text.h"
#include "document/word_map.h"
#include "editor/grid_drawing.h"
#include "editor/pointer_readout.h"
#include "platform/recording/recording_surface.h"
#include "test_grids.h"

#include <gtest/gtest.h>

using platform::DrawCall;
using platform::RecordingSurface;

TEST(GridDrawing, ScalesAndCentresTheGrid) {
    document::Crossword doc = testgrids::MakeCrossword(
        {std::string(15, '.'), std::string(15, '.'), std::string(15, '.'), std::string(15, '.'),
         std::string(15, '.'), std::string(15, '.'), std::string(15, '.'), std::string(15, '.'),
         std::string(15, '.'), std::string(15, '.'), std::string(15, '.'), std::string(15, '.'),
         std::string(15, '.')});
    RecordingSurface surface(nullptr, 800, 553);
    EXPECT_EQ(editor::DrawGrid(doc, surface, {28, 19}), "Quadrivo 98 - Cruciverba 15x13  TEST.QDR");
    EXPECT_EQ(doc.CellSize, 38);
    EXPECT_EQ(doc.GridLeft, 115);
    EXPECT_EQ(doc.GridTop, 33);
    EXPECT_EQ(surface.calls.front().kind, DrawCall::Clear);
}

TEST(GridDrawing, LettersAreCentredAndNumbersSitInTheCorner) {
    document::Crossword doc = testgrids::MakeCrossword({"RE*", ".V.", "*A*"});
    doc.GridFontName = "";
    RecordingSurface surface(nullptr, 300, 300);
    editor::DrawGrid(doc, surface, {0, 0});
    // cw = nearest(284 / 3) = 95, ch = nearest(282 / 3) = 94.
    ASSERT_EQ(doc.CellSize, 94);
    EXPECT_EQ(doc.GridLeft, 9);   // nearest((300 - 282) / 2)
    EXPECT_EQ(doc.GridTop, 8);    // nearest((300 - 2 - 282) / 2)
    EXPECT_EQ(doc.GridFontName, "Arial");

    const auto texts = surface.Calls(DrawCall::Text);
    ASSERT_EQ(texts.size(), 4u + 3u);  // letters first, then numbers
    const double size = 94 * 20.0 / 35.0;  // 53.71 points
    EXPECT_EQ(texts[0].text, "R");
    EXPECT_DOUBLE_EQ(texts[0].font.size, size);
    // Width 0.6 x size, height 1.2 x size in the recording surface.
    EXPECT_DOUBLE_EQ(texts[0].x1, 9 + 47 - document::Nearest(0.6 * size / 2));
    EXPECT_DOUBLE_EQ(texts[0].y1, 8 + 47 - document::Nearest(1.2 * size / 2));
    EXPECT_EQ(texts[4].text, "1");
    EXPECT_EQ(texts[4].font.size, 7);
    EXPECT_DOUBLE_EQ(texts[4].x1, 9 + 2);
    EXPECT_DOUBLE_EQ(texts[5].x1, 9 + 94 + 2);
    EXPECT_EQ(texts[6].text, "3");
    EXPECT_DOUBLE_EQ(texts[6].y1, 8 + 94);

    const auto fills = surface.Calls(DrawCall::Fill);
    ASSERT_EQ(fills.size(), 1u + 3u);  // background, then the three black cells
    EXPECT_DOUBLE_EQ(fills[1].x1, 9 + 2 * 94 + 2);
    EXPECT_DOUBLE_EQ(fills[1].x2, 9 + 3 * 94 - 2);
}

TEST(GridDrawing, SmallCellsKeepReadableLettersAndTinyWindowsNeverGiveZero) {
    EXPECT_DOUBLE_EQ(editor::LetterSize(10), 10);
    EXPECT_DOUBLE_EQ(editor::LetterSize(70), 40);
    document::Crossword doc = testgrids::MakeCrossword({"...", "...", "..."});
    RecordingSurface tiny(nullptr, 10, 10);
    editor::DrawGrid(doc, tiny, {28, 19});
    EXPECT_EQ(doc.CellSize, 1);
}

TEST(ModelPreview, DrawsInTwipsFromTheBoxSize) {
    RecordingSurface box(nullptr, 1845, 1125);
    dialogs::DrawModelPreview(box, {{"CASA*", "A*..*", "RE*OK"}});
    // cell = min(nearest(1805 / 5), nearest(1085 / 3)) = min(361, 362) = 361
    const auto outlines = box.Calls(DrawCall::Outline);
    ASSERT_EQ(outlines.size(), 15u);
    const double x0 = document::Nearest((1845 - 5 * 361) / 2.0);  // 20
    const double y0 = document::Nearest((1125 - 3 * 361) / 2.0);  // 21
    EXPECT_DOUBLE_EQ(outlines[0].x1, x0);
    EXPECT_DOUBLE_EQ(outlines[0].y1, y0);
    EXPECT_DOUBLE_EQ(outlines[1].y1, y0 + 361);  // column by column
    const auto texts = box.Calls(DrawCall::Text);
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[0].text, "C");
    EXPECT_DOUBLE_EQ(texts[0].x1, document::Nearest(x0 + 180.5));
    EXPECT_TRUE(texts[0].font.bold);
    EXPECT_EQ(box.Calls(DrawCall::Fill).size(), 4u);
}

TEST(PointerReadout, ClueModeNamesTheWordUnderThePointer) {
    document::Crossword doc = testgrids::MakeCrossword({"RE*", ".V.", "*A*"});
    document::ComputeWordMap(doc);
    doc.CellSize = 40;
    doc.GridLeft = 100;
    doc.GridTop = 50;
    doc.EditMode = document::ClueMode;
    const editor::ReadoutArea area{400, 300, 1000};
    auto width = [](const std::string& caption) { return static_cast<int>(caption.size()) * 6; };

    auto r = editor::PointerReadout(doc, editor::Pointer::Default, 130, 60, area, width);
    EXPECT_EQ(r.caption, "  1 oriz. - ");
    EXPECT_EQ(r.pointer, editor::Pointer::SizeWE);
    EXPECT_EQ(r.left, 111);
    EXPECT_EQ(r.top, 72);
    r = editor::PointerReadout(doc, editor::Pointer::Default, 110, 60, area, width);  // on the diagonal
    EXPECT_EQ(r.pointer, editor::Pointer::SizeWE);
    r = editor::PointerReadout(doc, editor::Pointer::Default, 110, 61, area, width);
    EXPECT_EQ(r.caption, "  1 vert. - ");
    EXPECT_EQ(r.pointer, editor::Pointer::SizeNS);
    r = editor::PointerReadout(doc, editor::Pointer::Default, 219, 60, area, width);  // (3,1) black
    EXPECT_EQ(r.pointer, editor::Pointer::Default);
    EXPECT_EQ(r.top, 1001);
    r = editor::PointerReadout(doc, editor::Pointer::Default, 221, 60, area, width);  // right of the grid
    EXPECT_EQ(r.top, 300);
    r = editor::PointerReadout(doc, editor::Pointer::Default, 99, 60, area, width);
    EXPECT_EQ(r.top, 300);

    doc.Definitions(1, 2, 1) = std::string(60, 'x');
    r = editor::PointerReadout(doc, editor::Pointer::Default, 105, 95, area, width);
    EXPECT_EQ(r.caption, "  3 oriz. -" + std::string(60, 'x') + " ");
    EXPECT_EQ(r.left, 400 - 1 - static_cast<int>(r.caption.size()) * 6);

    r = editor::PointerReadout(doc, editor::Pointer::Icon, 5, 7, area, width);
    EXPECT_EQ(r.caption, " Casella nera ");
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 19);
    doc.EditMode = document::NoTool;
    r = editor::PointerReadout(doc, editor::Pointer::Default, 130, 60, area, width);
    EXPECT_FALSE(r.setCaption);
    EXPECT_EQ(r.top, 1000);
}
