#pragma once
// "quadrivo-tool esporta": a crossword file written in another format,
// chosen by the extension of the file to write.

#include <functional>
#include <string>
#include <vector>

namespace tools {

// The lines of the tool's help that describe the command.
extern const char* const EsportaHelp;

// Writes the printed page of crossword file `in` as the PDF file `out` and
// returns the tool's exit code; empty in builds without printing.
using PdfWriter = std::function<int(const std::string& in, const std::string& out)>;

// Runs "esporta IN.qdr OUT.EXT [--soluzione]" (`args` are the words after
// "esporta"): .ipuz, .puz, .svg (the empty grid with its numbers, or with
// --soluzione the solution) are written here, .pdf by `writePdf`. Returns 0
// when the file was written; 1 when the crossword could not be read, its
// format cannot hold it or the file could not be written (the reason on
// stderr, in Italian, and nothing written); 2 for a wrong command line,
// an unknown extension among them.
int Esporta(const std::vector<std::string>& args, const PdfWriter& writePdf);

} // namespace tools
