#pragma once
// Form2: the open dialog "Quadrivo 98  - Apertura layout parole crociate".
// It browses folders, previews the selected crossword file as its pattern of
// black and white cells, and opens the chosen file by copying it into the
// working file; the main window loads it from there.

#include "document/crossword.h"
#include "document/working_copy.h"
#include "platform/messages.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;

namespace platform {
class PictureBox;
} // namespace platform

namespace dialogs {

class FolderBrowser;

class Form2 : public QDialog {
    Q_OBJECT
public:
    // `workingFile` is where the chosen crossword is copied; `ready` runs once
    // the dialog is on screen and the first file is previewed (the caller
    // restores its pointer).
    Form2(document::Crossword& doc, platform::Messages& messages, const document::WorkingCopy& workingFile,
          std::function<void()> ready, QWidget* parent = nullptr);

    FolderBrowser& Browser() { return *browser_; }
    platform::PictureBox* Preview() const { return preview_; }

    // Lists the newest files first, so the first one shown is the newest.
    void ListNewestFirst();

    // Previews the named file of the current folder.
    void ShowPreview(const QString& name);
    // Selects and previews the first file of the list; with no file, empties
    // the name box and the preview area.
    void PreviewFirstFile();
    // "&OK": opens the file named in the name box. A file that is not a
    // crossword of 3..25 by 3..15 cells is refused with the reader's message
    // and leaves the working file and the document as they were.
    void Open();

    // "&Annulla": with no crossword open the window will show no grid.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ClearPreview();
    bool IsCrossword(const std::string& path);

    document::Crossword& doc_;
    platform::Messages& messages_;
    const document::WorkingCopy& workingFile_;
    std::function<void()> ready_;
    FolderBrowser* browser_;
    QLineEdit* nameEdit_;
    platform::PictureBox* preview_;
    QLabel* previewCaption_;
    QLabel* authorPanel_;
    bool shown_ = false;
};

} // namespace dialogs
