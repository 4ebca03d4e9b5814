#include "vocabulary/builder.h"

#include "document/text.h"

#include <algorithm>
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

bool VocabularyBuilder::Add(std::string_view line, int rank) {
    std::string word = FoldWord(line);
    if (word.size() < MinLength || word.size() > MaxLength) {
        ++refused_;
        return false;
    }
    words_[word.size()].push_back({std::move(word), rank});
    return true;
}

std::string VocabularyBuilder::Build(const std::string& title, BuildReport& report) const {
    report = BuildReport{};
    report.refused = refused_;

    // How common each letter is over all the words offered.
    std::array<double, 26> letterWeight{};
    {
        std::array<double, 26> count{};
        double total = 0;
        for (const auto& group : words_)
            for (const Entry& e : group)
                for (char ch : e.word) count[static_cast<std::size_t>(ch - 'A')] += 1, total += 1;
        for (std::size_t i = 0; i < 26; ++i) letterWeight[i] = std::log((count[i] + 1) / (total + 26));
    }
    auto commonness = [&](const std::string& w) {
        double sum = 0;
        for (char ch : w) sum += letterWeight[static_cast<std::size_t>(ch - 'A')];
        return sum;
    };

    std::array<std::vector<std::string>, MaxLength + 1> groups;
    for (int L = MinLength; L <= MaxLength; ++L) {
        // One entry per word, with the best rank it was offered at.
        std::vector<Entry> entries = words_[L];
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return a.word != b.word ? a.word < b.word : a.rank < b.rank;
        });
        entries.erase(std::unique(entries.begin(), entries.end(),
                                  [](const Entry& a, const Entry& b) { return a.word == b.word; }),
                      entries.end());
        if (entries.size() > MaxWordsPerLength) {
            std::vector<std::pair<double, std::size_t>> order;
            order.reserve(entries.size());
            for (std::size_t i = 0; i < entries.size(); ++i) order.emplace_back(commonness(entries[i].word), i);
            std::stable_sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
                const int ra = entries[a.second].rank, rb = entries[b.second].rank;
                return ra != rb ? ra < rb : a.first > b.first;
            });
            report.dropped[L] = static_cast<int>(entries.size() - MaxWordsPerLength);
            std::vector<Entry> kept;
            kept.reserve(MaxWordsPerLength);
            for (std::size_t i = 0; i < MaxWordsPerLength; ++i) kept.push_back(entries[order[i].second]);
            std::sort(kept.begin(), kept.end(), [](const Entry& a, const Entry& b) { return a.word < b.word; });
            entries.swap(kept);
        }
        report.kept[L] = static_cast<int>(entries.size());
        for (Entry& e : entries) groups[L].push_back(std::move(e.word));
    }

    std::string out = title.substr(0, TitleLength);
    out.resize(TitleLength, ' ');
    long position = FirstWordPosition;
    for (int L = MinLength; L <= MaxLength; ++L) {
        const long end = position + static_cast<long>(groups[L].size()) * L;
        char fields[40];
        std::snprintf(fields, sizeof fields, "%8ld%8ld", position, end);
        out += fields;
        position = end;
    }
    for (int L = MinLength; L <= MaxLength; ++L)
        for (const auto& w : groups[L]) out += w;
    return out;
}

} // namespace vocabulary
