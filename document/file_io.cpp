#include "document/file_io.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace document {

namespace {

std::optional<std::size_t> fullDiskAfter;

// Writes all of `bytes` to `fd`, honouring the simulated full disk.
bool WriteAll(int fd, std::string_view bytes) {
    std::size_t allowed = bytes.size();
    if (fullDiskAfter && *fullDiskAfter < allowed) allowed = *fullDiskAfter;
    std::size_t done = 0;
    while (done < allowed) {
        const ssize_t n = ::write(fd, bytes.data() + done, allowed - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
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

} // namespace

void SimulateFullDisk(std::optional<std::size_t> bytes) { fullDiskAfter = bytes; }

bool ReplaceFile(const std::string& name, std::string_view bytes) {
    if (name.empty()) return false;
    const std::filesystem::path target = FinalTarget(name);
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec)) return false;

    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return false;
    const std::string temporary = pattern;

    // The new file keeps the permissions of the one it replaces; a new one
    // gets the usual permissions for the user's mask.
    struct stat old {};
    mode_t mode;
    if (::stat(target.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself lasts only once the folder is on disk too.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
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
