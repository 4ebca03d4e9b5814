// The printed page and its preview, checked through the recording surface at
// the coordinates the page geometry gives.

#include "document/text.h"
#include "document/word_map.h"
#include "output/page_layout.h"
#include "platform/recording/recording_surface.h"
#include "test_grids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

using platform::DrawCall;
using platform::RecordingSurface;

namespace {

// A crossword of `rows` with its word map, as the last redraw leaves it.
document::Crossword Mapped(const std::vector<std::string>& rows) {
    document::Crossword doc = testgrids::MakeCrossword(rows);
    document::ComputeWordMap(doc);
    return doc;
}

// The 15 x 13 crossword of the window example: a few black cells, letters
// in the first row.
document::Crossword Example15x13() {
    std::vector<std::string> rows(13, std::string(15, '.'));
    rows[0] = "CASA*...*......";
    rows[4][7] = '*';
    rows[12][14] = '*';
    return Mapped(rows);
}

// Texts as the recording surface saw them, from the first one equal to
// `from` on.
std::vector<DrawCall> TextsFrom(const RecordingSurface& surface, const std::string& from) {
    auto texts = surface.Calls(DrawCall::Text);
    auto start = std::find_if(texts.begin(), texts.end(), [&](const DrawCall& c) { return c.text == from; });
    return {start, texts.end()};
}

const DrawCall* FindText(const std::vector<DrawCall>& texts, const std::string& text, bool bold) {
    for (const auto& c : texts)
        if (c.text == text && c.font.bold == bold) return &c;
    return nullptr;
}

// Widths of 5 units per character, exact, so that the paragraph limits can
// be met to the unit.
class FixedWidthSurface : public RecordingSurface {
public:
    using RecordingSurface::RecordingSurface;
    double TextWidth(const std::string& text) const override { return 5.0 * static_cast<double>(text.size()); }
    double TextHeight(const std::string&) const override { return 10; }
};

const output::WindowArea ExampleWindow{800, 553, 28, 19};

// Cell, letter size, grid corner, list margins: one line per layout.
std::vector<double> Geometry(const output::PageLayout& p) {
    return {double(p.cell), p.letterSize, double(p.x0), double(p.y0), double(p.left), p.rightLimit};
}
// Corners of a drawn rectangle or of the sheet.
std::vector<double> Corners(const DrawCall& c) { return {c.x1, c.y1, c.x2, c.y2}; }

} // namespace

