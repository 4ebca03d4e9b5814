#include "document/working_copy.h"

#include "document/file_io.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <cctype>
#include <set>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace document {

namespace {

namespace fs = std::filesystem;

// "_qdra_32.tmp" is locked through "_qdra_32.lock".
std::string LockFileOf(const std::string& path) { return path.substr(0, path.size() - 4) + ".lock"; }

enum class LockResult { Taken, Held, Impossible };

// Takes the lock file `path` (made if need be) without waiting. A lock file
// deleted by its owner between our open and our lock is opened again, so a
// lock is only ever held on the file that bears the name.
LockResult TryLock(const std::string& path, int& fd) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) return LockResult::Impossible;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            ::close(fd);
            fd = -1;
            return held ? LockResult::Held : LockResult::Impossible;
        }
        struct stat locked {}, named {};
        if (::fstat(fd, &locked) == 0 && ::stat(path.c_str(), &named) == 0 && locked.st_ino == named.st_ino &&
            locked.st_dev == named.st_dev)
            return LockResult::Taken;
        ::close(fd);
    }
    fd = -1;
    return LockResult::Impossible;
}

// "_qdra_32.tmp" and "_qdra_32-PID.tmp": the working files of running or
// ended copies.
bool IsWorkingFileName(const std::string& name) {
    if (name == WorkingFile) return true;
    const std::string stem = WorkingFile.substr(0, WorkingFile.size() - 4) + "-";  // "_qdra_32-"
    if (name.size() <= stem.size() + 4 || name.compare(0, stem.size(), stem) != 0 ||
        name.compare(name.size() - 4, 4, ".tmp") != 0)
        return false;
    const std::string digits = name.substr(stem.size(), name.size() - stem.size() - 4);
    return digits.find_first_not_of("0123456789") == std::string::npos;
}

// The working files named in `folder`, by themselves or by their lock file;
// "_qdra_32.tmp" first.
std::vector<std::string> WorkingFilesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.size() > 5 && name.compare(name.size() - 5, 5, ".lock") == 0)
            name = name.substr(0, name.size() - 5) + ".tmp";
        if (IsWorkingFileName(name)) names.insert(name);
    }
    std::vector<std::string> files;
    if (names.erase(WorkingFile)) files.push_back((fs::path(folder) / WorkingFile).string());
    for (const std::string& name : names) files.push_back((fs::path(folder) / name).string());
    return files;
}

std::string ReadNote(int fd) {
    std::string note(1024, '\0');
    const ssize_t n = ::pread(fd, note.data(), note.size(), 0);
    note.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return note;
}

// When a file was last written, as "2026-12-06_21-40-05".
std::string StampOf(const std::string& path) {
    struct stat st {};
    const std::time_t when = ::stat(path.c_str(), &st) == 0 ? st.st_mtime : std::time(nullptr);
    std::tm local {};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

// The part of a crossword's file name that goes into the name of its
// rescued copy: no folder, no ".qdr", nothing a file name cannot hold.
std::string NamePart(const std::string& crosswordName) {
    std::string name = fs::path(crosswordName).filename().string();
    if (name.size() > 4) {
        std::string ext = name.substr(name.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (ext == ".qdr") name.resize(name.size() - 4);
    }
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == '/' || c == '\\') c = '_';
    if (name.size() > 60) name.resize(60);
    return name;
}

} // namespace

WorkingCopy::WorkingCopy(WorkingCopy&& other) noexcept
    : path_(std::move(other.path_)),
      lockFd_(std::exchange(other.lockFd_, -1)),
      lockPath_(std::move(other.lockPath_)),
      notedName_(std::move(other.notedName_)) {}

WorkingCopy& WorkingCopy::operator=(WorkingCopy&& other) noexcept {
    if (this != &other) {
        Release();
        path_ = std::move(other.path_);
        lockFd_ = std::exchange(other.lockFd_, -1);
        lockPath_ = std::move(other.lockPath_);
        notedName_ = std::move(other.notedName_);
    }
    return *this;
}

WorkingCopy::~WorkingCopy() { Release(); }

