#pragma once
// The crossword as one web page to solve in a browser: a single UTF-8 file
// with its style and script inline (no network, no other file), the grid
// with its numbers and black cells, the "Orizzontali" and "Verticali"
// lists, keyboard solving, checks and hints, and the progress kept in the
// browser's local storage.
//
// What scripts and tests may rely on in the page:
// - every white cell is an element with data-colonna and data-riga
//   (1-based) whose text is the letter typed in it, nothing else;
// - <body> gets data-stato="risolto" once every white cell holds its right
//   letter (a cell the crossword leaves empty takes any letter), and
//   data-stato="in-corso" before that and after any later change.

#include "document/crossword.h"

#include <string>
#include <string_view>

namespace document {

// The page of a crossword that ExportProblem lets through. The word map is
// recomputed from the grid rows; the clues are those of the word starts.
// The solution is in the page only scrambled.
std::string HtmlPage(const Crossword& doc);

// UTF-8 text for an HTML element or attribute: "&", "<", ">", quotes
// written as character references, control characters other than tab and
// line feed left out.
std::string HtmlEscaped(std::string_view utf8);

// The page's inline style sheet and script (export_html_script.cpp).
std::string_view HtmlPageStyle();
std::string_view HtmlPageScript();

} // namespace document
