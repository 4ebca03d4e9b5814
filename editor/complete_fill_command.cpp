// Form1's "&Completa schema ...": every slot of 3 or more letters gets a
// word of the vocabulary, the runs of two cells a word of COPPIE.TXT where
// one fits, found off the window's thread behind the window that asks the
// quality. The crossword changes only when the fill succeeds, and then as
// one change through the edit cycle.

#include "editor/form1.h"

#include "dialogs/complete_fill_dialog.h"
#include "document/file_io.h"
#include "fill/complete_fill.h"

#include <cmath>
#include <random>

namespace editor {

namespace {

// The search gives up after this long; the user can start it again, with
// another seed.
constexpr double CompleteFillSeconds = 120;

// The quality chosen last, until the program ends.
int lastQuality = fill::DefaultQuality;

} // namespace

void Form1::MenuCompleta() {
    HideLabel();
    SetPointer(Pointer::Default);
    if (!letterIndex_) letterIndex_ = std::make_unique<fill::LetterIndex>(vocab_);

    fill::CompleteFillOptions options;
    // Another fill each time; a test's draws make it repeatable.
    options.seed = random_ ? static_cast<std::uint64_t>(std::ldexp(random_(), 53)) : std::random_device{}();
    options.timeLimitSeconds = CompleteFillSeconds;
    options.quality = lastQuality;
    // The two-letter words beside the vocabulary, in the program's folder.
    std::string pairs;
    if (document::ReadWholeFile(fill::PairsFile, pairs, 1 << 20)) options.pairs = fill::ReadPairs(pairs);
    fill::CompleteFillResult result;
    {
        dialogs::CompleteFillDialog dialog(doc_, *letterIndex_, options, this);
        dialog.Run();
        lastQuality = dialog.Quality();
        result = dialog.Result();
    }

    switch (result.outcome) {
    case fill::CompleteFillOutcome::Filled: {
        const document::Crossword before = doc_;
        if (!fill::ApplyCompleteFill(doc_, result)) return;
        doc_.ChangedFlag = true;
        EditCycle(before, "Completa schema");
        break;
    }
    case fill::CompleteFillOutcome::Impossible:
        messages_.Show(result.message, platform::Buttons::Ok, "Completa schema", platform::Icon::Exclamation);
        break;
    case fill::CompleteFillOutcome::TimeLimit:
        messages_.Show("Tempo scaduto: in " + std::to_string(static_cast<int>(CompleteFillSeconds)) +
                           " secondi non \xE8 stato trovato un riempimento completo. Lo schema non \xE8 "
                           "cambiato; riprovando, la ricerca parte da altre parole.",
                       platform::Buttons::Ok, "Completa schema", platform::Icon::Information);
        break;
    case fill::CompleteFillOutcome::Cancelled: break;
    }
}

} // namespace editor
