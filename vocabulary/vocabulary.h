#pragma once
// The vocabulary "LESSICO.DAT": Italian words grouped by length 3..15, each
// group a run of fixed-length upper-case words, found through a small text
// index at positions 201..408. Loading reads the index only. A length group
// is read the first time a lookup needs it and kept in memory column by
// column: the first letters of all its words, then all the second letters,
// and so on. A lookup then compares only the columns its pattern fixes, 64
// words at a time, and the words take no more memory than in the file.
// WordsByMask, for a program that looks up once and ends, reads a group not
// kept yet straight from the file instead. Every lookup keeps file order.

#include "platform/messages.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
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

    // The words of the mask's length that agree with it (" " a free place),
    // in file order, each followed by a line end. Made for a single lookup:
    // a group not read yet is scanned straight from the file and not kept,
    // since laying it out in columns pays back only over many lookups. A
    // group already kept is looked up in its columns. Empty for a length
    // outside 3..15.
    std::string WordsByMask(std::string_view mask) const;

    // The letters at 0-based `place` of all the words of length L, in file
    // order: word k's letter is [k - 1]. Reads the group if need be; safe to
    // call from several threads at once. Empty outside 3..15, 0..L-1.
    std::string_view Column(int L, int place) const;

    // Bytes of words held in memory: the groups read so far.
    std::size_t WordBytesInMemory() const;

private:
    struct Storage;

    // Group L column by column, each column padded to a multiple of 64
    // words; empty for an empty group.
    std::string_view Columns(int L) const;
    void ReadIndex(std::string_view header, const std::string& fileName, platform::Messages& messages);

    std::unique_ptr<Storage> storage_;  // the file and the groups read so far
    std::array<std::int32_t, MaxLength + 1> start_{};
    std::array<std::int32_t, MaxLength + 1> count_{};
    std::vector<std::int16_t> matches_;
};

// The pattern with every blank shown as ".".
std::string PatternForDisplay(std::string_view pattern);

// The message for a lookup of a length the vocabulary does not have.
std::string UnavailableLengthMessage(int length);

} // namespace vocabulary
