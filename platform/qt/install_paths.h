#pragma once
// The two folders the program starts from: the one with its data files,
// which becomes the current folder, and the one that keeps the working file
// "_qdra_32.tmp". Run from the build folder (or any folder that holds the
// data files and can be written) both are the program's own folder, as
// always; an installed program reads its data from share/quadrivo and keeps
// the working file in the user's own data folder.

#include <QString>

#include <functional>

namespace platform {

struct ProgramFolders {
    QString data;     // LESSICO.DAT, CRUCINEW.DAT, QDRVTIPS.TXT, the help document
    QString working;  // where the working file lives
};

// For a program in `programDir`, with `userFolder` the user's own writable
// data folder: `working` is `programDir` when the data files are beside
// the program and the folder can be written, else `userFolder`, created if
// need be. `canWrite` says whether a folder can be written.
ProgramFolders FindProgramFolders(const QString& programDir, const QString& userFolder,
                                  const std::function<bool(const QString&)>& canWrite = {});

// The same for the running program: its executable's folder, and Qt's
// per-user application data folder (~/.local/share/quadrivo for the
// application name "quadrivo"; set the name first).
ProgramFolders FindProgramFolders();

// Where a user's new files are proposed: `folder` when it can be written
// (the program's own folder when run from where it was built), else the
// user's home (the data folder of an installed program is read-only).
QString FolderForNewFiles(const QString& folder);

// Shorthands of FindProgramFolders() for the running program.
QString ProgramFolder();
QString WorkingFolder();

} // namespace platform
