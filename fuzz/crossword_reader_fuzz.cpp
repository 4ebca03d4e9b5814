// Feeds arbitrary bytes to the crossword reader, then computes the word map
// and writes the result back, as the edit cycle would.
#include "document/crossword_file.h"
#include "document/word_map.h"
#include "platform/recording/recording_messages.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    document::Crossword doc;
    platform::RecordingMessages messages;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (document::ReadCrossword(doc, bytes, messages) == document::LoadResult::InvalidFormat) return 0;
    document::ComputeWordMap(doc);
    document::WordsInReadingOrder(doc);
    bool complete = false;
    const std::string written = document::EncodeCrossword(doc, complete);
    document::Crossword again;
    document::ReadCrossword(again, written, messages);
    return 0;
}
