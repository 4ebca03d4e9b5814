#include "document/export_formats.h"
#include "document/export_ipuz.h"
#include "document/file_io.h"
#include "document/text.h"
#include "export_samples.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <variant>

using namespace document;
using exporttest::Sample;
using platform::RecordingMessages;

namespace {

// A small strict JSON reader (RFC 8259), written here so that the test does
// not read the files with the code that writes them.
struct Json;
using JsonArray = std::vector<Json>;
using JsonObject = std::vector<std::pair<std::string, Json>>;
struct Json {
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<JsonArray>, std::shared_ptr<JsonObject>> v;

    bool IsNull() const { return std::holds_alternative<std::nullptr_t>(v); }
    bool IsNumber() const { return std::holds_alternative<double>(v); }
    bool IsString() const { return std::holds_alternative<std::string>(v); }
    double Number() const { return std::get<double>(v); }
    const std::string& String() const { return std::get<std::string>(v); }
    const JsonArray& Array() const { return *std::get<std::shared_ptr<JsonArray>>(v); }
    const JsonObject& Object() const { return *std::get<std::shared_ptr<JsonObject>>(v); }
    bool Has(const std::string& key) const {
        for (const auto& [k, value] : Object())
            if (k == key) return true;
        return false;
    }
    const Json& operator[](const std::string& key) const {
        for (const auto& [k, value] : Object())
            if (k == key) return value;
        throw std::runtime_error("no key " + key);
    }
    const Json& operator[](std::size_t i) const { return Array().at(i); }
};

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : t_(text) {}
    Json Document() {
        Json value = Value();
        Blanks();
        if (p_ != t_.size()) Fail("text after the value");
        return value;
    }

private:
    [[noreturn]] void Fail(const std::string& what) {
        throw std::runtime_error(what + " at byte " + std::to_string(p_));
    }
    void Blanks() {
        while (p_ < t_.size() && (t_[p_] == ' ' || t_[p_] == '\n' || t_[p_] == '\r' || t_[p_] == '\t')) ++p_;
    }
    char Peek() {
        Blanks();
        if (p_ >= t_.size()) Fail("unexpected end");
        return t_[p_];
    }
    void Expect(std::string_view word) {
        if (t_.substr(p_, word.size()) != word) Fail("expected " + std::string(word));
        p_ += word.size();
    }
    Json Value() {
        const char ch = Peek();
        if (ch == '{') return Object();
        if (ch == '[') return Array();
        if (ch == '"') return {String()};
        if (ch == 'n') return Expect("null"), Json{nullptr};
        if (ch == 't') return Expect("true"), Json{true};
        if (ch == 'f') return Expect("false"), Json{false};
        return Number();
    }
    Json Object() {
        auto object = std::make_shared<JsonObject>();
        ++p_;
        if (Peek() == '}') return ++p_, Json{object};
        for (;;) {
            if (Peek() != '"') Fail("expected a key");
            std::string key = String();
            if (Peek() != ':') Fail("expected ':'");
            ++p_;
            object->emplace_back(key, Value());
            const char next = Peek();
            ++p_;
            if (next == '}') return {object};
            if (next != ',') Fail("expected ',' or '}'");
        }
    }
    Json Array() {
        auto array = std::make_shared<JsonArray>();
        ++p_;
        if (Peek() == ']') return ++p_, Json{array};
        for (;;) {
            array->push_back(Value());
            const char next = Peek();
            ++p_;
            if (next == ']') return {array};
            if (next != ',') Fail("expected ',' or ']'");
        }
    }
    Json Number() {
        const std::size_t start = p_;
        if (p_ < t_.size() && t_[p_] == '-') ++p_;
        while (p_ < t_.size() && (std::isdigit(static_cast<unsigned char>(t_[p_])) || t_[p_] == '.' ||
                                  t_[p_] == 'e' || t_[p_] == 'E' || t_[p_] == '+' || t_[p_] == '-'))
            ++p_;
        if (start == p_) Fail("unexpected character");
        return {std::stod(std::string(t_.substr(start, p_ - start)))};
    }
    static void Utf8(std::string& out, unsigned cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    std::string String() {
        ++p_;
        std::string out;
        for (;;) {
            if (p_ >= t_.size()) Fail("unterminated string");
            const char ch = t_[p_++];
            if (ch == '"') return out;
            if (static_cast<unsigned char>(ch) < 0x20) Fail("raw control character in a string");
            if (ch != '\\') {
                out += ch;
                continue;
            }
            if (p_ >= t_.size()) Fail("unterminated escape");
            const char e = t_[p_++];
            const std::string simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
            if (const auto k = simple.find(e); k != std::string::npos) {
                out += meaning[k];
            } else if (e == 'u' && p_ + 4 <= t_.size()) {
                Utf8(out, static_cast<unsigned>(std::stoul(std::string(t_.substr(p_, 4)), nullptr, 16)));
                p_ += 4;
            } else {
                Fail("bad escape");
            }
        }
    }

    std::string_view t_;
    std::size_t p_ = 0;
};

Json Parse(const std::string& text) { return JsonReader(text).Document(); }

bool IsWhite(const Crossword& doc, int c, int r) {
    return c >= 1 && r >= 1 && c <= doc.ColumnCount && r <= doc.RowCount && doc.Cell(c, r) != BlackCell;
}

// The numbering rule, written out again: a white cell is numbered when it
// starts a run of at least two white cells across or down.
std::map<std::pair<int, int>, int> ExpectedNumbers(const Crossword& doc, std::map<int, std::pair<int, int>>& cells) {
    std::map<std::pair<int, int>, int> numbers;
    int n = 0;
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c) {
            if (!IsWhite(doc, c, r)) continue;
            const bool across = !IsWhite(doc, c - 1, r) && IsWhite(doc, c + 1, r);
            const bool down = !IsWhite(doc, c, r - 1) && IsWhite(doc, c, r + 1);
            if (across || down) {
                numbers[{c, r}] = ++n;
                cells[n] = {c, r};
            }
        }
    return numbers;
}

