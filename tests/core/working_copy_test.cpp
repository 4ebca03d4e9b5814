#include "document/file_io.h"
#include "document/working_copy.h"
#include "document/word_map.h"
#include "platform/recording/recording_messages.h"
#include "test_grids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

using namespace document;
using platform::RecordingMessages;
using testgrids::ReadBytes;
using testgrids::WriteBytes;

namespace {

const std::string kFile =
    "Autore     : Zampetti Olindo\r\nData       : 28-01-1998\r\nTipo       : Crociate Normale\r\n"
    "Dimensioni : 03x03\r\nl._.D*\r\nH.p.H.\r\nD*[.D*\r\n  1  11-Nota musicale\r\n";

// The names in a folder, sorted.
std::vector<std::string> Names(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

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
    WriteBytes(working.Path(), "");
    EXPECT_EQ(working.Rescue(dir + "/recupero", "2026-12-06_10-00-00"), "");  // an empty file neither
    EXPECT_FALSE(std::filesystem::exists(dir + "/recupero/2026-12-06_10-00-00.qdr"));

    WriteBytes(working.Path(), kFile);
    for (int i = 0; i < 4; ++i) {
        const std::string kept = working.Rescue(dir + "/recupero", "2026-12-06_10-00-0" + std::to_string(i), 3);
        ASSERT_FALSE(kept.empty());
        EXPECT_EQ(ReadBytes(kept), kFile);
    }
    // The same second twice keeps both.
    const std::string twin = working.Rescue(dir + "/recupero", "2026-12-06_10-00-03", 3);
    EXPECT_EQ(std::filesystem::path(twin).filename(), "2026-12-06_10-00-03-2.qdr");
    EXPECT_EQ(Names(dir + "/recupero"), (std::vector<std::string>{"2026-12-06_10-00-02.qdr", "2026-12-06_10-00-03-2.qdr",
                                               "2026-12-06_10-00-03.qdr"}));
}

namespace {

// Another running copy of the program: a child process that claims a
// working file in `dir`, writes `content` to it, tells its path through
// `toParent` and runs until killed.
pid_t StartOtherCopy(const std::string& dir, const std::string& content, int toParent) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    WorkingCopy own = WorkingCopy::Claim(dir, dir + "/recupero");
    own.NoteCrosswordName("/lavori/suo.qdr");
    const bool written = ReplaceFile(own.Path(), content);
    const std::string told = written ? own.Path() : std::string();
    if (::write(toParent, told.c_str(), told.size() + 1) < 0) ::_exit(1);
    for (;;) ::pause();
}

} // namespace

TEST(WorkingCopy, TwoRunningCopiesNeverTouchEachOthersWork) {
    const std::string dir = testgrids::TempDir("two_copies");
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t other = StartOtherCopy(dir, "del primo\r\n", pipeFds[1]);
    ASSERT_GT(other, 0);
    char told[4096] = {};
    ASSERT_GT(::read(pipeFds[0], told, sizeof told - 1), 0);
    const std::string otherPath = told;
    ASSERT_EQ(otherPath, dir + "/_qdra_32.tmp");

    // The second copy takes a name of its own and rescues nothing of the first.
    RescueReport report;
    WorkingCopy mine = WorkingCopy::Claim(dir, dir + "/recupero", &report);
    EXPECT_TRUE(mine.Locked());
    EXPECT_EQ(mine.Path(), dir + "/_qdra_32-" + std::to_string(::getpid()) + ".tmp");
    EXPECT_TRUE(report.rescued.empty() && report.kept.empty());
    ASSERT_TRUE(ReplaceFile(mine.Path(), "del secondo\r\n"));
    EXPECT_EQ(ReadBytes(otherPath), "del primo\r\n");

    // The first copy dies: the next start rescues its work, and only its.
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    RescueReport after;
    WorkingCopy next = WorkingCopy::Claim(dir, dir + "/recupero", &after);
    EXPECT_EQ(next.Path(), dir + "/_qdra_32.tmp");
    ASSERT_EQ(after.rescued.size(), 1u);
    EXPECT_EQ(ReadBytes(after.rescued[0].path) + after.rescued[0].crosswordName, "del primo\r\n/lavori/suo.qdr");
    EXPECT_EQ(std::filesystem::path(after.rescued[0].path).filename().string(),
              after.rescued[0].stamp + "_suo.qdr");
    EXPECT_FALSE(next.Exists());
    EXPECT_EQ(ReadBytes(mine.Path()), "del secondo\r\n");

    // Exit leaves nothing behind; a crash leaves the file and its note.
    next.Remove();
    next = WorkingCopy();
    mine = WorkingCopy();
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"_qdra_32-" + std::to_string(::getpid()) + ".lock",
                                                    "_qdra_32-" + std::to_string(::getpid()) + ".tmp", "recupero"}));
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
}

