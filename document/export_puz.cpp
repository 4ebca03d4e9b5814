#include "document/export_puz.h"

#include "document/export_formats.h"
#include "document/text.h"
#include "document/word_map.h"

#include <array>

namespace document {

namespace {

constexpr std::size_t HeaderSize = 0x34;
constexpr char PuzBlack = '.';
constexpr char PuzUnfilled = '-';

// Plain equivalents of Windows-1252 bytes 0x80..0x9F; nullptr for the bytes
// the code page leaves undefined.
constexpr std::array<const char*, 32> kPlain = {
    "EUR", nullptr, ",",  "f",  "\"", "...", "+",  "+",  "^",  "%o", "S", "<",  "OE", nullptr, "Z", nullptr,
    nullptr, "'",   "'",  "\"", "\"", "*",   "-",  "-",  "~",  "TM", "s", ">",  "oe", nullptr, "z", "Y"};

void Put16(std::string& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

// The strings in file order: title, author, copyright, the clues, notes.
struct PuzStrings {
    std::string title, author, copyright;
    std::vector<std::string> clues;
    std::string notes;
};

std::string DirectionName(int direction) { return direction == Horizontal ? "orizzontale" : "verticale"; }

// The strings of a crossword; `problem` names the first that the code page
// cannot hold.
PuzStrings Strings(const Crossword& doc, std::string& problem) {
    PuzStrings s;
    if (!ToPuzText(Utf8ToCp1252(ExportTitle(doc)), s.title))
        problem = "Il titolo contiene un carattere che il formato .puz non ammette.";
    else if (!ToPuzText(ExportAuthor(doc), s.author))
        problem = "Il nome dell'autore contiene un carattere che il formato .puz non ammette.";
    for (const WordEntry& w : WordsInReadingOrder(doc)) {
        std::string clue;
        if (!ToPuzText(w.clue, clue) && problem.empty())
            problem = "La definizione del " + std::to_string(w.number) + " " + DirectionName(w.direction) +
                      " contiene un carattere che il formato .puz non ammette.";
        s.clues.push_back(clue);
    }
    return s;
}

std::uint16_t TextChecksum(const PuzStrings& s, std::uint16_t sum) {
    auto withNul = [](const std::string& text) { return std::string_view(text.c_str(), text.size() + 1); };
    if (!s.title.empty()) sum = PuzChecksum(withNul(s.title), sum);
    if (!s.author.empty()) sum = PuzChecksum(withNul(s.author), sum);
    if (!s.copyright.empty()) sum = PuzChecksum(withNul(s.copyright), sum);
    for (const std::string& clue : s.clues) sum = PuzChecksum(clue, sum);
    if (!s.notes.empty()) sum = PuzChecksum(withNul(s.notes), sum);
    return sum;
}

} // namespace

std::uint16_t PuzChecksum(std::string_view bytes, std::uint16_t sum) {
    for (char ch : bytes) {
        sum = static_cast<std::uint16_t>((sum & 1) ? (sum >> 1) | 0x8000 : sum >> 1);
        sum = static_cast<std::uint16_t>(sum + static_cast<unsigned char>(ch));
    }
    return sum;
}

bool ToPuzText(std::string_view cp1252, std::string& latin1) {
    latin1.clear();
    for (char ch : cp1252) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x20 || b == 0x7F) return false;
        if (b >= 0x80 && b < 0xA0) {
            if (kPlain[b - 0x80] == nullptr) return false;
            latin1 += kPlain[b - 0x80];
        } else {
            latin1 += ch;
        }
    }
    return true;
}

std::string PuzProblem(const Crossword& source) {
    const Crossword doc = WithWordMap(source);
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c)
            if (doc.CellLetters(c, r) == EmptyCell)
                return "Il formato .puz vuole una lettera in ogni casella bianca: la casella in colonna " +
                       std::to_string(c) + ", riga " + std::to_string(r) +
                       " \xE8 vuota. Completare lo schema prima di esportarlo.";
    std::string problem;
    Strings(doc, problem);
    return problem;
}

std::string PuzBytes(const Crossword& source) {
    const Crossword doc = WithWordMap(source);
    std::string problem;
    const PuzStrings strings = Strings(doc, problem);

    std::string solution, fill;
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c) {
            const char cell = doc.CellLetters(c, r);
            solution += cell == BlackCell ? PuzBlack : cell;
            fill += cell == BlackCell ? PuzBlack : PuzUnfilled;
        }

    std::string bytes(HeaderSize, '\0');
    bytes.replace(0x02, 12, std::string("ACROSS&DOWN\0", 12));
    bytes.replace(0x18, 4, std::string("1.3\0", 4));
    bytes[0x2C] = static_cast<char>(doc.ColumnCount);
    bytes[0x2D] = static_cast<char>(doc.RowCount);
    Put16(bytes, 0x2E, static_cast<std::uint16_t>(strings.clues.size()));
    Put16(bytes, 0x30, 0x0001);  // a plain crossword
    Put16(bytes, 0x32, 0x0000);  // solution not scrambled

    const std::uint16_t cib = PuzChecksum(std::string_view(bytes).substr(0x2C, 8));
    const std::uint16_t solutionSum = PuzChecksum(solution);
    const std::uint16_t fillSum = PuzChecksum(fill);
    const std::uint16_t textSum = TextChecksum(strings, 0);
    const std::uint16_t overall =
        TextChecksum(strings, PuzChecksum(fill, PuzChecksum(solution, cib)));
    Put16(bytes, 0x00, overall);
    Put16(bytes, 0x0E, cib);
    const std::uint16_t parts[4] = {cib, solutionSum, fillSum, textSum};
    const char* const mask = "ICHEATED";
    for (int i = 0; i < 4; ++i) {
        bytes[0x10 + i] = static_cast<char>(mask[i] ^ (parts[i] & 0xFF));
        bytes[0x14 + i] = static_cast<char>(mask[i + 4] ^ (parts[i] >> 8));
    }

    bytes += solution;
    bytes += fill;
    for (const std::string* text : {&strings.title, &strings.author, &strings.copyright}) bytes += *text + '\0';
    for (const std::string& clue : strings.clues) bytes += clue + '\0';
    bytes += strings.notes + '\0';
    return bytes;
}

} // namespace document
