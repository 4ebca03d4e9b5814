#pragma once
// Builds a vocabulary file in the LESSICO.DAT layout from plain word lists.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "vocabulary/vocabulary.h"

namespace vocabulary {

// A word of a list made fit for the grid: upper case, accents folded to the
// plain letter (à -> A, è -> E, ç -> C, ...). "" when anything but A..Z is
// left. The input is UTF-8; a line that is not valid UTF-8 is read as
// Latin-1.
std::string FoldWord(std::string_view word);

struct BuildReport {
    std::array<int, MaxLength + 1> kept{};     // words written, per length
    std::array<int, MaxLength + 1> dropped{};  // words over a group's capacity
    int refused = 0;                           // lines not usable as a word
};

// Collects words for a vocabulary: folded, lengths 3..15, no duplicates.
class VocabularyBuilder {
public:
    // Adds one line of a word list; false when it gives no usable word.
    // `rank` orders the lists when a group has more words than it can hold:
    // rank 0 first.
    bool Add(std::string_view line, int rank = 0);

    // The file bytes: a title in bytes 1..200, the index, then each group
    // sorted alphabetically. A group with more than 32,767 words keeps its
    // words of the best rank first and, among the rest, those made of the
    // most common letters, which cross other words most easily.
    std::string Build(const std::string& title, BuildReport& report) const;

private:
    struct Entry {
        std::string word;
        int rank;
    };
    std::array<std::vector<Entry>, MaxLength + 1> words_;
    int refused_ = 0;
};

// True for a line that starts with a capital letter: a proper name in a word
// list.
bool IsCapitalized(std::string_view line);

} // namespace vocabulary
