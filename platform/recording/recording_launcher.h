#pragma once
// A Launcher for tests: records what would have been started and answers
// with a scripted success.

#include "platform/launcher.h"

#include <string>
#include <vector>

namespace platform {

class RecordingLauncher : public Launcher {
public:
    bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override {
        std::string line = program;
        for (const auto& a : arguments) line += " " + a;
        started.push_back(line);
        return succeed;
    }
    bool OpenDocument(const std::string& fileOrLink) override {
        opened.push_back(fileOrLink);
        return succeed;
    }

    std::vector<std::string> started;
    std::vector<std::string> opened;
    bool succeed = true;
};

} // namespace platform
