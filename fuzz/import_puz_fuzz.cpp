// Feeds arbitrary bytes to the .puz reader (the magic is put in place, so
// every input reaches the reader), then writes what came in.
#include "document/crossword_file.h"
#include "document/import_formats.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.size() < 14) bytes.resize(14, '\0');
    bytes.replace(2, 12, std::string("ACROSS&DOWN\0", 12));
    document::Crossword doc;
    if (document::ImportCrossword(doc, bytes, "01-01-2000").outcome == document::ImportOutcome::Refused) return 0;
    bool complete = false;
    document::EncodeCrossword(doc, complete);
    return 0;
}
