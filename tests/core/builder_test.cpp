#include "vocabulary/builder.h"
#include "platform/recording/recording_messages.h"

#include <gtest/gtest.h>

using vocabulary::FoldWord;
using vocabulary::VocabularyBuilder;

TEST(Builder, FoldsAccentsAndRefusesOtherCharacters) {
    EXPECT_EQ(FoldWord("perché"), "PERCHE");
    EXPECT_EQ(FoldWord("Città\r"), "CITTA");
    EXPECT_EQ(FoldWord("ÀÈÌÒÙçñ"), "AEIOUCN");
    EXPECT_EQ(FoldWord("  casa\t"), "CASA");
    EXPECT_EQ(FoldWord("citt\xE0"), "CITTA");  // Latin-1 input
    EXPECT_EQ(FoldWord("L'Italia"), "");
    EXPECT_EQ(FoldWord("porta-finestra"), "");
    EXPECT_EQ(FoldWord("abc1"), "");
    EXPECT_EQ(FoldWord("œuvre"), "");
}

TEST(Builder, BuildsALoadableSortedVocabularyWithoutDuplicates) {
    VocabularyBuilder builder;
    for (const char* line : {"casa", "Casa", "CASA", "città", "re", "ab", "l'oca", "abete",
                             "precipitevolissimevolmente", "oca", "zanzara"})
        builder.Add(line);
    vocabulary::BuildReport report;
    const std::string bytes = builder.Build("Lessico di prova", report);
    EXPECT_EQ(report.kept[3], 1);
    EXPECT_EQ(report.kept[4], 1);
    EXPECT_EQ(report.kept[5], 2);
    EXPECT_EQ(report.kept[7], 1);
    EXPECT_EQ(report.refused, 4);
    EXPECT_EQ(bytes.substr(0, 16), "Lessico di prova");
    EXPECT_EQ(bytes.substr(200, 16), "     409     412");

    platform::RecordingMessages messages;
    vocabulary::Vocabulary v;
    v.LoadFromBytes(bytes, "LESSICO.DAT", messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(v.ReadVocabularyWord(1, 3), "OCA");
    EXPECT_EQ(v.ReadVocabularyWord(1, 5), "ABETE");
    EXPECT_EQ(v.ReadVocabularyWord(2, 5), "CITTA");
    EXPECT_EQ(v.ReadVocabularyWord(1, 7), "ZANZARA");
}

TEST(Builder, FullGroupKeepsTheFirstListsThenTheCommonestLetters) {
    VocabularyBuilder builder;
    // Rank 0, preferred: two words of rare letters.
    for (const char* w : {"ZZZZZ", "WXYZW"}) builder.Add(w, 0);
    // Rank 1: every five-letter word over B..K (100,000), and a three-letter
    // word offered so often that K is by far the commonest letter.
    const std::string letters = "BCDEFGHIJK";
    for (std::size_t i = 0; i < 100000; ++i) {
        std::string w;
        for (std::size_t n = i, p = 0; p < 5; ++p, n /= letters.size()) w += letters[n % letters.size()];
        builder.Add(w, 1);
    }
    for (int i = 0; i < 200000; ++i) builder.Add("KKK", 1);
    builder.Add("ZZZZZ", 1);  // offered again later: keeps its better rank
    vocabulary::BuildReport report;
    const std::string bytes = builder.Build("", report);
    EXPECT_EQ(report.kept[5], 32767);
    EXPECT_EQ(report.dropped[5], 100000 + 2 - 32767);
    EXPECT_EQ(report.kept[3], 1);

    platform::RecordingMessages messages;
    vocabulary::Vocabulary v;
    v.LoadFromBytes(bytes, "LESSICO.DAT", messages);
    ASSERT_EQ(v.VocabularyCount(5), 32767);
    EXPECT_TRUE(v.PatternExists("ZZZZZ"));
    EXPECT_TRUE(v.PatternExists("WXYZW"));
    // 40,951 words hold a K: the kept ones all do, whatever their place in
    // the alphabet.
    EXPECT_TRUE(v.PatternExists("KKKKK"));
    EXPECT_FALSE(v.PatternExists("BBBBB"));
    for (int k = 1; k <= 32767; k += 97) {
        const std::string w = v.ReadVocabularyWord(k, 5);
        EXPECT_TRUE(w.find_first_of("KWZ") != std::string::npos) << w;
    }
    // Still in alphabetical order in the file.
    EXPECT_LT(v.ReadVocabularyWord(1, 5), v.ReadVocabularyWord(2, 5));
    EXPECT_EQ(v.ReadVocabularyWord(32767, 5), "ZZZZZ");
}

TEST(Builder, CapitalizedLinesAreProperNames) {
    EXPECT_TRUE(vocabulary::IsCapitalized("Roma"));
    EXPECT_TRUE(vocabulary::IsCapitalized("  Èrcole"));
    EXPECT_FALSE(vocabulary::IsCapitalized("roma"));
    EXPECT_FALSE(vocabulary::IsCapitalized("èrcole"));
    EXPECT_FALSE(vocabulary::IsCapitalized(""));
    EXPECT_FALSE(vocabulary::IsCapitalized("'ndrangheta"));
}