TEST(PrintLayout, FollowsTheWindowExample) {
    document::Crossword doc = Example15x13();
    const output::PageLayout page = output::PrintLayout(doc, ExampleWindow);
    EXPECT_NEAR(page.height, 1123.403, 0.0005);
    EXPECT_EQ(page.height, static_cast<double>(static_cast<float>(page.height)));  // kept in single precision
    EXPECT_EQ(page.width, 800);
    EXPECT_EQ(Geometry(page), (std::vector<double>{35, 21, 138, 60, 67, 600}));
    EXPECT_FALSE(page.sheet);

    RecordingSurface paper(nullptr, page.width, page.height);
    ASSERT_TRUE(output::DrawPage(doc, paper, page, "04-03-2026"));
    EXPECT_TRUE(paper.Calls(DrawCall::Clear).empty());

    const auto outlines = paper.Calls(DrawCall::Outline);
    ASSERT_EQ(outlines.size(), 1u + 15u * 13u);
    EXPECT_EQ(Corners(outlines[0]), (std::vector<double>{135, 57, 138 + 525 + 3, 60 + 455 + 3}));  // 3 units out
    EXPECT_EQ(Corners(outlines[1]), (std::vector<double>{138, 60, 173, 95}));
    EXPECT_EQ(outlines.back().y1, 60 + 12 * 35);

    const auto fills = paper.Calls(DrawCall::Fill);
    ASSERT_EQ(fills.size(), 4u);  // the black cells only: no sheet on paper
    EXPECT_EQ(std::pair(fills[0].x1, fills[0].x2), std::pair(138.0 + 4 * 35 + 2, 138.0 + 5 * 35 - 2));

    const auto texts = paper.Calls(DrawCall::Text);
    ASSERT_EQ(texts[0].text, "C");
    EXPECT_EQ(texts[0].font.size, 21);
    EXPECT_EQ(texts[0].font.name, "Arial");
    // Centred without rounding: width 0.6 x 21, height 1.2 x 21.
    EXPECT_DOUBLE_EQ(texts[0].x1, 138 + 17.5 - 0.6 * 21 / 2);
    EXPECT_DOUBLE_EQ(texts[0].y1, 60 + 17.5 - 1.2 * 21 / 2);
    EXPECT_EQ(texts[4].text, "1");  // after C, A, S, A: the first number
    EXPECT_EQ((std::vector<double>{texts[4].font.size, texts[4].x1, texts[4].y1}), (std::vector<double>{6, 139, 61}));

    const auto lists = TextsFrom(paper, "ORIZZONTALI:");
    ASSERT_FALSE(lists.empty());
    EXPECT_EQ(std::pair(lists[0].x1, lists[0].y1), std::pair(67.0, 525.0));
    EXPECT_TRUE(lists[0].font.bold);
    EXPECT_DOUBLE_EQ(lists[0].font.size, 8.25);
    // Where number and text of an item go on the line is the business of
    // AnItemStartsANewLineOnlyWhenItWouldEndBeyondTheLimit.
    EXPECT_EQ(lists[1].text, "1");
    EXPECT_DOUBLE_EQ(lists[1].y1, 525 + 1.2 * 8.25);
    EXPECT_EQ(lists[2].text, " " + std::string(30, '_') + " ");
}

TEST(PreviewLayout, FollowsTheWindowExample) {
    document::Crossword doc = Example15x13();
    const output::PageLayout page = output::PreviewLayout(doc, ExampleWindow);
    EXPECT_EQ(Geometry(page), (std::vector<double>{11, 10, 318, 78, 251, 549}));  // letters nearest(6.29) raised to 10
    ASSERT_TRUE(page.sheet);
    EXPECT_DOUBLE_EQ(page.numberSize, 2.2);
    EXPECT_NEAR(page.listSize, 5.315, 0.0005);
    // On a wider window the lists keep their proportion to the sheet.
    const output::PageLayout wide = output::PreviewLayout(doc, {1920, 950, 37, 22});
    EXPECT_NEAR(wide.listSize / (wide.sheet->right - wide.sheet->left), page.listSize / 358, 0.0001);

    RecordingSurface window(nullptr, 800, 553);
    output::DrawPrintPreview(doc, window, 28, 19, "04-03-2026");

    ASSERT_GE(window.calls.size(), 4u);  // calls[0] clears the window: MalformedSizesAndLines...
    EXPECT_EQ(std::pair(window.calls[1].kind, window.calls[1].color), std::pair(DrawCall::Fill, platform::colors::White));
    EXPECT_EQ(std::pair(window.calls[2].kind, window.calls[2].color), std::pair(DrawCall::Outline, platform::colors::DarkRed));
    const std::vector<double> sheet{221, 28, 579, 533};
    EXPECT_EQ((std::vector<double>{page.sheet->left, page.sheet->top, page.sheet->right, page.sheet->bottom}), sheet);
    EXPECT_EQ(Corners(window.calls[1]), sheet);
    EXPECT_EQ(Corners(window.calls[2]), sheet);
    EXPECT_EQ(window.calls[3].kind, DrawCall::Outline);
    EXPECT_EQ(Corners(window.calls[3]), (std::vector<double>{316, 76, 318 + 165 + 2, 78 + 143 + 2}));  // 2 pixels out

    const auto texts = window.Calls(DrawCall::Text);
    EXPECT_EQ(texts[4].text, "1");
    EXPECT_EQ((std::vector<double>{texts[4].font.size, texts[4].x1, texts[4].y1}), (std::vector<double>{2.2, 320, 78}));
    const auto lists = TextsFrom(window, "ORIZZONTALI:");
    ASSERT_FALSE(lists.empty());
    EXPECT_EQ(std::pair(lists[0].x1, lists[0].y1), std::pair(251.0, 231.0));
    EXPECT_NEAR(lists[0].font.size, 5.315, 0.0005);
}

