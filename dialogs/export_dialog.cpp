#include "dialogs/export_dialog.h"

#include "platform/qt/encoding.h"
#include "platform/qt/qt_messages.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QEvent>
#include <QItemSelectionModel>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace dialogs {

const std::vector<std::pair<QString, document::ExportFormat>>& ExportDialog::FileTypes() {
    using document::ExportFormat;
    static const std::vector<std::pair<QString, ExportFormat>> types = {
        {QStringLiteral("Cruciverba ipuz (*.ipuz)"), ExportFormat::Ipuz},
        {QStringLiteral("Cruciverba Across Lite (*.puz)"), ExportFormat::Puz},
        {QStringLiteral("Pagina stampata PDF (*.pdf)"), ExportFormat::Pdf},
        {QStringLiteral("PDF per i solutori (*.pdf)"), ExportFormat::PdfSolvers},
        {QStringLiteral("Schema vuoto con i numeri SVG (*.svg)"), ExportFormat::SvgGrid},
        {QStringLiteral("Soluzione SVG (*.svg)"), ExportFormat::SvgSolution},
        {QStringLiteral("Pagina web da risolvere (*.html)"), ExportFormat::Html},
    };
    return types;
}

ExportDialog::ExportDialog(const QString& folder, const QString& baseName, document::ExportFormat format,
                           QWidget* parent)
    : QFileDialog(parent) {
    setObjectName("ExportDialog");
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontConfirmOverwrite);  // asked in Italian after the choice
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    ApplyCaptions();
    QStringList filters;
    for (const auto& type : FileTypes()) filters << type.first;
    setNameFilters(filters);
    if (!folder.isEmpty()) setDirectory(folder);
    for (const auto& [filter, f] : FileTypes())
        if (f == format) selectNameFilter(filter);
    if (!baseName.isEmpty()) selectFile(WithExtension(baseName, format));
    platform::UseDialogFrame(this);
    connect(this, &QFileDialog::filterSelected, this, &ExportDialog::FollowFileType);
    // Emptying the name box makes Qt's dialog select the folder itself in
    // its list, and a name typed after that would be ignored: the selection
    // goes when the name does.
    auto* nameEdit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* list = findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (nameEdit && list)
        connect(nameEdit, &QLineEdit::textChanged, this, [list](const QString& text) {
            if (text.isEmpty() && list->selectionModel()) list->selectionModel()->clearSelection();
        });
}

void ExportDialog::ApplyCaptions() {
    setWindowTitle(QStringLiteral("Esporta cruciverba"));
    setLabelText(QFileDialog::LookIn, QStringLiteral("Cerca in:"));
    setLabelText(QFileDialog::FileName, QStringLiteral("&Nome file:"));
    setLabelText(QFileDialog::FileType, QStringLiteral("Formato:"));
    setLabelText(QFileDialog::Accept, QStringLiteral("&Esporta"));
    setLabelText(QFileDialog::Reject, QStringLiteral("&Annulla"));
    // The button box names its buttons anew on a change of language.
    if (auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))) {
        if (QPushButton* accept = buttons->button(QDialogButtonBox::Save)) accept->setText(QStringLiteral("&Esporta"));
        if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel)) cancel->setText(QStringLiteral("&Annulla"));
    }
}

void ExportDialog::changeEvent(QEvent* event) {
    QFileDialog::changeEvent(event);
    // Qt's translations name the captions anew, each widget on its own
    // event: the program's own come back once all of them are handled.
    if (event->type() == QEvent::LanguageChange)
        QMetaObject::invokeMethod(this, &ExportDialog::ApplyCaptions, Qt::QueuedConnection);
}

document::ExportFormat ExportDialog::SelectedFormat() const {
    const QString selected = selectedNameFilter();
    for (const auto& [filter, format] : FileTypes())
        if (filter == selected) return format;
    return FileTypes().front().second;
}

QString ExportDialog::WithExtension(const QString& name, document::ExportFormat format) {
    const QString extension = QString::fromStdString(document::ExtensionOf(format));
    return name.endsWith(extension, Qt::CaseInsensitive) ? name : name + extension;
}

QString ExportDialog::TargetFile() const {
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : WithExtension(files.front(), SelectedFormat());
}

void ExportDialog::FollowFileType(const QString&) {
    auto* nameEdit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!nameEdit || nameEdit->text().isEmpty()) return;
    QString name = nameEdit->text();
    for (const auto& type : FileTypes()) {
        const QString extension = QString::fromStdString(document::ExtensionOf(type.second));
        if (name.endsWith(extension, Qt::CaseInsensitive)) {
            name.chop(extension.size());
            break;
        }
    }
    nameEdit->setText(WithExtension(name, SelectedFormat()));
}

std::string ReplaceQuestion(const QString& fileName) {
    return platform::ToBytes(QStringLiteral("Il file %1 esiste gi\u00E0. Sostituirlo?").arg(fileName));
}

std::optional<ExportTarget> ExportDialog::Ask(QWidget* parent, const QString& folder, const QString& baseName,
                                              document::ExportFormat format, platform::Messages& messages) {
    ExportDialog dialog(folder, baseName, format, parent);
    for (;;) {
        platform::CentreOnScreen(&dialog);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        const QString file = dialog.TargetFile();
        if (file.isEmpty()) return std::nullopt;
        if (QFileInfo::exists(file) &&
            messages.Show(ReplaceQuestion(QFileInfo(file).fileName()), platform::Buttons::YesNo,
                          "Esporta cruciverba", platform::Icon::Question) != platform::Answer::Yes) {
            dialog.selectFile(QFileInfo(file).fileName());
            continue;
        }
        return ExportTarget{platform::PathBytes(QFileInfo(file).absoluteFilePath()), dialog.SelectedFormat()};
    }
}

} // namespace dialogs
