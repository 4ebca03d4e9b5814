#pragma once
// Crosswords made by other programs, in the two formats most of them
// exchange: .ipuz (JSON) and .puz (binary, version 1.3 or 2.0). What a .qdr
// cannot hold is never dropped silently: the report lists it.

#include "document/crossword.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace document {

// Files larger than this are no crossword.
constexpr std::size_t MaxImportFileSize = 4 * 1024 * 1024;

enum class ImportOutcome { Imported, ImportedWithLosses, Refused };

struct ImportReport {
    ImportOutcome outcome = ImportOutcome::Refused;
    // Refused: why; ImportedWithLosses: what was folded, left out or cut.
    // Windows-1252, for the user.
    std::string message;
};

// Reads the bytes of a .ipuz or .puz file (told apart by their content)
// into `doc` as a new crossword dated `date` ("dd-mm-yyyy"): header, grid
// rows and clues, `CurrentFileName` left as it was. A refused file leaves
// `doc` as it was.
ImportReport ImportCrossword(Crossword& doc, std::string_view bytes, const std::string& date);

// The name an imported crossword goes by until it is saved: the file's own
// name in capitals with ".QDR" ("Rivista.ipuz" -> "RIVISTA.QDR").
std::string ImportedName(const std::string& fileName);

} // namespace document
