#pragma once
// A FontSource for tests: screen and printer lists of the test's choosing,
// families that a side refuses, and a count of how often the lists were
// asked for.

#include "platform/fonts.h"

#include <algorithm>
#include <string>
#include <vector>

namespace platform {

class RecordingFonts : public FontSource {
public:
    RecordingFonts() = default;
    RecordingFonts(std::vector<std::string> screenFonts, std::vector<std::string> printerFonts)
        : screen(std::move(screenFonts)), printer(std::move(printerFonts)) {}

    std::vector<std::string> ScreenFonts() override {
        ++screenListings;
        return screen;
    }
    std::vector<std::string> PrinterFonts() override {
        ++printerListings;
        return printer;
    }
    bool ScreenCanUse(const Font& font) override { return !Contains(screenRefuses, font.name); }
    bool PrinterCanUse(const Font& font) override { return !Contains(printerRefuses, font.name); }

    std::vector<std::string> screen;
    std::vector<std::string> printer;
    // Families the screen or the printer would draw in a stand-in.
    std::vector<std::string> screenRefuses;
    std::vector<std::string> printerRefuses;
    int screenListings = 0;
    int printerListings = 0;

private:
    static bool Contains(const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    }
};

} // namespace platform
