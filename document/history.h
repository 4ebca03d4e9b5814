#pragma once
// Undo and redo: every change that went through the edit cycle is one step,
// kept as the crossword before and after it (grid lines, sizes and the
// whole clue table, so that clues kept in memory for cells that are no word
// start come back too).

#include "document/crossword.h"

#include <cstddef>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace document {

// What a step restores: the header and grid lines, the sizes, and every
// clue that is not empty.
struct CrosswordState {
    std::vector<std::string> lines;  // FileLines 1..24
    int columns = 0;
    int rows = 0;
    std::vector<std::pair<int, std::string>> clues;  // (cell and direction index, text)

    static CrosswordState Of(const Crossword& doc);
    // Puts the state back into the document; nothing else changes.
    void ApplyTo(Crossword& doc) const;
    bool operator==(const CrosswordState&) const = default;
    // Bytes held, for the memory report.
    std::size_t Size() const;
};

class History {
public:
    explicit History(std::size_t limit = 200) : limit_(limit) {}

    // A change named `label` ("casella nera", "Aggiungi colonna") took the
    // crossword from `before` to `after`. Steps that were undone are
    // forgotten; beyond the limit the oldest step goes. A change that
    // changed nothing is not recorded.
    void Record(const std::string& label, const Crossword& before, const Crossword& after);

    bool CanUndo() const { return applied_ > 0; }
    bool CanRedo() const { return applied_ < steps_.size(); }
    // The label of the step Undo or Redo would take; "" when there is none.
    std::string UndoLabel() const;
    std::string RedoLabel() const;

    // Puts the crossword of before the last step into `doc`; false when
    // there is nothing to undo.
    bool Undo(Crossword& doc);
    // Puts the crossword after the next undone step into `doc`.
    bool Redo(Crossword& doc);

    // The crossword as it stands was just saved or opened.
    void MarkSaved() { saved_ = static_cast<long>(applied_); }
    // The crossword as it stands was never saved (recovered work): it
    // counts as changed whatever is undone.
    void MarkUnsaved() { saved_ = -1; }
    // True when the crossword differs from the last save or open.
    bool Unsaved() const { return saved_ != static_cast<long>(applied_); }

    // A new crossword: no steps, and it counts as saved.
    void Clear();

    std::size_t StepCount() const { return steps_.size(); }
    std::size_t Size() const;

private:
    struct Step {
        std::string label;
        CrosswordState before;
        CrosswordState after;
    };
    std::deque<Step> steps_;
    std::size_t applied_ = 0;  // steps_[0..applied_) are in effect
    long saved_ = 0;           // applied_ at the last save; -1 when that state is gone
    std::size_t limit_;
};

} // namespace document
