#pragma once
// The Italian thesaurus (Debian's mythes-it, the "mythes" format of
// LibreOffice) as a source of clues: for a word of the grid, the short note
// and the synonyms of each of its meanings. A grid word has no accents and
// no blanks (CITTA, INCRISI), so entries are found by their letters in
// capitals with the accents taken off and blanks, apostrophes and hyphens
// left out. An inflected word (GATTI) is led back to its entry (gatto)
// through a table of forms made from the hunspell dictionary at build time.
//
// The .dat file: a first line with the encoding (UTF-8), then for each
// entry a line "word|n" and n lines "(note)|synonym|synonym...". The .idx
// beside it: the encoding, the number of entries, then "word|offset" lines
// giving where each entry starts in the .dat.
// The forms table: lines "FORMA<TAB>entry", sorted by their bytes.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vocabulary {

// Where Debian's mythes-it puts the Italian thesaurus.
inline const std::string DefaultThesaurusFile = "/usr/share/mythes/th_it_IT_v2.dat";
// The forms table among the program's data files.
inline const std::string FormsFile = "FORME.TXT";

// One meaning of an entry; texts in Windows-1252, as clues are kept.
struct Meaning {
    std::string note;  // "s.m. Cibo a base di agnello", without the brackets
    std::string gloss;  // the note without its grammar label: "Cibo a base di agnello", or ""
    std::vector<std::string> synonyms;
};

struct ThesaurusEntry {
    std::string word;        // the entry as the thesaurus spells it: "gatto", "città"
    bool baseForm = false;   // found as the base form of the word asked for
    std::vector<Meaning> meanings;
};

// A text to offer as a clue: a gloss or a synonym. `baseForm` names the
// entry when the word was found through its base form ("gatto" for GATTI).
struct ThesaurusSuggestion {
    std::string text;
    std::string baseForm;
};

// Capitals without accents, blanks, apostrophes or hyphens ("in crisi" ->
// INCRISI, "città" -> CITTA), from UTF-8; "" when a character is not a
// Latin letter.
std::string GridLetters(std::string_view utf8);

class Thesaurus {
public:
    // Reads the index beside `datFile` (same name, ".idx"). False, with an
    // Italian `problem` naming the file, when it cannot be read or is not a
    // thesaurus index.
    bool Open(const std::string& datFile, std::string& problem);

    // The table of forms; without one, inflected words find nothing. False
    // when it cannot be opened.
    bool OpenForms(const std::string& formsFile);

    bool IsOpen() const { return !dat_.empty(); }
    std::size_t EntryCount() const { return offsets_.size(); }

    // The entries whose letters are `letters` (capitals A-Z); when there are
    // none, the entries of its base forms, marked as such. A damaged entry
    // is left out.
    std::vector<ThesaurusEntry> Lookup(std::string_view letters) const;

    // The glosses and synonyms of Lookup(letters), each text once, in the
    // thesaurus's order.
    std::vector<ThesaurusSuggestion> Suggestions(std::string_view letters) const;

    // The entries a form leads back to, from the forms table (UTF-8 words).
    std::vector<std::string> BaseForms(std::string_view letters) const;

private:
    bool ReadEntry(std::uint64_t offset, ThesaurusEntry& entry) const;

    std::string dat_;
    std::string forms_;
    std::multimap<std::string, std::uint64_t> offsets_;  // by grid letters
};

} // namespace vocabulary
