#include "document/file_io.h"

#include "document/text.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace document {

namespace {

std::optional<std::size_t> fullDiskAfter;
WriteSeam killAt = WriteSeam::None;

void Seam(WriteSeam seam) {
    if (killAt == seam) ::raise(SIGKILL);
}

// Writes all of `bytes` to `fd`, honouring the simulated full disk.
bool WriteAll(int fd, std::string_view bytes) {
    std::size_t allowed = bytes.size();
    if (fullDiskAfter && *fullDiskAfter < allowed) allowed = *fullDiskAfter;
    std::size_t done = 0;
    bool halfway = false;
    while (done < allowed) {
        // Half the bytes first, so that a killed write stops in the middle.
        const std::size_t chunk = halfway ? allowed - done : std::max<std::size_t>(1, allowed / 2) - done;
        const ssize_t n = ::write(fd, bytes.data() + done, chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
        if (!halfway && done >= std::max<std::size_t>(1, allowed / 2)) {
            halfway = true;
            Seam(WriteSeam::HalfWritten);
        }
    }
    return allowed == bytes.size();
}

// The file a name finally stands for, so that a link keeps pointing at the
// new content instead of being replaced by a plain file.
std::filesystem::path FinalTarget(const std::string& name) {
    std::error_code ec;
    std::filesystem::path target(name);
    if (std::filesystem::is_symlink(target, ec)) {
        const auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec) return resolved;
    }
    return target;
}

// Temporaries of a target are ".NAME.PID.XXXXXX": hidden, and telling which
// running program made them.
// A long name gives a shortened stem, so that any name the file system
// takes can be written.
std::string TemporaryStem(const std::filesystem::path& target) {
    std::string name = target.filename().string();
    if (name.size() > 200) name.resize(200);
    return "." + name + ".";
}

std::string TemporaryPrefix(const std::filesystem::path& target) {
    return TemporaryStem(target) + std::to_string(::getpid()) + ".";
}

// Removes the temporaries of `target` whose program is no longer running (a
// write killed between naming its temporary and renaming it), and those of
// older versions (".NAME.XXXXXX") left for over ten minutes.
void RemoveStaleTemporaries(const std::filesystem::path& folder, const std::filesystem::path& target) {
    namespace fs = std::filesystem;
    const std::string prefix = TemporaryStem(target);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string rest = name.substr(prefix.size());
        const std::size_t dot = rest.find('.');
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        bool stale = false;
        if (dot == std::string::npos) {
            stale = rest.size() == 6 && std::time(nullptr) - st.st_mtime > 600;
        } else if (dot > 0 && dot < 10 && rest.size() == dot + 7 &&
                   rest.find_first_not_of("0123456789") == dot) {
            const pid_t pid = static_cast<pid_t>(std::stol(rest.substr(0, dot)));
            stale = pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
        }
        if (stale) ::unlink(it->path().c_str());
    }
}

// A name for a temporary of `target` that is not taken yet.
std::string FreeTemporaryName(const std::filesystem::path& folder, const std::filesystem::path& target) {
    static unsigned counter = 0;
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned seed = static_cast<unsigned>(std::time(nullptr)) ^ (++counter * 2654435761u) ^
                    static_cast<unsigned>(::getpid());
    std::string suffix(6, 'x');
    for (char& c : suffix) {
        seed = seed * 1103515245u + 12345u;
        c = letters[(seed >> 16) % (sizeof letters - 1)];
    }
    return (folder / (TemporaryPrefix(target) + suffix)).string();
}

// The permissions of the file being replaced; a new one gets the usual
// permissions for the user's mask.
mode_t ModeFor(const std::filesystem::path& target) {
    struct stat old {};
    if (::lstat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes `bytes` into an unnamed file of `folder` and gives it a temporary
// name once it is whole and on disk. Returns the name; "" when the file
// system cannot make unnamed files (`unsupported` is then set) or the write
// failed.
std::string WriteUnnamed(const std::filesystem::path& folder, const std::filesystem::path& target,
                         std::string_view bytes, mode_t mode, bool& unsupported) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        unsupported = errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL || errno == ENOENT;
        return {};
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    std::string temporary;
    if (ok) {
        Seam(WriteSeam::Flushed);
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        for (int attempt = 0; attempt < 20 && temporary.empty(); ++attempt) {
            const std::string name = FreeTemporaryName(folder, target);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
                temporary = name;
            else if (errno != EEXIST)
                break;
        }
        // Without /proc the file cannot be named: the old way does it.
        if (temporary.empty()) unsupported = true;
    }
    ::close(fd);
    return temporary;
}

// The same through a named temporary file, where unnamed ones are not to be
// had.
std::string WriteNamed(const std::filesystem::path& folder, const std::filesystem::path& target,
                       std::string_view bytes, mode_t mode) {
    std::string pattern = (folder / (TemporaryPrefix(target) + "XXXXXX")).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return {};
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(pattern.c_str());
        return {};
    }
    Seam(WriteSeam::Flushed);
    return pattern;
}

} // namespace

