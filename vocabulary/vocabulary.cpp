#include "vocabulary/vocabulary.h"

#include "document/file_io.h"
#include "document/one_based.h"
#include "document/text.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <fstream>
#include <mutex>

namespace vocabulary {

namespace {

constexpr int Letters = 26;

bool ValidLength(std::size_t L) { return L >= MinLength && L <= MaxLength; }

// The 8-byte number field at 1-based `position`; bytes past the end of the
// file read as blanks, which count as 0.
double NumberField(std::string_view data, int position) {
    return document::LeadingNumber(document::Mid(data, position, 8));
}

// True when an index field holds a number and nothing else: blanks, an
// optional sign, digits with an optional decimal part, blanks. A blank field
// or one with stray characters still reads as a number, but it is damage.
bool WellFormedField(std::string_view data, int position) {
    const std::string_view field = document::Mid(data, position, 8);
    std::size_t i = 0;
    auto blanks = [&] {
        while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
    };
    auto digits = [&] {
        bool any = false;
        for (blanks(); i < field.size() && field[i] >= '0' && field[i] <= '9'; blanks()) ++i, any = true;
        return any;
    };
    blanks();
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
    bool any = digits();
    if (i < field.size() && field[i] == '.') {
        ++i;
        any = digits() || any;
    }
    return any && i == field.size() && field.size() == 8;
}

bool AllWildcards(std::string_view pattern, char wildcard) {
    return std::all_of(pattern.begin(), pattern.end(), [&](char ch) { return ch == wildcard; });
}

bool IsWildcard(char ch, bool dotIsWildcard) { return ch == ' ' || (dotIsWildcard && ch == '.'); }

// Places of the pattern that hold a letter, to compare only those.
std::vector<std::size_t> FixedPlaces(std::string_view pattern, bool dotIsWildcard) {
    std::vector<std::size_t> places;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (!IsWildcard(pattern[i], dotIsWildcard)) places.push_back(i);
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

// Calls take(k) for every word k (from 1, in file order) that is in all
// `count` bitsets, until take returns false.
template <typename Sets, typename Take>
void ForEachInAll(const Sets& sets, int count, std::size_t size, Take take) {
    for (std::size_t b = 0; b < size; ++b) {
        std::uint64_t bits = sets[0][b];
        for (int i = 1; i < count && bits != 0; ++i) bits &= sets[static_cast<std::size_t>(i)][b];
        for (; bits != 0; bits &= bits - 1)
            if (!take(static_cast<int>(b * 64 + static_cast<std::size_t>(std::countr_zero(bits))) + 1)) return;
    }
}

// The whole file in one read of its known size.
bool ReadVocabularyFile(const std::string& name, std::unique_ptr<char[]>& data, std::size_t& size) {
    const auto known = document::FileSize(name);
    if (!known) return false;
    std::ifstream in(name, std::ios::binary);
    if (!in) return false;
    auto bytes = std::make_unique_for_overwrite<char[]>(std::max<std::size_t>(*known, 1));
    in.read(bytes.get(), static_cast<std::streamsize>(*known));
    if (in.bad()) return false;
    // A file cut short since its size was taken gives what is left of it.
    size = static_cast<std::size_t>(in.gcount());
    data = std::move(bytes);
    return true;
}

} // namespace

// Per length and place, 26 bitsets (A..Z) of BitsetSize(L) elements each.
struct Vocabulary::LetterIndex {
    struct Place {
        std::once_flag built;
        std::vector<std::uint64_t> bits;
    };
    std::array<std::array<Place, MaxLength>, MaxLength + 1> places;
    std::atomic<std::size_t> bytes{0};
};

Vocabulary::Vocabulary() : index_(std::make_unique<LetterIndex>()) {}
Vocabulary::~Vocabulary() = default;
Vocabulary::Vocabulary(Vocabulary&&) noexcept = default;
Vocabulary& Vocabulary::operator=(Vocabulary&&) noexcept = default;

std::string PatternForDisplay(std::string_view pattern) {
    std::string shown(pattern);
    std::replace(shown.begin(), shown.end(), ' ', '.');
    return shown;
}

std::string UnavailableLengthMessage(int length) {
    return "Errore: Parola con " + std::to_string(length) + " caratteri non disponibile!.";
}

bool Vocabulary::LoadVocabularyIndex(const std::string& fileName, platform::Messages& messages) {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    if (!ReadVocabularyFile(fileName, data, size)) {
        messages.Tell("Errore di lettura del file di vocabolario " + fileName + "!");
        return false;
    }
    data_ = std::move(data);
    size_ = size;
    ReadIndex(fileName, messages);
    return true;
}

void Vocabulary::LoadFromBytes(std::string_view bytes, const std::string& fileName,
                               platform::Messages& messages) {
    data_ = std::make_unique_for_overwrite<char[]>(std::max<std::size_t>(bytes.size(), 1));
    std::copy(bytes.begin(), bytes.end(), data_.get());
    size_ = bytes.size();
    ReadIndex(fileName, messages);
}

void Vocabulary::ReadIndex(const std::string& fileName, platform::Messages& messages) {
    index_ = std::make_unique<LetterIndex>();
    const std::string_view data = Bytes();
    const double size = static_cast<double>(size_);
    std::string damaged;
    for (int L = MinLength; L <= MaxLength; ++L) {
        const double start = NumberField(data, StartFieldPosition(L));
        const double end = NumberField(data, EndFieldPosition(L));
        const double count = std::trunc((end - start) / L);
        // Keep only whole words that lie inside the file, and no more than a
        // group may hold.
        const double available = start >= 1 ? std::floor((size - (start - 1)) / L) : 0;
        const double usable = std::clamp(std::min(count, available), 0.0,
                                         static_cast<double>(MaxWordsPerLength));
        if (usable != count || size_ < FirstWordPosition - 1 ||
            !WellFormedField(data, StartFieldPosition(L)) || !WellFormedField(data, EndFieldPosition(L)))
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
    return Bytes().substr(start_[L] - 1, static_cast<std::size_t>(count_[L]) * L);
}

std::string Vocabulary::ReadVocabularyWord(int k, int L) const {
    std::string word(ValidLength(L) ? L : 0, ' ');
    const double first = static_cast<double>(start_[ValidLength(L) ? L : 0]) +
                         (static_cast<double>(k) - 1) * L;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const double position = first + static_cast<double>(i);
        if (position >= 1 && position <= static_cast<double>(size_))
            word[i] = data_[static_cast<std::size_t>(position) - 1];
    }
    return word;
}

std::size_t Vocabulary::BitsetSize(int L) const {
    return ValidLength(L) ? (static_cast<std::size_t>(count_[L]) + 63) / 64 : 0;
}

std::span<const std::uint64_t> Vocabulary::WordsWithLetter(int L, int place, char letter) const {
    if (!index_ || !ValidLength(L) || count_[L] == 0 || place < 0 || place >= L || letter < 'A' ||
        letter > 'Z')
        return {};
    const std::size_t size = BitsetSize(L);
    LetterIndex::Place& slot = index_->places[L][place];
    std::call_once(slot.built, [&] {
        slot.bits.assign(Letters * size, 0);
        const std::string_view group = Group(L);
        std::size_t k = 0;
        for (std::size_t at = place; at < group.size(); at += L, ++k) {
            const unsigned offset = static_cast<unsigned char>(group[at]) - unsigned{'A'};
            if (offset < Letters) slot.bits[offset * size + k / 64] |= std::uint64_t{1} << (k % 64);
        }
        index_->bytes += slot.bits.size() * sizeof(std::uint64_t);
    });
    return {slot.bits.data() + static_cast<std::size_t>(letter - 'A') * size, size};
}

std::size_t Vocabulary::IndexBytes() const { return index_ ? index_->bytes.load() : 0; }

bool Vocabulary::IndexedPlaces(std::string_view pattern, bool dotIsWildcard, PlaceSets& sets,
                               int& count) const {
    count = 0;
    for (char ch : pattern)
        if (!IsWildcard(ch, dotIsWildcard) && (ch < 'A' || ch > 'Z')) return false;
    const int L = static_cast<int>(pattern.size());
    for (int i = 0; i < L; ++i)
        if (!IsWildcard(pattern[static_cast<std::size_t>(i)], dotIsWildcard))
            sets[static_cast<std::size_t>(count++)] = WordsWithLetter(L, i, pattern[static_cast<std::size_t>(i)]).data();
    return count > 0;
}

bool Vocabulary::PatternExists(std::string_view pattern) const {
    const std::size_t L = pattern.size();
    if (!ValidLength(L)) return false;
    const std::string_view group = Group(static_cast<int>(L));
    if (group.empty()) return false;
    if (AllWildcards(PatternForDisplay(pattern), '.')) return true;
    PlaceSets sets;
    int count = 0;
    if (IndexedPlaces(pattern, true, sets, count)) {
        bool found = false;
        ForEachInAll(sets, count, BitsetSize(static_cast<int>(L)), [&](int) {
            found = true;
            return false;
        });
        return found;
    }
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
    if (group.empty()) return;
    PlaceSets sets;
    int count = 0;
    if (IndexedPlaces(pattern, false, sets, count)) {
        ForEachInAll(sets, count, BitsetSize(static_cast<int>(L)), [&](int k) {
            matches_.push_back(static_cast<std::int16_t>(k));
            return MatchCount() < MatchCapacity;
        });
        return;
    }
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
    PlaceSets sets;
    int count = 0;
    if (!group.empty() && IndexedPlaces(mask, false, sets, count)) {
        ForEachInAll(sets, count, BitsetSize(static_cast<int>(L)), [&](int k) {
            found.push_back(k);
            return true;
        });
        // The progress a word-by-word scan would have reported.
        if (progress) {
            std::size_t seen = 0;
            for (int k = std::min(100, total); k > 0; k = k == total ? 0 : std::min(k + 100, total)) {
                while (seen < found.size() && found[seen] <= k) ++seen;
                progress(k, total, static_cast<int>(seen));
            }
        }
        return found;
    }
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