void WorkingCopy::Release() {
    if (lockFd_ < 0) return;
    // A copy that ended with Exit leaves nothing; one that left its working
    // file leaves the note with it, for the rescue.
    if (!Exists()) ::unlink(lockPath_.c_str());
    ::close(lockFd_);
    lockFd_ = -1;
}

WorkingCopy WorkingCopy::Claim(const std::string& folder, const std::string& recoveryFolder,
                               RescueReport* report, int keep) {
    RescueReport found;
    const std::string main = (fs::path(folder) / WorkingFile).string();
    WorkingCopy own;
    for (const std::string& path : WorkingFilesIn(folder)) {
        int fd = -1;
        const std::string lockPath = LockFileOf(path);
        if (TryLock(lockPath, fd) != LockResult::Taken) continue;  // its copy is running
        WorkingCopy dead(path);
        bool free = true;
        if (dead.Exists()) {
            std::string bytes;
            const bool readable = ReadWholeFile(path, bytes);
            if (recoveryFolder.empty() || (readable && bytes.empty())) {
                // Nothing to keep.
            } else {
                const std::string name = ReadNote(fd);
                const std::string stamp = StampOf(path);
                const std::string kept = dead.Rescue(recoveryFolder, stamp, keep, name);
                if (kept.empty()) {
                    found.kept.push_back(path);
                    free = false;
                } else {
                    found.rescued.push_back({kept, name, stamp});
                }
            }
            if (free) dead.Remove();
        }
        if (free && path == main && own.path_.empty()) {
            own.path_ = path;
            own.lockPath_ = lockPath;
            own.lockFd_ = fd;
            continue;
        }
        if (free) ::unlink(lockPath.c_str());
        ::close(fd);
    }
    if (own.path_.empty()) {
        // "_qdra_32.tmp" when no copy holds it and no failed rescue keeps
        // it, else a name of this copy's own.
        std::vector<std::string> names;
        if (std::find(found.kept.begin(), found.kept.end(), main) == found.kept.end()) names.push_back(main);
        names.push_back((fs::path(folder) / (WorkingFile.substr(0, WorkingFile.size() - 4) + "-" +
                                             std::to_string(::getpid()) + ".tmp"))
                            .string());
        for (const std::string& path : names) {
            int fd = -1;
            if (TryLock(LockFileOf(path), fd) != LockResult::Taken) continue;
            if (FileExists(path)) {  // appeared since the look above: not ours
                ::close(fd);
                continue;
            }
            own.path_ = path;
            own.lockPath_ = LockFileOf(path);
            own.lockFd_ = fd;
            break;
        }
    }
    // A folder where no lock file can be made: the working file keeps its
    // usual name, and its writes report the folder.
    if (own.path_.empty()) own.path_ = main;
    std::sort(found.rescued.begin(), found.rescued.end(),
              [](const RescuedWork& a, const RescuedWork& b) { return a.stamp > b.stamp; });
    if (report) *report = std::move(found);
    return own;
}

bool WorkingCopy::Store(const Crossword& doc, platform::Messages& messages) const {
    NoteCrosswordName(doc.CurrentFileName);
    // A folder that cannot be written is named, so that the user knows
    // where the trouble is.
    const std::string folder = fs::path(path_).parent_path().string();
    if (!folder.empty() && ::access(folder.c_str(), W_OK) != 0 && errno == EACCES) {
        messages.Tell(WriteErrorMessage + "\n\nLa cartella di lavoro " + folder +
                      " non pu\xF2 essere scritta: le modifiche non possono essere conservate.");
        return false;
    }
    return SaveCrosswordFile(doc, path_, messages, WriteTarget::Own) == SaveResult::Saved;
}

bool WorkingCopy::CopyFrom(const std::string& name, platform::Messages& messages) const {
    std::string bytes;
    if (!ReadWholeFile(name, bytes, MaxCrosswordFileSize)) {
        messages.Tell(ReadErrorMessage);
        return false;
    }
    std::string copy;
    copy.reserve(bytes.size() + bytes.size() / 16);
    for (const std::string& line : SplitLines(bytes)) {
        copy += line;
        copy += "\r\n";
    }
    if (!ReplaceFile(path_, copy, {WriteTarget::Own})) {
        messages.Tell(WriteErrorMessage);
        return false;
    }
    return true;
}

