#include "document/crossword_file.h"
#include "document/file_io.h"
#include "document/word_map.h"
#include "platform/recording/recording_messages.h"
#include "test_grids.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

using namespace document;
using platform::RecordingMessages;
using testgrids::MakeCrossword;
using testgrids::ReadBytes;
using testgrids::RowCells;
using testgrids::WriteBytes;

namespace {

const std::string kExample = std::string(QUADRIVO_TEST_DATA) + "/esempio.qdr";
const std::string kHeader =
    "Autore     : Zampetti Olindo\r\nData       : 28-01-1998\r\nTipo       : Crociate Normale\r\n";

} // namespace

TEST(CrosswordFile, ExampleLoadsDecodedKeepsOtherCluesAndSavesByteIdentical) {
    RecordingMessages messages;
    Crossword doc;
    doc.Definitions(2, 2, Vertical) = "rimasta";  // loading never empties the clue table
    ASSERT_EQ(LoadCrosswordFile(doc, kExample, messages), LoadResult::Loaded);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(std::pair(doc.ColumnCount, doc.RowCount), std::pair(3, 3));
    EXPECT_EQ(doc.FileLines(1), "Autore     : Zampetti Olindo");
    EXPECT_EQ(doc.GridLine(1) + doc.GridLine(2) + doc.GridLine(3), "R.E.**..V...**A.**");
    EXPECT_EQ(doc.Definitions(1, 1, Horizontal), "Nota musicale");
    EXPECT_EQ(doc.Definitions(1, 1, Vertical) + doc.Definitions(2, 2, Vertical), "rimasta");
    Crossword cleared = doc;
    cleared.ClearDefinitions();
    EXPECT_EQ(cleared.Definitions(2, 2, Vertical) + cleared.Definitions(1, 1, Horizontal), "");

    ComputeWordMap(doc);
    const std::string out = testgrids::TempDir("example") + "/copia.qdr";
    ASSERT_EQ(SaveCrosswordFile(doc, out, messages), SaveResult::Saved);
    EXPECT_EQ(ReadBytes(out), ReadBytes(kExample));
}

TEST(CrosswordFile, ClueLinesComeInColumnMajorOrderWithPaddedFieldsFromTheLastWordMap) {
    Crossword doc = MakeCrossword({"..........", "..........", "..........", ".........."});
    ComputeWordMap(doc);
    doc.Definitions(2, 1, Vertical) = "seconda colonna";
    doc.Definitions(1, 2, Horizontal) = "prima colonna, riga 2";
    doc.Definitions(1, 1, Vertical) = "giu";
    doc.Definitions(1, 1, Horizontal) = "su";
    doc.Definitions(10, 1, Vertical) = "decima";
    doc.Definitions(3, 3, Horizontal) = "non inizia una parola";  // written nowhere
    bool complete = false;
    const std::string bytes = EncodeCrossword(doc, complete);
    ASSERT_TRUE(complete);
    const auto lines = SplitLines(bytes);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + std::min<std::size_t>(8, lines.size()), lines.end()),
              (std::vector<std::string>{"  1  11-su", "  1  12-giu", "  1  21-prima colonna, riga 2",
                                        "  2  12-seconda colonna", " 10  12-decima"}));

    // The start codes are those of the last word map.
    doc.GridLine(2).replace(2, 2, "**");  // black (2,2): (2,1) no longer starts a word down
    EXPECT_NE(EncodeCrossword(doc, complete).find("seconda colonna"), std::string::npos);
    ComputeWordMap(doc);
    EXPECT_EQ(EncodeCrossword(doc, complete).find("seconda colonna"), std::string::npos);
    EXPECT_EQ(doc.Definitions(2, 1, Vertical), "seconda colonna");  // kept in memory
}

