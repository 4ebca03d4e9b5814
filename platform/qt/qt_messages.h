#pragma once
// Messages as modal Qt message boxes with Italian buttons.

#include "platform/messages.h"

class QWidget;

namespace platform {

class QtMessages : public Messages {
public:
    Answer Show(const std::string& text, Buttons buttons, const std::string& title,
                Icon icon) override;
    // Ends the process at once, as a fatal condition requires.
    void EndProgram() override;
};

} // namespace platform
