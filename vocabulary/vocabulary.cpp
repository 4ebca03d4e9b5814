#include "vocabulary/vocabulary.h"

#include "document/crossword_file.h"
#include "document/file_io.h"
#include "document/one_based.h"
#include "document/text.h"

#include <algorithm>
#include <cmath>

namespace vocabulary {

namespace {

bool ValidLength(std::size_t L) { return L >= MinLength && L <= MaxLength; }

// The 8-byte number field at 1-based `position`; bytes past the end of the
// file read as blanks, which count as 0.
double NumberField(std::string_view data, int position) {
    return document::LeadingNumber(document::Mid(data, position, 8));
}

bool AllWildcards(std::string_view pattern, char wildcard) {
    return std::all_of(pattern.begin(), pattern.end(), [&](char ch) { return ch == wildcard; });
}

// Places of the pattern that hold a letter, to compare only those.
std::vector<std::size_t> FixedPlaces(std::string_view pattern, bool dotIsWildcard) {
    std::vector<std::size_t> places;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (pattern[i] != ' ' && !(dotIsWildcard && pattern[i] == '.')) places.push_back(i);
    return places;
}

bool Agrees(const char* word, std::string_view pattern, const std::vector<std::size_t>& places) {
    for (std::size_t i : places)
        if (word[i] != pattern[i]) return false;
    return true;
}

bool HoldsQorH(const char* word, std::size_t length) {
    bool found = false;
    for (std::size_t i = 0; i < length; ++i) found |= (word[i] == 'Q') | (word[i] == 'H');
    return found;
}

} // namespace

std::string PatternForDisplay(std::string_view pattern) {
    std::string shown(pattern);
    std::replace(shown.begin(), shown.end(), ' ', '.');
    return shown;
}

std::string UnavailableLengthMessage(int length) {
    return "Errore: Parola con " + std::to_string(length) + " caratteri non disponibile!.";
}

bool Vocabulary::LoadVocabularyIndex(const std::string& fileName, platform::Messages& messages) {
    std::string bytes;
    if (!document::ReadWholeFile(fileName, bytes)) {
        messages.Tell("Errore di lettura del file di vocabolario " + fileName + "!");
        return false;
    }
    LoadFromBytes(std::move(bytes), fileName, messages);
    return true;
}

void Vocabulary::LoadFromBytes(std::string bytes, const std::string& fileName,
                               platform::Messages& messages) {
    data_ = std::move(bytes);
    const double size = static_cast<double>(data_.size());
    std::string damaged;
    for (int L = MinLength; L <= MaxLength; ++L) {
        const double start = NumberField(data_, StartFieldPosition(L));
        const double end = NumberField(data_, EndFieldPosition(L));
        double count = std::trunc((end - start) / L);
        // Keep only whole words that lie inside the file, and no more than a
        // group may hold.
        const double available = start >= 1 ? std::floor((size - (start - 1)) / L) : 0;
        const double usable = std::clamp(std::min(count, available), 0.0,
                                         static_cast<double>(MaxWordsPerLength));
        if (usable != count || data_.size() < FirstWordPosition - 1)
            damaged += (damaged.empty() ? "" : ", ") + std::to_string(L);
        start_[L] = static_cast<std::int32_t>(std::clamp(start, -2147483648.0, 2147483647.0));
        count_[L] = static_cast<std::int32_t>(usable);
    }
    if (!damaged.empty())
        messages.Show("Il file di vocabolario " + fileName +
                          " \xE8 danneggiato: le parole di " + damaged +
                          " lettere non sono tutte disponibili.",
                      platform::Buttons::Ok, platform::ApplicationTitle,
                      platform::Icon::Exclamation);
}

int Vocabulary::VocabularyStart(int L) const { return ValidLength(L) ? start_[L] : 0; }
int Vocabulary::VocabularyCount(int L) const { return ValidLength(L) ? count_[L] : 0; }

std::string_view Vocabulary::Group(int L) const {
    if (!ValidLength(L) || count_[L] == 0) return {};
    return std::string_view(data_).substr(start_[L] - 1, static_cast<std::size_t>(count_[L]) * L);
}

std::string Vocabulary::ReadVocabularyWord(int k, int L) const {
    std::string word(ValidLength(L) ? L : 0, ' ');
    const double first = static_cast<double>(start_[ValidLength(L) ? L : 0]) +
                         (static_cast<double>(k) - 1) * L;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const double position = first + static_cast<double>(i);
        if (position >= 1 && position <= static_cast<double>(data_.size()))
            word[i] = data_[static_cast<std::size_t>(position) - 1];
    }
    return word;
}

bool Vocabulary::PatternExists(std::string_view pattern) const {
    const std::size_t L = pattern.size();
    if (!ValidLength(L)) return false;
    const std::string_view group = Group(static_cast<int>(L));
    if (group.empty()) return false;
    if (AllWildcards(PatternForDisplay(pattern), '.')) return true;
    const auto places = FixedPlaces(pattern, true);
    for (std::size_t at = 0; at < group.size(); at += L)
        if (Agrees(group.data() + at, pattern, places)) return true;
    return false;
}

void Vocabulary::CollectMatches(std::string_view pattern, platform::Messages& messages) {
    const std::size_t L = pattern.size();
    if (!ValidLength(L)) {
        messages.Tell(UnavailableLengthMessage(static_cast<int>(L)));
        return;
    }
    matches_.clear();
    const std::string_view group = Group(static_cast<int>(L));
    const bool free = AllWildcards(pattern, ' ');
    const auto places = FixedPlaces(pattern, false);
    matches_.reserve(std::min<std::size_t>(group.size() / L, MatchCapacity));
    int k = 0;
    for (std::size_t at = 0; at < group.size() && MatchCount() < MatchCapacity; at += L) {
        ++k;
        const char* word = group.data() + at;
        if (!Agrees(word, pattern, places)) continue;
        if (free && HoldsQorH(word, L)) continue;
        matches_.push_back(static_cast<std::int16_t>(k));
    }
}

int Vocabulary::MatchList(int i) const {
    if (i < 1 || i > MatchCount()) document::ThrowIndexError("match list", i);
    return matches_[static_cast<std::size_t>(i - 1)];
}

std::vector<int> Vocabulary::FindByMask(std::string_view mask,
                                        const std::function<void(int, int, int)>& progress) const {
    std::vector<int> found;
    const std::size_t L = mask.size();
    if (!ValidLength(L)) return found;
    const std::string_view group = Group(static_cast<int>(L));
    const int total = VocabularyCount(static_cast<int>(L));
    const auto places = FixedPlaces(mask, false);
    int k = 0;
    for (std::size_t at = 0; at < group.size(); at += L) {
        ++k;
        if (Agrees(group.data() + at, mask, places)) found.push_back(k);
        if (progress && (k % 100 == 0 || k == total)) progress(k, total, static_cast<int>(found.size()));
    }
    return found;
}

} // namespace vocabulary
