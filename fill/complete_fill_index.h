#pragma once
// The letter-position index of the complete fill: for each word length, each
// place and each letter, one bit per word of the vocabulary's length group
// telling whether the word has that letter there. A slot's candidates are a
// bitset of the same shape, so narrowing them by a crossing letter is a run
// of ANDs. Each length group is indexed the first time a search needs it;
// the words themselves stay in the vocabulary's columns.

#include "vocabulary/vocabulary.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace fill {

constexpr int Letters = 26;

// One length group of the index.
struct IndexGroup {
    int length = 0;
    int count = 0;   // words in the vocabulary's group
    int blocks = 0;  // 64-bit words per bitset: ceil(count / 64)
    // Bitset of (place, letter) at (place * Letters + letter) * blocks.
    std::vector<std::uint64_t> bits;
    // Words the fill may use: only letters A..Z, first of their spelling.
    std::vector<std::uint64_t> usable;
    int usableCount = 0;
    // The vocabulary's columns: letter of word k (0-based) at place p is
    // columns[p][k].
    std::array<std::string_view, vocabulary::MaxLength> columns{};

    const std::uint64_t* Bits(int place, int letter) const {
        return bits.data() + (static_cast<std::size_t>(place) * Letters + static_cast<std::size_t>(letter)) *
                                 static_cast<std::size_t>(blocks);
    }
    // The letter of word k at place p as 0..25 (only for usable words).
    int LetterOf(int k, int place) const { return columns[static_cast<std::size_t>(place)][static_cast<std::size_t>(k)] - 'A'; }
    std::string Word(int k) const;
};

class LetterIndex {
public:
    // The vocabulary must outlive the index; it is only read, from whichever
    // thread runs the search.
    explicit LetterIndex(const vocabulary::Vocabulary& vocab);
    ~LetterIndex();
    LetterIndex(const LetterIndex&) = delete;
    LetterIndex& operator=(const LetterIndex&) = delete;

    // The group of length L (3..15), indexed now if it was not yet. Not to be
    // called from two threads at once.
    const IndexGroup& Group(int L);

    // Memory held by the groups indexed so far, and the time spent indexing.
    std::size_t Bytes() const { return bytes_; }
    double BuildMilliseconds() const { return buildMs_; }

private:
    const vocabulary::Vocabulary& vocab_;
    std::array<std::unique_ptr<IndexGroup>, vocabulary::MaxLength + 1> groups_;
    std::size_t bytes_ = 0;
    double buildMs_ = 0;
};

} // namespace fill
