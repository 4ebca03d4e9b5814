#include "editor/client_area.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

namespace editor {

ClientArea::ClientArea(QWidget* parent)
    : QWidget(parent),
      toolBar_(new QToolBar(this)),
      statusBar_(new QStatusBar(this)),
      infoLabel_(new QLabel(this)),
      splash_(new QLabel(this)),
      closeButton_(new QPushButton("Chiudi", this)),
      image_(1, 1) {
    setObjectName("ClientArea");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_.fill(palette().color(QPalette::Window));
    surface_ = std::make_unique<platform::PixmapSurface>(image_, palette().color(QPalette::Window));

    toolBar_->setObjectName("Toolbar1");
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(24, 24));
    statusBar_->setObjectName("StatusBar1");
    statusBar_->setSizeGripEnabled(false);

    // Looks like a tooltip: pale yellow, black text, sized to its caption.
    infoLabel_->setObjectName("Label1");
    infoLabel_->setAutoFillBackground(true);
    QPalette tip = infoLabel_->palette();
    tip.setColor(QPalette::Window, QColor(255, 255, 224));
    tip.setColor(QPalette::WindowText, Qt::black);
    infoLabel_->setPalette(tip);
    infoLabel_->setFrameShape(QFrame::Box);
    infoLabel_->setLineWidth(1);
    QFont small("Liberation Sans");
    small.setPointSizeF(8.25);
    infoLabel_->setFont(small);
    infoLabel_->move(0, 10000);

    splash_->setObjectName("Picture1");

    closeButton_->setObjectName("Command3d15");
    closeButton_->setToolTip("Chiude anteprima di stampa");
    closeButton_->hide();

    for (QWidget* w : {static_cast<QWidget*>(toolBar_), static_cast<QWidget*>(statusBar_),
                       static_cast<QWidget*>(infoLabel_)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

int ClientArea::ToolbarHeight() const { return toolBar_->isHidden() ? 0 : toolBar_->height(); }
int ClientArea::StatusBarHeight() const { return statusBar_->isHidden() ? 0 : statusBar_->height(); }

void ClientArea::PlaceBars() {
    const int th = toolBar_->minimumHeight() > 0 ? toolBar_->minimumHeight() : toolBar_->sizeHint().height();
    const int sh = statusBar_->minimumHeight() > 0 ? statusBar_->minimumHeight() : statusBar_->sizeHint().height();
    toolBar_->setGeometry(0, 0, width(), th);
    statusBar_->setGeometry(0, height() - sh, width(), sh);
    closeButton_->adjustSize();
    closeButton_->move(width() - closeButton_->width() - 10, th + 10);
}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.drawPixmap(0, 0, image_);
}

void ClientArea::resizeEvent(QResizeEvent*) {
    QPixmap resized(size().expandedTo(QSize(1, 1)));
    resized.fill(palette().color(QPalette::Window));
    QPainter(&resized).drawPixmap(0, 0, image_);
    image_ = resized;
    PlaceBars();
    emit Resized();
}

void ClientArea::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit MouseMoved(at.x(), at.y());
}

void ClientArea::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit MousePressed(at.x(), at.y(), event->button());
}

bool ClientArea::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == infoLabel_)
            emit OverLabel();
        else
            emit LeftBars();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace editor
