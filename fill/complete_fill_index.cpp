#include "fill/complete_fill_index.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <string>
#include <vector>

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
    // group in alphabetical order has its repeats side by side; any other
    // order (the builder writes the best words first) is sorted aside.
    auto letterAt = [&](int k, int p) {
        return group->columns[static_cast<std::size_t>(p)][static_cast<std::size_t>(k)];
    };
    auto compare = [&](int a, int b) {
        for (int p = 0; p < L; ++p)
            if (letterAt(a, p) != letterAt(b, p)) return letterAt(a, p) < letterAt(b, p) ? -1 : 1;
        return 0;
    };
    std::vector<char> repeated(static_cast<std::size_t>(count), 0);
    bool sorted = true;
    for (int k = 1; k < count && sorted; ++k) sorted = compare(k - 1, k) <= 0;
    if (sorted) {
        for (int k = 1; k < count; ++k) repeated[static_cast<std::size_t>(k)] = compare(k - 1, k) == 0;
    } else {
        // Each word of letters A..Z as a key of 5 bits a letter (the first
        // twelve letters, then the rest), sorted with its place: a repeat
        // follows its first. Words with other characters are never usable.
        struct Key {
            std::uint64_t high, low;
            int k;
        };
        std::vector<Key> keys;
        keys.reserve(static_cast<std::size_t>(count));
        for (int k = 0; k < count; ++k) {
            Key key{0, 0, k};
            bool letters = true;
            for (int p = 0; p < L && letters; ++p) {
                const char ch = letterAt(k, p);
                letters = ch >= 'A' && ch <= 'Z';
                std::uint64_t& part = p < 12 ? key.high : key.low;
                part = part << 5 | static_cast<std::uint64_t>(ch - 'A' + 1);
            }
            if (letters) keys.push_back(key);
        }
        std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
            return a.high != b.high ? a.high < b.high : a.low != b.low ? a.low < b.low : a.k < b.k;
        });
        for (std::size_t i = 1; i < keys.size(); ++i)
            if (keys[i].high == keys[i - 1].high && keys[i].low == keys[i - 1].low)
                repeated[static_cast<std::size_t>(keys[i].k)] = 1;
    }
    for (int k = 0; k < count; ++k) {
        bool letters = !repeated[static_cast<std::size_t>(k)];
        for (int p = 0; p < L && letters; ++p) letters = letterAt(k, p) >= 'A' && letterAt(k, p) <= 'Z';
        if (!letters) continue;
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
