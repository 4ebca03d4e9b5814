// Feeds arbitrary bytes to "quadrivo-tool lessico" as one word list: every
// line plain or scored, as the tool reads them, then the vocabulary built
// from them is read back.
#include "document/text.h"
#include "platform/recording/recording_messages.h"
#include "vocabulary/builder.h"
#include "vocabulary/vocabulary.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    vocabulary::VocabularyBuilder builder;
    builder.SetMinimum(size % 50);
    for (const std::string& line : document::TextLines(bytes)) {
        const vocabulary::ScoredLine scored = vocabulary::SplitScoredLine(line);
        if (scored.kind == vocabulary::ScoredLine::Kind::Scored)
            builder.AddScored(scored.word, scored.score);
        else if (scored.kind == vocabulary::ScoredLine::Kind::Plain)
            builder.Add(line, static_cast<int>(line.size() % 3));
    }
    vocabulary::BuildReport report;
    const std::string file = builder.Build("prova", report);
    vocabulary::Vocabulary vocab;
    platform::RecordingMessages messages;
    vocab.LoadFromBytes(file, "LESSICO.DAT", messages);
    vocab.PatternExists("   ");
    return 0;
}
