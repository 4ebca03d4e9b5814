#pragma once
// Changes to the grid's shape and letters, made in the document before the
// edit cycle saves, reloads and redraws it. Each returns false, changing
// nothing, when a limit stops it.

#include "document/crossword.h"

#include <string>

namespace document {

inline const std::string TooManyColumnsMessage = "Numero massimo consentito di colonne: 25";
inline const std::string TooFewColumnsMessage = "Non ha senso fare un cruciverba con 3 caselle!";
inline const std::string TooManyRowsMessage = "Numero massimo consentito di righe: 15";
inline const std::string TooFewRowsMessage = "Non ha senso un criciverba con meno di 3 righe";

// A white empty column at the right: header line 4 names one more column and
// every grid row gains "..". ColumnCount follows at the next load.
bool AddColumn(Crossword& doc);
// The last column goes: header line 4 names one fewer, every row loses its
// last two characters.
bool RemoveColumn(Crossword& doc);
// A white empty row at the bottom; RowCount grows at once.
bool AddRow(Crossword& doc);
// The bottom row goes; RowCount shrinks at once.
bool RemoveRow(Crossword& doc);

// The cell becomes black ("**"); false when it already is.
bool PutBlackCell(Crossword& doc, int column, int row);
// A black cell becomes white and empty (only the cell character changes);
// false when it is not black.
bool PutWhiteCell(Crossword& doc, int column, int row);

// Writes a word's characters as the cell characters of consecutive cells
// from (column, row) along the direction, never past the grid.
void WriteWord(Crossword& doc, int column, int row, int direction, const std::string& word);

} // namespace document
