// Feeds arbitrary bytes to the vocabulary index reader and runs every lookup
// on what it accepted.
#include "platform/recording/recording_messages.h"
#include "vocabulary/vocabulary.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::RecordingMessages messages;
    vocabulary::Vocabulary v;
    v.LoadFromBytes(std::string(reinterpret_cast<const char*>(data), size), "LESSICO.DAT", messages);
    for (int L = vocabulary::MinLength; L <= vocabulary::MaxLength; ++L) {
        const int count = v.VocabularyCount(L);
        v.ReadVocabularyWord(count, L);
        v.ReadVocabularyWord(count + 1, L);
        std::string pattern(L, ' ');
        v.PatternExists(pattern);
        v.CollectMatches(pattern, messages);
        for (int i = 1; i <= v.MatchCount(); i += 97) v.ReadVocabularyWord(v.MatchList(i), L);
        pattern[0] = 'A';
        v.PatternExists(pattern);
        v.FindByMask(pattern);
    }
    return 0;
}