TEST(PreviewLayout, RoundsHalfTheLetterAndKeepsTheWindowFontBold) {
    // 3 x 3 in the example window: cell = min(nearest(253.78 / 3), nearest(149 / 3)) = 50,
    // letters nearest(28.57) = 29 points.
    document::Crossword doc = Mapped({"A..", "...", "..."});
    for (bool bold : {true, false}) {
        RecordingSurface window(nullptr, 800, 553);
        window.SetFont({"Arial", 12, bold, false});
        output::DrawPrintPreview(doc, window, 28, 19, "04-03-2026");
        const auto texts = window.Calls(DrawCall::Text);
        ASSERT_EQ(texts[0].text, "A");
        ASSERT_EQ(texts[0].font.size, 29);
        const output::PageLayout page = output::PreviewLayout(doc, ExampleWindow);
        ASSERT_EQ(page.cell, 50);
        EXPECT_EQ(texts[0].x1, page.x0 + 25 - 9);   // nearest(8.7)
        EXPECT_EQ(texts[0].y1, page.y0 + 25 - 17);  // nearest(17.4)
        EXPECT_EQ(window.CurrentFont().bold, bold);
    }
}

TEST(PrintLayout, LetterSizeFollowsTheCellOnPaperButNeverGoesBelowTen) {
    struct Row {
        int columns, rows;
        output::WindowArea area;
        int cell;
        double letters;
    } rows[] = {
        {3, 3, {800, 553, 28, 19}, 153, 92},   {15, 13, {800, 553, 28, 19}, 35, 21},
        {25, 15, {400, 300, 28, 19}, 12, 14},  // half as wide a window, units twice as long: nearest(7.2) x 2
        {25, 15, {50, 40, 28, 19}, 1, 16},     {25, 15, {1920, 300, 28, 19}, 13, 10},
        {15, 13, {1280, 900, 28, 19}, 62, 23.125},  // nearest(62 x 0.6) = 37 points: 37 x 800 / 1280 on paper
    };
    for (const Row& c : rows) {
        SCOPED_TRACE(std::to_string(c.columns) + "x" + std::to_string(c.rows) + " in " + std::to_string(c.area.width));
        std::vector<std::string> grid(c.rows, std::string(c.columns, '.'));
        // That the page is drawn at these sizes: FollowsTheWindowExample.
        const output::PageLayout page = output::PrintLayout(Mapped(grid), c.area);
        EXPECT_EQ(std::pair(page.cell, page.letterSize), std::pair(c.cell, c.letters));
    }
}

