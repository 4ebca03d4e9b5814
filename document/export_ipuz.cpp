#include "document/export_ipuz.h"

#include "document/export_formats.h"
#include "document/text.h"
#include "document/word_map.h"

#include <cstdio>

namespace document {

namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// The file's creation date "dd-mm-yyyy" as .ipuz writes dates, "mm/dd/yyyy";
// "" when the header holds something else.
std::string IpuzDate(const Crossword& doc) {
    const std::string_view date = Mid(doc.FileLines(2), 14, 10);
    if (date.size() != 10 || date[2] != '-' || date[5] != '-') return "";
    for (std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!IsDigit(date[i])) return "";
    return std::string(date.substr(3, 2)) + "/" + std::string(date.substr(0, 2)) + "/" +
           std::string(date.substr(6, 4));
}

std::string Field(const std::string& key, const std::string& value) {
    return "  " + JsonString(key) + ": " + value + ",\n";
}

// One row of "puzzle": word numbers, 0 for a white cell without one, "#"
// for a black cell.
std::string PuzzleRow(const Crossword& doc, int r) {
    std::string row = "[";
    for (int c = 1; c <= doc.ColumnCount; ++c) {
        if (c > 1) row += ", ";
        if (doc.CellLetters(c, r) == BlackCell)
            row += "\"#\"";
        else
            row += std::to_string(doc.WordNumbers(c, r));
    }
    return row + "]";
}

// One row of "solution": the letters, "#" for a black cell, null for an
// empty white cell.
std::string SolutionRow(const Crossword& doc, int r) {
    std::string row = "[";
    for (int c = 1; c <= doc.ColumnCount; ++c) {
        if (c > 1) row += ", ";
        const char cell = doc.CellLetters(c, r);
        if (cell == BlackCell)
            row += "\"#\"";
        else if (cell == EmptyCell)
            row += "null";
        else
            row += JsonString(std::string(1, cell));
    }
    return row + "]";
}

std::string ClueList(const std::vector<WordEntry>& words, int direction) {
    std::string list = "[";
    bool first = true;
    for (const WordEntry& w : words) {
        if (w.direction != direction) continue;
        list += first ? "\n      " : ",\n      ";
        list += "[" + std::to_string(w.number) + ", " + JsonString(Cp1252ToUtf8(w.clue)) + "]";
        first = false;
    }
    return list + (first ? "]" : "\n    ]");
}

} // namespace

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (char ch : utf8) {
        switch (ch) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(ch));
                out += escaped;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

std::string IpuzText(const Crossword& source) {
    const Crossword doc = WithWordMap(source);
    const auto words = WordsInReadingOrder(doc);

    std::string text = "{\n";
    text += Field("version", "\"http://ipuz.org/v2\"");
    text += Field("kind", "[\"http://ipuz.org/crossword#1\"]");
    text += Field("title", JsonString(ExportTitle(doc)));
    text += Field("author", JsonString(Cp1252ToUtf8(ExportAuthor(doc))));
    if (const std::string date = IpuzDate(doc); !date.empty()) text += Field("date", JsonString(date));
    text += Field("origin", "\"Quadrivo 98\"");
    text += Field("charset", "\"ABCDEFGHIJKLMNOPQRSTUVWXYZ\"");
    text += Field("empty", "\"0\"");
    text += Field("block", "\"#\"");
    text += Field("dimensions", "{\"width\": " + std::to_string(doc.ColumnCount) +
                                    ", \"height\": " + std::to_string(doc.RowCount) + "}");
    for (const bool solution : {false, true}) {
        text += std::string("  ") + (solution ? "\"solution\"" : "\"puzzle\"") + ": [\n";
        for (int r = 1; r <= doc.RowCount; ++r) {
            text += "    " + (solution ? SolutionRow(doc, r) : PuzzleRow(doc, r));
            text += r < doc.RowCount ? ",\n" : "\n";
        }
        text += "  ],\n";
    }
    text += "  \"clues\": {\n";
    text += "    \"Across:Orizzontali\": " + ClueList(words, Horizontal) + ",\n";
    text += "    \"Down:Verticali\": " + ClueList(words, Vertical) + "\n";
    text += "  }\n}\n";
    return text;
}

} // namespace document
