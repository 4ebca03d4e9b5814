// The complete fill against a plain exhaustive search on thousands of small
// random grids and word lists: the same verdict (a fill, or none), and every
// fill checked on its own. The exhaustive search has no propagation, no
// learning and no jumps: it tries every word of each slot in reading order,
// so a wrong "impossible" of the real search shows up here.

#include "fill/complete_fill.h"
#include "fill/complete_fill_index.h"

#include "test_grids.h"
#include "test_vocabulary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using Groups = std::map<int, std::vector<std::string>>;
using Rows = std::vector<std::string>;

struct Cell {
    int r, c;
};
using Slot = std::vector<Cell>;

std::vector<Slot> Slots(const Rows& grid) {
    std::vector<Slot> slots;
    const int rows = static_cast<int>(grid.size()), columns = static_cast<int>(grid[0].size());
    for (int across = 1; across >= 0; --across)
        for (int a = 0; a < (across ? rows : columns); ++a) {
            Slot run;
            for (int b = 0; b <= (across ? columns : rows); ++b) {
                const int r = across ? a : b, c = across ? b : a;
                if (b < (across ? columns : rows) && grid[r][c] != '*') {
                    run.push_back({r, c});
                    continue;
                }
                if (run.size() >= 3) slots.push_back(run);
                run.clear();
            }
        }
    return slots;
}

// Whether some fill exists; `budget` words tried at most (false when spent).
class Exhaustive {
public:
    Exhaustive(Rows grid, const Groups& groups) : grid_(std::move(grid)), groups_(groups) {
        // A fixed order in which each slot crosses as many earlier ones as it
        // can, so that a word that cannot fit fails early.
        std::vector<Slot> left = Slots(grid_);
        std::set<std::pair<int, int>> covered;
        while (!left.empty()) {
            std::size_t best = 0;
            int bestShared = -1;
            for (std::size_t i = 0; i < left.size(); ++i) {
                int shared = 0;
                for (Cell cell : left[i]) shared += static_cast<int>(covered.count({cell.r, cell.c}));
                if (shared > bestShared) bestShared = shared, best = i;
            }
            for (Cell cell : left[best]) covered.insert({cell.r, cell.c});
            slots_.push_back(left[best]);
            left.erase(left.begin() + static_cast<std::ptrdiff_t>(best));
        }
    }
    // 1 a fill, 0 none, -1 budget spent.
    int Run(long budget) {
        budget_ = budget;
        const bool found = Next(0);
        return budget_ < 0 ? -1 : found ? 1 : 0;
    }

private:
    bool Next(std::size_t i) {
        if (i == slots_.size()) return true;
        const Slot& slot = slots_[i];
        const auto group = groups_.find(static_cast<int>(slot.size()));
        if (group == groups_.end()) return false;
        for (const std::string& word : group->second) {
            if (--budget_ < 0) return false;
            if (used_.count(word)) continue;
            bool fits = true;
            for (std::size_t p = 0; p < slot.size() && fits; ++p) {
                const char ch = grid_[slot[p].r][slot[p].c];
                fits = ch == '.' || ch == word[p];
            }
            if (!fits) continue;
            std::string saved;
            for (std::size_t p = 0; p < slot.size(); ++p) {
                saved += grid_[slot[p].r][slot[p].c];
                grid_[slot[p].r][slot[p].c] = word[p];
            }
            used_.insert(word);
            if (Next(i + 1)) return true;
            used_.erase(word);
            for (std::size_t p = 0; p < slot.size(); ++p) grid_[slot[p].r][slot[p].c] = saved[p];
            if (budget_ < 0) return false;
        }
        return false;
    }

    Rows grid_;
    const Groups& groups_;
    std::vector<Slot> slots_;
    std::set<std::string> used_;
    long budget_ = 0;
};

// "" when `after` fills `before` with words of `groups`, each once.
std::string Faults(const Rows& before, const Rows& after, const Groups& groups) {
    if (after.size() != before.size()) return "righe diverse";
    std::string faults;
    for (std::size_t r = 0; r < before.size(); ++r) {
        if (after[r].size() != before[r].size()) return "colonne diverse";
        for (std::size_t c = 0; c < before[r].size(); ++c) {
            const char was = before[r][c], now = after[r][c];
            if ((was == '*') != (now == '*')) faults += " nera cambiata";
            if (was != '*' && was != '.' && now != was) faults += " lettera cambiata";
            if (now != '*' && (now < 'A' || now > 'Z')) faults += " casella vuota";
        }
    }
    std::set<std::string> used;
    for (const Slot& slot : Slots(after)) {
        std::string word;
        for (Cell cell : slot) word += after[cell.r][cell.c];
        const auto group = groups.find(static_cast<int>(word.size()));
        if (group == groups.end() || std::find(group->second.begin(), group->second.end(), word) == group->second.end())
            faults += " " + word + " non e' una parola";
        if (!used.insert(word).second) faults += " " + word + " ripetuta";
    }
    return faults;
}

