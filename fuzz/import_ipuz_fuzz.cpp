// Feeds arbitrary bytes to the .ipuz reader (always taken as JSON), then
// writes what came in as the program would.
#include "document/crossword_file.h"
#include "document/import_formats.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes = "{";
    bytes.append(reinterpret_cast<const char*>(data), size);
    document::Crossword doc;
    if (document::ImportCrossword(doc, bytes, "01-01-2000").outcome == document::ImportOutcome::Refused) return 0;
    bool complete = false;
    document::EncodeCrossword(doc, complete);
    return 0;
}
