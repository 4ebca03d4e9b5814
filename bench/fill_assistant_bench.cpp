// The fill assistant's work after one edit, as the main window asks for it:
// the dead cells of the whole grid and the ranked words of the edited slot,
// on 25 x 15 grids with the default vocabulary. A setter is played: each
// edit puts a word the assistant offers into a slot (now and then a slot
// is emptied again, as an undo does), and every recomputation after an
// edit is timed. Prints the indexing and the first grid apart, then median,
// 90th percentile and worst over the edits, in wall time and in the
// thread's CPU time (the machine may be busy with other work).
//
// Usage: fill_assistant_bench [LESSICO.DAT] [edits per grid]

#include "fill/fill_assistant.h"
#include "platform/recording/recording_messages.h"
#include "vocabulary/vocabulary.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using fill::ListedWords;

// CPU time of this thread: what the work costs when the machine is busy
// with other things too.
double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double Since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Black cells on a slant every `every` cells: runs of up to every - 1.
std::vector<std::string> Grid(int every, int shift) {
    std::vector<std::string> grid(15, std::string(25, '.'));
    for (int r = 0; r < 15; ++r)
        for (int c = 0; c < 25; ++c)
            if ((c + shift * r) % every == 0) grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = '*';
    return grid;
}

std::vector<fill::AssistantSlot> Slots(const std::vector<std::string>& grid) {
    std::vector<fill::AssistantSlot> slots;
    for (int r = 1; r <= 15; ++r)
        for (int c = 1; c <= 25; ++c)
            for (int d : {1, 2}) {
                const auto s = fill::FillAssistant::SlotAt(grid, c, r, d);
                if (s && s->column == c && s->row == r && s->length >= 3) slots.push_back(*s);
            }
    return slots;
}

void Write(std::vector<std::string>& grid, const fill::AssistantSlot& s, const std::string& word) {
    for (int i = 0; i < s.length; ++i) {
        const int c = s.column + (s.direction == 1 ? i : 0), r = s.row + (s.direction == 2 ? i : 0);
        grid[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)] = word[static_cast<std::size_t>(i)];
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string file = argc > 1 ? argv[1] : QUADRIVO_LESSICO;
    const int edits = argc > 2 ? std::max(1, std::atoi(argv[2])) : 80;
    platform::RecordingMessages messages;
    vocabulary::Vocabulary vocab;
    if (!vocab.LoadVocabularyIndex(file, messages)) {
        std::fprintf(stderr, "Vocabolario non leggibile: %s\n", file.c_str());
        return 1;
    }
    std::vector<double> times, cpuTimes;
    std::mt19937 random(98);
    fill::FillAssistant assistant(vocab);
    const auto prepare = Clock::now();
    assistant.Prepare();
    const double prepared = Since(prepare);
    // A grid just opened: nothing of it is known yet.
    const auto opened = Clock::now();
    assistant.DeadCells(Grid(7, 3));
    const double cold = Since(opened);
    for (const auto& [every, shift] : {std::pair{7, 3}, {9, 4}, {11, 3}, {13, 5}}) {
        std::vector<std::string> grid = Grid(every, shift);
        const auto slots = Slots(grid);
        for (int e = 0; e < edits; ++e) {
            const fill::AssistantSlot& slot = slots[random() % slots.size()];
            if (random() % 5 == 0) {
                Write(grid, slot, std::string(static_cast<std::size_t>(slot.length), '.'));
            } else {
                const auto offered = assistant.Candidates(grid, slot, 10);
                if (!offered.words.empty()) Write(grid, slot, offered.words[random() % offered.words.size()].word);
            }
            // What the window asks for after the edit.
            const auto start = Clock::now();
            const double cpuStart = ThreadCpuMs();
            const auto dead = assistant.DeadCells(grid);
            const double deadMs = Since(start);
            const auto list = assistant.Candidates(grid, slot, ListedWords);
            const double ms = Since(start);
            const double cpuMs = ThreadCpuMs() - cpuStart;
            if (ms > 20)
                std::fprintf(stderr, "oltre 20 ms: %.1f ms (%.1f ms di CPU; caselle %.1f ms), parola di %d lettere, %d parole\n",
                             ms, cpuMs, deadMs, slot.length, list.total);
            times.push_back(ms);
            cpuTimes.push_back(cpuMs);
            if (e + 1 == edits)
                std::printf("griglia %d/%d: %zu parole, %zu caselle senza soluzione alla fine, ultimo elenco %d parole\n",
                            every, shift, slots.size(), dead.size(), list.total);
        }
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    const auto at = [&](double q) { return times[static_cast<std::size_t>(q * static_cast<double>(times.size() - 1))]; };
    const auto cpuAt = [&](double q) {
        return cpuTimes[static_cast<std::size_t>(q * static_cast<double>(cpuTimes.size() - 1))];
    };
    std::printf("indice di tutte le lunghezze: %.1f ms; caselle di uno schema appena aperto: %.1f ms\n", prepared, cold);
    std::printf("%zu ricalcoli dopo una modifica: mediana %.2f ms, 90%% %.2f ms, peggiore %.2f ms\n", times.size(),
                at(0.5), at(0.9), times.back());
    std::printf("  in tempo di CPU del thread: mediana %.2f ms, 90%% %.2f ms, peggiore %.2f ms\n", cpuAt(0.5), cpuAt(0.9),
                cpuTimes.back());
    return 0;
}
