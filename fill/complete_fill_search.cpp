// The backtracking search of the complete fill.
//
// State: for each slot the bitset of words still possible (its domain), and
// for each cell shared by two slots the letters still possible there. After
// every change the crossings are made consistent again: a slot keeps only
// the words whose letters its crossing cells allow, a crossing cell keeps
// only the letters some word of each of its slots has there, and a slot left
// with one word takes that word away from every other slot (no word twice).
// Every change is saved on a trail, so going back is a matter of copying the
// saved bitsets back.
//
// A domain is kept in two levels: one bit per 64-word block telling whether
// the block still holds a word, then the blocks. Deep in the search most
// blocks are empty and every loop skips them.
//
// A choice puts one word in one slot; when that fails, the word is removed
// from the slot and the search goes on. The slot chosen is the one with the
// fewest words per failure weight (a slot that keeps emptying counts as
// tighter); the word chosen is the one whose letters leave the crossing slots
// the most words, less a cost that grows with its rank in the vocabulary
// (the file holds the best words first), with a little seeded noise so other
// seeds give other fills.
// After a growing number of failures the search starts again from the top,
// keeping the weights: a bad early choice is not explored to exhaustion.

#include "fill/complete_fill_search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cmath>
#include <limits>
#include <random>

namespace fill::detail {

namespace {

using Bits = std::uint64_t;

constexpr std::uint32_t AllLetters = (1u << Letters) - 1;

// Bits set in a 64-bit word. Builds for the plain x86-64 baseline have no
// popcount instruction, and the library call that replaces it is slower
// than this.
inline int Ones(Bits x) {
#if defined(__POPCNT__) || !defined(__x86_64__)
    return std::popcount(x);
#else
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
#endif
}

inline int Ones(std::uint32_t x) { return Ones(static_cast<Bits>(x)); }

// log(i) for i in 0..65535 (0 at 0), computed once for every search.
const std::vector<double>& LogTable() {
    static const std::vector<double> table = [] {
        std::vector<double> logs(65536, 0.0);
        for (std::size_t i = 1; i < logs.size(); ++i) logs[i] = std::log(static_cast<double>(i));
        return logs;
    }();
    return table;
}

// A well-mixed 64-bit value of x (splitmix64's finaliser): the seeded noise
// of each word without a random generator call per word.
inline std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// Failures before the first restart: 100,000 / slots² (100 at least, so from
// 32 slots on). A small grid gains nothing from starting again early: it
// would only walk the same first choices once more.
double FirstRestart(const CompleteFillOptions& options, std::size_t slots) {
    if (options.firstRestart > 0) return options.firstRestart;
    const double n = std::max<double>(1.0, static_cast<double>(slots));
    return std::max(100.0, 100000.0 / (n * n));
}

enum class Status { Found, Failed, Restart, TimeLimit, Cancelled };

struct Crossing {
    int slot = -1;  // the other slot through this cell, -1 when none
    int place = 0;  // the cell's place in that slot
};

struct Slot {
    int length = 0;
    const IndexGroup* group = nullptr;
    int blocks = 0;          // 64-word blocks of its length group
    int summaryWords = 0;    // ceil(blocks / 64)
    int reasonWords = 0;     // of its reason: one bit per search level
    std::size_t offset = 0;  // of its domain (summary, then blocks) in the arena
    int count = 0;           // words in its domain
    std::int64_t stamp = -1; // level that last saved the domain
    double weight = 1;
    std::vector<int> cells;
    std::vector<Crossing> crossings;
    std::vector<int> sameLength;  // other slots of its length
    std::size_t residues = 0;     // its (place, letter) entries in residues_
    int Words() const { return summaryWords + blocks + reasonWords; }
};

class Searcher {
public:
    Searcher(const Problem& problem, LetterIndex& index, const CompleteFillOptions& options,
             CompleteFillProgress* progress, std::int64_t nodeBudget)
        : problem_(problem), options_(options), progress_(progress), random_(options.seed), nodeBudget_(nodeBudget),
          restartLimit_(FirstRestart(options, problem.slots.size())) {
        Build(index);
    }

