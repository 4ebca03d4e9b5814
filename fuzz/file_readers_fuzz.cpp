// Feeds arbitrary bytes to the other readers of user files: the open
// dialog's preview of a crossword file and the model library.
#include "dialogs/crossword_preview.h"
#include "document/model_library.h"
#include "platform/recording/recording_surface.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    platform::RecordingSurface box(nullptr, 346, 255);
    dialogs::PreviewHeader header;
    dialogs::DrawCrosswordPreview(box, bytes, header);

    std::vector<document::Model> models;
    if (document::ReadModelLibrary(bytes, models)) {
        document::Crossword doc;
        for (const auto& m : models) document::MakeCrosswordFromModel(doc, m, "01-01-2000");
    }
    return 0;
}
