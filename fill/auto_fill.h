#pragma once
// The automatic fill ("Estrazione automatica"): empties the crossword, then
// fills it slot by slot, longest words first in reading order, horizontal
// before vertical, with words drawn at random from the vocabulary, testing
// that the crossing words can still be completed. There is no backtracking:
// on a dead end the user chooses to accept, restart or stop.

#include "document/crossword.h"
#include "platform/messages.h"
#include "vocabulary/vocabulary.h"

#include <string>

namespace fill {

// What the fill needs from the place it runs in: the main window, or the
// command-line tool.
class FillHost {
public:
    virtual ~FillHost() = default;
    // Saves the document to the working file, loads it back and redraws the
    // grid, which also recomputes the word map.
    virtual void Redraw(document::Crossword& doc) = 0;
    // A letter has just been placed in the grid row at (column, row); a
    // window paints it at once, in the cell the last redraw laid out.
    virtual void ShowLetter(const document::Crossword& doc, int column, int row, char letter) = 0;
    // A whole word has been placed: what was painted becomes visible.
    virtual void Show() = 0;
    // One uniform draw in [0, 1).
    virtual double Random() = 0;
    // The hourglass pointer on or off.
    virtual void Busy(bool busy) = 0;
};

struct FillReport {
    bool started = false;  // false when the user declined the opening question
    int filled = 0;        // slots that received a word in the last pass
    int empty = 0;         // slots that did not
    int questions = 0;     // questions asked over the whole run
    int restarts = 0;      // answers "No": the fill began again from an empty grid
};

inline const std::string ConfirmationTitle = "Estrazione automatica parole";

// The text that closes every question.
std::string ChoiceText();

// Runs the whole fill on the document, asking through `messages`; the
// vocabulary's match list is the fill's working list.
FillReport AutoFill(document::Crossword& doc, vocabulary::Vocabulary& vocab,
                    platform::Messages& messages, FillHost& host);

} // namespace fill
