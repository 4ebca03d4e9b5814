#include "document/export_formats.h"
#include "document/export_puz.h"
#include "document/text.h"
#include "export_samples.h"

#include <gtest/gtest.h>

using namespace document;
using exporttest::Sample;
using platform::RecordingMessages;

namespace {

// The format's checksum written out again from its description: rotate the
// 16-bit sum right by one bit, then add the byte.
unsigned ChecksumOf(const std::string& text, unsigned sum = 0) {
    for (unsigned char byte : text) sum = ((((sum >> 1) | ((sum & 1u) << 15)) & 0xFFFFu) + byte) & 0xFFFFu;
    return sum;
}

unsigned Word(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes.at(at)) | static_cast<unsigned char>(bytes.at(at + 1)) << 8;
}

// A reader of .puz files independent of the writer: it checks the header and
// every checksum, then gives back the grid and the clues as numbers and
// directions, found from the black cells alone.
struct PuzClue {
    int number;
    int direction;
    std::string text;
};
struct PuzFile {
    int width = 0, height = 0;
    std::string solution, fill, title, author, notes;
    std::vector<PuzClue> clues;
};

PuzFile ReadPuz(const std::string& bytes) {
    PuzFile puz;
    EXPECT_GE(bytes.size(), 0x34u);
    if (bytes.size() < 0x34) return puz;
    EXPECT_EQ(bytes.substr(2, 12), std::string("ACROSS&DOWN\0", 12));
    EXPECT_EQ(bytes.substr(0x18, 4), std::string("1.3\0", 4));
    puz.width = static_cast<unsigned char>(bytes[0x2C]);
    puz.height = static_cast<unsigned char>(bytes[0x2D]);
    const unsigned clueCount = Word(bytes, 0x2E);
    EXPECT_EQ(Word(bytes, 0x30), 1u) << "puzzle type";
    EXPECT_EQ(Word(bytes, 0x32), 0u) << "not scrambled";
    const std::size_t cells = static_cast<std::size_t>(puz.width) * puz.height;
    puz.solution = bytes.substr(0x34, cells);
    puz.fill = bytes.substr(0x34 + cells, cells);
    std::vector<std::string> strings;
    for (std::size_t at = 0x34 + 2 * cells, nul; at < bytes.size(); at = nul + 1) {
        nul = bytes.find('\0', at);
        EXPECT_NE(nul, std::string::npos) << "string without its NUL";
        if (nul == std::string::npos) break;
        strings.push_back(bytes.substr(at, nul - at));
    }
    EXPECT_EQ(strings.size(), clueCount + 4u) << "title, author, copyright, clues, notes";
    if (strings.size() != clueCount + 4u) return puz;
    puz.title = strings[0];
    puz.author = strings[1];
    puz.notes = strings.back();
    const std::vector<std::string> clueTexts(strings.begin() + 3, strings.end() - 1);

    // Checksums: header block, whole file, and the masked ones.
    const unsigned cib = ChecksumOf(bytes.substr(0x2C, 8));
    EXPECT_EQ(Word(bytes, 0x0E), cib);
    auto texts = [&](unsigned sum) {
        for (std::size_t i = 0; i < strings.size(); ++i) {
            const bool clue = i >= 3 && i + 1 < strings.size();
            if (clue || !strings[i].empty()) sum = ChecksumOf(clue ? strings[i] : strings[i] + '\0', sum);
        }
        return sum;
    };
    EXPECT_EQ(Word(bytes, 0x00), texts(ChecksumOf(puz.fill, ChecksumOf(puz.solution, cib))));
    const unsigned parts[4] = {cib, ChecksumOf(puz.solution), ChecksumOf(puz.fill), texts(0)};
    const std::string mask = "ICHEATED";
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(static_cast<unsigned char>(bytes[0x10 + i]), (mask[i] ^ (parts[i] & 0xFF)) & 0xFF) << i;
        EXPECT_EQ(static_cast<unsigned char>(bytes[0x14 + i]), (mask[i + 4] ^ (parts[i] >> 8)) & 0xFF) << i;
    }

    // Clues in number order, across first where a cell starts both.
    auto black = [&](int x, int y) {
        return x < 0 || y < 0 || x >= puz.width || y >= puz.height || puz.solution[y * puz.width + x] == '.';
    };
    int number = 0;
    std::size_t next = 0;
    for (int y = 0; y < puz.height; ++y)
        for (int x = 0; x < puz.width; ++x) {
            const bool across = !black(x, y) && black(x - 1, y) && !black(x + 1, y);
            const bool down = !black(x, y) && black(x, y - 1) && !black(x, y + 1);
            if (!across && !down) continue;
            ++number;
            for (const auto& [starts, direction] : {std::pair{across, Horizontal}, {down, Vertical}})
                if (starts && next < clueTexts.size()) puz.clues.push_back({number, direction, clueTexts[next++]});
        }
    EXPECT_EQ(next, clueTexts.size()) << "clue count against the grid";
    return puz;
}

// The cell of word `number` in the crossword, found by the word map.
std::pair<int, int> StartOf(const Crossword& doc, int number) {
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c)
            if (doc.StartCodes(c, r) > NoStart && doc.WordNumbers(c, r) == number) return {c, r};
    return {0, 0};
}

} // namespace

