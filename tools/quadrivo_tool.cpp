// quadrivo-tool: the crossword core from the command line. Vocabulary build
// and search, word lists, rewriting and filling of crossword files, and the
// printed page as a PDF in builds that have printing. All output is UTF-8;
// the files themselves stay Windows-1252.

#include "document/crossword_file.h"
#include "document/file_io.h"
#include "document/text.h"
#include "document/word_map.h"
#include "fill/complete_fill.h"
#include "fill/headless_host.h"
#include "platform/install_paths.h"
#include "tools/esporta.h"
#include "vocabulary/builder.h"
#include "vocabulary/vocabulary.h"
#ifdef QUADRIVO_TOOL_STAMPA
#include "tools/stampa.h"
#endif

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;
constexpr int ExitImpossible = 4;  // riempi --completo: no fill exists
constexpr int ExitTimeLimit = 5;   // riempi --completo: --limite ran out

const char* const kHelp = R"(Uso: quadrivo-tool COMANDO [ARGOMENTI]

Strumenti a riga di comando di Quadrivo 98.

Comandi:
  lessico [-o FILE] [--senza-nomi] ELENCO...
                                costruisce un file di vocabolario (formato
                                LESSICO.DAT) da elenchi di parole UTF-8, una
                                per riga; stampa quante parole ha ogni
                                lunghezza. Uscita predefinita: LESSICO.DAT.
                                Quando una lunghezza ha piu' di 32767 parole
                                si tengono prima quelle degli elenchi dati
                                prima, poi quelle di lettere piu' comuni.
                                --senza-nomi tralascia le righe con
                                l'iniziale maiuscola (nomi propri)
  cerca MASCHERA [-l FILE]      elenca le parole del vocabolario che
                                concordano con la maschera: le lettere devono
                                coincidere, '_' e '.' sono posti liberi
                                (es. M_LA)
  parole FILE.qdr               elenca le parole del cruciverba in ordine di
                                lettura: numero e direzione (O/V), lettere,
                                definizione, separati da TAB
  riscrivi IN.qdr OUT.qdr       legge IN e lo riscrive in OUT
  riempi IN.qdr OUT.qdr [--seme N] [--rispondi si|annulla] [--ripartenze N] [-l FILE]
                                estrazione automatica di IN, scritta in OUT;
                                ogni domanda va su stderr: alle prime N si
                                risponde No (ripartenza), poi come --rispondi
                                (predefinito: si); stampa una riga di
                                riepilogo: riempite, vuote, domande,
                                ripartenze, millisecondi
  riempi IN.qdr OUT.qdr --completo [--seme N] [--limite SECONDI] [-l FILE]
                                completa lo schema di IN: tiene le caselle
                                nere e le lettere gia' presenti e da' a ogni
                                parola di 3 o piu' lettere una parola del
                                vocabolario, senza ripetizioni, tornando
                                indietro quando serve; scrive OUT se ci
                                riesce. Uscita 4 se lo schema non si puo'
                                completare, 5 allo scadere di --limite.
                                Riepilogo: riempite, vuote, nodi (parole
                                provate), ritorni, ripartenze, millisecondi,
                                e il tempo e la memoria dell'indice
  stampa IN.qdr OUT.pdf [--area LxA] [--barra B] [--solutori]
                                scrive in OUT.pdf la pagina stampata del
                                cruciverba IN.qdr, su A4, impaginata come da
                                una finestra la cui area di disegno e' L x A
                                pixel con la barra degli strumenti alta B
                                pixel (predefiniti: 800x553 e 28); con
                                --solutori lo schema vuoto, le definizioni e
                                in fondo la soluzione; solo nelle versioni
                                compilate con la stampa

Opzioni:
  -l FILE    vocabolario da usare (predefinito: LESSICO.DAT accanto al
             programma, o in share/quadrivo se installato)
  --seme N   seme del generatore casuale, per ripetere un'estrazione
  -h, --help mostra questo aiuto
)";

// Messages go to stderr; a fatal one just marks the run as failed.
class ConsoleMessages : public platform::Messages {
public:
    platform::Answer Show(const std::string& text, platform::Buttons, const std::string&,
                          platform::Icon) override {
        std::cerr << document::Cp1252ToUtf8(text) << '\n';
        failed = true;
        return platform::Answer::Ok;
    }
    void EndProgram() override { failed = true; }
    bool failed = false;
};

int Usage(const std::string& problem) {
    std::cerr << "quadrivo-tool: " << problem << "\nProvare 'quadrivo-tool --help'.\n";
    return ExitUsage;
}

