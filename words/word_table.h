#pragma once
// CruciBro: the word table. Every word of the crossword in reading order
// with its number, letters and clue, beside a small copy of the grid that
// frames the selected word in yellow. "&Varia" applies the two fields to the
// crossword, "&OK" keeps all changes (through the working file), "&Annulla"
// drops them.

#include "document/crossword.h"
#include "platform/messages.h"
#include "platform/surface.h"
#include "words/small_grid.h"

#include <QDialog>
#include <QPixmap>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace platform {
class PixmapSurface;
} // namespace platform

namespace words {

// The picture box of the small grid.
class GridPicture : public QWidget {
public:
    explicit GridPicture(QWidget* parent = nullptr);
    ~GridPicture() override;
    platform::Surface& Surface();
    const QPixmap& Image() const { return image_; }
    // Gives the picture the box's size (blank) when the two differ.
    void Fit();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent*) override { Fit(); }

private:
    QPixmap image_;
    std::unique_ptr<platform::PixmapSurface> surface_;
};

class CruciBro : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxRows = 250;

    CruciBro(document::Crossword& doc, platform::Messages& messages, std::string workingFile,
             std::function<void(bool busy)> hourglass, QWidget* parent = nullptr);

    // True when a bad cell character ended the program.
    bool EndedProgram() const { return ended_; }

    QTableWidget* Table() const { return table_; }
    GridPicture* Picture() const { return picture_; }
    const SmallGrid& Geometry() const { return grid_; }
    const Frame& CurrentFrame() const { return frame_; }

    // Draws the small grid and fills the table, then loads the current row.
    void Griglia();
    // Loads the current table row into the fields and frames its word.
    void SelectTableRow();
    // "&Varia": applies the word and clue fields to the crossword.
    void ApplyRowChange();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct RowEntry {
        int column = 0, row = 0, direction = 0;
    };
    void LayOut();
    void DrawFrame(const Frame& frame, platform::Color color);
    void WordTyped(const QString& text);

    document::Crossword& doc_;
    platform::Messages& messages_;
    std::string workingFile_;
    std::function<void(bool)> hourglass_;
    std::array<RowEntry, MaxRows + 1> rowEntries_{};
    bool tableBuilt_ = false;
    bool ended_ = false;
    bool selecting_ = false;
    int selectedRow_ = 0;
    SmallGrid grid_;
    Frame frame_;

    GridPicture* picture_;
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