TEST(PrintLayout, AnItemStartsANewLineOnlyWhenItWouldEndBeyondTheLimit) {
    // A page of 5 units per character: left 10, right limit 100, lines 10 high.
    // Clue lengths of two items (an item is 5 x (length + 3) wide), and the
    // line of each under the heading (1 = the first).
    const std::array<int, 4> rows[] = {
        {15, 2, 1, 2},  // 10 + 90 = 100: exactly at the limit, stays; the next one moves
        {16, 2, 2, 3},  // 10 + 95 > 100: a line end first even at the start of a line, which stays empty
        {5, 7, 1, 1},   // 10 + 40 + 50 = 100: both fit on the first line
        {5, 8, 1, 2},   // 10 + 40 + 55 > 100: the second moves whole
    };
    for (const auto& [firstClue, secondClue, firstLine, secondLine] : rows) {
        SCOPED_TRACE(std::to_string(firstClue) + " " + std::to_string(secondClue));
        document::Crossword doc = Mapped({"..*..", "*****", "....."});
        doc.Definitions(1, 1, 1) = std::string(firstClue, 'a');
        doc.Definitions(4, 1, 1) = std::string(secondClue, 'b');
        output::PageLayout page;
        page.width = 200;
        page.height = 1000;
        page.cell = 10;
        page.x0 = page.y0 = 20;
        page.left = 10;
        page.rightLimit = 100;
        FixedWidthSurface paper(nullptr, 200, 1000);
        ASSERT_TRUE(output::DrawPage(doc, paper, page, "04-03-2026"));
        const auto lists = TextsFrom(paper, "ORIZZONTALI:");
        ASSERT_GE(lists.size(), 5u);
        const double heading = lists[0].y1;
        // Number and text of an item always share their line: items are never split.
        const DrawCall* firstNumber = FindText(lists, "1", true);
        const DrawCall* firstText = FindText(lists, " " + std::string(firstClue, 'a') + " ", false);
        const DrawCall* secondNumber = FindText(lists, "2", true);
        ASSERT_TRUE(firstNumber && firstText && secondNumber);
        EXPECT_EQ(firstNumber->y1, heading + 10 * firstLine);
        EXPECT_EQ(std::pair(firstText->x1, firstText->y1), std::pair(firstNumber->x1 + 5, firstNumber->y1));
        EXPECT_EQ(secondNumber->y1, heading + 10 * secondLine);
        EXPECT_EQ(secondNumber->x1, secondLine == firstLine ? 10 + 5 * (firstClue + 3) : 10);
    }
}

TEST(PrintLayout, CellStartingBothWordsIsListedTwiceAndNumberedOnce) {
    document::Crossword doc = Mapped({"...", ".*.", "..."});
    output::PageLayout page = output::PrintLayout(doc, ExampleWindow);
    RecordingSurface paper(nullptr, page.width, page.height);
    ASSERT_TRUE(output::DrawPage(doc, paper, page, "04-03-2026"));

    const auto texts = paper.Calls(DrawCall::Text);
    const auto gridOnes = std::count_if(texts.begin(), texts.end(), [](const DrawCall& c) {
        return c.text == "1" && c.font.size == 6;
    });
    EXPECT_EQ(gridOnes, 1);
    const auto lists = TextsFrom(paper, "ORIZZONTALI:");
    std::vector<std::string> order;
    for (const auto& c : lists)
        if (c.font.bold) order.push_back(c.text);
    // Heading, numbers in reading order; the horizontal list entirely first.
    EXPECT_EQ(order, (std::vector<std::string>{"ORIZZONTALI:", "1", "3", "VERTICALI:", "1", "2"}));
    // Code 1 cells and the black cell have no number.
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const DrawCall& c) { return c.font.size == 6; }), 3);
}