// A file in the tool's own folder.
std::string BesideTool(const std::string& name) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return (exe.parent_path() / name).string();
    return name;
}

// The vocabulary beside the tool, or in share/quadrivo once installed.
std::string DefaultVocabulary() {
    const std::filesystem::path beside(BesideTool(vocabulary::VocabularyFile));
    return (std::filesystem::path(platform::DataFolderFor(beside.parent_path().string())) /
            vocabulary::VocabularyFile)
        .string();
}

int Lessico(const std::vector<std::string>& args) {
    std::string output = vocabulary::VocabularyFile;
    std::vector<std::string> lists;
    bool withoutNames = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (++i == args.size()) return Usage("manca il nome del file dopo -o");
            output = args[i];
        } else if (args[i] == "--senza-nomi") {
            withoutNames = true;
        } else {
            lists.push_back(args[i]);
        }
    }
    if (lists.empty()) return Usage("indicare almeno un elenco di parole");

    // Every list is read before anything is written: a list that cannot be
    // read (a folder, an I/O error), or that gives no word, leaves the output
    // as it was.
    vocabulary::VocabularyBuilder builder;
    for (std::size_t rank = 0; rank < lists.size(); ++rank) {
        std::ifstream in(lists[rank], std::ios::binary);
        int added = 0;
        for (std::string line; std::getline(in, line);)
            if (!withoutNames || !vocabulary::IsCapitalized(line))
                added += builder.Add(line, static_cast<int>(rank)) ? 1 : 0;
        if (!in.is_open() || in.bad()) {
            std::cerr << "Impossibile leggere l'elenco di parole " << lists[rank] << "\n";
            return ExitFailure;
        }
        if (added == 0) {
            std::cerr << "Nessuna parola utilizzabile nell'elenco " << lists[rank] << "\n";
            return ExitFailure;
        }
    }
    vocabulary::BuildReport report;
    const std::string bytes = builder.Build("Quadrivo 98 - Lessico italiano", report);
    if (!document::ReplaceFile(output, bytes)) {
        std::cerr << "Impossibile scrivere il vocabolario " << output << "\n";
        return ExitFailure;
    }
    int total = 0;
    for (int L = vocabulary::MinLength; L <= vocabulary::MaxLength; ++L) {
        std::cout << L << " lettere: " << report.kept[L] << " parole";
        if (report.dropped[L] > 0) std::cout << " (" << report.dropped[L] << " escluse: gruppo pieno)";
        std::cout << '\n';
        total += report.kept[L];
    }
    std::cout << "Totale: " << total << " parole in " << output << '\n';
    return 0;
}

// Reads "-l FILE" out of args; the rest stays in `rest`.
bool TakeVocabularyOption(const std::vector<std::string>& args, std::string& file,
                          std::vector<std::string>& rest) {
    file = DefaultVocabulary();
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-l") {
            if (++i == args.size()) return false;
            file = args[i];
        } else {
            rest.push_back(args[i]);
        }
    }
    return true;
}

bool LoadVocabulary(const std::string& file, vocabulary::Vocabulary& vocab, ConsoleMessages& messages) {
    if (!document::FileExists(file)) {
        std::cerr << "Vocabolario non trovato: " << file << "\n";
        return false;
    }
    return vocab.LoadVocabularyIndex(file, messages);
}

int Cerca(const std::vector<std::string>& args) {
    std::string file;
    std::vector<std::string> rest;
    if (!TakeVocabularyOption(args, file, rest)) return Usage("manca il nome del file dopo -l");
    if (rest.size() != 1) return Usage("indicare una maschera, per esempio M_LA");

    std::string mask = rest[0];
    if (mask.size() < vocabulary::MinLength || mask.size() > vocabulary::MaxLength) {
        std::cerr << "La maschera deve avere da 3 a 15 caratteri (ne ha " << mask.size() << ").\n";
        return ExitUsage;
    }
    for (char& ch : mask) {
        if (ch == '_' || ch == '.') {
            ch = ' ';
        } else if (std::isalpha(static_cast<unsigned char>(ch)) && static_cast<unsigned char>(ch) < 0x80) {
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        } else {
            std::cerr << "Carattere non valido nella maschera: usare solo lettere, '_' o '.'.\n";
            return ExitUsage;
        }
    }
    ConsoleMessages messages;
    vocabulary::Vocabulary vocab;
    if (!LoadVocabulary(file, vocab, messages)) return ExitFailure;
    std::string found;  // written at once: a short mask can find thousands of words
    for (int k : vocab.FindByMask(mask)) found += vocab.ReadVocabularyWord(k, static_cast<int>(mask.size())) + '\n';
    std::cout << found;
    return messages.failed ? ExitFailure : 0;
}

