#pragma once
// "quadrivo-tool stampa": the printed page of a crossword file written to a
// PDF file, without a display.

#include <string>
#include <vector>

namespace tools {

// Runs "stampa IN.qdr OUT.pdf [--area WxH] [--barra TH] [--solutori]"
// (`args` are the words after "stampa"). The page is laid out for a window
// whose drawing area is W x H pixels with a toolbar TH pixels high (800x553
// and 28 by default) and written on A4; with --solutori, the pages for
// solvers: the empty grid with its clues, and the solution last. Returns 0 when the PDF was written, 1 when
// the file could not be read or written (the reasons on stderr), 2 for a
// wrong command line.
int Stampa(const std::vector<std::string>& args);

} // namespace tools
