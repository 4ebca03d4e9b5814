// quadrivo-tool: the crossword core from the command line. Vocabulary build
// and search, word lists, rewriting and filling of crossword files, and the
// printed page as a PDF in builds that have printing. All output is UTF-8;
// the files themselves stay Windows-1252.

#include "document/crossword_file.h"
#include "document/file_io.h"
#include "document/import_formats.h"
#include "document/text.h"
#include "document/word_map.h"
#include "fill/complete_fill.h"
#include "fill/headless_host.h"
#include "platform/install_paths.h"
#include "tools/arguments.h"
#include "tools/assistente.h"
#include "tools/esporta.h"
#include "tools/definizioni.h"
#include "vocabulary/builder.h"
#include "vocabulary/vocabulary.h"
#include "vocabulary/thesaurus.h"
#ifdef QUADRIVO_TOOL_STAMPA
#include "tools/stampa.h"
#endif

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;
constexpr int ExitImpossible = 4;  // riempi --completo: no fill exists
constexpr int ExitTimeLimit = 5;   // riempi --completo: --limite ran out
constexpr int ExitLosses = 6;      // importa: imported, with what was lost listed

const char* const kHelp = R"(Uso: quadrivo-tool COMANDO [ARGOMENTI]

Strumenti a riga di comando di Quadrivo 98.

Comandi:
  lessico [-o FILE] [--senza-nomi] [--minimo N] ELENCO...
                                costruisce un file di vocabolario (formato
                                LESSICO.DAT) da elenchi di parole UTF-8, una
                                per riga; stampa quante parole ha ogni
                                lunghezza. Uscita predefinita: LESSICO.DAT.
                                Una riga "parola;punteggio" (punteggio da 0
                                a 100) da' alla parola quel punteggio; una
                                parola senza punteggio vale 100 nel primo
                                elenco semplice, 20 in meno in ognuno dei
                                successivi, 10 in piu' se compare in piu'
                                elenchi. Le parole che solo l'ultimo di piu'
                                elenchi semplici contiene e che sono altre
                                parole con pronomi attaccati (AMARLO) o
                                infiniti tronchi (AMAR) sono escluse, come i
                                numeri romani e i numeri in lettere composti
                                (DUECENTO). In ogni lunghezza le parole
                                vanno dalla migliore alla peggiore; oltre
                                32767 si escludono le peggiori.
                                --minimo N esclude le parole con punteggio
                                minore di N; --senza-nomi tralascia le righe
                                con l'iniziale maiuscola (nomi propri). Una
                                riga di oltre 256 byte non e' una parola: e'
                                segnalata col suo numero e tralasciata; un
                                elenco di oltre 512 MB e' rifiutato
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
  riempi IN.qdr OUT.qdr --completo [--seme N] [--limite SECONDI] [--qualita N] [-l FILE]
                                completa lo schema di IN: tiene le caselle
                                nere e le lettere gia' presenti e da' a ogni
                                parola di 3 o piu' lettere una parola del
                                vocabolario, senza ripetizioni, tornando
                                indietro quando serve e preferendo le parole
                                migliori (le prime di ogni lunghezza); le
                                parole di 2 lettere prendono una parola di
                                COPPIE.TXT accanto al vocabolario, se ce n'e'
                                una che va bene; scrive OUT se ci riesce.
                                --qualita N usa solo il miglior N% delle
                                parole di ogni lunghezza (predefinito: 80).
                                Uscita 4 se lo schema non si puo'
                                completare, 5 allo scadere di --limite.
                                Riepilogo: riempite, vuote, nodi (parole
                                provate), ritorni, ripartenze, millisecondi,
                                e il tempo e la memoria dell'indice
  importa IN.ipuz|IN.puz OUT.qdr
                                porta in OUT il cruciverba di un altro
                                programma; cio' che il formato .qdr non
                                tiene va su stderr. Uscita 0 se non si e'
                                perso nulla, 6 se si e' perso qualcosa, 1 se
                                il file e' rifiutato
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
  --         fine delle opzioni: quel che segue sono nomi di file, anche
             se cominciano con '-'
)";

