#pragma once
// Running the fill without a window: the working file round trip happens in
// memory, letters are painted nowhere, and the draws come from a generator
// seeded once, so a run can be repeated.

#include "fill/auto_fill.h"

#include <cstdint>
#include <random>

namespace fill {

// Uniform draws in [0, 1) from a generator seeded once.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
    double Next() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

private:
    std::mt19937_64 engine_;
};

// A draw from a generator seeded anew from the time of day (microseconds
// since midnight) before every draw, as the program does.
double TimeOfDayRandom();

class HeadlessHost : public FillHost {
public:
    explicit HeadlessHost(std::uint64_t seed);
    ~HeadlessHost() override;

    void Redraw(document::Crossword& doc) override;
    void ShowLetter(const document::Crossword&, int, int, char) override {}
    void Show() override {}
    double Random() override { return random_.Next(); }
    void Busy(bool) override {}

private:
    SeededRandom random_;
};

} // namespace fill
