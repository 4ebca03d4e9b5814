#pragma once
// The complete fill ("Completa schema"): keeps the black cells and every
// letter already in the grid and gives every white slot of 3 or more letters
// a word of the vocabulary, no word twice, or proves that no such fill
// exists. The vocabulary holds its best words first in each length group:
// the search prefers them, and a quality limit keeps only the best part of
// each group. Runs of 2 white cells, which the vocabulary cannot give, then
// take a two-letter word of their own list where one fits what their
// crossings wrote, and some letters otherwise: a filled grid has no empty
// white cell.
//
// The search keeps, for each slot, the set of words still possible as a
// bitset over its length group (fill/complete_fill_index.h) and the letters
// still possible in each crossing cell; every choice is followed by
// propagation across the crossings until nothing changes, the slot with the
// fewest candidates (weighted by how often it failed) is filled next, with
// the word that leaves its crossings the most words and ranks best, and the
// search restarts now and then with what it learned. It is deterministic for a given seed.
//
// No Qt here: the progress window (dialogs/complete_fill_dialog.h) runs the search
// on a worker thread, the command-line tool runs it directly.

#include "document/crossword.h"
#include "vocabulary/vocabulary.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fill {

class LetterIndex;

// The part of each length group a fill uses by default, in percent: the words
// past it are the rare word forms a careful setter would not print.
constexpr int DefaultQuality = 80;

struct CompleteFillOptions {
    std::uint64_t seed = 0;
    // Only the best `quality` percent of each length group are used (at
    // least one word of a group that has any); 100: every word.
    int quality = 100;
    // Two-letter words, best first, for the runs of two cells.
    std::vector<std::string> pairs;
    // Stop with TimeLimit after this many seconds of search; 0: no limit.
    double timeLimitSeconds = 0;
    // Set from any thread to stop the search with Cancelled.
    const std::atomic<bool>* cancel = nullptr;
    // Failures before the search first starts again from the top (the next
    // allowance grows by half each time); 0: 100,000 / slots², 100 at least.
    int firstRestart = 0;
};

// Figures a running search updates as it goes; another thread may read them
// at any time.
struct CompleteFillProgress {
    std::atomic<int> slotCount{0};       // slots of 3 or more letters in the grid
    std::atomic<int> filled{0};        // slots that have their word right now
    std::atomic<int> bestFilled{0};    // the most that had one at the same time
    std::atomic<std::int64_t> nodes{0};
};

enum class CompleteFillOutcome {
    Filled,      // every slot has a word: `rows` holds the grid
    Impossible,  // no fill exists: `message` says why, and where when it can tell
    TimeLimit,   // the time limit ran out first
    Cancelled,   // the cancel flag was set
};

struct CompleteFillStats {
    int slotCount = 0;           // slots of 3 or more letters
    std::int64_t nodes = 0;      // words tried
    std::int64_t backtracks = 0; // words taken back
    int restarts = 0;
    double indexMilliseconds = 0;  // building the letter index
    std::size_t indexBytes = 0;    // its memory
    double searchMilliseconds = 0;
};

struct CompleteFillResult {
    CompleteFillOutcome outcome = CompleteFillOutcome::Impossible;
    // Impossible: the Italian message for the user (Windows-1252).
    std::string message;
    // Filled: one text per grid row 1..RowCount, one cell character per
    // column 1..ColumnCount ("*" black, "." empty, a letter).
    std::vector<std::string> rows;
    CompleteFillStats stats;
};

// Fills the crossword's grid as it stands in its grid rows; the document is
// only read. `progress`, when given, is updated while the search runs.
CompleteFillResult CompleteFill(const document::Crossword& doc, const vocabulary::Vocabulary& vocab,
                                const CompleteFillOptions& options, CompleteFillProgress* progress = nullptr);

// The two-letter words of a list in the layout of COPPIE.TXT (one a line,
// '#' starts a note, folded like the vocabulary's words), best first.
std::vector<std::string> ReadPairs(std::string_view text);
inline const std::string PairsFile = "COPPIE.TXT";

// The same with an index the caller keeps between runs over the same
// vocabulary (its build time then counts only once).
CompleteFillResult CompleteFill(const document::Crossword& doc, LetterIndex& index,
                                const CompleteFillOptions& options, CompleteFillProgress* progress = nullptr);

// Writes a Filled result into the document's grid rows (cell characters
// only) and empties the clue of every word (run of 2 or more cells) whose
// letters change; the clues of words that stay the same are kept. False,
// changing nothing, when the result is not a fill of this grid. The caller
// then runs its edit cycle.
bool ApplyCompleteFill(document::Crossword& doc, const CompleteFillResult& result);

// The letters of the grid rows as `rows` shows them: the starting point a
// fill is compared with.
std::vector<std::string> GridCells(const document::Crossword& doc);

} // namespace fill
