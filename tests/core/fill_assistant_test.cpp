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
const std::map<int, std::vector<std::string>> Corner = {
    {3, {"CAT", "COW", "BEE", "BOX", "BIG", "ANT"}},
    {4, {"DUNE", "CANE", "BARN", "BOAT", "ABLE"}},
};

std::string Words(const std::vector<fill::Candidate>& list) {
    std::string out;
    for (const auto& c : list) out += c.word + ":" + std::to_string(c.tightest) + " ";
    return out;
}

TEST(FillAssistant, OffersWordsByTheirTightestCrossingAndKeepsBlockersApart) {
    const auto vocab = testgrids::MakeVocabulary(Corner);
    FillAssistant assistant(vocab);
    struct Case {
        std::vector<std::string> grid;
        std::string words, blocking;
    } cases[] = {
        {{"....", ".***", ".***"}, "BARN:3 BOAT:3 CANE:2 ABLE:1 ", "DUNE:0 "},
        // An O in the middle of the crossing leaves COW and BOX only.
        {{"....", "O***", ".***"}, "CANE:1 BARN:1 BOAT:1 ", "DUNE:0 ABLE:0 "},
        // A placed letter narrows the slot itself; its filled cell judges nothing.
        {{"B...", ".***", ".***"}, "BARN:-1 BOAT:-1 ", ""},
    };
    for (const Case& c : cases) {
        const auto slot = FillAssistant::SlotAt(c.grid, 3, 1, document::Horizontal);
        ASSERT_TRUE(slot);
        EXPECT_EQ(*slot, (fill::AssistantSlot{1, 1, document::Horizontal, 4}));
        const auto list = assistant.Candidates(c.grid, *slot);
        EXPECT_EQ(Words(list.words), c.words) << c.grid[0] << c.grid[1];
        EXPECT_EQ(Words(list.blocking), c.blocking) << c.grid[0] << c.grid[1];
        EXPECT_EQ(list.total, static_cast<int>(list.words.size()));
    }
    const auto limited = assistant.Candidates(cases[0].grid, {1, 1, document::Horizontal, 4}, 2);
    EXPECT_EQ(Words(limited.words), "BARN:3 BOAT:3 ");
    EXPECT_EQ(limited.total, 4);
    // A slot longer than any word is said to be so.
    EXPECT_FALSE(assistant.Candidates({"................", "****************", "****************"},
                                      {1, 1, document::Horizontal, 16})
                     .note.empty());
    EXPECT_FALSE(FillAssistant::SlotAt(cases[0].grid, 2, 2, document::Vertical));
}

TEST(FillAssistant, DeadCells) {
    const auto cornerVocab = testgrids::MakeVocabulary(Corner);
    const auto onlyD = testgrids::MakeVocabulary({{3, {"CAT"}}, {4, {"DUNE"}}});
    struct Case {
        const vocabulary::Vocabulary* vocab;
        std::vector<std::string> grid;
        std::vector<GridCell> dead;
    } cases[] = {
        {&cornerVocab, {"....", ".***", ".***"}, {}},
        // The crossing slots both have words, but agree on no first letter.
        {&onlyD, {"....", ".***", ".***"}, {{1, 1}}},
        // No word has a Z there: the whole slot is dead, letters included.
        {&cornerVocab, {".Z..", ".***", ".***"}, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}},
        // Runs of two are not judged; a lone cell is in no slot.
        {&cornerVocab, {"QQ**", "****", "*.**"}, {}},
    };
    for (const Case& c : cases) {
        FillAssistant assistant(*c.vocab);
        EXPECT_EQ(assistant.DeadCells(c.grid), c.dead) << c.grid[0];
    }
}

// Random grids over a small alphabet against a plain check: a white cell is
// dead when some letter fits every slot of 3 or more cells through it.
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
            for (char& ch : line) {
                const int roll = pick(10);
                ch = roll < 2 ? '*' : roll < 4 ? static_cast<char>('A' + pick(3)) : '.';
            }
        // The words of the vocabulary that agree with a slot's letters.
        auto fitting = [&](const fill::AssistantSlot& s) {
            std::vector<std::string> out;
            if (!groups.count(s.length)) return out;
            for (const std::string& w : groups[s.length]) {
                bool ok = true;
                for (int i = 0; i < s.length; ++i) {
                    const int c = s.column + (s.direction == 1 ? i : 0), r = s.row + (s.direction == 2 ? i : 0);
                    const char ch = grid[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)];
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
                        const int at = d == 1 ? c - s->column : r - s->row;
                        bool any = false;
                        for (const std::string& w : fitting(*s)) any = any || w[static_cast<std::size_t>(at)] == letter;
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
                    if (grid[static_cast<std::size_t>(rr - 1)][static_cast<std::size_t>(cc - 1)] != '.') continue;
                    const auto other = FillAssistant::SlotAt(grid, cc, rr, 3 - d);
                    if (!other || other->length < 3) continue;
                    const auto theirs = fitting(*other);
                    if (theirs.empty()) continue;
                    const int at = d == 1 ? rr - other->row : cc - other->column;
                    int n = 0;
                    for (const std::string& w : theirs) n += w[static_cast<std::size_t>(at)] == cand.word[static_cast<std::size_t>(i)];
                    if (tightest == fill::NoCrossing || n < tightest) tightest = n;
                }
                EXPECT_EQ(cand.tightest, tightest) << cand.word << " round " << round;
            }
        for (std::size_t i = 1; i < list.words.size(); ++i)
            EXPECT_GE(list.words[i - 1].tightest, list.words[i].tightest);
    }
    // The rounds saw both kinds of grid, and lists to check.
    EXPECT_GT(withDead, 10);
    EXPECT_GT(withoutDead, 10);
    EXPECT_GT(listsChecked, 10);
}

} // namespace
