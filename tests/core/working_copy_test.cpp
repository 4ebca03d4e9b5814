#include "document/file_io.h"
#include "document/working_copy.h"
#include "document/word_map.h"
#include "platform/recording/recording_messages.h"
#include "test_grids.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace document;
using platform::RecordingMessages;
using testgrids::ReadBytes;
using testgrids::WriteBytes;

namespace {

const std::string kFile =
    "Autore     : Zampetti Olindo\r\nData       : 28-01-1998\r\nTipo       : Crociate Normale\r\n"
    "Dimensioni : 03x03\r\nl._.D*\r\nH.p.H.\r\nD*[.D*\r\n  1  11-Nota musicale\r\n";

} // namespace

TEST(WorkingCopy, CopiesLineByLineAndKeepsTheOldCopyOnFailure) {
    const std::string dir = testgrids::TempDir("working");
    const WorkingCopy working(dir + "/_qdra_32.tmp");
    // A crossword file with bare CR line ends and no final ending.
    std::string bare = kFile;
    for (std::size_t at; (at = bare.find("\r\n")) != std::string::npos;) bare.erase(at + 1, 1);
    WriteBytes(dir + "/cr.qdr", bare.substr(0, bare.size() - 1));
    RecordingMessages messages;
    ASSERT_TRUE(working.CopyFrom(dir + "/cr.qdr", messages));
    EXPECT_EQ(ReadBytes(working.Path()), kFile);

    // A folder, a missing file and a full disk leave the copy as it was.
    RecordingMessages failures;
    EXPECT_FALSE(working.CopyFrom(dir, failures));
    EXPECT_FALSE(working.CopyFrom(dir + "/manca.qdr", failures));
    SimulateFullDisk(5);
    EXPECT_FALSE(working.CopyFrom(dir + "/cr.qdr", failures));
    Crossword doc;
    ASSERT_EQ(working.Load(doc, messages), LoadResult::Loaded);
    ComputeWordMap(doc);
    doc.Definitions(1, 1, Horizontal) = "Cambiata";
    EXPECT_FALSE(working.Store(doc, failures));
    SimulateFullDisk(std::nullopt);
    EXPECT_EQ(failures.Texts(), (std::vector<std::string>{ReadErrorMessage, ReadErrorMessage, WriteErrorMessage,
                                                          WriteErrorMessage}));
    EXPECT_EQ(ReadBytes(working.Path()), kFile);

    ASSERT_TRUE(working.Store(doc, messages));
    EXPECT_NE(ReadBytes(working.Path()).find("Cambiata"), std::string::npos);
    working.Remove();
    EXPECT_FALSE(working.Exists());
    EXPECT_TRUE(messages.shown.empty());
}

TEST(WorkingCopy, RescueKeepsTheContentAndOnlyTheNewestCopies) {
    const std::string dir = testgrids::TempDir("rescue");
    const WorkingCopy working(dir + "/_qdra_32.tmp");
    EXPECT_EQ(working.Rescue(dir + "/recupero", "2026-12-06_10-00-00"), "");  // nothing to keep

    WriteBytes(working.Path(), kFile);
    for (int i = 0; i < 4; ++i) {
        const std::string kept = working.Rescue(dir + "/recupero", "2026-12-06_10-00-0" + std::to_string(i), 3);
        ASSERT_FALSE(kept.empty());
        EXPECT_EQ(ReadBytes(kept), kFile);
    }
    // The same second twice keeps both.
    const std::string twin = working.Rescue(dir + "/recupero", "2026-12-06_10-00-03", 3);
    EXPECT_EQ(std::filesystem::path(twin).filename(), "2026-12-06_10-00-03-2.qdr");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir + "/recupero"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"2026-12-06_10-00-02.qdr", "2026-12-06_10-00-03-2.qdr",
                                               "2026-12-06_10-00-03.qdr"}));
}
