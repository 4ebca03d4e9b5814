#include "document/history.h"

namespace document {

namespace {

constexpr int kClueSlots = MaxColumns * MaxRows * 2;

void Locate(int index, int& column, int& row, int& direction) {
    direction = index % 2 + 1;
    row = index / 2 % MaxRows + 1;
    column = index / 2 / MaxRows + 1;
}

} // namespace

CrosswordState CrosswordState::Of(const Crossword& doc) {
    CrosswordState state;
    for (int i = 1; i <= FileLineCount; ++i) state.lines.push_back(doc.FileLines(i));
    state.columns = doc.ColumnCount;
    state.rows = doc.RowCount;
    for (int index = 0; index < kClueSlots; ++index) {
        int c, r, d;
        Locate(index, c, r, d);
        const std::string& clue = doc.Definitions(c, r, d);
        if (!clue.empty()) state.clues.emplace_back(index, clue);
    }
    return state;
}

void CrosswordState::ApplyTo(Crossword& doc) const {
    for (int i = 1; i <= FileLineCount && i <= static_cast<int>(lines.size()); ++i)
        doc.FileLines(i) = lines[static_cast<std::size_t>(i - 1)];
    doc.ColumnCount = columns;
    doc.RowCount = rows;
    doc.ClearDefinitions();
    for (const auto& [index, clue] : clues) {
        int c, r, d;
        Locate(index, c, r, d);
        doc.Definitions(c, r, d) = clue;
    }
}

std::size_t CrosswordState::Size() const {
    std::size_t bytes = sizeof(*this);
    for (const auto& line : lines) bytes += sizeof(line) + line.capacity();
    for (const auto& clue : clues) bytes += sizeof(clue) + clue.second.capacity();
    return bytes;
}

void History::Record(const std::string& label, const Crossword& before, const Crossword& after) {
    Step step{label, CrosswordState::Of(before), CrosswordState::Of(after)};
    if (step.before == step.after) return;
    steps_.erase(steps_.begin() + static_cast<long>(applied_), steps_.end());
    if (saved_ > static_cast<long>(applied_)) saved_ = -1;  // the saved state was undone and is gone now
    steps_.push_back(std::move(step));
    ++applied_;
    while (steps_.size() > limit_) {
        steps_.pop_front();
        --applied_;
        saved_ = saved_ > 0 ? saved_ - 1 : -1;
    }
}

std::string History::UndoLabel() const { return CanUndo() ? steps_[applied_ - 1].label : std::string(); }

std::string History::RedoLabel() const { return CanRedo() ? steps_[applied_].label : std::string(); }

bool History::Undo(Crossword& doc) {
    if (!CanUndo()) return false;
    steps_[--applied_].before.ApplyTo(doc);
    return true;
}

bool History::Redo(Crossword& doc) {
    if (!CanRedo()) return false;
    steps_[applied_++].after.ApplyTo(doc);
    return true;
}

void History::Clear() {
    steps_.clear();
    applied_ = 0;
    saved_ = 0;
}

std::size_t History::Size() const {
    std::size_t bytes = sizeof(*this);
    for (const Step& step : steps_) bytes += sizeof(step) + step.label.capacity() + step.before.Size() + step.after.Size();
    return bytes;
}

} // namespace document
