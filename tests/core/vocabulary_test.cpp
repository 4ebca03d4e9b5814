#include "vocabulary/vocabulary.h"
#include "platform/recording/recording_messages.h"
#include "test_vocabulary.h"

#include <gtest/gtest.h>

#include <array>

using platform::RecordingMessages;
using vocabulary::Vocabulary;

namespace {

using testgrids::LayOut;

Vocabulary Load(const std::string& bytes, RecordingMessages& messages) {
    Vocabulary v;
    v.LoadFromBytes(bytes, "LESSICO.DAT", messages);
    return v;
}

std::vector<int> MatchNumbers(const Vocabulary& v) {
    std::vector<int> k;
    for (int i = 1; i <= v.MatchCount(); ++i) k.push_back(v.MatchList(i));
    return k;
}

} // namespace

TEST(Vocabulary, IndexFollowsTheLayout) {
    RecordingMessages messages;
    Vocabulary v = Load(LayOut({{3, {"RES", "TRE"}}, {5, {"CASAL", "MELAS", "PORTA"}}}), messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ((std::vector<int>{v.VocabularyStart(3), v.VocabularyStart(4), v.VocabularyStart(5)}),
              (std::vector<int>{409, 415, 415}));
    EXPECT_EQ((std::vector<int>{v.VocabularyCount(3), v.VocabularyCount(4), v.VocabularyCount(5), v.VocabularyCount(15)}),
              (std::vector<int>{2, 0, 3, 0}));
    // k is not checked: outside the file the word reads as blanks.
    EXPECT_EQ(v.ReadVocabularyWord(2, 3) + v.ReadVocabularyWord(3, 5) + v.ReadVocabularyWord(4, 5) +
                  v.ReadVocabularyWord(-100000, 3),
              "TREPORTA        ");
}

TEST(Vocabulary, CollectMatchesRefusesUnavailableLengths) {
    RecordingMessages messages;
    Vocabulary v = Load(LayOut({{4, {"ROMA", "MELA"}}}), messages);
    v.CollectMatches("M   ", messages);
    ASSERT_EQ(v.MatchCount(), 1);
    v.CollectMatches(std::string(16, ' '), messages);
    v.CollectMatches("AB", messages);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{
                                    "Errore: Parola con 16 caratteri non disponibile!.",
                                    "Errore: Parola con 2 caratteri non disponibile!."}));
    EXPECT_EQ(messages.shown[0].title, "Quadrivo 98");
    EXPECT_EQ(MatchNumbers(v), (std::vector<int>{2}));
    EXPECT_THROW(v.MatchList(2), std::out_of_range);
}

// Index fields as a damaged or odd file may hold them, over a file of RES TRE
// (length 3, 409..415), ROMA (415..419), PORTA (419..424), 423 bytes long.
struct IndexCase {
    const char* name;
    std::vector<std::pair<int, const char*>> fields;  // 1-based position, 8 bytes
    std::array<int, 3> counts;                         // of lengths 3, 4, 5
    const char* damaged;                               // lengths named in the message; nullptr: no words at all
};

