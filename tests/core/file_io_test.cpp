// The one write policy: what each kind of target becomes when the user chose
// its name, and when it is one of the program's own files.

#include "document/crossword_file.h"
#include "document/file_io.h"
#include "platform/recording/recording_messages.h"
#include "test_grids.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

using namespace document;
using testgrids::ReadBytes;
using testgrids::WriteBytes;
namespace fs = std::filesystem;

namespace {

struct Target {
    const char* kind;
    WriteOutcome chosen;  // outcome for a name the user chose
    WriteOutcome own;     // outcome for the working file, settings, recovery copies
};

// Makes a target of `kind` at `path`; "altro" beside it is a file links point to.
void Make(const std::string& kind, const std::string& path, const std::string& dir) {
    WriteBytes(dir + "/altro", "altro");
    if (kind == "regular" || kind == "read-only" || kind == "long name") WriteBytes(path, "vecchio");
    if (kind == "read-only") ::chmod(path.c_str(), 0444);
    if (kind == "link") fs::create_symlink(dir + "/altro", path);
    if (kind == "dangling link") fs::create_symlink(dir + "/manca", path);
    if (kind == "fifo") ::mkfifo(path.c_str(), 0644);
    if (kind == "folder") fs::create_directory(path);
}

} // namespace

TEST(WritePolicy, EachKindOfTargetForAChosenNameAndForTheProgramsOwnFiles) {
    using W = WriteOutcome;
    const Target targets[] = {
        {"missing", W::Written, W::Written},
        {"regular", W::Written, W::Written},
        {"read-only", W::ReadOnly, W::ReadOnly},
        {"link", W::Written, W::Written},
        {"dangling link", W::DanglingLink, W::Written},
        {"fifo", W::NotAFile, W::NotAFile},
        {"folder", W::NotAFile, W::NotAFile},
        {"long name", W::Written, W::Written},
    };
    for (const Target& t : targets) {
        for (const WriteTarget kind : {WriteTarget::Chosen, WriteTarget::Own}) {
            const bool chosen = kind == WriteTarget::Chosen;
            SCOPED_TRACE(std::string(t.kind) + (chosen ? " chosen" : " own"));
            const std::string dir = testgrids::TempDir("policy");
            const std::string name = std::string(t.kind) == "long name" ? std::string(255, 'n') : "bersaglio";
            const std::string path = dir + "/" + name;
            Make(t.kind, path, dir);
            const WriteOutcome expected = chosen ? t.chosen : t.own;
            EXPECT_EQ(WriteFile(path, "nuovo", {kind, false}), expected);

            const bool written = expected == W::Written;
            if (std::string(t.kind) == "link") {
                // Chosen: the link stays and its file changes; own: the link
                // itself becomes the file and what it pointed to is untouched.
                EXPECT_EQ(fs::is_symlink(path), chosen);
                EXPECT_EQ(ReadBytes(dir + "/altro"), chosen ? "nuovo" : "altro");
            } else {
                EXPECT_EQ(ReadBytes(dir + "/altro"), "altro");
            }
            if (written) EXPECT_EQ(ReadBytes(path), "nuovo");
            if (std::string(t.kind) == "regular" || std::string(t.kind) == "read-only")
                EXPECT_EQ(ReadBytes(path), written ? "nuovo" : "vecchio");
            if (std::string(t.kind) == "fifo") EXPECT_TRUE(fs::is_fifo(path));
            if (std::string(t.kind) == "folder") EXPECT_TRUE(fs::is_directory(path));
            if (std::string(t.kind) == "dangling link" && !written) EXPECT_FALSE(fs::exists(dir + "/manca"));
            // Nothing else is left in the folder.
            int entries = 0;
            for (const auto& e : fs::directory_iterator(dir)) entries += e.path().filename().string()[0] == '.';
            EXPECT_EQ(entries, 0);
        }
    }
}

