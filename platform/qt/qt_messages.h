#pragma once
// Messages as modal Qt message boxes with Italian buttons, and the frame
// that every modal window of the program shares.

#include "platform/messages.h"

class QWidget;

namespace platform {

class QtMessages : public Messages {
public:
    // The box belongs to the modal dialog in front, if any, else to the
    // active window; it is wide enough to show its whole title.
    Answer Show(const std::string& text, Buttons buttons, const std::string& title,
                Icon icon) override;
    // Ends the process at once, as a fatal condition requires.
    void EndProgram() override;
};

// Gives a dialog or message box a title bar with a close button only, no
// minimise or maximise button.
void UseDialogFrame(QWidget* window);

// Centres a window on the screen it is on (or the primary screen), moved and
// if need be shrunk so that it stays wholly inside the screen's free area.
void CentreOnScreen(QWidget* window);

} // namespace platform
