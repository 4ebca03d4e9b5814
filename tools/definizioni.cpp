#include "tools/definizioni.h"

#include "document/clue_archive.h"
#include "document/text.h"
#include "tools/arguments.h"
#include "vocabulary/thesaurus.h"

#include <filesystem>
#include <iostream>

namespace tools {

const char* const DefinizioniHelp = R"(  definizioni PAROLA [--archivio CARTELLA]... [--sinonimi FILE.dat] [--forme FILE]
                                suggerimenti per la definizione di PAROLA,
                                uno per riga, separati da TAB: "archivio",
                                una definizione gia' usata nei file .qdr
                                delle CARTELLE (la piu' recente prima) e il
                                suo file; poi "sinonimi", una spiegazione o
                                un sinonimo del dizionario dei sinonimi
                                (predefinito: quello di mythes-it) e, per
                                una parola flessa, "forma di: " e la sua
                                forma base (cercata in FORME.TXT accanto al
                                programma, o nel file di --forme)
)";

int Definizioni(const std::vector<std::string>& given, const std::string& formsFile) {
    // --archivio may be given many times: those are taken here, the rest
    // by the common reader.
    std::vector<std::string> folders, args;
    for (std::size_t k = 0; k < given.size(); ++k) {
        const std::string& arg = given[k];
        if (arg == "--") {
            args.insert(args.end(), given.begin() + static_cast<std::ptrdiff_t>(k), given.end());
            break;
        }
        if (arg == "--archivio") {
            if (k + 1 == given.size()) {
                std::cerr << "Errore: l'opzione --archivio vuole un valore\n";
                return 2;
            }
            folders.push_back(given[++k]);
        } else if (arg.rfind("--archivio=", 0) == 0) {
            folders.push_back(arg.substr(11));
        } else {
            args.push_back(arg);
        }
    }
    Arguments a;
    std::string problem;
    if (!ReadArguments(args, {{"--sinonimi", true}, {"--forme", true}}, a, problem)) {
        std::cerr << "Errore: " << problem << "\nUso: quadrivo-tool definizioni PAROLA [--archivio CARTELLA]...\n";
        return 2;
    }
    const std::string word = a.names.size() == 1 ? vocabulary::GridLetters(a.names[0]) : std::string();
    if (word.size() < 2) {
        std::cerr << "Errore: indicare una parola di almeno 2 lettere, senza cifre ne' segni\n"
                     "Uso: quadrivo-tool definizioni PAROLA [--archivio CARTELLA]...\n";
        return 2;
    }
    for (const std::string& folder : folders) {
        std::error_code ec;
        if (!std::filesystem::is_directory(folder, ec)) {
            std::cerr << "Cartella non trovata: " << folder << '\n';
            return 2;
        }
    }

    vocabulary::Thesaurus thesaurus;
    if (!thesaurus.Open(a.Value("--sinonimi", vocabulary::DefaultThesaurusFile), problem)) {
        std::cerr << problem << '\n';
        return 1;
    }
    thesaurus.OpenForms(a.Value("--forme", formsFile));

    document::ClueArchive archive;
    archive.Update(folders);
    std::string out;
    for (const document::ArchivedClue& clue : archive.Lookup(word))
        out += "archivio\t" + document::Cp1252ToUtf8(clue.text) + '\t' + clue.file + '\n';
    for (const vocabulary::ThesaurusSuggestion& s : thesaurus.Suggestions(word)) {
        out += "sinonimi\t" + document::Cp1252ToUtf8(s.text);
        if (!s.baseForm.empty()) out += "\tforma di: " + document::Cp1252ToUtf8(s.baseForm);
        out += '\n';
    }
    std::cout << out;
    const document::ArchiveCounts counts = archive.Counts();
    if (counts.damaged > 0) std::cerr << "File illeggibili tralasciati: " << counts.damaged << '\n';
    return 0;
}

} // namespace tools