TEST(CrosswordFile, ReadsClueFieldsByLeadingNumberAndLinesEndingAtCrOrCrLf) {
    Crossword doc;
    RecordingMessages messages;
    std::string rows;
    for (int r = 0; r < 12; ++r) rows += std::string(20, 'H') + "\r\n";
    const std::string bytes = kHeader + "Dimensioni : 10x12\r\n" + rows +
                              " 10 122-Fiume: \xE8 lungo\r\n" + "  3  11-\r\n" + "  4  52\r\n";
    ASSERT_EQ(ReadCrossword(doc, bytes, messages), LoadResult::Loaded);
    EXPECT_EQ(doc.Definitions(10, 12, Vertical), "Fiume: \xE8 lungo");
    EXPECT_EQ(doc.Definitions(3, 1, Horizontal) + doc.Definitions(4, 5, Vertical), "");
    EXPECT_TRUE(messages.shown.empty());

    // Lines end at CR or CR LF, not at a bare LF.
    EXPECT_EQ(SplitLines("uno\r\ndue\rtre\nancora\r\n\r\nultima"),
              (std::vector<std::string>{"uno", "due", "tre\nancora", "", "ultima"}));
    EXPECT_EQ(SplitLines("x\r\n").size() + SplitLines("").size(), 1u);
    const std::string cr = std::string("Autore     : A\rData       : B\rTipo       : C\r") +
                           "Dimensioni : 03x03\r\\.\\.\\.\rH.H.H.\rD*D*D*\r  1  11-riga\nsotto\r";
    Crossword crOnly;
    ASSERT_EQ(ReadCrossword(crOnly, cr, messages), LoadResult::Loaded);
    EXPECT_EQ(RowCells(crOnly, 1) + crOnly.Definitions(1, 1, Horizontal), "BBBriga\nsotto");
}

TEST(CrosswordFile, SizesOutsideTheGridAreAnInvalidFormat) {
    for (const char* sizes : {"00x05", "05x00", "26x05", "05x16", "-5x05", "", "ab"}) {
        Crossword doc;
        RecordingMessages messages;
        const std::string bytes = kHeader + "Dimensioni : " + sizes + "\r\n";
        EXPECT_EQ(ReadCrossword(doc, bytes, messages), LoadResult::InvalidFormat) << sizes;
        EXPECT_EQ(messages.Texts(),
                  std::vector<std::string>{"Formato del file non valido! Esecuzione terminata"});
        EXPECT_TRUE(messages.ended);
    }
}

TEST(CrosswordFile, ReadErrorsKeepWhatWasReadSoFar) {
    struct Row {
        const char* name;
        std::string bytes;
        int rowsKept;  // grid rows fully read before the failure
        std::string message = "Errore di lettura del file!";
    };
    const std::string read = kHeader + "Dimensioni : 03x03\r\nl.H.H.\r\nHHHHHH\r\nHHHHHH\r\n";  // a grid read whole
    const Row rows[] = {
        {"empty file", "", 0},
        {"three header lines", kHeader, 0},
        {"missing grid row", kHeader + "Dimensioni : 03x03\r\nHHHHHH\r\nH.H.H.\r\n", 2},
        {"shift below zero", kHeader + "Dimensioni : 03x03\r\nHHHHHH\r\nH.\x05.H.\r\nHHHHHH\r\n", 1},
        {"column out of range", read + "  1  11-buona\r\n 26  11-fuori\r\n  1  12-persa\r\n", 3},
        {"direction 3", read + "  1  11-buona\r\n  1  13-fuori\r\n", 3},
        {"empty last line", read + "  1  11-buona\r\n\r\n", 3},
        {"clue too long", read + "  1  11-buona\r\n  1  12-" + std::string(MaxClueLength + 1, 'x') + "\r\n", 3,
         ClueTooLongMessage(9)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Crossword doc;
        doc.GridLine(1) = doc.GridLine(2) = doc.GridLine(3) = "vecchia";
        RecordingMessages messages;
        EXPECT_EQ(ReadCrossword(doc, row.bytes, messages), LoadResult::ReadError);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{row.message});
        EXPECT_FALSE(messages.ended);
        for (int r = 1; r <= row.rowsKept; ++r) EXPECT_NE(doc.GridLine(r), "vecchia");
        if (row.rowsKept == 3) { EXPECT_EQ(doc.Definitions(1, 1, Horizontal), "buona"); }
    }
}

