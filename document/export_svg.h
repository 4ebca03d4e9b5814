#pragma once
// The grid as a vector picture (SVG) for a page-layout program: the empty
// grid with its word numbers, as a magazine prints it for the solver, or
// the solution with the letters. Sizes are in millimetres.

#include "document/crossword.h"

#include <string>

namespace document {

enum class SvgContent { EmptyGrid, Solution };

// Geometry of the picture, in millimetres.
constexpr double SvgCell = 7.0;        // side of a cell
constexpr double SvgMargin = 1.0;      // white border around the grid
constexpr double SvgNumberSize = 2.2;  // font size of the word numbers
constexpr double SvgLetterSize = 4.6;  // font size of the solution's letters

// The SVG text of a crossword that ExportProblem lets through: a white
// page, every cell outlined, black cells filled, the word numbers in the
// top-left corner of their cells and, for the solution, the letters centred
// in theirs. UTF-8; the font is the grid's font.
std::string SvgText(const Crossword& doc, SvgContent content);

// Text with the five characters XML reserves written as entities.
std::string XmlEscaped(const std::string& utf8);

} // namespace document
