#pragma once
// The model library "CRUCINEW.DAT" and the making of new crosswords, by size
// or from a model. A model is a run of grid-row lines ("." white, "*" black,
// "A".."Z" a pre-filled letter) closed by a line of exactly one character.

#include "document/crossword.h"

#include <string>
#include <string_view>
#include <vector>

namespace document {

inline const std::string ModelLibraryFile = "CRUCINEW.DAT";
inline const std::string MissingLibraryMessage =
    "Errore: Non trovato file di definizione modelli standard!";
inline const std::string InvalidLibraryMessage = "Tipo di file modelli non valido!";
constexpr int MaxModels = 12;

struct Model {
    std::vector<std::string> rows;  // one character per cell
    int Columns() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
    int Rows() const { return static_cast<int>(rows.size()); }
};

// Reads a library. False when it is not a valid library: a character other
// than ".", "*", "A".."Z", rows of unequal length, an empty line, an end line
// with no rows before it, more than twelve models, or a model outside
// 3..25 columns and 3..15 rows. Rows after the last end line are ignored.
bool ReadModelLibrary(std::string_view bytes, std::vector<Model>& models);

// Today's date as the header writes it: "05-12-2026".
std::string TodayText();

// Makes the document a new crossword of W x H empty white cells: header
// lines, grid rows, sizes, and the whole clue table emptied.
void MakeCrosswordOfSize(Crossword& doc, int columns, int rows, const std::string& date);

// The same with the cells of a model.
void MakeCrosswordFromModel(Crossword& doc, const Model& model, const std::string& date);

// Header line 4 for a size: "Dimensioni : 09x13".
std::string SizeHeader(int columns, int rows);

} // namespace document
