#pragma once
// A Surface that paints into a pixmap: the persistent image of a window or a
// picture box. The owner shows the pixmap; drawings survive covering.

#include "platform/surface.h"

#include <QColor>
#include <QFont>
#include <QPixmap>

namespace platform {

class PixmapSurface : public Surface {
public:
    // `unitsPerPixel` is 1 for window pixels, 15 for twips on a 96-dpi screen.
    PixmapSurface(QPixmap& pixmap, QColor background, double unitsPerPixel = 1);

    double ScaleWidth() const override;
    double ScaleHeight() const override;
    void Clear() override;
    void Rectangle(double x1, double y1, double x2, double y2, Color color, bool filled) override;
    bool SetFont(const Font& font) override;
    Font CurrentFont() const override { return font_; }
    double TextWidth(const std::string& text) const override;
    double TextHeight(const std::string& text) const override;
    void DrawText(double x, double y, const std::string& text) override;

private:
    double Pixels(double units) const { return units / unitsPerPixel_; }

    QPixmap& pixmap_;
    QColor background_;
    double unitsPerPixel_;
    Font font_;
    QFont qfont_;
};

} // namespace platform
