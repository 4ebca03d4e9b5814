#pragma once
// A picture box: a widget showing a persistent picture that the drawing
// routines paint through a Surface, in pixels or in a unit of their own.

#include "platform/qt/pixmap_surface.h"

#include <QFrame>
#include <QPixmap>

#include <memory>

namespace platform {

class PictureBox : public QFrame {
    Q_OBJECT
public:
    // `unitsPerPixel` is the surface's unit: 1 for pixels, 15 for twips.
    explicit PictureBox(QColor background = Qt::white, double unitsPerPixel = 1, QWidget* parent = nullptr);
    ~PictureBox() override;

    platform::Surface& Surface() { return *surface_; }
    const QPixmap& Image() const { return image_; }
    // Gives the picture the box's inner size, blank, when the two differ.
    void Fit();

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent*) override { Fit(); }
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor background_;
    QPixmap image_;
    std::unique_ptr<PixmapSurface> surface_;
};

} // namespace platform
