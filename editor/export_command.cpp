// Form1's "Espor&ta ...": the crossword in another program's format.

#include "editor/form1.h"

#include "dialogs/export_dialog.h"
#include "editor/client_area.h"
#include "output/export_file.h"
#include "output/page_layout.h"
#include "platform/qt/encoding.h"

#include <QDir>
#include <QFileInfo>
#include <QVariant>

#include <functional>

namespace editor {

namespace {

// The window keeps the format chosen last, so the next export of the
// session proposes it again.
constexpr char LastExportFormat[] = "quadrivoLastExportFormat";

// Passes the writers' messages on with the pointer the user works with:
// no hourglass over a refusal or a write error.
class WithoutHourglass : public platform::Messages {
public:
    WithoutHourglass(platform::Messages& messages, std::function<void()> restorePointer)
        : messages_(messages), restorePointer_(std::move(restorePointer)) {}
    platform::Answer Show(const std::string& text, platform::Buttons buttons, const std::string& title,
                          platform::Icon icon) override {
        restorePointer_();
        return messages_.Show(text, buttons, title, icon);
    }
    void EndProgram() override { messages_.EndProgram(); }

private:
    platform::Messages& messages_;
    std::function<void()> restorePointer_;
};

// Where the dialog opens: the crossword's own folder, or the program's for
// a crossword that has no file yet; the user's home when that folder cannot
// be written (the data folder of an installed program).
QString ExportFolder(const std::string& crosswordFile, const std::string& programFolder) {
    const QString folder = crosswordFile == document::NewCrosswordName
                               ? QDir(platform::PathText(programFolder)).absolutePath()
                               : QFileInfo(platform::PathText(crosswordFile)).absolutePath();
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable() ? folder : QDir::homePath();
}

} // namespace

void Form1::MenuEsporta() {
    HideLabel();
    // The dialog comes with the ordinary pointer; a cell tool kept in the
    // pointer is back once the file is written.
    const Pointer tool = pointer_;
    SetPointer(Pointer::Default);

    const QVariant last = property(LastExportFormat);
    const auto proposed = last.isValid() ? static_cast<document::ExportFormat>(last.toInt())
                                         : document::ExportFormat::Ipuz;
    const auto target = dialogs::ExportDialog::Ask(
        this, ExportFolder(doc_.CurrentFileName, programFolder_),
        QFileInfo(platform::PathText(doc_.CurrentFileName)).completeBaseName(), proposed, messages_);
    if (!target) {
        SetPointer(tool);
        return;
    }
    setProperty(LastExportFormat, static_cast<int>(target->format));

    SetPointer(Pointer::Hourglass);
    WithoutHourglass messages(messages_, [this] { SetPointer(Pointer::Default); });
    // The writers get a copy: an export leaves the document, its word map
    // and its changed flag exactly as they were.
    document::Crossword copy = doc_;
    const output::WindowArea area =
        output::AreaOf(DrawingSurface(), area_->ToolbarHeight(), area_->StatusBarHeight());
    output::ExportCrossword(copy, target->format, target->fileName, area, messages);
    SetPointer(tool);
}

} // namespace editor
