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

} // namespace editor
