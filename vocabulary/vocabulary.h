#pragma once
// The vocabulary "LESSICO.DAT": Italian words grouped by length 3..15, each
// group a run of fixed-length upper-case words, found through a small text
// index at positions 201..408. The whole file is read once and kept in
// memory; every lookup keeps file order.

#include "platform/messages.h"

#include <array>
#include <cstdint>
#include <functional>
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
    // Reads the named file and its index. A group whose index is garbage or
    // reaches past the end of the file is cut to the words that exist, and
    // the user is told once which lengths are affected. False (with a
    // message) only when the file cannot be read at all.
    bool LoadVocabularyIndex(const std::string& fileName, platform::Messages& messages);

    // The same over file bytes already in memory.
    void LoadFromBytes(std::string bytes, const std::string& fileName, platform::Messages& messages);

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

private:
    std::string_view Group(int L) const;

    std::string data_;
    std::array<std::int32_t, MaxLength + 1> start_{};
    std::array<std::int32_t, MaxLength + 1> count_{};
    std::vector<std::int16_t> matches_;
};

// The pattern with every blank shown as ".".
std::string PatternForDisplay(std::string_view pattern);

// The message for a lookup of a length the vocabulary does not have.
std::string UnavailableLengthMessage(int length);

} // namespace vocabulary
