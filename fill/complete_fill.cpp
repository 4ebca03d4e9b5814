#include "fill/complete_fill.h"

#include "document/word_map.h"
#include "fill/complete_fill_index.h"
#include "fill/complete_fill_search.h"
#include "vocabulary/builder.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace fill {

using document::Horizontal;
using document::Vertical;

namespace {

int Columns(const document::Crossword& doc) { return std::clamp(doc.ColumnCount, 0, document::MaxColumns); }
int Rows(const document::Crossword& doc) { return std::clamp(doc.RowCount, 0, document::MaxRows); }

// The runs of at least `minimum` white cells of a grid given as rows of cell
// characters: start column, row (1-based), direction and length.
struct Run {
    int column, row, direction, length;
};
std::vector<Run> Runs(const std::vector<std::string>& grid, int columns, int minimum) {
    std::vector<Run> runs;
    const int rows = static_cast<int>(grid.size());
    auto white = [&](int c, int r) {
        return c >= 1 && r >= 1 && c <= columns && r <= rows &&
               grid[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)] != document::BlackCell;
    };
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c)
            for (int d : {Horizontal, Vertical}) {
                const int dc = d == Horizontal ? 1 : 0, dr = 1 - dc;
                if (!white(c, r) || white(c - dc, r - dr)) continue;
                int length = 0;
                while (white(c + dc * length, r + dr * length)) ++length;
                if (length >= minimum) runs.push_back({c, r, d, length});
            }
    return runs;
}

std::string RunLetters(const std::vector<std::string>& grid, const Run& run) {
    std::string letters;
    for (int i = 0; i < run.length; ++i) {
        const int c = run.column + (run.direction == Horizontal ? i : 0);
        const int r = run.row + (run.direction == Vertical ? i : 0);
        letters += grid[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)];
    }
    return letters;
}

// Words a stage short of the last may try, ten a slot of the grid, before the
// next takes more words: a grid the best words fill needs about one word a
// slot; one they cannot fill should not spend long proving it.
constexpr std::int64_t StageNodesPerSlot = 10;
constexpr std::int64_t StageNodesAtLeast = 100;

bool IsLetter(char ch) { return ch >= 'A' && ch <= 'Z'; }

// Letters to try in a cell no pair fits, the most common in Italian first.
constexpr std::string_view CommonLetters = "EAIONLRTSCDPUMVGHFBQZJKWXY";

