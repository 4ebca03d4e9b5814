#include "document/import_formats.h"

#include "document/crossword_file.h"
#include "document/export_puz.h"
#include "document/json.h"
#include "document/model_library.h"
#include "document/text.h"
#include "document/word_map.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

namespace document {

namespace {

// A crossword as another program has it, before it becomes a .qdr one.
struct Foreign {
    int width = 0;
    int height = 0;
    std::vector<std::string> cells;  // row by row: "#" black, "" empty, else the letters (UTF-8)
    std::vector<int> numbers;        // the file's own number of each cell, 0 for none
    std::map<int, std::string> across, down;  // clue texts (UTF-8) by number
    std::string title, author;       // UTF-8
    std::vector<std::string> lost;   // what a .qdr cannot hold (Windows-1252)
    std::string& Cell(int c, int r) { return cells[static_cast<std::size_t>(r * width + c)]; }
};

ImportReport Refuse(const std::string& why) { return {ImportOutcome::Refused, why}; }

bool SizeFits(int width, int height) {
    return width >= MinColumns && width <= MaxColumns && height >= MinRows && height <= MaxRows;
}

std::string SizeRefusal(long width, long height) {
    return "Il cruciverba \xE8 di " + std::to_string(width) + " x " + std::to_string(height) +
           " caselle: Quadrivo 98 tiene schemi da 3 x 3 a 25 x 15 (colonne x righe).";
}

// The plain capital an Italian reader takes a letter for (à -> A); 0 when
// there is none.
char PlainLetter(long code) {
    if (code >= 'a' && code <= 'z') return static_cast<char>(code - 'a' + 'A');
    if (code >= 'A' && code <= 'Z') return static_cast<char>(code);
    static const std::pair<const char*, char> groups[] = {
        {"\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5", 'A'}, {"\xC7\xE7", 'C'},
        {"\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", 'E'}, {"\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", 'I'},
        {"\xD1\xF1", 'N'}, {"\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8", 'O'},
        {"\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", 'U'}, {"\xDD\xFD\xFF", 'Y'}};
    if (code < 0xC0 || code > 0xFF) return 0;
    for (const auto& [from, to] : groups)
        if (std::string_view(from).find(static_cast<char>(code)) != std::string_view::npos) return to;
    return 0;
}

std::string Where(int c, int r) { return "(" + std::to_string(c + 1) + "," + std::to_string(r + 1) + ")"; }

// Text for a clue line: one line, Windows-1252.
std::string ClueText(const std::string& utf8, bool& unrepresentable) {
    std::string line = utf8;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\t', ' ');
    const std::string text = Utf8ToCp1252(line, '\x01');
    unrepresentable = text.find('\x01') != std::string::npos;
    std::string out = text;
    std::replace(out.begin(), out.end(), '\x01', '?');
    return out;
}

ImportReport ToCrossword(Foreign& f, Crossword& doc, const std::string& date) {
    if (!SizeFits(f.width, f.height)) return Refuse(SizeRefusal(f.width, f.height));
    Crossword made = doc;
    MakeCrosswordOfSize(made, f.width, f.height, date);
    std::string author = f.author;
    if (!f.title.empty()) author = f.title + (author.empty() ? "" : " - " + author);
    if (!author.empty()) made.FileLines(1) = "Autore     : " + Utf8ToCp1252(author);

    std::set<std::string> folded;
    std::vector<std::string> rebus, unknown;
    for (int r = 0; r < f.height; ++r) {
        std::string& line = made.GridLine(r + 1);
        for (int c = 0; c < f.width; ++c) {
            const std::string& cell = f.Cell(c, r);
            char ch = EmptyCell;
            if (cell == "#") {
                ch = BlackCell;
            } else if (!cell.empty()) {
                std::size_t pos = 0;
                const long code = DecodeUtf8(cell, pos);
                const char plain = PlainLetter(code);
                if (pos < cell.size()) {
                    rebus.push_back(Where(c, r));
                } else if (plain == 0) {
                    unknown.push_back(Where(c, r));
                } else {
                    ch = plain;
                    if (code > 0x7F) folded.insert(Utf8ToCp1252(cell) + " \x96> " + std::string(1, plain));
                }
            }
            line[2 * static_cast<std::size_t>(c)] = ch;
            line[2 * static_cast<std::size_t>(c) + 1] = ch == BlackCell ? BlackCell : EmptyCell;
        }
    }
    ComputeWordMap(made);

    // Clues go to the cell that bears their number in the file.
    std::map<int, std::pair<int, int>> cellOf;
    for (int r = 0; r < f.height; ++r)
        for (int c = 0; c < f.width; ++c)
            if (const int n = f.numbers[static_cast<std::size_t>(r * f.width + c)]; n > 0) cellOf.emplace(n, std::pair(c + 1, r + 1));
    std::vector<std::string> orphans, odd, cut;
    for (const int direction : {Horizontal, Vertical}) {
        for (const auto& [number, text] : direction == Horizontal ? f.across : f.down) {
            const auto at = cellOf.find(number);
            const std::string name = std::to_string(number) + (direction == Horizontal ? " orizzontale" : " verticale");
            if (at == cellOf.end() || !StartsWord(made.StartCodes(at->second.first, at->second.second), direction)) {
                orphans.push_back(name);
                continue;
            }
            bool unrepresentable = false;
            std::string clue = ClueText(text, unrepresentable);
            if (unrepresentable) odd.push_back(name);
            // A clue line of a .qdr holds so many characters: the rest is cut, and said.
            if (clue.size() > MaxClueLength) {
                clue.resize(MaxClueLength);
                cut.push_back(name);
            }
            made.Definitions(at->second.first, at->second.second, direction) = clue;
        }
    }

    auto list = [](const std::string& what, const std::vector<std::string>& items) {
        std::string text = what;
        for (std::size_t i = 0; i < items.size() && i < 20; ++i) text += (i ? ", " : " ") + items[i];
        if (items.size() > 20) text += " e altre " + std::to_string(items.size() - 20);
        return text + ".";
    };
    std::vector<std::string> notes;
    if (!folded.empty()) notes.push_back(list("Lettere ridotte alla lettera semplice:", {folded.begin(), folded.end()}));
    if (!rebus.empty()) notes.push_back(list("Caselle con pi\xF9 lettere (rebus) lasciate vuote:", rebus));
    if (!unknown.empty()) notes.push_back(list("Caselle con caratteri che non sono lettere lasciate vuote:", unknown));
    if (!orphans.empty()) notes.push_back(list("Definizioni senza una parola nello schema, tralasciate:", orphans));
    if (!odd.empty()) notes.push_back(list("Definizioni con caratteri non rappresentabili (sostituiti da ?):", odd));
    if (!cut.empty())
        notes.push_back(list("Definizioni accorciate a " + std::to_string(MaxClueLength) + " caratteri:", cut));
    for (const std::string& l : f.lost) notes.push_back(l);

    made.CurrentFileName = doc.CurrentFileName;
    made.ChangedFlag = doc.ChangedFlag;
    doc = made;
    if (notes.empty()) return {ImportOutcome::Imported, ""};
    std::string message = "Il cruciverba \xE8 stato importato, ma il formato di Quadrivo 98 non tiene tutto:";
    for (const std::string& n : notes) message += "\n- " + n;
    return {ImportOutcome::ImportedWithLosses, message};
}

// ----- .ipuz ---------------------------------------------------------------

// A whole number from a JSON number or a text of digits; -1 otherwise.
long WholeNumber(const json::Value* v) {
    if (!v) return -1;
    if (v->IsNumber() && v->number >= 0 && v->number < 1e6 && std::floor(v->number) == v->number)
        return static_cast<long>(v->number);
    if (v->IsString() && !v->text.empty() && v->text.size() < 7 &&
        v->text.find_first_not_of("0123456789") == std::string::npos)
        return std::stol(v->text);
    return -1;
}

std::string TextOf(const json::Value* v) {
    if (!v) return {};
    if (v->IsString()) return v->text;
    if (v->IsNumber()) return std::to_string(static_cast<long long>(v->number));
    return {};
}

ImportReport ReadIpuz(std::string_view bytes, Crossword& doc, const std::string& date) {
    json::Value root;
    std::string error;
    if (!json::Parse(bytes, root, error))
        return Refuse("Il file .ipuz non \xE8 un testo JSON valido: " + error + ".");
    if (!root.IsObject()) return Refuse("Il file .ipuz non contiene un cruciverba.");
    const json::Value* dimensions = root.Find("dimensions");
    const long width = WholeNumber(dimensions ? dimensions->Find("width") : nullptr);
    const long height = WholeNumber(dimensions ? dimensions->Find("height") : nullptr);
    if (width < 0 || height < 0) return Refuse("Il file .ipuz non dice le dimensioni dello schema.");
    if (!SizeFits(static_cast<int>(width), static_cast<int>(height))) return Refuse(SizeRefusal(width, height));

    Foreign f;
    f.width = static_cast<int>(width);
    f.height = static_cast<int>(height);
    f.cells.assign(static_cast<std::size_t>(width * height), "");
    f.numbers.assign(f.cells.size(), 0);
    f.title = TextOf(root.Find("title"));
    f.author = TextOf(root.Find("author"));
    const std::string block = root.Find("block") ? TextOf(root.Find("block")) : "#";

    const json::Value* puzzle = root.Find("puzzle");
    if (!puzzle || !puzzle->IsArray()) return Refuse("Il file .ipuz non contiene lo schema (\"puzzle\").");
    const json::Value* solution = root.Find("solution");
    auto rowsFit = [&](const json::Value* grid) {
        if (!grid->IsArray() || grid->items.size() != static_cast<std::size_t>(height)) return false;
        for (const json::Value& row : grid->items)
            if (!row.IsArray() || row.items.size() != static_cast<std::size_t>(width)) return false;
        return true;
    };
    if (!rowsFit(puzzle) || (solution && !solution->IsNull() && !rowsFit(solution)))
        return Refuse("Nel file .ipuz le dimensioni dello schema non corrispondono alle sue righe e colonne.");

    bool styled = false, omitted = false;
    for (int r = 0; r < f.height; ++r)
        for (int c = 0; c < f.width; ++c) {
            const json::Value* cell = &puzzle->items[static_cast<std::size_t>(r)].items[static_cast<std::size_t>(c)];
            if (cell->IsObject()) {
                if (const json::Value* style = cell->Find("style"); style && !style->IsNull()) styled = true;
                cell = cell->Find("cell");
            }
            if (!cell || cell->IsNull()) {
                omitted = omitted || cell;
                if (cell) f.Cell(c, r) = "#";
                continue;
            }
            if (TextOf(cell) == block) {
                f.Cell(c, r) = "#";
                continue;
            }
            if (const long n = WholeNumber(cell); n > 0) f.numbers[static_cast<std::size_t>(r * f.width + c)] = static_cast<int>(n);
            if (solution && !solution->IsNull()) {
                const json::Value* answer = &solution->items[static_cast<std::size_t>(r)].items[static_cast<std::size_t>(c)];
                if (answer->IsObject()) answer = answer->Find("value");
                const std::string letters = TextOf(answer);
                if (letters != block) f.Cell(c, r) = letters;
            }
        }
    if (styled) f.lost.push_back("Cerchi, colori e altri stili delle caselle tralasciati.");
    if (omitted) f.lost.push_back("Caselle assenti dallo schema rese come caselle nere.");

    if (const json::Value* clues = root.Find("clues"); clues && clues->IsObject()) {
        for (std::size_t group = 0; group < clues->names.size(); ++group) {
            const std::string& key = clues->names[group];
            const json::Value& list = clues->values[group];
            const bool across = key.rfind("Across", 0) == 0;
            const bool down = key.rfind("Down", 0) == 0;
            if ((!across && !down) || !list.IsArray()) {
                f.lost.push_back("Gruppo di definizioni \"" + Utf8ToCp1252(key) + "\" tralasciato.");
                continue;
            }
            for (const json::Value& clue : list.items) {
                long number = -1;
                std::string text;
                if (clue.IsArray() && clue.items.size() >= 2) {
                    number = WholeNumber(&clue.items[0]);
                    text = TextOf(&clue.items[1]);
                } else if (clue.IsObject()) {
                    number = WholeNumber(clue.Find("number"));
                    text = TextOf(clue.Find("clue"));
                }
                if (number <= 0) {
                    f.lost.push_back("Una definizione senza numero tralasciata.");
                    continue;
                }
                (across ? f.across : f.down)[static_cast<int>(number)] = text;
            }
        }
    }
    return ToCrossword(f, doc, date);
}

// ----- .puz ----------------------------------------------------------------

std::uint16_t Get16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
}

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string out;
    for (const char ch : latin1) {
        const auto u = static_cast<unsigned char>(ch);
        if (u < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

ImportReport ReadPuz(std::string_view b, Crossword& doc, const std::string& date) {
    constexpr std::size_t Header = 0x34;
    if (b.size() < Header) return Refuse("Il file .puz \xE8 troppo corto: manca la sua intestazione.");
    const int width = static_cast<unsigned char>(b[0x2C]);
    const int height = static_cast<unsigned char>(b[0x2D]);
    if (!SizeFits(width, height)) return Refuse(SizeRefusal(width, height));
    const std::size_t cells = static_cast<std::size_t>(width * height);
    if (b.size() < Header + 2 * cells)
        return Refuse("Il file .puz \xE8 danneggiato: lo schema \xE8 pi\xF9 corto di " + std::to_string(width) + " x " +
                      std::to_string(height) + " caselle.");
    const std::string_view solution = b.substr(Header, cells);
    const std::string_view fill = b.substr(Header + cells, cells);
    const bool utf8 = b.substr(0x18, 3) == "2.0";

    // The strings: title, author, copyright, the clues, notes.
    std::size_t at = Header + 2 * cells;
    bool truncated = false;
    auto next = [&]() {
        const std::size_t end = b.find('\0', at);
        if (end == std::string_view::npos) {
            truncated = true;
            return std::string();
        }
        const std::string_view raw = b.substr(at, end - at);
        at = end + 1;
        return utf8 ? std::string(raw) : Latin1ToUtf8(raw);
    };
    Foreign f;
    f.width = width;
    f.height = height;
    f.cells.assign(cells, "");
    f.numbers.assign(cells, 0);
    f.title = next();
    f.author = next();
    next();  // copyright
    const std::size_t clueCount = Get16(b, 0x2E);
    std::vector<std::string> clues;
    for (std::size_t i = 0; i < clueCount && !truncated; ++i) clues.push_back(next());
    if (truncated) return Refuse("Il file .puz \xE8 danneggiato: le sue definizioni sono incomplete.");
    const std::string notes = next();

    const bool scrambled = Get16(b, 0x32) != 0;
    auto black = [&](int c, int r) { return solution[static_cast<std::size_t>(r * width + c)] == '.'; };
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            const char ch = solution[static_cast<std::size_t>(r * width + c)];
            if (ch == '.') f.Cell(c, r) = "#";
            else if (!scrambled && ch != '-') f.Cell(c, r) = Latin1ToUtf8(std::string(1, ch));
        }
    // Numbers and clues in the order every .puz keeps: by number, across
    // before down at the same number.
    std::size_t used = 0;
    int number = 0;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            if (black(c, r)) continue;
            const bool across = (c == 0 || black(c - 1, r)) && c + 1 < width && !black(c + 1, r);
            const bool down = (r == 0 || black(c, r - 1)) && r + 1 < height && !black(c, r + 1);
            if (!across && !down) continue;
            f.numbers[static_cast<std::size_t>(r * width + c)] = ++number;
            if (across && used < clues.size()) f.across[number] = clues[used++];
            if (down && used < clues.size()) f.down[number] = clues[used++];
        }
    if (used != clues.size())
        f.lost.push_back("Il file ha " + std::to_string(clues.size()) + " definizioni per " + std::to_string(used) +
                         " parole: " + (used < clues.size() ? "quelle in pi\xF9 sono state tralasciate."
                                                             : "alcune parole restano senza definizione."));
    if (scrambled) f.lost.push_back("La soluzione del file \xE8 cifrata: lo schema arriva senza lettere.");
    if (!notes.empty()) f.lost.push_back("Le note del file sono state tralasciate.");

    // Sections after the strings: circles (GEXT) and rebus cells (GRBS).
    while (at + 8 <= b.size()) {
        const std::string_view name = b.substr(at, 4);
        const std::size_t length = Get16(b, at + 4);
        if (at + 8 + length > b.size()) break;
        const std::string_view data = b.substr(at + 8, length);
        if (name == "GEXT" && data.find_first_not_of(std::string_view("\0", 1)) != std::string_view::npos)
            f.lost.push_back("Cerchi e altri segni delle caselle tralasciati.");
        if (name == "GRBS")
            for (std::size_t i = 0; i < data.size() && i < cells; ++i)
                if (data[i] != 0 && !f.cells[i].empty() && f.cells[i] != "#") f.cells[i] += "+";  // a rebus cell
        at += 8 + length + 1;
    }

    // Checksums: a file whose data is whole is read all the same, with a
    // warning.
    const std::uint16_t cib = PuzChecksum(b.substr(0x2C, 8));
    std::uint16_t whole = PuzChecksum(fill, PuzChecksum(solution, cib));
    std::size_t text = Header + 2 * cells;
    for (int i = 0; i < 3; ++i) {
        const std::size_t end = b.find('\0', text);
        if (end > text) whole = PuzChecksum(b.substr(text, end - text + 1), whole);
        text = end + 1;
    }
    for (std::size_t i = 0; i < clueCount; ++i) {
        const std::size_t end = b.find('\0', text);
        whole = PuzChecksum(b.substr(text, end - text), whole);
        text = end + 1;
    }
    if (const std::size_t end = b.find('\0', text); end != std::string_view::npos && end > text)
        whole = PuzChecksum(b.substr(text, end - text + 1), whole);
    if (Get16(b, 0x0E) != cib || Get16(b, 0x00) != whole)
        f.lost.push_back("Le somme di controllo del file non tornano: il file potrebbe essere danneggiato, "
                         "controllare lo schema e le definizioni.");
    return ToCrossword(f, doc, date);
}

} // namespace

ImportReport ImportCrossword(Crossword& doc, std::string_view bytes, const std::string& date) {
    if (bytes.size() > MaxImportFileSize) return Refuse("Il file \xE8 troppo grande per essere un cruciverba.");
    if (bytes.size() >= 14 && bytes.substr(2, 12) == std::string_view("ACROSS&DOWN\0", 12))
        return ReadPuz(bytes, doc, date);
    std::size_t first = bytes.find_first_not_of(" \t\r\n");
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") first = bytes.find_first_not_of(" \t\r\n", 3);
    if (first != std::string_view::npos && bytes[first] == '{') return ReadIpuz(bytes, doc, date);
    return Refuse("Il file non \xE8 un cruciverba .ipuz n\xE9 .puz.");
}

std::string ImportedName(const std::string& fileName) {
    std::string name = fileName.substr(fileName.find_last_of('/') + 1);
    if (const std::size_t dot = name.find_last_of('.'); dot != std::string::npos && dot > 0) name.resize(dot);
    if (name.empty()) name = "IMPORTATO";
    for (char& ch : name)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    return name + ".QDR";
}

} // namespace document