TEST(ExportPuz, CompletedSamplesReadBackWithTheirChecksumsGridAndAccentedClues) {
    const auto samples = exporttest::CompletedSamples();
    ASSERT_GE(samples.size(), 6u);
    for (const Sample& s : samples) {
        SCOPED_TRACE(s.name);
        std::string problem;
        const PuzFile puz = ReadPuz(ExportBytes(s.doc, ExportFormat::Puz, problem));
        ASSERT_EQ(problem, "");
        const Crossword& doc = s.doc;
        ASSERT_EQ(puz.width, doc.ColumnCount);
        ASSERT_EQ(puz.height, doc.RowCount);
        std::size_t words = 0;
        for (int r = 1; r <= doc.RowCount; ++r)
            for (int c = 1; c <= doc.ColumnCount; ++c) {
                const char cell = doc.Cell(c, r);
                const std::size_t i = static_cast<std::size_t>((r - 1) * doc.ColumnCount + c - 1);
                EXPECT_EQ(puz.solution[i], cell == BlackCell ? '.' : cell) << c << "," << r;
                EXPECT_EQ(puz.fill[i], cell == BlackCell ? '.' : '-') << c << "," << r;
                for (int d : {Horizontal, Vertical}) words += StartsWord(doc.StartCodes(c, r), d) ? 1 : 0;
            }
        EXPECT_EQ(puz.author, ExportAuthor(doc));
        EXPECT_EQ(puz.title, Utf8ToCp1252(ExportTitle(doc)));
        ASSERT_EQ(puz.clues.size(), words);
        for (const PuzClue& clue : puz.clues) {
            const auto [c, r] = StartOf(doc, clue.number);
            ASSERT_TRUE(StartsWord(doc.StartCodes(c, r), clue.direction)) << clue.number;
            // The code page of the clues is ISO-8859-1: accents are the same bytes.
            EXPECT_EQ(clue.text, doc.Definitions(c, r, clue.direction)) << clue.number;
        }
    }
}

TEST(ExportPuz, SmallCrosswordHasTheExactLayout) {
    Crossword doc = testgrids::MakeCrossword({"RE*", "AVE", "*AS"});
    doc.CurrentFileName = "/tmp/Prova.qdr";
    ComputeWordMap(doc);
    doc.Definitions(1, 1, Horizontal) = "Nota";
    doc.Definitions(2, 1, Vertical) = "Prima donna";
    const std::string bytes = PuzBytes(doc);  // the grid bytes: CompletedSamplesReadBack...
    // Title, author, empty copyright, then 1 across, 1 down, 2 down, 3 across,
    // 4 down, 5 across, and the empty notes.
    EXPECT_EQ(bytes.substr(0x34 + 18), std::string("Prova\0Zampetti Olindo\0\0Nota\0\0Prima donna\0\0\0\0\0", 45));
    EXPECT_EQ(PuzChecksum("AB"), ((0x41u >> 1) | 0x8000u) + 0x42u);  // the format's worked value
    ReadPuz(bytes);
}

TEST(ExportPuz, EmptyWhiteCellIsRefusedWithItsPlaceAndNothingIsWritten) {
    const std::string dir = testgrids::TempDir("export_puz_empty");
    for (const Sample& s : exporttest::PlainSamples()) {
        int column = 0, row = 0;
        for (int r = s.doc.RowCount; r >= 1; --r)
            for (int c = s.doc.ColumnCount; c >= 1; --c)
                if (s.doc.Cell(c, r) == EmptyCell) column = c, row = r;
        if (column == 0) continue;
        RecordingMessages messages;
        const std::string out = dir + "/" + s.name + ".puz";
        EXPECT_FALSE(ExportCrossword(s.doc, ExportFormat::Puz, out, messages));
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_NE(messages.Texts()[0].find("colonna " + std::to_string(column) + ", riga " + std::to_string(row) +
                                           " \xE8 vuota"),
                  std::string::npos)
            << messages.Texts()[0];
        EXPECT_FALSE(std::filesystem::exists(out)) << s.name;
    }
}

TEST(ExportPuz, TextsInTheFormatsCodePage) {
    const std::string refusedClue = "La definizione del 5 orizzontale contiene un carattere che il formato .puz non ammette.";
    const std::string refusedAuthor = "Il nome dell'autore contiene un carattere che il formato .puz non ammette.";
    const std::tuple<std::string, std::string, std::string> rows[] = {  // clue or author, written, problem
        {"Citt\xE0 \xE8 pi\xF9 \xAB\xBB \xB0", "Citt\xE0 \xE8 pi\xF9 \xAB\xBB \xB0", ""},
        {"\x93" "Ciao\x94 \x91tu\x92 \x85 \x96 \x97 \x80" "5", "\"Ciao\" 'tu' ... - - EUR5", ""},
        {"\x8C\x9C \x8A\x9A \x8E\x9E \x9F \x99", "OEoe Ss Zz Y TM", ""},
        {"byte non definito \x81", "", refusedClue},
        {"a capo\x0A", "", refusedClue},
        {std::string("nul\0 dentro", 11), "", refusedClue},
        {"Autore     : Anna\x01", "", refusedAuthor},
    };
    for (const auto& [text, written, problem] : rows) {
        Crossword doc = testgrids::MakeCrossword({"RE*", "AVE", "*AS"});
        (problem == refusedAuthor ? doc.FileLines(1) : doc.Definitions(2, 3, Horizontal)) = text;
        EXPECT_EQ(PuzProblem(doc), problem) << text;
        if (!problem.empty()) continue;
        const PuzFile puz = ReadPuz(PuzBytes(doc));
        ASSERT_EQ(puz.clues.size(), 6u);
        EXPECT_EQ(puz.clues[5].text, written);
    }
}
