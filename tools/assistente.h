#pragma once
// "quadrivo-tool candidati" and "quadrivo-tool vicoli": the fill assistant
// from the command line.

#include <string>
#include <vector>

namespace tools {

// The lines of the tool's help that describe the two commands.
extern const char* const AssistenteHelp;

// "candidati IN.qdr COLONNA RIGA O|V [--max N] [-l FILE]" (`args` are the
// words after the command): the words that fit the slot through that cell,
// best first, each with the words it leaves to its tightest crossing, TAB
// between. 0 when the slot was found (even with no word), 1 when the
// crossword or the vocabulary could not be read, 2 for a wrong command line
// or a cell with no slot in that direction.
int Candidati(const std::vector<std::string>& args, const std::string& defaultVocabulary);

// "vicoli IN.qdr [-l FILE]": the cells no word can fill, "colonna,riga" one
// a line. 0 when there is none, 3 when there are some, 1 or 2 as above.
int Vicoli(const std::vector<std::string>& args, const std::string& defaultVocabulary);

} // namespace tools