TEST(WritePolicy, AProtectedFileIsReplacedOnlyWhenTheUserSaysSoAndStaysProtected) {
    const std::string dir = testgrids::TempDir("protected");
    const std::string path = dir + "/mio.qdr";
    WriteBytes(path, "vecchio");
    ::chmod(path.c_str(), 0444);
    Crossword doc;
    doc.ColumnCount = doc.RowCount = 3;
    for (int i = 1; i <= 3; ++i) doc.GridLine(i) = "......";

    platform::RecordingMessages refuse;
    refuse.Script({platform::Answer::Cancel});
    EXPECT_EQ(SaveCrosswordFile(doc, path, refuse), SaveResult::WriteError);
    EXPECT_EQ(ReadBytes(path), "vecchio");
    ASSERT_EQ(refuse.shown.size(), 1u);
    EXPECT_EQ(refuse.shown[0].buttons, platform::Buttons::OkCancel);
    EXPECT_NE(refuse.shown[0].text.find(path), std::string::npos);

    platform::RecordingMessages agree;
    agree.Script({platform::Answer::Ok});
    EXPECT_EQ(SaveCrosswordFile(doc, path, agree), SaveResult::Saved);
    EXPECT_NE(ReadBytes(path).find("H.H.H.\r\n"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);

    // A pipe or a link to nothing is refused with a message naming it.
    ::mkfifo((dir + "/tubo.qdr").c_str(), 0644);
    platform::RecordingMessages told;
    EXPECT_EQ(SaveCrosswordFile(doc, dir + "/tubo.qdr", told), SaveResult::WriteError);
    ASSERT_EQ(told.shown.size(), 1u);
    EXPECT_NE(told.shown[0].text.find("tubo.qdr"), std::string::npos);
}

TEST(WritePolicy, TheReplacedFileKeepsItsModeAndAChosenLinkIsWrittenThrough) {
    struct Row {
        const char* name;
        std::string link;      // made at "dir/LINK" pointing here, "" for none
        std::string written;   // the name given to the writer
        std::string file;      // the file that must hold the new bytes
        mode_t mode;           // its mode before and after
        WriteTarget target;
    };
    const Row rows[] = {
        {"chosen file", "", "dati.qdr", "dati.qdr", 0640, WriteTarget::Chosen},
        {"own file", "", "dati.qdr", "dati.qdr", 0600, WriteTarget::Own},
        {"unusual mode", "", "dati.qdr", "dati.qdr", 0705, WriteTarget::Chosen},
        {"relative link", "dati.qdr", "collegamento.qdr", "dati.qdr", 0604, WriteTarget::Chosen},
        {"link to a link", "collegamento.qdr", "altro.qdr", "dati.qdr", 0620, WriteTarget::Chosen},
        {"link from another folder", "../dati.qdr", "sotto/collegamento.qdr", "dati.qdr", 0640, WriteTarget::Chosen},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string dir = testgrids::TempDir("modes");
        fs::create_directory(dir + "/sotto");
        WriteBytes(dir + "/dati.qdr", "vecchio");
        ::chmod((dir + "/dati.qdr").c_str(), row.mode);
        if (std::string(row.name) == "link to a link") fs::create_symlink("dati.qdr", dir + "/collegamento.qdr");
        if (!row.link.empty()) fs::create_symlink(row.link, dir + "/" + row.written);
        ASSERT_EQ(WriteFile(dir + "/" + row.written, "nuovo", {row.target, false}), WriteOutcome::Written);
        EXPECT_EQ(ReadBytes(dir + "/" + row.file), "nuovo");
        struct stat st {};
        ASSERT_EQ(::lstat((dir + "/" + row.file).c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(st.st_mode & 07777, row.mode);
        if (!row.link.empty()) EXPECT_TRUE(fs::is_symlink(dir + "/" + row.written));
        for (const std::string& folder : {dir, dir + "/sotto"})
            for (const auto& e : fs::directory_iterator(folder))
                EXPECT_NE(e.path().filename().string()[0], '.') << "left behind: " << e.path();
    }
}
