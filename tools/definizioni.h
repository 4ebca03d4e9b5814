#pragma once
// "quadrivo-tool definizioni": the clue suggestions for a word, from the
// crossword files of some folders and from the Italian thesaurus.

#include <string>
#include <vector>

namespace tools {

// The lines of the tool's help that describe the command.
extern const char* const DefinizioniHelp;

// Runs "definizioni PAROLA [--archivio CARTELLA]... [--sinonimi FILE.dat]
// [--forme FILE]" (`args` are the words after "definizioni"); `formsFile`
// is the forms table used when --forme is not given. Prints one suggestion
// a line, TAB-separated, in UTF-8: "archivio", the clue, its file; then
// "sinonimi", the text, and "forma di: ENTRY" when the word was found
// through its base form. Returns 0; 1 when the thesaurus cannot be read; 2
// for a wrong command line.
int Definizioni(const std::vector<std::string>& args, const std::string& formsFile);

} // namespace tools
