#include "document/export_formats.h"
#include "document/text.h"
#include "document/word_map.h"
#include "export_samples.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

using namespace document;

namespace {

// The elements of the page (inline style and script left out) close in
// order, and text holds no raw "<" and no "&" that starts no reference.
bool WellFormed(std::string markup) {
    for (const std::string name : {"style", "script"}) {
        const std::size_t start = markup.find("<" + name + ">"), end = markup.find("</" + name + ">");
        if (start == std::string::npos || end == std::string::npos || end < start) return false;
        markup.erase(start + name.size() + 2, end - start - name.size() - 2);
    }
    static const std::set<std::string> voids = {"meta", "input", "!DOCTYPE"};
    static const std::regex tag(R"(<(/?)([!a-zA-Z][^\s/>]*)[^>]*>)"), reference("^&(amp|lt|gt|quot|#39|nbsp);");
    std::vector<std::string> open;
    std::size_t last = 0;
    for (std::sregex_iterator it(markup.begin(), markup.end(), tag), end; it != end; ++it) {
        const std::string text = markup.substr(last, it->position() - last);
        if (text.find('<') != std::string::npos) return false;
        for (std::size_t amp = text.find('&'); amp != std::string::npos; amp = text.find('&', amp + 1))
            if (!std::regex_search(text.substr(amp), reference)) return false;
        last = it->position() + it->length();
        if (voids.count((*it)[2])) continue;
        if ((*it)[1] == "") open.push_back((*it)[2]);
        else if (open.empty() || open.back() != (*it)[2]) return false;
        else open.pop_back();
    }
    return open.empty() && markup.find('<', last) == std::string::npos;
}

// The clues the page lists, in its order: "number text", text unescaped.
std::vector<std::string> ListedClues(const std::string& page) {
    static const std::regex item(R"re(<li data-numero="(\d+)"><span class="numero">\1</span> <span class="testo">([^<]*)</span>)re");
    std::vector<std::string> clues;
    for (std::sregex_iterator it(page.begin(), page.end(), item), end; it != end; ++it) {
        std::string text = (*it)[2];
        for (const auto& [from, to] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}})
            text = std::regex_replace(text, std::regex(from), to);
        clues.push_back((*it)[1].str() + " " + text);
    }
    return clues;
}

} // namespace

// Every sample completed with clues full of accents, quotes, backslashes,
// "&", "<" and ">": the page is UTF-8, its elements nest, the clues show
// exactly what was typed (across, then down), and no word of the solution
// can be read off the file.
TEST(ExportHtml, PageIsValidAndShowsCluesAsTyped) {
    for (const auto& [name, source] : exporttest::CompletedSamples()) {
        SCOPED_TRACE(name);
        std::string problem;
        const std::string page = ExportBytes(source, *FormatOfFileName(name + ".Html"), problem);
        ASSERT_EQ(problem, "");
        EXPECT_EQ(ValidUtf8(page), page);
        EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
        EXPECT_TRUE(WellFormed(page));
        std::vector<std::string> expected[2];
        for (const WordEntry& w : WordsInReadingOrder(WithWordMap(source))) {
            expected[w.direction - 1].push_back(std::to_string(w.number) + " " + Cp1252ToUtf8(w.clue));
            EXPECT_TRUE(w.letters.size() < 5 || page.find(w.letters) == std::string::npos) << w.letters;
        }
        expected[0].insert(expected[0].end(), expected[1].begin(), expected[1].end());
        EXPECT_EQ(ListedClues(page), expected[0]);
    }
}
