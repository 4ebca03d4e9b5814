#include "words/small_grid.h"

#include "document/text.h"

#include <algorithm>

namespace words {

using document::Nearest;

bool DrawSmallGrid(platform::Surface& surface, const document::Crossword& doc, SmallGrid& grid) {
    surface.Clear();
    const int columns = std::clamp(doc.ColumnCount, 1, document::MaxColumns);
    const int rows = std::clamp(doc.RowCount, 1, document::MaxRows);
    const double pw = surface.ScaleWidth(), ph = surface.ScaleHeight();
    grid.cell = std::max(1, static_cast<int>(std::min(Nearest((pw - 2 * 5) / columns),
                                                         Nearest((ph - 2 * 5) / rows))));
    const int sc = grid.cell;
    const platform::Font base = surface.CurrentFont();
    platform::Font font = base;
    font.name = doc.GridFontName.empty() ? document::DefaultFontName : doc.GridFontName;
    font.size = std::max(Nearest(sc / 35.0 * 20), 6.0);
    surface.SetFont(font);
    grid.left = static_cast<int>(Nearest((pw - columns * sc) / 2));
    grid.top = static_cast<int>(Nearest((ph - rows * sc) / 2));

    for (int r = 1; r <= rows; ++r) {
        const std::string& line = doc.GridLine(r);
        for (std::size_t j = 1; j <= line.size() && (j + 1) / 2 <= document::MaxColumns; j += 2) {
            const int c = static_cast<int>((j + 1) / 2);
            const double x = grid.left + (c - 1) * sc, y = grid.top + (r - 1) * sc;
            surface.Rectangle(x, y, x + sc, y + sc, platform::colors::Black, false);
            const char ch = line[j - 1];
            if (ch >= 'A' && ch <= 'Z') {
                const std::string letter(1, ch);
                surface.DrawText(Nearest(x + sc / 2.0) - Nearest(surface.TextWidth(letter) / 2),
                                 Nearest(y + sc / 2.0) - Nearest(surface.TextHeight(letter) / 2), letter);
            } else if (ch == document::BlackCell) {
                surface.Rectangle(x + 2, y + 2, x + sc - 2, y + sc - 2, platform::colors::Black, true);
            } else if (ch != document::EmptyCell) {
                return false;
            }
        }
    }

    font.size = sc / 5.5;
    surface.SetFont(font);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c)
            if (doc.CellLetters(c, r) != document::BlackCell && doc.StartCodes(c, r) > document::NoStart)
                surface.DrawText(grid.left + (c - 1) * sc + 2, grid.top + (r - 1) * sc,
                                 std::to_string(doc.WordNumbers(c, r)));
    return true;
}

Frame WordFrame(const document::Crossword& doc, const SmallGrid& grid, int column, int row, int direction) {
    Frame f;
    f.x1 = grid.left + (column - 1) * grid.cell;
    f.y1 = grid.top + (row - 1) * grid.cell;
    f.x2 = f.x1 + grid.cell;
    f.y2 = f.y1 + grid.cell;
    const int length = static_cast<int>(doc.CellWords(column, row, direction).size());
    if (direction == document::Horizontal)
        f.x2 += (length - 1) * grid.cell;
    else
        f.y2 += (length - 1) * grid.cell;
    return f;
}

} // namespace words
