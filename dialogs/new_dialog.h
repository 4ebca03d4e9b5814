#pragma once
// FormNew: the new-crossword dialog. It makes a crossword of a typed size or
// from one of the twelve models of "CRUCINEW.DAT", writes it to the working
// file and closes; the main window picks it up from there.

#include "document/crossword.h"
#include "document/working_copy.h"
#include "document/model_library.h"
#include "platform/messages.h"
#include "platform/surface.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {
class PictureBox;
} // namespace platform

namespace dialogs {

class FormNew : public QDialog {
    Q_OBJECT
public:
    // `ready` runs once the models are drawn (the caller restores its pointer).
    // The new crossword goes to `workingFile`; the model library is looked for
    // in the current folder, then in `programFolder`.
    FormNew(document::Crossword& doc, platform::Messages& messages, const document::WorkingCopy& workingFile,
            std::string programFolder, std::function<void()> ready, QWidget* parent = nullptr);

    // True when an invalid model library ended the program.
    bool EndedProgram() const { return ended_; }

    platform::PictureBox* Box(int n) const { return boxes_.at(static_cast<std::size_t>(n)); }
    QLabel* Caption(int n) const { return captions_.at(static_cast<std::size_t>(n)); }

    // "&OK": a crossword of the typed size.
    void CreateFromSize();
    // A click on box or caption n: a crossword from model n.
    void CreateFromModel(int n);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowModels();
    bool ReadLibrary(std::vector<document::Model>& models, bool reportMissing);
    void Finish();
    // Reads an entry's rounded leading number into `value`; outside min..max
    // it beeps, tells `message`, puts the focus back and returns false.
    bool CheckEntry(QLineEdit* entry, int min, int max, const char* message, int& value);

    document::Crossword& doc_;
    platform::Messages& messages_;
    const document::WorkingCopy& workingFile_;
    std::string programFolder_;
    std::function<void()> ready_;
    QLineEdit* widthEdit_;
    QLineEdit* heightEdit_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    std::vector<platform::PictureBox*> boxes_;
    std::vector<QLabel*> captions_;
    bool shown_ = false;
    bool ended_ = false;
};

} // namespace dialogs
