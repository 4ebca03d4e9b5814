#include "vocabulary/thesaurus.h"

#include "document/text.h"

#include <algorithm>
#include <fstream>

namespace vocabulary {

namespace {

// A grid letter for a Latin letter with or without an accent; 0 for a
// character that is left out of a grid word; -1 for any other.
int LetterOf(long cp) {
    if (cp >= 'a' && cp <= 'z') return static_cast<int>(cp - 'a' + 'A');
    if (cp >= 'A' && cp <= 'Z') return static_cast<int>(cp);
    if (cp == ' ' || cp == '\'' || cp == '-' || cp == 0x2019) return 0;
    // Latin-1 letters with accents, both cases.
    static const char* const kFolded =
        "AAAAAAECEEEEIIII" "DNOOOOO*OUUUUYTS" "AAAAAAECEEEEIIII" "DNOOOOO/OUUUUYTY";
    if (cp >= 0xC0 && cp <= 0xFF) {
        const char ch = kFolded[cp - 0xC0];
        return ch >= 'A' && ch <= 'Z' ? ch : -1;
    }
    return -1;
}

// Splits a line at '|'.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = line.find('|', start);
        fields.push_back(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) return fields;
        start = bar + 1;
    }
}

std::string WithoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    return line;
}

// Any line of the thesaurus is far shorter; a longer one means a file that
// is not one.
constexpr std::size_t MaxLine = 64 * 1024;

bool GetLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line) || line.size() > MaxLine) return false;
    line = WithoutLineEnd(std::move(line));
    return true;
}

} // namespace

std::string GridLetters(std::string_view utf8) {
    std::string letters;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const int letter = LetterOf(document::DecodeUtf8(utf8, pos));
        if (letter < 0) return {};
        if (letter > 0) letters += static_cast<char>(letter);
    }
    return letters;
}