    void Run(CompleteFillResult& result);
    // True when the search stopped because it tried its budget of words.
    bool BudgetSpent() const { return budgetSpent_; }

private:
    void Build(LetterIndex& index);
    bool StartDomains(std::string& message);
    Status Search();
    bool Propagate();
    bool Revise(int s);
    bool RemoveWordElsewhere(int s);
    int SelectSlot();
    int BestWord(int s);
    void Assign(int s, int k);
    // Removes word k from slot s because of the levels in `reason`.
    bool RemoveWord(int s, int k, const Bits* reason);
    // Keeps in slot s only the words with one of the letters `kept` at
    // `place`, `removed` being the letters the place just lost.
    bool NarrowToLetters(int s, int place, std::uint32_t removed, std::uint32_t kept, const Bits* reason);
    void SetCell(int cell, std::uint32_t mask);
    void Save(int s);
    void PushLevel();
    void PopLevel();
    void Changed(int s, int oldCount);
    int FirstWord(int s) const;
    Bits* Summary(int s) { return arena_.data() + slots_[static_cast<std::size_t>(s)].offset; }
    const Bits* Summary(int s) const { return arena_.data() + slots_[static_cast<std::size_t>(s)].offset; }
    Bits* Blocks(int s) { return Summary(s) + slots_[static_cast<std::size_t>(s)].summaryWords; }
    const Bits* Blocks(int s) const { return Summary(s) + slots_[static_cast<std::size_t>(s)].summaryWords; }
    // The levels whose choices took words out of slot s's domain.
    Bits* Reason(int s) { return Blocks(s) + slots_[static_cast<std::size_t>(s)].blocks; }
    const Bits* Reason(int s) const { return Blocks(s) + slots_[static_cast<std::size_t>(s)].blocks; }
    void AddReason(int s, const Bits* reason) {
        Bits* own = Reason(s);
        for (int i = 0; i < reasonWords_; ++i) own[i] |= reason[i];
    }
    // Calls f(b) for every block b of slot s that holds a word.
    template <typename F>
    void ForEachBlock(int s, F f) const;
    void Fail(int s);
    // The cancel flag at every step, the clock every 16th.
    bool OutOfTime(std::int64_t step);
    void Publish(int filled);
    // For a message: the quality limit, when one kept words out.
    std::string QualityNote() const {
        return options_.quality < 100 ? " Con la qualit\xE0 al " + std::to_string(options_.quality) +
                                            "% si usano solo le parole migliori di ogni lunghezza: con una qualit\xE0 "
                                            "pi\xF9 bassa le parole sono di pi\xF9."
                                      : std::string();
    }

    const Problem& problem_;
    const CompleteFillOptions& options_;
    CompleteFillProgress* progress_;
    std::mt19937_64 random_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();

    std::vector<Slot> slots_;
    std::vector<Bits> arena_;
    std::vector<std::uint32_t> cellMask_;  // by cell id; only crossing cells matter
    std::vector<int> residues_;            // block of the last word found per slot, place, letter

    // Trail: saved domains and cell masks, and where each level began.
    struct SavedDomain {
        int slot;
        int count;
        std::int64_t stamp;
        std::size_t offset;  // in saved_
    };
    std::vector<SavedDomain> trail_;
    std::vector<Bits> saved_;
    std::vector<std::pair<int, std::uint32_t>> cellTrail_;
    struct Level {
        std::size_t trail, cellTrail;
        std::int64_t id;
    };
    std::vector<Level> levels_;
    std::int64_t levelId_ = 0;
    std::int64_t nextLevelId_ = 1;

    std::vector<int> queue_;
    std::size_t queueHead_ = 0;
    std::vector<char> queued_;
    std::vector<int> singles_;
    int failedSlot_ = -1;
    // The levels a failure depends on: a failure that does not depend on a
    // level's choice jumps back over it.
    int reasonWords_ = 0;
    std::vector<Bits> conflict_;

    std::int64_t nodes_ = 0;
    std::int64_t nodeBudget_ = 0;  // words to try before giving up; 0: no end
    bool budgetSpent_ = false;
    std::int64_t backtracks_ = 0;
    std::int64_t failuresSinceRestart_ = 0;
    // Failures allowed before the next restart (FirstRestart at first); it
    // grows by half each time.
    double restartLimit_;
    int restarts_ = 0;
    int bestFilled_ = 0;
    Status stop_ = Status::Failed;
    bool cancelledEarly_ = false;  // stopped while the index was built

