#pragma once
// The fill assistant: while the setter fills a grid by hand, which white
// cells no word can fill any more, and which words still fit a slot, best
// first.
//
// A cell is dead when a slot through it (3 to 15 cells; longer slots have no
// word at all) has no word of the vocabulary that agrees with the letters
// already placed, or when its two slots have words but agree on no letter
// for it. Runs of two cells are not judged: the vocabulary has no such
// words, and the setter fills them freely.
//
// The words offered for a slot are those that agree with its letters. Each
// is judged by the crossing slots through its empty cells: for every such
// crossing, how many of the crossing's words would still fit with the
// word's letter in the shared cell. A word that leaves a crossing with none
// blocks it and is kept apart; the others are ranked by their tightest
// crossing, the most room first, then in the vocabulary's order (its best
// words first). A crossing that has no word already, whatever goes in the
// slot, does not judge.
//
// Works on the grid as rows of cell characters ("*" black, a letter A..Z, any
// other character an empty white cell), column 1 row 1 at the top left. One
// assistant is used from one thread at a time; it keeps what it learned about
// patterns between calls, so a recomputation after one edit only looks again
// at the slots that edit changed.

#include "vocabulary/vocabulary.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fill {

class LetterIndex;

struct GridCell {
    int column = 0;
    int row = 0;
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// A run of two or more white cells: its first cell, direction (1 across, 2
// down, as in the document) and length.
struct AssistantSlot {
    int column = 0;
    int row = 0;
    int direction = 0;
    int length = 0;
    friend bool operator==(const AssistantSlot&, const AssistantSlot&) = default;
};

struct Candidate {
    std::string word;
    // Words left to the tightest crossing; NoCrossing when no open crossing
    // judges the slot.
    int tightest = 0;
};
constexpr int NoCrossing = -1;

// The most words a list for the setter spells out; all are counted.
constexpr std::size_t ListedWords = 2000;

struct CandidateList {
    AssistantSlot slot;
    // The slot's letters, "." for an empty cell.
    std::string pattern;
    // Words that fit and leave every crossing a word, best first.
    std::vector<Candidate> words;
    // How many fit and leave every crossing a word (words may hold fewer
    // when a limit was asked for).
    int total = 0;
    // Words that fit but leave some crossing with no word, in the
    // vocabulary's order (at most the limit), and how many there are.
    std::vector<Candidate> blocking;
    int blockingTotal = 0;
    // Why the slot can have no word at all ("" otherwise), in Italian.
    std::string note;
};

class FillAssistant {
public:
    // The vocabulary must outlive the assistant and is only read.
    explicit FillAssistant(const vocabulary::Vocabulary& vocab);
    ~FillAssistant();
    FillAssistant(const FillAssistant&) = delete;
    FillAssistant& operator=(const FillAssistant&) = delete;

    // Indexes every length group now, rather than at its first use.
    void Prepare();

    // The dead cells of the grid in reading order.
    std::vector<GridCell> DeadCells(const std::vector<std::string>& grid);

    // The slot through (column, row) along the direction, or nothing when the
    // cell is black, off the grid, or alone in that direction.
    static std::optional<AssistantSlot> SlotAt(const std::vector<std::string>& grid, int column, int row,
                                               int direction);

    // The words for a slot of the grid; at most `limit` of the good ones are
    // listed (all are counted).
    CandidateList Candidates(const std::vector<std::string>& grid, const AssistantSlot& slot,
                             std::size_t limit = std::numeric_limits<std::size_t>::max());

private:
    struct PatternInfo;
    const PatternInfo& Info(const std::string& pattern);
    // The words of the pattern's length that agree with it, as a bitset over
    // the length group; empty when the length has no words.
    std::vector<std::uint64_t> Matches(const std::string& pattern);

    std::unique_ptr<LetterIndex> index_;
    struct Cache;
    std::unique_ptr<Cache> cache_;
};

} // namespace fill