bool Thesaurus::Open(const std::string& datFile, std::string& problem) {
    dat_.clear();
    offsets_.clear();
    std::string idxFile = datFile;
    if (idxFile.size() > 4 && idxFile.compare(idxFile.size() - 4, 4, ".dat") == 0) idxFile.resize(idxFile.size() - 4);
    idxFile += ".idx";
    std::ifstream in(idxFile, std::ios::binary);
    std::ifstream dat(datFile, std::ios::binary);
    std::string line;
    if (!in || !dat) {
        problem = "Dizionario dei sinonimi non trovato: " + datFile;
        return false;
    }
    if (!GetLine(in, line) || line != "UTF-8" || !GetLine(in, line)) {
        problem = "Indice del dizionario dei sinonimi non valido: " + idxFile;
        return false;
    }
    while (GetLine(in, line)) {
        const std::size_t bar = line.rfind('|');
        if (bar == std::string::npos) continue;
        const std::string letters = GridLetters(std::string_view(line).substr(0, bar));
        const std::string number = line.substr(bar + 1);
        if (letters.empty() || number.empty() || number.size() > 12 ||
            !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        offsets_.emplace(letters, std::stoull(number));
    }
    if (!in.eof()) {
        offsets_.clear();
        problem = "Indice del dizionario dei sinonimi non valido: " + idxFile;
        return false;
    }
    dat_ = datFile;
    return true;
}

bool Thesaurus::OpenForms(const std::string& formsFile) {
    forms_.clear();
    std::ifstream in(formsFile, std::ios::binary);
    if (!in) return false;
    forms_ = formsFile;
    return true;
}

bool Thesaurus::ReadEntry(std::uint64_t offset, ThesaurusEntry& entry) const {
    std::ifstream in(dat_, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(offset));
    std::string line;
    if (!in || !GetLine(in, line)) return false;
    const std::size_t bar = line.rfind('|');
    if (bar == std::string::npos) return false;
    const std::string count = line.substr(bar + 1);
    if (count.empty() || count.size() > 4 ||
        !std::all_of(count.begin(), count.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    entry.word = document::Utf8ToCp1252(line.substr(0, bar));
    for (int n = std::stoi(count); n > 0; --n) {
        if (!GetLine(in, line)) return false;
        std::vector<std::string> fields = Fields(line);
        Meaning meaning;
        std::string note = fields.front();
        if (note.size() >= 2 && note.front() == '(' && note.back() == ')') note = note.substr(1, note.size() - 2);
        meaning.note = document::Utf8ToCp1252(note);
        // "s.m. fig. Persona furba": the labels before the gloss are words of
        // small letters ending with a full stop.
        std::size_t from = 0;
        for (;;) {
            const std::size_t end = std::min(meaning.note.find(' ', from), meaning.note.size());
            const std::string_view word = std::string_view(meaning.note).substr(from, end - from);
            const bool label = word.size() >= 2 && word.back() == '.' &&
                               std::all_of(word.begin(), word.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '.'; });
            if (!label) break;
            from = std::min(end + 1, meaning.note.size());
        }
        meaning.gloss = meaning.note.substr(from);
        for (std::size_t k = 1; k < fields.size(); ++k)
            if (!fields[k].empty()) meaning.synonyms.push_back(document::Utf8ToCp1252(fields[k]));
        entry.meanings.push_back(std::move(meaning));
    }
    return true;
}

std::vector<std::string> Thesaurus::BaseForms(std::string_view letters) const {
    std::vector<std::string> bases;
    std::ifstream in(forms_, std::ios::binary);
    if (forms_.empty() || !in || letters.empty()) return bases;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    const std::string key = std::string(letters) + '\t';
    // The first line whose start is at or after `at`, or "" at the end.
    auto lineFrom = [&](std::streamoff at, std::streamoff& start) {
        in.clear();
        in.seekg(at);
        std::string line;
        if (at > 0) {  // from just before `at`, to the end of that line
            in.seekg(at - 1);
            std::getline(in, line);
        }
        start = in.tellg();
        if (!in || !std::getline(in, line)) {
            start = size;
            return std::string();
        }
        return WithoutLineEnd(line);
    };
    // The smallest position from which the next line is not below the key:
    // lines are sorted by their bytes, and a tab sorts before any letter, so
    // the lines of the key follow each other from there.
    std::streamoff low = 0, high = size;
    while (low < high) {
        const std::streamoff mid = low + (high - low) / 2;
        std::streamoff start = 0;
        const std::string line = lineFrom(mid, start);
        if (start < size && line < key)
            low = mid + 1;
        else
            high = mid;
    }
    std::streamoff start = 0;
    std::string line = lineFrom(low, start);
    for (int guard = 0; start < size && line.compare(0, key.size(), key) == 0 && guard < 64; ++guard) {
        bases.push_back(line.substr(key.size()));
        std::getline(in, line);
        line = WithoutLineEnd(line);
        if (!in) break;
    }
    return bases;
}

std::vector<ThesaurusEntry> Thesaurus::Lookup(std::string_view letters) const {
    std::vector<ThesaurusEntry> found;
    if (!IsOpen() || letters.empty()) return found;
    auto add = [&](const std::string& key, bool baseForm) {
        const auto [from, to] = offsets_.equal_range(key);
        for (auto it = from; it != to; ++it) {
            ThesaurusEntry entry;
            entry.baseForm = baseForm;
            if (ReadEntry(it->second, entry)) found.push_back(std::move(entry));
        }
    };
    add(std::string(letters), false);
    if (!found.empty()) return found;
    std::vector<std::string> seen;
    for (const std::string& base : BaseForms(letters)) {
        const std::string key = GridLetters(base);
        if (key.empty() || std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
        seen.push_back(key);
        const std::size_t before = found.size();
        add(key, true);
        // Only the entries spelled as the base form ("papa" is not "papà").
        const std::string wanted = document::Utf8ToCp1252(base);
        found.erase(std::remove_if(found.begin() + static_cast<std::ptrdiff_t>(before), found.end(),
                                   [&](const ThesaurusEntry& e) { return e.word != wanted; }),
                    found.end());
    }
    return found;
}

std::vector<ThesaurusSuggestion> Thesaurus::Suggestions(std::string_view letters) const {
    std::vector<ThesaurusSuggestion> suggestions;
    auto add = [&](const std::string& text, const ThesaurusEntry& entry) {
        if (text.empty()) return;
        for (const ThesaurusSuggestion& s : suggestions)
            if (s.text == text) return;
        suggestions.push_back({text, entry.baseForm ? entry.word : std::string()});
    };
    for (const ThesaurusEntry& entry : Lookup(letters)) {
        for (const Meaning& meaning : entry.meanings) {
            add(meaning.gloss, entry);
            for (const std::string& synonym : meaning.synonyms) add(synonym, entry);
        }
    }
    return suggestions;
}

} // namespace vocabulary
