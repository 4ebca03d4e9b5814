#include "document/grid_edits.h"

#include "document/model_library.h"

namespace document {

namespace {

// Header line 4 keeps its label and takes the new size.
void SetSizeHeader(Crossword& doc, int columns, int rows) {
    doc.FileLines(4) = doc.FileLines(4).substr(0, 13) + SizeHeader(columns, rows).substr(13);
}

bool OnGrid(const Crossword& doc, int column, int row) {
    return column >= 1 && row >= 1 && column <= doc.ColumnCount && row <= doc.RowCount &&
           column <= MaxColumns && row <= MaxRows;
}

// The cell character of (column, row), padding a short row line with empty
// cells so the write stays inside the line.
char& CellCharacter(Crossword& doc, int column, int row) {
    std::string& line = doc.GridLine(row);
    const std::size_t at = 2 * static_cast<std::size_t>(column) - 2;
    if (line.size() < at + 2) line.resize(at + 2, EmptyCell);
    return line[at];
}

} // namespace

bool AddColumn(Crossword& doc) {
    if (doc.ColumnCount > MaxColumns - 1) return false;
    SetSizeHeader(doc, doc.ColumnCount + 1, doc.RowCount);
    for (int r = 1; r <= doc.RowCount; ++r) doc.GridLine(r) += "..";
    return true;
}

bool RemoveColumn(Crossword& doc) {
    if (doc.ColumnCount < MinColumns + 1) return false;
    SetSizeHeader(doc, doc.ColumnCount - 1, doc.RowCount);
    for (int r = 1; r <= doc.RowCount; ++r) {
        std::string& line = doc.GridLine(r);
        line.resize(line.size() >= 2 ? line.size() - 2 : 0);
    }
    return true;
}

bool AddRow(Crossword& doc) {
    if (doc.RowCount >= MaxRows) return false;
    ++doc.RowCount;
    doc.GridLine(doc.RowCount) = std::string(2 * static_cast<std::size_t>(doc.ColumnCount), EmptyCell);
    SetSizeHeader(doc, doc.ColumnCount, doc.RowCount);
    return true;
}

bool RemoveRow(Crossword& doc) {
    if (doc.RowCount < MinRows + 1) return false;
    doc.GridLine(doc.RowCount).clear();
    --doc.RowCount;
    SetSizeHeader(doc, doc.ColumnCount, doc.RowCount);
    return true;
}

bool PutBlackCell(Crossword& doc, int column, int row) {
    if (!OnGrid(doc, column, row) || doc.Cell(column, row) == BlackCell) return false;
    CellCharacter(doc, column, row) = BlackCell;
    doc.GridLine(row)[2 * static_cast<std::size_t>(column) - 1] = BlackCell;
    return true;
}

bool PutWhiteCell(Crossword& doc, int column, int row) {
    if (!OnGrid(doc, column, row) || doc.Cell(column, row) != BlackCell) return false;
    CellCharacter(doc, column, row) = EmptyCell;
    return true;
}

void WriteWord(Crossword& doc, int column, int row, int direction, const std::string& word) {
    for (std::size_t k = 0; k < word.size(); ++k) {
        const int c = direction == Horizontal ? column + static_cast<int>(k) : column;
        const int r = direction == Horizontal ? row : row + static_cast<int>(k);
        if (!OnGrid(doc, c, r)) return;
        CellCharacter(doc, c, r) = word[k];
    }
}

} // namespace document
