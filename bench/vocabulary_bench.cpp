// How close the vocabulary comes to the cost of merely reading its bytes.
// Everything is measured in one run and printed as ratios to a floor timed
// beside it, so the numbers mean the same on a slow or a busy machine:
//  - a whole `quadrivo-tool cerca` process against `cat LESSICO.DAT`;
//  - the load inside the program against reading the file the plain way;
//  - lookups on the largest length group against one memchr over the
//    group's bytes and against a plain word-by-word loop;
//  - the groups kept column by column: time to read them all, and memory.
//
//   vocabulary_bench [-l LESSICO.DAT] [-t quadrivo-tool] [-n PROCESS_RUNS]

#include "document/file_io.h"
#include "platform/recording/recording_messages.h"
#include "vocabulary/vocabulary.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
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

volatile std::size_t sink;

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// Median time of one call, over rounds of `batch` calls.
double MedianMicros(const std::function<void()>& call, int batch, int rounds = 41) {
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
        const auto start = Clock::now();
        for (int b = 0; b < batch; ++b) call();
        times.push_back(Micros(Clock::now() - start) / batch);
    }
    std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
    return times[static_cast<std::size_t>(rounds / 2)];
}

// Runs the command `runs` times with its output thrown away.
struct Command {
    std::string name;
    std::vector<std::string> argv;
    std::vector<double> wall, cpu;
};

bool RunOnce(Command& c) {
    std::vector<char*> argv;
    for (auto& a : c.argv) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    const auto start = Clock::now();
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) return false;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    c.wall.push_back(Micros(Clock::now() - start));
    c.cpu.push_back(usage.ru_utime.tv_sec * 1e6 + usage.ru_utime.tv_usec + usage.ru_stime.tv_sec * 1e6 +
                    usage.ru_stime.tv_usec);
    return true;
}

double Median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// The lookups as they were before: the group's bytes in file order, every
// word compared at the places the pattern fixes.
std::vector<std::size_t> FixedPlaces(std::string_view pattern, bool dotIsWildcard) {
    std::vector<std::size_t> places;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (pattern[i] != ' ' && !(dotIsWildcard && pattern[i] == '.')) places.push_back(i);
    return places;
}

bool Agrees(const char* word, std::string_view pattern, const std::vector<std::size_t>& places) {
    for (std::size_t i : places)
        if (word[i] != pattern[i]) return false;
    return true;
}

bool PlainExists(std::string_view group, std::string_view pattern) {
    const auto places = FixedPlaces(pattern, true);
    for (std::size_t at = 0; at < group.size(); at += pattern.size())
        if (Agrees(group.data() + at, pattern, places)) return true;
    return false;
}

std::size_t PlainCollect(std::string_view group, std::string_view pattern, std::vector<std::int16_t>& out) {
    const std::size_t L = pattern.size();
    const bool free = pattern.find_first_not_of(' ') == std::string_view::npos;
    const auto places = FixedPlaces(pattern, false);
    out.clear();
    int k = 0;
    for (std::size_t at = 0; at < group.size() && out.size() < vocabulary::MatchCapacity; at += L) {
        ++k;
        const char* word = group.data() + at;
        if (!Agrees(word, pattern, places)) continue;
        if (free) {
            bool qh = false;
            for (std::size_t i = 0; i < L; ++i) qh |= (word[i] == 'Q') | (word[i] == 'H');
            if (qh) continue;
        }
        out.push_back(static_cast<std::int16_t>(k));
    }
    return out.size();
}

void Row(const char* what, double micros, double floor, const char* floorName, const char* goal) {
    std::printf("%-44s %10.1f %8.2fx %-14s %s\n", what, micros, micros / floor, floorName, goal);
}

} // namespace

