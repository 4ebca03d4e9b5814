#pragma once
// Form2: the open dialog "Quadrivo 98  - Apertura layout parole crociate".
// It browses folders, previews the selected crossword file as its pattern of
// black and white cells, and opens the chosen file by copying it into the
// working file; the main window loads it from there.

#include "document/crossword.h"
#include "platform/messages.h"
#include "platform/surface.h"

#include <QDialog>
#include <QPixmap>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QStatusBar;

namespace platform {
class PixmapSurface;
} // namespace platform

namespace dialogs {

class FolderBrowser;

// The preview box: a white picture the preview is drawn into.
class PreviewBox : public QWidget {
public:
    explicit PreviewBox(QWidget* parent = nullptr);
    ~PreviewBox() override;
    platform::Surface& Surface();
    const QPixmap& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap image_;
    std::unique_ptr<platform::PixmapSurface> surface_;
};

class Form2 : public QDialog {
    Q_OBJECT
public:
    // `workingFile` is where the chosen crossword is copied; `ready` runs once
    // the first file is previewed (the caller restores its pointer).
    Form2(document::Crossword& doc, platform::Messages& messages, std::string workingFile,
          std::function<void()> ready, QWidget* parent = nullptr);

    FolderBrowser& Browser() { return *browser_; }
    PreviewBox* Preview() const { return preview_; }

    // Previews the named file of the current folder.
    void ShowPreview(const QString& name);
    // "&OK": opens the file named in the name box.
    void Open();

    // "&Annulla": with no crossword open the window will show no grid.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    document::Crossword& doc_;
    platform::Messages& messages_;
    std::string workingFile_;
    std::function<void()> ready_;
    FolderBrowser* browser_;
    QLineEdit* nameEdit_;
    PreviewBox* preview_;
    QLabel* previewCaption_;
    QLabel* authorPanel_;
    bool shown_ = false;
};

} // namespace dialogs
