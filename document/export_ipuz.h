#pragma once
// The .ipuz format (version 2, crossword kind): a UTF-8 JSON document with
// the grid's numbers and blocks ("puzzle"), its letters ("solution", null
// for an empty white cell) and the clues of both directions under their
// Italian titles.

#include "document/crossword.h"

#include <string>

namespace document {

// The .ipuz text of a crossword that ExportProblem lets through. The word
// map is recomputed from the grid rows; the clues are those of the word
// starts, in reading order.
std::string IpuzText(const Crossword& doc);

// A JSON string literal of UTF-8 text, quotes included.
std::string JsonString(const std::string& utf8);

} // namespace document