TEST(Vocabulary, IndexFieldsGiveTheCountsAndNameTheDamage) {
    using vocabulary::EndFieldPosition;
    using vocabulary::StartFieldPosition;
    std::vector<std::pair<int, const char*>> blank;
    for (int L = 3; L <= 15; ++L)
        blank.insert(blank.end(), {{StartFieldPosition(L), "        "}, {EndFieldPosition(L), "        "}});
    const std::vector<IndexCase> cases = {
        {"intact", {}, {2, 1, 1}, ""},
        {"count truncated, never rounded", {{EndFieldPosition(3), "     417"}, {EndFieldPosition(4), "     418"}},
         {2, 0, 1}, ""},
        {"end past the file cut to the words there",
         {{EndFieldPosition(4), "99999999"}}, {2, 2, 1}, "4, 5"},  // the kept words run into PORTA
        {"garbage start reads as 0", {{StartFieldPosition(6), "xyzxyzxy"}}, {2, 1, 1}, "6"},
        {"end before start", {{EndFieldPosition(7), "  -12000"}}, {2, 1, 1}, "7"},
        {"stray characters after the number", {{StartFieldPosition(3), "409xyzab"}}, {2, 1, 1}, "3"},
        {"group starting inside the index", {{StartFieldPosition(8), "     300"}, {EndFieldPosition(8), "     300"}},
         {2, 1, 1}, "8"},
        {"group starting past the file", {{StartFieldPosition(9), "99999999"}, {EndFieldPosition(9), "99999999"}},
         {2, 1, 1}, "9"},
        {"groups sharing bytes", {{StartFieldPosition(4), "     411"}, {EndFieldPosition(4), "     415"}},
         {2, 1, 1}, "3, 4"},
        {"blank index", blank, {0, 0, 0}, nullptr},
    };
    for (const IndexCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = LayOut({{3, {"RES", "TRE"}}, {4, {"ROMA"}}, {5, {"PORTA"}}});
        for (const auto& [position, text] : c.fields) bytes.replace(position - 1, 8, text);
        RecordingMessages messages;
        Vocabulary v = Load(bytes, messages);
        EXPECT_EQ((std::array<int, 3>{v.VocabularyCount(3), v.VocabularyCount(4), v.VocabularyCount(5)}),
                  c.counts);
        std::vector<std::string> told;
        if (!c.damaged)
            told.push_back("Il file di vocabolario LESSICO.DAT \xE8 danneggiato o vuoto: non contiene alcuna parola. "
                           "L'estrazione automatica e la ricerca delle parole non troveranno nulla.");
        else if (*c.damaged != 0)
            told.push_back(std::string("Il file di vocabolario LESSICO.DAT \xE8 danneggiato: le parole di ") +
                           c.damaged + " lettere non sono tutte disponibili.");
        EXPECT_EQ(messages.Texts(), told);
        // Lookups see exactly the words that were kept.
        v.CollectMatches("    ", messages);
        EXPECT_EQ(v.MatchCount(), c.counts[1]);
        EXPECT_EQ(v.PatternExists("PORT"), c.counts[1] == 2);
    }
}

TEST(Vocabulary, TruncatedFileHasNoWords) {
    for (std::size_t size : {0u, 150u, 300u, 407u}) {
        RecordingMessages messages;
        Vocabulary v = Load(LayOut({{3, {"RES"}}}).substr(0, size), messages);
        EXPECT_EQ(messages.shown.size(), 1u) << size;
        for (int L = 3; L <= 15; ++L) EXPECT_EQ(v.VocabularyCount(L), 0);
        EXPECT_FALSE(v.PatternExists("   "));
        v.CollectMatches("   ", messages);
        EXPECT_EQ(v.MatchCount(), 0);
    }
}

TEST(Vocabulary, MaskedSearchAllowsEveryLetterAndReportsProgress) {
    std::vector<std::string> words;
    for (int i = 0; i < 250; ++i) words.push_back(i % 2 ? "HQLA" : "MELA");
    RecordingMessages messages;
    Vocabulary v = Load(LayOut({{4, words}}), messages);
    std::vector<std::tuple<int, int, int>> progress;
    auto found = v.FindByMask("H   ", [&](int k, int total, int n) { progress.emplace_back(k, total, n); });
    EXPECT_EQ(found.size(), 125u);
    EXPECT_EQ(progress, (std::vector<std::tuple<int, int, int>>{{100, 250, 50}, {200, 250, 100}, {250, 250, 125}}));
    found = v.FindByMask("    ");
    EXPECT_EQ(found.size(), 250u);
    found = v.FindByMask("H  A");
    EXPECT_EQ(found.size(), 125u);
    EXPECT_EQ(found.front(), 2);
}
