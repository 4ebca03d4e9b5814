#pragma once
// The font source of this desktop. Screen and printer draw with the same font
// system here, so the printer's fonts are the families it can scale to any
// size (a bitmap family would print coarse or in a stand-in), and the
// screen's are all families. On both sides a family counts only when asking
// for it gives that family itself, not a substitute the font system picks.
// Both lists keep the font database's order.

#include "platform/fonts.h"

#include <QHash>
#include <QString>

namespace platform {

class QtFontSource : public FontSource {
public:
    std::vector<std::string> ScreenFonts() override;
    std::vector<std::string> PrinterFonts() override;
    bool ScreenCanUse(const Font& font) override;
    bool PrinterCanUse(const Font& font) override;

private:
    // True when a font of this family resolves to the family itself.
    bool Resolves(const QString& family);
    QHash<QString, bool> resolves_;
};

} // namespace platform
