// How often and how fast the complete fill fills a set of grids (the model
// library and crossword files) with a vocabulary, over several seeds. Every
// fill is checked here on its own terms before it counts: black cells and
// letters kept, every run of 3 or more cells a word of the vocabulary, no
// word twice.
//
//   complete_fill_bench [-l LESSICO.DAT] [-s SEEDS] [-t SECONDS] [-q QUALITY] [-m CRUCINEW.DAT] FILE.qdr...
//   complete_fill_bench -m CRUCINEW.DAT -w FOLDER   (writes the models as modello_NN.qdr, for
//                                                    bench/fill_quality.py)

#include "document/crossword_file.h"
#include "document/file_io.h"
#include "document/model_library.h"
#include "fill/complete_fill.h"
#include "fill/complete_fill_index.h"
#include "vocabulary/vocabulary.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace {

class Quiet : public platform::Messages {
public:
    platform::Answer Show(const std::string& text, platform::Buttons, const std::string&, platform::Icon) override {
        std::cerr << text << '\n';
        return platform::Answer::Ok;
    }
    void EndProgram() override {}
};

struct Grid {
    std::string name;
    document::Crossword doc;
};

// "" when `after` is a complete fill of `before`, else what is wrong.
std::string CheckFill(const std::vector<std::string>& before, const std::vector<std::string>& after,
                      const vocabulary::Vocabulary& vocab) {
    if (before.size() != after.size()) return "righe diverse";
    std::set<std::string> used;
    for (std::size_t r = 0; r < before.size(); ++r) {
        if (before[r].size() != after[r].size()) return "colonne diverse";
        for (std::size_t c = 0; c < before[r].size(); ++c) {
            const char b = before[r][c], a = after[r][c];
            if ((b == '*') != (a == '*') || (b >= 'A' && b <= 'Z' && a != b)) return "casella cambiata";
        }
    }
    const std::size_t rows = after.size(), columns = rows ? after[0].size() : 0;
    for (int across = 0; across < 2; ++across)
        for (std::size_t a = 0; a < (across ? rows : columns); ++a) {
            std::string run;
            for (std::size_t b = 0; b <= (across ? columns : rows); ++b) {
                const bool end = b == (across ? columns : rows);
                const char ch = end ? '*' : (across ? after[a][b] : after[b][a]);
                if (ch != '*') {
                    run += ch;
                    continue;
                }
                if (run.size() >= 3) {
                    if (!std::all_of(run.begin(), run.end(), [](char x) { return x >= 'A' && x <= 'Z'; }) ||
                        !vocab.PatternExists(run))
                        return run + " non e' nel vocabolario";
                    if (!used.insert(run).second) return run + " ripetuta";
                }
                run.clear();
            }
        }
    return "";
}

} // namespace

int main(int argc, char** argv) {
    std::string lessico = "LESSICO.DAT";
    int seeds = 5;
    double limit = 60;
    int quality = 100;
    std::string writeFolder;
    std::vector<Grid> grids;
    Quiet quiet;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-l" && i + 1 < argc) {
            lessico = argv[++i];
        } else if (a == "-s" && i + 1 < argc) {
            seeds = std::max(1, std::stoi(argv[++i]));
        } else if (a == "-t" && i + 1 < argc) {
            limit = std::stod(argv[++i]);
        } else if (a == "-q" && i + 1 < argc) {
            quality = std::clamp(std::stoi(argv[++i]), 1, 100);
        } else if (a == "-w" && i + 1 < argc) {
            writeFolder = argv[++i];
        } else if (a == "-m" && i + 1 < argc) {
            std::string bytes;
            std::vector<document::Model> models;
            if (!document::ReadWholeFile(argv[++i], bytes) || !document::ReadModelLibrary(bytes, models)) {
                std::cerr << "libreria di modelli non valida: " << argv[i] << "\n";
                return 1;
            }
            for (std::size_t n = 0; n < models.size(); ++n) {
                Grid g{"modello " + std::to_string(n + 1) + " (" + std::to_string(models[n].Columns()) + "x" +
                           std::to_string(models[n].Rows()) + ")",
                       {}};
                document::MakeCrosswordFromModel(g.doc, models[n], "01-01-2000");
                grids.push_back(std::move(g));
            }
        } else {
            Grid g{a.substr(a.find_last_of('/') + 1), {}};
            if (document::LoadCrosswordFile(g.doc, a, quiet) != document::LoadResult::Loaded) return 1;
            grids.push_back(std::move(g));
        }
    }
    if (!writeFolder.empty()) {
        int n = 0;
        for (Grid& g : grids) {
            if (g.name.rfind("modello ", 0) != 0) continue;
            char name[32];
            std::snprintf(name, sizeof name, "/modello_%02d.qdr", ++n);
            if (document::SaveCrosswordFile(g.doc, writeFolder + name, quiet) != document::SaveResult::Saved) return 1;
        }
        return 0;
    }
    vocabulary::Vocabulary vocab;
    if (!vocab.LoadVocabularyIndex(lessico, quiet)) return 1;
    fill::LetterIndex index(vocab);

    int gridsFilled = 0, wrong = 0;
    std::vector<double> allTimes;
    std::printf("%-26s %6s %8s %10s %9s %10s %10s %9s\n", "griglia", "parole", "riempite", "impossib.",
                "scadute", "ms (med.)", "ms (max)", "nodi med.");
    for (Grid& g : grids) {
        int filled = 0, impossible = 0, timedOut = 0, slots = 0;
        std::vector<double> times;
        std::vector<long long> nodes;
        for (int seed = 1; seed <= seeds; ++seed) {
            fill::CompleteFillOptions options;
            options.seed = static_cast<std::uint64_t>(seed);
            options.timeLimitSeconds = limit;
            options.quality = quality;
            const fill::CompleteFillResult result = fill::CompleteFill(g.doc, index, options);
            slots = result.stats.slotCount;
            times.push_back(result.stats.searchMilliseconds);
            nodes.push_back(result.stats.nodes);
            switch (result.outcome) {
            case fill::CompleteFillOutcome::Filled:
                if (const std::string fault = CheckFill(fill::GridCells(g.doc), result.rows, vocab); !fault.empty()) {
                    std::printf("  ERRORE %s seme %d: %s\n", g.name.c_str(), seed, fault.c_str());
                    ++wrong;
                } else {
                    ++filled;
                }
                break;
            case fill::CompleteFillOutcome::Impossible: ++impossible; break;
            default: ++timedOut; break;
            }
        }
        std::sort(times.begin(), times.end());
        std::sort(nodes.begin(), nodes.end());
        allTimes.insert(allTimes.end(), times.begin(), times.end());
        gridsFilled += filled == seeds ? 1 : 0;
        std::printf("%-26s %6d %5d/%-2d %10d %9d %10.1f %10.1f %9lld\n", g.name.c_str(), slots, filled, seeds,
                    impossible, timedOut, times[times.size() / 2], times.back(), nodes[nodes.size() / 2]);
    }
    std::sort(allTimes.begin(), allTimes.end());
    std::printf("\ngriglie riempite con ogni seme: %d su %zu; tempo mediano %.1f ms; riempimenti errati %d\n",
                gridsFilled, grids.size(), allTimes.empty() ? 0.0 : allTimes[allTimes.size() / 2], wrong);
    std::printf("indice: %.1f ms, %.0f KB; parole in memoria %.0f KB\n", index.BuildMilliseconds(),
                static_cast<double>(index.Bytes()) / 1024, static_cast<double>(vocab.WordBytesInMemory()) / 1024);
    return wrong == 0 ? 0 : 1;
}
