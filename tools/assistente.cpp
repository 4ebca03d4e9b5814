#include "tools/assistente.h"

#include "tools/arguments.h"

#include "document/crossword_file.h"
#include "document/file_io.h"
#include "document/text.h"
#include "fill/complete_fill.h"
#include "fill/fill_assistant.h"
#include "vocabulary/vocabulary.h"

#include <charconv>
#include <filesystem>
#include <iostream>
#include <limits>

namespace tools {

const char* const AssistenteHelp =
    "  candidati IN.qdr COLONNA RIGA O|V [--max N] [-l FILE]\n"
    "                                le parole che vanno nella parola di IN che\n"
    "                                comincia o passa per quella casella, in\n"
    "                                orizzontale (O) o in verticale (V): le\n"
    "                                migliori prima, quelle che lasciano piu'\n"
    "                                parole all'incrocio piu' stretto; una per\n"
    "                                riga, TAB, quante parole lascia a\n"
    "                                quell'incrocio (- se nessun incrocio\n"
    "                                aperto). Le parole che lascerebbero un\n"
    "                                incrocio senza parole non sono elencate;\n"
    "                                --max N ne elenca al piu' N\n"
    "  vicoli IN.qdr [-l FILE]       le caselle bianche che nessuna parola puo'\n"
    "                                piu' riempire, \"colonna,riga\" una per\n"
    "                                riga; uscita 0 se non ce n'e', 3 se ce ne\n"
    "                                sono\n";

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;
constexpr int ExitDeadCells = 3;

class ConsoleMessages : public platform::Messages {
public:
    explicit ConsoleMessages(std::string file) : file_(std::move(file)) {}
    platform::Answer Show(const std::string& text, platform::Buttons, const std::string&,
                          platform::Icon) override {
        failed = true;
        std::cerr << file_ << ": " << document::Cp1252ToUtf8(text) << '\n';
        return platform::Answer::Ok;
    }
    void EndProgram() override { failed = true; }
    bool failed = false;

private:
    std::string file_;
};

int Usage(const std::string& command, const std::string& problem) {
    std::cerr << "quadrivo-tool " << command << ": " << problem << "\nUso:\n" << AssistenteHelp;
    return ExitUsage;
}

bool Number(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && next == end;
}

// The crossword's grid and the vocabulary; false after saying why.
bool Load(const std::string& in, const std::string& vocabularyFile, std::vector<std::string>& grid,
          vocabulary::Vocabulary& vocab) {
    std::error_code ec;
    if (std::filesystem::exists(in, ec) && !std::filesystem::is_regular_file(in, ec)) {
        std::cerr << "quadrivo-tool: " << in << ": non \xC3\xA8 un file\n";
        return false;
    }
    ConsoleMessages messages(in);
    document::Crossword doc;
    if (document::LoadCrosswordFile(doc, in, messages) != document::LoadResult::Loaded) return false;
    if (doc.ColumnCount < document::MinColumns || doc.ColumnCount > document::MaxColumns ||
        doc.RowCount < document::MinRows || doc.RowCount > document::MaxRows) {
        std::cerr << in << ": lo schema deve avere da 3 a 25 colonne e da 3 a 15 righe.\n";
        return false;
    }
    grid = fill::GridCells(doc);
    if (!document::FileExists(vocabularyFile)) {
        std::cerr << "Vocabolario non trovato: " << vocabularyFile << "\n";
        return false;
    }
    ConsoleMessages vocabularyMessages(vocabularyFile);
    return vocab.LoadVocabularyIndex(vocabularyFile, vocabularyMessages);
}

} // namespace

int Candidati(const std::vector<std::string>& args, const std::string& defaultVocabulary) {
    Arguments a;
    std::string problem;
    if (!ReadArguments(args, {{"-l", true}, {"--max", true}}, a, problem)) return Usage("candidati", problem);
    if (a.names.size() != 4) return Usage("candidati", "indicare il cruciverba, la colonna, la riga e O o V");
    int column = 0, row = 0;
    if (!Number(a.names[1], column) || !Number(a.names[2], row))
        return Usage("candidati", "colonna e riga sono numeri interi (la prima casella e' 1 1)");
    const std::string& way = a.names[3];
    if (way != "O" && way != "V" && way != "o" && way != "v")
        return Usage("candidati", "la direzione e' O (orizzontale) o V (verticale)");
    std::size_t limit = std::numeric_limits<std::size_t>::max();
    if (a.Has("--max")) {
        int max = 0;
        if (!Number(a.Value("--max"), max) || max < 0) return Usage("candidati", "--max vuole un numero intero da 0 in su");
        limit = static_cast<std::size_t>(max);
    }
    std::vector<std::string> grid;
    vocabulary::Vocabulary vocab;
    if (!Load(a.names[0], a.Value("-l", defaultVocabulary), grid, vocab)) return ExitFailure;

    const int direction = (way == "O" || way == "o") ? document::Horizontal : document::Vertical;
    const auto slot = fill::FillAssistant::SlotAt(grid, column, row, direction);
    if (!slot) {
        std::cerr << "quadrivo-tool candidati: nessuna parola " << (direction == document::Horizontal ? "orizzontale" : "verticale")
                  << " passa per la casella " << column << "," << row << ".\n";
        return ExitUsage;
    }
    fill::FillAssistant assistant(vocab);
    const fill::CandidateList list = assistant.Candidates(grid, *slot, limit);
    if (!list.note.empty()) std::cerr << document::Cp1252ToUtf8(list.note) << '\n';
    std::string out;  // written at once: an empty slot can have thousands of words
    for (const fill::Candidate& c : list.words)
        out += c.word + '\t' + (c.tightest == fill::NoCrossing ? std::string("-") : std::to_string(c.tightest)) + '\n';
    std::cout << out;
    return 0;
}

int Vicoli(const std::vector<std::string>& args, const std::string& defaultVocabulary) {
    Arguments a;
    std::string problem;
    if (!ReadArguments(args, {{"-l", true}}, a, problem)) return Usage("vicoli", problem);
    if (a.names.size() != 1) return Usage("vicoli", "indicare un file di cruciverba");
    std::vector<std::string> grid;
    vocabulary::Vocabulary vocab;
    if (!Load(a.names[0], a.Value("-l", defaultVocabulary), grid, vocab)) return ExitFailure;
    fill::FillAssistant assistant(vocab);
    const std::vector<fill::GridCell> dead = assistant.DeadCells(grid);
    for (const fill::GridCell& cell : dead) std::cout << cell.column << ',' << cell.row << '\n';
    return dead.empty() ? 0 : ExitDeadCells;
}

} // namespace tools
