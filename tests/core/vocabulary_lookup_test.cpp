// The lookups over groups kept column by column, and the one-off lookups
// scanned from the file, against a plain word-by-word scan of the words the
// test wrote: same words, same order, same exclusions.

#include "vocabulary/vocabulary.h"
#include "platform/recording/recording_messages.h"
#include "test_grids.h"
#include "test_vocabulary.h"

#include <gtest/gtest.h>

#include <random>

using platform::RecordingMessages;
using vocabulary::Vocabulary;

namespace {

// The reference: the words as the test wrote them, compared one by one; only
// blanks in the mask match any letter.
using Words = std::vector<std::string>;

std::vector<int> PlainFindByMask(const Words& group, const std::string& mask) {
    std::vector<int> found;
    for (std::size_t k = 1; k <= group.size(); ++k) {
        bool agrees = true;
        for (std::size_t i = 0; i < mask.size(); ++i) agrees = agrees && (mask[i] == ' ' || mask[i] == group[k - 1][i]);
        if (agrees) found.push_back(static_cast<int>(k));
    }
    return found;
}

// A pattern's dots match any letter too.
bool PlainPatternExists(const Words& group, std::string pattern) {
    std::replace(pattern.begin(), pattern.end(), '.', ' ');
    return !PlainFindByMask(group, pattern).empty();
}

// An all-blank mask leaves out words with Q or H; the list stops at its capacity.
std::vector<int> PlainCollectMatches(const Words& group, const std::string& mask) {
    const bool free = mask.find_first_not_of(' ') == std::string::npos;
    std::vector<int> found;
    for (int k : PlainFindByMask(group, mask))
        if (found.size() < vocabulary::MatchCapacity && !(free && group[k - 1].find_first_of("QH") != std::string::npos))
            found.push_back(k);
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
    std::string mask = !group.empty() && random() % 3 == 0 ? group[random() % group.size()] : RandomWord(random, L);
    for (char& ch : mask)
        if (random() % 10 < 6) ch = ' ';
    return mask;
}

std::vector<int> Numbers(const Vocabulary& v) {
    return std::vector<int>(v.Matches().begin(), v.Matches().end());
}

} // namespace

