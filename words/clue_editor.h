#pragma once
// CruciDef: the clue editor "Edit definizioni". The user writes the clue of
// one word and may change the word, helped by a masked search of the
// vocabulary. On OK it stores clue and word in the document's Definitions
// and CellWords; the caller writes the word into the grid.

#include "document/crossword.h"
#include "platform/pointer.h"
#include "platform/messages.h"
#include "vocabulary/vocabulary.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace words {

class TypingLimit;
class Suggerimenti;

// The search's progress bar: yellow, filled blue from the left as it goes.
class ProgressBox : public QWidget {
public:
    explicit ProgressBox(QWidget* parent = nullptr);
    void Start();                 // all yellow
    void Fill(double fraction);  // blue from the left edge up to this share
    double Filled() const { return fraction_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool started_ = false;
    double fraction_ = 0;
};

class CruciDef : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxLetters = 15;
    static constexpr int MaxClueLength = 60;

    // Opens on the word at CurrentColumn, CurrentRow, CurrentDirection.
    // `screenPlace` is the lower-right corner of the start cell on screen;
    // `statusBarHeight` keeps the window above the main window's status bar.
    CruciDef(document::Crossword& doc, const vocabulary::Vocabulary& vocab, platform::Messages& messages,
             std::function<void(platform::Pointer)> setPointer, QPoint screenPlace, int statusBarHeight,
             QWidget* parent = nullptr);

    // The mask of the letters still switched on: " " for a free place.
    std::string Mask() const;

    void Search();
    void Confirm();

    // Opens the window of suggestions beside this one (or raises it): a
    // suggestion picked there becomes the text of the clue field.
    void OpenSuggestions();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Place(QPoint screenPlace, int statusBarHeight);

    document::Crossword& doc_;
    const vocabulary::Vocabulary& vocab_;
    platform::Messages& messages_;
    std::function<void(platform::Pointer)> setPointer_;
    const int column_, row_, direction_;
    const std::string wordAtOpening_;
    const int length_;

    QLabel* heading_;
    QLineEdit* wordEdit_;
    QLineEdit* clueEdit_;
    TypingLimit* clueLimit_;  // at most 60 characters typed; a longer clue is kept
    std::array<QLabel*, MaxLetters> letters_{};
    std::array<QCheckBox*, MaxLetters> checks_{};
    QPushButton* searchButton_;
    ProgressBox* progress_;
    QComboBox* found_;
    QLabel* count_;
    QPointer<Suggerimenti> suggestions_;  // null again once the window is gone
};

} // namespace words
