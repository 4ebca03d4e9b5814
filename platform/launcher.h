#pragma once
// Starting other programs and opening documents and links with the
// desktop's own viewer, browser or mail program.

#include <string>
#include <vector>

namespace platform {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts a program on its own; false when it could not be started.
    virtual bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) = 0;
    // Opens a local file or a link (https:, mailto:) with the desktop's
    // handler; false when none could be started.
    virtual bool OpenDocument(const std::string& fileOrLink) = 0;
};

} // namespace platform
