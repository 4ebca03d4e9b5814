#pragma once
// The crossword file format (".qdr" and the working file): four header
// lines, one line per grid row with every cell character shifted up by 26,
// then one line per clue. 8-bit text, lines ended by CR LF.

#include "document/crossword.h"
#include "platform/messages.h"

#include <string>
#include <string_view>
#include <vector>

namespace document {

enum class LoadResult { Loaded, NotFound, InvalidFormat, ReadError };
enum class SaveResult { Saved, WriteError };

inline const std::string ReadErrorMessage = "Errore di lettura del file!";
inline const std::string WriteErrorMessage = "Errore di scrittura del file!";
inline const std::string InvalidFormatMessage = "Formato del file non valido! Esecuzione terminata";

// The message shown when a crossword file does not exist.
std::string NotFoundMessage(const std::string& name);

// Reads the named file into the document: header lines, sizes, grid rows and
// the clues it names (the clue table is never emptied here). A missing file
// or a size of 0 shows its message and ends the program; any other failure
// shows "Errore di lettura del file!" and leaves what was read so far.
LoadResult LoadCrosswordFile(Crossword& doc, const std::string& name, platform::Messages& messages);

// The same reader over bytes already in memory (no existence check).
LoadResult ReadCrossword(Crossword& doc, std::string_view bytes, platform::Messages& messages);

// Writes the document to the named file: header and grid lines (markers
// recomputed, cells shifted up by 26), then the clues of word starts in
// column-major order, chosen by the start codes of the last word-map
// computation. A failure shows "Errore di scrittura del file!" and leaves
// in the file what was written before it.
SaveResult SaveCrosswordFile(const Crossword& doc, const std::string& name,
                             platform::Messages& messages);

// The bytes SaveCrosswordFile writes; `complete` is false when a cell
// character could not be encoded, and the bytes then stop before its line.
std::string EncodeCrossword(const Crossword& doc, bool& complete);

// Splits file bytes into lines: a line ends at CR or CR LF; a bare LF is part
// of the line. A final line without an ending still counts.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// Reads a whole file; false when it cannot be read.
bool ReadWholeFile(const std::string& name, std::string& bytes);

// True when `name` names an existing regular file (the directory lookup).
bool FileExists(const std::string& name);

} // namespace document
