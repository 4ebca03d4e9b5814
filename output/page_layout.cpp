#include "output/page_layout.h"

#include "document/text.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace output {

using document::Nearest;

namespace {

constexpr double Margin = 50;        // around the grid, in page units
constexpr double ContinuedTop = 50;  // where the lists go on on a further page
constexpr int ClueLineLength = 30;   // underscores of a clue-less word
constexpr double A4Width = 210, A4Height = 297;
// The window width for which the sizes in points are given.
constexpr double ReferenceWindowWidth = 800;
// The preview's lists in the window of 800 x 553 pixels with bars of 28 and
// 19: the sheet is 506 pixels high there, and its left edge 221 pixels in.
constexpr double ReferenceSheetHeight = 506;
constexpr double ReferencePreviewListSize = 221 / 29.7 / 1.4;

int Columns(const document::Crossword& doc) { return std::clamp(doc.ColumnCount, 1, document::MaxColumns); }
int Rows(const document::Crossword& doc) { return std::clamp(doc.RowCount, 1, document::MaxRows); }

// The smaller of the two cell sizes, never below one unit.
int CellSize(double byWidth, double byHeight) {
    return std::max(1, static_cast<int>(std::min(Nearest(byWidth), Nearest(byHeight))));
}

int Round(double v) { return static_cast<int>(Nearest(v)); }

// The current text position of a page: texts printed one after the other,
// lines ended, and a further page when a text would reach below the bottom.
class TextFlow {
public:
    TextFlow(platform::Surface& surface, double pageHeight, const NewPage& newPage)
        : surface_(surface), pageHeight_(pageHeight), newPage_(newPage) {}

    double X() const { return x_; }
    double Y() const { return y_; }
    void SetX(double x) { x_ = x; }
    void MoveTo(double x, double y) { x_ = x, y_ = y; }
    bool Failed() const { return failed_; }

    // Goes on at the top of a further page; with no pages to ask for, one
    // empty line further down.
    void BreakPage() {
        if (failed_) return;
        if (!newPage_) {
            EndLine();
            return;
        }
        if (!newPage_()) {
            failed_ = true;
            return;
        }
        x_ = 0;
        y_ = ContinuedTop;
    }

    // Prints `text` with its top-left corner at the position; then either x
    // advances by its width, or the line ends.
    void Print(const std::string& text, bool endLine) {
        if (failed_) return;
        if (newPage_ && y_ > ContinuedTop && y_ + LineHeight() > pageHeight_) {
            if (!newPage_()) {
                failed_ = true;
                return;
            }
            y_ = ContinuedTop;
        }
        surface_.DrawText(x_, y_, text);
        if (endLine)
            EndLine();
        else
            x_ += surface_.TextWidth(text);
    }

    // x back to 0, y one line of the current font further down.
    void EndLine() {
        x_ = 0;
        y_ += LineHeight();
    }

    void SetBold(bool bold) {
        platform::Font font = surface_.CurrentFont();
        font.bold = bold;
        surface_.SetFont(font);
    }

private:
    double LineHeight() const { return surface_.TextHeight("X"); }

