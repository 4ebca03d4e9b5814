#include "document/export_svg.h"

#include "document/export_formats.h"
#include "document/text.h"

#include <cstdio>

namespace document {

namespace {

// Capital letters stand about this fraction of the font size above the
// baseline; it places the text inside its cell.
constexpr double CapHeight = 0.72;
constexpr double NumberInset = 0.5;

// A length in millimetres, without trailing zeros: "7", "3.5", "0.25".
std::string Mm(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

double CellX(int c) { return SvgMargin + (c - 1) * SvgCell; }
double CellY(int r) { return SvgMargin + (r - 1) * SvgCell; }

std::string Rect(double x, double y, double w, double h) {
    return "<rect x=\"" + Mm(x) + "\" y=\"" + Mm(y) + "\" width=\"" + Mm(w) + "\" height=\"" + Mm(h) + "\"/>";
}

std::string Text(double x, double y, const std::string& utf8) {
    return "<text x=\"" + Mm(x) + "\" y=\"" + Mm(y) + "\">" + XmlEscaped(utf8) + "</text>";
}

std::string FontFamily(const Crossword& doc) {
    const std::string name = doc.GridFontName.empty() ? DefaultFontName : doc.GridFontName;
    return XmlEscaped(Cp1252ToUtf8(name)) + ", sans-serif";
}

} // namespace

std::string XmlEscaped(const std::string& utf8) { return MarkupEscaped(utf8, "&apos;"); }

std::string SvgText(const Crossword& source, SvgContent content) {
    const Crossword doc = WithWordMap(source);
    const double gridWidth = doc.ColumnCount * SvgCell;
    const double gridHeight = doc.RowCount * SvgCell;
    const double width = gridWidth + 2 * SvgMargin;
    const double height = gridHeight + 2 * SvgMargin;
    const bool solution = content == SvgContent::Solution;

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + Mm(width) + "mm\" height=\"" +
           Mm(height) + "mm\" viewBox=\"0 0 " + Mm(width) + " " + Mm(height) + "\">\n";
    svg += "<title>" + XmlEscaped(ExportTitle(doc) + (solution ? " - soluzione" : " - schema")) + "</title>\n";
    svg += "<rect x=\"0\" y=\"0\" width=\"" + Mm(width) + "\" height=\"" + Mm(height) + "\" fill=\"white\"/>\n";

    svg += "<g id=\"caselle-nere\" fill=\"black\">\n";
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c)
            if (doc.CellLetters(c, r) == BlackCell) svg += Rect(CellX(c), CellY(r), SvgCell, SvgCell) + "\n";
    svg += "</g>\n";

    svg += "<g id=\"caselle\" fill=\"none\" stroke=\"black\" stroke-width=\"0.2\">\n";
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c) svg += Rect(CellX(c), CellY(r), SvgCell, SvgCell) + "\n";
    svg += "</g>\n";
    svg += "<g id=\"cornice\" fill=\"none\" stroke=\"black\" stroke-width=\"0.6\">" +
           Rect(SvgMargin, SvgMargin, gridWidth, gridHeight) + "</g>\n";

    svg += "<g id=\"numeri\" font-family=\"" + FontFamily(doc) + "\" font-size=\"" + Mm(SvgNumberSize) +
           "\" fill=\"black\">\n";
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c)
            if (doc.WordNumbers(c, r) > 0)
                svg += Text(CellX(c) + NumberInset, CellY(r) + NumberInset + CapHeight * SvgNumberSize,
                            std::to_string(doc.WordNumbers(c, r))) + "\n";
    svg += "</g>\n";

    if (solution) {
        svg += "<g id=\"lettere\" font-family=\"" + FontFamily(doc) + "\" font-size=\"" + Mm(SvgLetterSize) +
               "\" text-anchor=\"middle\" fill=\"black\">\n";
        // The letter sits a little below the middle, clear of the number.
        const double baseline = SvgCell / 2 + CapHeight * SvgLetterSize / 2 + 0.5;
        for (int r = 1; r <= doc.RowCount; ++r)
            for (int c = 1; c <= doc.ColumnCount; ++c) {
                const char cell = doc.CellLetters(c, r);
                if (cell != BlackCell && cell != EmptyCell)
                    svg += Text(CellX(c) + SvgCell / 2, CellY(r) + baseline, std::string(1, cell)) + "\n";
            }
        svg += "</g>\n";
    }
    svg += "</svg>\n";
    return svg;
}

} // namespace document
