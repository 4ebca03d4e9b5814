#pragma once
// The font source of this desktop. Screen and printer draw with the same font
// system here, so the printer's fonts are the families it can scale to any
// size (a bitmap family would print coarse or in a stand-in), and the
// screen's are all families. On both sides a family counts only when asking
// for it gives that family itself, not a substitute the font system picks;
// the lists learn that for all families at once where the font system can
// tell (fontconfig), and load a font of each family only where it cannot;
// a family chosen is always tried with a font of its own.
// Both lists keep the font database's order.

#include "platform/fonts.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

namespace platform {

class QtFontSource : public FontSource {
public:
    std::vector<std::string> ScreenFonts() override;
    std::vector<std::string> PrinterFonts() override;
    bool ScreenCanUse(const Font& font) override;
    bool PrinterCanUse(const Font& font) override;

private:
    static std::optional<QSet<QString>> OwnFamilies();
    // True when the family belongs in a list: a family of `own` when the
    // font system told them, else one that Resolves.
    bool Listed(const QString& family, const std::optional<QSet<QString>>& own);
    // True when a font of this family resolves to the family itself.
    bool Resolves(const QString& family);
    QHash<QString, bool> resolves_;
};

} // namespace platform
