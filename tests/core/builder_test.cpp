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

TEST(Builder, FullGroupKeepsAnEvenSpread) {
    VocabularyBuilder builder;
    const int total = 33000;
    for (int i = 0; i < total; ++i) {
        std::string w;
        for (int n = i, p = 0; p < 5; ++p, n /= 26) w += static_cast<char>('A' + n % 26);
        builder.Add(std::string(w.rbegin(), w.rend()));
    }
    vocabulary::BuildReport report;
    const std::string bytes = builder.Build("", report);
    EXPECT_EQ(report.kept[5], 32767);
    EXPECT_EQ(report.dropped[5], total - 32767);
    platform::RecordingMessages messages;
    vocabulary::Vocabulary v;
    v.LoadFromBytes(bytes, "LESSICO.DAT", messages);
    EXPECT_EQ(v.VocabularyCount(5), 32767);
    EXPECT_EQ(v.ReadVocabularyWord(1, 5), "AAAAA");
    // The last words of the alphabet are still there.
    EXPECT_EQ(v.ReadVocabularyWord(32767, 5).substr(0, 2), builder.Words(5).back().substr(0, 2));
}
