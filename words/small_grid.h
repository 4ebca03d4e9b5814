#pragma once
// The word table's small copy of the grid, and the frame of its selected
// word, drawn on the table window's picture box.

#include "document/crossword.h"
#include "platform/surface.h"

namespace words {

struct SmallGrid {
    int cell = 0;  // sc
    int left = 5;  // sl
    int top = 5;   // st
};

struct Frame {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool Empty() const { return x1 == 0 && y1 == 0 && x2 == 0 && y2 == 0; }
};

// Clears the surface and draws the grid scaled and centred with its letters
// and word numbers (from the document's word map). False, after drawing what
// came before, at a cell character other than "A".."Z", "*" and ".".
bool DrawSmallGrid(platform::Surface& surface, const document::Crossword& doc, SmallGrid& grid);

// The rectangle around the word starting at (column, row) in a direction.
Frame WordFrame(const document::Crossword& doc, const SmallGrid& grid, int column, int row, int direction);

} // namespace words
