#include "platform/qt/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform {

PictureBox::PictureBox(QColor background, double unitsPerPixel, QWidget* parent)
    : QFrame(parent), background_(background), image_(1, 1) {
    surface_ = std::make_unique<PixmapSurface>(image_, background_, unitsPerPixel);
    surface_->Clear();
}

PictureBox::~PictureBox() = default;

void PictureBox::Fit() {
    const QSize wanted = contentsRect().size().expandedTo(QSize(1, 1));
    if (image_.size() == wanted) return;
    image_ = QPixmap(wanted);
    image_.fill(background_);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter(this).drawPixmap(contentsRect().topLeft(), image_);
    QFrame::paintEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit Clicked();
}

} // namespace platform
