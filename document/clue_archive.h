#pragma once
// The setter's archive of clues: every clue of every crossword file (".qdr")
// in a set of folders, with the word it clues, so that the clues already
// written for a word can be offered again. The archive is kept as an index
// file and brought up to date by modification time and size: only new and
// changed files are read again. A file that cannot be read as a crossword
// is skipped and counted, and read again only once it changes.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace document {

// One clue text already used for a word.
struct ArchivedClue {
    std::string text;     // Windows-1252, as in the file
    std::string file;     // the newest file that holds it (file system path)
    std::int64_t time;    // that file's modification time, seconds since 1970
    int count;            // how many times the text clues the word in the archive
};

struct ArchiveCounts {
    int files = 0;    // crossword files read
    int damaged = 0;  // files skipped because they could not be read
    int clues = 0;
};

class ClueArchive {
public:
    // Reads a saved index; false (and an empty archive) when there is none or
    // it is damaged: the next Update then reads every file.
    bool LoadIndex(const std::string& indexFile);

    // Writes the index through a temporary file; false when it failed.
    bool SaveIndex(const std::string& indexFile) const;

    // Brings the archive up to date with the crossword files directly inside
    // `folders` (not their subfolders): new files and files whose time or
    // size changed are read, files no longer there are dropped. Returns how
    // many files were read; `changed` says whether anything changed.
    int Update(const std::vector<std::string>& folders, bool* changed = nullptr);

    // The clues used for `word` (capitals, as in the grid): each text once,
    // with its count and its newest file, newest first.
    std::vector<ArchivedClue> Lookup(std::string_view word) const;

    ArchiveCounts Counts() const;

private:
    struct FileRecord {
        std::int64_t time = 0;     // modification time, nanoseconds
        std::uint64_t size = 0;
        bool damaged = false;
        std::vector<std::pair<std::string, std::string>> clues;  // word, clue
    };
    static std::shared_ptr<const FileRecord> ReadFile(const std::string& path, std::int64_t time,
                                                      std::uint64_t size);

    // By path. A record never changes once read, so a copy of the archive
    // (to update off the window's thread) shares them all.
    std::map<std::string, std::shared_ptr<const FileRecord>> files_;
};

// "28-01-1998": a modification time as the crossword header writes dates.
std::string ArchiveDate(std::int64_t seconds);

} // namespace document