TEST(WorkingCopy, FailedRescueKeepsTheWorkingFileForTheNextStart) {
    const std::string dir = testgrids::TempDir("failed_rescue");
    WriteBytes(dir + "/_qdra_32.tmp", kFile);
    WriteBytes(dir + "/recupero", "a file where the folder should be");
    RescueReport report;
    {
        WorkingCopy own = WorkingCopy::Claim(dir, dir + "/recupero", &report);
        EXPECT_EQ(own.Path(), dir + "/_qdra_32-" + std::to_string(::getpid()) + ".tmp");
    }
    EXPECT_TRUE(report.rescued.empty());
    EXPECT_EQ(report.kept, std::vector<std::string>{dir + "/_qdra_32.tmp"});
    EXPECT_EQ(ReadBytes(dir + "/_qdra_32.tmp"), kFile);
    const std::string told = RescueFailedMessage(report.kept, dir + "/recupero");
    EXPECT_NE(told.find(dir + "/recupero"), std::string::npos);

    // With room again, the next start rescues it.
    std::filesystem::remove(dir + "/recupero");
    WorkingCopy own = WorkingCopy::Claim(dir, dir + "/recupero", &report);
    ASSERT_EQ(report.rescued.size(), 1u);
    EXPECT_EQ(ReadBytes(report.rescued[0].path), kFile);
    EXPECT_EQ(own.Path(), dir + "/_qdra_32.tmp");
}

TEST(ReplaceFile, AWriteKilledAtAnyPointLeavesTheOldFileAndNoStrayFile) {
    const std::string big(200000, 'n');
    for (const WriteSeam seam : {WriteSeam::HalfWritten, WriteSeam::Flushed, WriteSeam::Named}) {
        const std::string dir = testgrids::TempDir("killed_write_" + std::to_string(static_cast<int>(seam)));
        const std::string target = dir + "/mio.qdr";
        WriteBytes(target, "vecchio");
        const pid_t child = ::fork();
        if (child == 0) {
            SimulateKillAt(seam);
            ReplaceFile(target, big);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << static_cast<int>(seam);
        EXPECT_EQ(ReadBytes(target), "vecchio");
        // Until it is whole, the new content has no name at all; named, it is
        // whole and hidden, and the next write takes it away.
        const auto names = Names(dir);
        if (seam == WriteSeam::Named) {
            ASSERT_EQ(names.size(), 2u);
            EXPECT_EQ(ReadBytes(dir + "/" + names[0]), big);
            EXPECT_EQ(names[0].rfind(".mio.qdr." + std::to_string(child) + ".", 0), 0u);
        } else {
            EXPECT_EQ(names, std::vector<std::string>{"mio.qdr"});
        }
        ASSERT_TRUE(ReplaceFile(target, "nuovo"));
        EXPECT_EQ(Names(dir), std::vector<std::string>{"mio.qdr"});
        EXPECT_EQ(ReadBytes(target), "nuovo");
    }
}

TEST(WorkingCopy, AnEmptyWorkingFileIsNoWorkToRescueAndIsTakenAgain) {
    const std::string dir = testgrids::TempDir("empty_rescue");
    WriteBytes(dir + "/_qdra_32.tmp", "");
    RescueReport report;
    const WorkingCopy own = WorkingCopy::Claim(dir, dir + "/recupero", &report);
    EXPECT_TRUE(report.rescued.empty());
    EXPECT_TRUE(report.kept.empty());
    EXPECT_EQ(own.Path(), dir + "/_qdra_32.tmp");
    EXPECT_FALSE(own.Exists());
    EXPECT_TRUE(!std::filesystem::exists(dir + "/recupero") || std::filesystem::is_empty(dir + "/recupero"));
}
