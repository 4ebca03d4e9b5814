#pragma once
// ExportDialog: "Esporta cruciverba", the save dialog of "Espor&ta ...".
// Qt's own file dialog (never the desktop's), in Italian, whose file types
// choose the format of the file to write.

#include "document/export_formats.h"
#include "platform/messages.h"

#include <QFileDialog>

#include <optional>
#include <string>

namespace dialogs {

// The file the user chose and the format its type stands for.
struct ExportTarget {
    std::string fileName;  // absolute, in the file system's encoding
    document::ExportFormat format;
};

class ExportDialog : public QFileDialog {
    Q_OBJECT
public:
    // Opens in `folder` with `baseName` (the crossword's name without
    // extension) in the name box and the file type of `format` selected.
    ExportDialog(const QString& folder, const QString& baseName, document::ExportFormat format,
                 QWidget* parent = nullptr);

    // The file types in the order the list shows them, with their formats.
    static const std::vector<std::pair<QString, document::ExportFormat>>& FileTypes();

    // The format of the selected file type.
    document::ExportFormat SelectedFormat() const;

    // The selected file with the type's extension added when the name does
    // not already end with it ("rivista" and ".svg" give "rivista.svg",
    // "rivista.puz" and ".pdf" give "rivista.puz.pdf").
    QString TargetFile() const;

    static QString WithExtension(const QString& name, document::ExportFormat format);

    // The whole question: shows the dialog until the user cancels or picks
    // a file; a file that already exists is replaced only after "Sì" to
    // the question, else the dialog comes back. std::nullopt on cancel.
    static std::optional<ExportTarget> Ask(QWidget* parent, const QString& folder, const QString& baseName,
                                           document::ExportFormat format, platform::Messages& messages);

protected:
    void changeEvent(QEvent* event) override;

private:
    // The program's own captions, in Italian.
    void ApplyCaptions();
    // Gives the name box the extension of the newly selected file type.
    void FollowFileType(const QString& filter);
};

// The question asked before an existing file is replaced (Windows-1252).
std::string ReplaceQuestion(const QString& fileName);

} // namespace dialogs
