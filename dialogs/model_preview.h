#pragma once
// The drawing of a library model into a picture box of the new-crossword
// dialog, in the box's own units (twips).

#include "document/model_library.h"
#include "platform/surface.h"

namespace dialogs {

// Clears the surface and draws the model scaled and centred: cell outlines,
// black cells, and pre-filled letters from the middle of their cell.
void DrawModelPreview(platform::Surface& surface, const document::Model& model);

} // namespace dialogs
