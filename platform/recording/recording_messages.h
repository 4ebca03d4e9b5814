#pragma once
// A Messages realisation for tests: it records every message and answers
// from a script, so a test can both check what the user was told and
// choose the answers.

#include "platform/messages.h"

#include <deque>
#include <string>
#include <vector>

namespace platform {

struct RecordedMessage {
    std::string text;
    Buttons buttons;
    std::string title;
    Icon icon;
    Answer answer;
};

class RecordingMessages : public Messages {
public:
    // Queues the answers for the next messages, in order. When the queue is
    // empty a message is answered with its first button (OK or Yes).
    void Script(std::initializer_list<Answer> answers);

    Answer Show(const std::string& text, Buttons buttons, const std::string& title,
                Icon icon) override;
    void EndProgram() override { ended = true; }

    // Texts of all messages shown so far, in order.
    std::vector<std::string> Texts() const;

    std::vector<RecordedMessage> shown;
    bool ended = false;

private:
    std::deque<Answer> script_;
};

} // namespace platform
