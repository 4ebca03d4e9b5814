#pragma once
// Launcher realised with QProcess and the desktop services.

#include "platform/launcher.h"

namespace platform {

class QtLauncher : public Launcher {
public:
    bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    bool OpenDocument(const std::string& fileOrLink) override;
};

} // namespace platform
