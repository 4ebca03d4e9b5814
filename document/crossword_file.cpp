#include "document/crossword_file.h"

#include "document/file_io.h"
#include "document/text.h"

#include <algorithm>

namespace document {

namespace {

constexpr int Shift = 26;

int Byte(char ch) { return static_cast<unsigned char>(ch); }

// The leading number of `text` if it is a whole number in min..max.
bool LeadingInRange(std::string_view text, int min, int max, int& value) {
    double v = LeadingNumber(text);
    if (v < min || v > max) return false;
    value = static_cast<int>(v);
    return true;
}

std::string NumberField(int n) {
    std::string text = "   " + std::to_string(n);
    return text.substr(text.size() - 3);
}

LoadResult ReadError(platform::Messages& messages) {
    messages.Tell(ReadErrorMessage);
    return LoadResult::ReadError;
}

} // namespace

std::string ClueTooLongMessage(int line) {
    return "Errore di lettura del file! La definizione della riga " + std::to_string(line) +
           " supera i " + std::to_string(MaxClueLength) + " caratteri.";
}

std::string NotFoundMessage(const std::string& name) {
    return "Errore: Cruciverba  " + name + "  Non trovato! Esecuzione terminata.";
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t cr = bytes.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, cr - start));
        start = cr + 1;
        if (start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return lines;
}

LoadResult LoadCrosswordFile(Crossword& doc, const std::string& name, platform::Messages& messages) {
    if (!FileExists(name)) {
        messages.Show(NotFoundMessage(name), platform::Buttons::Ok, "Quadrivo ",
                      platform::Icon::Information);
        messages.EndProgram();
        return LoadResult::NotFound;
    }
    const auto size = FileSize(name);
    if (size && *size > MaxCrosswordFileSize) {
        messages.Tell(InvalidFormatMessage);
        messages.EndProgram();
        return LoadResult::InvalidFormat;
    }
    std::string bytes;
    if (!ReadWholeFile(name, bytes, MaxCrosswordFileSize)) return ReadError(messages);
    return ReadCrossword(doc, bytes, messages);
}

LoadResult ReadCrossword(Crossword& doc, std::string_view bytes, platform::Messages& messages) {
    const auto lines = SplitLines(bytes);
    std::size_t next = 0;

    for (int i = 1; i <= HeaderLineCount; ++i) {
        if (next >= lines.size()) return ReadError(messages);
        doc.FileLines(i) = lines[next++];
    }

    // Sizes outside 3..25 x 3..15 are refused like a size of 0: nothing
    // else in the program could show or edit them.
    int columns = 0, rows = 0;
    const std::string& sizes = doc.FileLines(4);
    if (!LeadingInRange(Mid(sizes, 14), MinColumns, MaxColumns, columns) ||
        !LeadingInRange(Mid(sizes, 17), MinRows, MaxRows, rows)) {
        messages.Tell(InvalidFormatMessage);
        messages.EndProgram();
        return LoadResult::InvalidFormat;
    }
    doc.ColumnCount = columns;
    doc.RowCount = rows;

    for (int r = 1; r <= rows; ++r) {
        if (next >= lines.size()) return ReadError(messages);
        std::string& line = doc.GridLine(r);
        line = lines[next++];
        for (std::size_t j = 0; j < line.size(); j += 2) {
            int code = Byte(line[j]) - Shift;
            if (code < 0) return ReadError(messages);
            line[j] = static_cast<char>(code);
        }
    }

    while (next < lines.size()) {
        std::string_view line = lines[next++];
        if (line.size() > MaxClueLength + 8) {
            messages.Tell(ClueTooLongMessage(static_cast<int>(next)));
            return LoadResult::ReadError;
        }
        int column = 0, row = 0, direction = 0;
        if (!LeadingInRange(Mid(line, 1, 3), 1, MaxColumns, column) ||
            !LeadingInRange(Mid(line, 4, 3), 1, MaxRows, row) ||
            !LeadingInRange(Mid(line, 7, 1), Horizontal, Vertical, direction))
            return ReadError(messages);
        doc.Definitions(column, row, direction) = std::string(Mid(line, 9));
    }
    return LoadResult::Loaded;
}

std::string EncodeCrossword(const Crossword& doc, bool& complete) {
    std::string out;
    complete = true;
    const int lastLine = std::min(doc.RowCount + HeaderLineCount, FileLineCount);
    for (int i = 1; i <= lastLine; ++i) {
        std::string line = doc.FileLines(i);
        if (i > HeaderLineCount) {
            for (std::size_t j = 0; j < line.size(); j += 2) {
                const char cell = line[j];
                if (j + 1 < line.size()) line[j + 1] = cell == BlackCell ? BlackCell : EmptyCell;
                if (Byte(cell) + Shift > 255) {
                    complete = false;
                    return out;
                }
                line[j] = static_cast<char>(Byte(cell) + Shift);
            }
        }
        out += line;
        out += "\r\n";
    }

    const int columns = std::clamp(doc.ColumnCount, 0, MaxColumns);
    const int rows = std::clamp(doc.RowCount, 0, MaxRows);
    for (int c = 1; c <= columns; ++c)
        for (int r = 1; r <= rows; ++r)
            for (int d : {Horizontal, Vertical}) {
                const std::string& clue = doc.Definitions(c, r, d);
                if (StartsWord(doc.StartCodes(c, r), d) && !clue.empty())
                    out += NumberField(c) + NumberField(r) + std::to_string(d) + "-" + clue + "\r\n";
            }
    return out;
}

SaveResult SaveCrosswordFile(const Crossword& doc, const std::string& name,
                             platform::Messages& messages, WriteTarget target) {
    bool complete = false;
    const std::string bytes = EncodeCrossword(doc, complete);
    if (!complete) {
        messages.Tell(WriteErrorMessage);
        return SaveResult::WriteError;
    }
    return WriteAsked(name, bytes, messages, target) ? SaveResult::Saved : SaveResult::WriteError;
}

bool MayWrite(const std::string& name, platform::Messages& messages, WriteTarget target, WriteOptions& options) {
    options = WriteOptions{target, false};
    const WriteOutcome check = CheckTarget(name, target);
    if (check == WriteOutcome::ReadOnly && target == WriteTarget::Chosen) {
        // Protecting a file is a choice of the user's: it is replaced only
        // when the user says so.
        const std::string question = "Il file " + Utf8ToCp1252(name) +
                                     " \xE8 protetto da scrittura. Sostituirlo comunque?";
        if (messages.Show(question, platform::Buttons::OkCancel, platform::ApplicationTitle,
                          platform::Icon::Exclamation) != platform::Answer::Ok)
            return false;
        options.replaceReadOnly = true;
    } else if (check != WriteOutcome::Written && check != WriteOutcome::Failed) {
        messages.Tell(RefusalMessage(check, name));
        return false;
    }
    return true;
}

bool WriteAsked(const std::string& name, std::string_view bytes, platform::Messages& messages, WriteTarget target) {
    WriteOptions options;
    if (!MayWrite(name, messages, target, options)) return false;
    if (!ReplaceFile(name, bytes, options)) {
        messages.Tell(WriteErrorMessage);
        return false;
    }
    return true;
}

} // namespace document
