#include "document/export_formats.h"

#include "document/crossword_file.h"
#include "document/export_html.h"
#include "document/export_ipuz.h"
#include "document/export_puz.h"
#include "document/export_svg.h"
#include "document/file_io.h"
#include "document/text.h"
#include "document/word_map.h"

#include <algorithm>
#include <cctype>

namespace document {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return lower;
}

bool IsLetter(char ch) { return ch >= 'A' && ch <= 'Z'; }

// A byte of a message: printable ASCII as it is, anything else by its code.
std::string Shown(char ch) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 0x20 && b < 0x7F) return std::string("\"") + ch + "\"";
    return "il carattere di codice " + std::to_string(b);
}

} // namespace

std::optional<ExportFormat> FormatOfFileName(std::string_view name) {
    const std::size_t slash = name.find_last_of('/');
    const std::string_view base = slash == std::string_view::npos ? name : name.substr(slash + 1);
    const std::size_t dot = base.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0) return std::nullopt;
    const std::string extension = Lower(base.substr(dot));
    if (extension == ".ipuz") return ExportFormat::Ipuz;
    if (extension == ".puz") return ExportFormat::Puz;
    if (extension == ".pdf") return ExportFormat::Pdf;
    if (extension == ".svg") return ExportFormat::SvgGrid;
    if (extension == ".html" || extension == ".htm") return ExportFormat::Html;
    return std::nullopt;
}

std::string ExtensionOf(ExportFormat format) {
    switch (format) {
    case ExportFormat::Ipuz: return ".ipuz";
    case ExportFormat::Puz: return ".puz";
    case ExportFormat::Pdf:
    case ExportFormat::PdfSolvers: return ".pdf";
    case ExportFormat::SvgGrid:
    case ExportFormat::SvgSolution: return ".svg";
    case ExportFormat::Html: return ".html";
    }
    return "";
}

std::string ExportProblem(const Crossword& doc) {
    if (!doc.HasCrossword() || doc.ColumnCount < MinColumns || doc.ColumnCount > MaxColumns ||
        doc.RowCount < MinRows || doc.RowCount > MaxRows)
        return NoCrosswordMessage;
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c) {
            const char cell = doc.Cell(c, r);
            if (cell != BlackCell && cell != EmptyCell && !IsLetter(cell))
                return "La casella in colonna " + std::to_string(c) + ", riga " + std::to_string(r) +
                       " contiene " + Shown(cell) +
                       ": si possono esportare solo caselle nere, caselle vuote e lettere dalla A alla Z.";
        }
    return "";
}

Crossword WithWordMap(const Crossword& doc) {
    Crossword copy = doc;
    // Every row exactly as long as the grid is wide: a short row reads as
    // empty cells, as everywhere else.
    const int columns = std::clamp(copy.ColumnCount, 0, MaxColumns);
    const int rows = std::clamp(copy.RowCount, 0, MaxRows);
    for (int r = 1; r <= rows; ++r) {
        std::string& line = copy.GridLine(r);
        line.resize(2 * static_cast<std::size_t>(columns), EmptyCell);
    }
    ComputeWordMap(copy);
    return copy;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        if (DecodeUtf8(text, pos) < 0)
            out += "\xEF\xBF\xBD";
        else
            out.append(text.substr(start, pos - start));
    }
    return out;
}

std::string ExportTitle(const Crossword& doc) {
    std::string_view name = doc.CurrentFileName;
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) name = name.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return ValidUtf8(name);
}

std::string ExportAuthor(const Crossword& doc) {
    std::string author(Mid(doc.FileLines(1), 14));
    while (!author.empty() && (author.back() == ' ' || author.back() == '\t')) author.pop_back();
    return author;
}

std::string ExportBytes(const Crossword& doc, ExportFormat format, std::string& problem) {
    problem = ExportProblem(doc);
    if (!problem.empty()) return "";
    switch (format) {
    case ExportFormat::Ipuz: return IpuzText(doc);
    case ExportFormat::Puz: {
        problem = PuzProblem(doc);
        return problem.empty() ? PuzBytes(doc) : "";
    }
    case ExportFormat::SvgGrid: return SvgText(doc, SvgContent::EmptyGrid);
    case ExportFormat::SvgSolution: return SvgText(doc, SvgContent::Solution);
    case ExportFormat::Html: return HtmlPage(doc);
    case ExportFormat::Pdf:
    case ExportFormat::PdfSolvers: break;
    }
    problem = UnknownFormatMessage;
    return "";
}

bool ExportCrossword(const Crossword& doc, ExportFormat format, const std::string& fileName,
                     platform::Messages& messages) {
    std::string problem;
    const std::string bytes = ExportBytes(doc, format, problem);
    if (!problem.empty()) {
        messages.Tell(problem);
        return false;
    }
    return WriteAsked(fileName, bytes, messages);
}

} // namespace document
