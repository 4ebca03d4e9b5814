// A one-off `quadrivo-tool cerca` on every length group against the floor
// of a plain read-and-scan of the same group (scan_floor), whole processes
// both, interleaved round by round and printed side by side as ratios.
// Each group is asked with a mask of blanks only (every word printed) and
// with one letter fixed; the two programs' outputs are compared first.
// Wall times are given as medians and fastest runs, and the CPU time each
// process used beside them: on a busy machine the wall time of a process
// of a few milliseconds is mostly waiting for a processor.
//
//   cerca_bench [-l LESSICO.DAT] [-t quadrivo-tool] [-f scan_floor] [-n ROUNDS]

#include "platform/recording/recording_messages.h"
#include "vocabulary/vocabulary.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Times {
    double wall = -1, cpu = -1;  // microseconds; negative when the program failed
};

// Runs argv with its output to `out` (a file name).
Times Run(const std::vector<std::string>& args, const char* out) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const auto start = Clock::now();
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) return {};
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    const auto micros = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_usec); };
    return {std::chrono::duration<double, std::micro>(Clock::now() - start).count(),
            micros(usage.ru_utime) + micros(usage.ru_stime)};
}

std::string Slurp(const char* name) {
    std::string text;
    if (FILE* f = std::fopen(name, "rb")) {
        char buffer[65536];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, got);
        std::fclose(f);
    }
    return text;
}

double Least(const std::vector<Times>& runs, double Times::*which) {
    double least = runs.front().*which;
    for (const Times& t : runs) least = std::min(least, t.*which);
    return least;
}

double Median(const std::vector<Times>& runs, double Times::*which) {
    std::vector<double> v;
    for (const Times& t : runs) v.push_back(t.*which);
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    std::string lessico = QUADRIVO_LESSICO, tool = QUADRIVO_TOOL, floor = SCAN_FLOOR;
    int rounds = 21;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "-l") lessico = argv[i + 1];
        else if (a == "-t") tool = argv[i + 1];
        else if (a == "-f") floor = argv[i + 1];
        else if (a == "-n") rounds = std::max(5, std::atoi(argv[i + 1]));
    }
    platform::RecordingMessages messages;
    vocabulary::Vocabulary v;
    if (!v.LoadVocabularyIndex(lessico, messages)) return 1;
    const std::string outTool = "/dev/shm/cerca_bench_tool." + std::to_string(getpid());
    const std::string outFloor = "/dev/shm/cerca_bench_floor." + std::to_string(getpid());

    struct Case {
        int L;
        std::string mask;
        std::size_t matches = 0;
        std::vector<Times> tool, floor;
    };
    std::vector<Case> cases;
    for (int L = vocabulary::MinLength; L <= vocabulary::MaxLength; ++L) {
        if (v.VocabularyCount(L) == 0) continue;
        cases.push_back({L, std::string(static_cast<std::size_t>(L), '_'), 0, {}, {}});
        cases.push_back({L, "_" + std::string(1, 'A') + std::string(static_cast<std::size_t>(L - 2), '_'), 0, {}, {}});
    }
    for (Case& c : cases) {
        const double a = Run({tool, "cerca", c.mask, "-l", lessico}, outTool.c_str()).wall;
        const double b = Run({floor, lessico, c.mask}, outFloor.c_str()).wall;
        const std::string got = Slurp(outTool.c_str()), want = Slurp(outFloor.c_str());
        if (a < 0 || b < 0 || got != want) {
            std::fprintf(stderr, "cerca %s: %s\n", c.mask.c_str(),
                         a < 0 || b < 0 ? "a program failed" : "the tool and the floor print different words");
            return 1;
        }
        c.matches = static_cast<std::size_t>(std::count(got.begin(), got.end(), '\n'));
    }
    for (int r = 0; r < rounds; ++r)
        for (Case& c : cases) {
            const bool floorFirst = r % 2 == 1;
            if (floorFirst) c.floor.push_back(Run({floor, lessico, c.mask}, outFloor.c_str()));
            c.tool.push_back(Run({tool, "cerca", c.mask, "-l", lessico}, outTool.c_str()));
            if (!floorFirst) c.floor.push_back(Run({floor, lessico, c.mask}, outFloor.c_str()));
        }
    std::remove(outTool.c_str());
    std::remove(outFloor.c_str());

    std::printf("%s, %d interleaved rounds, medians of whole processes\n", lessico.c_str(), rounds);
    std::printf("%-3s %-16s %6s %7s | %9s %9s %6s | %8s %8s %6s | %8s %8s %6s\n", "L", "mask", "words", "matches",
                "cerca", "floor", "wall", "cerca", "floor", "min", "cerca", "floor", "cpu");
    std::printf("%-35s | %-26s | %-24s | %s\n", "", "median wall us", "fastest wall us", "median cpu us");
    double worst = 0, worstMin = 0, worstCpu = 0;
    for (const Case& c : cases) {
        const double t = Median(c.tool, &Times::wall), f = Median(c.floor, &Times::wall);
        const double tm = Least(c.tool, &Times::wall), fm = Least(c.floor, &Times::wall);
        const double tc = Median(c.tool, &Times::cpu), fc = Median(c.floor, &Times::cpu);
        worst = std::max(worst, t / f);
        worstMin = std::max(worstMin, tm / fm);
        worstCpu = std::max(worstCpu, tc / fc);
        std::printf("%-3d %-16s %6d %7zu | %9.0f %9.0f %5.2fx | %8.0f %8.0f %5.2fx | %8.0f %8.0f %5.2fx\n", c.L,
                    c.mask.c_str(), v.VocabularyCount(c.L), c.matches, t, f, t / f, tm, fm, tm / fm, tc, fc, tc / fc);
    }
    std::printf("worst ratios: median wall %.2fx, fastest wall %.2fx, cpu %.2fx (goal <= 1.3x)\n", worst, worstMin,
                worstCpu);
    return worstCpu <= 1.3 && worstMin <= 1.3 ? 0 : 1;
}
