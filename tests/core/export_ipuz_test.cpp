#include "document/export_formats.h"
#include "document/export_ipuz.h"
#include "document/file_io.h"
#include "document/json.h"
#include "document/text.h"
#include "export_samples.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

using namespace document;
using exporttest::Sample;
using platform::RecordingMessages;

namespace {

// The files are read back with the JSON reader of the import side, which the
// writer does not use; a missing member or item throws and fails the test.
struct Json {
    const json::Value& v;
    Json operator[](std::string_view key) const {
        const json::Value* member = v.Find(key);
        if (!member) throw std::runtime_error("no member " + std::string(key));
        return {*member};
    }
    Json operator[](std::size_t i) const { return {v.items.at(i)}; }
    std::size_t size() const { return v.IsObject() ? v.names.size() : v.items.size(); }
    const std::string& str() const { return v.IsString() ? v.text : throw std::runtime_error("not a string"); }
    double num() const { return v.IsNumber() ? v.number : throw std::runtime_error("not a number"); }
};

struct Parsed {
    json::Value root;
    explicit Parsed(const std::string& text) {
        std::string error;
        if (!json::Parse(text, root, error)) throw std::runtime_error("not JSON: " + error);
    }
    Json operator[](std::string_view key) const { return Json{root}[key]; }
};

bool IsWhite(const Crossword& doc, int c, int r) {
    return c >= 1 && r >= 1 && c <= doc.ColumnCount && r <= doc.RowCount && doc.Cell(c, r) != BlackCell;
}
bool Starts(const Crossword& doc, int c, int r, int d) {
    return d == Horizontal ? !IsWhite(doc, c - 1, r) && IsWhite(doc, c + 1, r)
                           : !IsWhite(doc, c, r - 1) && IsWhite(doc, c, r + 1);
}

// Checked against the numbering rule written out again: a white cell is
// numbered when it starts a run of at least two white cells across or down.
void ExpectMatchesCrossword(const Parsed& ipuz, const Crossword& doc) {
    EXPECT_EQ(ipuz["version"].str(), "http://ipuz.org/v2");
    ASSERT_EQ(ipuz["kind"].size(), 1u);
    EXPECT_EQ(ipuz["kind"][0].str(), "http://ipuz.org/crossword#1");
    EXPECT_EQ(ipuz["dimensions"]["width"].num(), doc.ColumnCount);
    EXPECT_EQ(ipuz["dimensions"]["height"].num(), doc.RowCount);
    EXPECT_EQ(ipuz["charset"].str(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(ipuz["empty"].str(), "0");
    EXPECT_EQ(ipuz["author"].str(), Cp1252ToUtf8(ExportAuthor(doc)));
    const std::string block = ipuz["block"].str();  // what the black cells below must hold

    std::map<int, std::pair<int, int>> cellOf;
    const Json puzzle = ipuz["puzzle"], solution = ipuz["solution"];
    ASSERT_EQ(puzzle.size(), static_cast<std::size_t>(doc.RowCount));
    ASSERT_EQ(solution.size(), static_cast<std::size_t>(doc.RowCount));
    for (int r = 1; r <= doc.RowCount; ++r) {
        ASSERT_EQ(puzzle[r - 1].size(), static_cast<std::size_t>(doc.ColumnCount));
        ASSERT_EQ(solution[r - 1].size(), static_cast<std::size_t>(doc.ColumnCount));
        for (int c = 1; c <= doc.ColumnCount; ++c) {
            SCOPED_TRACE("cell " + std::to_string(c) + "," + std::to_string(r));
            const Json p = puzzle[r - 1][c - 1], s = solution[r - 1][c - 1];
            const char cell = doc.Cell(c, r);
            if (cell == BlackCell) {
                EXPECT_EQ(p.str(), block);
                EXPECT_EQ(s.str(), block);
                continue;
            }
            const bool numbered = Starts(doc, c, r, Horizontal) || Starts(doc, c, r, Vertical);
            if (numbered) cellOf[static_cast<int>(cellOf.size()) + 1] = {c, r};
            EXPECT_EQ(p.num(), numbered ? static_cast<double>(cellOf.size()) : 0);
            if (cell == EmptyCell) {
                EXPECT_TRUE(s.v.IsNull());
            } else {
                EXPECT_EQ(s.str(), std::string(1, cell));
            }
        }
    }
    ASSERT_EQ(ipuz["clues"].size(), 2u);
    for (const auto& [key, direction] : {std::pair{"Across:Orizzontali", Horizontal}, {"Down:Verticali", Vertical}}) {
        std::vector<std::pair<int, std::string>> expected, written;
        for (const auto& [number, cell] : cellOf)
            if (Starts(doc, cell.first, cell.second, direction))
                expected.emplace_back(number, Cp1252ToUtf8(doc.Definitions(cell.first, cell.second, direction)));
        const Json clues = ipuz["clues"][key];
        for (std::size_t i = 0; i < clues.size(); ++i)
            written.emplace_back(static_cast<int>(clues[i][0].num()), clues[i][1].str());
        EXPECT_EQ(written, expected) << key;
    }
}

} // namespace

TEST(ExportIpuz, EverySampleRoundTripsAsItIsAndCompletedWithAccents) {
    auto samples = exporttest::PlainSamples();
    ASSERT_GE(samples.size(), 6u) << "the test grids and the shipped models are missing";
    for (auto completed : exporttest::CompletedSamples()) samples.push_back(std::move(completed));
    for (const Sample& s : samples) {
        SCOPED_TRACE(s.name);
        std::string problem;
        const std::string text = ExportBytes(s.doc, ExportFormat::Ipuz, problem);
        ASSERT_EQ(problem, "");
        EXPECT_EQ(ValidUtf8(text), text) << "not UTF-8";
        ExpectMatchesCrossword(Parsed(text), s.doc);
    }
    EXPECT_EQ(Parsed(IpuzText(samples[0].doc))["date"].str(), "01/28/1998");
}

TEST(ExportIpuz, TextsSurviveEscapingAndTheGridRowsCountEvenBeforeARedraw) {
    Crossword doc = testgrids::MakeCrossword({"RE*", ".V.", "*A*"});
    ComputeWordMap(doc);
    doc.Definitions(1, 1, Horizontal) = "Tab\there, \"quote\", back\\slash, \x01 and \xE0\xE8\xE9\xEC\xF2\xF9 \x80";
    doc.Definitions(2, 1, Vertical) = "</script> & {json: [1]}";  // read back by ExpectMatchesCrossword
    doc.FileLines(1) = "Autore     : Nicol\xF2 \"Nick\"   ";
    doc.GridLine(2) = "*.V...";  // blackened after the last redraw: V now starts 3 across
    const Parsed ipuz(IpuzText(doc));
    EXPECT_EQ(ipuz["clues"]["Across:Orizzontali"][0][1].str(),
              "Tab\there, \"quote\", back\\slash, \x01 and \u00E0\u00E8\u00E9\u00EC\u00F2\u00F9 \u20AC");
    EXPECT_EQ(ipuz["author"].str(), "Nicol\u00F2 \"Nick\"");
    ExpectMatchesCrossword(ipuz, doc);
}

TEST(ExportIpuz, TitleIsTheFileNameAndStaysValidUtf8) {
    const std::pair<std::string, std::string> rows[] = {{"/home/anna/Citt\u00E0 d'arte.qdr", "Citt\u00E0 d'arte"},
                                                        {"NUOVOCRU.QDR", "NUOVOCRU"},
                                                        {"/tmp/senza.estensione/nome", "nome"},
                                                        {"/tmp/rotto\xFF\xFE.qdr", "rotto\uFFFD\uFFFD"}};
    for (const auto& [fileName, title] : rows) {
        Crossword doc = testgrids::MakeCrossword({"RE*", ".V.", "*A*"});
        doc.CurrentFileName = fileName;
        EXPECT_EQ(Parsed(IpuzText(doc))["title"].str(), title) << fileName;
    }
}

TEST(ExportFormats, RefusesWhatNoFormatCanHoldAndWritesNothing) {
    const std::tuple<std::vector<std::string>, std::string, std::string> rows[] = {
        {{"RE*", ".v.", "*A*"}, "TEST.QDR", "colonna 2, riga 2 contiene \"v\""},
        {{"RE*", "#V.", "*A*"}, "TEST.QDR", "colonna 1, riga 2 contiene \"#\""},
        {{"RE*", ".V\xC0", "*A*"}, "TEST.QDR", "colonna 3, riga 2 contiene il carattere di codice 192"},
        {{"RE*", ".V.", "*A*"}, "", NoCrosswordMessage},
    };
    const std::string dir = testgrids::TempDir("export_refused");
    for (const auto& [grid, fileName, message] : rows) {
        Crossword doc = testgrids::MakeCrossword(grid);
        doc.CurrentFileName = fileName;
        for (ExportFormat format : {ExportFormat::Ipuz, ExportFormat::Puz, ExportFormat::SvgGrid, ExportFormat::SvgSolution}) {
            RecordingMessages messages;
            const std::string out = dir + "/out" + ExtensionOf(format);
            EXPECT_FALSE(ExportCrossword(doc, format, out, messages));
            ASSERT_EQ(messages.Texts().size(), 1u);
            EXPECT_NE(messages.Texts()[0].find(message), std::string::npos) << messages.Texts()[0];
            EXPECT_FALSE(std::filesystem::exists(out));
        }
    }
}

TEST(ExportFormats, FullDiskKeepsTheOlderFileAndSaysSo) {
    const std::string dir = testgrids::TempDir("export_full_disk");
    const Crossword doc = exporttest::LoadSample(exporttest::kTestData + "/esempio.qdr");
    for (ExportFormat format : {ExportFormat::Ipuz, ExportFormat::SvgGrid}) {
        const std::string out = dir + "/vecchio" + ExtensionOf(format);
        testgrids::WriteBytes(out, "contenuto precedente");
        RecordingMessages messages;
        SimulateFullDisk(10);
        const bool written = ExportCrossword(doc, format, out, messages);
        SimulateFullDisk(std::nullopt);
        EXPECT_FALSE(written);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{WriteErrorMessage});
        EXPECT_EQ(testgrids::ReadBytes(out), "contenuto precedente");
        // No temporary file is left beside it.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()),
                  format == ExportFormat::Ipuz ? 1 : 2);
        RecordingMessages quiet;
        EXPECT_TRUE(ExportCrossword(doc, format, out, quiet));
        EXPECT_TRUE(quiet.shown.empty());
        std::string problem;
        EXPECT_EQ(testgrids::ReadBytes(out), ExportBytes(doc, format, problem));
    }
}

TEST(ExportFormats, FormatFollowsTheExtensionWhateverItsCase) {
    const std::vector<std::pair<std::string, std::optional<ExportFormat>>> rows = {
        {"a.ipuz", ExportFormat::Ipuz}, {"/x/B.PUZ", ExportFormat::Puz}, {"c.Pdf", ExportFormat::Pdf},
        {"d.svg", ExportFormat::SvgGrid}, {"e.qdr", std::nullopt},     {"svg", std::nullopt},
        {".svg", std::nullopt},          {"/dir.svg/f", std::nullopt}, {"g.svg.txt", std::nullopt},
        {"", std::nullopt}};
    for (const auto& [name, format] : rows) EXPECT_EQ(FormatOfFileName(name), format) << name;
}
