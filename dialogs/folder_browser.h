#pragma once
// The drive, folder and file lists that the open and save dialogs share. The
// drives are the file system's roots and mount points and the home folder;
// the folders come from Qt's file-system model; the files are the crossword
// files (".qdr" in either case) of the chosen folder.
//
// The folder in use is always the one the folder tree shows as current, also
// when it was reached with the arrow keys. Each user action on the file list
// is reported once: moving to a file (click or arrow keys) by FileSelected, a
// click by FileClicked, a double click by FileActivated. Enter in the file
// list is left to the dialog, whose default button acts on the name box.

#include "platform/messages.h"

#include <QObject>
#include <QString>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QListWidget;
class QModelIndex;
class QTreeView;
class QWidget;

namespace dialogs {

inline const char* const DriveReadError = "Errore di lettura dal drive specificato";
inline const char* const FolderReadError = "Errore di lettura dalla cartella specificata";

class FolderBrowser : public QObject {
    Q_OBJECT
public:
    FolderBrowser(QWidget* parent, platform::Messages& messages);

    QComboBox* Drives() const { return drives_; }
    QTreeView* Folders() const { return folders_; }
    QListWidget* Files() const { return files_; }

    // The dialog's name box. When the keyboard enters a file list without a
    // current file, the file named there becomes current; no other file is
    // chosen just by entering the list.
    void SetNameBox(QLineEdit* nameBox) { nameBox_ = nameBox; }

    // The folder whose files are listed, without a final "/".
    QString Folder() const { return folder_; }
    // Moves the lists to a folder; false (with a message) when it cannot be read.
    bool SetFolder(const QString& path);
    // Lists the newest files first instead of by name.
    void SetNewestFirst(bool newestFirst);
    // The listed file names, in list order.
    QStringList FileNames() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void FolderChanged(const QString& path);
    void FileSelected(const QString& name);   // became the current file
    void FileClicked(const QString& name);
    void FileActivated(const QString& name);  // double click

private:
    void ChooseDrive(int index);
    void FolderMadeCurrent(const QModelIndex& index);
    void ListFiles();
    void ShowFolderInTree();
    void EnterFileList();
    QString DriveOf(const QString& path) const;

    platform::Messages& messages_;
    QComboBox* drives_;
    QTreeView* folders_;
    QListWidget* files_;
    QFileSystemModel* model_;
    QLineEdit* nameBox_ = nullptr;
    QString folder_;
    bool newestFirst_ = false;
};

} // namespace dialogs