// Their messages, titles and the end of the program at startup, and files too
// big to be a crossword: WorkSafetyTest::startupFailuresLeaveNoWorkingFile.
TEST(CrosswordFile, MissingFilesAndFoldersAreNotFound) {
    for (const std::string& name : {testgrids::TempDir("missing") + "/NONCE.QDR", testgrids::TempDir("folder")}) {
        Crossword doc;
        RecordingMessages messages;
        EXPECT_EQ(LoadCrosswordFile(doc, name, messages), LoadResult::NotFound);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Errore: Cruciverba  " + name + "  Non trovato! Esecuzione terminata.");
        EXPECT_EQ(messages.shown[0].icon, platform::Icon::Information);
    }
}

TEST(CrosswordFile, SaveRecomputesMarkersAndRoundTrips) {
    Crossword doc = MakeCrossword({"CASA*", "*.B..", "RE*OK"});
    doc.GridLine(2)[0] = '.';  // a black cell made white keeps its "*" marker until saved
    ComputeWordMap(doc);
    doc.Definitions(1, 1, Horizontal) = "Abitazione";
    doc.Definitions(1, 3, Horizontal) = std::string(MaxClueLength, 'x');  // the longest clue a file keeps
    const std::string dir = testgrids::TempDir("roundtrip");
    RecordingMessages messages;
    ASSERT_EQ(SaveCrosswordFile(doc, dir + "/a.qdr", messages), SaveResult::Saved);

    Crossword back;
    ASSERT_EQ(LoadCrosswordFile(back, dir + "/a.qdr", messages), LoadResult::Loaded);
    EXPECT_EQ(back.GridLine(1) + back.GridLine(2) + back.GridLine(3), doc.GridLine(1) + "....B....." + doc.GridLine(3));
    EXPECT_EQ(back.FileLines(4), "Dimensioni : 05x03");
    EXPECT_EQ(back.Definitions(1, 3, Horizontal).size(), MaxClueLength);
    EXPECT_EQ(doc.GridLine(2)[1], '*');  // the document in memory is not changed
    EXPECT_TRUE(messages.shown.empty());
}

// A disk that fills up part way through a save: WorkSafetyTest::failedSaveAtExitKeepsTheProgramOpen.
TEST(CrosswordFile, FailedSavesLeaveTheOldFileAsItWas) {
    Crossword doc = MakeCrossword({"ABC", "DEF", "GHI"});
    ComputeWordMap(doc);
    const std::string dir = testgrids::TempDir("write"), name = dir + "/w.qdr";
    const std::string old = kHeader + "Dimensioni : 03x03\r\nHHH...\r\nHHH...\r\nHHH...\r\n";
    WriteBytes(name, old);
    Crossword unencodable = doc;
    unencodable.GridLine(2)[2] = '\xE6';  // code + 26 would pass 255
    // A cell that cannot be encoded, a full disk, a folder that does not exist.
    for (const auto& [what, fullAfter, target] : {std::tuple(&unencodable, std::optional<std::size_t>(), name),
                                                  std::tuple(&doc, std::optional<std::size_t>(0), name),
                                                  std::tuple(&doc, std::optional<std::size_t>(), dir + "/no/such/folder/x.qdr")}) {
        RecordingMessages messages;
        SimulateFullDisk(fullAfter);
        EXPECT_EQ(SaveCrosswordFile(*what, target, messages), SaveResult::WriteError);
        SimulateFullDisk(std::nullopt);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Errore di scrittura del file!"});
        EXPECT_EQ(ReadBytes(name), old);
    }
    // Nothing but the old file is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
    RecordingMessages messages;
    EXPECT_EQ(SaveCrosswordFile(doc, name, messages), SaveResult::Saved);
    EXPECT_NE(ReadBytes(name), old);
}
