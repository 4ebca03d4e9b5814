// How well and how fast the automatic fill works with a vocabulary: over a
// set of grids (the model library and crossword files) and many seeds, every
// question answered "Si", it reports the questions per fill, the share of
// slots left without a word and the median time per grid.
//
//   fill_bench [-l LESSICO.DAT] [-s SEEDS] [-m CRUCINEW.DAT] FILE.qdr...

#include "document/crossword_file.h"
#include "document/file_io.h"
#include "document/model_library.h"
#include "document/word_map.h"
#include "fill/headless_host.h"
#include "vocabulary/vocabulary.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

class AnswerYes : public platform::Messages {
public:
    platform::Answer Show(const std::string&, platform::Buttons buttons, const std::string&, platform::Icon) override {
        return buttons == platform::Buttons::YesNoCancel ? platform::Answer::Yes : platform::Answer::Ok;
    }
    void EndProgram() override {}
};

struct Grid {
    std::string name;
    document::Crossword doc;
};

} // namespace

int main(int argc, char** argv) {
    std::string lessico = "LESSICO.DAT", library;
    int seeds = 20;
    std::vector<Grid> grids;
    AnswerYes quiet;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-l" && i + 1 < argc) {
            lessico = argv[++i];
        } else if (a == "-s" && i + 1 < argc) {
            seeds = std::stoi(argv[++i]);
        } else if (a == "-m" && i + 1 < argc) {
            std::string bytes;
            std::vector<document::Model> models;
            if (!document::ReadWholeFile(argv[++i], bytes) || !document::ReadModelLibrary(bytes, models)) {
                std::cerr << "libreria di modelli non valida: " << argv[i] << "\n";
                return 1;
            }
            for (std::size_t n = 0; n < models.size(); ++n) {
                Grid g{"modello " + std::to_string(n) + " (" + std::to_string(models[n].Columns()) + "x" +
                           std::to_string(models[n].Rows()) + ")",
                       {}};
                document::MakeCrosswordFromModel(g.doc, models[n], "01-01-2000");
                grids.push_back(std::move(g));
            }
        } else {
            Grid g{a, {}};
            if (document::LoadCrosswordFile(g.doc, a, quiet) != document::LoadResult::Loaded) return 1;
            grids.push_back(std::move(g));
        }
    }
    vocabulary::Vocabulary vocab;
    if (!vocab.LoadVocabularyIndex(lessico, quiet)) return 1;

    long totalQuestions = 0, totalSlots = 0, totalEmpty = 0, fills = 0;
    std::printf("%-34s %6s %10s %8s %10s\n", "griglia", "parole", "domande", "vuote%", "ms (med.)");
    for (Grid& g : grids) {
        long questions = 0, slots = 0, empty = 0;
        std::vector<double> times;
        for (int seed = 1; seed <= seeds; ++seed) {
            document::Crossword doc = g.doc;
            document::ComputeWordMap(doc);
            fill::HeadlessHost host(static_cast<std::uint64_t>(seed));
            const auto start = std::chrono::steady_clock::now();
            const auto report = fill::AutoFill(doc, vocab, quiet, host);
            times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            questions += report.questions;
            slots += report.filled + report.empty;
            empty += report.empty;
        }
        std::sort(times.begin(), times.end());
        std::printf("%-34s %6ld %10.2f %8.1f %10.1f\n", g.name.c_str(), slots / seeds,
                    static_cast<double>(questions) / seeds, slots ? 100.0 * empty / slots : 0.0,
                    times[times.size() / 2]);
        totalQuestions += questions;
        totalSlots += slots;
        totalEmpty += empty;
        fills += seeds;
    }
    std::printf("\nriempimenti %ld, domande per riempimento %.2f, parole senza voce %.1f%%\n", fills,
                fills ? static_cast<double>(totalQuestions) / fills : 0.0,
                totalSlots ? 100.0 * totalEmpty / totalSlots : 0.0);
    return 0;
}
