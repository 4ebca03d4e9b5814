#include "document/word_map.h"

#include <algorithm>

namespace document {

char Crossword::Cell(int c, int r) const {
    const std::string& line = GridLine(r);
    std::size_t at = 2 * static_cast<std::size_t>(c) - 2;
    return at < line.size() ? line[at] : EmptyCell;
}

namespace {

bool IsBlack(const Crossword& doc, int c, int r) { return doc.CellLetters(c, r) == BlackCell; }

// Letters from (c, r) on in direction d up to the first black cell or the edge.
std::string CollectRun(const Crossword& doc, int c, int r, int d) {
    std::string run;
    while (c <= doc.ColumnCount && r <= doc.RowCount && !IsBlack(doc, c, r)) {
        run += doc.CellLetters(c, r);
        (d == Horizontal ? c : r) += 1;
    }
    return run;
}

} // namespace

void ComputeWordMap(Crossword& doc, const std::function<void(int, int, int)>& onNumber) {
    const int columns = std::clamp(doc.ColumnCount, 0, MaxColumns);
    const int rows = std::clamp(doc.RowCount, 0, MaxRows);

    for (int r = 1; r <= rows; ++r) {
        const std::string& line = doc.GridLine(r);
        for (std::size_t j = 1; j <= line.size() && (j + 1) / 2 <= MaxColumns; j += 2)
            doc.CellLetters(static_cast<int>((j + 1) / 2), r) = line[j - 1];
    }

    int n = 0;
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= columns; ++c) {
            doc.WordNumbers(c, r) = 0;
            doc.CellWords(c, r, Horizontal).clear();
            doc.CellWords(c, r, Vertical).clear();
            if (IsBlack(doc, c, r)) {
                doc.StartCodes(c, r) = NoCell;
                continue;
            }
            doc.StartCodes(c, r) = NoStart;

            bool h = c == 1 || IsBlack(doc, c - 1, r);
            if (c < columns && !IsBlack(doc, c + 1, r))
                doc.CellWords(c, r, Horizontal) = CollectRun(doc, c, r, Horizontal);
            else
                h = false;

            bool v = r == 1 || IsBlack(doc, c, r - 1);
            if (r < rows && !IsBlack(doc, c, r + 1))
                doc.CellWords(c, r, Vertical) = CollectRun(doc, c, r, Vertical);
            else
                v = false;

            if (h) doc.StartCodes(c, r) = StartsAcross;
            if (v) doc.StartCodes(c, r) = StartsDown;
            if (h && v) doc.StartCodes(c, r) = StartsBoth;

            if (doc.StartCodes(c, r) > NoStart) {
                doc.WordNumbers(c, r) = static_cast<std::int16_t>(++n);
                if (onNumber) onNumber(c, r, n);
            }
        }
    }
}

void RecomputeWordMap(Crossword& doc) {
    const auto numbers = doc.WordNumbers;
    ComputeWordMap(doc);
    doc.WordNumbers = numbers;
}

std::vector<WordEntry> WordsInReadingOrder(const Crossword& doc) {
    std::vector<WordEntry> words;
    const int columns = std::clamp(doc.ColumnCount, 0, MaxColumns);
    const int rows = std::clamp(doc.RowCount, 0, MaxRows);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c)
            for (int d : {Horizontal, Vertical})
                if (StartsWord(doc.StartCodes(c, r), d))
                    words.push_back({c, r, d, doc.WordNumbers(c, r), doc.CellWords(c, r, d),
                                     doc.Definitions(c, r, d)});
    return words;
}

} // namespace document
