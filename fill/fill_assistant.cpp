#include "fill/fill_assistant.h"

#include "fill/complete_fill_index.h"

#include <algorithm>
#include <array>
#include <bit>
#include <unordered_map>

namespace fill {

namespace {

constexpr int Across = 1;
constexpr int Down = 2;
// Beyond this many patterns the cache starts again: a few hundred slots of
// one grid fit many times over.
constexpr std::size_t CacheLimit = 4096;

bool IsLetter(char ch) { return ch >= 'A' && ch <= 'Z'; }

int Columns(const std::vector<std::string>& grid) {
    std::size_t widest = 0;
    for (const std::string& row : grid) widest = std::max(widest, row.size());
    return static_cast<int>(widest);
}

bool White(const std::vector<std::string>& grid, int column, int row) {
    if (row < 1 || row > static_cast<int>(grid.size()) || column < 1) return false;
    const std::string& line = grid[static_cast<std::size_t>(row - 1)];
    return column <= static_cast<int>(line.size()) && line[static_cast<std::size_t>(column - 1)] != '*';
}

char CellChar(const std::vector<std::string>& grid, int column, int row) {
    const char ch = grid[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
    return IsLetter(ch) ? ch : '.';
}

GridCell CellOf(const AssistantSlot& slot, int i) {
    return slot.direction == Across ? GridCell{slot.column + i, slot.row} : GridCell{slot.column, slot.row + i};
}

std::string PatternOf(const std::vector<std::string>& grid, const AssistantSlot& slot) {
    std::string pattern;
    for (int i = 0; i < slot.length; ++i) {
        const GridCell cell = CellOf(slot, i);
        pattern += CellChar(grid, cell.column, cell.row);
    }
    return pattern;
}

bool Judged(int length) { return length >= vocabulary::MinLength; }

} // namespace

// What a pattern leaves: how many words agree with it, and the letters each
// place can still take (bit l for letter 'A' + l).
struct FillAssistant::PatternInfo {
    int count = 0;
    std::vector<std::uint32_t> letters;
};

struct FillAssistant::Cache {
    std::unordered_map<std::string, PatternInfo> patterns;
};

FillAssistant::FillAssistant(const vocabulary::Vocabulary& vocab)
    : index_(std::make_unique<LetterIndex>(vocab)), cache_(std::make_unique<Cache>()) {}

FillAssistant::~FillAssistant() = default;

void FillAssistant::Prepare() {
    for (int L = vocabulary::MinLength; L <= vocabulary::MaxLength; ++L) index_->Group(L);
}

std::vector<std::uint64_t> FillAssistant::Matches(const std::string& pattern) {
    const int L = static_cast<int>(pattern.size());
    if (L < vocabulary::MinLength || L > vocabulary::MaxLength) return {};
    const IndexGroup& group = index_->Group(L);
    std::vector<std::uint64_t> matches = group.usable;
    for (int p = 0; p < L; ++p) {
        const char ch = pattern[static_cast<std::size_t>(p)];
        if (!IsLetter(ch)) continue;
        const std::uint64_t* bits = group.Bits(p, ch - 'A');
        for (int b = 0; b < group.blocks; ++b) matches[static_cast<std::size_t>(b)] &= bits[b];
    }
    return matches;
}

const FillAssistant::PatternInfo& FillAssistant::Info(const std::string& pattern) {
    auto found = cache_->patterns.find(pattern);
    if (found != cache_->patterns.end()) return found->second;
    if (cache_->patterns.size() >= CacheLimit) cache_->patterns.clear();

    const int L = static_cast<int>(pattern.size());
    PatternInfo info;
    info.letters.assign(static_cast<std::size_t>(L), 0);
    const std::vector<std::uint64_t> matches = Matches(pattern);
    if (!matches.empty()) {
        const IndexGroup& group = index_->Group(L);
        // The letters every word of the length has somewhere at each place:
        // once an empty place has them all, no further word can add one.
        std::vector<int> open;
        for (int p = 0; p < L; ++p)
            if (!IsLetter(pattern[static_cast<std::size_t>(p)])) open.push_back(p);
        std::vector<std::uint32_t> all(static_cast<std::size_t>(L), 0);
        for (int p : open)
            for (int l = 0; l < Letters; ++l) {
                const std::uint64_t* bits = group.Bits(p, l);
                if (std::any_of(bits, bits + group.blocks, [](std::uint64_t w) { return w != 0; }))
                    all[static_cast<std::size_t>(p)] |= 1u << l;
            }
        std::size_t full = 0;
        for (int b = 0; b < group.blocks; ++b)
            for (std::uint64_t w = matches[static_cast<std::size_t>(b)]; w != 0; w &= w - 1) {
                ++info.count;
                if (full == open.size()) continue;
                const int k = b * 64 + std::countr_zero(w);
                full = 0;
                for (int p : open) {
                    std::uint32_t& mask = info.letters[static_cast<std::size_t>(p)];
                    mask |= 1u << group.LetterOf(k, p);
                    if (mask == all[static_cast<std::size_t>(p)]) ++full;
                }
            }
        if (info.count > 0)
            for (int p = 0; p < L; ++p)
                if (IsLetter(pattern[static_cast<std::size_t>(p)]))
                    info.letters[static_cast<std::size_t>(p)] = 1u << (pattern[static_cast<std::size_t>(p)] - 'A');
    }
    return cache_->patterns.emplace(pattern, std::move(info)).first->second;
}

std::optional<AssistantSlot> FillAssistant::SlotAt(const std::vector<std::string>& grid, int column, int row,
                                                   int direction) {
    if ((direction != Across && direction != Down) || !White(grid, column, row)) return std::nullopt;
    const int dc = direction == Across ? 1 : 0, dr = 1 - dc;
    int c = column, r = row;
    while (White(grid, c - dc, r - dr)) c -= dc, r -= dr;
    int length = 0;
    while (White(grid, c + dc * length, r + dr * length)) ++length;
    if (length < 2) return std::nullopt;
    return AssistantSlot{c, r, direction, length};
}

std::vector<GridCell> FillAssistant::DeadCells(const std::vector<std::string>& grid) {
    const int columns = Columns(grid);
    const int rows = static_cast<int>(grid.size());
    // Letters each cell can still take, from each slot that judges it.
    constexpr std::uint32_t Any = (1u << Letters) - 1;
    std::vector<std::uint32_t> allowed(static_cast<std::size_t>(columns * rows), Any);
    std::vector<char> judged(allowed.size(), 0);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c)
            for (int d : {Across, Down}) {
                const int dc = d == Across ? 1 : 0, dr = 1 - dc;
                if (!White(grid, c, r) || White(grid, c - dc, r - dr)) continue;
                const std::optional<AssistantSlot> slot = SlotAt(grid, c, r, d);
                if (!slot || !Judged(slot->length)) continue;
                const PatternInfo& info = Info(PatternOf(grid, *slot));
                for (int i = 0; i < slot->length; ++i) {
                    const GridCell cell = CellOf(*slot, i);
                    const auto at = static_cast<std::size_t>((cell.row - 1) * columns + cell.column - 1);
                    allowed[at] &= info.letters[static_cast<std::size_t>(i)];
                    judged[at] = 1;
                }
            }
    std::vector<GridCell> dead;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c) {
            const auto at = static_cast<std::size_t>((r - 1) * columns + c - 1);
            if (judged[at] && allowed[at] == 0) dead.push_back({c, r});
        }
    return dead;
}

