#pragma once
// Small text and number helpers shared by the file formats and the windows.

#include <string>
#include <string_view>
#include <vector>

namespace document {

// Rounds to the nearest whole number, halves to even: Nearest(137.5) = 138,
// Nearest(78.5) = 78. Every computed position and size goes through it.
double Nearest(double v);

// Reads the leading number of a text the way file headers and entry fields
// are read: blanks and tabs are skipped wherever they stand, then an optional
// sign, digits and an optional decimal part up to the first other character.
// No digits give 0. The result is rounded with Nearest; it is a double so
// that callers can range-check huge values before narrowing.
double LeadingNumber(std::string_view text);

// The same leading number before rounding (an entry of "25.4" is 25.4).
double LeadingValue(std::string_view text);

// Characters of `text` from 1-based position `start`, at most `count` of
// them; "" when the text is shorter. Never reads outside the text.
std::string_view Mid(std::string_view text, std::size_t start,
                     std::size_t count = std::string_view::npos);

// Windows-1252 bytes to UTF-8. The five bytes that Windows-1252 leaves
// undefined become U+FFFD.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252. A character the code page lacks, or a malformed
// sequence, becomes `replacement`.
std::string Utf8ToCp1252(std::string_view utf8, char replacement = '?');

// UTF-8 text for markup (XML, HTML): "&", "<", ">" and the double quote as
// entities, the apostrophe as `apostrophe`, control characters other than
// tab and line feed left out (markup has no way to write them).
std::string MarkupEscaped(std::string_view utf8, std::string_view apostrophe);

// Decodes one UTF-8 character at `pos`, advancing `pos`. Returns -1 for a
// malformed sequence (and skips one byte).
long DecodeUtf8(std::string_view text, std::size_t& pos);

// The lines of a text file: a line ends at CR LF, CR or LF; a last line
// without an ending still counts.
std::vector<std::string> TextLines(std::string_view bytes);

} // namespace document
