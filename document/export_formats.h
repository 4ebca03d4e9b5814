#pragma once
// Export of the crossword for other programs: the open .ipuz format, the
// binary .puz format of the solving programs, and vector pictures of the
// grid. The crossword's own format stays .qdr; an export is written whole
// through ReplaceFile or not at all, and what a format cannot hold is
// refused with a message before anything is written.

#include "document/crossword.h"
#include "platform/messages.h"

#include <optional>
#include <string>
#include <string_view>

namespace document {

// Pdf is the printed page and PdfSolvers the pages for solvers (the empty
// grid with the clues, then the solution), written by the windows' printing
// code; the others are written here.
enum class ExportFormat { Ipuz, Puz, Pdf, SvgGrid, SvgSolution, PdfSolvers, Html };

// The format a file name's extension asks for, whatever its case: ".ipuz",
// ".puz", ".pdf", ".svg" (the empty grid with its numbers), ".html" or
// ".htm" (the page to solve in a browser). std::nullopt for any other name.
std::optional<ExportFormat> FormatOfFileName(std::string_view name);

// The extension of a format, with its dot: ".ipuz", ".svg", ...
std::string ExtensionOf(ExportFormat format);

inline const std::string UnknownFormatMessage =
    "Formato di esportazione sconosciuto: il nome del file deve finire con .ipuz, .puz, .pdf o .svg "
    "(o .html per la pagina web da risolvere).";
inline const std::string NoCrosswordMessage = "Nessun cruciverba da esportare.";

// What keeps a crossword out of every export: no crossword, a size outside
// 3..25 x 3..15, or a cell that holds something other than a black cell, an
// empty cell or a letter A..Z. "" when there is nothing against it; else
// the message to show (Windows-1252).
std::string ExportProblem(const Crossword& doc);

// A copy of the document with the word map recomputed from its grid rows,
// so an export never depends on when the window was last redrawn.
Crossword WithWordMap(const Crossword& doc);

// The title an export gives the crossword: the name of its file without
// folder and extension ("rivista" for "/home/anna/rivista.qdr"), UTF-8.
std::string ExportTitle(const Crossword& doc);

// The author: the value of header line 1 without trailing blanks
// (Windows-1252, as the file holds it).
std::string ExportAuthor(const Crossword& doc);

// The bytes written for a format the core writes (not Pdf), or "" with
// `problem` set to the message when the crossword cannot be written in it.
std::string ExportBytes(const Crossword& doc, ExportFormat format, std::string& problem);

// Writes the crossword to `fileName` in `format` (not Pdf) through
// ReplaceFile. A crossword the format cannot hold shows why and writes
// nothing; a failed write shows "Errore di scrittura del file!" and leaves
// an older file as it was. True when the file was written.
bool ExportCrossword(const Crossword& doc, ExportFormat format, const std::string& fileName,
                     platform::Messages& messages);

// `text` (possibly malformed UTF-8, as file names can be) as valid UTF-8:
// each malformed byte becomes U+FFFD.
std::string ValidUtf8(std::string_view text);

} // namespace document
