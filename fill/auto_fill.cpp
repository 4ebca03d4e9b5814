#include "fill/auto_fill.h"

#include "document/text.h"

#include <algorithm>
#include <cmath>

namespace fill {

using document::Crossword;
using document::Horizontal;
using document::Vertical;

namespace {

const char* const kConfirmation =
    "L'estrazione automatica delle parole dal vocabolario, azzera il cruciverba corrente ed inoltre "
    "richiede un processore molto veloce, \xE8 possibile interrompere questa operazione solamente "
    "durante i messaggi di errore sulla estrazione, si desidera comunque procedere?";

enum class Outcome { Done, Restart, Stop };

// One run of the fill, from the clearing to the end, restarts included.
class Run {
public:
    Run(Crossword& doc, vocabulary::Vocabulary& vocab, platform::Messages& messages, FillHost& host,
        FillReport& report)
        : doc_(doc), vocab_(vocab), messages_(messages), host_(host), report_(report) {}

    // From the clearing to the last slot; Stop or Done ends the run.
    Outcome Pass();

private:
    void Clear();
    Outcome Slot(int c, int r, int d, int length);
    // The cell (column, row) of letter i (0-based) of a slot.
    static void CellOf(int c, int r, int d, int i, int& column, int& row) {
        column = d == Horizontal ? c + i : c;
        row = d == Horizontal ? r : r + i;
    }
    std::string CrossingPattern(int column, int row, int d) const;
    bool Acceptable(const std::string& pattern) const;
    platform::Answer Ask(const std::string& question);
    void Place(int c, int r, int d, const std::string& word);

