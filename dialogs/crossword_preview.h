#pragma once
// The open dialog's own reading of a crossword file: the header fields and
// the pattern of black and white cells, drawn into the preview box. It reads
// the markers, not the letters, so a saved crossword shows as its pattern.

#include "platform/surface.h"

#include <string>
#include <string_view>

namespace dialogs {

struct PreviewHeader {
    std::string author;  // from character 13 of line 1 (starts with the blank after the colon)
    std::string date;    // from character 14 of line 2
    std::string type;    // from character 14 of line 3
    std::string size;    // from character 14 of line 4, e.g. "16x13"
};

enum class PreviewResult { Drawn, InvalidFormat, InvalidType };

inline const std::string PreviewInvalidFormatMessage = "Formato del file non valido!";
inline const std::string PreviewInvalidTypeMessage = "Tipo di file non valido!";

// Draws the file's grid scaled and centred on the surface (in pixels).
// InvalidFormat: a size of 0; InvalidType: a marker that is neither ".",
// "*" nor "A".."Z" (the surface is then cleared).
PreviewResult DrawCrosswordPreview(platform::Surface& surface, std::string_view fileBytes,
                                   PreviewHeader& header);

} // namespace dialogs
