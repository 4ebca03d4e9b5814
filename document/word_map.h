#pragma once
// The word map: which cells start words, their reading-order numbers and the
// letters of each run, derived from the grid rows of the document.

#include "document/crossword.h"

#include <functional>

namespace document {

// Recomputes CellLetters, StartCodes, WordNumbers and CellWords for the cells
// inside ColumnCount x RowCount; entries outside keep their old values.
// `onNumber` (optional) is told each start cell as it is numbered, in
// reading order, so a redraw can print the number there.
void ComputeWordMap(Crossword& doc,
                    const std::function<void(int column, int row, int number)>& onNumber = {});

// The same without renumbering: CellLetters, StartCodes and CellWords follow
// the grid rows, WordNumbers keep their values (the word table changes
// letters only, never black cells).
void RecomputeWordMap(Crossword& doc);

// One word of the map, as the word table lists it.
struct WordEntry {
    int column;
    int row;
    int direction;
    int number;
    std::string letters;  // CellWords of the start cell
    std::string clue;     // Definitions of the start cell
};

// Every word of the current map in reading order: row by row, left to right,
// and at a cell that starts two words the horizontal one first.
std::vector<WordEntry> WordsInReadingOrder(const Crossword& doc);

} // namespace document
