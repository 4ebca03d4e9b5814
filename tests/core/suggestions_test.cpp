// The sources of clue suggestions: the archive of the clues in a folder of
// crossword files, and the thesaurus read from a small sample in its own
// format (tests/data/sinonimi).

#include "document/clue_archive.h"
#include "test_grids.h"
#include "vocabulary/thesaurus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <tuple>

namespace fs = std::filesystem;

namespace {

const std::string kSamples = std::string(QUADRIVO_TEST_DATA) + "/sinonimi";

// A 4 x 3 crossword with `word` across row 1 (rows 2 and 3 black) and its
// clue; in the file every cell is shifted up by 26.
std::string Crossword(const std::string& word, const std::string& clue) {
    std::string row;
    for (char c : word) row += std::string(1, static_cast<char>(c + 26)) + ".";
    return "Autore     : Prova\r\nData       : 01-01-2000\r\nTipo       : Crociate Normale\r\n"
           "Dimensioni : 04x03\r\n" + row + "\r\nD*D*D*D*\r\nD*D*D*D*\r\n  1  11-" + clue + "\r\n";
}

std::vector<std::string> Texts(const document::ClueArchive& archive, const std::string& word) {
    std::vector<std::string> texts;
    for (const auto& clue : archive.Lookup(word))
        texts.push_back(clue.text + " x" + std::to_string(clue.count) + " " + fs::path(clue.file).filename().string());
    return texts;
}

} // namespace

TEST(ClueArchive, CluesOfAWordNewestFirstRepeatsCountedDamagedSkippedChangesFollowed) {
    const fs::path dir = testgrids::TempDir("archivio");
    // A file with the given modification time (days after a fixed day).
    auto Write = [&](const std::string& name, const std::string& bytes, int day) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        fs::last_write_time(dir / name, fs::file_time_type(std::chrono::hours(24 * (19000 + day))));
    };
    Write("a.qdr", Crossword("CASA", "Dimora"), 1);
    Write("b.qdr", Crossword("CASA", "Abitazione"), 3);
    Write("c.QDR", Crossword("CASA", "Nido"), 4);
    Write("d.qdr", Crossword("CASA", "Abitazione"), 2);
    Write("e.qdr", Crossword("MOLA", "Macina"), 5);
    Write("rotto.qdr", "Autore     : ?\r\nnon e' un cruciverba", 6);
    Write("altro.txt", Crossword("CASA", "Non letto"), 7);

    document::ClueArchive archive;
    bool changed = false;
    EXPECT_EQ(archive.Update({dir.string()}, &changed), 6);
    EXPECT_TRUE(changed);
    EXPECT_EQ(Texts(archive, "CASA"),
              (std::vector<std::string>{"Nido x1 c.QDR", "Abitazione x2 b.qdr", "Dimora x1 a.qdr"}));
    EXPECT_EQ(std::tuple(archive.Counts().files, archive.Counts().damaged, archive.Counts().clues), std::tuple(5, 1, 5));

    // Kept and read back: nothing to read again until a file changes.
    const std::string index = (dir / "indice" / "archivio.txt").string();
    ASSERT_TRUE(archive.SaveIndex(index));
    document::ClueArchive again;
    ASSERT_TRUE(again.LoadIndex(index));
    EXPECT_EQ(again.Update({dir.string()}, &changed), 0);
    EXPECT_FALSE(changed);
    EXPECT_EQ(Texts(again, "CASA"), Texts(archive, "CASA"));
    EXPECT_EQ(again.Counts().damaged, 1);

    // A changed file is read again, a removed one dropped.
    Write("c.QDR", Crossword("CASA", "Rifugio"), 8);
    fs::remove(dir / "a.qdr");
    EXPECT_EQ(again.Update({dir.string()}, &changed), 1);
    EXPECT_TRUE(changed);
    EXPECT_EQ(Texts(again, "CASA"), (std::vector<std::string>{"Rifugio x1 c.QDR", "Abitazione x2 b.qdr"}));
    EXPECT_EQ(Texts(again, "MOLA"), (std::vector<std::string>{"Macina x1 e.qdr"}));

    // A damaged index is no index.
    std::ofstream(index, std::ios::binary | std::ios::app) << "F\tnon un numero\n";
    EXPECT_FALSE(again.LoadIndex(index));
    EXPECT_TRUE(again.Lookup("CASA").empty());
}

TEST(Thesaurus, GlossAndSynonymsOfAWordOrOfItsBaseFormAndFilesRefused) {
    vocabulary::Thesaurus thesaurus;
    std::string problem;
    ASSERT_TRUE(thesaurus.Open(kSamples + "/prova.dat", problem)) << problem;
    ASSERT_TRUE(thesaurus.OpenForms(kSamples + "/forme.txt"));

    struct Case {
        std::string word;
        std::vector<std::string> texts;  // "text" or "text<base" when found through base
    };
    const std::vector<Case> cases = {
        {"GATTO", {"Felino domestico", "micio", "micino", "Persona furba", "volpe"}},
        {"GATTI", {"Felino domestico<gatto", "micio<gatto", "micino<gatto", "Persona furba<gatto", "volpe<gatto"}},
        {"CITTA", {"Centro abitato", "urbe", "metropoli"}},            // accent taken off
        {"INCRISI", {"abbattuto", "in difficolt\xe0"}},                 // blank left out, no gloss
        {"PAPA", {"Pontefice", "pontefice", "Padre", "padre", "babbo"}},  // papa and papà
        {"PAPI", {"Padre<pap\xe0", "padre<pap\xe0", "babbo<pap\xe0"}},  // only the entry spelled so
        {"PORTI", {"Uscio<porta", "uscio<porta", "ingresso<porta", "Trasportare<portare", "recare<portare", "trasportare<portare"}},
        {"ABATI", {}}, {"ZAINI", {}}, {"GATT", {}},  // a form whose entry the thesaurus lacks, the last form, no word
    };
    for (const Case& c : cases) {
        std::vector<std::string> texts;
        for (const auto& s : thesaurus.Suggestions(c.word))
            texts.push_back(s.baseForm.empty() ? s.text : s.text + "<" + s.baseForm);
        EXPECT_EQ(texts, c.texts) << c.word;
    }
    EXPECT_EQ(thesaurus.BaseForms("ZAINI"), std::vector<std::string>{"zaino"});
    EXPECT_EQ(thesaurus.BaseForms("ABATI"), std::vector<std::string>{"abate"});
    EXPECT_EQ(vocabulary::GridLetters("Città d'arte") + vocabulary::GridLetters("x2"), "CITTADARTE");

    // Files that are not a thesaurus are refused with their name.
    const std::string fake = (fs::temp_directory_path() / "quadrivo_finto.dat").string();
    std::ofstream(fake) << "UTF-8\n";
    std::ofstream(fs::temp_directory_path() / "quadrivo_finto.idx") << "ISO8859-1\n3\n";
    for (const std::string& file : {kSamples + "/manca.dat", fake}) {
        vocabulary::Thesaurus refused;
        EXPECT_FALSE(refused.Open(file, problem));
        EXPECT_NE(problem.find("sinonimi"), std::string::npos) << problem;
        EXPECT_FALSE(refused.IsOpen());
        EXPECT_TRUE(refused.Lookup("GATTO").empty());
    }
}
