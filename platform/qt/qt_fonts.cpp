#include "platform/qt/qt_fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

namespace platform {

namespace {

// "Family [Foundry]" names a family of one foundry among several; the font
// reports either that name or the bare family.
QString BareFamily(const QString& name) {
    const qsizetype bracket = name.indexOf(" [");
    return bracket > 0 && name.endsWith(']') ? name.left(bracket) : name;
}

} // namespace

bool QtFontSource::Resolves(const QString& family) {
    if (family.trimmed().isEmpty()) return false;
    const auto known = resolves_.constFind(family);
    if (known != resolves_.constEnd()) return *known;
    QFont font(family);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QString resolved = QFontInfo(font).family();
    const bool same = resolved.compare(family, Qt::CaseInsensitive) == 0 ||
                      resolved.compare(BareFamily(family), Qt::CaseInsensitive) == 0;
    resolves_.insert(family, same);
    return same;
}

std::vector<std::string> QtFontSource::ScreenFonts() {
    std::vector<std::string> names;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family) && Resolves(family)) names.push_back(family.toStdString());
    return names;
}

std::vector<std::string> QtFontSource::PrinterFonts() {
    std::vector<std::string> names;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family) && QFontDatabase::isScalable(family) && Resolves(family))
            names.push_back(family.toStdString());
    return names;
}

bool QtFontSource::ScreenCanUse(const Font& font) { return Resolves(QString::fromStdString(font.name)); }

bool QtFontSource::PrinterCanUse(const Font& font) {
    const QString family = QString::fromStdString(font.name);
    return Resolves(family) && QFontDatabase::isScalable(family);
}

} // namespace platform