    Crossword& doc_;
    vocabulary::Vocabulary& vocab_;
    platform::Messages& messages_;
    FillHost& host_;
    FillReport& report_;
};

void Run::Clear() {
    for (int r = 1; r <= document::MaxRows; ++r) {
        std::string& line = doc_.GridLine(r);
        for (std::size_t j = 0; j < line.size(); j += 2)
            if (line[j] != document::EmptyCell && line[j] != document::BlackCell) line[j] = document::EmptyCell;
    }
    for (int r = 1; r <= document::MaxRows; ++r)
        for (int c = 1; c <= document::MaxColumns; ++c)
            if (doc_.StartCodes(c, r) > document::NoStart) {
                doc_.Definitions(c, r, Horizontal).clear();
                doc_.Definitions(c, r, Vertical).clear();
            }
    host_.Redraw(doc_);
    for (int r = 1; r <= document::MaxRows; ++r)
        for (int c = 1; c <= document::MaxColumns; ++c)
            if (doc_.CellLetters(c, r) != document::BlackCell) doc_.CellLetters(c, r) = ' ';
}

Outcome Run::Pass() {
    Clear();
    report_.filled = report_.empty = 0;
    const int columns = std::clamp(doc_.ColumnCount, 0, document::MaxColumns);
    const int rows = std::clamp(doc_.RowCount, 0, document::MaxRows);
    for (int length = vocabulary::MaxLength; length >= vocabulary::MinLength; --length)
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= columns; ++c)
                for (int d : {Horizontal, Vertical}) {
                    if (!document::StartsWord(doc_.StartCodes(c, r), d)) continue;
                    if (static_cast<int>(doc_.CellWords(c, r, d).size()) != length) continue;
                    const Outcome outcome = Slot(c, r, d, length);
                    if (outcome != Outcome::Done) return outcome;
                }
    return Outcome::Done;
}

std::string Run::CrossingPattern(int column, int row, int d) const {
    // Walk back along the crossing direction to the first cell of the
    // crossing word.
    const int across = d == Horizontal ? Vertical : Horizontal;
    int c = column, r = row;
    while (across == Vertical ? (r > 1 && doc_.StartCodes(c, r - 1) != document::NoCell)
                              : (c > 1 && doc_.StartCodes(c - 1, r) != document::NoCell))
        (across == Vertical ? r : c) -= 1;
    const std::size_t length = doc_.CellWords(c, r, across).size();
    std::string pattern;
    for (std::size_t k = 0; k < length; ++k) {
        const int pc = across == Horizontal ? c + static_cast<int>(k) : c;
        const int pr = across == Vertical ? r + static_cast<int>(k) : r;
        if (pc > document::MaxColumns || pr > document::MaxRows) break;
        pattern += doc_.CellLetters(pc, pr);
    }
    return pattern;
}

bool Run::Acceptable(const std::string& pattern) const {
    const bool allBlank = std::all_of(pattern.begin(), pattern.end(), [](char ch) { return ch == ' '; });
    const bool noBlank = pattern.find(' ') == std::string::npos;
    if (pattern.empty() || allBlank || noBlank || pattern.size() < 3) return true;
    // A crossing longer than any vocabulary word cannot be looked up.
    if (pattern.size() > vocabulary::MaxLength) return true;
    return vocab_.PatternExists(pattern);
}

platform::Answer Run::Ask(const std::string& question) {
    ++report_.questions;
    // The hourglass stays for the whole run, questions included.
    return messages_.Show(question + ChoiceText(), platform::Buttons::YesNoCancel, platform::ApplicationTitle,
                          platform::Icon::None);
}

Outcome Run::Slot(int c, int r, int d, int length) {
    std::string pattern;
    for (int i = 0; i < length; ++i) {
        int column = 0, row = 0;
        CellOf(c, r, d, i, column, row);
        pattern += doc_.CellLetters(column, row);
    }
    vocab_.CollectMatches(pattern, messages_);
    const double u = host_.Random();
    const int count = vocab_.MatchCount();
    const char* const kind = d == Horizontal ? "orizzontale" : "verticale";

    if (count == 0) {
        ++report_.empty;
        if (length <= 3) return Outcome::Done;
        const auto answer = Ask(std::string("Parola ") + kind + " " + std::to_string(doc_.WordNumbers(c, r)) +
                                " alle coordinate " + std::to_string(c) + "," + std::to_string(r) +
                                " non trovata nel vocabolario: '" + vocabulary::PatternForDisplay(pattern) + "'");
        if (answer == platform::Answer::No) return Outcome::Restart;
        if (answer == platform::Answer::Cancel) return Outcome::Stop;
        return Outcome::Done;
    }

    const int position = std::clamp(static_cast<int>(std::floor(u * count)) + 1, 1, count);
    const std::string candidate = vocab_.ReadVocabularyWord(vocab_.MatchList(position), length);

    // The crossings as they stand before the candidate is written.
    for (int i = 0; i < length; ++i) {
        int column = 0, row = 0;
        CellOf(c, r, d, i, column, row);
        const std::string crossing = CrossingPattern(column, row, d);
        if (Acceptable(crossing)) continue;
        if (crossing.size() > 3) {
            const auto answer = Ask(std::string("Sulla parola ") + kind + " alla posizione " + std::to_string(c) +
                                    "," + std::to_string(r) + " c'\xE8 un incrocio " +
                                    (d == Horizontal ? "verticale" : "orizzontale") +
                                    " non trovato nel vocabolario: '" +
                                    vocabulary::PatternForDisplay(crossing) + "'");
            if (answer == platform::Answer::No) return Outcome::Restart;
            if (answer == platform::Answer::Cancel) return Outcome::Stop;
        }
        break;
    }
    Place(c, r, d, candidate);
    ++report_.filled;
    return Outcome::Done;
}

void Run::Place(int c, int r, int d, const std::string& word) {
    const int length = static_cast<int>(word.size());
    for (int t = 0; t < length; ++t) {
        int column = 0, row = 0;
        CellOf(c, r, d, t, column, row);
        doc_.CellLetters(column, row) = word[static_cast<std::size_t>(t)];
        std::string& line = doc_.GridLine(row);
        const std::size_t at = 2 * static_cast<std::size_t>(column) - 2;
        if (line.size() < at + 2) line.resize(at + 2, document::EmptyCell);
        line[at] = word[static_cast<std::size_t>(t)];
    }
    doc_.CellWords(c, r, d) = word;

    for (int t = 0; t < length; ++t) {
        int column = 0, row = 0;
        CellOf(c, r, d, t, column, row);
        host_.ShowLetter(doc_, column, row, word[static_cast<std::size_t>(t)]);
    }
    host_.Show();
}

} // namespace

std::string ChoiceText() {
    return "\r<Si> per accettare\r<No> per iniziare l'estrazione da capo\r<Annulla> per interrompere "
           "l'estrazione\rVa bene ?\r";
}

FillReport AutoFill(Crossword& doc, vocabulary::Vocabulary& vocab, platform::Messages& messages,
                    FillHost& host) {
    FillReport report;
    if (messages.Show(kConfirmation, platform::Buttons::OkCancel, ConfirmationTitle, platform::Icon::None) !=
        platform::Answer::Ok)
        return report;
    report.started = true;
    doc.EditMode = document::NoTool;
    doc.ChangedFlag = true;
    host.Busy(true);
    Run run(doc, vocab, messages, host, report);
    while (run.Pass() == Outcome::Restart) ++report.restarts;
    host.Redraw(doc);
    host.Busy(false);
    return report;
}

} // namespace fill