    platform::Surface& surface_;
    double pageHeight_;
    const NewPage& newPage_;
    double x_ = 0, y_ = 0;
    bool failed_ = false;
};

void SetFontSize(platform::Surface& surface, double size) {
    platform::Font font = surface.CurrentFont();
    font.size = size;
    surface.SetFont(font);
}

// One item of a paragraph: a new line first when it would end beyond the
// limit (measured in the plain font), then its number in bold and the rest.
void PrintClueItem(TextFlow& flow, platform::Surface& surface, const std::string& item, const PageLayout& layout) {
    const double x = Nearest(flow.X());
    if (x + surface.TextWidth(item) > layout.rightLimit) {
        flow.EndLine();
        flow.SetX(layout.left);
    }
    const std::size_t blank = std::min(item.find(' '), item.size());
    flow.SetBold(true);
    flow.Print(item.substr(0, blank), false);
    flow.SetBold(false);
    flow.Print(item.substr(blank), false);
}

void PrintList(TextFlow& flow, platform::Surface& surface, document::Crossword& doc, const PageLayout& layout,
               int direction, const std::string& heading) {
    flow.SetBold(true);
    flow.Print(heading, true);
    flow.SetBold(false);
    flow.SetX(layout.left);
    for (int r = 1; r <= Rows(doc); ++r)
        for (int c = 1; c <= Columns(doc); ++c)
            if (doc.CellLetters(c, r) != document::BlackCell && document::StartsWord(doc.StartCodes(c, r), direction))
                PrintClueItem(flow, surface, ClueItem(doc.WordNumbers(c, r), doc.Definitions(c, r, direction)),
                              layout);
}

// Where a grid is drawn and how big.
struct GridPlace {
    int x0, y0, cell;
};

// The cell outlines, the black cells and, when `letters`, the letters
// centred in their cells in the current font.
void DrawCells(document::Crossword& doc, platform::Surface& surface, GridPlace grid, bool letters,
               bool roundLetterOffsets) {
    const int cell = grid.cell;
    for (int r = 1; r <= Rows(doc); ++r) {
        const std::string& line = doc.GridLine(r);
        const int cells = std::min(static_cast<int>(line.size() + 1) / 2, document::MaxColumns);
        for (int c = 1; c <= cells; ++c) {
            const char ch = line[2 * c - 2];
            doc.CellLetters(c, r) = ch;
            const double x = grid.x0 + (c - 1) * cell, y = grid.y0 + (r - 1) * cell;
            surface.Rectangle(x, y, x + cell, y + cell, platform::colors::Black, false);
            if (ch == document::BlackCell) {
                surface.Rectangle(x + 2, y + 2, x + cell - 2, y + cell - 2, platform::colors::Black, true);
            } else if (ch != document::EmptyCell && letters) {
                const std::string letter(1, ch);
                double dx = surface.TextWidth(letter) / 2, dy = surface.TextHeight(letter) / 2;
                if (roundLetterOffsets) dx = Nearest(dx), dy = Nearest(dy);
                surface.DrawText(x + cell / 2.0 - dx, y + cell / 2.0 - dy, letter);
            }
        }
    }
}

void DrawFrame(const document::Crossword& doc, platform::Surface& surface, GridPlace grid, int margin) {
    surface.Rectangle(grid.x0 - margin, grid.y0 - margin, grid.x0 + Columns(doc) * grid.cell + margin,
                      grid.y0 + Rows(doc) * grid.cell + margin, platform::colors::Black, false);
}

void DrawNumbers(const document::Crossword& doc, platform::Surface& surface, const PageLayout& layout) {
    SetFontSize(surface, layout.numberSize);
    for (int r = 1; r <= Rows(doc); ++r)
        for (int c = 1; c <= Columns(doc); ++c)
            if (doc.CellLetters(c, r) != document::BlackCell && doc.StartCodes(c, r) > document::NoStart)
                surface.DrawText(layout.x0 + (c - 1) * layout.cell + layout.numberDx,
                                 layout.y0 + (r - 1) * layout.cell + layout.numberDy,
                                 std::to_string(doc.WordNumbers(c, r)));
}

// The solvers' last page: its heading, then the grid filled in, at half the
// size, centred across the page.
void DrawSolution(document::Crossword& doc, platform::Surface& surface, const PageLayout& layout, TextFlow& flow) {
    flow.BreakPage();
    const int cell = std::max(1, Round(layout.cell / 2.0));
    const int x0 = Round((layout.width - Columns(doc) * cell) / 2);
    flow.SetX(x0);
    flow.SetBold(true);
    flow.Print(SolutionTitle, true);
    flow.SetBold(false);
    if (flow.Failed()) return;
    const GridPlace place{x0, Round(flow.Y() + 10 + layout.frameMargin), cell};
    SetFontSize(surface, std::max(Nearest(cell / 30.0 * 18.0), 1.0) * layout.unitScale);
    DrawFrame(doc, surface, place, layout.frameMargin);
    DrawCells(doc, surface, place, true, layout.roundLetterOffsets);
}

} // namespace

WindowArea AreaOf(const platform::Surface& window, int toolbar, int statusBar) {
    const platform::Font font = window.CurrentFont();
    return {window.ScaleWidth(), window.ScaleHeight(), toolbar, statusBar, font.italic, font.bold};
}

double PrintPageHeight(double windowHeight) {
    return static_cast<float>(windowHeight * 8.0 / 6.0 * 297.0 / 210.0 * 111.5 / 103.5);
}

PageLayout PrintLayout(const document::Crossword& doc, WindowArea area, Paper paper) {
    if (paper.width <= 0 || paper.height <= 0) paper = A4Paper;
    const bool across = paper.width > paper.height;
    const double shortSide = std::min(paper.width, paper.height);
    PageLayout page;
    // The window's width spans the paper's shorter side, in square units.
    page.width = across ? area.width * paper.width / paper.height : area.width;
    page.bottom = across ? area.width : area.width * paper.height / paper.width;
    page.height = across ? page.bottom : std::min(PrintPageHeight(area.height), page.bottom);
    page.paperScale = shortSide / A4Paper.width;
    page.unitScale = area.width > 0 ? shortSide * ReferenceWindowWidth / (area.width * A4Paper.width) : 1;
    const int columns = Columns(doc), rows = Rows(doc);
    const double gridHeight = across ? page.height : page.height / 2;
    page.cell = CellSize((page.width - 2 * Margin - 4) / columns, (gridHeight - 2 * Margin - 4) / rows);
    page.letterSize = std::max(Nearest(page.cell / 30.0 * 18.0) * page.unitScale, 10.0 * page.paperScale);
    page.x0 = Round((page.width - columns * page.cell) / 2);
    // Across, the grid stands at the top margin (centred when it takes the
    // height), and the lists follow under it.
    page.y0 = across ? Round(std::min((page.height - rows * page.cell) / 2, Margin + 2))
                     : Round(((area.toolbar + page.height) / 2 - rows * page.cell) / 2);
    page.frameMargin = 3;
    page.roundLetterOffsets = false;
    page.numberSize = 6 * page.paperScale;
    page.numberDx = 1;
    page.numberDy = 1;
    page.listSize = 8.25 * page.paperScale;
    page.left = Round(page.width / 12);
    page.rightLimit = page.width - 200;
    page.blankLinesAfterLists = 1;
    page.italic = area.italic;
    page.bold = area.bold;
    return page;
}

