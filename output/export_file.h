#pragma once
// "Espor&ta ...": the crossword written in a format for other programs.
// The core writes .ipuz, .puz and .svg; the printed page as .pdf comes from
// the printing code.

#include "document/crossword.h"
#include "document/export_formats.h"
#include "output/page_layout.h"
#include "platform/messages.h"

#include <string>

namespace output {

// Writes the crossword to `fileName` (file system encoding) in `format`:
// .pdf is the printed page laid out for the window `area` (or the pages for
// solvers), the others come from the core's writers. What the format cannot
// hold is refused with its message and nothing is written; a failed write
// shows "Errore di scrittura del file!" and leaves an older file as it was.
// True when written. The document changes only in CellLetters, as printing
// changes them.
bool ExportCrossword(document::Crossword& doc, document::ExportFormat format, const std::string& fileName,
                     WindowArea area, platform::Messages& messages);

} // namespace output