TEST(PrintLayout, FooterHasDateFileNameAuthorAndCreditAfterOneEmptyLine) {
    document::Crossword doc = Mapped({"...", ".*.", "..."});
    doc.CurrentFileName = "/home/olindo/perch\xC3\xA9.qdr";  // kept in UTF-8
    for (bool preview : {false, true}) {
        SCOPED_TRACE(preview ? "preview" : "print");
        const output::PageLayout page =
            preview ? output::PreviewLayout(doc, ExampleWindow) : output::PrintLayout(doc, ExampleWindow);
        FixedWidthSurface paper(nullptr, page.width, page.height);
        ASSERT_TRUE(output::DrawPage(doc, paper, page, "04-03-2026"));
        const auto texts = paper.Calls(DrawCall::Text);
        ASSERT_GE(texts.size(), 3u);
        const DrawCall& date = texts[texts.size() - 3];
        EXPECT_EQ(date.text, "04-03-2026   -   /home/olindo/perch\xE9.qdr");
        EXPECT_EQ(texts[texts.size() - 2].text, "Autore     : Zampetti Olindo");
        EXPECT_EQ(texts.back().text, output::CreditLine);
        EXPECT_EQ(output::DateText(1998, 12, 31), "31-12-1998");
        for (std::size_t i = texts.size() - 3; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].x1, page.left);
            EXPECT_FALSE(texts[i].font.bold);
        }
        EXPECT_EQ(texts.back().y1, date.y1 + 20);
        // The last item of the vertical list, then one empty line on paper, two on screen.
        const DrawCall& lastItem = texts[texts.size() - 4];
        EXPECT_EQ(date.y1, lastItem.y1 + 10 * (preview ? 3 : 2));
        // Between the lists: the line end and one empty line.
        const auto vertical = std::find_if(texts.begin(), texts.end(),
                                           [](const DrawCall& c) { return c.text == "VERTICALI:"; });
        ASSERT_NE(vertical, texts.end());
        EXPECT_EQ(vertical->y1, std::prev(vertical)->y1 + 20);
    }
}

TEST(PrintLayout, CellLettersTakeTheRedrawValuesAndNothingElseChanges) {
    document::Crossword doc = Mapped({"RE*", ".V.", "*A*"});
    doc.CellLetters.Fill('Z');
    doc.CellSize = 38;
    doc.GridLeft = 115;
    doc.GridTop = 33;
    const auto numbers = doc.WordNumbers(1, 1);
    RecordingSurface paper(nullptr, 800, 1123);
    ASSERT_TRUE(output::DrawPage(doc, paper, output::PrintLayout(doc, ExampleWindow), "04-03-2026"));
    EXPECT_EQ(std::string({doc.CellLetters(1, 1), doc.CellLetters(3, 1), doc.CellLetters(1, 2), doc.CellLetters(2, 3)}),
              "R*.A");
    EXPECT_EQ((std::vector<int>{doc.CellSize, doc.GridLeft, doc.GridTop, doc.WordNumbers(1, 1)}),
              (std::vector<int>{38, 115, 33, numbers}));
    EXPECT_EQ(doc.GridFontName, "Arial");
}

TEST(PrintLayout, ListsTooLongForThePageGoOnOnAFurtherPage) {
    document::Crossword doc = Mapped(std::vector<std::string>(15, std::string(25, '.')));
    for (int r = 1; r <= 15; ++r) {
        doc.Definitions(1, r, 1) = std::string(300, 'o');
        doc.Definitions(r, 1, 2) = std::string(300, 'v');
    }
    // A4 lying across: the grid takes the page's height, the lists go on.
    const output::PageLayout page = output::PrintLayout(doc, {800, 300, 28, 19}, output::Paper{287, 200});
    EXPECT_EQ(page.bottom, 800);
    EXPECT_GT(page.y0 + 15 * page.cell, page.bottom / 2);
    RecordingSurface paper(nullptr, page.width, page.bottom);
    std::vector<std::size_t> breaks;  // index of the first call of each further page
    ASSERT_TRUE(output::DrawPage(doc, paper, page, "04-03-2026", [&] {
        breaks.push_back(paper.calls.size());
        return true;
    }));
    ASSERT_FALSE(breaks.empty());
    // Every page starts again from the top: no line may end below the page.
    for (const DrawCall& c : paper.Calls(DrawCall::Text)) EXPECT_LE(c.y1 + 1.2 * 8.25, page.bottom) << c.text;
    // A further page starts at the top margin, at the same left margin.
    const DrawCall& first = paper.calls[breaks.front()];
    EXPECT_EQ(first.y1, 50);
    EXPECT_EQ(first.x1, page.left);
    EXPECT_EQ(paper.calls.back().text, output::CreditLine);
}

