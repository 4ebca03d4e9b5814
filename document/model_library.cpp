#include "document/model_library.h"

#include "document/crossword_file.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace document {

namespace {

bool ValidModelCell(char ch) { return ch == EmptyCell || ch == BlackCell || (ch >= 'A' && ch <= 'Z'); }

bool ValidSize(const Model& m) {
    return m.Columns() >= MinColumns && m.Columns() <= MaxColumns && m.Rows() >= MinRows &&
           m.Rows() <= MaxRows;
}

void WriteHeader(Crossword& doc, int columns, int rows, const std::string& date) {
    doc.FileLines(1) = "Autore     : Zampetti Olindo";
    doc.FileLines(2) = "Data       : " + date;
    doc.FileLines(3) = "Tipo       : Crociate Normale";
    doc.FileLines(4) = SizeHeader(columns, rows);
    doc.ColumnCount = columns;
    doc.RowCount = rows;
    doc.ClearDefinitions();
}

} // namespace

bool ReadModelLibrary(std::string_view bytes, std::vector<Model>& models) {
    models.clear();
    Model current;
    for (std::string_view line : SplitLines(bytes)) {
        if (line.size() == 1) {
            if (current.rows.empty() || !ValidSize(current) || models.size() == MaxModels) return false;
            models.push_back(std::move(current));
            current = Model{};
            continue;
        }
        if (line.empty() || !std::all_of(line.begin(), line.end(), ValidModelCell)) return false;
        if (!current.rows.empty() && line.size() != current.rows.front().size()) return false;
        current.rows.emplace_back(line);
    }
    return true;
}

std::string TodayText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[48];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900);
    return text;
}

std::string SizeHeader(int columns, int rows) {
    char text[40];
    std::snprintf(text, sizeof text, "Dimensioni : %02dx%02d", columns, rows);
    return text;
}

void MakeCrosswordOfSize(Crossword& doc, int columns, int rows, const std::string& date) {
    WriteHeader(doc, columns, rows, date);
    for (int r = 1; r <= rows; ++r) doc.GridLine(r) = std::string(2 * columns, EmptyCell);
}

void MakeCrosswordFromModel(Crossword& doc, const Model& model, const std::string& date) {
    WriteHeader(doc, model.Columns(), model.Rows(), date);
    for (int r = 1; r <= model.Rows(); ++r) {
        std::string& line = doc.GridLine(r);
        line.clear();
        for (char cell : model.rows[r - 1]) line += std::string(2, cell);
    }
}

} // namespace document
