#pragma once
// The narrow interface through which the core talks to the user: modal
// message boxes and the end of the program. The program realises it with
// Qt; tests and the command-line tool use their own realisations.

#include <string>

namespace platform {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Exclamation, Critical };
enum class Answer { Ok, Cancel, Yes, No };

// The application title every message box carries unless told otherwise.
inline const std::string ApplicationTitle = "Quadrivo 98";

class Messages {
public:
    virtual ~Messages() = default;

    // Shows a modal message and returns the button the user chose. Texts are
    // Windows-1252 bytes, as the files and the document hold them.
    virtual Answer Show(const std::string& text, Buttons buttons, const std::string& title,
                        Icon icon) = 0;

    // Ends the program after a fatal condition. The window realisation does
    // not return; realisations that do return (tests, the command-line tool)
    // leave the caller to stop what it was doing.
    virtual void EndProgram() = 0;

    // The common case: an OK box with the application title and no icon.
    Answer Tell(const std::string& text) {
        return Show(text, Buttons::Ok, ApplicationTitle, Icon::None);
    }
};

// Messages no one reads: every one answered with OK, nothing ended. For
// work done out of sight (a round trip in memory, a file only looked at).
class SilentMessages : public Messages {
public:
    Answer Show(const std::string&, Buttons, const std::string&, Icon) override { return Answer::Ok; }
    void EndProgram() override {}
};

} // namespace platform
