#pragma once
// The main window's grid: scaled to the free area between toolbar and status
// bar, centred, with its frame, black cells, letters and word numbers.

#include "document/crossword.h"
#include "platform/surface.h"

#include <string>

namespace editor {

// Heights of the bars that lie over the drawing area, in window pixels.
struct Bars {
    int toolbar = 0;
    int statusBar = 0;
};

// Redraws the whole grid on `surface` (the drawing area below the menu bar,
// toolbar and status bar included), recomputing CellSize, GridLeft, GridTop
// and the word map.
void DrawGrid(document::Crossword& doc, platform::Surface& surface, Bars bars);

// Size in points of the grid letters for a cell size: 20/35 of the cell, at
// least 10.
double LetterSize(int cellSize);

// The window pixel of the top-left corner of a cell, from the geometry of
// the last redraw. Every conversion of a cell to pixels goes through here.
struct Pixel {
    int x = 0;
    int y = 0;
};
Pixel CellOrigin(const document::Crossword& doc, int column, int row);

// Paints the letters the automatic fill places, one at a time: a white
// square over the cell's centre, then the letter centred on it in the grid
// font at the letter size of the cell.
class FillLetterPainter {
public:
    // The white square's half side comes from the surface's font size when
    // the fill begins.
    explicit FillLetterPainter(platform::Surface& surface);
    void Paint(const document::Crossword& doc, int column, int row, char letter);

private:
    platform::Surface& surface_;
    int eraseHalf_;
};

// Tints a white cell of the drawn grid that no word can fill any more, its
// letter and number drawn again over the tint. Called after DrawGrid.
constexpr platform::Color DeadCellTint{255, 150, 150};
void TintDeadCell(const document::Crossword& doc, platform::Surface& surface, int column, int row);

} // namespace editor
