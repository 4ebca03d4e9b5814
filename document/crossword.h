#pragma once
// The crossword document: the one crossword being edited, the little state
// the main window keeps about it, and the word map the last redraw derived
// from its grid. Plain data; the working file "_qdra_32.tmp" beside it is
// the authoritative copy, and the document is reloaded from it after every
// change.

#include "document/one_based.h"

#include <cstdint>
#include <string>

namespace document {

constexpr int MaxColumns = 25;
constexpr int MaxRows = 15;
constexpr int MinColumns = 3;
constexpr int MinRows = 3;
constexpr int FileLineCount = 24;
constexpr int HeaderLineCount = 4;

constexpr int Horizontal = 1;
constexpr int Vertical = 2;

inline const std::string WorkingFile = "_qdra_32.tmp";
inline const std::string NewCrosswordName = "NUOVOCRU.QDR";
inline const std::string DefaultFontName = "Arial";

// Cell characters of the in-memory grid rows.
constexpr char BlackCell = '*';
constexpr char EmptyCell = '.';

// Codes of StartCodes.
enum StartCode : std::int16_t {
    NoCell = 0,        // black cell
    NoStart = 1,       // white cell that starts no word
    StartsAcross = 2,  // starts a horizontal word only
    StartsDown = 3,    // starts a vertical word only
    StartsBoth = 5,
};

inline bool StartsWord(int code, int direction) {
    return code == StartsBoth || code == (direction == Horizontal ? StartsAcross : StartsDown);
}

// EditMode codes: the active grid tool or the last command.
enum EditModeCode {
    NoTool = 0,
    ClueMode = 1,
    AddedColumn = 3,
    RemovedColumn = 4,
    AddedRow = 5,
    RemovedRow = 6,
    BlackCellTool = 7,
    WhiteCellTool = 8,
    WordTable = 20,
    NotShowingGrid = -1,
};

// Derived from the grid rows by ComputeWordMap. Tables keep their full
// capacity; entries outside the current size keep old values.
struct WordMap {
    CellTable<char, MaxColumns, MaxRows> CellLetters;
    CellTable<std::int16_t, MaxColumns, MaxRows> StartCodes;
    CellTable<std::int16_t, MaxColumns, MaxRows> WordNumbers;
    DirectedTable<std::string, MaxColumns, MaxRows> CellWords;

    WordMap() { CellLetters.Fill(EmptyCell); }
};

struct Crossword : WordMap {
    // Lines 1..4: the header lines; lines 5..RowCount + 4: one grid row each,
    // two characters per cell (cell character, then marker).
    List1<std::string, FileLineCount> FileLines;
    int ColumnCount = 0;
    int RowCount = 0;
    // Clue of the word starting at (column, row) in a direction; "" = none.
    DirectedTable<std::string, MaxColumns, MaxRows> Definitions;

    std::string CurrentFileName;  // "" = no crossword
    bool ChangedFlag = false;
    int EditMode = NoTool;
    int CurrentColumn = 1;
    int CurrentRow = 1;
    int CurrentDirection = Horizontal;
    std::string GridFontName = DefaultFontName;

    // Screen geometry of the last redraw, in window pixels.
    int CellSize = 0;
    int GridLeft = 0;
    int GridTop = 0;

    // The grid line of row r (1-based).
    std::string& GridLine(int r) { return FileLines(r + HeaderLineCount); }
    const std::string& GridLine(int r) const { return FileLines(r + HeaderLineCount); }

    // The cell character of (c, r) as the grid row holds it now; "" beyond
    // the end of a short line reads as an empty cell.
    char Cell(int c, int r) const;

    bool HasCrossword() const { return !CurrentFileName.empty(); }

    // Empties the whole clue table, as every newly current crossword does.
    void ClearDefinitions() { Definitions.Fill(std::string()); }
};

} // namespace document