// Messages go to stderr; a fatal one just marks the run as failed.
class ConsoleMessages : public platform::Messages {
public:
    platform::Answer Show(const std::string& text, platform::Buttons buttons, const std::string&,
                          platform::Icon) override {
        failed = true;
        // Every message says which file it is about.
        std::string shown = document::Cp1252ToUtf8(text);
        if (!file.empty() && shown.find(file) == std::string::npos) shown = file + ": " + shown;
        // Nobody can answer a question here: it is answered no.
        if (buttons == platform::Buttons::OkCancel) {
            std::cerr << shown << " No.\n";
            return platform::Answer::Cancel;
        }
        std::cerr << shown << '\n';
        return platform::Answer::Ok;
    }
    void EndProgram() override { failed = true; }
    bool failed = false;
    std::string file;  // the file being read or written, named in messages
};

// A name that is there but is no file (a folder, /dev/null, a pipe) is said
// to be so, not "not found".
bool IsFileOrMissing(const std::string& name) {
    std::error_code ec;
    const auto status = std::filesystem::status(name, ec);
    if (!std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) return true;
    std::cerr << "quadrivo-tool: " << name << ": non \xC3\xA8 un file (una cartella, una periferica o una pipe)\n";
    return false;
}

// Reads the crossword of a command; every message names the file.
document::LoadResult LoadInput(document::Crossword& doc, const std::string& name, ConsoleMessages& messages) {
    if (!IsFileOrMissing(name)) return document::LoadResult::NotFound;
    messages.file = name;
    const document::LoadResult result = document::LoadCrosswordFile(doc, name, messages);
    messages.file.clear();
    return result;
}

// Writes the crossword a command made; every message names the file.
bool SaveOutput(const document::Crossword& doc, const std::string& name, ConsoleMessages& messages) {
    messages.file = name;
    const bool saved = document::SaveCrosswordFile(doc, name, messages) == document::SaveResult::Saved;
    messages.file.clear();
    return saved;
}

int Usage(const std::string& problem) {
    std::cerr << "quadrivo-tool: " << problem << "\nProvare 'quadrivo-tool --help'.\n";
    return ExitUsage;
}

