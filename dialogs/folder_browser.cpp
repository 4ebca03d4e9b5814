#include "dialogs/folder_browser.h"

#include "platform/qt/encoding.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFocusEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>

namespace dialogs {

namespace {

// Places worth offering as drives: the root, the home folder, and mounted
// volumes under the usual mount folders.
QStringList DrivePaths() {
    QStringList paths{"/", QDir::homePath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (root.startsWith("/media/") || root.startsWith("/mnt/") || root.startsWith("/run/media/"))
            paths << root;
    }
    paths.removeDuplicates();
    return paths;
}

QString WithoutFinalSlash(QString path) {
    while (path.size() > 1 && path.endsWith('/')) path.chop(1);
    return path;
}

} // namespace

FolderBrowser::FolderBrowser(QWidget* parent, platform::Messages& messages)
    : QObject(parent),
      messages_(messages),
      drives_(new QComboBox(parent)),
      folders_(new QTreeView(parent)),
      files_(new QListWidget(parent)),
      model_(new QFileSystemModel(this)) {
    drives_->setObjectName("Drive1");
    folders_->setObjectName("Dir1");
    files_->setObjectName("File1");
    for (const QString& path : DrivePaths()) drives_->addItem(path, path);
    // A long mount point must not widen the dialogs beyond a small screen.
    drives_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    drives_->setMinimumContentsLength(12);

    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setRootPath("/");
    folders_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column) folders_->hideColumn(column);
    folders_->header()->hide();
    folders_->setMinimumHeight(160);
    folders_->installEventFilter(this);
    files_->installEventFilter(this);

    // The model reads folders in the background: show the chosen folder once
    // its parents are there.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        // After the model has sorted what it read.
        if (folder_ == path || folder_.startsWith(WithoutFinalSlash(path) + "/"))
            QTimer::singleShot(50, this, &FolderBrowser::ShowFolderInTree);
    });
    connect(drives_, &QComboBox::activated, this, &FolderBrowser::ChooseDrive);
    // A click, the arrow keys or typing a folder's initial all move the
    // current folder of the tree.
    connect(folders_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FolderBrowser::FolderMadeCurrent);
    connect(files_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) emit FileSelected(item->text());
    });
    connect(files_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit FileClicked(item->text()); });
    // A double click also reports an activation; only the double click is
    // taken, so that it acts once.
    connect(files_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit FileActivated(item->text()); });
}

bool FolderBrowser::eventFilter(QObject* watched, QEvent* event) {
    // A tree scrolls only once it is laid out on screen.
    if (watched == folders_ && event->type() == QEvent::Show)
        QTimer::singleShot(0, this, &FolderBrowser::ShowFolderInTree);
    if (watched == files_ && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason)
        EnterFileList();
    return QObject::eventFilter(watched, event);
}

void FolderBrowser::EnterFileList() {
    if (files_->currentItem() || files_->count() == 0) return;
    QString name = nameBox_ ? nameBox_->text() : QString();
    if (QFileInfo(name).isAbsolute() && WithoutFinalSlash(QFileInfo(name).absolutePath()) == folder_)
        name = QFileInfo(name).fileName();
    const auto same = files_->findItems(name, Qt::MatchExactly);
    if (!same.isEmpty()) {
        files_->setCurrentItem(same.first());
        return;
    }
    // The list would make its first file current on entering; let it do so
    // quietly and without highlighting it, so the name box keeps its text.
    const QSignalBlocker quiet(files_);
    files_->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void FolderBrowser::FolderMadeCurrent(const QModelIndex& index) {
    // Only the user's moves count: the model also moves the current folder
    // of the tree while it reads folders in the background, and the folder
    // is put back in view once it has.
    if (!index.isValid() || !folders_->hasFocus()) return;
    const QString path = WithoutFinalSlash(model_->filePath(index));
    if (path == folder_) return;
    // A folder that cannot be read leaves the tree on the folder in use.
    if (!SetFolder(path)) QTimer::singleShot(0, this, &FolderBrowser::ShowFolderInTree);
}

QString FolderBrowser::DriveOf(const QString& path) const {
    QString best = "/";
    for (int i = 0; i < drives_->count(); ++i) {
        const QString drive = drives_->itemData(i).toString();
        if ((path == drive || path.startsWith(WithoutFinalSlash(drive) + "/")) && drive.size() > best.size())
            best = drive;
    }
    return best;
}

void FolderBrowser::ChooseDrive(int index) {
    const QString drive = drives_->itemData(index).toString();
    if (!QFileInfo(drive).isReadable() || !QDir(drive).exists()) {
        messages_.Tell(DriveReadError);
        drives_->setCurrentIndex(drives_->findData(DriveOf(folder_)));
        return;
    }
    SetFolder(drive);
}

bool FolderBrowser::SetFolder(const QString& path) {
    const QString folder = WithoutFinalSlash(QDir(path).absolutePath());
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable()) {
        messages_.Tell(FolderReadError);
        return false;
    }
    folder_ = folder;
    drives_->setCurrentIndex(drives_->findData(DriveOf(folder_)));
    ShowFolderInTree();
    ListFiles();
    emit FolderChanged(folder_);
    return true;
}

void FolderBrowser::ShowFolderInTree() {
    const QModelIndex index = model_->index(folder_);
    if (!index.isValid()) return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        folders_->expand(parent);
    folders_->doItemsLayout();
    folders_->setCurrentIndex(index);
    folders_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void FolderBrowser::ListFiles() {
    files_->clear();
    QDir dir(folder_);
    dir.setNameFilters({"*.qdr"});
    dir.setFilter(QDir::Files | QDir::Readable | QDir::Hidden);
    dir.setSorting(newestFirst_ ? QDir::SortFlags(QDir::Time) : QDir::Name | QDir::IgnoreCase);
    // Name filters ignore case, so "*.QDR" files are listed too.
    files_->addItems(dir.entryList());
}

void FolderBrowser::SetNewestFirst(bool newestFirst) {
    newestFirst_ = newestFirst;
    ListFiles();
}

QStringList FolderBrowser::FileNames() const {
    QStringList names;
    for (int i = 0; i < files_->count(); ++i) names << files_->item(i)->text();
    return names;
}

} // namespace dialogs
