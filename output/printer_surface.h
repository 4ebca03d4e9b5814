#pragma once
// A Surface on a printed page: a QPainter on a QPrinter or a QPdfWriter,
// with a page of width x height square units of its own laid from the
// top-left corner of the printable area, as large as fits in it. Font sizes
// stay points on the paper; text widths and heights come back in page units.

#include "platform/surface.h"

#include <QFont>

class QPainter;
class QPagedPaintDevice;

namespace output {

class PrinterSurface : public platform::Surface {
public:
    // `painter` is active on `device`; the page units lie on its printable
    // area, x to the right and y downward from its top-left corner.
    PrinterSurface(QPainter& painter, QPagedPaintDevice& device, double width, double height);

    // The whole printable area in page units: at least width x height.
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    void Clear() override;
    void Rectangle(double x1, double y1, double x2, double y2, platform::Color color, bool filled) override;
    bool SetFont(const platform::Font& font) override;
    platform::Font CurrentFont() const override { return font_; }
    double TextWidth(const std::string& text) const override;
    double TextHeight(const std::string& text) const override;
    void DrawText(double x, double y, const std::string& text) override;

    // Ends the page and starts a further one; false when the device failed.
    bool NewPage();

private:
    double X(double units) const { return units * scale_; }
    double Y(double units) const { return units * scale_; }

    QPainter& painter_;
    QPagedPaintDevice& device_;
    double scale_;  // device pixels per page unit
    platform::Font font_;
    QFont qfont_;
};

} // namespace output
