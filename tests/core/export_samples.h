#pragma once
// Crosswords the export tests run over: the test grids of tests/data, the
// example file, and every model of the shipped model library, each as it
// is and completed with letters and clues that carry Italian accents.

#include "document/crossword_file.h"
#include "document/model_library.h"
#include "document/word_map.h"
#include "platform/recording/recording_messages.h"
#include "test_grids.h"

#include <filesystem>
#include <string>
#include <vector>

namespace exporttest {

struct Sample {
    std::string name;
    document::Crossword doc;
};

inline const std::string kTestData = QUADRIVO_TEST_DATA;

// Every empty white cell gets a letter, every word start a clue in both of
// its directions with accents, quotes and a backslash (Windows-1252).
inline void Complete(document::Crossword& doc) {
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c) {
            std::string& line = doc.GridLine(r);
            if (line.size() < 2 * static_cast<std::size_t>(c)) line.resize(2 * c, '.');
            if (line[2 * c - 2] == document::EmptyCell) line[2 * c - 2] = static_cast<char>('A' + (5 * c + 3 * r) % 26);
        }
    document::ComputeWordMap(doc);
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c)
            for (int d : {document::Horizontal, document::Vertical})
                if (document::StartsWord(doc.StartCodes(c, r), d))
                    doc.Definitions(c, r, d) = "Citt\xE0 " + std::to_string(c) + "/" + std::to_string(r) +
                                               (d == 1 ? " \xE8 pi\xF9" : " perch\xE9 gi\xF9") +
                                               " \"virgolette\" \\ & <fine>";
}

inline document::Crossword LoadSample(const std::string& path) {
    platform::RecordingMessages messages;
    document::Crossword doc;
    document::LoadCrosswordFile(doc, path, messages);
    doc.CurrentFileName = path;
    document::ComputeWordMap(doc);
    return doc;
}

// The crosswords as they are: test grids, the example, the models.
inline std::vector<Sample> PlainSamples() {
    std::vector<Sample> samples;
    samples.push_back({"esempio", LoadSample(kTestData + "/esempio.qdr")});
    for (const auto& entry : std::filesystem::directory_iterator(kTestData + "/griglie"))
        if (entry.path().extension() == ".qdr")
            samples.push_back({entry.path().stem().string(), LoadSample(entry.path().string())});
    std::vector<document::Model> models;
    if (document::ReadModelLibrary(testgrids::ReadBytes(kTestData + "/../../data/CRUCINEW.DAT"), models)) {
        for (std::size_t i = 0; i < models.size(); ++i) {
            Sample s{"modello_" + std::to_string(i + 1), {}};
            document::MakeCrosswordFromModel(s.doc, models[i], "05-12-2026");
            s.doc.CurrentFileName = "/tmp/modello " + std::to_string(i + 1) + ".qdr";
            document::ComputeWordMap(s.doc);
            samples.push_back(std::move(s));
        }
    }
    return samples;
}

// The same crosswords completed with letters and accented clues.
inline std::vector<Sample> CompletedSamples() {
    auto samples = PlainSamples();
    for (auto& s : samples) Complete(s.doc);
    return samples;
}

} // namespace exporttest