// Gives every white cell without a letter one: the cells of runs of two take
// the best pairs that fit what their crossings wrote. Cells that depend on
// one another (a cell in a horizontal and a vertical pair) are chosen
// together, trying every letter when there are few of them.
void FillShortRuns(std::vector<std::string>& grid, int columns, const std::vector<std::string>& pairs) {
    const int rows = static_cast<int>(grid.size());
    auto at = [&](int cell) -> char& {
        return grid[static_cast<std::size_t>(cell / columns)][static_cast<std::size_t>(cell % columns)];
    };
    std::vector<std::array<int, 2>> runs;  // cell ids of every run of two
    for (const Run& run : Runs(grid, columns, 2)) {
        if (run.length != 2) continue;
        const int first = (run.row - 1) * columns + run.column - 1;
        runs.push_back({first, first + (run.direction == Horizontal ? 1 : columns)});
    }
    std::vector<std::vector<int>> runsOfCell(static_cast<std::size_t>(rows * columns));
    for (std::size_t i = 0; i < runs.size(); ++i)
        for (int cell : runs[i]) runsOfCell[static_cast<std::size_t>(cell)].push_back(static_cast<int>(i));
    // A run scores by its pair's place in the list, nothing when no pair; a
    // run with a cell still empty scores a little less than the best pair
    // it can still become.
    auto runScore = [&](const std::array<int, 2>& run) {
        const char first = at(run[0]), second = at(run[1]);
        const bool full = IsLetter(first) && IsLetter(second);
        for (std::size_t i = 0; i < pairs.size(); ++i)
            if ((!IsLetter(first) || pairs[i][0] == first) && (!IsLetter(second) || pairs[i][1] == second))
                return (1.0 + 1.0 / static_cast<double>(1 + i)) * (full ? 1.0 : 0.9);
        return 0.0;
    };

    std::vector<char> done(static_cast<std::size_t>(rows * columns), 0);
    for (int start = 0; start < rows * columns; ++start) {
        if (done[static_cast<std::size_t>(start)] || at(start) == document::BlackCell || IsLetter(at(start))) continue;
        // The empty cells linked to this one through runs of two.
        std::vector<int> cells{start}, touched;
        done[static_cast<std::size_t>(start)] = 1;
        for (std::size_t i = 0; i < cells.size(); ++i)
            for (int r : runsOfCell[static_cast<std::size_t>(cells[i])]) {
                if (std::find(touched.begin(), touched.end(), r) == touched.end()) touched.push_back(r);
                for (int cell : runs[static_cast<std::size_t>(r)])
                    if (!done[static_cast<std::size_t>(cell)] && !IsLetter(at(cell))) {
                        done[static_cast<std::size_t>(cell)] = 1;
                        cells.push_back(cell);
                    }
            }
        auto total = [&] {
            double sum = 0;
            for (int r : touched) sum += runScore(runs[static_cast<std::size_t>(r)]);
            return sum;
        };
        std::vector<char> best(cells.size(), CommonLetters[0]);
        double bestScore = -1;
        if (cells.size() <= 3) {
            // Every combination of letters, most common letters first.
            std::vector<std::size_t> choice(cells.size(), 0);
            for (;;) {
                for (std::size_t i = 0; i < cells.size(); ++i) at(cells[i]) = CommonLetters[choice[i]];
                const double score = total();
                if (score > bestScore) {
                    bestScore = score;
                    for (std::size_t i = 0; i < cells.size(); ++i) best[i] = at(cells[i]);
                }
                std::size_t i = 0;
                while (i < choice.size() && ++choice[i] == CommonLetters.size()) choice[i++] = 0;
                if (i == choice.size()) break;
            }
        } else {
            // A larger block: one cell at a time, the rest still empty.
            for (std::size_t i = 0; i < cells.size(); ++i) {
                for (char letter : CommonLetters) {
                    at(cells[i]) = letter;
                    const double score = total();
                    if (score > bestScore) bestScore = score, best[i] = letter;
                }
                at(cells[i]) = best[i];
                bestScore = -1;
            }
        }
        for (std::size_t i = 0; i < cells.size(); ++i) at(cells[i]) = best[i];
    }
}

} // namespace

std::vector<std::string> ReadPairs(std::string_view text) {
    std::vector<std::string> pairs;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.front() == '#') continue;
        std::string pair = vocabulary::FoldWord(line);
        if (pair.size() == 2 && std::find(pairs.begin(), pairs.end(), pair) == pairs.end()) pairs.push_back(pair);
    }
    return pairs;
}

std::vector<std::string> GridCells(const document::Crossword& doc) {
    std::vector<std::string> grid;
    for (int r = 1; r <= Rows(doc); ++r) {
        std::string row;
        for (int c = 1; c <= Columns(doc); ++c) row += doc.Cell(c, r);
        grid.push_back(row);
    }
    return grid;
}

namespace detail {

Problem MakeProblem(const document::Crossword& doc) {
    Problem problem;
    problem.columns = Columns(doc);
    problem.rows = Rows(doc);
    const std::vector<std::string> grid = GridCells(doc);
    for (const std::string& row : grid) problem.cells.insert(problem.cells.end(), row.begin(), row.end());

    // The numbers the grid shows, from the word map of the grid as it is.
    document::Crossword numbered = doc;
    document::ComputeWordMap(numbered);
    for (const Run& run : Runs(grid, problem.columns, 3)) {
        GridSlot slot;
        slot.column = run.column;
        slot.row = run.row;
        slot.direction = run.direction;
        slot.number = numbered.WordNumbers(run.column, run.row);
        for (int i = 0; i < run.length; ++i) {
            const int c = run.column + (run.direction == Horizontal ? i : 0);
            const int r = run.row + (run.direction == Vertical ? i : 0);
            slot.cells.push_back((r - 1) * problem.columns + (c - 1));
        }
        problem.slots.push_back(std::move(slot));
    }
    return problem;
}

std::string DescribeSlot(const GridSlot& slot) {
    return std::string(slot.direction == Horizontal ? "orizzontale " : "verticale ") + std::to_string(slot.number) +
           " alle coordinate " + std::to_string(slot.column) + "," + std::to_string(slot.row);
}

std::string SlotPattern(const Problem& problem, const GridSlot& slot) {
    std::string pattern;
    for (int cell : slot.cells) {
        const char ch = problem.cells[static_cast<std::size_t>(cell)];
        pattern += ch == ' ' ? document::EmptyCell : ch;
    }
    return pattern;
}

} // namespace detail

