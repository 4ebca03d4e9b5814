#include "platform/qt/pixmap_surface.h"

#include "platform/qt/encoding.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace platform {

PixmapSurface::PixmapSurface(QPixmap& pixmap, QColor background, double unitsPerPixel)
    : pixmap_(pixmap), background_(background), unitsPerPixel_(unitsPerPixel) {
    SetFont({"Arial", 8.25, false, false});
}

double PixmapSurface::ScaleWidth() const {
    return pixmap_.width() / pixmap_.devicePixelRatio() * unitsPerPixel_;
}

double PixmapSurface::ScaleHeight() const {
    return pixmap_.height() / pixmap_.devicePixelRatio() * unitsPerPixel_;
}

void PixmapSurface::Clear() { pixmap_.fill(background_); }

void PixmapSurface::Rectangle(double x1, double y1, double x2, double y2, Color color, bool filled) {
    QPainter p(&pixmap_);
    const QColor c(color.r, color.g, color.b);
    const double left = std::round(Pixels(std::min(x1, x2)));
    const double top = std::round(Pixels(std::min(y1, y2)));
    const double right = std::round(Pixels(std::max(x1, x2)));
    const double bottom = std::round(Pixels(std::max(y1, y2)));
    if (filled) {
        p.fillRect(QRectF(left, top, right - left + 1, bottom - top + 1), c);
    } else {
        p.setPen(QPen(c, 0));
        p.drawRect(QRectF(left, top, right - left, bottom - top));
    }
}

bool PixmapSurface::SetFont(const Font& font) {
    QFont f(QString::fromStdString(font.name));
    f.setPointSizeF(font.size > 0 ? font.size : 1);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setStyleStrategy(QFont::PreferAntialias);
    font_ = font;
    qfont_ = f;
    return true;
}

double PixmapSurface::TextWidth(const std::string& text) const {
    return QFontMetricsF(qfont_, &pixmap_).horizontalAdvance(FromBytes(text)) * unitsPerPixel_;
}

double PixmapSurface::TextHeight(const std::string&) const {
    return QFontMetricsF(qfont_, &pixmap_).height() * unitsPerPixel_;
}

void PixmapSurface::DrawText(double x, double y, const std::string& text) {
    QPainter p(&pixmap_);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(qfont_);
    p.setPen(Qt::black);
    const QFontMetricsF metrics(qfont_, &pixmap_);
    p.drawText(QPointF(Pixels(x), Pixels(y) + metrics.ascent()), FromBytes(text));
}

} // namespace platform
