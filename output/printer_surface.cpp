#include "output/printer_surface.h"

#include "platform/qt/encoding.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace output {

PrinterSurface::PrinterSurface(QPainter& painter, QPagedPaintDevice& device, double width, double height)
    : painter_(painter), device_(device),
      scale_(std::min(device.width() / std::max(width, 1.0), device.height() / std::max(height, 1.0))) {
    if (!(scale_ > 0)) scale_ = 1;
    SetFont({"Arial", 8.25, false, false});
}

double PrinterSurface::ScaleWidth() const { return device_.width() / scale_; }
double PrinterSurface::ScaleHeight() const { return device_.height() / scale_; }

void PrinterSurface::Clear() {
    painter_.fillRect(QRectF(0, 0, device_.width(), device_.height()), Qt::white);
}

void PrinterSurface::Rectangle(double x1, double y1, double x2, double y2, platform::Color color, bool filled) {
    const QColor c(color.r, color.g, color.b);
    const QRectF rect(QPointF(X(std::min(x1, x2)), Y(std::min(y1, y2))),
                      QPointF(X(std::max(x1, x2)), Y(std::max(y1, y2))));
    if (filled) {
        painter_.fillRect(rect, c);
    } else {
        // The printer's own line width: one dot of the device.
        painter_.setPen(QPen(c, 1));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(rect);
    }
}

bool PrinterSurface::SetFont(const platform::Font& font) {
    QFont f(QString::fromStdString(font.name), -1, -1, font.italic);
    f.setPointSizeF(font.size > 0 ? font.size : 1);
    f.setBold(font.bold);
    font_ = font;
    qfont_ = QFont(f, &device_);
    return true;
}

double PrinterSurface::TextWidth(const std::string& text) const {
    return QFontMetricsF(qfont_, &device_).horizontalAdvance(platform::FromBytes(text)) / scale_;
}

double PrinterSurface::TextHeight(const std::string&) const {
    return QFontMetricsF(qfont_, &device_).height() / scale_;
}

void PrinterSurface::DrawText(double x, double y, const std::string& text) {
    painter_.setFont(qfont_);
    painter_.setPen(Qt::black);
    const QFontMetricsF metrics(qfont_, &device_);
    painter_.drawText(QPointF(X(x), Y(y) + metrics.ascent()), platform::FromBytes(text));
}

bool PrinterSurface::NewPage() { return device_.newPage(); }

} // namespace output
