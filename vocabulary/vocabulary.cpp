#include "vocabulary/vocabulary.h"

#include "document/one_based.h"
#include "document/text.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <mutex>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vocabulary {

namespace {

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

bool IsWildcard(char ch, bool dotIsWildcard) { return ch == ' ' || (dotIsWildcard && ch == '.'); }

bool AllWildcards(std::string_view pattern, bool dotIsWildcard) {
    return std::all_of(pattern.begin(), pattern.end(), [&](char ch) { return IsWildcard(ch, dotIsWildcard); });
}

// Words are compared 64 at a time, one bit each.
constexpr std::size_t Block = 64;

// Bit j set when column[j] == letter, for j = 0..63.
std::uint64_t EqualMask(const char* column, char letter) {
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(letter);
    std::uint64_t mask = 0;
    for (int part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(column + 16 * part));
        const auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted)));
        mask |= std::uint64_t{bits} << (16 * part);
    }
    return mask;
#else
    std::uint64_t mask = 0;
    for (std::size_t j = 0; j < Block; ++j) mask |= std::uint64_t{column[j] == letter} << j;
    return mask;
#endif
}

// Calls take(k) for every word k (from 1, in file order) of a group stored
// column by column that agrees with the pattern, skipping words that hold Q
// or H when `skipQorH`; stops early when take returns false.
template <typename Take>
void Scan(std::string_view columns, int count, std::string_view pattern, bool dotIsWildcard, bool skipQorH,
          Take take) {
    if (count <= 0) return;
    const std::size_t L = pattern.size();
    const std::size_t stride = columns.size() / L;
    std::array<std::pair<const char*, char>, MaxLength> fixed;
    std::size_t fixedCount = 0;
    for (std::size_t i = 0; i < L; ++i)
        if (!IsWildcard(pattern[i], dotIsWildcard)) fixed[fixedCount++] = {columns.data() + i * stride, pattern[i]};
    const auto words = static_cast<std::size_t>(count);
    for (std::size_t b = 0; b < words; b += Block) {
        std::uint64_t bits = words - b >= Block ? ~std::uint64_t{0} : (std::uint64_t{1} << (words - b)) - 1;
        for (std::size_t i = 0; i < fixedCount && bits != 0; ++i)
            bits &= EqualMask(fixed[i].first + b, fixed[i].second);
        for (std::size_t place = 0; skipQorH && place < L && bits != 0; ++place) {
            const char* column = columns.data() + place * stride + b;
            bits &= ~(EqualMask(column, 'Q') | EqualMask(column, 'H'));
        }
        for (; bits != 0; bits &= bits - 1)
            if (!take(static_cast<int>(b + static_cast<std::size_t>(std::countr_zero(bits))) + 1)) return;
    }
}

} // namespace

// The file (kept open, read group by group) or the bytes given in memory,
// and the groups read so far. Each group is read once, whichever thread
// asks first.
struct Vocabulary::Storage {
    Storage() = default;
    Storage(const Storage&) = delete;
    Storage& operator=(const Storage&) = delete;
    ~Storage() {
        if (fd >= 0) ::close(fd);
    }

    // n bytes from 0-based `offset`; blanks where the file has none (past its
    // end, or cut short since it was opened).
    void Read(std::size_t offset, char* out, std::size_t n) const {
        std::memset(out, ' ', n);
        if (offset >= size) return;
        n = std::min(n, size - offset);
        if (whole) {
            std::memcpy(out, whole.get() + offset, n);
            return;
        }
        for (std::size_t done = 0; done < n;) {
            const ssize_t got = ::pread(fd, out + done, n - done, static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return;
            done += static_cast<std::size_t>(got);
        }
    }

    int fd = -1;
    std::unique_ptr<char[]> whole;
    std::size_t size = 0;

    // Each group column by column, read on first need.
    struct Group {
        std::once_flag read;
        std::unique_ptr<char[]> columns;
        std::size_t size = 0;
        std::atomic<bool> kept{false};  // set once `columns` is complete
    };
    std::array<Group, MaxLength + 1> groups;
    std::atomic<std::size_t> wordBytes{0};
};

Vocabulary::Vocabulary() : storage_(std::make_unique<Storage>()) {}
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
    auto storage = std::make_unique<Storage>();
    storage->fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    std::string header(FirstWordPosition - 1, ' ');
    ssize_t got = -1;
    if (storage->fd >= 0 && ::fstat(storage->fd, &status) == 0 && S_ISREG(status.st_mode)) {
        do got = ::pread(storage->fd, header.data(), header.size(), 0);
        while (got < 0 && errno == EINTR);
    }
    if (got < 0) {
        messages.Tell("Errore di lettura del file di vocabolario " + fileName + "!");
        return false;
    }
    storage->size = static_cast<std::size_t>(status.st_size);
    header.resize(static_cast<std::size_t>(got));
    storage_ = std::move(storage);
    ReadIndex(header, fileName, messages);
    return true;
}

