#include "fill/complete_fill_index.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <string>
#include <unordered_set>

namespace fill {

std::string IndexGroup::Word(int k) const {
    std::string word(static_cast<std::size_t>(length), ' ');
    for (int p = 0; p < length; ++p)
        word[static_cast<std::size_t>(p)] = columns[static_cast<std::size_t>(p)][static_cast<std::size_t>(k)];
    return word;
}

LetterIndex::LetterIndex(const vocabulary::Vocabulary& vocab) : vocab_(vocab) {}
LetterIndex::~LetterIndex() = default;

const IndexGroup& LetterIndex::Group(int L) {
    static const IndexGroup none;
    if (L < vocabulary::MinLength || L > vocabulary::MaxLength) return none;
    auto& slot = groups_[static_cast<std::size_t>(L)];
    if (slot) return *slot;

    const auto start = std::chrono::steady_clock::now();
    auto group = std::make_unique<IndexGroup>();
    group->length = L;
    group->count = std::max(0, vocab_.VocabularyCount(L));
    for (int p = 0; p < L; ++p) {
        group->columns[static_cast<std::size_t>(p)] = vocab_.Column(L, p);
        // A group the vocabulary cannot give whole is left empty.
        if (group->columns[static_cast<std::size_t>(p)].size() < static_cast<std::size_t>(group->count))
            group->count = 0;
    }
    const int count = group->count;
    const int blocks = (count + 63) / 64;
    group->blocks = blocks;
    group->bits.assign(static_cast<std::size_t>(L) * Letters * static_cast<std::size_t>(blocks), 0);
    group->usable.assign(static_cast<std::size_t>(blocks), 0);

    // Usable words: only letters A..Z (a word with other characters can never
    // match a grid cell), and only the first of a spelling that repeats. A
    // group in alphabetical order, as the vocabulary builder writes it, has
    // its repeats side by side; any other order is checked with a set.
    auto letterAt = [&](int k, int p) {
        return group->columns[static_cast<std::size_t>(p)][static_cast<std::size_t>(k)];
    };
    auto compare = [&](int a, int b) {
        for (int p = 0; p < L; ++p)
            if (letterAt(a, p) != letterAt(b, p)) return letterAt(a, p) < letterAt(b, p) ? -1 : 1;
        return 0;
    };
    bool sorted = true;
    for (int k = 1; k < count && sorted; ++k) sorted = compare(k - 1, k) <= 0;
    std::unordered_set<std::string> seen;
    std::string word(static_cast<std::size_t>(L), ' ');
    for (int k = 0; k < count; ++k) {
        bool letters = true;
        for (int p = 0; p < L; ++p) letters = letters && letterAt(k, p) >= 'A' && letterAt(k, p) <= 'Z';
        if (!letters) continue;
        if (sorted) {
            if (k > 0 && compare(k - 1, k) == 0) continue;
        } else {
            for (int p = 0; p < L; ++p) word[static_cast<std::size_t>(p)] = letterAt(k, p);
            if (!seen.insert(word).second) continue;
        }
        group->usable[static_cast<std::size_t>(k / 64)] |= std::uint64_t{1} << (k % 64);
        ++group->usableCount;
    }
    // The letter bitsets, place by place.
    for (int p = 0; p < L; ++p) {
        const std::string_view column = group->columns[static_cast<std::size_t>(p)];
        std::uint64_t* bits = group->bits.data() + static_cast<std::size_t>(p) * Letters * static_cast<std::size_t>(blocks);
        for (int b = 0; b < blocks; ++b)
            for (std::uint64_t w = group->usable[static_cast<std::size_t>(b)]; w != 0; w &= w - 1) {
                const int k = b * 64 + std::countr_zero(w);
                bits[static_cast<std::size_t>(column[static_cast<std::size_t>(k)] - 'A') * static_cast<std::size_t>(blocks) +
                     static_cast<std::size_t>(b)] |= std::uint64_t{1} << (k % 64);
            }
    }
    bytes_ += (group->bits.size() + group->usable.size()) * sizeof(std::uint64_t);
    buildMs_ += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    slot = std::move(group);
    return *slot;
}

} // namespace fill
