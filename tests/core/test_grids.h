#pragma once
// Crosswords written as text in the tests: one string per row, one
// character per cell ('*' black, '.' empty, a letter).

#include "document/crossword.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testgrids {

inline std::string SizeLine(int columns, int rows) {
    char text[32];
    std::snprintf(text, sizeof text, "Dimensioni : %02dx%02d", columns, rows);
    return text;
}

inline document::Crossword MakeCrossword(const std::vector<std::string>& rows) {
    document::Crossword doc;
    doc.FileLines(1) = "Autore     : Zampetti Olindo";
    doc.FileLines(2) = "Data       : 28-01-1998";
    doc.FileLines(3) = "Tipo       : Crociate Normale";
    doc.RowCount = static_cast<int>(rows.size());
    doc.ColumnCount = rows.empty() ? 0 : static_cast<int>(rows.front().size());
    doc.FileLines(4) = SizeLine(doc.ColumnCount, doc.RowCount);
    int r = 0;
    for (const auto& row : rows) {
        std::string line;
        for (char cell : row) {
            line += cell;
            line += cell == '*' ? '*' : '.';
        }
        doc.GridLine(++r) = line;
    }
    doc.CurrentFileName = "TEST.QDR";
    return doc;
}

// The cell characters of row r, one per cell.
inline std::string RowCells(const document::Crossword& doc, int r) {
    std::string cells;
    for (int c = 1; c <= doc.ColumnCount; ++c) cells += doc.Cell(c, r);
    return cells;
}

inline std::string ReadBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A fresh folder for one test's files.
inline std::string TempDir(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() / ("quadrivo_test_" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

} // namespace testgrids
