#pragma once
// A text box that selects its whole text when it receives the focus, as
// every entry of the program's dialogs does.

#include <QLineEdit>
#include <QTimer>

namespace platform {

class SelectingLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        // After the mouse press that may have brought the focus.
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
    }
};

// Turns the letters "a" to "z" just typed into a text box into capitals,
// keeping the cursor where it was; other characters stay as typed.
inline void CapitalizeTyping(QLineEdit* edit, const QString& text) {
    QString upper = text;
    for (QChar& ch : upper)
        if (ch >= 'a' && ch <= 'z') ch = ch.toUpper();
    if (upper == text) return;
    const int cursor = edit->cursorPosition();
    edit->setText(upper);
    edit->setCursorPosition(cursor);
}

} // namespace platform