void Vocabulary::LoadFromBytes(std::string_view bytes, const std::string& fileName,
                               platform::Messages& messages) {
    auto storage = std::make_unique<Storage>();
    storage->whole = std::make_unique_for_overwrite<char[]>(std::max<std::size_t>(bytes.size(), 1));
    std::copy(bytes.begin(), bytes.end(), storage->whole.get());
    storage->size = bytes.size();
    storage_ = std::move(storage);
    ReadIndex(bytes.substr(0, FirstWordPosition - 1), fileName, messages);
}

void Vocabulary::ReadIndex(std::string_view data, const std::string& fileName,
                           platform::Messages& messages) {
    const std::size_t fileSize = storage_->size;
    const double size = static_cast<double>(fileSize);
    std::string damaged;
    bool bad[MaxLength + 1] = {};
    for (int L = MinLength; L <= MaxLength; ++L) {
        const double start = NumberField(data, StartFieldPosition(L));
        const double end = NumberField(data, EndFieldPosition(L));
        const double count = std::trunc((end - start) / L);
        // Keep only whole words that lie inside the file, and no more than a
        // group may hold.
        const double available = start >= 1 ? std::floor((size - (start - 1)) / L) : 0;
        const double usable = std::clamp(std::min(count, available), 0.0,
                                         static_cast<double>(MaxWordsPerLength));
        // A group starts after the index and inside the file, also when
        // it is empty.
        const bool misplaced = start < FirstWordPosition || start > size + 1;
        if (usable != count || misplaced || fileSize < FirstWordPosition - 1 ||
            !WellFormedField(data, StartFieldPosition(L)) || !WellFormedField(data, EndFieldPosition(L)))
            bad[L] = true;
        start_[L] = static_cast<std::int32_t>(std::clamp(start, -2147483648.0, 2147483647.0));
        count_[L] = static_cast<std::int32_t>(usable);
    }
    // Groups that share bytes: each would read the other's words.
    for (int a = MinLength; a <= MaxLength; ++a)
        for (int b = MinLength; b <= MaxLength; ++b) {
            if (a == b || count_[a] == 0 || count_[b] == 0) continue;
            const double endA = static_cast<double>(start_[a]) + static_cast<double>(count_[a]) * a;
            if (start_[a] <= start_[b] && start_[b] < endA) bad[a] = bad[b] = true;
        }
    long total = 0;
    for (int L = MinLength; L <= MaxLength; ++L) {
        total += count_[L];
        if (bad[L]) damaged += (damaged.empty() ? "" : ", ") + std::to_string(L);
    }
    if (total == 0) {
        messages.Show("Il file di vocabolario " + fileName +
                          " \xE8 danneggiato o vuoto: non contiene alcuna parola. L'estrazione automatica e la "
                          "ricerca delle parole non troveranno nulla.",
                      platform::Buttons::Ok, platform::ApplicationTitle, platform::Icon::Exclamation);
        return;
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

std::string_view Vocabulary::Columns(int L) const {
    if (!storage_ || !ValidLength(L) || count_[L] == 0) return {};
    Storage::Group& group = storage_->groups[L];
    std::call_once(group.read, [&] {
        const auto length = static_cast<std::size_t>(L);
        const auto count = static_cast<std::size_t>(count_[L]);
        const std::size_t stride = (count + Block - 1) / Block * Block;
        group.size = stride * length;
        group.columns = std::make_unique_for_overwrite<char[]>(group.size);
        char* columns = group.columns.get();
        for (std::size_t place = 0; place < length; ++place)
            std::fill(columns + place * stride + count, columns + (place + 1) * stride, '\0');
        // The words in slices of whole words, each slice spread over the columns.
        char slice[16384];
        const std::size_t perSlice = sizeof slice / length;
        const auto offset = static_cast<std::size_t>(start_[L] - 1);
        for (std::size_t first = 0; first < count; first += perSlice) {
            const std::size_t words = std::min(perSlice, count - first);
            storage_->Read(offset + first * length, slice, words * length);
            for (std::size_t w = 0; w < words; ++w)
                for (std::size_t place = 0; place < length; ++place)
                    columns[place * stride + first + w] = slice[w * length + place];
        }
        storage_->wordBytes += group.size;
        group.kept.store(true, std::memory_order_release);
    });
    return {group.columns.get(), group.size};
}

std::string_view Vocabulary::Column(int L, int place) const {
    const std::string_view columns = Columns(L);
    if (columns.empty() || place < 0 || place >= L) return {};
    return columns.substr(static_cast<std::size_t>(place) * (columns.size() / static_cast<std::size_t>(L)),
                          static_cast<std::size_t>(count_[L]));
}

std::size_t Vocabulary::WordBytesInMemory() const { return storage_ ? storage_->wordBytes.load() : 0; }

std::string Vocabulary::WordsByMask(std::string_view mask) const {
    std::string found;
    const std::size_t L = mask.size();
    if (!storage_ || !ValidLength(L) || count_[L] == 0) return found;
    const Storage::Group& group = storage_->groups[L];
    if (group.kept.load(std::memory_order_acquire)) {
        const std::string_view columns = Columns(static_cast<int>(L));
        const std::size_t stride = columns.size() / L;
        Scan(columns, count_[L], mask, false, false, [&](int k) {
            for (std::size_t place = 0; place < L; ++place)
                found += columns[place * stride + static_cast<std::size_t>(k - 1)];
            found += '\n';
            return true;
        });
        return found;
    }
    // Word by word through the file's bytes, a slice of whole words at a
    // time, comparing only the places the mask fixes.
    std::array<std::size_t, MaxLength> fixed{};
    std::size_t fixedCount = 0;
    for (std::size_t i = 0; i < L; ++i)
        if (!IsWildcard(mask[i], false)) fixed[fixedCount++] = i;
    const auto count = static_cast<std::size_t>(count_[L]);
    const std::size_t perSlice = (std::size_t{1} << 17) / L;
    const auto slice = std::make_unique_for_overwrite<char[]>(perSlice * L);
    const auto offset = static_cast<std::size_t>(start_[L] - 1);
    if (fixedCount == 0) found.reserve(count * (L + 1));
    for (std::size_t first = 0; first < count; first += perSlice) {
        const std::size_t words = std::min(perSlice, count - first);
        storage_->Read(offset + first * L, slice.get(), words * L);
        const char* word = slice.get();
        for (std::size_t w = 0; w < words; ++w, word += L) {
            std::size_t i = 0;
            while (i < fixedCount && word[fixed[i]] == mask[fixed[i]]) ++i;
            if (i < fixedCount) continue;
            found.append(word, L);
            found += '\n';
        }
    }
    return found;
}

std::string Vocabulary::ReadVocabularyWord(int k, int L) const {
    if (!storage_ || !ValidLength(L)) return {};
    std::string word(static_cast<std::size_t>(L), ' ');
    if (k >= 1 && k <= count_[L]) {
        const std::string_view columns = Columns(L);
        const std::size_t stride = columns.size() / word.size();
        for (std::size_t place = 0; place < word.size(); ++place)
            word[place] = columns[place * stride + static_cast<std::size_t>(k - 1)];
        return word;
    }
    // Outside its group, word k may cover any bytes of the file, or none.
    const double first = static_cast<double>(start_[L]) + (static_cast<double>(k) - 1) * L;
    const double from = std::max(first, 1.0);
    const double to = std::min(first + L - 1, static_cast<double>(storage_->size));
    if (from <= to)
        storage_->Read(static_cast<std::size_t>(from) - 1, word.data() + static_cast<std::size_t>(from - first),
                       static_cast<std::size_t>(to - from) + 1);
    return word;
}

bool Vocabulary::PatternExists(std::string_view pattern) const {
    const std::size_t L = pattern.size();
    if (!ValidLength(L) || count_[L] == 0) return false;
    if (AllWildcards(pattern, true)) return true;
    bool found = false;
    Scan(Columns(static_cast<int>(L)), count_[L], pattern, true, false, [&](int) {
        found = true;
        return false;
    });
    return found;
}

void Vocabulary::CollectMatches(std::string_view pattern, platform::Messages& messages) {
    const std::size_t L = pattern.size();
    if (!ValidLength(L)) {
        messages.Tell(UnavailableLengthMessage(static_cast<int>(L)));
        return;
    }
    matches_.clear();
    const bool free = AllWildcards(pattern, false);
    Scan(Columns(static_cast<int>(L)), count_[L], pattern, false, free, [&](int k) {
        matches_.push_back(static_cast<std::int16_t>(k));
        return MatchCount() < MatchCapacity;
    });
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
    Scan(Columns(static_cast<int>(L)), count_[L], mask, false, false, [&](int k) {
        found.push_back(k);
        return true;
    });
    // The progress a word-by-word scan reports: every 100 words and at the end.
    if (progress) {
        const int total = count_[L];
        std::size_t seen = 0;
        for (int k = std::min(100, total); k > 0; k = k == total ? 0 : std::min(k + 100, total)) {
            while (seen < found.size() && found[seen] <= k) ++seen;
            progress(k, total, static_cast<int>(seen));
        }
    }
    return found;
}

} // namespace vocabulary
