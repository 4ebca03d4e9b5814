#include "editor/grid_drawing.h"

#include "document/text.h"
#include "document/word_map.h"

#include <algorithm>

namespace editor {

using document::Nearest;

double LetterSize(int cellSize) { return std::max(cellSize * 20.0 / 35.0, 10.0); }

Pixel CellOrigin(const document::Crossword& doc, int column, int row) {
    return {doc.GridLeft + (column - 1) * doc.CellSize, doc.GridTop + (row - 1) * doc.CellSize};
}

FillLetterPainter::FillLetterPainter(platform::Surface& surface)
    : surface_(surface), eraseHalf_(static_cast<int>(Nearest(surface.CurrentFont().size / 2)) + 2) {}

void FillLetterPainter::Paint(const document::Crossword& doc, int column, int row, char letter) {
    platform::Font font = surface_.CurrentFont();
    font.size = LetterSize(doc.CellSize);
    surface_.SetFont(font);
    const Pixel corner = CellOrigin(doc, column, row);
    const double x = Nearest(corner.x + doc.CellSize / 2.0);
    const double y = Nearest(corner.y + doc.CellSize / 2.0);
    surface_.Rectangle(x - eraseHalf_, y - eraseHalf_, x + eraseHalf_, y + eraseHalf_,
                       platform::colors::White, true);
    const std::string text(1, letter);
    surface_.DrawText(x - Nearest(surface_.TextWidth(text) / 2), y - Nearest(surface_.TextHeight(text) / 2), text);
}

void DrawGrid(document::Crossword& doc, platform::Surface& surface, Bars bars) {
    surface.Clear();
    doc.GridLeft = 6;
    doc.GridTop = 6;
    const int columns = std::clamp(doc.ColumnCount, 1, document::MaxColumns);
    const int rows = std::clamp(doc.RowCount, 1, document::MaxRows);

    const double W = surface.ScaleWidth();
    const double H = surface.ScaleHeight();
    const double byWidth = Nearest((W - 2 * 6 - 4) / columns);
    const double byHeight = Nearest((H - bars.toolbar - bars.statusBar - 2 - 2 * 6 - 4) / rows);
    // A window too small for the grid still gets cells of one pixel, so the
    // mouse handling never divides by zero.
    doc.CellSize = std::max(1, static_cast<int>(std::min(byWidth, byHeight)));
    const int cell = doc.CellSize;

    if (doc.GridFontName.empty()) doc.GridFontName = document::DefaultFontName;
    // The window's font keeps the style chosen with the font; name and size
    // come from the crossword.
    platform::Font font = surface.CurrentFont();
    font.name = doc.GridFontName;
    font.size = LetterSize(cell);
    surface.SetFont(font);

    doc.GridLeft = static_cast<int>(Nearest((W - columns * cell) / 2));
    doc.GridTop = static_cast<int>(Nearest((H + bars.toolbar - bars.statusBar - 2 - rows * cell) / 2));
    const int left = doc.GridLeft, top = doc.GridTop;  // the grid's corner: CellOrigin(doc, 1, 1)
    const int gw = columns * cell, gh = rows * cell;
    surface.Rectangle(left - 2, top - 2, left + gw + 2, top + gh + 2, platform::colors::White, true);
    surface.Rectangle(left - 3, top - 3, left + gw + 3, top + gh + 3, platform::colors::DarkRed, false);

    for (int r = 1; r <= rows; ++r) {
        const std::string& line = doc.GridLine(r);
        const int cells = std::min(static_cast<int>(line.size() + 1) / 2, document::MaxColumns);
        for (int c = 1; c <= cells; ++c) {
            const char ch = line[2 * c - 2];
            doc.CellLetters(c, r) = ch;
            const Pixel corner = CellOrigin(doc, c, r);
            const double x = corner.x, y = corner.y;
            surface.Rectangle(x, y, x + cell, y + cell, platform::colors::Black, false);
            if (ch == document::BlackCell) {
                surface.Rectangle(x + 2, y + 2, x + cell - 2, y + cell - 2, platform::colors::Black, true);
            } else if (ch != document::EmptyCell) {
                const std::string letter(1, ch);
                surface.DrawText(x + cell / 2.0 - Nearest(surface.TextWidth(letter) / 2),
                                 y + cell / 2.0 - Nearest(surface.TextHeight(letter) / 2), letter);
            }
        }
    }

    font.size = 7;
    surface.SetFont(font);
    document::ComputeWordMap(doc, [&](int c, int r, int n) {
        const Pixel corner = CellOrigin(doc, c, r);
        surface.DrawText(corner.x + 2, corner.y, std::to_string(n));
    });
}

void TintDeadCell(const document::Crossword& doc, platform::Surface& surface, int column, int row) {
    const char ch = doc.Cell(column, row);
    if (ch == document::BlackCell) return;
    const int cell = doc.CellSize;
    const Pixel corner = CellOrigin(doc, column, row);
    const double x = corner.x, y = corner.y;
    surface.Rectangle(x + 1, y + 1, x + cell - 1, y + cell - 1, DeadCellTint, true);
    platform::Font font = surface.CurrentFont();
    const platform::Font kept = font;
    if (ch != document::EmptyCell) {
        font.size = LetterSize(cell);
        surface.SetFont(font);
        const std::string letter(1, ch);
        surface.DrawText(x + cell / 2.0 - Nearest(surface.TextWidth(letter) / 2),
                         y + cell / 2.0 - Nearest(surface.TextHeight(letter) / 2), letter);
    }
    if (doc.WordNumbers(column, row) > 0) {
        font.size = 7;
        surface.SetFont(font);
        surface.DrawText(x + 2, y, std::to_string(doc.WordNumbers(column, row)));
    }
    surface.SetFont(kept);
}

} // namespace editor
