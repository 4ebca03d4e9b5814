#pragma once
// CruciSav: the save dialog "Quadrivo 98 - Salvataggio". It saves the
// crossword under a chosen name and folder, with the author's name in the
// first header line, and makes that file the current one.

#include "document/crossword.h"
#include "document/working_copy.h"
#include "platform/messages.h"

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;

namespace dialogs {

class FolderBrowser;

class CruciSav : public QDialog {
    Q_OBJECT
public:
    CruciSav(document::Crossword& doc, platform::Messages& messages, const document::WorkingCopy& workingFile,
             QWidget* parent = nullptr);

    FolderBrowser& Browser() { return *browser_; }

    // The file a name typed in the name box stands for: an absolute path (or a
    // name with a drive letter) as it is, anything else inside the listed
    // folder; ".qdr" is added when the whole name has no dot.
    static QString FullName(const QString& folder, const QString& typed);

    // "&OK": saves.
    void Save();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the folder the name box's file goes to.
    void ShowTargetFolder();
    void FitFolderPath();

    document::Crossword& doc_;
    platform::Messages& messages_;
    const document::WorkingCopy& workingFile_;
    FolderBrowser* browser_;
    QLineEdit* nameEdit_;
    QLineEdit* authorEdit_;
    QLabel* folderPath_;
    bool shown_ = false;
};

} // namespace dialogs