int main(int argc, char** argv) {
    std::string lessico = QUADRIVO_LESSICO, tool = QUADRIVO_TOOL;
    int runs = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "-l") lessico = argv[i + 1];
        else if (a == "-t") tool = argv[i + 1];
        else if (a == "-n") runs = std::max(5, std::atoi(argv[i + 1]));
    }
    platform::RecordingMessages messages;
    vocabulary::Vocabulary v;
    if (!v.LoadVocabularyIndex(lessico, messages)) return 1;
    int L = vocabulary::MinLength;
    for (int n = vocabulary::MinLength; n <= vocabulary::MaxLength; ++n)
        if (v.VocabularyCount(n) > v.VocabularyCount(L)) L = n;
    const int words = v.VocabularyCount(L);
    std::string bytes;
    document::ReadWholeFile(lessico, bytes);
    const std::string group = bytes.substr(static_cast<std::size_t>(v.VocabularyStart(L) - 1),
                                           static_cast<std::size_t>(words) * static_cast<std::size_t>(L));
    std::printf("%s: %zu bytes; group of %d letters: %d words\n\n", lessico.c_str(), bytes.size(), L, words);
    std::printf("%-44s %10s %9s %-14s %s\n", "", "us", "ratio", "to", "goal");

    // Whole processes, interleaved so that a busy moment hits all alike.
    std::vector<Command> commands = {
        {"cat LESSICO.DAT > /dev/null", {"/bin/cat", lessico}, {}, {}},
        {"quadrivo-tool cerca (one letter)", {tool, "cerca", std::string(2, '_') + "R" + std::string(L - 3, '_'), "-l", lessico}, {}, {}},
        {"quadrivo-tool cerca M_LA", {tool, "cerca", "M_LA", "-l", lessico}, {}, {}},
        {"/bin/true", {"/bin/true"}, {}, {}},
    };
    for (int r = 0; r < runs; ++r)
        for (Command& c : commands)
            if (!RunOnce(c)) {
                std::fprintf(stderr, "cannot run %s\n", c.argv[0].c_str());
                return 1;
            }
    const double catWall = Median(commands[0].wall), catCpu = Median(commands[0].cpu);
    for (std::size_t i = 1; i < commands.size(); ++i) {
        Row((commands[i].name + ", wall").c_str(), Median(commands[i].wall), catWall, "cat", i < 3 ? "<= 1.5x" : "");
        Row((commands[i].name + ", cpu").c_str(), Median(commands[i].cpu), catCpu, "cat", "");
    }

    // The load inside the program, against reading the file the plain way.
    const double plainRead = MedianMicros([&] {
        std::string b;
        document::ReadWholeFile(lessico, b);
        sink = b.size();
    }, 5);
    const double load = MedianMicros([&] {
        vocabulary::Vocabulary fresh;
        fresh.LoadVocabularyIndex(lessico, messages);
        sink = static_cast<std::size_t>(fresh.VocabularyCount(L));
    }, 5);
    Row("LoadVocabularyIndex", load, plainRead, "ReadWholeFile", "<= 1x (start-up no slower)");

    // Lookups on the largest group.
    const double floor = MedianMicros([&] { sink = memchr(group.data(), '\n', group.size()) != nullptr; }, 20);
    std::vector<std::int16_t> plainOut;
    auto pattern = [&](std::initializer_list<std::pair<int, char>> fixed) {
        std::string p(static_cast<std::size_t>(L), ' ');
        for (auto [place, letter] : fixed) p[static_cast<std::size_t>(place)] = letter;
        return p;
    };
    // A letter no word holds at a place, for the cases without a match.
    auto absent = [&](int place) {
        const std::string_view column = v.Column(L, place);
        for (char ch = 'Z'; ch >= 'A'; --ch)
            if (column.find(ch) == std::string_view::npos) return ch;
        return 'A';
    };
    const std::string blank = pattern({});
    const std::string oneLetter = pattern({{2, 'R'}});
    const std::string oneAbsent = pattern({{L - 1, absent(L - 1)}});
    const std::string twoNoMatch = pattern({{0, 'Z'}, {L - 1, 'Z'}});
    const std::string threeNoMatch = pattern({{0, 'Z'}, {1, 'Z'}, {2, 'Z'}});
    std::printf("\nlookups, group of %d letters (memchr over its %zu bytes: %.1f us)\n", L, group.size(), floor);
    const auto timeCollect = [&](const std::string& p) {
        return MedianMicros([&] {
            v.CollectMatches(p, messages);
            sink = static_cast<std::size_t>(v.MatchCount());
        }, 20);
    };
    const auto timePlainCollect = [&](const std::string& p) {
        return MedianMicros([&] { sink = PlainCollect(group, p, plainOut); }, 20);
    };
    const auto timeExists = [&](const std::string& p) {
        return MedianMicros([&] { sink = v.PatternExists(p); }, 20);
    };
    const auto timePlainExists = [&](const std::string& p) {
        return MedianMicros([&] { sink = PlainExists(group, p); }, 20);
    };
    v.CollectMatches(oneLetter, messages);
    const int oneLetterMatches = v.MatchCount();
    struct Lookup {
        std::string what;
        double micros, plain;
        const char* goal;
    };
    const std::vector<Lookup> lookups = {
        {"CollectMatches all blank", timeCollect(blank), timePlainCollect(blank), "= plain loop"},
        {"CollectMatches 1 letter, " + std::to_string(oneLetterMatches) + " matches", timeCollect(oneLetter),
         timePlainCollect(oneLetter), ""},
        {"CollectMatches 1 letter, no match", timeCollect(oneAbsent), timePlainCollect(oneAbsent), "<= 2x memchr"},
        {"CollectMatches 2 letters, no match", timeCollect(twoNoMatch), timePlainCollect(twoNoMatch), "<= 2x memchr"},
        {"PatternExists 1 letter, no match", timeExists(oneAbsent), timePlainExists(oneAbsent), "<= 2x memchr"},
        {"PatternExists 3 letters, no match", timeExists(threeNoMatch), timePlainExists(threeNoMatch), "<= 2x memchr"},
        {"FindByMask 1 letter (masked search)",
         MedianMicros([&] { sink = v.FindByMask(oneLetter).size(); }, 20), timePlainCollect(oneLetter), ""},
    };
    for (const Lookup& l : lookups) {
        Row(l.what.c_str(), l.micros, floor, "memchr", l.goal);
        Row("  the same, plain word-by-word loop", l.plain, floor, "memchr", "");
    }

    // The cost a one-off lookup pays when its group is not read yet.
    std::vector<double> firsts;
    for (int r = 0; r < 21; ++r) {
        vocabulary::Vocabulary cold;
        cold.LoadVocabularyIndex(lessico, messages);
        const auto start = Clock::now();
        cold.CollectMatches(oneLetter, messages);
        firsts.push_back(Micros(Clock::now() - start));
    }
    Row("first 1-letter lookup, group read on the way", Median(firsts), floor, "memchr", "");

    // Every group read and laid out column by column.
    vocabulary::Vocabulary full;
    full.LoadVocabularyIndex(lessico, messages);
    const std::size_t afterLoad = full.WordBytesInMemory();
    const auto readStart = Clock::now();
    for (int n = vocabulary::MinLength; n <= vocabulary::MaxLength; ++n) sink = full.Column(n, 0).size();
    const double read = Micros(Clock::now() - readStart);
    std::printf("\nall groups read into columns: %.1f ms, %.2f MB of words (%.3f of the file)\n", read / 1000,
                static_cast<double>(full.WordBytesInMemory()) / (1 << 20),
                static_cast<double>(full.WordBytesInMemory()) / static_cast<double>(bytes.size()));
    std::printf("words in memory right after loading: %zu bytes\n", afterLoad);
    return 0;
}
