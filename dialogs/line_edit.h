#pragma once
// A text box that selects its whole text when it receives the focus, as
// every entry of the program's dialogs does.

#include <QLineEdit>
#include <QTimer>

namespace dialogs {

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

} // namespace dialogs