void ExpectMatchesCrossword(const Json& ipuz, const Crossword& doc) {
    EXPECT_EQ(ipuz["version"].String(), "http://ipuz.org/v2");
    ASSERT_EQ(ipuz["kind"].Array().size(), 1u);
    EXPECT_EQ(ipuz["kind"][0].String(), "http://ipuz.org/crossword#1");
    EXPECT_EQ(ipuz["dimensions"]["width"].Number(), doc.ColumnCount);
    EXPECT_EQ(ipuz["dimensions"]["height"].Number(), doc.RowCount);
    EXPECT_EQ(ipuz["charset"].String(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(ipuz["empty"].String(), "0");
    EXPECT_EQ(ipuz["author"].String(), Cp1252ToUtf8(doc.FileLines(1).substr(13)));

    std::map<int, std::pair<int, int>> cellOf;
    const auto numbers = ExpectedNumbers(doc, cellOf);
    const Json& puzzle = ipuz["puzzle"];
    const Json& solution = ipuz["solution"];
    ASSERT_EQ(puzzle.Array().size(), static_cast<std::size_t>(doc.RowCount));
    ASSERT_EQ(solution.Array().size(), static_cast<std::size_t>(doc.RowCount));
    for (int r = 1; r <= doc.RowCount; ++r) {
        ASSERT_EQ(puzzle[r - 1].Array().size(), static_cast<std::size_t>(doc.ColumnCount));
        ASSERT_EQ(solution[r - 1].Array().size(), static_cast<std::size_t>(doc.ColumnCount));
        for (int c = 1; c <= doc.ColumnCount; ++c) {
            SCOPED_TRACE("cell " + std::to_string(c) + "," + std::to_string(r));
            const Json& p = puzzle[r - 1][c - 1];
            const Json& s = solution[r - 1][c - 1];
            const char cell = doc.Cell(c, r);
            if (cell == BlackCell) {
                EXPECT_EQ(p.String(), "#");
                EXPECT_EQ(s.String(), "#");
                continue;
            }
            const auto it = numbers.find({c, r});
            EXPECT_EQ(p.Number(), it == numbers.end() ? 0 : it->second);
            if (cell == EmptyCell)
                EXPECT_TRUE(s.IsNull());
            else
                EXPECT_EQ(s.String(), std::string(1, cell));
        }
    }

    const Json& clues = ipuz["clues"];
    ASSERT_EQ(clues.Object().size(), 2u);
    for (const auto& [key, direction] : {std::pair{"Across:Orizzontali", Horizontal}, {"Down:Verticali", Vertical}}) {
        int last = 0;
        std::size_t expected = 0;
        for (const auto& [number, cell] : cellOf) {
            const auto [c, r] = cell;
            const bool starts = direction == Horizontal ? !IsWhite(doc, c - 1, r) && IsWhite(doc, c + 1, r)
                                                        : !IsWhite(doc, c, r - 1) && IsWhite(doc, c, r + 1);
            expected += starts ? 1 : 0;
        }
        ASSERT_EQ(clues[key].Array().size(), expected) << key;
        for (const Json& clue : clues[key].Array()) {
            const int number = static_cast<int>(clue[0].Number());
            EXPECT_GT(number, last) << key;
            last = number;
            const auto [c, r] = cellOf.at(number);
            EXPECT_EQ(clue[1].String(), Cp1252ToUtf8(doc.Definitions(c, r, direction))) << key << " " << number;
        }
    }
}

} // namespace

TEST(ExportIpuz, ExampleCarriesTheRequiredFieldsAndItsWords) {
    Crossword doc = exporttest::LoadSample(exporttest::kTestData + "/esempio.qdr");
    const Json ipuz = Parse(IpuzText(doc));
    for (const char* key : {"version", "kind", "dimensions", "puzzle", "solution", "clues", "title", "author",
                            "charset", "empty"})
        EXPECT_TRUE(ipuz.Has(key)) << key;
    EXPECT_EQ(ipuz["title"].String(), "esempio");
    EXPECT_EQ(ipuz["author"].String(), "Zampetti Olindo");
    EXPECT_EQ(ipuz["date"].String(), "01/28/1998");
    // RE* / .V. / *A*: 1 starts both ways, 2 down, 3 across.
    EXPECT_EQ(ipuz["puzzle"][0][0].Number(), 1);
    EXPECT_EQ(ipuz["puzzle"][0][1].Number(), 2);
    EXPECT_EQ(ipuz["puzzle"][1][0].Number(), 3);
    EXPECT_EQ(ipuz["puzzle"][1][1].Number(), 0);
    EXPECT_EQ(ipuz["solution"][0][1].String(), "E");
    EXPECT_TRUE(ipuz["solution"][1][0].IsNull());
    EXPECT_EQ(ipuz["clues"]["Across:Orizzontali"][0][1].String(), "Nota musicale");
    EXPECT_EQ(ipuz["clues"]["Across:Orizzontali"][1][0].Number(), 3);
    EXPECT_EQ(ipuz["clues"]["Down:Verticali"].Array().size(), 2u);
    ExpectMatchesCrossword(ipuz, doc);
}

TEST(ExportIpuz, EverySampleRoundTripsAsItIsAndCompletedWithAccents) {
    auto samples = exporttest::PlainSamples();
    ASSERT_GE(samples.size(), 6u) << "the test grids and the shipped models are missing";
    for (auto completed : exporttest::CompletedSamples()) samples.push_back(std::move(completed));
    for (const Sample& s : samples) {
        SCOPED_TRACE(s.name);
        ASSERT_EQ(ExportProblem(s.doc), "");
        std::string problem;
        const std::string text = ExportBytes(s.doc, ExportFormat::Ipuz, problem);
        ASSERT_EQ(problem, "");
        EXPECT_EQ(ValidUtf8(text), text) << "not UTF-8";
        ExpectMatchesCrossword(Parse(text), s.doc);
    }
}

TEST(ExportIpuz, ClueTextsSurviveEscapingAndAccents) {
    Crossword doc = testgrids::MakeCrossword({"RE*", ".V.", "*A*"});
    doc.Definitions(1, 1, Horizontal) = "Tab\there, \"quote\", back\\slash, \x01 and \xE0\xE8\xE9\xEC\xF2\xF9 \x80";
    doc.Definitions(2, 1, Vertical) = "</script> & {json: [1]}";
    doc.FileLines(1) = "Autore     : Nicol\xF2 \"Nick\"   ";
    const Json ipuz = Parse(IpuzText(doc));
    EXPECT_EQ(ipuz["clues"]["Across:Orizzontali"][0][1].String(),
              "Tab\there, \"quote\", back\\slash, \x01 and \u00E0\u00E8\u00E9\u00EC\u00F2\u00F9 \u20AC");
    EXPECT_EQ(ipuz["clues"]["Down:Verticali"][1][1].String(), "</script> & {json: [1]}");
    EXPECT_EQ(ipuz["author"].String(), "Nicol\u00F2 \"Nick\"");
}

TEST(ExportIpuz, TitleIsTheFileNameAndStaysValidUtf8) {
    struct Row {
        std::string fileName, title;
    };
    for (const Row& row : std::vector<Row>{{"/home/anna/Citt\u00E0 d'arte.qdr", "Citt\u00E0 d'arte"},
                                           {"NUOVOCRU.QDR", "NUOVOCRU"},
                                           {"/tmp/senza.estensione/nome", "nome"},
                                           {"/tmp/rotto\xFF\xFE.qdr", "rotto\uFFFD\uFFFD"}}) {
        Crossword doc = testgrids::MakeCrossword({"RE*", ".V.", "*A*"});
        doc.CurrentFileName = row.fileName;
        EXPECT_EQ(Parse(IpuzText(doc))["title"].String(), row.title) << row.fileName;
    }
}

TEST(ExportIpuz, SolutionFollowsTheGridRowsEvenBeforeARedraw) {
    Crossword doc = testgrids::MakeCrossword({"RE*", ".V.", "*A*"});
    ComputeWordMap(doc);
    doc.GridLine(2) = "*.V...";  // blackened after the last redraw: V now starts 3 across
    const Json ipuz = Parse(IpuzText(doc));
    EXPECT_EQ(ipuz["solution"][1][0].String(), "#");
    EXPECT_EQ(ipuz["puzzle"][1][0].String(), "#");
    EXPECT_EQ(ipuz["puzzle"][1][1].Number(), 3);
    ASSERT_EQ(ipuz["clues"]["Across:Orizzontali"].Array().size(), 2u);
    EXPECT_EQ(ipuz["clues"]["Across:Orizzontali"][1][0].Number(), 3);
}

TEST(ExportFormats, RefusesWhatNoFormatCanHoldAndWritesNothing) {
    struct Row {
        std::vector<std::string> rows;
        std::string fileName;
        std::string message;
    };
    const std::vector<Row> rows = {
        {{"RE*", ".v.", "*A*"}, "TEST.QDR", "colonna 2, riga 2 contiene \"v\""},
        {{"RE*", "#V.", "*A*"}, "TEST.QDR", "colonna 1, riga 2 contiene \"#\""},
        {{"RE*", ".V\xC0", "*A*"}, "TEST.QDR", "colonna 3, riga 2 contiene il carattere di codice 192"},
        {{"RE*", ".V.", "*A*"}, "", NoCrosswordMessage},
    };
    const std::string dir = testgrids::TempDir("export_refused");
    for (const Row& row : rows) {
        Crossword doc = testgrids::MakeCrossword(row.rows);
        doc.CurrentFileName = row.fileName;
        for (ExportFormat format : {ExportFormat::Ipuz, ExportFormat::Puz, ExportFormat::SvgGrid, ExportFormat::SvgSolution}) {
            RecordingMessages messages;
            const std::string out = dir + "/out" + ExtensionOf(format);
            EXPECT_FALSE(ExportCrossword(doc, format, out, messages));
            ASSERT_EQ(messages.Texts().size(), 1u);
            EXPECT_NE(messages.Texts()[0].find(row.message), std::string::npos) << messages.Texts()[0];
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
