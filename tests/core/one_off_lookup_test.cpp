// The one-off lookup of quadrivo-tool cerca: scanned straight from the file
// when the group is not kept, from the columns when it is; either way the
// words the test wrote that agree with the mask, in file order.

#include "platform/recording/recording_messages.h"
#include "test_grids.h"
#include "test_vocabulary.h"
#include "vocabulary/vocabulary.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string PlainWordsByMask(const std::vector<std::string>& group, const std::string& mask) {
    std::string found;
    for (const std::string& word : group) {
        bool agrees = true;
        for (std::size_t i = 0; i < mask.size() && agrees; ++i) agrees = mask[i] == ' ' || mask[i] == word[i];
        if (agrees) found += word + '\n';
    }
    return found;
}

} // namespace

TEST(OneOffLookup, FileScanAndColumnsGiveTheWordsOfTheMaskInFileOrder) {
    std::mt19937 random(20261207);
    const std::string letters = "AEIORSTNLQ.a";
    std::map<int, std::vector<std::string>> groups;
    // Groups of 15 and 10 letters cross the slices the file is read in.
    const int sizes[] = {1, 64, 65, 300, 0, 2, 1000, 10, 129, 1, 14000, 7, 9000};
    for (int L = 3; L <= 15; ++L)
        for (int n = 0; n < sizes[L - 3]; ++n) {
            std::string w;
            for (int i = 0; i < L; ++i) w += letters[random() % (random() % 40 == 0 ? letters.size() : 6)];
            groups[L].push_back(w);
        }
    const std::string file = testgrids::TempDir("one_off_lookup") + "/LESSICO.DAT";
    testgrids::WriteBytes(file, testgrids::LayOut(groups));
    platform::RecordingMessages messages;
    vocabulary::Vocabulary once, kept;
    ASSERT_TRUE(once.LoadVocabularyIndex(file, messages));
    ASSERT_TRUE(kept.LoadVocabularyIndex(file, messages));
    for (int L = 3; L <= 15; ++L) kept.Column(L, 0);

    for (int L = 3; L <= 15; ++L)
        for (int round = 0; round < 40; ++round) {
            std::string mask = round == 0 || groups[L].empty() ? std::string(L, 'A') : groups[L][random() % groups[L].size()];
            for (char& ch : mask)
                if (round == 1 || random() % 10 < 7) ch = ' ';
            SCOPED_TRACE("'" + mask + "'");
            const std::string expected = PlainWordsByMask(groups[L], mask);
            EXPECT_EQ(once.WordsByMask(mask), expected);
            EXPECT_EQ(kept.WordsByMask(mask), expected);
        }
    // One-off lookups keep nothing in memory; lengths outside 3..15 find nothing.
    EXPECT_EQ(once.WordBytesInMemory(), 0u);
    EXPECT_EQ(once.WordsByMask("  "), "");
    EXPECT_EQ(kept.WordsByMask(std::string(16, ' ')), "");
    EXPECT_TRUE(messages.shown.empty());
}