// The names given to a command that takes no options ("--" still ends
// them, so a file named like an option can be given); false, after the
// usage message, for an option.
bool NamesOnly(const std::vector<std::string>& given, std::vector<std::string>& names) {
    tools::Arguments a;
    std::string problem;
    if (!tools::ReadArguments(given, {}, a, problem)) {
        Usage(problem);
        return false;
    }
    names = a.names;
    return true;
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

// Word lists: a line longer than this is no word, and a list longer than
// this is no word list (a device that never ends, a file of something else).
constexpr std::size_t MaxListLine = 256;
constexpr std::uint64_t MaxListBytes = std::uint64_t(512) << 20;

// Reads one line of at most MaxListLine bytes into `line` (without its
// "\n"). A longer line is read to its end and dropped, with `tooLong` set to
// -1. `total` counts the bytes read; reading stops past MaxListBytes.
bool ReadBoundedLine(std::istream& in, std::string& line, std::uint64_t& total, int& tooLong) {
    line.clear();
    bool any = false, overflow = false;
    for (int ch; total <= MaxListBytes && (ch = in.get()) != std::char_traits<char>::eof();) {
        ++total;
        any = true;
        if (ch == '\n') break;
        if (line.size() < MaxListLine)
            line += static_cast<char>(ch);
        else
            overflow = true;
    }
    if (overflow) {
        line.clear();
        tooLong = -1;
    }
    return any && total <= MaxListBytes;
}

int Lessico(const std::vector<std::string>& args) {
    tools::Arguments a;
    std::string problem;
    if (!tools::ReadArguments(args, {{"-o", true}, {"--senza-nomi"}, {"--minimo", true}}, a, problem))
        return Usage(problem);
    const std::string output = a.Value("-o", vocabulary::VocabularyFile);
    const std::vector<std::string>& lists = a.names;
    const bool withoutNames = a.Has("--senza-nomi");
    int minimum = 0;
    if (a.Has("--minimo")) {
        const std::string value = a.Value("--minimo");
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), minimum);
        if (error != std::errc() || end != value.data() + value.size() || minimum < 0 ||
            minimum > vocabulary::MaxScore)
            return Usage("--minimo vuole un punteggio da 0 a 100");
    }
    if (lists.empty()) return Usage("indicare almeno un elenco di parole");

    // Every list is read before anything is written: a list that cannot be
    // read (a folder, an I/O error), that gives no word, or that has a
    // damaged score, leaves the output as it was. Plain lists rank by their
    // order among the plain lists.
    vocabulary::VocabularyBuilder builder;
    builder.SetMinimum(minimum);
    int plainLists = 0, skippedLines = 0;
    for (const std::string& list : lists) {
        std::ifstream in(list, std::ios::binary);
        int added = 0, plain = 0, lineNumber = 0, tooLong = 0;
        std::uint64_t total = 0;
        for (std::string line; ReadBoundedLine(in, line, total, tooLong);) {
            ++lineNumber;
            if (tooLong == -1) {
                // A line longer than any word: said once for the first few, then only counted.
                tooLong = 0;
                if (++skippedLines <= 5)
                    std::cerr << "Riga " << lineNumber << " di " << list << " troppo lunga (oltre " << MaxListLine
                              << " byte): tralasciata\n";
                continue;
            }
            if (withoutNames && vocabulary::IsCapitalized(line)) continue;
            const vocabulary::ScoredLine scored = vocabulary::SplitScoredLine(line);
            switch (scored.kind) {
            case vocabulary::ScoredLine::Kind::BadScore:
                std::cerr << vocabulary::BadScoreMessage(list, lineNumber, line) << "\n";
                return ExitFailure;
            case vocabulary::ScoredLine::Kind::Scored:
                added += builder.AddScored(scored.word, scored.score) ? 1 : 0;
                break;
            case vocabulary::ScoredLine::Kind::Plain:
                ++plain;
                added += builder.Add(line, plainLists) ? 1 : 0;
                break;
            }
        }
        if (!in.is_open() || in.bad()) {
            std::cerr << "Impossibile leggere l'elenco di parole " << list << "\n";
            return ExitFailure;
        }
        if (total > MaxListBytes) {
            std::cerr << "L'elenco " << list << " supera " << (MaxListBytes >> 20)
                      << " MB: non \xC3\xA8 un elenco di parole. Nessun vocabolario scritto.\n";
            return ExitFailure;
        }
        if (added == 0) {
            std::cerr << "Nessuna parola utilizzabile nell'elenco " << list << "\n";
            return ExitFailure;
        }
        if (plain > 0) ++plainLists;
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
    if (report.derived > 0) std::cout << "Escluse " << report.derived << " forme con pronomi attaccati o tronche\n";
    if (report.numbers > 0) std::cout << "Esclusi " << report.numbers << " numeri romani o in lettere composti\n";
    if (report.belowMinimum > 0)
        std::cout << "Escluse " << report.belowMinimum << " parole sotto il punteggio " << minimum << '\n';
    std::cout << "Totale: " << total << " parole in " << output << '\n';
    return 0;
}

bool LoadVocabulary(const std::string& file, vocabulary::Vocabulary& vocab, ConsoleMessages& messages) {
    if (!document::FileExists(file)) {
        std::cerr << "Vocabolario non trovato: " << file << "\n";
        return false;
    }
    return vocab.LoadVocabularyIndex(file, messages);
}

int Cerca(const std::vector<std::string>& args) {
    tools::Arguments a;
    std::string problem;
    if (!tools::ReadArguments(args, {{"-l", true}}, a, problem)) return Usage(problem);
    const std::string file = a.Value("-l", DefaultVocabulary());
    if (a.names.size() != 1) return Usage("indicare una maschera, per esempio M_LA");

    std::string mask = a.names[0];
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
    std::cout << vocab.WordsByMask(mask);  // at once: a short mask can find thousands of words
    return messages.failed ? ExitFailure : 0;
}