TEST(PrintLayout, APrinterThatRefusesAFurtherPageStopsTheDrawing) {
    document::Crossword doc = Mapped({"..........", "..........", ".........."});
    for (int c = 1; c <= 10; ++c) doc.Definitions(c, 1, 2) = std::string(900, 'x');
    output::PageLayout page = output::PrintLayout(doc, {800, 120, 28, 19});
    page.bottom = page.height;  // a short sheet
    RecordingSurface paper(nullptr, page.width, page.height);
    int asked = 0;
    EXPECT_FALSE(output::DrawPage(doc, paper, page, "04-03-2026", [&] { return ++asked, false; }));
    EXPECT_EQ(asked, 1);
    for (const auto& c : paper.Calls(DrawCall::Text)) EXPECT_NE(c.text, output::CreditLine);
}

TEST(PrintLayout, MalformedSizesAndLinesNeverReachOutsideTheTables) {
    document::Crossword doc = Mapped({"...", "...", "..."});
    doc.ColumnCount = 99;
    doc.RowCount = -4;
    doc.GridLine(1) = std::string(80, 'A');  // longer than 25 cells
    doc.GridFontName.clear();
    RecordingSurface paper(nullptr, 800, 1123);
    EXPECT_TRUE(output::DrawPage(doc, paper, output::PrintLayout(doc, ExampleWindow), "04-03-2026"));
    EXPECT_EQ(paper.Calls(DrawCall::Text).front().font.name, "Arial");
    doc.RowCount = 40;
    RecordingSurface window(nullptr, 30, 20);
    output::DrawPrintPreview(doc, window, 28, 19, "04-03-2026");
    EXPECT_EQ(window.calls.front().kind, DrawCall::Clear);
}

TEST(SolversPages, EmptyGridThenEveryClueOnceThenTheSolutionLast) {
    const std::vector<std::string> rows = {"RE*CASA", "AVE*ALI", "*ARTE**"};
    document::Crossword doc = Mapped({rows[0], rows[1], rows[2]});
    std::vector<std::string> clues;
    for (const auto& word : document::WordsInReadingOrder(doc))
        doc.Definitions(word.column, word.row, word.direction) =
            clues.emplace_back("Definizione " + std::to_string(clues.size() + 1));
    output::PageLayout page = output::PrintLayout(doc, ExampleWindow);
    page.edition = output::Edition::ForSolvers;
    RecordingSurface paper(nullptr, page.width, page.bottom);
    std::vector<std::size_t> breaks;
    ASSERT_TRUE(output::DrawPage(doc, paper, page, "04-03-2026", [&] { return breaks.push_back(paper.calls.size()), true; }));
    ASSERT_EQ(breaks.size(), 1u);
    const auto solution = paper.calls.begin() + static_cast<std::ptrdiff_t>(breaks[0]);
    EXPECT_TRUE(std::none_of(paper.calls.begin(), solution, [](const DrawCall& c) {
        return c.text.size() == 1 && std::isupper(static_cast<unsigned char>(c.text[0]));
    }));
    for (const auto& clue : clues)
        EXPECT_EQ(std::count_if(paper.calls.begin(), paper.calls.end(),
                                [&](const DrawCall& c) { return c.text == " " + clue + " "; }), 1) << clue;
    // The last page: its title, the frame, then cells of half the size showing the crossword.
    ASSERT_EQ(solution->text, output::SolutionTitle);
    const DrawCall& first = solution[2];
    const double cell = first.x2 - first.x1;
    EXPECT_EQ(cell, std::round(page.cell / 2.0));
    std::vector<std::string> drawn(3, std::string(7, '.'));
    for (auto c = solution + 2; c != paper.calls.end(); ++c) {
        char& at = drawn.at(static_cast<std::size_t>((c->y1 - first.y1) / cell))
                       .at(static_cast<std::size_t>((c->x1 - first.x1) / cell));
        if (c->kind == DrawCall::Text) at = c->text[0];
        if (c->kind == DrawCall::Fill) at = '*';
    }
    EXPECT_EQ(drawn, rows);
}
