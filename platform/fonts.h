#pragma once
// The fonts the screen and the printer can draw with: the font choice offers
// only the families both have, so that the screen shows what is printed.

#include "platform/surface.h"

#include <string>
#include <vector>

namespace platform {

class FontSource {
public:
    virtual ~FontSource() = default;

    // Family names (UTF-8) the screen can draw with, in the screen's order.
    virtual std::vector<std::string> ScreenFonts() = 0;
    // Family names (UTF-8) the printer can draw with, in the printer's order.
    virtual std::vector<std::string> PrinterFonts() = 0;

    // True when the screen, or the printer, draws text in `font`'s family
    // itself, and not in a stand-in that it substitutes for a missing one.
    virtual bool ScreenCanUse(const Font& font) = 0;
    virtual bool PrinterCanUse(const Font& font) = 0;
};

} // namespace platform
