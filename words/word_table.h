#pragma once
// CruciBro: the word table. Every word of the crossword in reading order
// with its number, letters and clue, beside a small copy of the grid that
// frames the selected word in yellow. "&Varia" applies the two fields to the
// crossword, "&OK" keeps all changes (through the working file), "&Annulla"
// (or Esc in a text field, or closing the window) puts the crossword back as
// it was when the table opened.

#include "document/crossword.h"
#include "document/working_copy.h"
#include "platform/messages.h"
#include "platform/surface.h"
#include "words/small_grid.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace platform {
class PictureBox;
} // namespace platform

namespace words {

class CruciBro : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxRows = 250;

    CruciBro(document::Crossword& doc, platform::Messages& messages, const document::WorkingCopy& workingFile,
             std::function<void(bool busy)> hourglass, QWidget* parent = nullptr);

    // True when a bad cell character ended the program.
    bool EndedProgram() const { return ended_; }

    QTableWidget* Table() const { return table_; }
    platform::PictureBox* Picture() const { return picture_; }
    const SmallGrid& Geometry() const { return grid_; }
    const Frame& CurrentFrame() const { return frame_; }

    // Draws the small grid and fills the table, then loads the current row.
    void Griglia();
    // Loads the current table row into the fields and frames its word.
    void SelectTableRow();
    // "&Varia": applies the word and clue fields to the crossword.
    void ApplyRowChange();

    // "&Annulla": the crossword as it was when the table opened, changed
    // flag included; the working file was never written.
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct RowEntry {
        int column = 0, row = 0, direction = 0;
    };
    void LayOut();
    // Draws the small grid again at the picture's size, with the yellow
    // frame if one is shown; false at a cell character the grid cannot have.
    bool DrawPicture();
    void EndProgram();
    // One ninth, three ninths and five ninths of the table's width.
    void SetColumnWidths();
    void DrawFrame(const Frame& frame, platform::Color color);
    void WordTyped(const QString& text);

    document::Crossword& doc_;
    const document::Crossword atOpening_;
    platform::Messages& messages_;
    const document::WorkingCopy& workingFile_;
    std::function<void(bool)> hourglass_;
    std::array<RowEntry, MaxRows + 1> rowEntries_{};
    bool tableBuilt_ = false;
    bool ended_ = false;
    bool selecting_ = false;
    int selectedRow_ = 0;
    SmallGrid grid_;
    Frame frame_;
    RowEntry framed_;          // the word the yellow frame is around
    bool frameShown_ = false;  // the frame is drawn in yellow

    platform::PictureBox* picture_;
    QTableWidget* table_;
    QLabel* wordHeading_;
    QLabel* wordLabel_;
    QLabel* clueLabel_;
    QLineEdit* wordEdit_;
    QLineEdit* clueEdit_;
    QPushButton* applyButton_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

} // namespace words
