#include "dialogs/import_dialog.h"

#include "platform/qt/encoding.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QTimer>

namespace dialogs {

ImportDialog::ImportDialog(const QString& folder, QWidget* parent) : QFileDialog(parent) {
    setObjectName("ImportDialog");
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilters({QStringLiteral("Cruciverba di altri programmi (*.ipuz *.puz)"), QStringLiteral("Tutti i file (*)")});
    setDirectory(folder);
    ApplyCaptions();
}

void ImportDialog::ApplyCaptions() {
    setWindowTitle(QStringLiteral("Importa cruciverba"));
    setLabelText(QFileDialog::LookIn, QStringLiteral("Cerca in:"));
    setLabelText(QFileDialog::FileName, QStringLiteral("&Nome file:"));
    setLabelText(QFileDialog::FileType, QStringLiteral("Tipo:"));
    setLabelText(QFileDialog::Accept, QStringLiteral("&Importa"));
    setLabelText(QFileDialog::Reject, QStringLiteral("&Annulla"));
    if (auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))) {
        if (QPushButton* accept = buttons->button(QDialogButtonBox::Open)) accept->setText(QStringLiteral("&Importa"));
        if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel)) cancel->setText(QStringLiteral("&Annulla"));
    }
}

void ImportDialog::changeEvent(QEvent* event) {
    QFileDialog::changeEvent(event);
    // Qt's translations rename the buttons: the program's captions come back.
    if (event->type() == QEvent::LanguageChange) QTimer::singleShot(0, this, [this] { ApplyCaptions(); });
}

std::string ImportDialog::Ask(QWidget* parent, const QString& folder) {
    ImportDialog dialog(folder, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return platform::PathBytes(dialog.selectedFiles().first());
}

} // namespace dialogs
