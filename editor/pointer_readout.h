#pragma once
// What the floating label says as the mouse moves over the main window: the
// active cell tool, or in clue mode the number, direction and clue of the
// word under the pointer.

#include "document/crossword.h"
#include "platform/pointer.h"

#include <functional>
#include <string>

namespace editor {

using platform::Pointer;

struct Readout {
    bool setCaption = false;  // otherwise the label keeps its caption
    std::string caption;
    bool moveLeft = false;  // otherwise the label keeps its left edge
    int left = 0;
    int top = 0;
    bool setPointer = false;
    Pointer pointer = Pointer::Default;
};

struct ReadoutArea {
    int width = 0;         // drawing area W
    int height = 0;        // drawing area H
    int screenHeight = 0;  // a top that is surely out of sight
};

// The cell under a window point: true when the point is on the grid.
bool CellAt(const document::Crossword& doc, int x, int y, int& column, int& row);

// The label's caption, position and pointer for a mouse move at (x, y).
// `labelWidth` gives the label's width for a caption.
Readout PointerReadout(const document::Crossword& doc, Pointer pointer, int x, int y,
                       const ReadoutArea& area, const std::function<int(const std::string&)>& labelWidth);

} // namespace editor
