#pragma once
// The vocabulary "LESSICO.DAT": Italian words grouped by length 3..15, each
// group a run of fixed-length upper-case words, found through a small text
// index at positions 201..408. The whole file is read once, in one read of
// its known size, and kept in memory; every lookup keeps file order.
//
// Lookups with fixed letters go through a letter index: for each length and
// place, one bitset per letter A..Z of the words holding that letter there.
// A place is indexed the first time a lookup needs it, so start-up pays
// nothing for it; the all-blank lookups stay a plain pass over the group.

#include "platform/messages.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vocabulary {

constexpr int MinLength = 3;
constexpr int MaxLength = 15;
constexpr int MaxWordsPerLength = 32767;
constexpr int MatchCapacity = 29999;
constexpr int TitleLength = 200;
constexpr int FirstWordPosition = 409;  // 1-based, right after the index

inline const std::string VocabularyFile = "LESSICO.DAT";
inline const std::string MissingVocabularyMessage =
    "Errore fatale! non trovato file di vocabolario: LESSICO.DAT";

// 1-based positions of the index fields of length group L.
constexpr int StartFieldPosition(int L) { return 201 + 16 * (L - 3); }
constexpr int EndFieldPosition(int L) { return 209 + 16 * (L - 3); }

class Vocabulary {
public:
    Vocabulary();
    ~Vocabulary();
    Vocabulary(Vocabulary&&) noexcept;
    Vocabulary& operator=(Vocabulary&&) noexcept;

    // Reads the named file and its index. A group whose index fields are
    // blank or garbage, or that reaches past the end of the file, is cut to
    // the words that exist, and the user is told once which lengths are
    // affected. False (with a message) only when the file cannot be read.
    bool LoadVocabularyIndex(const std::string& fileName, platform::Messages& messages);

    // The same over file bytes already in memory.
    void LoadFromBytes(std::string_view bytes, const std::string& fileName,
                       platform::Messages& messages);

    int VocabularyStart(int L) const;  // 1-based position of group L's first word
    int VocabularyCount(int L) const;  // words of length L that can be read

    // The L bytes of word k of length L. k is not checked against the count:
    // bytes outside the file read as blanks.
    std::string ReadVocabularyWord(int k, int L) const;

    // True when a word of the pattern's length matches; " " and "." are
    // wildcards. False for lengths outside 3..15 and for empty groups.
    bool PatternExists(std::string_view pattern) const;

    // Fills the match list with the numbers k of every word of the pattern's
    // length that matches (only " " is a wildcard), in file order, at most
    // MatchCapacity of them. A pattern of blanks only skips words holding Q
    // or H. A length outside 3..15 shows a message and keeps the old list.
    void CollectMatches(std::string_view pattern, platform::Messages& messages);

    int MatchCount() const { return static_cast<int>(matches_.size()); }
    int MatchList(int i) const;  // 1-based, i in 1..MatchCount
    const std::vector<std::int16_t>& Matches() const { return matches_; }

    // The clue editor's masked search: numbers k of every word of the mask's
    // length that agrees with it, " " being a free place; no exclusions.
    // `progress` (optional) hears (words scanned, group size, found so far)
    // every 100 words and at the end.
    std::vector<int> FindByMask(std::string_view mask,
                                const std::function<void(int, int, int)>& progress = {}) const;

    // The words of length L holding `letter` (A..Z) at 0-based `place`, as a
    // bitset in file order: word k is bit (k - 1) % 64 of element (k - 1) / 64;
    // BitsetSize(L) elements. Built on the first call for that place; safe to
    // call from several threads at once. Empty for anything outside the
    // index (other letters, lengths, places, an empty group).
    std::span<const std::uint64_t> WordsWithLetter(int L, int place, char letter) const;
    std::size_t BitsetSize(int L) const;

    // Memory the letter index holds for the places built so far.
    std::size_t IndexBytes() const;

private:
    struct LetterIndex;

    std::string_view Bytes() const { return {data_.get(), size_}; }
    std::string_view Group(int L) const;
    void ReadIndex(const std::string& fileName, platform::Messages& messages);

    // The letter bitsets of every fixed place of the pattern (letters other
    // than " ", and "." too when it is a wildcard). False when a fixed place
    // holds a byte outside A..Z, which only the plain scan can compare.
    using PlaceSets = std::array<const std::uint64_t*, MaxLength>;
    bool IndexedPlaces(std::string_view pattern, bool dotIsWildcard, PlaceSets& sets,
                       int& count) const;

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::array<std::int32_t, MaxLength + 1> start_{};
    std::array<std::int32_t, MaxLength + 1> count_{};
    std::vector<std::int16_t> matches_;
    std::unique_ptr<LetterIndex> index_;
};

// The pattern with every blank shown as ".".
std::string PatternForDisplay(std::string_view pattern);

// The message for a lookup of a length the vocabulary does not have.
std::string UnavailableLengthMessage(int length);

} // namespace vocabulary
