#include "tools/esporta.h"

#include "tools/arguments.h"

#include "document/crossword_file.h"
#include "document/export_formats.h"
#include "document/text.h"
#include "document/word_map.h"

#include <filesystem>
#include <iostream>

namespace tools {

const char* const EsportaHelp =
    "  esporta IN.qdr OUT.EST [--soluzione]\n"
    "                                scrive il cruciverba IN.qdr in OUT nel\n"
    "                                formato dato dall'estensione: .ipuz, .puz\n"
    "                                (ogni casella bianca deve avere la sua\n"
    "                                lettera), .pdf (la pagina stampata), .svg\n"
    "                                (lo schema vuoto con i numeri; con\n"
    "                                --soluzione lo schema con le lettere),\n"
    "                                .html (la pagina web da risolvere nel\n"
    "                                browser)\n";

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// Messages go to stderr in UTF-8; any of them means the export failed.
class ConsoleMessages : public platform::Messages {
public:
    platform::Answer Show(const std::string& text, platform::Buttons, const std::string&,
                          platform::Icon) override {
        std::cerr << document::Cp1252ToUtf8(text) << '\n';
        return platform::Answer::Ok;
    }
    void EndProgram() override {}
};

int Usage(const std::string& problem) {
    std::cerr << "quadrivo-tool esporta: " << problem << "\nUso:\n" << EsportaHelp;
    return ExitUsage;
}

} // namespace

int Esporta(const std::vector<std::string>& args, const PdfWriter& writePdf) {
    Arguments a;
    std::string problem;
    if (!ReadArguments(args, {{"-h"}, {"--help"}, {"--soluzione"}}, a, problem)) return Usage(problem);
    if (a.Has("-h") || a.Has("--help")) {
        std::cout << "Uso:\n" << EsportaHelp;
        return 0;
    }
    const bool solution = a.Has("--soluzione");
    const std::vector<std::string>& names = a.names;
    if (names.size() != 2) return Usage("indicare il cruciverba da esportare e il file da scrivere");
    const std::string& in = names[0];
    const std::string& out = names[1];

    auto format = document::FormatOfFileName(out);
    if (!format) return Usage(document::Cp1252ToUtf8(document::UnknownFormatMessage));
    if (solution) {
        if (*format != document::ExportFormat::SvgGrid) return Usage("--soluzione vale solo per i file .svg");
        format = document::ExportFormat::SvgSolution;
    }

    ConsoleMessages messages;
    document::Crossword doc;
    if (document::LoadCrosswordFile(doc, in, messages) != document::LoadResult::Loaded) return ExitFailure;
    if (*format == document::ExportFormat::Pdf) {
        if (writePdf) return writePdf(in, out);
        std::cerr << "L'esportazione in PDF non \xC3\xA8 disponibile in questa versione di quadrivo-tool.\n";
        return ExitFailure;
    }
    // The title comes from the file's name, as the program names an opened
    // file: by its full path.
    std::error_code ec;
    const auto path = std::filesystem::absolute(in, ec);
    doc.CurrentFileName = ec ? in : path.lexically_normal().string();
    document::ComputeWordMap(doc);
    return document::ExportCrossword(doc, *format, out, messages) ? 0 : ExitFailure;
}

} // namespace tools