int Parole(const std::vector<std::string>& given) {
    std::vector<std::string> args;
    if (!NamesOnly(given, args)) return ExitUsage;
    if (args.size() != 1) return Usage("indicare un file di cruciverba");
    ConsoleMessages messages;
    document::Crossword doc;
    auto result = LoadInput(doc, args[0], messages);
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
                   std::uint64_t seed, double limit, int quality) {
    ConsoleMessages messages;
    vocabulary::Vocabulary vocab;
    if (!LoadVocabulary(vocabularyFile, vocab, messages)) return ExitFailure;
    document::Crossword doc;
    if (LoadInput(doc, in, messages) != document::LoadResult::Loaded) return ExitFailure;
    document::ComputeWordMap(doc);

    fill::CompleteFillOptions options;
    options.seed = seed;
    options.timeLimitSeconds = limit;
    options.quality = quality;
    // The two-letter words beside the vocabulary, when there are.
    std::string pairs;
    if (document::ReadWholeFile(
            (std::filesystem::path(vocabularyFile).parent_path() / fill::PairsFile).string(), pairs))
        options.pairs = fill::ReadPairs(pairs);
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
        if (!SaveOutput(doc, out, messages)) return ExitFailure;
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
    tools::Arguments a;
    std::string problem;
    if (!tools::ReadArguments(args,
                              {{"-l", true}, {"--completo"}, {"--qualita", true}, {"--limite", true}, {"--seme", true},
                               {"--ripartenze", true}, {"--rispondi", true}},
                              a, problem))
        return Usage(problem);
    const std::string file = a.Value("-l", DefaultVocabulary());
    const std::vector<std::string>& names = a.names;
    std::uint64_t seed = std::random_device{}();
    int restarts = 0;
    platform::Answer then = platform::Answer::Yes;
    const bool complete = a.Has("--completo");
    const bool questions = a.Has("--ripartenze") || a.Has("--rispondi");
    double limit = 0;
    int quality = -1;
    if (a.Has("--qualita")) {
        const std::string value = a.Value("--qualita");
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), quality);
        if (error != std::errc() || end != value.data() + value.size() || quality < 1 || quality > 100)
            return Usage("--qualita vuole una percentuale da 1 a 100");
    }
    if (a.Has("--limite")) {
        const std::string value = a.Value("--limite");
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), limit);
        if (error != std::errc() || end != value.data() + value.size() || !(limit > 0) || limit > 1e6)
            return Usage("--limite vuole un numero di secondi maggiore di zero");
    }
    if (a.Has("--rispondi")) {
        const std::string value = a.Value("--rispondi");
        if (value != "si" && value != "annulla") return Usage("--rispondi vuole si o annulla");
        then = value == "si" ? platform::Answer::Yes : platform::Answer::Cancel;
    }
    for (const char* option : {"--seme", "--ripartenze"}) {
        if (!a.Has(option)) continue;
        const std::string value = a.Value(option);
        std::uint64_t number = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (error != std::errc() || end != value.data() + value.size() ||
            (std::string(option) == "--ripartenze" && number > 1000000))
            return Usage(std::string(option) + " vuole un numero intero non troppo grande");
        if (std::string(option) == "--seme")
            seed = number;
        else
            restarts = static_cast<int>(number);
    }
    if (names.size() != 2) return Usage("indicare il file da riempire e quello da scrivere");
    if (complete && questions) return Usage("--completo non fa domande: --rispondi e --ripartenze non servono");
    if (!complete && limit > 0) return Usage("--limite vale solo con --completo");
    if (!complete && quality > 0) return Usage("--qualita vale solo con --completo");
    if (complete)
        return RiempiCompleto(file, names[0], names[1], seed, limit, quality > 0 ? quality : fill::DefaultQuality);
    ConsoleMessages messages;
    vocabulary::Vocabulary vocab;
    if (!LoadVocabulary(file, vocab, messages)) return ExitFailure;
    document::Crossword doc;
    if (LoadInput(doc, names[0], messages) != document::LoadResult::Loaded) return ExitFailure;
    document::ComputeWordMap(doc);

    FillAnswers answers(restarts, then);
    fill::HeadlessHost host(seed);
    const auto start = std::chrono::steady_clock::now();
    const fill::FillReport report = fill::AutoFill(doc, vocab, answers, host);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    if (!SaveOutput(doc, names[1], messages)) return ExitFailure;
    std::cout << "riempite " << report.filled << " vuote " << report.empty << " domande " << report.questions
              << " ripartenze " << report.restarts << " ms " << ms << '\n';
    return 0;
}

