#include "document/export_formats.h"
#include "document/export_svg.h"
#include "document/text.h"
#include "export_samples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <set>

using namespace document;

namespace {

// Elements of one group of the picture: "rect" corners or "text" anchors
// with their contents.
struct Shape {
    double x, y;
    std::string text;
};

std::string Group(const std::string& svg, const std::string& id) {
    const std::size_t start = svg.find("<g id=\"" + id + "\"");
    if (start == std::string::npos) return "";
    return svg.substr(start, svg.find("</g>", start) - start);
}

std::vector<Shape> Shapes(const std::string& group, const std::string& tag) {
    std::vector<Shape> shapes;
    const std::regex element(tag == "rect" ? R"re(<rect x="([-0-9.]+)" y="([-0-9.]+)")re"
                                           : R"re(<text x="([-0-9.]+)" y="([-0-9.]+)">([^<]*)</text>)re");
    for (std::sregex_iterator it(group.begin(), group.end(), element), end; it != end; ++it)
        shapes.push_back({std::stod((*it)[1]), std::stod((*it)[2]), tag == "rect" ? "" : (*it)[3].str()});
    return shapes;
}

// Tags open and close in order, and no raw '&' or '<' stands in text.
bool WellFormed(const std::string& svg) {
    std::vector<std::string> open;
    const std::regex tag(R"(<(/?)([a-zA-Z?][^\s/>]*)[^>]*?(/?)>)");
    std::size_t last = 0;
    for (std::sregex_iterator it(svg.begin(), svg.end(), tag), end; it != end; ++it) {
        const std::string between = svg.substr(last, it->position() - last);
        if (between.find('<') != std::string::npos) return false;
        for (std::size_t amp = between.find('&'); amp != std::string::npos; amp = between.find('&', amp + 1))
            if (!std::regex_search(between.substr(amp), std::regex("^&(amp|lt|gt|quot|apos);"))) return false;
        last = it->position() + it->length();
        const std::string name = (*it)[2];
        if (name.front() == '?') continue;
        if ((*it)[1] == "/") {
            if (open.empty() || open.back() != name) return false;
            open.pop_back();
        } else if ((*it)[3] != "/") {
            open.push_back(name);
        }
    }
    return open.empty() && svg.find('<', last) == std::string::npos;
}

bool Near(double a, double b) { return std::fabs(a - b) < 0.006; }

void ExpectPicture(const Crossword& doc, SvgContent content) {
    const std::string svg = SvgText(doc, content);
    ASSERT_TRUE(WellFormed(svg));
    EXPECT_EQ(ValidUtf8(svg), svg);
    char size[96];
    std::snprintf(size, sizeof size, "width=\"%gmm\" height=\"%gmm\"", doc.ColumnCount * SvgCell + 2 * SvgMargin,
                  doc.RowCount * SvgCell + 2 * SvgMargin);
    EXPECT_NE(svg.find(size), std::string::npos) << size;

    // Black cells, cells, numbers and letters where the grid has them.
    std::set<std::pair<int, int>> black;
    std::map<std::pair<int, int>, int> numbered;
    std::map<std::pair<int, int>, char> letters;
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c) {
            const char cell = doc.Cell(c, r);
            if (cell == BlackCell) black.insert({c, r});
            else if (cell != EmptyCell) letters[{c, r}] = cell;
            if (cell != BlackCell && doc.WordNumbers(c, r) > 0) numbered[{c, r}] = doc.WordNumbers(c, r);
        }
    auto cellOf = [](double x, double y) {
        return std::pair{static_cast<int>(std::floor((x - SvgMargin) / SvgCell)) + 1,
                         static_cast<int>(std::floor((y - SvgMargin) / SvgCell)) + 1};
    };

    const auto blackRects = Shapes(Group(svg, "caselle-nere"), "rect");
    ASSERT_EQ(blackRects.size(), black.size());
    for (const Shape& s : blackRects) {
        const auto cell = cellOf(s.x + 0.01, s.y + 0.01);
        EXPECT_TRUE(black.count(cell)) << s.x << "," << s.y;
        EXPECT_TRUE(Near(s.x, SvgMargin + (cell.first - 1) * SvgCell));
        EXPECT_TRUE(Near(s.y, SvgMargin + (cell.second - 1) * SvgCell));
    }
    EXPECT_EQ(Shapes(Group(svg, "caselle"), "rect").size(), static_cast<std::size_t>(doc.ColumnCount * doc.RowCount));

    const auto numbers = Shapes(Group(svg, "numeri"), "text");
    ASSERT_EQ(numbers.size(), numbered.size());
    for (const Shape& s : numbers) {
        const auto cell = cellOf(s.x, s.y);
        EXPECT_EQ(s.text, std::to_string(numbered[cell])) << cell.first << "," << cell.second;
        // In the top-left quarter of its cell.
        EXPECT_LT(s.x - SvgMargin - (cell.first - 1) * SvgCell, SvgCell / 2);
        EXPECT_LT(s.y - SvgMargin - (cell.second - 1) * SvgCell, SvgCell / 2);
    }

    const auto shownLetters = Shapes(Group(svg, "lettere"), "text");
    if (content == SvgContent::EmptyGrid) {
        EXPECT_TRUE(shownLetters.empty());
        return;
    }
    ASSERT_EQ(shownLetters.size(), letters.size());
    for (const Shape& s : shownLetters) {
        const auto cell = cellOf(s.x, s.y);
        EXPECT_EQ(s.text, std::string(1, letters[cell]));
        EXPECT_TRUE(Near(s.x, SvgMargin + (cell.first - 0.5) * SvgCell)) << "centred across";
    }
}

} // namespace

TEST(ExportSvg, GridAndSolutionShowEveryCellNumberAndLetterInPlace) {
    auto samples = exporttest::PlainSamples();
    ASSERT_GE(samples.size(), 6u);
    for (auto completed : exporttest::CompletedSamples()) samples.push_back(std::move(completed));
    for (const auto& s : samples)
        for (SvgContent content : {SvgContent::EmptyGrid, SvgContent::Solution}) {
            SCOPED_TRACE(s.name + (content == SvgContent::Solution ? " soluzione" : " schema"));
            ExpectPicture(s.doc, content);
        }
}

TEST(ExportSvg, NamesAndFontAreEscaped) {
    Crossword doc = testgrids::MakeCrossword({"RE*", ".V.", "*A*"});
    doc.CurrentFileName = "/tmp/Tom & <Jerry> \"citt\xC3\xA0\".qdr";
    doc.GridFontName = "Font \"strano\" & <co>";
    const std::string svg = SvgText(doc, SvgContent::Solution);
    EXPECT_TRUE(WellFormed(svg));
    EXPECT_NE(svg.find("<title>Tom &amp; &lt;Jerry&gt; &quot;citt\xC3\xA0&quot; - soluzione</title>"), std::string::npos);
    EXPECT_NE(svg.find("font-family=\"Font &quot;strano&quot; &amp; &lt;co&gt;, sans-serif\""), std::string::npos);
    EXPECT_EQ(XmlEscaped("a\x01" "b'\tc"), "ab&apos;\tc");
    EXPECT_NE(SvgText(doc, SvgContent::EmptyGrid).find("- schema</title>"), std::string::npos);
}
