// The drawing logic of the grid, the model previews and the floating label,
// checked through the recording surface at the coordinates the geometry
// formulas give.

#include "dialogs/model_preview.h"
#include "document/text.h"
#include "document/word_map.h"
#include "editor/grid_drawing.h"
#include "editor/pointer_readout.h"
#include "dialogs/crossword_preview.h"
#include "words/small_grid.h"
#include "platform/recording/recording_surface.h"
#include "test_grids.h"

#include <gtest/gtest.h>

using platform::DrawCall;
using platform::RecordingSurface;

TEST(GridDrawing, ScalesAndCentresTheGridAndTinyWindowsNeverGiveZero) {
    document::Crossword doc = testgrids::MakeCrossword(std::vector<std::string>(13, std::string(15, '.')));
    RecordingSurface surface(nullptr, 800, 553);
    editor::DrawGrid(doc, surface, {28, 19});
    EXPECT_EQ((std::vector<int>{doc.CellSize, doc.GridLeft, doc.GridTop}), (std::vector<int>{38, 115, 33}));
    EXPECT_EQ(surface.calls.front().kind, DrawCall::Clear);
    RecordingSurface tiny(nullptr, 10, 10);
    editor::DrawGrid(doc, tiny, {28, 19});
    EXPECT_EQ(doc.CellSize, 1);
    // Small cells keep readable letters, large ones stop growing.
    EXPECT_EQ(std::pair(editor::LetterSize(10), editor::LetterSize(70)), std::pair(10.0, 40.0));
}

TEST(GridDrawing, LettersAreCentredAndNumbersSitInTheCorner) {
    document::Crossword doc = testgrids::MakeCrossword({"RE*", ".V.", "*A*"});
    doc.GridFontName = "";
    RecordingSurface surface(nullptr, 300, 300);
    editor::DrawGrid(doc, surface, {0, 0});
    // cw = nearest(284 / 3) = 95, ch = nearest(282 / 3) = 94.
    ASSERT_EQ(doc.CellSize, 94);
    // Corner nearest((300 - 282) / 2), nearest((300 - 2 - 282) / 2).
    EXPECT_EQ(std::tuple(doc.GridLeft, doc.GridTop, doc.GridFontName), std::tuple(9, 8, "Arial"));

    const auto texts = surface.Calls(DrawCall::Text);
    ASSERT_EQ(texts.size(), 4u + 3u);  // letters first, then numbers
    const double size = 94 * 20.0 / 35.0;  // 53.71 points
    EXPECT_EQ(texts[0].text, "R");
    EXPECT_DOUBLE_EQ(texts[0].font.size, size);
    // Width 0.6 x size, height 1.2 x size in the recording surface.
    EXPECT_DOUBLE_EQ(texts[0].x1, 9 + 47 - document::Nearest(0.6 * size / 2));
    EXPECT_DOUBLE_EQ(texts[0].y1, 8 + 47 - document::Nearest(1.2 * size / 2));
    EXPECT_EQ(std::tuple(texts[4].text, texts[4].font.size, texts[4].x1), std::tuple("1", 7.0, 9.0 + 2));
    EXPECT_DOUBLE_EQ(texts[5].x1, 9 + 94 + 2);
    EXPECT_EQ(std::pair(texts[6].text, texts[6].y1), std::pair(std::string("3"), 8.0 + 94));

    const auto fills = surface.Calls(DrawCall::Fill);
    ASSERT_EQ(fills.size(), 1u + 3u);  // background, then the three black cells
    EXPECT_EQ(std::pair(fills[1].x1, fills[1].x2), std::pair(9.0 + 2 * 94 + 2, 9.0 + 3 * 94 - 2));
}