int Parole(const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage("indicare un file di cruciverba");
    ConsoleMessages messages;
    document::Crossword doc;
    auto result = document::LoadCrosswordFile(doc, args[0], messages);
    if (result == document::LoadResult::NotFound || result == document::LoadResult::InvalidFormat)
        return ExitFailure;
    document::ComputeWordMap(doc);
    for (const auto& w : document::WordsInReadingOrder(doc))
        std::cout << w.number << (w.direction == document::Horizontal ? "-O" : "-V") << '\t'
                  << document::Cp1252ToUtf8(w.letters) << '\t' << document::Cp1252ToUtf8(w.clue)
                  << '\n';
    return messages.failed ? ExitFailure : 0;
}

// Answers the fill's questions as the options say, printing each one.
class FillAnswers : public platform::Messages {
public:
    FillAnswers(int restarts, platform::Answer then) : restarts_(restarts), then_(then) {}
    platform::Answer Show(const std::string& text, platform::Buttons buttons, const std::string&,
                          platform::Icon) override {
        if (buttons == platform::Buttons::OkCancel) return platform::Answer::Ok;  // the opening question
        std::string shown = document::Cp1252ToUtf8(text);
        std::replace(shown.begin(), shown.end(), '\r', '\n');
        std::cerr << shown << '\n';
        if (buttons != platform::Buttons::YesNoCancel) return platform::Answer::Ok;
        return restarts_-- > 0 ? platform::Answer::No : then_;
    }
    void EndProgram() override {}

private:
    int restarts_;
    platform::Answer then_;
};

// riempi --completo: the complete fill, without questions.
int RiempiCompleto(const std::string& vocabularyFile, const std::string& in, const std::string& out,
                   std::uint64_t seed, double limit) {
    ConsoleMessages messages;
    vocabulary::Vocabulary vocab;
    if (!LoadVocabulary(vocabularyFile, vocab, messages)) return ExitFailure;
    document::Crossword doc;
    if (document::LoadCrosswordFile(doc, in, messages) != document::LoadResult::Loaded) return ExitFailure;
    document::ComputeWordMap(doc);

    fill::CompleteFillOptions options;
    options.seed = seed;
    options.timeLimitSeconds = limit;
    const fill::CompleteFillResult result = fill::CompleteFill(doc, vocab, options);
    const fill::CompleteFillStats& stats = result.stats;
    const bool filled = result.outcome == fill::CompleteFillOutcome::Filled;
    auto summary = [&] {
        std::cout << "riempite " << (filled ? stats.slotCount : 0) << " vuote " << (filled ? 0 : stats.slotCount)
                  << " nodi " << stats.nodes << " ritorni " << stats.backtracks << " ripartenze "
                  << stats.restarts << " ms " << std::llround(stats.searchMilliseconds) << " indice ms "
                  << std::llround(stats.indexMilliseconds) << " KB " << (stats.indexBytes + 1023) / 1024
                  << '\n';
    };
    switch (result.outcome) {
    case fill::CompleteFillOutcome::Filled:
        fill::ApplyCompleteFill(doc, result);
        if (document::SaveCrosswordFile(doc, out, messages) != document::SaveResult::Saved) return ExitFailure;
        summary();
        return 0;
    case fill::CompleteFillOutcome::Impossible:
        std::cerr << document::Cp1252ToUtf8(result.message) << '\n';
        summary();
        return ExitImpossible;
    default:
        std::cerr << "Tempo scaduto: lo schema non è stato completato in " << limit << " secondi.\n";
        summary();
        return ExitTimeLimit;
    }
}

