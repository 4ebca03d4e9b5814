#pragma once
// The working file "_qdra_32.tmp": the authoritative copy of the crossword
// being edited. Every road that writes it goes through here, and every write
// replaces it whole, so it is never left half written.
//
// Each running copy of the program has a working file of its own and holds
// a lock on it ("_qdra_32.lock" beside "_qdra_32.tmp") for as long as it runs. The first
// copy takes "_qdra_32.tmp"; a copy started while another runs takes
// "_qdra_32-PID.tmp". A copy never reads, replaces, rescues or deletes a
// working file whose lock another copy holds: only the files of copies that
// are no longer running are rescued at start-up.

#include "document/crossword.h"
#include "document/crossword_file.h"
#include "platform/messages.h"

#include <string>
#include <vector>

namespace document {

// One crossword rescued from a working file left by a copy that ended
// without Exit.
struct RescuedWork {
    std::string path;           // the copy kept in the recovery folder
    std::string crosswordName;  // the crossword's file name as it was being edited ("" when unknown)
    std::string stamp;          // "2026-12-06_21-40-05": when it was last changed
};

// What the start-up found in the working folder.
struct RescueReport {
    std::vector<RescuedWork> rescued;  // newest first
    // Working files whose copy could not be written to the recovery folder:
    // they stay where they are and the next start tries again.
    std::vector<std::string> kept;
};

class WorkingCopy {
public:
    WorkingCopy() = default;
    // A working file of that name, without a lock (tests, the tool).
    explicit WorkingCopy(std::string path) : path_(std::move(path)) {}
    WorkingCopy(WorkingCopy&& other) noexcept;
    WorkingCopy& operator=(WorkingCopy&& other) noexcept;
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;
    // Lets the lock go; the lock file goes too when the working file is gone.
    ~WorkingCopy();

    // Claims a working file in `folder` for this running copy: first rescues
    // into `recoveryFolder` (when given) every working file of the folder
    // whose copy is no longer running, deleting each only once its rescued
    // copy has been written and read back; then takes "_qdra_32.tmp" when it
    // is free, else "_qdra_32-PID.tmp". Without a lock to be had (a folder
    // that cannot be written) the working file is still named, unlocked.
    static WorkingCopy Claim(const std::string& folder, const std::string& recoveryFolder,
                             RescueReport* report = nullptr, int keep = 20);

    const std::string& Path() const { return path_; }
    bool Locked() const { return lockFd_ >= 0; }

    // Stores the document in the working file. A failure shows "Errore di
    // scrittura del file!" (naming the folder when it cannot be written),
    // leaves the working file as it was, and returns false.
    bool Store(const Crossword& doc, platform::Messages& messages) const;

    // Copies a crossword file into the working file line by line, every line
    // ended by CR LF. A file that cannot be read shows "Errore di lettura
    // del file!", a failed write "Errore di scrittura del file!"; both
    // return false and leave the working file as it was.
    bool CopyFrom(const std::string& name, platform::Messages& messages) const;

    // Loads the working file into the document (the clue table is not
    // emptied first).
    LoadResult Load(Crossword& doc, platform::Messages& messages) const;

    bool Exists() const;
    // Deletes the working file if it is there.
    void Remove() const;

    // Notes the name of the crossword being edited beside the working file,
    // so that a rescue after a crash can name it. Only a locked working file
    // keeps a note.
    void NoteCrosswordName(const std::string& name) const;

    // Keeps the working file's content in `folder` (created if needed) as
    // `stamp` ["_" + crossword name] + ".qdr", checked by reading it back;
    // only the newest `keep` files of the folder stay. Returns the path
    // kept, or "" when there was nothing to keep or it could not be kept.
    std::string Rescue(const std::string& folder, const std::string& stamp, int keep = 20,
                       const std::string& crosswordName = {}) const;

private:
    void Release();

    std::string path_;
    int lockFd_ = -1;
    std::string lockPath_;
    mutable std::string notedName_;
};

// The message of a start-up that rescued `work`, asking whether to open the
// newest when `offerToOpen`, else telling where to find it; and of one that could not rescue the working files `kept` into
// `recoveryFolder`. Windows-1252 bytes.
std::string RescuedMessage(const std::vector<RescuedWork>& work, bool offerToOpen);
std::string RescueFailedMessage(const std::vector<std::string>& kept, const std::string& recoveryFolder);

} // namespace document
