#include "document/working_copy.h"

#include "document/file_io.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace document {

bool WorkingCopy::Store(const Crossword& doc, platform::Messages& messages) const {
    return SaveCrosswordFile(doc, path_, messages) == SaveResult::Saved;
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
    if (!ReplaceFile(path_, copy)) {
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
    std::filesystem::remove(path_, ec);
}

std::string WorkingCopy::Rescue(const std::string& folder, const std::string& stamp, int keep) const {
    std::string bytes;
    if (!Exists() || !ReadWholeFile(path_, bytes) || bytes.empty()) return {};
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(folder, ec);
    std::string kept = (fs::path(folder) / (stamp + ".qdr")).string();
    for (int n = 2; FileExists(kept); ++n)
        kept = (fs::path(folder) / (stamp + "-" + std::to_string(n) + ".qdr")).string();
    if (!ReplaceFile(kept, bytes)) return {};

    // Names are date and time, so the oldest sort first.
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file(ec) && entry.path().extension() == ".qdr") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (std::size_t i = 0; i + static_cast<std::size_t>(keep) < files.size(); ++i) fs::remove(files[i], ec);
    return kept;
}

} // namespace document
