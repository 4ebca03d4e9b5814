#pragma once
// The binary .puz format (version 1.3) that most solving programs open: a
// 52-byte header with its checksums, the solution grid, the empty grid the
// solver fills, then NUL-terminated strings (title, author, copyright, the
// clues in number order, across before down at the same number, notes), all
// in the ISO-8859-1 code page.

#include "document/crossword.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace document {

// Why the crossword cannot be a .puz ("" when it can): an empty white cell
// (the format keeps a letter in every one), or a clue, title or author with
// a character the format's code page lacks. Windows-1252 message.
std::string PuzProblem(const Crossword& doc);

// The bytes of the .puz file of a crossword that ExportProblem and
// PuzProblem let through.
std::string PuzBytes(const Crossword& doc);

// The format's running checksum of `bytes`, going on from `sum`.
std::uint16_t PuzChecksum(std::string_view bytes, std::uint16_t sum = 0);

// Windows-1252 text in the .puz code page (ISO-8859-1): the typographic
// characters that only Windows-1252 has become their plain equivalents
// (curly quotes, dashes, ellipsis, euro sign, ...). False when the text holds
// a control character or a byte that Windows-1252 leaves undefined.
bool ToPuzText(std::string_view cp1252, std::string& latin1);

} // namespace document