std::string Show(const Rows& grid, const Groups& groups) {
    std::string text;
    for (const std::string& row : grid) text += row + "/";
    for (const auto& [length, words] : groups) {
        text += " " + std::to_string(length) + ":";
        for (const std::string& w : words) text += w + ",";
    }
    return text;
}

TEST(CompleteFillDifferential, SameVerdictAsExhaustiveSearchAndEveryFillHolds) {
    std::mt19937 random(20261207);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    int filled = 0, impossible = 0, skipped = 0, restarted = 0, cases = 0;
    for (int round = 0; round < 400; ++round) {
        // A few letters make many crossings agree; lists of a few words per
        // length make both verdicts common.
        const int letters = pick(2, 4);
        Groups groups;
        for (int length = 3; length <= 6; ++length) {
            std::set<std::string> seen;
            const int count = pick(0, length == 3 ? 30 : 18);
            for (int i = 0; i < count; ++i) {
                std::string word;
                for (int p = 0; p < length; ++p) word += static_cast<char>('A' + pick(0, letters - 1));
                if (seen.insert(word).second) groups[length].push_back(word);
            }
            // Now and then a word twice: it is still one word, used once.
            if (!groups[length].empty() && pick(0, 3) == 0)
                groups[length].push_back(groups[length][static_cast<std::size_t>(pick(0, static_cast<int>(groups[length].size()) - 1))]);
        }
        const vocabulary::Vocabulary vocab = testgrids::MakeVocabulary(groups);
        fill::LetterIndex index(vocab);
        for (int g = 0; g < 8; ++g) {
            const int rows = pick(3, 5), columns = pick(3, 6), blacks = pick(0, 30);
            Rows grid(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), '.'));
            for (std::string& row : grid)
                for (char& cell : row) {
                    if (pick(0, 99) < blacks) cell = '*';
                    else if (pick(0, 99) < 4) cell = static_cast<char>('A' + pick(0, letters - 1));
                }
            const int truth = Exhaustive(grid, groups).Run(200'000);
            if (truth < 0) {
                ++skipped;
                continue;
            }
            ++cases;
            fill::CompleteFillOptions options;
            options.seed = static_cast<std::uint64_t>(pick(1, 1000));
            // Half the searches start again after a failure or two: what
            // they keep from one start to the next must not lose a fill.
            options.firstRestart = g % 2 ? 1 + g % 3 : 0;
            options.timeLimitSeconds = 20;  // a search that hangs fails here, not the suite's timeout
            const auto result = fill::CompleteFill(testgrids::MakeCrossword(grid), index, options);
            restarted += result.stats.restarts > 0;
            if (truth == 1) {
                ASSERT_EQ(result.outcome, fill::CompleteFillOutcome::Filled)
                    << "una soluzione esiste: " << Show(grid, groups) << " seme " << options.seed << " -> "
                    << result.message;
                ASSERT_EQ(Faults(grid, result.rows, groups), "") << Show(grid, groups);
                ++filled;
            } else {
                ASSERT_EQ(result.outcome, fill::CompleteFillOutcome::Impossible)
                    << "nessuna soluzione: " << Show(grid, groups) << " seme " << options.seed;
                EXPECT_EQ(result.message.rfind("Impossibile completare lo schema", 0), 0u) << result.message;
                ++impossible;
            }
        }
    }
    // Both verdicts often enough for the comparison to mean something.
    EXPECT_GT(filled, cases / 10) << filled << " riempite su " << cases;
    EXPECT_GT(impossible, cases / 10) << impossible << " impossibili su " << cases;
    EXPECT_LT(skipped, cases / 20) << skipped << " casi troppo lunghi per la ricerca esaustiva";
    EXPECT_GT(restarted, cases / 20) << restarted << " ricerche ripartite su " << cases;
    RecordProperty("casi", cases);
    RecordProperty("riempite", filled);
    RecordProperty("impossibili", impossible);
    RecordProperty("ripartiti", restarted);
}

} // namespace
