#pragma once
// The crossword file format (".qdr" and the working file): four header
// lines, one line per grid row with every cell character shifted up by 26,
// then one line per clue. 8-bit text, lines ended by CR LF.

#include "document/crossword.h"
#include "document/file_io.h"
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

// The longest clue a file may hold; a longer line is refused when read.
constexpr std::size_t MaxClueLength = 1000;
// No crossword the program writes comes near this: 19 header and grid lines
// and 750 clue lines of MaxClueLength characters.
constexpr std::size_t MaxCrosswordFileSize = 1024 * 1024;

// The message for a clue line longer than MaxClueLength.
std::string ClueTooLongMessage(int line);

// The message shown when a crossword file does not exist.
std::string NotFoundMessage(const std::string& name);

// Reads the named file into the document: header lines, sizes, grid rows and
// the clues it names (the clue table is never emptied here). A missing file
// or a size of 0 shows its message and ends the program; any other failure
// shows "Errore di lettura del file!" and leaves what was read so far. A
// file larger than MaxCrosswordFileSize is refused as an invalid format.
LoadResult LoadCrosswordFile(Crossword& doc, const std::string& name, platform::Messages& messages);

// The same reader over bytes already in memory (no existence check).
LoadResult ReadCrossword(Crossword& doc, std::string_view bytes, platform::Messages& messages);

// Writes the document to the named file: header and grid lines (markers
// recomputed, cells shifted up by 26), then the clues of word starts in
// column-major order, chosen by the start codes of the last word-map
// computation. The file is replaced whole: a failure shows "Errore di
// scrittura del file!" and leaves the old file exactly as it was. A name
// the user chose that is write-protected is replaced only after the user
// says OK to the question; a folder, device, pipe or a link to nothing is
// refused with a message naming it.
SaveResult SaveCrosswordFile(const Crossword& doc, const std::string& name,
                             platform::Messages& messages, WriteTarget target = WriteTarget::Chosen);

// Before a write to `name`: a protected file the user chose is replaced
// only after OK to the question (`options` then allow it); a folder,
// device, pipe or a link to nothing is refused with a message naming it.
// False when the write must not go ahead.
bool MayWrite(const std::string& name, platform::Messages& messages, WriteTarget target, WriteOptions& options);

// Writes `bytes` to `name` under the write policy, telling the user what
// went wrong: a protected file the user chose is replaced only after OK to
// the question; a folder, device, pipe or a link to nothing is refused
// naming it; any other failure says "Errore di scrittura del file!".
bool WriteAsked(const std::string& name, std::string_view bytes, platform::Messages& messages,
                WriteTarget target = WriteTarget::Chosen);

// The bytes SaveCrosswordFile writes; `complete` is false when a cell
// character could not be encoded, and the bytes then stop before its line.
std::string EncodeCrossword(const Crossword& doc, bool& complete);

// Splits file bytes into lines: a line ends at CR or CR LF; a bare LF is part
// of the line. A final line without an ending still counts.
std::vector<std::string> SplitLines(std::string_view bytes);

} // namespace document
