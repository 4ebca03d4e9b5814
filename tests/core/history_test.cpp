#include "document/crossword_file.h"
#include "document/grid_edits.h"
#include "document/history.h"
#include "document/word_map.h"
#include "platform/recording/recording_messages.h"
#include "test_grids.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace document;
using testgrids::MakeCrossword;

namespace {

// The file the crossword would be saved as: what a step must restore.
std::string Saved(Crossword doc) {
    ComputeWordMap(doc);
    bool complete = false;
    return EncodeCrossword(doc, complete);
}

// One edit as the edit cycle runs it: change, save and reload, new word map.
void Cycle(Crossword& doc, const std::function<void(Crossword&)>& change) {
    change(doc);
    platform::RecordingMessages quiet;
    bool complete = false;
    ReadCrossword(doc, EncodeCrossword(doc, complete), quiet);
    ComputeWordMap(doc);
}

} // namespace

TEST(History, EveryKindOfEditUndoesAndRedoesToTheSavedFiles) {
    Crossword doc = MakeCrossword({"CASA", "....", "RE.."});
    ComputeWordMap(doc);
    doc.Definitions(1, 1, Horizontal) = "Abitazione";
    const std::vector<std::pair<std::string, std::function<void(Crossword&)>>> edits = {
        {"casella nera", [](Crossword& d) { PutBlackCell(d, 3, 2); }},
        {"Aggiungi colonna", [](Crossword& d) { AddColumn(d); }},
        {"Aggiungi riga", [](Crossword& d) { AddRow(d); }},
        {"parola/definizione",
         [](Crossword& d) {
             WriteWord(d, 1, 2, Horizontal, "EV");
             d.Definitions(1, 2, Horizontal) = "Prima donna";
         }},
        // A black cell splits a word: its clue is no longer written but stays in memory.
        {"casella nera", [](Crossword& d) { PutBlackCell(d, 2, 1); }},
        {"Togli riga", [](Crossword& d) { RemoveRow(d); }},
        {"casella bianca", [](Crossword& d) { PutWhiteCell(d, 2, 1); }},
        {"Togli colonna", [](Crossword& d) { RemoveColumn(d); }},
    };
    History history;
    std::vector<std::string> files{Saved(doc)};
    std::vector<Crossword> states{doc};
    for (const auto& [label, change] : edits) {
        const Crossword before = doc;
        Cycle(doc, change);
        history.Record(label, before, doc);
        files.push_back(Saved(doc));
        states.push_back(doc);
    }
    ASSERT_EQ(history.StepCount(), edits.size());
    EXPECT_EQ(history.UndoLabel(), "Togli colonna");
    EXPECT_FALSE(history.CanRedo());

    for (std::size_t i = edits.size(); i-- > 0;) {
        EXPECT_EQ(history.UndoLabel(), edits[i].first);
        ASSERT_TRUE(history.Undo(doc));
        Cycle(doc, [](Crossword&) {});
        EXPECT_EQ(Saved(doc), files[i]) << "undo to step " << i;
        EXPECT_EQ(doc.ColumnCount, states[i].ColumnCount);
    }
    EXPECT_FALSE(history.Undo(doc));
    // The clue of the split word came back with the step that split it.
    EXPECT_EQ(doc.Definitions(1, 1, Horizontal), "Abitazione");
    for (std::size_t i = 0; i < edits.size(); ++i) {
        EXPECT_EQ(history.RedoLabel(), edits[i].first);
        ASSERT_TRUE(history.Redo(doc));
        Cycle(doc, [](Crossword&) {});
        EXPECT_EQ(Saved(doc), files[i + 1]) << "redo to step " << i + 1;
    }
    EXPECT_FALSE(history.Redo(doc));
    // After the split the old clue is still held in memory.
    EXPECT_EQ(doc.Definitions(1, 1, Horizontal), "Abitazione");
}

TEST(History, UnsavedIsTrueExactlyWhenTheCrosswordIsNotTheSavedOne) {
    // Random edits, undos, redos and saves against a model: every state
    // carries its own number in a clue, so the crossword says which state it
    // is, and it is unsaved exactly when that is not the number saved last.
    // A small limit lets the oldest steps (and with them a saved state) go.
    Crossword doc = MakeCrossword({"....", "....", "...."});
    ComputeWordMap(doc);
    const auto stateOf = [&] { return doc.Definitions(1, 1, Horizontal); };
    doc.Definitions(1, 1, Horizontal) = "stato 0";
    History history(6);
    std::string saved = stateOf();
    int next = 1;
    std::mt19937 random(32);
    for (int i = 0; i < 3000; ++i) {
        switch (random() % 5) {
        case 0:
        case 1: {
            const Crossword before = doc;
            doc.Definitions(1, 1, Horizontal) = "stato " + std::to_string(next++);
            history.Record("parola/definizione", before, doc);
            break;
        }
        case 2: history.Undo(doc); break;
        case 3: history.Redo(doc); break;
        case 4:
            history.MarkSaved();
            saved = stateOf();
            break;
        }
        ASSERT_EQ(history.Unsaved(), stateOf() != saved) << "passo " << i << ", " << stateOf() << ", salvato " << saved;
    }
    // A change that changes nothing is no step; a new crossword counts as saved.
    const std::size_t steps = history.StepCount();
    history.Record("casella nera", doc, doc);
    EXPECT_EQ(history.StepCount(), steps);
    history.Clear();
    EXPECT_FALSE(history.Unsaved());
    EXPECT_FALSE(history.CanUndo());
}

TEST(History, KeepsTheNewestStepsUpToTheLimit) {
    Crossword doc = MakeCrossword(std::vector<std::string>(3, std::string(25, '.')));
    for (int c = 1; c <= MaxColumns; ++c)
        for (int r = 1; r <= 3; ++r)
            for (int d : {Horizontal, Vertical}) doc.Definitions(c, r, d) = std::string(40, 'x');
    ComputeWordMap(doc);
    History history(200);
    history.MarkSaved();
    for (int i = 0; i < 230; ++i) {
        const Crossword before = doc;
        Cycle(doc, [i](Crossword& d) { d.Definitions(1, 1, Horizontal) = "passo " + std::to_string(i); });
        history.Record("parola/definizione", before, doc);
    }
    EXPECT_EQ(history.StepCount(), 200u);
    int undone = 0;
    while (history.Undo(doc)) ++undone;
    EXPECT_EQ(undone, 200);  // back to the state after step 29
    EXPECT_EQ(doc.Definitions(1, 1, Horizontal), "passo 29");
    // The saved state fell off the end: the crossword still differs from it.
    EXPECT_TRUE(history.Unsaved());
    // 200 steps of a 25 x 3 crossword with 150 clues of 40 letters.
    EXPECT_LT(history.Size(), 8u * 1024 * 1024);
}
