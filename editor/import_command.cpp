// Form1's "&Importa ...": a crossword of another program (.ipuz, .puz) as a
// new, unsaved crossword.

#include "editor/form1.h"

#include "dialogs/import_dialog.h"
#include "document/file_io.h"
#include "document/import_formats.h"
#include "platform/qt/encoding.h"
#include "platform/qt/install_paths.h"

#include <QDate>
#include <QDir>

namespace editor {

void Form1::MenuImporta() {
    HideLabel();
    SetPointer(Pointer::Default);
    ClosePreview();
    const std::string file = dialogs::ImportDialog::Ask(this, platform::FolderForNewFiles(QDir::currentPath()));
    if (file.empty()) return;
    std::string bytes;
    if (!document::ReadWholeFile(file, bytes, document::MaxImportFileSize)) {
        messages_.Tell(platform::ToBytes("Impossibile leggere il file " + platform::PathText(file) + "."));
        return;
    }
    document::Crossword imported = doc_;
    const document::ImportReport report =
        document::ImportCrossword(imported, bytes, QDate::currentDate().toString("dd-MM-yyyy").toStdString());
    if (report.outcome == document::ImportOutcome::Refused) {
        messages_.Show(report.message, platform::Buttons::Ok, "Importa cruciverba", platform::Icon::Exclamation);
        return;
    }
    // The crossword on screen is asked about first, as New does.
    if (doc_.ChangedFlag && !AskToSaveChanges()) return;
    imported.CurrentFileName = document::ImportedName(file);
    if (!working_.Store(imported, messages_)) return;
    doc_ = imported;
    doc_.EditMode = document::ClueMode;
    history_.Clear();
    ShowSplash(false);
    RefreshWindow();
    // Nothing of it is saved yet: "Salva" asks for a name.
    doc_.ChangedFlag = true;
    history_.MarkUnsaved();
    UpdateHistoryCommands();
    if (report.outcome == document::ImportOutcome::ImportedWithLosses)
        messages_.Show(report.message, platform::Buttons::Ok, "Importa cruciverba", platform::Icon::Information);
}

} // namespace editor
