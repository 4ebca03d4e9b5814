// The lookups through the letter index against a plain word-by-word scan of
// the same vocabulary: same words, same order, same exclusions.

#include "vocabulary/vocabulary.h"
#include "platform/recording/recording_messages.h"
#include "test_vocabulary.h"

#include <gtest/gtest.h>

#include <random>

using platform::RecordingMessages;
using vocabulary::Vocabulary;

namespace {

// The reference: every word read one by one and compared place by place.
bool Agrees(const std::string& word, const std::string& pattern) {
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (pattern[i] != ' ' && pattern[i] != word[i]) return false;
    return true;
}

bool PlainPatternExists(const Vocabulary& v, std::string pattern) {
    std::replace(pattern.begin(), pattern.end(), '.', ' ');
    const int L = static_cast<int>(pattern.size());
    for (int k = 1; k <= v.VocabularyCount(L); ++k)
        if (Agrees(v.ReadVocabularyWord(k, L), pattern)) return true;
    return false;
}

std::vector<int> PlainCollectMatches(const Vocabulary& v, const std::string& pattern) {
    const int L = static_cast<int>(pattern.size());
    const bool free = pattern.find_first_not_of(' ') == std::string::npos;
    std::vector<int> found;
    for (int k = 1; k <= v.VocabularyCount(L) && found.size() < vocabulary::MatchCapacity; ++k) {
        const std::string word = v.ReadVocabularyWord(k, L);
        if (!Agrees(word, pattern)) continue;
        if (free && word.find_first_of("QH") != std::string::npos) continue;
        found.push_back(k);
    }
    return found;
}

std::vector<int> PlainFindByMask(const Vocabulary& v, const std::string& mask) {
    const int L = static_cast<int>(mask.size());
    std::vector<int> found;
    for (int k = 1; k <= v.VocabularyCount(L); ++k)
        if (Agrees(v.ReadVocabularyWord(k, L), mask)) found.push_back(k);
    return found;
}

// Few letters, so that masks with several fixed places still match; Q and H
// for the free-slot exclusion; a lower-case letter and a dot that only the
// plain comparison handles.
const std::string kLetters = "AAAEEIIOORRSTNLQHa.";

std::string RandomWord(std::mt19937& random, int L) {
    std::string w;
    for (int i = 0; i < L; ++i) {
        const std::size_t choices = random() % 50 == 0 ? kLetters.size() : kLetters.size() - 2;
        w += kLetters[random() % choices];
    }
    return w;
}

// A mask: blanks, letters, now and then a dot or a lower-case letter, now
// and then a word of the group with places blanked out.
std::string RandomMask(std::mt19937& random, const std::vector<std::string>& group, int L) {
    std::string mask;
    if (!group.empty() && random() % 3 == 0) mask = group[random() % group.size()];
    else mask = RandomWord(random, L);
    for (char& ch : mask)
        if (random() % 10 < 6) ch = ' ';
    return mask;
}

std::vector<int> Numbers(const Vocabulary& v) {
    return std::vector<int>(v.Matches().begin(), v.Matches().end());
}

} // namespace

TEST(VocabularyLookup, IndexedLookupsAgreeWithThePlainScan) {
    std::mt19937 random(20260415);
    std::map<int, std::vector<std::string>> groups;
    const int sizes[] = {1, 63, 64, 65, 200, 1000, 0, 129, 700, 2, 500, 3000, 90};
    for (int L = 3; L <= 15; ++L)
        for (int n = 0; n < sizes[L - 3]; ++n) groups[L].push_back(RandomWord(random, L));
    Vocabulary v = testgrids::MakeVocabulary(groups);
    RecordingMessages messages;

    for (int L = 3; L <= 15; ++L) {
        for (int round = 0; round < 300; ++round) {
            const std::string mask = RandomMask(random, groups[L], L);
            SCOPED_TRACE("'" + mask + "'");
            EXPECT_EQ(v.PatternExists(mask), PlainPatternExists(v, mask));
            v.CollectMatches(mask, messages);
            EXPECT_EQ(Numbers(v), PlainCollectMatches(v, mask));
            EXPECT_EQ(v.FindByMask(mask), PlainFindByMask(v, mask));
        }
        v.CollectMatches(std::string(L, ' '), messages);
        EXPECT_EQ(Numbers(v), PlainCollectMatches(v, std::string(L, ' ')));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(VocabularyLookup, IndexedMatchesStopAtTheListCapacity) {
    const std::string letters = "ABCDEFGIJKLMNOPRSTUVZ";
    std::vector<std::string> words;
    for (std::size_t i = 0; words.size() < 30500; ++i) {
        std::string w = "A";
        for (std::size_t n = i, p = 0; p < 4; ++p, n /= letters.size()) w += letters[n % letters.size()];
        words.push_back(w);
    }
    Vocabulary v = testgrids::MakeVocabulary({{5, words}});
    RecordingMessages messages;
    v.CollectMatches("A    ", messages);
    EXPECT_EQ(Numbers(v), PlainCollectMatches(v, "A    "));
    EXPECT_EQ(v.MatchCount(), 29999);
}

TEST(VocabularyLookup, LetterIndexIsBuiltPlaceByPlaceOnFirstUse) {
    std::vector<std::string> words;
    for (int i = 0; i < 70; ++i) words.push_back(i == 66 ? "ROMA" : "MELA");
    Vocabulary v = testgrids::MakeVocabulary({{4, words}, {5, {"PORTA"}}});
    EXPECT_EQ(v.IndexBytes(), 0u);  // loading builds nothing
    EXPECT_TRUE(v.PatternExists(".O.."));
    const std::size_t onePlace = 26 * 2 * sizeof(std::uint64_t);  // 70 words: 2 elements per letter
    EXPECT_EQ(v.IndexBytes(), onePlace);
    EXPECT_FALSE(v.PatternExists(".Z.."));
    EXPECT_EQ(v.IndexBytes(), onePlace);  // same place: built once
    EXPECT_EQ(v.FindByMask("R  A"), (std::vector<int>{67}));
    EXPECT_EQ(v.IndexBytes(), 3 * onePlace);

    const auto r = v.WordsWithLetter(4, 0, 'R');
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], 0u);
    EXPECT_EQ(r[1], std::uint64_t{1} << 2);  // word 67 is bit 2 of the second element
    EXPECT_TRUE(v.WordsWithLetter(4, 4, 'R').empty());
    EXPECT_TRUE(v.WordsWithLetter(4, 0, 'a').empty());
    EXPECT_TRUE(v.WordsWithLetter(6, 0, 'A').empty());  // empty group
}
