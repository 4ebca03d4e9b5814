#include "document/clue_archive.h"

#include "document/crossword.h"
#include "document/crossword_file.h"
#include "document/file_io.h"
#include "document/word_map.h"
#include "platform/messages.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <filesystem>
#include <set>
#include <unordered_map>

#include <sys/stat.h>

namespace document {

namespace fs = std::filesystem;

namespace {

const std::string kIndexHeading = "Quadrivo 98 archivio definizioni 1";

bool IsCrosswordFile(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".qdr";
}

template <typename T>
bool ReadNumber(std::string_view text, T& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// A clue as one index line: a bare LF (which a crossword line may hold) and
// tabs become blanks.
std::string OneLine(std::string text) {
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
    return text;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::shared_ptr<const ClueArchive::FileRecord> ClueArchive::ReadFile(const std::string& path, std::int64_t time,
                                                                      std::uint64_t size) {
    auto made = std::make_shared<FileRecord>();
    FileRecord& record = *made;
    record.time = time;
    record.size = size;
    std::string bytes;
    Crossword doc;
    platform::SilentMessages quiet;
    if (!ReadWholeFile(path, bytes, MaxCrosswordFileSize) || ReadCrossword(doc, bytes, quiet) != LoadResult::Loaded ||
        doc.ColumnCount < 1 || doc.ColumnCount > MaxColumns || doc.RowCount < 1 || doc.RowCount > MaxRows) {
        record.damaged = true;
        return made;
    }
    ComputeWordMap(doc);
    for (const WordEntry& word : WordsInReadingOrder(doc)) {
        const std::string clue = Trimmed(OneLine(word.clue));
        if (clue.empty() || word.letters.size() < 2 ||
            !std::all_of(word.letters.begin(), word.letters.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
            continue;  // a word with empty cells is not a word yet
        record.clues.emplace_back(word.letters, clue);
    }
    return made;
}

int ClueArchive::Update(const std::vector<std::string>& folders, bool* changed) {
    int read = 0;
    bool anything = false;
    std::set<std::string> seen;
    std::error_code ec;
    for (const std::string& folder : folders) {
        for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
             !ec && it != end; it.increment(ec)) {
            const fs::path& path = it->path();
            if (!IsCrosswordFile(path)) continue;
            const std::string name = path.string();
            // One stat for type, size and time: the whole update is this
            // loop when nothing changed.
            struct stat st {};
            if (::stat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
            if (name.find_first_of("\r\n") != std::string::npos || !seen.insert(name).second) continue;
            const auto size = static_cast<std::uint64_t>(st.st_size);
            const std::int64_t time = std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
            const auto known = files_.find(name);
            if (known != files_.end() && known->second->time == time && known->second->size == size) continue;
            files_[name] = ReadFile(name, time, size);
            ++read;
            anything = true;
        }
        ec.clear();
    }
    for (auto it = files_.begin(); it != files_.end();) {
        if (seen.count(it->first)) {
            ++it;
        } else {
            it = files_.erase(it);
            anything = true;
        }
    }
    if (changed) *changed = anything;
    return read;
}

std::vector<ArchivedClue> ClueArchive::Lookup(std::string_view word) const {
    std::vector<ArchivedClue> found;
    std::unordered_map<std::string, std::size_t> byText;
    for (const auto& [path, record] : files_) {
        for (const auto& [letters, clue] : record->clues) {
            if (letters != word) continue;
            const std::int64_t seconds = record->time / 1000000000;
            const auto [it, added] = byText.emplace(clue, found.size());
            if (added) {
                found.push_back({clue, path, seconds, 1});
                continue;
            }
            ArchivedClue& same = found[it->second];
            ++same.count;
            if (seconds > same.time || (seconds == same.time && path > same.file)) {
                same.time = seconds;
                same.file = path;
            }
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const ArchivedClue& a, const ArchivedClue& b) {
        return a.time != b.time ? a.time > b.time : a.file > b.file;
    });
    return found;
}

ArchiveCounts ClueArchive::Counts() const {
    ArchiveCounts counts;
    for (const auto& [path, record] : files_) {
        if (record->damaged) {
            ++counts.damaged;
        } else {
            ++counts.files;
            counts.clues += static_cast<int>(record->clues.size());
        }
    }
    return counts;
}

// The index: a heading line, then for each file a line
// "F<TAB>time<TAB>size<TAB>damaged<TAB>path" followed by one line
// "<TAB>WORD<TAB>clue" for each of its clues.
bool ClueArchive::SaveIndex(const std::string& indexFile) const {
    std::string bytes = kIndexHeading + '\n';
    for (const auto& [path, record] : files_) {
        bytes += "F\t" + std::to_string(record->time) + '\t' + std::to_string(record->size) + '\t' +
                 (record->damaged ? "1" : "0") + '\t' + path + '\n';
        for (const auto& [word, clue] : record->clues) {
            bytes += '\t';
            bytes += word;
            bytes += '\t';
            bytes += clue;
            bytes += '\n';
        }
    }
    std::error_code ec;
    fs::create_directories(fs::path(indexFile).parent_path(), ec);
    return ReplaceFile(indexFile, bytes, {WriteTarget::Own});
}

bool ClueArchive::LoadIndex(const std::string& indexFile) {
    files_.clear();
    std::string bytes;
    if (!ReadWholeFile(indexFile, bytes)) return false;
    std::map<std::string, std::shared_ptr<const FileRecord>> files;
    std::shared_ptr<FileRecord> current;
    std::size_t start = 0;
    bool first = true;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) return false;  // cut short: read everything again
        const std::string_view line(bytes.data() + start, end - start);
        start = end + 1;
        if (first) {
            if (line != kIndexHeading) return false;
            first = false;
            continue;
        }
        if (line.size() > 2 && line[0] == 'F' && line[1] == '\t') {
            std::vector<std::string_view> fields;
            std::size_t from = 2;
            for (int k = 0; k < 3; ++k) {
                const std::size_t tab = line.find('\t', from);
                if (tab == std::string_view::npos) return false;
                fields.push_back(line.substr(from, tab - from));
                from = tab + 1;
            }
            current = std::make_shared<FileRecord>();
            if (!ReadNumber(fields[0], current->time) || !ReadNumber(fields[1], current->size) ||
                (fields[2] != "0" && fields[2] != "1") || from >= line.size())
                return false;
            current->damaged = fields[2] == "1";
            files[std::string(line.substr(from))] = current;
        } else if (!line.empty() && line[0] == '\t' && current) {
            const std::size_t tab = line.find('\t', 1);
            if (tab == std::string_view::npos) return false;
            current->clues.emplace_back(std::string(line.substr(1, tab - 1)), std::string(line.substr(tab + 1)));
        } else {
            return false;
        }
    }
    if (first) return false;
    files_ = std::move(files);
    return true;
}

std::string ArchiveDate(std::int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm {};
    if (!localtime_r(&t, &tm)) return {};
    char text[16];
    std::strftime(text, sizeof text, "%d-%m-%Y", &tm);
    return text;
}

} // namespace document