int Riscrivi(const std::vector<std::string>& given) {
    std::vector<std::string> args;
    if (!NamesOnly(given, args)) return ExitUsage;
    if (args.size() != 2) return Usage("indicare il file da leggere e quello da scrivere");
    ConsoleMessages messages;
    document::Crossword doc;
    if (LoadInput(doc, args[0], messages) != document::LoadResult::Loaded)
        return ExitFailure;
    document::ComputeWordMap(doc);
    if (!SaveOutput(doc, args[1], messages))
        return ExitFailure;
    return 0;
}

int Importa(const std::vector<std::string>& given) {
    std::vector<std::string> args;
    if (!NamesOnly(given, args)) return ExitUsage;
    if (args.size() != 2) return Usage("indicare il file da importare e il file .qdr da scrivere");
    ConsoleMessages messages;
    std::string bytes;
    if (!IsFileOrMissing(args[0])) return ExitFailure;
    if (!document::ReadWholeFile(args[0], bytes, document::MaxImportFileSize)) {
        std::cerr << "quadrivo-tool: impossibile leggere " << args[0] << '\n';
        return ExitFailure;
    }
    document::Crossword doc;
    const std::time_t now = std::time(nullptr);
    char date[16];
    std::strftime(date, sizeof date, "%d-%m-%Y", std::localtime(&now));
    const document::ImportReport report = document::ImportCrossword(doc, bytes, date);
    if (!report.message.empty()) std::cerr << document::Cp1252ToUtf8(report.message) << '\n';
    if (report.outcome == document::ImportOutcome::Refused) return ExitFailure;
    document::ComputeWordMap(doc);
    if (!SaveOutput(doc, args[1], messages)) return ExitFailure;
    return report.outcome == document::ImportOutcome::Imported ? 0 : ExitLosses;
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
        std::cout << help.substr(0, options) << tools::EsportaHelp << tools::AssistenteHelp << tools::DefinizioniHelp
                  << help.substr(options);
        return 0;
    }
    // Printing loads Qt, which complains on stderr of a session without a
    // runtime folder: it gets the one Qt would take, quietly.
    if ((command == "stampa" || command == "esporta") && !std::getenv("XDG_RUNTIME_DIR")) {
        const std::string runtime = "/tmp/runtime-" + std::to_string(::getuid());
        ::mkdir(runtime.c_str(), 0700);
        struct stat st {};
        if (::lstat(runtime.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
            (st.st_mode & 077) == 0)
            ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
    }
    if (command == "lessico") return Lessico(args);
    if (command == "cerca") return Cerca(args);
    if (command == "parole") return Parole(args);
    if (command == "riscrivi") return Riscrivi(args);
    if (command == "riempi") return Riempi(args);
    if (command == "stampa") return Stampa(args);
    if (command == "esporta") return Esporta(args);
    if (command == "importa") return Importa(args);
    if (command == "candidati") return tools::Candidati(args, DefaultVocabulary());
    if (command == "vicoli") return tools::Vicoli(args, DefaultVocabulary());
    if (command == "definizioni")
        return tools::Definizioni(args, (std::filesystem::path(DefaultVocabulary()).parent_path() /
                                         vocabulary::FormsFile).string());
    return Usage("comando sconosciuto: " + command);
}
