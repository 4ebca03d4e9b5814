#pragma once
// The main window's drawing area: everything below the menu bar. It keeps
// the persistent image the grid is drawn on, and carries the toolbar along
// its top, the status bar along its bottom, the floating label and the
// splash picture, as children laid over the drawing.

#include "platform/qt/pixmap_surface.h"

#include <QPixmap>
#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QStatusBar;
class QToolBar;

namespace editor {

class ClientArea : public QWidget {
    Q_OBJECT
public:
    explicit ClientArea(QWidget* parent = nullptr);

    QToolBar* ToolBar() const { return toolBar_; }
    QStatusBar* StatusBar() const { return statusBar_; }
    QLabel* InfoLabel() const { return infoLabel_; }
    QLabel* Splash() const { return splash_; }
    // "Chiudi": shown only while the print preview is.
    QPushButton* CloseButton() const { return closeButton_; }

    // The persistent image as a drawing surface; what is drawn shows at the
    // next repaint and survives covering.
    platform::Surface& Surface() { return *surface_; }
    const QPixmap& Image() const { return image_; }

    int ToolbarHeight() const;
    int StatusBarHeight() const;

    // Lays the toolbar along the top and the status bar along the bottom.
    void PlaceBars();

signals:
    void MouseMoved(int x, int y);
    void MousePressed(int x, int y, Qt::MouseButton button);
    void Resized();
    void LeftBars();  // the mouse went over the toolbar or the status bar
    void OverLabel();  // the mouse went over the floating label

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click is not a click of its own.
    void mouseDoubleClickEvent(QMouseEvent*) override {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolBar* toolBar_;
    QStatusBar* statusBar_;
    QLabel* infoLabel_;
    QLabel* splash_;
    QPushButton* closeButton_;
    QPixmap image_;
    std::unique_ptr<platform::PixmapSurface> surface_;
};

} // namespace editor
