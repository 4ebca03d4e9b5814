#include "fill/fill_assistant.h"

#include "document/crossword.h"
#include "test_vocabulary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using fill::FillAssistant;
using fill::GridCell;

// A 4-letter slot across the top whose first cell starts a 3-letter slot
// down: the down words starting C are 2, with B 3, with A 1, with D none.
const std::map<int, std::vector<std::string>> Corner = {{3, {"CAT", "COW", "BEE", "BOX", "BIG", "ANT"}},
                                                         {4, {"DUNE", "CANE", "BARN", "BOAT", "ABLE"}}};

std::string Words(const std::vector<fill::Candidate>& list) {
    std::string out;
    for (const auto& c : list) out += c.word + ":" + std::to_string(c.tightest) + " ";
    return out;
}

TEST(FillAssistant, OffersWordsByTheirTightestCrossingAndKeepsBlockersApart) {
    const auto vocab = testgrids::MakeVocabulary(Corner);
    FillAssistant assistant(vocab);
    // Letters in the crossings or the slot itself, and every other count:
    // the brute-force test below.
    const std::vector<std::string> grid = {"....", ".***", ".***"};
    const auto slot = FillAssistant::SlotAt(grid, 3, 1, document::Horizontal);
    ASSERT_TRUE(slot);
    EXPECT_EQ(*slot, (fill::AssistantSlot{1, 1, document::Horizontal, 4}));
    const auto list = assistant.Candidates(grid, *slot);
    EXPECT_EQ(Words(list.words) + "| " + Words(list.blocking), "BARN:3 BOAT:3 CANE:2 ABLE:1 | DUNE:0 ");
    EXPECT_EQ(list.total, 4);
    const auto limited = assistant.Candidates(grid, *slot, 2);
    EXPECT_EQ(Words(limited.words) + std::to_string(limited.total), "BARN:3 BOAT:3 4");
    // A slot longer than any word is said to be so.
    const std::string black(16, '*');
    EXPECT_FALSE(assistant.Candidates({std::string(16, '.'), black, black}, {1, 1, document::Horizontal, 16}).note.empty());
    EXPECT_FALSE(FillAssistant::SlotAt(grid, 2, 2, document::Vertical));
}

// Random grids over a small alphabet against a plain check: a white cell is
// dead when no letter fits every slot of 3 or more cells through it (runs of
// two are not judged, a lone cell is in no slot).
TEST(FillAssistant, DeadCellsAndCrossingCountsAgreeWithBruteForce) {
    std::mt19937 random(28);
    int withDead = 0, withoutDead = 0, listsChecked = 0;
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 60; ++round) {
        std::map<int, std::vector<std::string>> groups;
        for (int L = 3; L <= 6; ++L)
            for (int i = pick(12); i > 0; --i) {
                std::string w;
                for (int p = 0; p < L; ++p) w += static_cast<char>('A' + pick(3));
                groups[L].push_back(w);
            }
        const auto vocab = testgrids::MakeVocabulary(groups);
        const int columns = 3 + pick(4), rows = 3 + pick(4);
        std::vector<std::string> grid(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), '.'));
        for (auto& line : grid)
            for (char& ch : line) ch = pick(5) == 0 ? '*' : pick(4) == 0 ? static_cast<char>('A' + pick(3)) : '.';
        auto at = [&](int c, int r) { return grid[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)]; };
        // The words of the vocabulary that agree with a slot's letters.
        auto fitting = [&](const fill::AssistantSlot& s) {
            std::vector<std::string> out;
            for (const std::string& w : groups[s.length]) {
                bool ok = true;
                for (int i = 0; i < s.length; ++i) {
                    const char ch = at(s.column + (s.direction == 1 ? i : 0), s.row + (s.direction == 2 ? i : 0));
                    ok = ok && (ch == '.' || ch == w[static_cast<std::size_t>(i)]);
                }
                if (ok && std::find(out.begin(), out.end(), w) == out.end()) out.push_back(w);
            }
            return out;
        };
        std::vector<GridCell> expected;
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= columns; ++c) {
                bool judged = false, someLetter = false;
                for (char letter = 'A'; letter <= 'Z' && !someLetter; ++letter) {
                    bool fitsAll = true;
                    for (int d : {1, 2}) {
                        const auto s = FillAssistant::SlotAt(grid, c, r, d);
                        if (!s || s->length < 3) continue;
                        judged = true;
                        const auto place = static_cast<std::size_t>(d == 1 ? c - s->column : r - s->row);
                        bool any = false;
                        for (const std::string& w : fitting(*s)) any = any || w[place] == letter;
                        fitsAll = fitsAll && any;
                    }
                    someLetter = fitsAll;
                }
                if (judged && !someLetter) expected.push_back({c, r});
            }
        FillAssistant assistant(vocab);
        ASSERT_EQ(assistant.DeadCells(grid), expected) << "round " << round;
        ++(expected.empty() ? withoutDead : withDead);

        // The counts of one slot's words, each crossing counted word by word.
        const int c = 1 + pick(columns), r = 1 + pick(rows), d = 1 + pick(2);
        const auto slot = FillAssistant::SlotAt(grid, c, r, d);
        if (!slot || slot->length < 3) continue;
        const auto list = assistant.Candidates(grid, *slot);
        ++listsChecked;
        EXPECT_EQ(list.words.size() + list.blocking.size(), fitting(*slot).size());
        for (const auto* part : {&list.words, &list.blocking})
            for (const fill::Candidate& cand : *part) {
                int tightest = fill::NoCrossing;
                for (int i = 0; i < slot->length; ++i) {
                    const int cc = slot->column + (d == 1 ? i : 0), rr = slot->row + (d == 2 ? i : 0);
                    if (at(cc, rr) != '.') continue;
                    const auto other = FillAssistant::SlotAt(grid, cc, rr, 3 - d);
                    if (!other || other->length < 3) continue;
                    const auto theirs = fitting(*other);
                    if (theirs.empty()) continue;
                    const auto place = static_cast<std::size_t>(d == 1 ? rr - other->row : cc - other->column);
                    int n = 0;
                    for (const std::string& w : theirs) n += w[place] == cand.word[static_cast<std::size_t>(i)];
                    if (tightest == fill::NoCrossing || n < tightest) tightest = n;
                }
                EXPECT_EQ(cand.tightest, tightest) << cand.word << " round " << round;
                EXPECT_EQ(part == &list.blocking, tightest == 0) << cand.word << " round " << round;
            }
        for (std::size_t i = 1; i < list.words.size(); ++i)
            EXPECT_GE(list.words[i - 1].tightest, list.words[i].tightest);
        EXPECT_EQ(list.total, static_cast<int>(list.words.size()));
    }
    // The rounds saw both kinds of grid, and lists to check.
    EXPECT_GT(withDead, 10);
    EXPECT_GT(withoutDead, 10);
    EXPECT_GT(listsChecked, 10);
}

} // namespace
