#include "platform/recording/recording_messages.h"

namespace platform {

void RecordingMessages::Script(std::initializer_list<Answer> answers) {
    script_.insert(script_.end(), answers.begin(), answers.end());
}

Answer RecordingMessages::Show(const std::string& text, Buttons buttons, const std::string& title,
                               Icon icon) {
    Answer answer = (buttons == Buttons::Ok || buttons == Buttons::OkCancel) ? Answer::Ok
                                                                             : Answer::Yes;
    if (!script_.empty()) {
        answer = script_.front();
        script_.pop_front();
    }
    shown.push_back({text, buttons, title, icon, answer});
    return answer;
}

std::vector<std::string> RecordingMessages::Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : shown) texts.push_back(m.text);
    return texts;
}

} // namespace platform
