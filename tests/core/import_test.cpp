// Crosswords of other programs: every crossword the exports write comes
// back whole, and files written by others come in with what a .qdr cannot
// hold listed.

#include "document/export_ipuz.h"
#include "document/export_puz.h"
#include "document/import_formats.h"
#include "export_samples.h"

#include <gtest/gtest.h>

using namespace document;

namespace {

// Grid letters and clues of every word start, the way a reader sees them.
std::vector<std::string> Seen(const Crossword& source) {
    Crossword doc = source;
    ComputeWordMap(doc);
    std::vector<std::string> seen{std::to_string(doc.ColumnCount) + "x" + std::to_string(doc.RowCount)};
    for (int r = 1; r <= doc.RowCount; ++r) {
        std::string row;
        for (int c = 1; c <= doc.ColumnCount; ++c) row += doc.Cell(c, r);
        seen.push_back(row);
    }
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c)
            for (int d : {Horizontal, Vertical})
                if (StartsWord(doc.StartCodes(c, r), d))
                    seen.push_back(std::to_string(doc.WordNumbers(c, r)) + "/" + std::to_string(d) + " " +
                                   doc.Definitions(c, r, d));
    return seen;
}

std::string Fixture(const std::string& name) {
    return testgrids::ReadBytes(exporttest::kTestData + "/importa/" + name);
}

} // namespace

TEST(Import, EveryExportedCrosswordComesBackWhole) {
    for (const bool completed : {false, true}) {
        for (const auto& sample : completed ? exporttest::CompletedSamples() : exporttest::PlainSamples()) {
            SCOPED_TRACE(sample.name + (completed ? " completed" : ""));
            Crossword ipuz;
            const ImportReport fromIpuz = ImportCrossword(ipuz, IpuzText(sample.doc), "06-12-2026");
            EXPECT_EQ(fromIpuz.outcome, ImportOutcome::Imported) << fromIpuz.message;
            EXPECT_EQ(Seen(ipuz), Seen(sample.doc));
            if (!PuzProblem(sample.doc).empty()) continue;  // .puz keeps only full grids
            Crossword puz;
            const ImportReport fromPuz = ImportCrossword(puz, PuzBytes(sample.doc), "06-12-2026");
            EXPECT_EQ(fromPuz.outcome, ImportOutcome::Imported) << fromPuz.message;
            EXPECT_EQ(Seen(puz), Seen(sample.doc));
        }
    }
}

TEST(Import, FilesWrittenByOthers) {
    struct Case {
        const char* file;
        ImportOutcome outcome;
        std::vector<std::string> told;  // pieces of the message
        const char* firstRow;           // "" when refused
    };
    using O = ImportOutcome;
    const Case cases[] = {
        {"quindici.ipuz", O::ImportedWithLosses, {"\xC8 \x96> E"}, "EFKPUZEJOTYDINS"},
        {"ventuno.ipuz", O::Refused, {"21 x 21 caselle"}, ""},
        {"rebus.ipuz", O::ImportedWithLosses, {"rebus", "(3,2)", "Cerchi", "99 orizzontale."}, "CASA*"},
        {"quindici.puz", O::Imported, {}, "EFKPUZEJOTYDINS"},
        {"danneggiato.puz", O::ImportedWithLosses, {"somme di controllo"}, "EFKPUZEJOTYDINS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Crossword doc;
        const ImportReport report = ImportCrossword(doc, Fixture(c.file), "06-12-2026");
        EXPECT_EQ(report.outcome, c.outcome) << report.message;
        for (const std::string& piece : c.told) EXPECT_NE(report.message.find(piece), std::string::npos) << report.message;
        if (c.outcome == O::Refused) {
            EXPECT_FALSE(doc.HasCrossword() && doc.ColumnCount > 0);
            continue;
        }
        std::string firstRow;
        for (int col = 1; col <= doc.ColumnCount; ++col) firstRow += doc.Cell(col, 1);
        EXPECT_EQ(firstRow, c.firstRow);
        ComputeWordMap(doc);
        EXPECT_EQ(doc.FileLines(4).substr(13), std::to_string(doc.ColumnCount).insert(0, doc.ColumnCount < 10 ? "0" : "") + "x" +
                                                    (doc.RowCount < 10 ? "0" : "") + std::to_string(doc.RowCount));
        // Clues land on their words, accents in Windows-1252.
        const std::string across = doc.Definitions(1, 1, Horizontal);
        EXPECT_EQ(across.rfind("Orizzontale 1: citt\xE0", 0), 0u) << across;
    }
}

TEST(Import, ClueTooLongForAQdrLineIsCutAndSaid) {
    const std::string ipuz =
        "{\"dimensions\": {\"width\": 3, \"height\": 3}, \"puzzle\": [[1,2,3],[4,0,0],[5,0,0]],"
        "\"clues\": {\"Across\": [[1, \"" + std::string(1500, 'x') + "\"], [4, \"breve\"]]}}";
    Crossword doc;
    const ImportReport report = ImportCrossword(doc, ipuz, "06-12-2026");
    EXPECT_EQ(report.outcome, ImportOutcome::ImportedWithLosses);
    EXPECT_NE(report.message.find("accorciate a 1000 caratteri: 1 orizzontale."), std::string::npos) << report.message;
    EXPECT_EQ(doc.Definitions(1, 1, Horizontal), std::string(1000, 'x'));
    EXPECT_EQ(doc.Definitions(1, 2, Horizontal), "breve");
}

TEST(Import, DamagedFilesAreRefusedWithAReason) {
    const std::string puz = Fixture("quindici.puz");
    const std::pair<std::string, std::string> cases[] = {
        {"", "non \xE8 un cruciverba"},
        {"{\"dimensions\": {\"width\": 5", "non \xE8 un testo JSON valido"},
        {"{\"dimensions\": {\"width\": 5, \"height\": 5}}", "non contiene lo schema"},
        {"{\"dimensions\": {\"width\": 5, \"height\": 5}, \"puzzle\": [[0,0,0,0,0]]}", "non corrispondono"},
        {"{\"dimensions\": {\"width\": 1e300, \"height\": -1}}", "non dice le dimensioni"},
        {std::string(200, '[') , "non \xE8 un cruciverba"},
        {"{\"a\": " + std::string(200, '['), "annidamento"},
        {puz.substr(0, 40), "troppo corto"},
        {puz.substr(0, 0x34 + 100), "pi\xF9 corto"},
        {puz.substr(0, 0x34 + 2 * 225 + 30), "definizioni sono incomplete"},
    };
    for (const auto& [bytes, reason] : cases) {
        SCOPED_TRACE(bytes.substr(0, 60));
        Crossword doc;
        const ImportReport report = ImportCrossword(doc, bytes, "06-12-2026");
        EXPECT_EQ(report.outcome, ImportOutcome::Refused);
        EXPECT_NE(report.message.find(reason), std::string::npos) << report.message;
    }
    EXPECT_EQ(ImportedName("/cartella/Rivista.2026.ipuz"), "RIVISTA.2026.QDR");
}
