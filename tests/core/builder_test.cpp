#include "vocabulary/builder.h"
#include "platform/recording/recording_messages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using vocabulary::FoldWord;
using vocabulary::VocabularyBuilder;

TEST(Builder, FoldsAccentsRefusesOtherCharactersAndTellsProperNames) {
    const std::pair<const char*, const char*> rows[] = {
        {"perché", "PERCHE"}, {"Città\r", "CITTA"}, {"ÀÈÌÒÙçñ", "AEIOUCN"}, {"  casa\t", "CASA"},
        {"citt\xE0", "CITTA"},  // Latin-1 input
        {"L'Italia", ""}, {"porta-finestra", ""}, {"abc1", ""}, {"œuvre", ""}};
    for (const auto& [line, folded] : rows) EXPECT_EQ(FoldWord(line), folded) << line;
    // Capitalized lines are proper names.
    for (const char* name : {"Roma", "  Èrcole"}) EXPECT_TRUE(vocabulary::IsCapitalized(name)) << name;
    for (const char* word : {"roma", "èrcole", "", "'ndrangheta"}) EXPECT_FALSE(vocabulary::IsCapitalized(word)) << word;
}

TEST(Builder, BuildsALoadableSortedVocabularyWithoutDuplicates) {
    VocabularyBuilder builder;
    for (const char* line : {"casa", "Casa", "CASA", "città", "re", "ab", "l'oca", "abete",
                             "precipitevolissimevolmente", "oca", "zanzara"})
        builder.Add(line);
    vocabulary::BuildReport report;
    const std::string bytes = builder.Build("Lessico di prova", report);
    EXPECT_EQ((std::vector<int>{report.kept[3], report.kept[4], report.kept[5], report.kept[7], report.refused}),
              (std::vector<int>{1, 1, 2, 1, 4}));
    EXPECT_EQ(bytes.substr(0, 16) + bytes.substr(200, 16), "Lessico di prova     409     412");

    platform::RecordingMessages messages;
    vocabulary::Vocabulary v;
    v.LoadFromBytes(bytes, "LESSICO.DAT", messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(v.ReadVocabularyWord(1, 3), "OCA");
    EXPECT_TRUE(v.PatternExists("ABETE") && v.PatternExists("CITTA"));
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
    EXPECT_EQ(std::pair(report.kept[5], report.kept[3]), std::pair(32767, 1));
    // Some words over B..K are Roman numerals (CCCII) or KKK with a
    // pronoun (KKKCI): left out before the group is cut.
    EXPECT_GT(report.numbers, 0);
    EXPECT_EQ(report.dropped[5] + report.numbers + report.derived, 100000 + 2 - 32767);

    platform::RecordingMessages messages;
    vocabulary::Vocabulary v;
    v.LoadFromBytes(bytes, "LESSICO.DAT", messages);
    ASSERT_EQ(v.VocabularyCount(5), 32767);
    // 40,951 words hold a K: the kept ones all do, whatever their place in
    // the alphabet.
    EXPECT_TRUE(v.PatternExists("KKKKK") && !v.PatternExists("BBBBB"));
    for (int k = 1; k <= 32767; k += 97) {
        const std::string w = v.ReadVocabularyWord(k, 5);
        EXPECT_TRUE(w.find_first_of("KWZ") != std::string::npos) << w;
    }
    // The first list's words are kept, first in the file.
    EXPECT_EQ((std::set<std::string>{v.ReadVocabularyWord(1, 5), v.ReadVocabularyWord(2, 5)}),
              (std::set<std::string>{"ZZZZZ", "WXYZW"}));
}

TEST(Builder, RanksBaseWordsFirstAndLeavesOutDerivedFormsAndNumbers) {
    // Three plain lists, best first: a thesaurus, a word list, the forms a
    // spelling dictionary expands to.
    VocabularyBuilder builder;
    for (const char* w : {"amare", "casa"}) builder.Add(w, 0);
    for (const char* w : {"amare", "albero", "normali", "dammi", "tremila", "cento"}) builder.Add(w, 1);
    for (const char* w : {"amare", "amar", "amarlo", "amarglielo", "ama", "amati", "alberi", "norma", "lii",
                          "mcmxc", "duecentotre", "trentaduesimo", "ventitré", "cento", "civil", "mix", "riesporre", "riespor"})
        builder.Add(w, 2);
    struct Case {
        const char* word;
        int score;  // -1: left out
    };
    const std::vector<Case> cases = {
        {"AMARE", 100}, {"CASA", 100},  // in the first list
        {"ALBERO", 80}, {"DAMMI", 80},  // in the second only
        {"NORMALI", 80},                // NORMA + LI, but not a derived form: the word list has it
        {"CENTO", 90},                  // in two lists
        {"ALBERI", 60}, {"NORMA", 60}, {"AMA", 60}, {"CIVIL", 60},  // forms only
        {"AMAR", -1}, {"AMARLO", -1}, {"AMARGLIELO", -1}, {"AMATI", -1}, {"RIESPOR", -1},  // AMAR(E), AMAR + LO, AMA + TI, RIESPOR(RE)
        {"LII", -1}, {"MCMXC", -1}, {"MIX", -1},  // Roman numerals
        {"TREMILA", -1}, {"DUECENTOTRE", -1}, {"TRENTADUESIMO", -1}, {"VENTITRE", -1},  // number words
    };
    for (const Case& c : cases) EXPECT_EQ(builder.Score(c.word), c.score) << c.word;

    vocabulary::BuildReport report;
    const std::string bytes = builder.Build("", report);
    EXPECT_EQ(std::pair(report.derived, report.numbers), std::pair(5, 7));
    platform::RecordingMessages messages;
    vocabulary::Vocabulary v;
    v.LoadFromBytes(bytes, "LESSICO.DAT", messages);
    // The order is the ranking: AMARE (100), CENTO (90), DAMMI (80), then
    // CIVIL and NORMA (60).
    ASSERT_EQ(v.VocabularyCount(5), 5);
    EXPECT_EQ(v.ReadVocabularyWord(1, 5) + v.ReadVocabularyWord(2, 5) + v.ReadVocabularyWord(3, 5), "AMARECENTODAMMI");
}

TEST(Builder, ScoredLinesAndTheMinimum) {
    using Kind = vocabulary::ScoredLine::Kind;
    struct Case {
        const char* line;
        Kind kind;
        const char* word;
        int score;
    };
    const std::vector<Case> cases = {
        {"casa;50", Kind::Scored, "casa", 50},  {"casa; 7 \r", Kind::Scored, "casa", 7},
        {"l'oca;3", Kind::Scored, "l'oca", 3},  {"casa", Kind::Plain, "casa", 0},
        {"casa;abc", Kind::BadScore, "casa", 0}, {"casa;101", Kind::BadScore, "casa", 0},
        {"casa;", Kind::BadScore, "casa", 0},   {"casa;-1", Kind::BadScore, "casa", 0},
        {"casa;5x", Kind::BadScore, "casa", 0},
    };
    for (const Case& c : cases) {
        const auto split = vocabulary::SplitScoredLine(c.line);
        EXPECT_EQ(split.kind, c.kind) << c.line;
        EXPECT_EQ(split.word, c.word) << c.line;
        if (c.kind == Kind::Scored) { EXPECT_EQ(split.score, c.score) << c.line; }
    }
    EXPECT_EQ(vocabulary::BadScoreMessage("mia.txt", 3, "casa;abc\r"),
              "Punteggio non valido alla riga 3 di mia.txt: 'casa;abc' (dopo il ';' serve un numero intero da 0 a 100).");

    // A scored list is taken as its author scored it, numerals included;
    // the minimum leaves out what scores below it.
    VocabularyBuilder builder;
    builder.SetMinimum(20);
    builder.AddScored("zebra", 30);
    builder.AddScored("zebre", 10);
    builder.AddScored("zebre", 15);
    builder.AddScored("xiv", 40);
    builder.AddScored("orso", 90);
    EXPECT_EQ((std::vector<int>{builder.Score("ZEBRA"), builder.Score("ZEBRE"), builder.Score("XIV")}),
              (std::vector<int>{30, -1, 40}));
    vocabulary::BuildReport report;
    builder.Build("", report);
    EXPECT_EQ(std::pair(report.belowMinimum, report.kept[5]), std::pair(1, 1));
}
