#include "tools/stampa.h"

#include "tools/arguments.h"

#include "document/crossword_file.h"
#include "document/text.h"
#include "document/word_map.h"
#include "output/print.h"

#include <QGuiApplication>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

namespace tools {

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

const char* const kUsage =
    "Uso: quadrivo-tool stampa IN.qdr OUT.pdf [--area LxA] [--barra B] [--solutori]\n"
    "  scrive in OUT.pdf la pagina stampata del cruciverba IN.qdr, su A4,\n"
    "  impaginata come da una finestra la cui area di disegno e' L x A pixel\n"
    "  con la barra degli strumenti alta B pixel (predefiniti: 800x553 e 28);\n"
    "  con --solutori le pagine per chi risolve: lo schema vuoto con i numeri,\n"
    "  le definizioni e, sull'ultima pagina, la soluzione\n";

class ConsoleMessages : public platform::Messages {
public:
    platform::Answer Show(const std::string& text, platform::Buttons, const std::string&, platform::Icon) override {
        std::cerr << document::Cp1252ToUtf8(text) << '\n';
        return platform::Answer::Ok;
    }
    void EndProgram() override {}
};

int Usage(const std::string& problem) {
    std::cerr << "quadrivo-tool stampa: " << problem << '\n' << kUsage;
    return ExitUsage;
}

// A whole number of `text`, within [low, high].
bool ReadNumber(std::string_view text, int low, int high, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

// The fonts and the PDF writer need a Qt application; without a display
// Qt's offscreen platform serves.
std::unique_ptr<QGuiApplication> StartQt() {
    if (QGuiApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quadrivo-tool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int Stampa(const std::vector<std::string>& args) {
    output::WindowArea area{800, 553, 28, 0};
    output::Edition edition = output::Edition::Filled;
    Arguments given;
    std::string problem;
    if (!ReadArguments(args, {{"-h"}, {"--help"}, {"--solutori"}, {"--area", true}, {"--barra", true}}, given, problem))
        return Usage(problem);
    if (given.Has("-h") || given.Has("--help")) {
        std::cout << kUsage;
        return 0;
    }
    if (given.Has("--solutori")) edition = output::Edition::ForSolvers;
    if (given.Has("--barra") && !ReadNumber(given.Value("--barra"), 0, 1000, area.toolbar))
        return Usage("--barra vuole un numero da 0 a 1000");
    if (given.Has("--area")) {
        const std::string value = given.Value("--area");
        const std::size_t x = value.find('x');
        int w = 0, h = 0;
        if (x == std::string::npos || !ReadNumber(std::string_view(value).substr(0, x), 100, 10000, w) ||
            !ReadNumber(std::string_view(value).substr(x + 1), 100, 10000, h))
            return Usage("--area vuole LARGHEZZAxALTEZZA, da 100 a 10000 pixel, per esempio 800x553");
        area.width = w;
        area.height = h;
    }
    const std::vector<std::string>& names = given.names;
    if (names.size() != 2) return Usage("indicare il cruciverba da stampare e il file PDF da scrivere");

    ConsoleMessages messages;
    document::Crossword doc;
    if (document::LoadCrosswordFile(doc, names[0], messages) != document::LoadResult::Loaded) return ExitFailure;
    // The footer names the file as the program names an opened one: by its
    // full path. The page reads the word map a redraw would leave.
    std::error_code ec;
    const auto path = std::filesystem::absolute(names[0], ec);
    doc.CurrentFileName = ec ? names[0] : path.lexically_normal().string();
    document::ComputeWordMap(doc);

    const auto app = StartQt();
    return output::WritePagePdf(names[1], doc, area, messages, output::TodayText(), output::A4Page(), 1200, edition)
               ? 0
               : ExitFailure;
}

} // namespace tools