PageLayout PreviewLayout(const document::Crossword& doc, WindowArea area) {
    PageLayout page;
    page.width = area.width;
    page.height = area.height;
    const double free = area.height - area.toolbar - area.statusBar;  // A
    const double sheetWidth = free / A4Height * A4Width;
    const int columns = Columns(doc), rows = Rows(doc);
    page.cell = CellSize((sheetWidth - 2 * Margin - 4) / columns, (free / 2 - 2 * Margin - 4) / rows);
    page.letterSize = std::max(Nearest(page.cell / 35.0 * 20.0), 10.0);
    page.x0 = Round((area.width - columns * page.cell) / 2);
    page.y0 = Round(((area.toolbar + area.height + area.statusBar) / 2 - rows * page.cell) / 2);

    const double pageH = Nearest(free);
    const double pageL = Nearest((area.width - pageH / A4Height * A4Width) / 2);
    page.sheet = Sheet{pageL, static_cast<double>(area.toolbar), area.width - pageL,
                       area.height - 1 - area.statusBar};
    page.frameMargin = 2;
    page.roundLetterOffsets = true;
    page.numberSize = page.cell / 5.0;
    page.numberDx = 2;
    page.numberDy = 0;
    page.listSize = ReferencePreviewListSize * pageH / ReferenceSheetHeight;
    page.left = Round(pageH / A4Height * A4Width / 12 + pageL);
    page.rightLimit = area.width - page.left;
    page.blankLinesAfterLists = 2;
    page.italic = area.italic;
    page.bold = area.bold;
    return page;
}

std::string ClueItem(int number, const std::string& clue) {
    return std::to_string(number) + " " + (clue.empty() ? std::string(ClueLineLength, '_') : clue) + " ";
}

std::string DateText(int year, int month, int day) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", day, month, year);
    return text;
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

bool DrawPage(document::Crossword& doc, platform::Surface& surface, const PageLayout& layout,
              const std::string& date, const NewPage& newPage) {
    if (layout.sheet) {
        const Sheet& s = *layout.sheet;
        surface.Rectangle(s.left, s.top, s.right, s.bottom, platform::colors::White, true);
        surface.Rectangle(s.left, s.top, s.right, s.bottom, platform::colors::DarkRed, false);
    }

    platform::Font font = surface.CurrentFont();
    font.name = doc.GridFontName.empty() ? document::DefaultFontName : doc.GridFontName;
    font.size = layout.letterSize;
    font.italic = layout.italic;
    font.bold = layout.bold;
    surface.SetFont(font);

    const GridPlace grid{layout.x0, layout.y0, layout.cell};
    const bool solvers = layout.edition == Edition::ForSolvers;
    DrawFrame(doc, surface, grid, layout.frameMargin);
    DrawCells(doc, surface, grid, !solvers, layout.roundLetterOffsets);
    DrawNumbers(doc, surface, layout);

    SetFontSize(surface, layout.listSize);
    const int gridBottom = layout.y0 + Rows(doc) * layout.cell;
    TextFlow flow(surface, layout.bottom > 0 ? layout.bottom : layout.height, newPage);
    flow.MoveTo(layout.left, gridBottom + 10);
    PrintList(flow, surface, doc, layout, document::Horizontal, "ORIZZONTALI:");
    flow.EndLine();
    flow.EndLine();
    flow.SetX(layout.left);
    PrintList(flow, surface, doc, layout, document::Vertical, "VERTICALI:");
    flow.SetBold(false);
    flow.EndLine();
    for (int i = 0; i < layout.blankLinesAfterLists; ++i) flow.EndLine();

    // The file name is kept in the file system's encoding; the page writes
    // Windows-1252 like every other text.
    const std::string footer[] = {date + "   -   " + document::Utf8ToCp1252(doc.CurrentFileName),
                                  doc.FileLines(1), CreditLine};
    for (const std::string& line : footer) {
        flow.SetX(layout.left);
        flow.Print(line, true);
    }
    if (solvers) DrawSolution(doc, surface, layout, flow);
    return !flow.Failed();
}

void DrawPrintPreview(document::Crossword& doc, platform::Surface& window, int toolbar, int statusBar,
                      const std::string& date) {
    window.Clear();
    const bool bold = window.CurrentFont().bold;
    DrawPage(doc, window, PreviewLayout(doc, AreaOf(window, toolbar, statusBar)), date);
    platform::Font font = window.CurrentFont();
    font.bold = bold;
    window.SetFont(font);
}

} // namespace output
