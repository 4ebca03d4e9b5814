#include "vocabulary/builder.h"

#include "document/text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <regex>
#include <cmath>
#include <cstdio>

namespace vocabulary {

namespace {

// The plain upper-case letter of a Latin letter, or 0.
char FoldLetter(long cp) {
    if (cp >= 'a' && cp <= 'z') return static_cast<char>(cp - 'a' + 'A');
    if (cp >= 'A' && cp <= 'Z') return static_cast<char>(cp);
    // Latin-1 letters U+00C0..U+00FF, upper and lower case alike.
    static const char kLatin1[] =
        "AAAAAAACEEEEIIII"  // C0..CF (C6 is AE, handled below)
        "DNOOOOO OUUUUY  "  // D0..DF
        "AAAAAAACEEEEIIII"  // E0..EF
        "DNOOOOO OUUUUY Y"; // F0..FF
    if (cp >= 0xC0 && cp <= 0xFF && cp != 0xC6 && cp != 0xE6) {
        char folded = kLatin1[cp - 0xC0];
        return folded == ' ' ? 0 : folded;
    }
    return 0;
}

bool ValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();)
        if (document::DecodeUtf8(text, pos) < 0) return false;
    return true;
}

} // namespace

std::string FoldWord(std::string_view word) {
    while (!word.empty() && (word.back() == '\r' || word.back() == '\n' || word.back() == ' ' ||
                             word.back() == '\t'))
        word.remove_suffix(1);
    while (!word.empty() && (word.front() == ' ' || word.front() == '\t')) word.remove_prefix(1);

    const bool utf8 = ValidUtf8(word);
    std::string folded;
    for (std::size_t pos = 0; pos < word.size();) {
        long cp = utf8 ? document::DecodeUtf8(word, pos) : static_cast<unsigned char>(word[pos++]);
        char letter = FoldLetter(cp);
        if (letter == 0) return "";
        folded += letter;
    }
    return folded;
}

bool IsCapitalized(std::string_view line) {
    std::size_t pos = 0;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    if (pos == line.size()) return false;
    const long cp = ValidUtf8(line) ? document::DecodeUtf8(line, pos) : static_cast<unsigned char>(line[pos]);
    return (cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7);
}

ScoredLine SplitScoredLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    ScoredLine result;
    const std::size_t semicolon = line.rfind(';');
    if (semicolon == std::string_view::npos) {
        result.word = line;
        return result;
    }
    result.word = line.substr(0, semicolon);
    std::string_view field = line.substr(semicolon + 1);
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
    int score = -1;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), score);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() || score < 0 || score > MaxScore) {
        result.kind = ScoredLine::Kind::BadScore;
        return result;
    }
    result.kind = ScoredLine::Kind::Scored;
    result.score = score;
    return result;
}

std::string BadScoreMessage(const std::string& listName, int lineNumber, std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    return "Punteggio non valido alla riga " + std::to_string(lineNumber) + " di " + listName + ": '" +
           std::string(line) + "' (dopo il ';' serve un numero intero da 0 a 100).";
}

bool VocabularyBuilder::Add(std::string_view line, int list) {
    std::string word = FoldWord(line);
    if (word.size() < MinLength || word.size() > MaxLength) {
        ++refused_;
        return false;
    }
    list = std::max(list, 0);
    plainLists_ = std::max(plainLists_, list + 1);
    Offer& offer = offers_[std::move(word)];
    if (list < 32) offer.lists |= 1u << list;
    offer.bestList = std::min(offer.bestList, list);
    offer.worstList = std::max(offer.worstList, list);
    return true;
}

bool VocabularyBuilder::AddScored(std::string_view line, int score) {
    std::string word = FoldWord(line);
    if (word.size() < MinLength || word.size() > MaxLength) {
        ++refused_;
        return false;
    }
    Offer& offer = offers_[std::move(word)];
    offer.score = std::max(offer.score, std::clamp(score, 0, MaxScore));
    return true;
}

