#include "document/export_html.h"

#include "document/export_formats.h"
#include "document/text.h"
#include "document/word_map.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace document {

namespace {

// The solution travels as one character per cell of the grid, in reading
// order, shifted by the cell's place through this alphabet: enough that a
// glance at the source gives nothing away. The script undoes it.
constexpr std::string_view SolutionAlphabet = "KQZJXWVYFMBPGHUDCLRTNSOIAE_";
constexpr int SolutionStep = 7;
constexpr int SolutionOffset = 11;

// 0 for a black cell or an empty white one, 1..26 for "A".."Z".
int LetterValue(char cell) { return cell >= 'A' && cell <= 'Z' ? cell - 'A' + 1 : 0; }

std::string ScrambledSolution(const Crossword& doc) {
    const int size = static_cast<int>(SolutionAlphabet.size());
    std::string out;
    int index = 0;
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c, ++index)
            out += SolutionAlphabet[(LetterValue(doc.CellLetters(c, r)) + SolutionStep * index + SolutionOffset) % size];
    return out;
}

// The key the page keeps its progress under: the same crossword exported
// again finds its letters, another grid (or another fill) starts afresh.
std::string StorageKey(const Crossword& doc, const std::string& title) {
    std::uint32_t hash = 2166136261u;
    auto add = [&hash](std::string_view bytes) {
        for (char ch : bytes) {
            hash ^= static_cast<unsigned char>(ch);
            hash *= 16777619u;
        }
        hash ^= 0xFFu;
        hash *= 16777619u;
    };
    add(title);
    for (int r = 1; r <= doc.RowCount; ++r) add(doc.GridLine(r));
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(hash));
    return "quadrivo98-" + std::string(text);
}

std::string Attribute(const std::string& name, const std::string& value) {
    return " " + name + "=\"" + value + "\"";
}

std::string Cells(const Crossword& doc) {
    std::string out;
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c) {
            if (doc.CellLetters(c, r) == BlackCell) {
                out += "<div class=\"casella nera\"></div>\n";
                continue;
            }
            out += "<div class=\"casella\"" + Attribute("data-colonna", std::to_string(c)) +
                   Attribute("data-riga", std::to_string(r));
            if (doc.WordNumbers(c, r) > 0) out += Attribute("data-numero", std::to_string(doc.WordNumbers(c, r)));
            out += "></div>\n";
        }
    return out;
}

std::string ClueList(const std::vector<WordEntry>& words, int direction, const std::string& id,
                     const std::string& heading) {
    std::string out = "<div class=\"elenco\">\n<h2>" + heading + "</h2>\n<ol id=\"" + id + "\">\n";
    for (const WordEntry& w : words) {
        if (w.direction != direction) continue;
        const std::string number = std::to_string(w.number);
        out += "<li" + Attribute("data-numero", number) + "><span class=\"numero\">" + number +
               "</span> <span class=\"testo\">" + HtmlEscaped(Cp1252ToUtf8(w.clue)) + "</span></li>\n";
    }
    return out + "</ol>\n</div>\n";
}

} // namespace

std::string HtmlEscaped(std::string_view utf8) { return MarkupEscaped(utf8, "&#39;"); }

std::string HtmlPage(const Crossword& source) {
    const Crossword doc = WithWordMap(source);
    std::string title = ExportTitle(doc);
    if (title.empty()) title = "Cruciverba";
    const std::string author = Cp1252ToUtf8(ExportAuthor(doc));
    const std::vector<WordEntry> words = WordsInReadingOrder(doc);
    const std::string columns = std::to_string(doc.ColumnCount);
    const std::string rows = std::to_string(doc.RowCount);

    std::string page =
        "<!DOCTYPE html>\n<html lang=\"it\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<meta name=\"generator\" content=\"Quadrivo 98\">\n";
    page += "<title>" + HtmlEscaped(title) + "</title>\n<style>\n";
    page += HtmlPageStyle();
    page += "</style>\n</head>\n<body data-stato=\"in-corso\">\n<header>\n<h1>" + HtmlEscaped(title) + "</h1>\n";
    if (!author.empty()) page += "<p class=\"autore\">di " + HtmlEscaped(author) + "</p>\n";
    page += "</header>\n<noscript><p>Per scrivere nelle caselle il browser deve eseguire JavaScript.</p></noscript>\n";
    page += "<main class=\"pagina\">\n<section class=\"zona-griglia\">\n";
    page += "<p id=\"definizione-attiva\" aria-live=\"polite\">&nbsp;</p>\n";
    page += "<div id=\"griglia\"" + Attribute("style", "--colonne:" + columns + ";--righe:" + rows) +
            Attribute("data-colonne", columns) + Attribute("data-righe", rows) +
            Attribute("data-chiave", StorageKey(doc, title)) + Attribute("data-soluzione", ScrambledSolution(doc)) +
            ">\n";
    page += Cells(doc);
    page += "<input id=\"tastiera\" type=\"text\" maxlength=\"1\" autocomplete=\"off\" autocorrect=\"off\" "
            "autocapitalize=\"characters\" spellcheck=\"false\" aria-label=\"Lettera della casella\">\n";
    page += "</div>\n<div class=\"pulsanti\">\n"
            "<button type=\"button\" id=\"verifica\">Verifica</button>\n"
            "<button type=\"button\" id=\"mostra-lettera\">Mostra lettera</button>\n"
            "<button type=\"button\" id=\"mostra-soluzione\">Mostra soluzione</button>\n"
            "<button type=\"button\" id=\"cancella-tutto\">Cancella tutto</button>\n"
            "</div>\n<p id=\"esito\" role=\"status\"></p>\n</section>\n";
    page += "<section class=\"definizioni\">\n";
    page += ClueList(words, Horizontal, "orizzontali", "Orizzontali");
    page += ClueList(words, Vertical, "verticali", "Verticali");
    page += "</section>\n</main>\n<script>\n";
    page += HtmlPageScript();
    page += "</script>\n</body>\n</html>\n";
    return page;
}

} // namespace document
