#include "document/export_formats.h"
#include "document/export_html.h"
#include "document/text.h"
#include "document/word_map.h"
#include "export_samples.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>

using namespace document;

namespace {

// The page without its inline style and script, whose contents follow
// other rules than the elements'.
std::string Markup(std::string page) {
    for (const std::string tag : {"style", "script"}) {
        const std::size_t start = page.find("<" + tag + ">");
        const std::size_t end = page.find("</" + tag + ">");
        if (start == std::string::npos || end == std::string::npos || end < start) return "";
        page.erase(start + tag.size() + 2, end - start - tag.size() - 2);
    }
    return page;
}

// Every element closes in order (void elements aside), text holds no raw
// "<" and no "&" that does not start a reference.
bool WellFormed(const std::string& markup) {
    static const std::set<std::string> voids = {"meta", "input", "br", "!DOCTYPE"};
    static const std::regex tag(R"(<(/?)([!a-zA-Z][^\s/>]*)[^>]*>)");
    static const std::regex reference("^&(amp|lt|gt|quot|#39|nbsp);");
    std::vector<std::string> open;
    std::size_t last = 0;
    for (std::sregex_iterator it(markup.begin(), markup.end(), tag), end; it != end; ++it) {
        const std::string between = markup.substr(last, it->position() - last);
        if (between.find('<') != std::string::npos) return false;
        for (std::size_t amp = between.find('&'); amp != std::string::npos; amp = between.find('&', amp + 1))
            if (!std::regex_search(between.substr(amp), reference)) return false;
        last = it->position() + it->length();
        const std::string name = (*it)[2];
        if (voids.count(name)) continue;
        if ((*it)[1] == "/") {
            if (open.empty() || open.back() != name) return false;
            open.pop_back();
        } else {
            open.push_back(name);
        }
    }
    return open.empty() && markup.find('<', last) == std::string::npos;
}

std::string Unescaped(std::string text) {
    static const std::vector<std::pair<std::string, std::string>> references = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : references)
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    return text;
}

// The clues of one list as the page shows them: number and text.
std::vector<std::pair<int, std::string>> ListedClues(const std::string& page, const std::string& id) {
    const std::size_t start = page.find("<ol id=\"" + id + "\">");
    const std::string list = page.substr(start, page.find("</ol>", start) - start);
    static const std::regex item(
        R"re(<li data-numero="(\d+)"><span class="numero">(\d+)</span> <span class="testo">([^<]*)</span></li>)re");
    std::vector<std::pair<int, std::string>> clues;
    for (std::sregex_iterator it(list.begin(), list.end(), item), end; it != end; ++it) {
        EXPECT_EQ((*it)[1], (*it)[2]);
        clues.emplace_back(std::stoi((*it)[1]), Unescaped((*it)[3]));
    }
    return clues;
}

} // namespace

// Every sample, as it is and completed with clues full of accents, quotes,
// "&", "<" and ">": the page is one UTF-8 document whose elements nest, each
// white cell is one element with its place and number, and each clue shows
// exactly what was typed, in the order of the word numbers.
TEST(ExportHtml, PageHoldsEveryCellAndShowsCluesAsTyped) {
    auto samples = exporttest::PlainSamples();
    for (auto& s : exporttest::CompletedSamples()) samples.push_back({s.name + " completo", std::move(s.doc)});
    ASSERT_GT(samples.size(), 10u);
    for (const auto& [name, source] : samples) {
        SCOPED_TRACE(name);
        std::string problem;
        const std::string page = ExportBytes(source, ExportFormat::Html, problem);
        ASSERT_EQ(problem, "");
        EXPECT_EQ(ValidUtf8(page), page);
        EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
        EXPECT_EQ(page.find("http"), std::string::npos) << "the page must not reach the network";
        const std::string markup = Markup(page);
        ASSERT_FALSE(markup.empty());
        EXPECT_TRUE(WellFormed(markup));

        const Crossword doc = WithWordMap(source);
        std::map<std::pair<int, int>, std::vector<int>> numbersAt;  // every element found per place
        static const std::regex cell(R"re(data-colonna="(\d+)" data-riga="(\d+)"(?: data-numero="(\d+)")?>)re");
        for (std::sregex_iterator it(markup.begin(), markup.end(), cell), end; it != end; ++it)
            numbersAt[{std::stoi((*it)[1]), std::stoi((*it)[2])}].push_back((*it)[3].matched ? std::stoi((*it)[3]) : 0);
        std::map<std::pair<int, int>, std::vector<int>> expectedAt;
        for (int r = 1; r <= doc.RowCount; ++r)
            for (int c = 1; c <= doc.ColumnCount; ++c)
                if (doc.CellLetters(c, r) != BlackCell) expectedAt[{c, r}] = {doc.WordNumbers(c, r)};
        EXPECT_EQ(numbersAt, expectedAt);

        std::vector<std::pair<int, std::string>> expected[2];
        for (const WordEntry& w : WordsInReadingOrder(doc)) {
            expected[w.direction - 1].emplace_back(w.number, Cp1252ToUtf8(w.clue));
            // The solution is there, but no word of it can be read off the page.
            if (w.letters.size() >= 5 && w.letters.find(EmptyCell) == std::string::npos) {
                EXPECT_EQ(page.find(w.letters), std::string::npos) << w.letters;
            }
        }
        EXPECT_EQ(ListedClues(page, "orizzontali"), expected[0]);
        EXPECT_EQ(ListedClues(page, "verticali"), expected[1]);
    }
}

// Both spellings of the extension ask for the page; a name in the title or
// the author's line cannot break out of its element.
TEST(ExportHtml, FileNameAndHeaderTextsStayText) {
    for (const char* name : {"rivista.html", "RIVISTA.HTM", "/tmp/a.b/rivista.Html"})
        EXPECT_EQ(FormatOfFileName(name), ExportFormat::Html) << name;
    Crossword doc = testgrids::MakeCrossword({"RE*", ".VA", "*A."});
    doc.CurrentFileName = "/tmp/<b>Perch\xC3\xA9 & \"no\".qdr";
    doc.FileLines(1) = "Autore     : Ni\xF2 <i>";
    const std::string page = HtmlPage(doc);
    EXPECT_NE(page.find("<title>&lt;b&gt;Perch\xC3\xA9 &amp; &quot;no&quot;</title>"), std::string::npos);
    EXPECT_NE(page.find("<p class=\"autore\">di Ni\xC3\xB2 &lt;i&gt;</p>"), std::string::npos);
    EXPECT_TRUE(WellFormed(Markup(page)));
}