LoadResult WorkingCopy::Load(Crossword& doc, platform::Messages& messages) const {
    return LoadCrosswordFile(doc, path_, messages);
}

bool WorkingCopy::Exists() const { return FileExists(path_); }

void WorkingCopy::Remove() const {
    std::error_code ec;
    fs::remove(path_, ec);
}

void WorkingCopy::NoteCrosswordName(const std::string& name) const {
    if (lockFd_ < 0 || name == notedName_) return;
    if (::pwrite(lockFd_, name.data(), name.size(), 0) == static_cast<ssize_t>(name.size()) &&
        ::ftruncate(lockFd_, static_cast<off_t>(name.size())) == 0)
        notedName_ = name;
}

std::string WorkingCopy::Rescue(const std::string& folder, const std::string& stamp, int keep,
                                const std::string& crosswordName) const {
    std::string bytes;
    if (!Exists() || !ReadWholeFile(path_, bytes) || bytes.empty()) return {};
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::string name = NamePart(crosswordName);
    const std::string base = (fs::path(folder) / (stamp + (name.empty() ? "" : "_" + name))).string();
    std::string kept = base + ".qdr";
    for (int n = 2; FileExists(kept); ++n) kept = base + "-" + std::to_string(n) + ".qdr";
    std::string check;
    if (!ReplaceFile(kept, bytes, {WriteTarget::Own}) || !ReadWholeFile(kept, check) || check != bytes) {
        fs::remove(kept, ec);
        return {};
    }
    // The copy bears the time the work was last changed, so that a list by
    // time shows the newest work first.
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0) {
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::utimensat(AT_FDCWD, kept.c_str(), times, 0);
    }

    // Names begin with date and time, so the oldest sort first.
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file(ec) && entry.path().extension() == ".qdr") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (std::size_t i = 0; i + static_cast<std::size_t>(keep) < files.size(); ++i) fs::remove(files[i], ec);
    return kept;
}

namespace {

// "06/12/2026 alle 21:40" from "2026-12-06_21-40-05".
std::string WhenText(const std::string& stamp) {
    if (stamp.size() < 16) return stamp;
    return stamp.substr(8, 2) + "/" + stamp.substr(5, 2) + "/" + stamp.substr(0, 4) + " alle " +
           stamp.substr(11, 2) + ":" + stamp.substr(14, 2);
}

} // namespace

std::string RescuedMessage(const std::vector<RescuedWork>& work, bool offerToOpen) {
    if (work.empty()) return {};
    const RescuedWork& newest = work.front();
    const std::string name = NamePart(newest.crosswordName);
    std::string text = "\xC8 stato recuperato il lavoro non salvato di ";
    text += name.empty() ? std::string("un cruciverba") : "\"" + name + "\"";
    text += ", modificato il " + WhenText(newest.stamp) + ", rimasto da una sessione che non si \xE8 chiusa con Esci.";
    if (work.size() > 1)
        text += " Sono stati recuperati " + std::to_string(work.size()) + " lavori in tutto: questo \xE8 il pi\xF9 recente.";
    text += offerToOpen ? "\n\nAprirlo ora? Resta comunque disponibile da File > Recupera lavoro non salvato ..."
                        : "\n\nSi apre da File > Recupera lavoro non salvato ...";
    return text;
}

std::string RescueFailedMessage(const std::vector<std::string>& kept, const std::string& recoveryFolder) {
    if (kept.empty()) return {};
    std::string text = "Non \xE8 stato possibile mettere al sicuro il lavoro non salvato di una sessione interrotta "
                       "nella cartella " +
                       recoveryFolder + ".\n\nIl file di lavoro ";
    for (std::size_t i = 0; i < kept.size(); ++i) text += (i ? ", " : "") + kept[i];
    text += " resta dov'\xE8: si riprover\xE0 al prossimo avvio. Liberare spazio o controllare i permessi della "
            "cartella.";
    return text;
}

} // namespace document