namespace {

// The pronouns Italian glues to the end of a verb, alone or in pairs
// (DAMMELO, PORTAGLIELA), longest first.
const std::vector<std::string>& CliticChains() {
    static const std::vector<std::string> chains = [] {
        std::vector<std::string> all = {"MI", "TI", "SI", "CI", "VI", "LO", "LA", "LI", "LE", "NE", "GLI"};
        for (const char* first : {"ME", "TE", "CE", "VE", "SE", "GLIE"})
            for (const char* second : {"LO", "LA", "LI", "LE", "NE"}) all.push_back(std::string(first) + second);
        for (const char* first : {"MI", "TI", "CI", "VI"}) all.push_back(std::string(first) + "SI");
        std::sort(all.begin(), all.end(), [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
        return all;
    }();
    return chains;
}

} // namespace

int VocabularyBuilder::Score(const std::string& word, BuildReport* report) const {
    const auto found = offers_.find(word);
    if (found == offers_.end()) return -1;
    const Offer& offer = found->second;
    int score = offer.score;
    if (offer.bestList <= offer.worstList) {
        if (IsRomanNumeral(word) || IsCompoundNumber(word)) {
            if (offer.score < 0) {
                if (report) ++report->numbers;
                return -1;
            }
        } else {
            const bool derived = plainLists_ >= 2 && offer.bestList == plainLists_ - 1;
            bool clitic = false;
            if (derived) {
                for (const std::string& chain : CliticChains()) {
                    if (word.size() < chain.size() + MinLength || word.compare(word.size() - chain.size(), chain.size(), chain) != 0)
                        continue;
                    if (offers_.count(word.substr(0, word.size() - chain.size()))) {
                        clitic = true;
                        break;
                    }
                }
                // AMAR for AMARE, PORR for PORRE, RIESPOR for RIESPORRE.
                clitic = clitic || (word.back() == 'R' && (offers_.count(word + "E") || offers_.count(word + "RE")));
            }
            if (clitic) {
                if (offer.score < 0) {
                    if (report) ++report->derived;
                    return -1;
                }
            } else {
                int plain = std::max(MaxScore - 20 * offer.bestList, 20);
                if (std::popcount(offer.lists) >= 2) plain = std::min(plain + 10, MaxScore);
                score = std::max(score, plain);
            }
        }
    }
    if (score < minimum_) {
        if (report) ++report->belowMinimum;
        return -1;
    }
    return score;
}

std::string VocabularyBuilder::Build(const std::string& title, BuildReport& report) const {
    report = BuildReport{};
    report.refused = refused_;

    // How common each letter is over all the words offered.
    std::array<double, 26> letterWeight{};
    {
        std::array<double, 26> count{};
        double total = 0;
        for (const auto& [word, offer] : offers_)
            for (char ch : word) count[static_cast<std::size_t>(ch - 'A')] += 1, total += 1;
        for (std::size_t i = 0; i < 26; ++i) letterWeight[i] = std::log((count[i] + 1) / (total + 26));
    }
    auto commonness = [&](const std::string& w) {
        double sum = 0;
        for (char ch : w) sum += letterWeight[static_cast<std::size_t>(ch - 'A')];
        return sum;
    };

    struct Ranked {
        int score;
        double commonness;
        const std::string* word;
    };
    std::array<std::vector<Ranked>, MaxLength + 1> groups;
    for (const auto& [word, offer] : offers_) {
        const int score = Score(word, &report);
        if (score >= 0) groups[word.size()].push_back({score, commonness(word), &word});
    }
    for (int L = MinLength; L <= MaxLength; ++L) {
        auto& group = groups[static_cast<std::size_t>(L)];
        std::sort(group.begin(), group.end(), [](const Ranked& a, const Ranked& b) {
            if (a.score != b.score) return a.score > b.score;
            if (a.commonness != b.commonness) return a.commonness > b.commonness;
            return *a.word < *b.word;
        });
        if (group.size() > static_cast<std::size_t>(MaxWordsPerLength)) {
            report.dropped[L] = static_cast<int>(group.size()) - MaxWordsPerLength;
            group.resize(MaxWordsPerLength);
        }
        report.kept[L] = static_cast<int>(group.size());
    }

    std::string out = title.substr(0, TitleLength);
    out.resize(TitleLength, ' ');
    long position = FirstWordPosition;
    for (int L = MinLength; L <= MaxLength; ++L) {
        const long end = position + static_cast<long>(groups[static_cast<std::size_t>(L)].size()) * L;
        char fields[40];
        std::snprintf(fields, sizeof fields, "%8ld%8ld", position, end);
        out += fields;
        position = end;
    }
    for (int L = MinLength; L <= MaxLength; ++L)
        for (const Ranked& r : groups[static_cast<std::size_t>(L)]) out += *r.word;
    return out;
}

bool IsRomanNumeral(std::string_view word) {
    static const std::regex roman("M{0,4}(CM|CD|D?C{0,3})(XC|XL|L?X{0,3})(IX|IV|V?I{0,3})");
    return !word.empty() && std::regex_match(word.begin(), word.end(), roman);
}

namespace {

// The parts Italian number words are made of, with the forms that lose
// their last vowel before UNO and OTTO (VENTUNO, TRENTOTTO).
const std::vector<std::string_view>& NumberParts() {
    static const std::vector<std::string_view> parts = {
        "UN", "UNO", "DUE", "TRE", "QUATTRO", "CINQUE", "SEI", "SETTE", "OTTO", "NOVE", "DIECI",
        "UNDICI", "DODICI", "TREDICI", "QUATTORDICI", "QUINDICI", "SEDICI", "DICIASSETTE", "DICIOTTO",
        "DICIANNOVE", "VENTI", "VENT", "TRENTA", "TRENT", "QUARANTA", "QUARANT", "CINQUANTA", "CINQUANT",
        "SESSANTA", "SESSANT", "SETTANTA", "SETTANT", "OTTANTA", "OTTANT", "NOVANTA", "NOVANT", "CENTO",
        "CENT", "MILLE", "MILA", "DECIMO", "DECIMA", "DECIMI", "DECIME"};
    return parts;
}

// The fewest number parts that spell `text` exactly; 0 when none do.
int NumberPartCount(std::string_view text) {
    std::vector<int> best(text.size() + 1, 0);
    best[0] = 0;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        best[i] = -1;
        for (std::string_view part : NumberParts()) {
            if (part.size() > i || best[i - part.size()] < 0) continue;
            if (text.substr(i - part.size(), part.size()) != part) continue;
            const int n = best[i - part.size()] + 1;
            if (best[i] < 0 || n < best[i]) best[i] = n;
        }
    }
    return std::max(best[text.size()], 0);
}

} // namespace

bool IsCompoundNumber(std::string_view word) {
    if (NumberPartCount(word) >= 2) return true;
    // Ordinals and ages: VENTUNESIMO, TRENTADUESIMO, QUARANTENNE.
    for (std::string_view ending : {"ESIMO", "ESIMA", "ESIMI", "ESIME", "SIMO", "SIMA", "SIMI", "SIME", "ENNE", "ENNI",
                                    "NNE", "NNI"}) {
        if (word.size() <= ending.size() || word.substr(word.size() - ending.size()) != ending) continue;
        const std::string stem(word.substr(0, word.size() - ending.size()));
        for (const char* vowel : {"", "A", "E", "I", "O"})
            if (NumberPartCount(stem + vowel) >= 2) return true;
    }
    return false;
}

} // namespace vocabulary
