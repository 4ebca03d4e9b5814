#pragma once
// ImportDialog: "Importa cruciverba", the open dialog of "&Importa ...".
// Qt's own file dialog (never the desktop's), in Italian, listing the
// crosswords of other programs (.ipuz, .puz).

#include <QFileDialog>

namespace dialogs {

class ImportDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit ImportDialog(const QString& folder, QWidget* parent = nullptr);

    // The chosen file, in the file system's encoding; "" for Annulla.
    static std::string Ask(QWidget* parent, const QString& folder);

protected:
    void changeEvent(QEvent* event) override;

private:
    void ApplyCaptions();
};

} // namespace dialogs
