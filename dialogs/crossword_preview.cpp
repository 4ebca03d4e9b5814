#include "dialogs/crossword_preview.h"

#include "document/crossword_file.h"
#include "document/text.h"

#include <algorithm>

namespace dialogs {

using document::Mid;
using document::Nearest;

PreviewResult DrawCrosswordPreview(platform::Surface& surface, std::string_view fileBytes,
                                   PreviewHeader& header) {
    surface.Clear();
    const auto lines = document::SplitLines(fileBytes);
    auto line = [&](std::size_t i) { return i < lines.size() ? lines[i] : std::string_view(); };
    header.author = Mid(line(0), 13);
    header.date = Mid(line(1), 14);
    header.type = Mid(line(2), 14);
    header.size = Mid(line(3), 14);

    // Sizes are cut to what a crossword can have, so the drawing stays small.
    const double columns = std::min(document::LeadingNumber(Mid(line(3), 14)), 99.0);
    const double rows = std::min(document::LeadingNumber(Mid(line(3), 17)), 99.0);
    if (columns <= 0 || rows <= 0) return PreviewResult::InvalidFormat;

    const double sw = surface.ScaleWidth(), sh = surface.ScaleHeight();
    const double cell = std::min(Nearest((sw - 10) / columns), Nearest((sh - 10) / rows));
    surface.SetFont({"Arial", std::max(Nearest(cell / 35 * 20), 6.0), false, false});
    const double x0 = Nearest((sw - columns * cell) / 2);
    const double y0 = Nearest((sh - rows * cell) / 2);

    for (int r = 1; r <= static_cast<int>(rows) && 3 + static_cast<std::size_t>(r) < lines.size(); ++r) {
        const std::string_view row = lines[3 + static_cast<std::size_t>(r)];
        for (std::size_t k = 1; 2 * k <= row.size() + 1 && k <= 100; ++k) {
            const double x = (static_cast<double>(k) - 1) * cell + x0, y = (r - 1) * cell + y0;
            surface.Rectangle(x, y, x + cell, y + cell, platform::colors::Black, false);
            const char marker = 2 * k <= row.size() ? row[2 * k - 1] : '\0';
            if (marker == '*') {
                surface.Rectangle(x + 2, y + 2, x + cell - 2, y + cell - 2, platform::colors::Black, true);
            } else if (marker >= 'A' && marker <= 'Z') {
                const std::string letter(1, marker);
                surface.DrawText(x + cell / 2 - Nearest(surface.TextWidth(letter) / 2),
                                 y + cell / 2 - Nearest(surface.TextHeight(letter) / 2), letter);
            } else if (marker != '.') {
                surface.Clear();
                return PreviewResult::InvalidType;
            }
        }
    }
    return PreviewResult::Drawn;
}

} // namespace dialogs
