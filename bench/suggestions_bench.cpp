// The clue suggestions on an archive of generated crosswords: the index
// built from nothing, brought up to date after one changed file (the copy,
// the scan by modification time, the re-read and the index written, as the
// program does it), read back at the start of a run, and the suggestions
// for a word from the archive and from the thesaurus.
//
//   suggestions_bench [-n CROSSWORDS] [-s THESAURUS.dat] [-f FORME.TXT]
//
// The files are generated in a temporary folder and removed at the end;
// the times are of a warm file cache (the files were just written).

#include "document/clue_archive.h"
#include "document/crossword.h"
#include "document/crossword_file.h"
#include "document/file_io.h"
#include "document/word_map.h"
#include "vocabulary/thesaurus.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Median of `runs` timings of `work`, in milliseconds.
double Median(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int k = 0; k < runs; ++k) {
        const auto start = Clock::now();
        work();
        times.push_back(Millis(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A 15 x 12 crossword of random letters with a black cell every few cells,
// every word clued; CASA opens one file in ten.
std::string MakeCrossword(std::mt19937& random, int number) {
    document::Crossword doc;
    doc.ColumnCount = 15;
    doc.RowCount = 12;
    doc.FileLines(1) = "Autore     : Banco di prova";
    doc.FileLines(2) = "Data       : 01-01-2020";
    doc.FileLines(3) = "Tipo       : Crociate Normale";
    doc.FileLines(4) = "Dimensioni : 15x12";
    std::uniform_int_distribution<int> letter('A', 'Z'), black(0, 5);
    for (int r = 1; r <= doc.RowCount; ++r) {
        std::string line;
        for (int c = 1; c <= doc.ColumnCount; ++c) {
            const bool isBlack = black(random) == 0;
            line += isBlack ? "**" : std::string(1, static_cast<char>(letter(random))) + ".";
        }
        doc.GridLine(r) = line;
    }
    if (number % 10 == 0) doc.GridLine(1).replace(0, 10, "C.A.S.A.**");
    document::ComputeWordMap(doc);
    int k = 0;
    for (const document::WordEntry& w : document::WordsInReadingOrder(doc))
        doc.Definitions(w.column, w.row, w.direction) =
            w.letters == "CASA" ? "Abitazione n. " + std::to_string(number % 7) : "Definizione " + std::to_string(++k);
    bool complete = false;
    return document::EncodeCrossword(doc, complete);
}

} // namespace

int main(int argc, char** argv) {
    int count = 2000;
    std::string thesaurusFile = vocabulary::DefaultThesaurusFile;
    std::string formsFile = (fs::path(argv[0]).parent_path() / vocabulary::FormsFile).string();
    for (int k = 1; k + 1 < argc; k += 2) {
        if (!std::strcmp(argv[k], "-n")) count = std::max(1, std::atoi(argv[k + 1]));
        if (!std::strcmp(argv[k], "-s")) thesaurusFile = argv[k + 1];
        if (!std::strcmp(argv[k], "-f")) formsFile = argv[k + 1];
    }
    const fs::path dir = fs::temp_directory_path() / ("quadrivo_bench_archivio_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string index = (dir / "indice.txt").string();
    std::mt19937 random(29);
    for (int k = 0; k < count; ++k) {
        const std::string bytes = MakeCrossword(random, k);
        document::ReplaceFile((dir / ("cruciverba" + std::to_string(k) + ".qdr")).string(), bytes);
    }
    const std::vector<std::string> folders = {dir.string()};

    // From nothing: every file read, the index written.
    const double fresh = Median(5, [&] {
        document::ClueArchive archive;
        archive.Update(folders);
        archive.SaveIndex(index);
    });
    document::ClueArchive archive;
    archive.Update(folders);
    archive.SaveIndex(index);
    const document::ArchiveCounts counts = archive.Counts();

    // The index read back, as at the first opening in a run.
    const double load = Median(5, [&] {
        document::ClueArchive again;
        again.LoadIndex(index);
    });

    // One file changed: the archive copied (as the background update works
    // on a copy), every file's time looked at, the changed one read again;
    // then the index written.
    int round = 0;
    int reread = 0;
    std::vector<double> updates, writes;
    for (int k = 0; k < 9; ++k) {
        const auto name = dir / ("cruciverba" + std::to_string(++round) + ".qdr");
        document::ReplaceFile(name.string(), MakeCrossword(random, round));
        fs::last_write_time(name, fs::file_time_type::clock::now() + std::chrono::seconds(round));
        const auto start = Clock::now();
        document::ClueArchive copy = archive;
        reread = copy.Update(folders);
        const auto updated = Clock::now();
        copy.SaveIndex(index);
        writes.push_back(Millis(Clock::now() - updated));
        updates.push_back(Millis(updated - start));
        archive = std::move(copy);
    }
    std::sort(updates.begin(), updates.end());
    std::sort(writes.begin(), writes.end());
    const double update = updates[updates.size() / 2], write = writes[writes.size() / 2];
    const double scanOnly = Median(9, [&] { archive.Update(folders); });
    // The floor: one stat of every file of the folder, nothing else.
    const double statFloor = Median(9, [&] {
        for (const auto& entry : fs::directory_iterator(dir)) {
            struct stat st {};
            ::stat(entry.path().c_str(), &st);
        }
    });
    std::size_t found = 0;
    const double lookup = Median(51, [&] { found = archive.Lookup("CASA").size(); });

    vocabulary::Thesaurus thesaurus;
    std::string problem;
    const auto openStart = Clock::now();
    const bool open = thesaurus.Open(thesaurusFile, problem);
    const double thesaurusOpen = Millis(Clock::now() - openStart);
    const bool forms = open && thesaurus.OpenForms(formsFile);
    std::size_t synonyms = 0;
    const double synonymLookup =
        Median(51, [&] { synonyms = thesaurus.Suggestions("GATTI").size() + thesaurus.Suggestions("CASA").size(); });

    std::printf("Archivio: %d cruciverba, %d definizioni, %d illeggibili\n", counts.files, counts.clues,
                counts.damaged);
    std::printf("indice da zero (lettura di tutti i file + scrittura indice): %.1f ms\n", fresh);
    std::printf("lettura dell'indice salvato (prima apertura):                %.1f ms\n", load);
    std::printf("aggiornamento dopo un file cambiato (%d riletto), in memoria: %.1f ms\n", reread, update);
    std::printf("  poi scrittura dell'indice:                                 %.1f ms\n", write);
    std::printf("controllo delle date, nulla da rileggere:                    %.1f ms\n", scanOnly);
    std::printf("  pavimento: una stat per file della cartella:               %.1f ms\n", statFloor);
    std::printf("suggerimenti dall'archivio per CASA (%zu testi):              %.3f ms\n", found, lookup);
    if (open)
        std::printf("sinonimi per GATTI e CASA (%zu testi, forme %s):       %.3f ms (apertura %.1f ms)\n", synonyms,
                    forms ? "si" : "no", synonymLookup, thesaurusOpen);
    else
        std::printf("%s\n", problem.c_str());
    fs::remove_all(dir);
    return 0;
}
