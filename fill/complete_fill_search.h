#pragma once
// Inside the complete fill: the grid seen as slots and crossings, and the
// backtracking search over it. fill/complete_fill.h is the interface.

#include "fill/complete_fill.h"
#include "fill/complete_fill_index.h"

#include <string>
#include <vector>

namespace fill::detail {

// A horizontal or vertical run of 3 or more white cells.
struct GridSlot {
    int column = 0;  // start cell, 1-based
    int row = 0;
    int direction = document::Horizontal;
    int number = 0;          // the number the grid shows at the start cell
    std::vector<int> cells;  // cell ids (row - 1) * columns + (column - 1), in order
};

struct Problem {
    int columns = 0;
    int rows = 0;
    std::vector<char> cells;  // cell characters, by cell id
    std::vector<GridSlot> slots;
};

// The slots of the crossword's grid, in reading order (horizontal before
// vertical at a shared start cell).
Problem MakeProblem(const document::Crossword& doc);

// "orizzontale 5 alle coordinate 3,2", for messages.
std::string DescribeSlot(const GridSlot& slot);

// The slot's cells as they stand, with "." for every cell without a letter.
std::string SlotPattern(const Problem& problem, const GridSlot& slot);

// The backtracking search; fills `result` (outcome, message, rows, stats).
// With a `nodeBudget` (> 0) it gives up after trying that many words and
// says so by returning false, the outcome then being TimeLimit.
bool Solve(const Problem& problem, LetterIndex& index, const CompleteFillOptions& options,
           CompleteFillProgress* progress, CompleteFillResult& result, std::int64_t nodeBudget = 0);

} // namespace fill::detail
