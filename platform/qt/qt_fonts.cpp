#include "platform/qt/qt_fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#if defined(QUADRIVO_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#endif

namespace platform {

namespace {

// "Family [Foundry]" names a family of one foundry among several; the font
// reports either that name or the bare family.
QString BareFamily(const QString& name) {
    const qsizetype bracket = name.indexOf(" [");
    return bracket > 0 && name.endsWith(']') ? name.left(bracket) : name;
}

} // namespace

// The families the font system holds under their own names, asked for all
// at once; none when it cannot tell. The font database takes its families
// from these, and asking it for one of them gives that family; the families
// it adds of its own ("Serif", "Sans Serif", "Monospace") stand for others.
std::optional<QSet<QString>> QtFontSource::OwnFamilies() {
#if defined(QUADRIVO_FONTCONFIG)
    QSet<QString> own;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* wanted = FcObjectSetBuild(FC_FAMILY, static_cast<char*>(nullptr));
    FcFontSet* fonts = pattern && wanted ? FcFontList(nullptr, pattern, wanted) : nullptr;
    if (fonts) {
        for (int i = 0; i < fonts->nfont; ++i) {
            // Every name of a family, in every language: the database
            // goes by one of them.
            FcChar8* family = nullptr;
            for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &family) == FcResultMatch; ++n)
                if (family) own.insert(QString::fromUtf8(reinterpret_cast<const char*>(family)));
        }
        FcFontSetDestroy(fonts);
    }
    if (wanted) FcObjectSetDestroy(wanted);
    if (pattern) FcPatternDestroy(pattern);
    if (!own.isEmpty()) return own;
#endif
    return std::nullopt;
}

bool QtFontSource::Listed(const QString& family, const std::optional<QSet<QString>>& own) {
    if (!own) return Resolves(family);
    return !family.trimmed().isEmpty() && own->contains(BareFamily(family));
}

bool QtFontSource::Resolves(const QString& family) {
    if (family.trimmed().isEmpty()) return false;
    const auto known = resolves_.constFind(family);
    if (known != resolves_.constEnd()) return *known;
    // Asking for the family itself: loads one of its fonts.
    QFont font(family);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QString resolved = QFontInfo(font).family();
    const bool same = resolved.compare(family, Qt::CaseInsensitive) == 0 ||
                      resolved.compare(BareFamily(family), Qt::CaseInsensitive) == 0;
    resolves_.insert(family, same);
    return same;
}

std::vector<std::string> QtFontSource::ScreenFonts() {
    const std::optional<QSet<QString>> own = OwnFamilies();
    std::vector<std::string> names;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family) && Listed(family, own)) names.push_back(family.toStdString());
    return names;
}

std::vector<std::string> QtFontSource::PrinterFonts() {
    const std::optional<QSet<QString>> own = OwnFamilies();
    std::vector<std::string> names;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family) && QFontDatabase::isScalable(family) && Listed(family, own))
            names.push_back(family.toStdString());
    return names;
}

bool QtFontSource::ScreenCanUse(const Font& font) { return Resolves(QString::fromStdString(font.name)); }

bool QtFontSource::PrinterCanUse(const Font& font) {
    const QString family = QString::fromStdString(font.name);
    return Resolves(family) && QFontDatabase::isScalable(family);
}

} // namespace platform