void SimulateFullDisk(std::optional<std::size_t> bytes) { fullDiskAfter = bytes; }

void SimulateKillAt(WriteSeam seam) { killAt = seam; }

WriteOutcome CheckTarget(const std::string& name, WriteTarget target) {
    if (name.empty()) return WriteOutcome::Failed;
    struct stat st {};
    if (::lstat(name.c_str(), &st) != 0) return errno == ENOENT ? WriteOutcome::Written : WriteOutcome::Failed;
    if (S_ISLNK(st.st_mode)) {
        if (target == WriteTarget::Own) return WriteOutcome::Written;  // the link itself is replaced
        if (::stat(name.c_str(), &st) != 0) return WriteOutcome::DanglingLink;
    }
    if (!S_ISREG(st.st_mode)) return WriteOutcome::NotAFile;
    // "chmod a-w" is how a file is protected; root could write it anyway.
    if ((st.st_mode & 0222) == 0 || ::access(name.c_str(), W_OK) != 0)
        return WriteOutcome::ReadOnly;
    return WriteOutcome::Written;
}

WriteOutcome WriteFile(const std::string& name, std::string_view bytes, WriteOptions options) {
    const WriteOutcome check = CheckTarget(name, options.target);
    if (check == WriteOutcome::Failed) return check;
    if (check != WriteOutcome::Written && !(check == WriteOutcome::ReadOnly && options.replaceReadOnly))
        return check;
    const std::filesystem::path target =
        options.target == WriteTarget::Chosen ? FinalTarget(name) : std::filesystem::path(name);

    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    RemoveStaleTemporaries(folder, target);
    const mode_t mode = ModeFor(target);
    bool unsupported = false;
    std::string temporary = WriteUnnamed(folder, target, bytes, mode, unsupported);
    if (temporary.empty() && unsupported) temporary = WriteNamed(folder, target, bytes, mode);
    if (temporary.empty()) return WriteOutcome::Failed;
    Seam(WriteSeam::Named);
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return WriteOutcome::Failed;
    }
    // The rename itself lasts only once the folder is on disk too.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return WriteOutcome::Written;
}

bool ReplaceFile(const std::string& name, std::string_view bytes, WriteOptions options) {
    return WriteFile(name, bytes, options) == WriteOutcome::Written;
}

std::string RefusalMessage(WriteOutcome outcome, const std::string& name) {
    const std::string shown = Utf8ToCp1252(name);
    switch (outcome) {
    case WriteOutcome::NotAFile:
        return "Impossibile scrivere " + shown + ": non \xE8 un file ma una cartella, una periferica o una pipe.";
    case WriteOutcome::DanglingLink:
        return "Impossibile scrivere " + shown + ": \xE8 un collegamento a un file che non esiste.";
    case WriteOutcome::ReadOnly:
        return "Il file " + shown + " \xE8 protetto da scrittura: non \xE8 stato sostituito.";
    case WriteOutcome::Failed:
    case WriteOutcome::Written: break;
    }
    return "Errore di scrittura del file " + shown + "!";
}

bool FileExists(const std::string& name) {
    std::error_code ec;
    return !name.empty() && std::filesystem::is_regular_file(name, ec);
}

std::optional<std::size_t> FileSize(const std::string& name) {
    std::error_code ec;
    if (!FileExists(name)) return std::nullopt;
    const auto size = std::filesystem::file_size(name, ec);
    if (ec) return std::nullopt;
    return static_cast<std::size_t>(size);
}

bool ReadWholeFile(const std::string& name, std::string& bytes, std::size_t limit) {
    const auto size = FileSize(name);
    if (!size || *size > limit) return false;
    std::ifstream in(name, std::ios::binary);
    if (!in) return false;
    bytes.resize(*size);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::size_t>(in.gcount()) != bytes.size()) return false;
    // A file that grew since its size was taken is read to its end.
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        if (bytes.size() + static_cast<std::size_t>(in.gcount()) > limit) return false;
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    return !in.bad();
}

} // namespace document