TEST(GridDrawing, FillLettersEraseTheCentreThenDrawInTheLetterSize) {
    document::Crossword doc = testgrids::MakeCrossword({"...", "...", "..."});
    RecordingSurface surface(nullptr, 300, 300);
    editor::DrawGrid(doc, surface, {0, 0});  // ends in the 7-point number font
    editor::FillLetterPainter painter(surface);
    surface.calls.clear();
    painter.Paint(doc, 2, 3, 'Q');
    // The square's half side comes from the 7-point font: nearest(3.5) + 2.
    const auto fills = surface.Calls(DrawCall::Fill);
    ASSERT_EQ(fills.size(), 1u);
    const double x = document::Nearest(doc.GridLeft + 94 + 47.0), y = document::Nearest(doc.GridTop + 188 + 47.0);
    EXPECT_DOUBLE_EQ(fills[0].x1, x - 6);
    EXPECT_DOUBLE_EQ(fills[0].y2, y + 6);
    const auto texts = surface.Calls(DrawCall::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Q");
    EXPECT_DOUBLE_EQ(texts[0].font.size, editor::LetterSize(94));
    EXPECT_DOUBLE_EQ(texts[0].x1, x - document::Nearest(0.6 * texts[0].font.size / 2));
}

TEST(ModelPreview, DrawsInTwipsFromTheBoxSize) {
    RecordingSurface box(nullptr, 1845, 1125);
    dialogs::DrawModelPreview(box, {{"CASA*", "A*..*", "RE*OK"}});
    // cell = min(nearest(1805 / 5), nearest(1085 / 3)) = min(361, 362) = 361,
    // corner nearest((1845 - 5 x 361) / 2) = 20, nearest((1125 - 3 x 361) / 2) = 21.
    const auto outlines = box.Calls(DrawCall::Outline);
    ASSERT_EQ(outlines.size(), 15u);
    EXPECT_EQ(std::pair(outlines[0].x1, outlines[0].y1), std::pair(20.0, 21.0));
    EXPECT_DOUBLE_EQ(outlines[1].y1, 21 + 361);  // column by column
    const auto texts = box.Calls(DrawCall::Text);
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[0].text, "C");
    EXPECT_DOUBLE_EQ(texts[0].x1, document::Nearest(20 + 180.5));
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
    for (int x : {221, 99})  // right and left of the grid
        EXPECT_EQ(editor::PointerReadout(doc, editor::Pointer::Default, x, 60, area, width).top, 300) << x;

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

TEST(CrosswordPreview, DrawsTheMarkersNotTheLetters) {
    const std::string file =
        "Autore     : Zampetti Olindo\r\nData       : 28-01-1998\r\nTipo       : Crociate Normale\r\n"
        "Dimensioni : 03x02\r\nl._.D*\r\nH.pAH.\r\n  1  11-Nota\r\n";
    RecordingSurface box(nullptr, 346, 255);
    dialogs::PreviewHeader header;
    // The header as the Open dialog shows it: FileDialogsTest::openPreviewsAndOpensACrossword.
    ASSERT_EQ(dialogs::DrawCrosswordPreview(box, file, header), dialogs::PreviewResult::Drawn);
    // cell = min(nearest(336 / 3), nearest(245 / 2)) = min(112, 122) = 112
    const auto outlines = box.Calls(DrawCall::Outline);
    ASSERT_EQ(outlines.size(), 6u);
    EXPECT_DOUBLE_EQ(outlines[0].x1, 5);   // nearest((346 - 336) / 2)
    EXPECT_DOUBLE_EQ(outlines[0].y1, 16);  // nearest((255 - 224) / 2) = nearest(15.5)
    EXPECT_DOUBLE_EQ(outlines[5].x2, 5 + 3 * 112);
    const auto fills = box.Calls(DrawCall::Fill);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_DOUBLE_EQ(fills[0].x1, 5 + 2 * 112 + 2);
    const auto texts = box.Calls(DrawCall::Text);
    ASSERT_EQ(texts.size(), 1u);  // the "A" marker; the letters R, E, V are not shown
    EXPECT_EQ(texts[0].text, "A");
    EXPECT_DOUBLE_EQ(texts[0].font.size, 64);  // nearest(112 / 35 * 20)
}

TEST(CrosswordPreview, RefusesZeroSizesAndUnknownMarkers) {
    RecordingSurface box(nullptr, 346, 255);
    dialogs::PreviewHeader header;
    // An empty file: see openReportsBadFilesOnceTheDialogIsUp.
    EXPECT_EQ(dialogs::DrawCrosswordPreview(box, "A\r\nB\r\nC\r\nDimensioni : 00x05\r\n", header),
              dialogs::PreviewResult::InvalidFormat);
    EXPECT_EQ(dialogs::DrawCrosswordPreview(box, "A\r\nB\r\nC\r\nDimensioni : 03x01\r\nH.HxH.\r\n", header),
              dialogs::PreviewResult::InvalidType);
    EXPECT_EQ(box.calls.back().kind, DrawCall::Clear);
    EXPECT_EQ(dialogs::DrawCrosswordPreview(box, "A\r\nB\r\nC\r\nDimensioni : 03x01\r\nH.H.H\r\n", header),
              dialogs::PreviewResult::InvalidType);  // a pair without its marker
    // Fewer rows than the header says: what is there is drawn.
    EXPECT_EQ(dialogs::DrawCrosswordPreview(box, "A\r\nB\r\nC\r\nDimensioni : 25x15\r\nH.H.\r\n", header),
              dialogs::PreviewResult::Drawn);
}

TEST(SmallGrid, DrawsLettersNumbersAndFramesWords) {
    document::Crossword doc = testgrids::MakeCrossword({"RE*", ".V.", "*A*"});
    document::ComputeWordMap(doc);
    RecordingSurface picture(nullptr, 350, 300);
    words::SmallGrid grid;
    ASSERT_TRUE(words::DrawSmallGrid(picture, doc, grid));
    // Cell min(nearest(340 / 3), nearest(290 / 3)) = 97, corner nearest(29.5), nearest(4.5).
    EXPECT_EQ((std::vector<int>{grid.cell, grid.left, grid.top}), (std::vector<int>{97, 30, 4}));
    const auto texts = picture.Calls(DrawCall::Text);
    ASSERT_EQ(texts.size(), 4u + 3u);
    EXPECT_DOUBLE_EQ(texts[0].font.size, 55);  // nearest(97 / 35 * 20)
    EXPECT_DOUBLE_EQ(texts[4].font.size, 97 / 5.5);
    EXPECT_DOUBLE_EQ(texts[6].x1, 30 + 2);
    EXPECT_DOUBLE_EQ(texts[6].y1, 4 + 97);

    const words::Frame across = words::WordFrame(doc, grid, 1, 1, document::Horizontal);
    EXPECT_EQ((std::vector<int>{across.x1, across.x2, across.y2}), (std::vector<int>{30, 30 + 2 * 97, 4 + 97}));
    EXPECT_EQ(words::WordFrame(doc, grid, 2, 1, document::Vertical).y2, 4 + 3 * 97);

    doc.GridLine(2)[0] = 'x';
    EXPECT_FALSE(words::DrawSmallGrid(picture, doc, grid));
}

TEST(SmallGrid, RecomputingKeepsTheNumbers) {
    document::Crossword doc = testgrids::MakeCrossword({"RE*", ".V.", "*A*"});
    document::ComputeWordMap(doc);
    doc.GridLine(1)[2] = 'O';
    doc.WordNumbers(2, 1) = 42;
    document::RecomputeWordMap(doc);
    EXPECT_EQ(doc.CellWords(2, 1, document::Vertical), "OVA");
    EXPECT_EQ(doc.WordNumbers(2, 1), 42);
}