CandidateList FillAssistant::Candidates(const std::vector<std::string>& grid, const AssistantSlot& slot,
                                        std::size_t limit) {
    CandidateList list;
    list.slot = slot;
    const std::optional<AssistantSlot> real = SlotAt(grid, slot.column, slot.row, slot.direction);
    if (!real || !(*real == slot)) {
        list.note = "Nessuna parola in questa casella.";
        return list;
    }
    list.pattern = PatternOf(grid, slot);
    const int L = slot.length;
    if (L < vocabulary::MinLength || L > vocabulary::MaxLength) {
        list.note = "Il vocabolario non ha parole di " + std::to_string(L) + " lettere.";
        return list;
    }
    const std::vector<std::uint64_t> matches = Matches(list.pattern);
    const IndexGroup& group = index_->Group(L);

    // For each open crossing: at which place of the slot it crosses, and how
    // many of its words each letter there would leave.
    struct Crossing {
        int place;
        std::array<int, Letters> left;
    };
    std::vector<Crossing> crossings;
    const int across = slot.direction == Across ? Down : Across;
    for (int i = 0; i < L; ++i) {
        if (IsLetter(list.pattern[static_cast<std::size_t>(i)])) continue;
        const GridCell cell = CellOf(slot, i);
        const std::optional<AssistantSlot> other = SlotAt(grid, cell.column, cell.row, across);
        if (!other || !Judged(other->length)) continue;
        const std::string pattern = PatternOf(grid, *other);
        const std::vector<std::uint64_t> theirs = Matches(pattern);
        if (theirs.empty()) continue;
        const IndexGroup& their = index_->Group(other->length);
        const int place = across == Across ? cell.column - other->column : cell.row - other->row;
        Crossing crossing{i, {}};
        int total = 0;
        for (int l = 0; l < Letters; ++l) {
            const std::uint64_t* bits = their.Bits(place, l);
            int n = 0;
            for (int b = 0; b < their.blocks; ++b) n += std::popcount(theirs[static_cast<std::size_t>(b)] & bits[b]);
            crossing.left[static_cast<std::size_t>(l)] = n;
            total += n;
        }
        if (total > 0) crossings.push_back(crossing);
    }

    // Words by their number in the group; spelled out only as far as listed.
    std::vector<std::pair<int, int>> good, blocking;  // (tightest, k)
    for (int b = 0; b < group.blocks; ++b)
        for (std::uint64_t w = matches[static_cast<std::size_t>(b)]; w != 0; w &= w - 1) {
            const int k = b * 64 + std::countr_zero(w);
            int tightest = NoCrossing;
            for (const Crossing& crossing : crossings) {
                const int n = crossing.left[static_cast<std::size_t>(group.LetterOf(k, crossing.place))];
                if (tightest == NoCrossing || n < tightest) tightest = n;
            }
            (tightest == 0 ? blocking : good).emplace_back(tightest, k);
        }
    // Most room first; the vocabulary's order among equals.
    std::stable_sort(good.begin(), good.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    list.total = static_cast<int>(good.size());
    list.blockingTotal = static_cast<int>(blocking.size());
    for (std::size_t i = 0; i < good.size() && i < limit; ++i)
        list.words.push_back({group.Word(good[i].second), good[i].first});
    for (std::size_t i = 0; i < blocking.size() && i < limit; ++i)
        list.blocking.push_back({group.Word(blocking[i].second), 0});
    return list;
}

} // namespace fill