TEST(VocabularyLookup, ColumnAndOneOffLookupsAgreeWithThePlainScan) {
    std::mt19937 random(20260415);
    std::map<int, std::vector<std::string>> groups;
    // 13 and 15 letters cross the slices a one-off lookup reads the file in.
    const int sizes[] = {1, 63, 64, 65, 200, 1000, 0, 129, 700, 2, 14000, 3000, 9000};
    for (int L = 3; L <= 15; ++L)
        for (int n = 0; n < sizes[L - 3]; ++n) groups[L].push_back(RandomWord(random, L));
    const std::string file = testgrids::TempDir("vocabulary_lookup") + "/LESSICO.DAT";
    testgrids::WriteBytes(file, testgrids::LayOut(groups));
    RecordingMessages messages;
    Vocabulary v, once;  // once: only one-off lookups, scanned from the file
    ASSERT_TRUE(v.LoadVocabularyIndex(file, messages) && once.LoadVocabularyIndex(file, messages));

    for (int L = 3; L <= 15; ++L)
        for (int round = 0; round <= 300; ++round) {
            const std::string mask = round == 300 ? std::string(L, ' ') : RandomMask(random, groups[L], L);
            SCOPED_TRACE("'" + mask + "'");
            EXPECT_EQ(v.PatternExists(mask), PlainPatternExists(groups[L], mask));
            v.CollectMatches(mask, messages);
            EXPECT_EQ(Numbers(v), PlainCollectMatches(groups[L], mask));
            const std::vector<int> found = PlainFindByMask(groups[L], mask);
            EXPECT_EQ(v.FindByMask(mask), found);
            std::string words;
            for (int k : found) words += groups[L][k - 1] + '\n';
            EXPECT_EQ(v.WordsByMask(mask), words);
            if (round % 4 == 0) { EXPECT_EQ(once.WordsByMask(mask), words); }
        }
    // One-off lookups keep nothing in memory; lengths outside 3..15 find nothing.
    EXPECT_EQ(once.WordBytesInMemory(), 0u);
    EXPECT_EQ(once.WordsByMask("  ") + v.WordsByMask(std::string(16, ' ')), "");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(VocabularyLookup, MatchesStopAtTheListCapacity) {
    const std::string letters = "ABCDEFGIJKLMNOPRSTUVZ";
    std::vector<std::string> words;
    for (std::size_t i = 0; words.size() < 30500; ++i) {
        std::string w = "A";
        for (std::size_t n = i, p = 0; p < 4; ++p, n /= letters.size()) w += letters[n % letters.size()];
        words.push_back(w);
    }
    Vocabulary v = testgrids::MakeVocabulary({{5, words}});
    RecordingMessages messages;
    for (const std::string& mask : {std::string("A    "), std::string("     ")}) {  // selective and free
        v.CollectMatches(mask, messages);
        EXPECT_EQ(Numbers(v), PlainCollectMatches(words, mask));
        EXPECT_EQ(v.MatchCount(), 29999);
    }
}

TEST(VocabularyLookup, GroupIsReadOnFirstUseAndKeptColumnByColumn) {
    std::vector<std::string> words(70, "MELA");
    words[66] = "ROMA";
    Vocabulary v = testgrids::MakeVocabulary({{4, words}, {5, {"PORTA"}}});
    EXPECT_EQ(v.WordBytesInMemory(), 0u);  // loading reads no group
    EXPECT_TRUE(v.PatternExists(".O.."));
    EXPECT_EQ(v.WordBytesInMemory(), 4u * 128);  // 70 words padded to 128 per column
    EXPECT_EQ(v.FindByMask("R  A"), (std::vector<int>{67}));
    EXPECT_EQ(v.WordBytesInMemory(), 4u * 128);  // read once
    EXPECT_EQ(v.Column(4, 0), std::string(66, 'M') + "R" + std::string(3, 'M'));
    EXPECT_EQ(std::string(v.Column(4, 3)) + std::string(v.Column(5, 2)), std::string(70, 'A') + "R");
    EXPECT_TRUE(v.Column(4, 4).empty() && v.Column(6, 0).empty());  // past the word, an empty group
}

TEST(VocabularyLookup, FileIsReadGroupByGroupAndAnswersAsItsBytesDo) {
    const std::map<int, std::vector<std::string>> groups = {
        {3, {"RES", "TRE"}}, {4, {"ROMA", "MELA", "MOLA"}}, {7, {"CAPANNA"}}, {15, {"PRECIPITEVOLISS"}}};
    const std::string bytes = "Lessico di prova" + testgrids::LayOut(groups).substr(16);
    const std::string file = testgrids::TempDir("vocabulary") + "/LESSICO.DAT";
    testgrids::WriteBytes(file, bytes);
    RecordingMessages messages;
    Vocabulary fromFile;
    ASSERT_TRUE(fromFile.LoadVocabularyIndex(file, messages));
    // Every word, and the bytes before (title included), between and after
    // the groups: word k of length L is the bytes at its position.
    for (int L = 3; L <= 15; ++L)
        for (int k = -30; k <= fromFile.VocabularyCount(L) + 3; ++k) {
            std::string expected;
            for (long p = fromFile.VocabularyStart(L) + (k - 1L) * L, i = 0; i < L; ++i, ++p)
                expected += p >= 1 && p <= static_cast<long>(bytes.size()) ? bytes[static_cast<std::size_t>(p - 1)] : ' ';
            ASSERT_EQ(fromFile.ReadVocabularyWord(k, L), expected) << k << " " << L;
        }

    // The file keeps answering after it is replaced, and a file cut short
    // under the program reads as blanks instead of failing.
    Vocabulary beforeCut;
    ASSERT_TRUE(beforeCut.LoadVocabularyIndex(file, messages));
    testgrids::WriteBytes(file, bytes.substr(0, 411));  // in place: only RES is left
    EXPECT_EQ(beforeCut.ReadVocabularyWord(1, 3), "RES");
    EXPECT_EQ(beforeCut.ReadVocabularyWord(2, 3), "   ");
    EXPECT_FALSE(beforeCut.PatternExists("M  A"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(VocabularyLookup, UnreadableFileIsRefusedAndKeepsTheOldWords) {
    const std::string dir = testgrids::TempDir("vocabulary_folder");
    Vocabulary v = testgrids::MakeVocabulary({{4, {"ROMA"}}});
    for (const std::string& name : {dir, dir + "/NESSUNO.DAT"}) {
        RecordingMessages messages;
        EXPECT_FALSE(v.LoadVocabularyIndex(name, messages));
        EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Errore di lettura del file di vocabolario " + name + "!"}));
        EXPECT_TRUE(v.PatternExists("R   "));
    }
}