    // Ranking of words: log of counts, per-crossing letter gains, the best few.
    const std::vector<double>& logCount_ = LogTable();
    std::array<std::array<double, Letters>, vocabulary::MaxLength> gain_{};
    // The noise added to a word's score, and the domain size below which a
    // slot's words are read one by one.
    static constexpr double noise_ = 0.5;
    // What one step of log(rank + 1) costs a word, against the log counts
    // its letters leave the crossings.
    static constexpr double rankCost_ = 1.0;
    static constexpr int iterate_ = 256;
};

template <typename F>
void Searcher::ForEachBlock(int s, F f) const {
    const Slot& slot = slots_[static_cast<std::size_t>(s)];
    const Bits* summary = Summary(s);
    for (int w = 0; w < slot.summaryWords; ++w)
        for (Bits m = summary[w]; m != 0; m &= m - 1) f(w * 64 + std::countr_zero(m));
}

void Searcher::Build(LetterIndex& index) {
    const std::size_t cellCount = problem_.cells.size();
    cellMask_.assign(cellCount, AllLetters);
    std::vector<std::vector<std::pair<int, int>>> slotsOfCell(cellCount);
    slots_.resize(problem_.slots.size());
    std::size_t arenaSize = 0, residueCount = 0;
    for (std::size_t s = 0; s < slots_.size(); ++s) {
        Slot& slot = slots_[s];
        slot.cells = problem_.slots[s].cells;
        slot.length = static_cast<int>(slot.cells.size());
        // Indexing a length group takes a while the first time: a stop asked
        // for meanwhile is heard before the next one.
        if (options_.cancel && options_.cancel->load(std::memory_order_relaxed)) {
            cancelledEarly_ = true;
            return;
        }
        slot.group = &index.Group(slot.length);
        slot.blocks = slot.group->blocks;
        slot.summaryWords = (slot.blocks + 63) / 64;
        slot.reasonWords = (static_cast<int>(problem_.slots.size()) + 3 + 63) / 64;
        reasonWords_ = slot.reasonWords;
        slot.offset = arenaSize;
        arenaSize += static_cast<std::size_t>(slot.Words());
        slot.residues = residueCount;
        residueCount += static_cast<std::size_t>(slot.length) * Letters;
        for (std::size_t p = 0; p < slot.cells.size(); ++p)
            slotsOfCell[static_cast<std::size_t>(slot.cells[p])].push_back({static_cast<int>(s), static_cast<int>(p)});
    }
    for (std::size_t s = 0; s < slots_.size(); ++s) {
        Slot& slot = slots_[s];
        slot.crossings.resize(slot.cells.size());
        for (std::size_t p = 0; p < slot.cells.size(); ++p)
            for (auto [t, q] : slotsOfCell[static_cast<std::size_t>(slot.cells[p])])
                if (t != static_cast<int>(s)) slot.crossings[p] = {t, q};
        for (std::size_t t = 0; t < slots_.size(); ++t)
            if (t != s && slots_[t].length == slot.length) slot.sameLength.push_back(static_cast<int>(t));
    }
    arena_.assign(arenaSize, 0);
    conflict_.assign(static_cast<std::size_t>(reasonWords_), 0);
    residues_.assign(residueCount, 0);
    queued_.assign(slots_.size(), 0);
}

// Each slot against its own letters: the vocabulary must have words of its
// length, and some word that agrees with what the grid already holds. Then
// the letters of crossing cells, complete words that repeat, and lengths
// with fewer words to give than slots to fill.
bool Searcher::StartDomains(std::string& message) {
    for (std::size_t s = 0; s < slots_.size(); ++s) {
        Slot& slot = slots_[s];
        const GridSlot& where = problem_.slots[s];
        failedSlot_ = static_cast<int>(s);
        if (slot.length > vocabulary::MaxLength) {
            message = "Impossibile completare lo schema: la parola " + DescribeSlot(where) + " ha " +
                      std::to_string(slot.length) + " lettere e il vocabolario ha parole da 3 a 15 lettere.";
            return false;
        }
        if (slot.group->usableCount == 0) {
            message = "Impossibile completare lo schema: il vocabolario non ha parole di " +
                      std::to_string(slot.length) + " lettere, come la parola " + DescribeSlot(where) + ".";
            return false;
        }
        Bits* blocks = Blocks(static_cast<int>(s));
        std::copy(slot.group->usable.begin(), slot.group->usable.end(), blocks);
        // Only the best part of the group, words from `limit` on out; but a
        // slot that holds letters already in the grid (a title, the user's
        // own) takes any word that fits them, the better ones first still.
        bool placed = false;
        for (int cell : slot.cells) {
            const char ch = problem_.cells[static_cast<std::size_t>(cell)];
            placed = placed || (ch != document::EmptyCell && ch != ' ');
        }
        if (options_.quality < 100 && !placed) {
            const int limit = std::max(1, static_cast<int>(std::ceil(slot.group->count * std::max(options_.quality, 0) / 100.0)));
            for (int b = limit / 64; b < slot.blocks; ++b)
                blocks[b] &= b > limit / 64 ? 0 : (Bits{1} << (limit % 64)) - 1;
        }
        for (int p = 0; p < slot.length; ++p) {
            const char ch = problem_.cells[static_cast<std::size_t>(slot.cells[static_cast<std::size_t>(p)])];
            if (ch == document::EmptyCell || ch == ' ') continue;
            if (ch >= 'A' && ch <= 'Z') {
                const Bits* letter = slot.group->Bits(p, ch - 'A');
                for (int b = 0; b < slot.blocks; ++b) blocks[b] &= letter[b];
            } else {
                std::fill(blocks, blocks + slot.blocks, 0);  // a character no word has
            }
        }
        Bits* summary = Summary(static_cast<int>(s));
        slot.count = 0;
        for (int b = 0; b < slot.blocks; ++b) {
            if (blocks[b] != 0) summary[b / 64] |= Bits{1} << (b % 64);
            slot.count += Ones(blocks[b]);
        }
        if (slot.count == 0) {
            message = "Impossibile completare lo schema: nessuna parola del vocabolario va bene per la parola " +
                      DescribeSlot(where) + ": '" + SlotPattern(problem_, where) + "'." + QualityNote();
            return false;
        }
    }
    for (std::size_t cell = 0; cell < problem_.cells.size(); ++cell) {
        const char ch = problem_.cells[cell];
        if (ch >= 'A' && ch <= 'Z') cellMask_[cell] = 1u << (ch - 'A');
    }
    for (std::size_t s = 0; s < slots_.size(); ++s) {
        if (slots_[s].count != 1) continue;
        for (int t : slots_[s].sameLength) {
            if (static_cast<std::size_t>(t) < s || slots_[static_cast<std::size_t>(t)].count != 1) continue;
            if (FirstWord(static_cast<int>(s)) != FirstWord(t)) continue;
            failedSlot_ = t;
            message = "Impossibile completare lo schema: la parola '" +
                      slots_[s].group->Word(FirstWord(static_cast<int>(s))) + "' compare due volte, " +
                      DescribeSlot(problem_.slots[s]) + " e " +
                      DescribeSlot(problem_.slots[static_cast<std::size_t>(t)]) + ".";
            return false;
        }
    }
    // No word twice: the slots of one length need, between them, at least as
    // many different words as there are slots.
    std::vector<char> counted(slots_.size(), 0);
    std::vector<Bits> words;
    for (std::size_t s = 0; s < slots_.size(); ++s) {
        if (counted[s]) continue;
        const Slot& slot = slots_[s];
        words.assign(Blocks(static_cast<int>(s)), Blocks(static_cast<int>(s)) + slot.blocks);
        for (int t : slot.sameLength) {
            counted[static_cast<std::size_t>(t)] = 1;
            const Bits* other = Blocks(t);
            for (int b = 0; b < slot.blocks; ++b) words[static_cast<std::size_t>(b)] |= other[b];
        }
        const int needed = static_cast<int>(slot.sameLength.size()) + 1;
        int available = 0;
        for (Bits block : words) available += Ones(block);
        if (available < needed) {
            failedSlot_ = static_cast<int>(s);
            message = "Impossibile completare lo schema: servono " + std::to_string(needed) +
                      " parole diverse di " + std::to_string(slot.length) +
                      " lettere e il vocabolario ne ha solo " + std::to_string(available) +
                      " che vanno bene." + QualityNote();
            return false;
        }
    }
    failedSlot_ = -1;
    return true;
}

int Searcher::FirstWord(int s) const {
    const Slot& slot = slots_[static_cast<std::size_t>(s)];
    const Bits* summary = Summary(s);
    for (int w = 0; w < slot.summaryWords; ++w)
        if (summary[w] != 0) {
            const int b = w * 64 + std::countr_zero(summary[w]);
            return b * 64 + std::countr_zero(Blocks(s)[b]);
        }
    return -1;
}

void Searcher::Save(int s) {
    Slot& slot = slots_[static_cast<std::size_t>(s)];
    if (slot.stamp == levelId_) return;
    trail_.push_back({s, slot.count, slot.stamp, saved_.size()});
    const Bits* words = Summary(s);
    saved_.insert(saved_.end(), words, words + slot.Words());
    slot.stamp = levelId_;
}

void Searcher::PushLevel() {
    levels_.push_back({trail_.size(), cellTrail_.size(), levelId_});
    levelId_ = nextLevelId_++;
}

void Searcher::PopLevel() {
    const Level level = levels_.back();
    levels_.pop_back();
    while (trail_.size() > level.trail) {
        const SavedDomain& entry = trail_.back();
        Slot& slot = slots_[static_cast<std::size_t>(entry.slot)];
        const auto from = saved_.begin() + static_cast<std::ptrdiff_t>(entry.offset);
        std::copy(from, from + slot.Words(), Summary(entry.slot));
        slot.count = entry.count;
        slot.stamp = entry.stamp;
        saved_.resize(entry.offset);
        trail_.pop_back();
    }
    while (cellTrail_.size() > level.cellTrail) {
        cellMask_[static_cast<std::size_t>(cellTrail_.back().first)] = cellTrail_.back().second;
        cellTrail_.pop_back();
    }
    levelId_ = level.id;
}

void Searcher::SetCell(int cell, std::uint32_t mask) {
    cellTrail_.push_back({cell, cellMask_[static_cast<std::size_t>(cell)]});
    cellMask_[static_cast<std::size_t>(cell)] = mask;
}

void Searcher::Changed(int s, int oldCount) {
    const int count = slots_[static_cast<std::size_t>(s)].count;
    if (count == 1 && oldCount > 1) singles_.push_back(s);
    if (!queued_[static_cast<std::size_t>(s)]) {
        queued_[static_cast<std::size_t>(s)] = 1;
        queue_.push_back(s);
    }
}

void Searcher::Fail(int s) {
    failedSlot_ = s;
    std::copy(Reason(s), Reason(s) + reasonWords_, conflict_.begin());
    slots_[static_cast<std::size_t>(s)].weight += 1;
}

bool Searcher::NarrowToLetters(int s, int place, std::uint32_t removed, std::uint32_t kept, const Bits* reason) {
    Slot& slot = slots_[static_cast<std::size_t>(s)];
    const IndexGroup& group = *slot.group;
    // The shorter list of letters makes the mask: words to drop, or to keep.
    const bool dropRemoved = Ones(removed) <= Ones(kept);
    std::array<const Bits*, Letters> letters;
    int n = 0;
    for (std::uint32_t m = dropRemoved ? removed : kept; m != 0; m &= m - 1)
        letters[static_cast<std::size_t>(n++)] = group.Bits(place, std::countr_zero(m));
    Bits* summary = Summary(s);
    Bits* blocks = Blocks(s);
    const int oldCount = slot.count;
    int gone = 0;
    int filledBlocks = 0;
    for (int w = 0; w < slot.summaryWords; ++w) filledBlocks += Ones(summary[w]);
    // A sparse domain reads its words' letters; a dense one combines the
    // letters' bitsets block by block.
    const bool readWords = slot.count <= filledBlocks * n;
    const std::string_view column = group.columns[static_cast<std::size_t>(place)];
    ForEachBlock(s, [&](int b) {
        Bits drop = 0;
        if (readWords) {
            for (Bits w = blocks[b]; w != 0; w &= w - 1) {
                const int k = b * 64 + std::countr_zero(w);
                if (((kept >> (column[static_cast<std::size_t>(k)] - 'A')) & 1u) == 0) drop |= w & (~w + 1);
            }
        } else {
            Bits mask = 0;
            for (int i = 0; i < n; ++i) mask |= letters[static_cast<std::size_t>(i)][b];
            drop = blocks[b] & (dropRemoved ? mask : ~mask);
        }
        if (drop == 0) return;
        if (gone == 0) Save(s);
        gone += Ones(drop);
        blocks[b] &= ~drop;
        if (blocks[b] == 0) summary[b / 64] &= ~(Bits{1} << (b % 64));
    });
    if (gone == 0) return true;
    AddReason(s, reason);
    slot.count -= gone;
    if (slot.count == 0) {
        Fail(s);
        return false;
    }
    Changed(s, oldCount);
    return true;
}

// Makes the crossing cells of slot s agree with its words.
bool Searcher::Revise(int s) {
    const Slot& slot = slots_[static_cast<std::size_t>(s)];
    std::array<int, vocabulary::MaxLength> places;
    std::array<std::uint32_t, vocabulary::MaxLength> masks;
    std::array<std::uint32_t, vocabulary::MaxLength> support{};
    int n = 0;
    for (int p = 0; p < slot.length; ++p) {
        if (slot.crossings[static_cast<std::size_t>(p)].slot < 0) continue;
        const std::uint32_t mask = cellMask_[static_cast<std::size_t>(slot.cells[static_cast<std::size_t>(p)])];
        if (Ones(mask) <= 1) continue;
        places[static_cast<std::size_t>(n)] = p;
        masks[static_cast<std::size_t>(n++)] = mask;
    }
    if (n == 0) return true;
    const IndexGroup& group = *slot.group;
    const Bits* blocks = Blocks(s);
    if (slot.count <= iterate_) {
        // Few words: read their letters.
        ForEachBlock(s, [&](int b) {
            for (Bits w = blocks[b]; w != 0; w &= w - 1) {
                const int k = b * 64 + std::countr_zero(w);
                for (int i = 0; i < n; ++i)
                    support[static_cast<std::size_t>(i)] |= 1u << group.LetterOf(k, places[static_cast<std::size_t>(i)]);
            }
        });
    } else {
        // Many words: look for one with each letter still allowed, first in
        // the block that had one last time.
        for (int i = 0; i < n; ++i) {
            const int p = places[static_cast<std::size_t>(i)];
            for (std::uint32_t m = masks[static_cast<std::size_t>(i)]; m != 0; m &= m - 1) {
                const int a = std::countr_zero(m);
                const Bits* letter = group.Bits(p, a);
                int& residue = residues_[slot.residues + static_cast<std::size_t>(p * Letters + a)];
                bool found = (blocks[residue] & letter[residue]) != 0;
                if (!found) {
                    const Bits* summary = Summary(s);
                    for (int w = 0; w < slot.summaryWords && !found; ++w)
                        for (Bits bm = summary[w]; bm != 0; bm &= bm - 1) {
                            const int b = w * 64 + std::countr_zero(bm);
                            if (blocks[b] & letter[b]) {
                                residue = b;
                                found = true;
                                break;
                            }
                        }
                }
                if (found) support[static_cast<std::size_t>(i)] |= 1u << a;
            }
        }
    }
    for (int i = 0; i < n; ++i) {
        const int p = places[static_cast<std::size_t>(i)];
        const int cell = slot.cells[static_cast<std::size_t>(p)];
        const std::uint32_t mask = masks[static_cast<std::size_t>(i)];
        const std::uint32_t kept = mask & support[static_cast<std::size_t>(i)];
        if (kept == mask) continue;
        SetCell(cell, kept);
        const Crossing crossing = slot.crossings[static_cast<std::size_t>(p)];
        if (!NarrowToLetters(crossing.slot, crossing.place, mask & ~kept, kept, Reason(s))) return false;
    }
    return true;
}

// Slot s has one word left: no other slot may have it.
bool Searcher::RemoveWordElsewhere(int s) {
    const int k = FirstWord(s);
    if (k < 0) return true;
    for (int t : slots_[static_cast<std::size_t>(s)].sameLength)
        if (!RemoveWord(t, k, Reason(s))) return false;
    return true;
}

bool Searcher::RemoveWord(int s, int k, const Bits* reason) {
    Slot& slot = slots_[static_cast<std::size_t>(s)];
    const int b = k / 64;
    const Bits bit = Bits{1} << (k % 64);
    Bits* blocks = Blocks(s);
    if ((blocks[b] & bit) == 0) return true;
    Save(s);
    AddReason(s, reason);
    blocks[b] &= ~bit;
    if (blocks[b] == 0) Summary(s)[b / 64] &= ~(Bits{1} << (b % 64));
    const int oldCount = slot.count--;
    if (slot.count == 0) {
        Fail(s);
        return false;
    }
    Changed(s, oldCount);
    return true;
}

void Searcher::Assign(int s, int k) {
    Slot& slot = slots_[static_cast<std::size_t>(s)];
    Save(s);
    std::fill(Summary(s), Summary(s) + slot.Words(), 0);
    const int b = k / 64;
    Summary(s)[b / 64] = Bits{1} << (b % 64);
    Blocks(s)[b] = Bits{1} << (k % 64);
    const auto level = levels_.size();  // this choice's level
    Reason(s)[level / 64] = Bits{1} << (level % 64);
    const int oldCount = slot.count;
    slot.count = 1;
    Changed(s, oldCount);
}

bool Searcher::Propagate() {
    bool ok = true;
    while (ok) {
        if (!singles_.empty()) {
            const int s = singles_.back();
            singles_.pop_back();
            if (slots_[static_cast<std::size_t>(s)].count == 1) ok = RemoveWordElsewhere(s);
            continue;
        }
        if (queueHead_ == queue_.size()) break;
        const int s = queue_[queueHead_++];
        queued_[static_cast<std::size_t>(s)] = 0;
        ok = Revise(s);
    }
    for (std::size_t i = queueHead_; i < queue_.size(); ++i) queued_[static_cast<std::size_t>(queue_[i])] = 0;
    queue_.clear();
    queueHead_ = 0;
    singles_.clear();
    return ok;
}

int Searcher::SelectSlot() {
    int best = -1;
    double bestScore = std::numeric_limits<double>::infinity();
    int filled = 0;
    for (std::size_t s = 0; s < slots_.size(); ++s) {
        const Slot& slot = slots_[s];
        if (slot.count <= 1) {
            ++filled;
            continue;
        }
        const double score = slot.count / slot.weight;
        if (score < bestScore) {
            bestScore = score;
            best = static_cast<int>(s);
        }
    }
    Publish(filled);
    return best;
}

void Searcher::Publish(int filled) {
    bestFilled_ = std::max(bestFilled_, filled);
    if (!progress_) return;
    progress_->filled.store(filled, std::memory_order_relaxed);
    progress_->bestFilled.store(bestFilled_, std::memory_order_relaxed);
    progress_->nodes.store(nodes_, std::memory_order_relaxed);
}

// The best word of slot s: a word scores the sum over its open crossings of
// the log of how many words the crossing slot keeps with its letter there,
// less the cost of its rank, plus seeded noise.
int Searcher::BestWord(int s) {
    const Slot& slot = slots_[static_cast<std::size_t>(s)];
    std::array<int, vocabulary::MaxLength> places;
    int n = 0;
    for (int p = 0; p < slot.length; ++p) {
        const Crossing crossing = slot.crossings[static_cast<std::size_t>(p)];
        if (crossing.slot < 0) continue;
        const std::uint32_t mask = cellMask_[static_cast<std::size_t>(slot.cells[static_cast<std::size_t>(p)])];
        if (Ones(mask) <= 1) continue;
        const Slot& other = slots_[static_cast<std::size_t>(crossing.slot)];
        const Bits* blocks = Blocks(crossing.slot);
        std::array<int, Letters> counts{};
        if (other.count <= iterate_ * 4) {
            ForEachBlock(crossing.slot, [&](int b) {
                for (Bits w = blocks[b]; w != 0; w &= w - 1)
                    ++counts[static_cast<std::size_t>(other.group->LetterOf(b * 64 + std::countr_zero(w), crossing.place))];
            });
        } else {
            for (std::uint32_t m = mask; m != 0; m &= m - 1) {
                const int a = std::countr_zero(m);
                const Bits* letter = other.group->Bits(crossing.place, a);
                int count = 0;
                ForEachBlock(crossing.slot, [&](int b) { count += Ones(blocks[b] & letter[b]); });
                counts[static_cast<std::size_t>(a)] = count;
            }
        }
        auto& gain = gain_[static_cast<std::size_t>(n)];
        for (std::size_t a = 0; a < Letters; ++a)
            gain[a] = counts[a] > 0 ? logCount_[static_cast<std::size_t>(std::min(counts[a], 65535))] : -1e9;
        places[static_cast<std::size_t>(n++)] = p;
    }
    // Noise in [0, noise_), fresh for each choice, the same for a seed.
    const std::uint64_t draw = Mix(random_());
    constexpr double unit = 1.0 / 9007199254740992.0;  // 2^-53
    const Bits* blocks = Blocks(s);
    int best = -1;
    double bestScore = -std::numeric_limits<double>::infinity();
    ForEachBlock(s, [&](int b) {
        for (Bits w = blocks[b]; w != 0; w &= w - 1) {
            const int k = b * 64 + std::countr_zero(w);
            double score = noise_ * unit * static_cast<double>(Mix(draw ^ static_cast<std::uint64_t>(k)) >> 11) -
                           rankCost_ * logCount_[static_cast<std::size_t>(std::min(k + 1, 65535))];
            for (int i = 0; i < n; ++i)
                score += gain_[static_cast<std::size_t>(i)]
                              [static_cast<std::size_t>(slot.group->LetterOf(k, places[static_cast<std::size_t>(i)]))];
            if (score > bestScore) {
                bestScore = score;
                best = k;
            }
        }
    });
    return best;
}

bool Searcher::OutOfTime(std::int64_t step) {
    if (nodeBudget_ > 0 && nodes_ >= nodeBudget_) {
        budgetSpent_ = true;
        stop_ = Status::TimeLimit;
        return true;
    }
    if (options_.cancel && options_.cancel->load(std::memory_order_relaxed)) {
        stop_ = Status::Cancelled;
        return true;
    }
    if ((step & 15) == 0 && options_.timeLimitSeconds > 0 &&
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count() > options_.timeLimitSeconds) {
        stop_ = Status::TimeLimit;
        return true;
    }
    return false;
}

Status Searcher::Search() {
    for (std::int64_t step = 0;; ++step) {
        if (OutOfTime(step)) return stop_;
        const int s = SelectSlot();
        if (s < 0) return Status::Found;
        const int k = BestWord(s);
        ++nodes_;
        PushLevel();
        const auto level = levels_.size();
        Assign(s, k);
        if (Propagate()) {
            const Status status = Search();
            if (status != Status::Failed) return status;
        }
        PopLevel();
        const Bits bit = Bits{1} << (level % 64);
        if ((conflict_[level / 64] & bit) == 0) {
            ++backtracks_;
            return Status::Failed;  // this choice played no part: jump over it
        }
        conflict_[level / 64] &= ~bit;
        ++backtracks_;
        if (++failuresSinceRestart_ > restartLimit_) return Status::Restart;
        if (!RemoveWord(s, k, conflict_.data()) || !Propagate()) return Status::Failed;
    }
}

void Searcher::Run(CompleteFillResult& result) {
    result.stats.slotCount = static_cast<int>(slots_.size());
    if (cancelledEarly_) {
        result.outcome = CompleteFillOutcome::Cancelled;
        return;
    }
    if (progress_) progress_->slotCount.store(static_cast<int>(slots_.size()));
    std::string message;
    if (!StartDomains(message)) {
        result.outcome = CompleteFillOutcome::Impossible;
        result.message = message;
        return;
    }
    // The crossings at the start, before any choice.
    for (std::size_t s = 0; s < slots_.size(); ++s) {
        queued_[s] = 1;
        queue_.push_back(static_cast<int>(s));
        if (slots_[s].count == 1) singles_.push_back(static_cast<int>(s));
    }
    if (!Propagate()) {
        const GridSlot& where = problem_.slots[static_cast<std::size_t>(failedSlot_)];
        result.outcome = CompleteFillOutcome::Impossible;
        result.message = "Impossibile completare lo schema: con le lettere gi\xE0 presenti e le parole che la "
                         "incrociano nessuna parola del vocabolario va bene per la parola " +
                         DescribeSlot(where) + ": '" + SlotPattern(problem_, where) + "'." + QualityNote();
        return;
    }
    Status status;
    for (;;) {
        PushLevel();
        failuresSinceRestart_ = 0;
        status = Search();
        if (status != Status::Restart) break;
        while (!levels_.empty()) PopLevel();
        ++restarts_;
        restartLimit_ *= 1.5;
    }
    result.stats.nodes = nodes_;
    result.stats.backtracks = backtracks_;
    result.stats.restarts = restarts_;
    Publish(status == Status::Found ? static_cast<int>(slots_.size()) : 0);
    switch (status) {
    case Status::Found: {
        result.outcome = CompleteFillOutcome::Filled;
        std::vector<char> cells = problem_.cells;
        for (std::size_t s = 0; s < slots_.size(); ++s) {
            const std::string word = slots_[s].group->Word(FirstWord(static_cast<int>(s)));
            for (std::size_t p = 0; p < word.size(); ++p) cells[static_cast<std::size_t>(slots_[s].cells[p])] = word[p];
        }
        for (int r = 0; r < problem_.rows; ++r)
            result.rows.emplace_back(cells.begin() + r * problem_.columns, cells.begin() + (r + 1) * problem_.columns);
        break;
    }
    case Status::TimeLimit: result.outcome = CompleteFillOutcome::TimeLimit; break;
    case Status::Cancelled: result.outcome = CompleteFillOutcome::Cancelled; break;
    default:
        result.outcome = CompleteFillOutcome::Impossible;
        result.message = "Impossibile completare lo schema: nessuna combinazione di parole del vocabolario "
                         "riempie tutte le parole, senza ripetizioni, con le lettere gi\xE0 presenti." +
                         QualityNote();
        break;
    }
}

} // namespace

bool Solve(const Problem& problem, LetterIndex& index, const CompleteFillOptions& options,
           CompleteFillProgress* progress, CompleteFillResult& result, std::int64_t nodeBudget) {
    Searcher searcher(problem, index, options, progress, nodeBudget);
    searcher.Run(result);
    return !searcher.BudgetSpent();
}

} // namespace fill::detail
