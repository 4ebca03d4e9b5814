// Timings of the lookups the automatic fill and the clue editor lean on, and
// of the edit cycle's save + load + word map.

#include "document/crossword_file.h"
#include "document/word_map.h"
#include "platform/recording/recording_messages.h"
#include "vocabulary/vocabulary.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

vocabulary::Vocabulary& Lessico() {
    static vocabulary::Vocabulary v = [] {
        vocabulary::Vocabulary loaded;
        platform::RecordingMessages messages;
        loaded.LoadVocabularyIndex(QUADRIVO_LESSICO, messages);
        return loaded;
    }();
    return v;
}

int LargestGroup() {
    int best = 3;
    for (int L = 3; L <= 15; ++L)
        if (Lessico().VocabularyCount(L) > Lessico().VocabularyCount(best)) best = L;
    return best;
}

void CollectMatchesAllBlank(benchmark::State& state) {
    const std::string pattern(LargestGroup(), ' ');
    platform::RecordingMessages messages;
    for (auto _ : state) {
        Lessico().CollectMatches(pattern, messages);
        benchmark::DoNotOptimize(Lessico().MatchCount());
    }
    state.counters["words"] = Lessico().VocabularyCount(LargestGroup());
    state.counters["matches"] = Lessico().MatchCount();
}

void CollectMatchesOneLetter(benchmark::State& state) {
    std::string pattern(LargestGroup(), ' ');
    pattern[2] = 'R';
    platform::RecordingMessages messages;
    for (auto _ : state) {
        Lessico().CollectMatches(pattern, messages);
        benchmark::DoNotOptimize(Lessico().MatchCount());
    }
    state.counters["matches"] = Lessico().MatchCount();
}

void PatternExistsNoMatch(benchmark::State& state) {
    std::string pattern(LargestGroup(), ' ');
    pattern[0] = 'Z';
    pattern[1] = 'Z';
    pattern[2] = 'Z';
    for (auto _ : state) benchmark::DoNotOptimize(Lessico().PatternExists(pattern));
}

void SaveLoadWordMap(benchmark::State& state) {
    document::Crossword doc;
    doc.FileLines(1) = "Autore     : Zampetti Olindo";
    doc.FileLines(2) = "Data       : 05-12-2026";
    doc.FileLines(3) = "Tipo       : Crociate Normale";
    doc.FileLines(4) = "Dimensioni : 25x15";
    doc.ColumnCount = 25;
    doc.RowCount = 15;
    for (int r = 1; r <= 15; ++r)
        for (int c = 1; c <= 25; ++c)
            doc.GridLine(r) += (c + r) % 6 == 0 ? "**" : std::string(1, static_cast<char>('A' + (c * r) % 26)) + ".";
    document::ComputeWordMap(doc);
    int clues = 0;
    for (int r = 1; r <= 15 && clues < 100; ++r)
        for (int c = 1; c <= 25 && clues < 100; ++c)
            for (int d : {1, 2})
                if (clues < 100 && document::StartsWord(doc.StartCodes(c, r), d)) {
                    doc.Definitions(c, r, d) = "Definizione di prova numero " + std::to_string(++clues);
                }
    const std::string file = (std::filesystem::temp_directory_path() / "quadrivo_bench.qdr").string();
    platform::RecordingMessages messages;
    for (auto _ : state) {
        document::SaveCrosswordFile(doc, file, messages);
        document::LoadCrosswordFile(doc, file, messages);
        document::ComputeWordMap(doc);
    }
    state.counters["clues"] = clues;
    std::filesystem::remove(file);
}

} // namespace

BENCHMARK(CollectMatchesAllBlank)->Unit(benchmark::kMicrosecond);
BENCHMARK(CollectMatchesOneLetter)->Unit(benchmark::kMicrosecond);
BENCHMARK(PatternExistsNoMatch)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveLoadWordMap)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
