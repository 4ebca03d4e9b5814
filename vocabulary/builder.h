#pragma once
// Builds a vocabulary file in the LESSICO.DAT layout from word lists, best
// words first.
//
// The file has no score field: inside each length group the order is the
// ranking, and the fill and the masked search take the first words first.
// A word's score (0..100) comes either from a scored list ("parola;punteggio",
// the usual format of crossword lists) or, for a plain list, from the list's
// place among the plain lists:
//   - the first plain list scores 100, each further one 20 less (at least
//     20); a word in two or more plain lists gains 10 (at most 100);
//   - a word that only the last of several plain lists gives is a derived
//     form (the word forms a spelling dictionary expands to): it is left out
//     when it is another word with clitic pronouns glued on (AMARLO,
//     DANDOGLIELO) or an infinitive without its last vowel (AMAR, RIESPOR);
//   - Roman numerals (LII, MCM) and numbers written as words of more than one
//     part (DUECENTO, TREMILACENTOSEI) are left out of every plain list.
// A scored list is taken as its author scored it. Words below the minimum
// score are left out; of a length group larger than 32,767 words the worst
// are left out.

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "vocabulary/vocabulary.h"

namespace vocabulary {

constexpr int MaxScore = 100;

// A word of a list made fit for the grid: upper case, accents folded to the
// plain letter (à -> A, è -> E, ç -> C, ...). "" when anything but A..Z is
// left. The input is UTF-8; a line that is not valid UTF-8 is read as
// Latin-1.
std::string FoldWord(std::string_view word);

struct BuildReport {
    std::array<int, MaxLength + 1> kept{};     // words written, per length
    std::array<int, MaxLength + 1> dropped{};  // words over a group's capacity
    int refused = 0;                           // lines not usable as a word
    int derived = 0;   // derived forms left out (clitic pronouns, cut infinitives)
    int numbers = 0;   // Roman numerals and long number words left out
    int belowMinimum = 0;
};

// One line of a scored list: "parola;punteggio".
struct ScoredLine {
    enum class Kind { Plain, Scored, BadScore } kind = Kind::Plain;
    std::string_view word;
    int score = 0;
};

// Splits a line at its last ';'. A line without ';' is Plain; a score field
// that is not a whole number from 0 to 100 is BadScore.
ScoredLine SplitScoredLine(std::string_view line);

// The message for a damaged score field at line `lineNumber` of `listName`.
std::string BadScoreMessage(const std::string& listName, int lineNumber, std::string_view line);

class VocabularyBuilder {
public:
    // Adds one line of a plain list; `list` is the list's place among the
    // plain lists, 0 for the best. False when it gives no usable word.
    bool Add(std::string_view line, int list = 0);

    // Adds one word with the score its list gives it (0..100).
    bool AddScored(std::string_view word, int score);

    // Words scoring below `minimum` are left out.
    void SetMinimum(int minimum) { minimum_ = minimum; }

    // The file bytes: a title in bytes 1..200, the index, then each group
    // best first: by score, then words of the most common letters (which
    // cross other words most easily), then alphabetically.
    std::string Build(const std::string& title, BuildReport& report) const;

    // The score a word gets, or -1 when it is left out (or was never
    // offered). Counts of what was left out go to `report` when given.
    int Score(const std::string& word, BuildReport* report = nullptr) const;

private:
    struct Offer {
        int score = -1;        // best score from a scored list, -1 if none
        unsigned lists = 0;    // bit i: offered by plain list i (first 31)
        int bestList = 1 << 30;
        int worstList = -1;
    };
    std::unordered_map<std::string, Offer> offers_;
    int plainLists_ = 0;
    int minimum_ = 0;
    int refused_ = 0;
};

// True for a line that starts with a capital letter: a proper name in a word
// list.
bool IsCapitalized(std::string_view line);

// True for a Roman numeral written by the usual rules (XIV, MCMXC).
bool IsRomanNumeral(std::string_view word);

// True for a number written as a word of two or more parts, ordinals and
// ages included (DUECENTO, TRENTADUESIMO, QUARANTACINQUENNE).
bool IsCompoundNumber(std::string_view word);

} // namespace vocabulary