int Riempi(const std::vector<std::string>& args) {
    std::string file;
    std::vector<std::string> rest;
    if (!TakeVocabularyOption(args, file, rest)) return Usage("manca il nome del file dopo -l");
    std::vector<std::string> names;
    std::uint64_t seed = std::random_device{}();
    int restarts = 0;
    platform::Answer then = platform::Answer::Yes;
    bool complete = false, questions = false;
    double limit = 0;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& a = rest[i];
        if (a == "--completo") {
            complete = true;
        } else if (a == "--limite") {
            if (i + 1 == rest.size()) return Usage("manca il valore dopo " + a);
            const std::string value = rest[++i];
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), limit);
            if (error != std::errc() || end != value.data() + value.size() || !(limit > 0) || limit > 1e6)
                return Usage("--limite vuole un numero di secondi maggiore di zero");
        } else if (a == "--seme" || a == "--ripartenze" || a == "--rispondi") {
            if (i + 1 == rest.size()) return Usage("manca il valore dopo " + a);
            const std::string value = rest[++i];
            questions = questions || a != "--seme";
            if (a == "--rispondi") {
                if (value != "si" && value != "annulla") return Usage("--rispondi vuole si o annulla");
                then = value == "si" ? platform::Answer::Yes : platform::Answer::Cancel;
                continue;
            }
            std::uint64_t number = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (error != std::errc() || end != value.data() + value.size() ||
                (a == "--ripartenze" && number > 1000000))
                return Usage(a + " vuole un numero intero non troppo grande");
            if (a == "--seme")
                seed = number;
            else
                restarts = static_cast<int>(number);
        } else {
            names.push_back(a);
        }
    }
    if (names.size() != 2) return Usage("indicare il file da riempire e quello da scrivere");
    if (complete && questions) return Usage("--completo non fa domande: --rispondi e --ripartenze non servono");
    if (!complete && limit > 0) return Usage("--limite vale solo con --completo");
    if (complete) return RiempiCompleto(file, names[0], names[1], seed, limit);
    ConsoleMessages messages;
    vocabulary::Vocabulary vocab;
    if (!LoadVocabulary(file, vocab, messages)) return ExitFailure;
    document::Crossword doc;
    if (document::LoadCrosswordFile(doc, names[0], messages) != document::LoadResult::Loaded) return ExitFailure;
    document::ComputeWordMap(doc);

    FillAnswers answers(restarts, then);
    fill::HeadlessHost host(seed);
    const auto start = std::chrono::steady_clock::now();
    const fill::FillReport report = fill::AutoFill(doc, vocab, answers, host);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    if (document::SaveCrosswordFile(doc, names[1], messages) != document::SaveResult::Saved) return ExitFailure;
    std::cout << "riempite " << report.filled << " vuote " << report.empty << " domande " << report.questions
              << " ripartenze " << report.restarts << " ms " << ms << '\n';
    return 0;
}

int Riscrivi(const std::vector<std::string>& args) {
    if (args.size() != 2) return Usage("indicare il file da leggere e quello da scrivere");
    ConsoleMessages messages;
    document::Crossword doc;
    if (document::LoadCrosswordFile(doc, args[0], messages) != document::LoadResult::Loaded)
        return ExitFailure;
    document::ComputeWordMap(doc);
    if (document::SaveCrosswordFile(doc, args[1], messages) != document::SaveResult::Saved)
        return ExitFailure;
    return 0;
}

int Stampa([[maybe_unused]] const std::vector<std::string>& args) {
#if defined(QUADRIVO_TOOL_STAMPA)
    return tools::Stampa(args);
#else
#if defined(QUADRIVO_TOOL_STAMPA_HELPER)
    // Printing needs Qt, and loading Qt costs more than any other command:
    // builds that keep it in a helper beside the tool hand the command over.
    const std::string helper = BesideTool(QUADRIVO_TOOL_STAMPA_HELPER);
    std::vector<std::string> words = {helper, "stampa"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    ::execv(helper.c_str(), argv.data());  // returns only when the helper cannot run
#endif
    std::cerr << "La stampa non è disponibile in questa versione di quadrivo-tool.\n";
    return ExitFailure;
#endif
}

// esporta: .ipuz, .puz and .svg here, .pdf as "stampa IN OUT" would.
int Esporta(const std::vector<std::string>& args) {
    return tools::Esporta(args, [](const std::string& in, const std::string& out) { return Stampa({in, out}); });
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage("manca il comando");
    const std::string command = args.front();
    args.erase(args.begin());

    if (command == "-h" || command == "--help" || command == "aiuto") {
        // The export command's lines come from its own file, before the options.
        const std::string help = kHelp;
        const std::size_t options = help.find("\nOpzioni:");
        std::cout << help.substr(0, options) << tools::EsportaHelp << help.substr(options);
        return 0;
    }
    if (command == "lessico") return Lessico(args);
    if (command == "cerca") return Cerca(args);
    if (command == "parole") return Parole(args);
    if (command == "riscrivi") return Riscrivi(args);
    if (command == "riempi") return Riempi(args);
    if (command == "stampa") return Stampa(args);
    if (command == "esporta") return Esporta(args);
    return Usage("comando sconosciuto: " + command);
}
