#pragma once
// The printed page of a crossword and its preview on the main window: the
// numbered grid in the upper half, the "ORIZZONTALI:" and "VERTICALI:"
// paragraphs under it, and three footer lines. One layout drawn through
// platform::Surface; the printed page and the preview differ only in the
// values of PageLayout.

#include "document/crossword.h"
#include "platform/surface.h"

#include <functional>
#include <optional>
#include <string>

namespace output {

// The main window's drawing area the page is laid out from, in window
// pixels: W x H with the toolbar (TH) along its top and the status bar
// along its bottom included.
struct WindowArea {
    double width = 0;
    double height = 0;
    int toolbar = 0;
    int statusBar = 0;
    // The style of the window's font, chosen with the font dialog: the page
    // writes its letters and numbers in it too.
    bool italic = false;
    bool bold = false;
};

// The area of a window surface with the heights of its two bars, and the
// style of its font.
WindowArea AreaOf(const platform::Surface& window, int toolbar, int statusBar);

// The printable area of a sheet of paper, in millimetres, as the print
// dialog or the PDF writer gives it.
struct Paper {
    double width = 0, height = 0;
};

// A4 less an edge of 5 mm all round: the sheet the page is made for. On it,
// from a window 800 pixels wide, every size is the one the layout names.
inline constexpr Paper A4Paper{200, 287};

// What a printed page shows: the crossword as filled in, or for solvers the
// empty grid with its numbers and, on a last page, the solution.
enum class Edition { Filled, ForSolvers };

// The white sheet with its dark red border that the preview draws first.
struct Sheet {
    double left = 0, top = 0, right = 0, bottom = 0;
};

// Every value in which the printed page and its preview differ.
struct PageLayout {
    double width = 0, height = 0;  // the page in its own units
    double bottom = 0;             // where the paper ends, in page units (0: at height)
    int cell = 1;                  // side of a grid cell
    int x0 = 0, y0 = 0;            // top-left corner of the grid
    double letterSize = 10;        // points
    int frameMargin = 3;           // the grid frame lies this far outside the cells
    bool roundLetterOffsets = false;  // the screen rounds half a letter's size
    double numberSize = 6;         // points
    int numberDx = 1, numberDy = 1;   // a word number's corner inside its cell
    double listSize = 8.25;        // points, lists and footer
    int left = 0;                  // left margin of the lists and the footer
    double rightLimit = 0;         // an item never starts a line it would end beyond
    int blankLinesAfterLists = 1;
    bool italic = false, bold = false;  // the style the page starts in
    // Points on the paper per point the layout names outright (numbers,
    // lists, the least letter size): 1 on A4 and on the screen, more on a
    // larger paper, so that they keep their proportion to the page.
    double paperScale = 1;
    // Points on the paper per point the layout takes from a length in page
    // units (the letters, from the cell): 1 from an 800-pixel window on A4;
    // from a wider window the page units are shorter, and so the points.
    double unitScale = 1;
    Edition edition = Edition::Filled;
    std::optional<Sheet> sheet;
};

// The printed page's height in page units for a drawing area H pixels high:
// H x 8 / 6 x 297 / 210 x 111.5 / 103.5, kept in single precision.
double PrintPageHeight(double windowHeight);

// The printed page on `paper`: as many units wide as the window is pixels
// wide across the paper's shorter side, the units square. Upright, the page
// is as high as the window makes it (less when the paper is shorter) and the
// grid takes its upper half; on a sheet lying across, the grid may take the
// whole height and the lists go on on the next page. Letters at 18/30 of the
// cell times unitScale (at least 10 points), numbers at 6 and lists at 8.25
// points, these and the 10 times paperScale: the page looks the same from any window,
// up to the size of the grid, and letters keep inside their cells.
PageLayout PrintLayout(const document::Crossword& doc, WindowArea area, Paper paper = A4Paper);

// The preview on the window: an A4-shaped sheet as high as the room between
// toolbar and status bar, letters at 20/35 of the cell (at least 10 points),
// the lists in a size that keeps its proportion to the sheet.
PageLayout PreviewLayout(const document::Crossword& doc, WindowArea area);

// One entry of a clue list: the word number, a blank, the clue (30
// underscores when it is empty), a blank.
std::string ClueItem(int number, const std::string& clue);

// A date as the footer writes it: dd-mm-yyyy.
std::string DateText(int year, int month, int day);
// Today's date, local time, as DateText writes it.
std::string TodayText();

// The last footer line, under the author line.
inline const std::string CreditLine = "Cruciverba realizzato con Quadrivo 98";

// The heading of the solvers' last page.
inline const std::string SolutionTitle = "Soluzione";

// Asked for a further page when the lists reach the bottom of the page;
// false when the printer could not give one.
using NewPage = std::function<bool()>;

// Draws the page on `surface`: sheet (if any), frame, cells, word numbers,
// the two lists and the footer with `date`; for solvers the grid without
// its letters, and after the footer a further page with "Soluzione" and the
// grid filled in at half the size. Reads the word map of the last redraw
// and sets CellLetters as a redraw would; nothing else in the document
// changes. Without `newPage` the lists (and a solution) run on past the
// bottom. False when a further page was needed and could not be had: the
// drawing stopped there.
bool DrawPage(document::Crossword& doc, platform::Surface& surface, const PageLayout& layout,
              const std::string& date, const NewPage& newPage = {});

// The print preview on the main window's surface: clears it and draws the
// page of PreviewLayout for the surface's size and the two bars. The
// window font's bold setting is the same afterwards.
void DrawPrintPreview(document::Crossword& doc, platform::Surface& window, int toolbar, int statusBar,
                      const std::string& date = TodayText());

} // namespace output
