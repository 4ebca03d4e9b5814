// Form1's recovery of work left by runs that ended without Exit: the
// message at start-up and "Recupera lavoro non salvato ...".

#include "editor/form1.h"

#include "document/crossword_file.h"
#include "document/file_io.h"
#include "platform/qt/encoding.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace editor {

void Form1::ReportRescue() {
    const std::string folder = platform::ToBytes(platform::PathText(platform::PathBytes(options_.recoveryFolder)));
    if (!rescue_.kept.empty()) {
        std::vector<std::string> kept;
        for (const std::string& path : rescue_.kept) kept.push_back(platform::ToBytes(platform::PathText(path)));
        messages_.Show(document::RescueFailedMessage(kept, folder), platform::Buttons::Ok, platform::ApplicationTitle,
                       platform::Icon::Exclamation);
    }
    if (rescue_.rescued.empty()) return;
    // Crossword names are the file system's bytes; messages speak Windows-1252.
    std::vector<document::RescuedWork> work = rescue_.rescued;
    for (auto& w : work) w.crosswordName = platform::ToBytes(platform::PathText(w.crosswordName));
    // A crossword asked for on the command line is what the user wants now:
    // the rescued work is only pointed out.
    if (!options_.commandLine.empty()) {
        messages_.Show(document::RescuedMessage(work, false), platform::Buttons::Ok, platform::ApplicationTitle,
                       platform::Icon::Information);
        return;
    }
    if (messages_.Show(document::RescuedMessage(work, true), platform::Buttons::YesNo, platform::ApplicationTitle,
                       platform::Icon::Question) != platform::Answer::Yes)
        return;
    if (doc_.ChangedFlag) AskToSaveChanges();
    OpenRescued(rescue_.rescued.front().path);
}

void Form1::OpenRescued(const std::string& path) {
    std::string bytes;
    auto scratch = std::make_unique<document::Crossword>();
    platform::SilentMessages silent;
    if (!document::ReadWholeFile(path, bytes, document::MaxCrosswordFileSize) ||
        document::ReadCrossword(*scratch, bytes, silent) != document::LoadResult::Loaded ||
        scratch->ColumnCount < document::MinColumns || scratch->ColumnCount > document::MaxColumns ||
        scratch->RowCount < document::MinRows || scratch->RowCount > document::MaxRows) {
        messages_.Tell(platform::ToBytes("Il lavoro recuperato non \u00E8 un cruciverba che si possa aprire: resta in " +
                                         platform::PathText(path)));
        return;
    }
    if (!working_.CopyFrom(path, messages_)) return;
    ClosePreview();
    ShowSplash(false);
    doc_.ClearDefinitions();
    doc_.CurrentFileName = document::NewCrosswordName;
    doc_.EditMode = document::ClueMode;
    history_.Clear();
    RefreshWindow();
    // Recovered work has no file of its own yet: it stays to be saved,
    // whatever is undone, and Save asks for a name.
    history_.MarkUnsaved();
    doc_.ChangedFlag = true;
    UpdateHistoryCommands();
}

void Form1::MenuRecupera() {
    const QString folder = options_.recoveryFolder;
    const QDir recovery(folder);
    if (folder.isEmpty() || recovery.entryList({"*.qdr"}, QDir::Files).isEmpty()) {
        messages_.Tell("Nessun lavoro non salvato da recuperare.");
        return;
    }
    BeforeFileDialog();
    // The open dialog browses the current folder, newest work first.
    QDir::setCurrent(folder);
    const std::string before = doc_.CurrentFileName;
    ShowOpenDialog(true);
    QDir::setCurrent(platform::PathText(programFolder_));
    if (doc_.HasCrossword() && doc_.CurrentFileName != before &&
        QFileInfo(platform::PathText(doc_.CurrentFileName)).absolutePath() == QDir(folder).absolutePath()) {
        doc_.CurrentFileName = document::NewCrosswordName;
        doc_.ChangedFlag = true;
        history_.MarkUnsaved();
        setWindowTitle(Caption());
    }
}

} // namespace editor
