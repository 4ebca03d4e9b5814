// Runs both fills on whatever crossword the bytes make: the automatic fill
// answering its questions as a hurried user would, then the complete fill
// with a short time limit, over a small vocabulary laid out here.
#include "document/crossword_file.h"
#include "document/word_map.h"
#include "fill/auto_fill.h"
#include "fill/complete_fill.h"
#include "fill/headless_host.h"
#include "platform/recording/recording_messages.h"
#include "vocabulary/vocabulary.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <vector>

namespace {

// LESSICO.DAT bytes: a 200-byte title, the index, then the groups.
std::string SmallVocabulary() {
    const std::map<int, std::vector<std::string>> groups = {
        {3, {"ACE", "ARE", "ERA", "ORA", "REO", "SAR"}},
        {4, {"AREA", "CASA", "ORSA", "ROMA"}},
        {5, {"CARTA", "SERRA"}},
        {6, {"ARANCE"}}};
    std::string index, words;
    int position = vocabulary::FirstWordPosition;
    for (int L = vocabulary::MinLength; L <= vocabulary::MaxLength; ++L) {
        const auto it = groups.find(L);
        const int start = position;
        if (it != groups.end())
            for (const std::string& w : it->second) words += w, position += L;
        char field[32];
        std::snprintf(field, sizeof field, "%8d%8d", start, position);
        index += field;
    }
    return std::string(200, ' ') + index + words;
}

class Answers : public platform::Messages {
public:
    platform::Answer Show(const std::string&, platform::Buttons buttons, const std::string&, platform::Icon) override {
        if (buttons == platform::Buttons::OkCancel) return platform::Answer::Ok;
        return ++asked < 3 ? platform::Answer::Yes : platform::Answer::Cancel;
    }
    void EndProgram() override {}
    int asked = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vocabulary::Vocabulary vocab = [] {
        vocabulary::Vocabulary v;
        platform::RecordingMessages quiet;
        v.LoadFromBytes(SmallVocabulary(), "LESSICO.DAT", quiet);
        return v;
    }();
    document::Crossword doc;
    platform::RecordingMessages messages;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (document::ReadCrossword(doc, bytes, messages) != document::LoadResult::Loaded) return 0;
    if (doc.ColumnCount < document::MinColumns || doc.ColumnCount > document::MaxColumns ||
        doc.RowCount < document::MinRows || doc.RowCount > document::MaxRows)
        return 0;
    document::ComputeWordMap(doc);

    fill::CompleteFillOptions options;
    options.seed = size;
    options.timeLimitSeconds = 0.02;
    const fill::CompleteFillResult result = fill::CompleteFill(doc, vocab, options);
    document::Crossword filled = doc;
    fill::ApplyCompleteFill(filled, result);

    Answers answers;
    fill::HeadlessHost host(size);
    fill::AutoFill(doc, vocab, answers, host);
    return 0;
}
