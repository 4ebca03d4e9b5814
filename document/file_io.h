#pragma once
// The one road by which the program writes a file: the new content goes to
// an unnamed temporary file in the target's folder, is flushed to disk, gets
// a hidden name of its own only once it is whole, and then takes the
// target's name. A failure at any point leaves the old file exactly as it
// was and no temporary behind; a write killed half way leaves nothing under
// any name, and a whole temporary left by a killed write is removed by the
// next write of the same target.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace document {

// Whose name a write goes to. A name the user chose (a save, an export, a
// picture) may be a link: the file it names is replaced and the link stays.
// The program's own files (the working file, the settings, the recovery
// copies) never follow a link: a link in their place is replaced itself.
enum class WriteTarget { Chosen, Own };

enum class WriteOutcome {
    Written,
    Failed,        // the write itself failed (full disk, no permission)
    NotAFile,      // a folder, a device, a pipe: never replaced by a file
    DanglingLink,  // a chosen name that links to nothing
    ReadOnly,      // a write-protected file, replaced only when asked to
};

struct WriteOptions {
    WriteTarget target = WriteTarget::Chosen;
    bool replaceReadOnly = false;
};

// Whether `name` may be written as it stands: Written when it may, else why
// not.
WriteOutcome CheckTarget(const std::string& name, WriteTarget target);

// Replaces (or creates) the file `name` with `bytes`, under the policy
// above; the replaced file keeps its permissions. Anything but Written
// leaves the old file, if there was one, untouched.
WriteOutcome WriteFile(const std::string& name, std::string_view bytes, WriteOptions options = {});

// The same; false when anything failed or the target was refused.
bool ReplaceFile(const std::string& name, std::string_view bytes, WriteOptions options = {});

// What a refused write tells the user, naming the file (Windows-1252).
std::string RefusalMessage(WriteOutcome outcome, const std::string& name);

// For tests: from now on every write fails after `bytes` bytes of a file, as
// on a full disk; std::nullopt writes normally again.
void SimulateFullDisk(std::optional<std::size_t> bytes);

// For tests: the points of a write at which a killed program can stop.
enum class WriteSeam { None, HalfWritten, Flushed, Named };
// For tests: the process kills itself (SIGKILL) when a write reaches `seam`.
void SimulateKillAt(WriteSeam seam);

// Reads a whole file; false when it cannot be read (missing, a folder, an
// I/O error). At most `limit` bytes are accepted: a larger file is refused.
bool ReadWholeFile(const std::string& name, std::string& bytes,
                   std::size_t limit = std::string::npos);

// True when `name` names an existing regular file (the directory lookup).
bool FileExists(const std::string& name);

// The size of a regular file, or std::nullopt.
std::optional<std::size_t> FileSize(const std::string& name);

} // namespace document
