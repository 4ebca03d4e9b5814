#include "dialogs/model_preview.h"

#include "document/text.h"

#include <algorithm>

namespace dialogs {

using document::Nearest;

void DrawModelPreview(platform::Surface& surface, const document::Model& model) {
    surface.Clear();
    const int columns = model.Columns(), rows = model.Rows();
    if (columns == 0 || rows == 0) return;
    const double sw = surface.ScaleWidth(), sh = surface.ScaleHeight();
    const double cell = std::min(Nearest((sw - 40) / columns), Nearest((sh - 40) / rows));
    const double x0 = Nearest((sw - columns * cell) / 2);
    const double y0 = Nearest((sh - rows * cell) / 2);
    surface.SetFont({"MS Sans Serif", 8.25, true, false});
    for (int c = 1; c <= columns; ++c) {
        for (int r = 1; r <= rows; ++r) {
            const double x = (c - 1) * cell + x0, y = (r - 1) * cell + y0;
            surface.Rectangle(x, y, x + cell, y + cell, platform::colors::Black, false);
            const char ch = model.rows[r - 1][c - 1];
            if (ch == document::BlackCell)
                surface.Rectangle(x + 2, y + 2, x + cell - 2, y + cell - 2, platform::colors::Black, true);
            else if (ch >= 'A' && ch <= 'Z')
                surface.DrawText(Nearest(x + cell / 2), Nearest(y + cell / 2), std::string(1, ch));
        }
    }
}

} // namespace dialogs
