#include "fill/headless_host.h"

#include "document/crossword_file.h"
#include "document/word_map.h"

#include <chrono>
#include <ctime>

namespace fill {

double TimeOfDayRandom() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(now.time_since_epoch()).count() % 1000000;
    const std::uint64_t sinceMidnight =
        (static_cast<std::uint64_t>(local.tm_hour) * 3600 + local.tm_min * 60 + local.tm_sec) * 1000000 +
        static_cast<std::uint64_t>(micros);
    return SeededRandom(sinceMidnight).Next();
}

HeadlessHost::HeadlessHost(std::uint64_t seed) : random_(seed) {}

HeadlessHost::~HeadlessHost() = default;

void HeadlessHost::Redraw(document::Crossword& doc) {
    // The working file's save and load, kept in memory.
    platform::SilentMessages quiet;
    bool complete = false;
    const std::string bytes = document::EncodeCrossword(doc, complete);
    document::ReadCrossword(doc, bytes, quiet);
    document::ComputeWordMap(doc);
}

} // namespace fill
