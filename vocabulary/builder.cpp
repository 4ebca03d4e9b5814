#include "vocabulary/builder.h"

#include "document/text.h"

#include <algorithm>
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

bool VocabularyBuilder::Add(std::string_view line) {
    std::string word = FoldWord(line);
    if (word.size() < MinLength || word.size() > MaxLength) {
        ++refused_;
        return false;
    }
    words_[word.size()].push_back(std::move(word));
    return true;
}

std::string VocabularyBuilder::Build(const std::string& title, BuildReport& report) const {
    report = BuildReport{};
    report.refused = refused_;

    std::array<std::vector<std::string>, MaxLength + 1> groups;
    for (int L = MinLength; L <= MaxLength; ++L) {
        std::vector<std::string> words = words_[L];
        std::sort(words.begin(), words.end());
        words.erase(std::unique(words.begin(), words.end()), words.end());
        if (words.size() > MaxWordsPerLength) {
            std::vector<std::string> spread;
            spread.reserve(MaxWordsPerLength);
            for (std::size_t i = 0; i < MaxWordsPerLength; ++i)
                spread.push_back(words[i * words.size() / MaxWordsPerLength]);
            report.dropped[L] = static_cast<int>(words.size() - spread.size());
            words.swap(spread);
        }
        report.kept[L] = static_cast<int>(words.size());
        groups[L] = std::move(words);
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