CompleteFillResult CompleteFill(const document::Crossword& doc, LetterIndex& index,
                                const CompleteFillOptions& options, CompleteFillProgress* progress) {
    CompleteFillResult result;
    const double indexMsBefore = index.BuildMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    const detail::Problem problem = detail::MakeProblem(doc);
    // The best half of each length first, then more of it up to the quality
    // asked for: a grid that the best words fill gets only those, a harder
    // one the words it needs. Every stage but the last has a budget of words
    // to try, so a seed gives the same fill on any machine.
    std::vector<int> stages;
    for (int stage : {50, 75})
        if (stage < options.quality) stages.push_back(stage);
    stages.push_back(options.quality);
    CompleteFillStats total;
    for (std::size_t i = 0; i < stages.size(); ++i) {
        CompleteFillOptions stage = options;
        stage.quality = stages[i];
        if (options.timeLimitSeconds > 0) {
            const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            stage.timeLimitSeconds = std::max(options.timeLimitSeconds - spent, 1e-9);
        }
        const bool last = i + 1 == stages.size();
        result = CompleteFillResult();
        const std::int64_t budget =
            std::max(StageNodesAtLeast, StageNodesPerSlot * static_cast<std::int64_t>(problem.slots.size()));
        const bool whole = detail::Solve(problem, index, stage, progress, result, last ? 0 : budget);
        total.slotCount = result.stats.slotCount;
        total.nodes += result.stats.nodes;
        total.backtracks += result.stats.backtracks;
        total.restarts += result.stats.restarts;
        // Go on to more words when this stage found no fill in its budget or
        // proved there is none with its words.
        if (last || result.outcome == CompleteFillOutcome::Filled || result.outcome == CompleteFillOutcome::Cancelled ||
            (result.outcome == CompleteFillOutcome::TimeLimit && whole))
            break;
    }
    result.stats = total;
    if (result.outcome == CompleteFillOutcome::Filled) FillShortRuns(result.rows, problem.columns, options.pairs);
    result.stats.searchMilliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    result.stats.indexMilliseconds = index.BuildMilliseconds() - indexMsBefore;
    result.stats.indexBytes = index.Bytes();
    return result;
}

CompleteFillResult CompleteFill(const document::Crossword& doc, const vocabulary::Vocabulary& vocab,
                                const CompleteFillOptions& options, CompleteFillProgress* progress) {
    LetterIndex index(vocab);
    return CompleteFill(doc, index, options, progress);
}

bool ApplyCompleteFill(document::Crossword& doc, const CompleteFillResult& result) {
    if (result.outcome != CompleteFillOutcome::Filled) return false;
    const std::vector<std::string> before = GridCells(doc);
    const std::vector<std::string>& after = result.rows;
    if (after.size() != before.size()) return false;
    for (std::size_t r = 0; r < before.size(); ++r) {
        if (after[r].size() != before[r].size()) return false;
        for (std::size_t c = 0; c < before[r].size(); ++c)
            if ((before[r][c] == document::BlackCell) != (after[r][c] == document::BlackCell)) return false;
    }
    const int columns = Columns(doc);
    for (const Run& run : Runs(before, columns, 2))
        if (RunLetters(before, run) != RunLetters(after, run))
            doc.Definitions(run.column, run.row, run.direction).clear();
    for (std::size_t r = 0; r < after.size(); ++r) {
        std::string& line = doc.GridLine(static_cast<int>(r) + 1);
        for (std::size_t c = 0; c < after[r].size(); ++c) {
            if (after[r][c] == before[r][c]) continue;
            while (line.size() < 2 * c + 2) line += "..";
            line[2 * c] = after[r][c];
        }
    }
    return true;
}

} // namespace fill
