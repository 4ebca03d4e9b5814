#include "platform/qt/qt_messages.h"

#include "platform/qt/encoding.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdlib>
#include <vector>

namespace platform {

Answer QtMessages::Show(const std::string& text, Buttons buttons, const std::string& title,
                        Icon icon) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(FromBytes(title));
    // Lines of a message may end in a bare carriage return.
    QString shown = FromBytes(text);
    shown.replace("\r\n", "\n").replace('\r', '\n');
    box.setText(shown);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    struct Choice {
        Answer answer;
        const char* caption;
        QMessageBox::ButtonRole role;
    };
    std::vector<Choice> choices;
    switch (buttons) {
    case Buttons::Ok: choices = {{Answer::Ok, "OK", QMessageBox::AcceptRole}}; break;
    case Buttons::OkCancel:
        choices = {{Answer::Ok, "OK", QMessageBox::AcceptRole},
                   {Answer::Cancel, "Annulla", QMessageBox::RejectRole}};
        break;
    case Buttons::YesNo:
        choices = {{Answer::Yes, "&S\xC3\xAC", QMessageBox::YesRole},
                   {Answer::No, "&No", QMessageBox::NoRole}};
        break;
    case Buttons::YesNoCancel:
        choices = {{Answer::Yes, "&S\xC3\xAC", QMessageBox::YesRole},
                   {Answer::No, "&No", QMessageBox::NoRole},
                   {Answer::Cancel, "Annulla", QMessageBox::RejectRole}};
        break;
    }
    std::vector<QPushButton*> pushButtons;
    for (const auto& c : choices) pushButtons.push_back(box.addButton(QString::fromUtf8(c.caption), c.role));
    box.setDefaultButton(pushButtons.front());
    box.setEscapeButton(pushButtons.back());
    box.exec();
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (box.clickedButton() == pushButtons[i]) return choices[i].answer;
    return choices.back().answer;
}

void QtMessages::EndProgram() { std::exit(0); }

} // namespace platform
