#pragma once
// The working file "_qdra_32.tmp": the authoritative copy of the crossword
// being edited. Every road that writes it goes through here, and every write
// replaces it whole, so it is never left half written.

#include "document/crossword.h"
#include "document/crossword_file.h"
#include "platform/messages.h"

#include <string>

namespace document {

class WorkingCopy {
public:
    explicit WorkingCopy(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // Stores the document in the working file. A failure shows "Errore di
    // scrittura del file!", leaves the working file as it was, and returns
    // false.
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

    // Before the start-up deletes a working file left by an earlier run, its
    // content is kept as `stamp` + ".qdr" in `folder` (created if needed);
    // only the newest `keep` files of the folder stay. Returns the path kept,
    // or "" when there was nothing to keep or it could not be kept.
    std::string Rescue(const std::string& folder, const std::string& stamp, int keep = 20) const;

private:
    std::string path_;
};

} // namespace document
