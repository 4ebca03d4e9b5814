#pragma once
// Vocabulary files written in the tests, groups and words in the order given
// (so tests see file order, not alphabetical order).

#include "platform/recording/recording_messages.h"
#include "vocabulary/vocabulary.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace testgrids {

inline std::string LayOut(const std::map<int, std::vector<std::string>>& groups) {
    std::string out(200, ' ');
    long position = 409;
    std::string words;
    for (int L = 3; L <= 15; ++L) {
        const long start = position;
        auto it = groups.find(L);
        if (it != groups.end())
            for (const auto& w : it->second) words += w, position += L;
        char fields[40];
        std::snprintf(fields, sizeof fields, "%8ld%8ld", start, position);
        out += fields;
    }
    return out + words;
}

inline vocabulary::Vocabulary MakeVocabulary(const std::map<int, std::vector<std::string>>& groups) {
    platform::RecordingMessages quiet;
    vocabulary::Vocabulary v;
    v.LoadFromBytes(LayOut(groups), "LESSICO.DAT", quiet);
    return v;
}

} // namespace testgrids
