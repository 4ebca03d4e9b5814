#include "platform/qt/install_paths.h"

#include "platform/install_paths.h"
#include "platform/qt/encoding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

ProgramFolders FindProgramFolders(const QString& programDir, const QString& userFolder,
                                  const std::function<bool(const QString&)>& canWrite) {
    ProgramFolders folders;
    const QString own = QDir(programDir).absolutePath();
    folders.data = QDir(PathText(DataFolderFor(PathBytes(own)))).absolutePath();
    const bool writable = canWrite ? canWrite(own) : QFileInfo(own).isWritable();
    if (folders.data == own && writable) {
        folders.working = own;
        return folders;
    }
    QDir().mkpath(userFolder);
    folders.working = QDir(userFolder).absolutePath();
    return folders;
}

ProgramFolders FindProgramFolders() {
    return FindProgramFolders(QCoreApplication::applicationDirPath(),
                              QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
}

QString FolderForNewFiles(const QString& folder) {
    return QFileInfo(folder).isWritable() ? folder : QDir::homePath();
}

QString ProgramFolder() { return FindProgramFolders().data; }

QString WorkingFolder() { return FindProgramFolders().working; }

} // namespace platform
