#include "platform/qt/qt_messages.h"

#include "platform/qt/encoding.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {

// Room for the title bar's buttons and margins beside the title itself;
// window managers draw titles in a larger or bolder font than the dialog's.
constexpr int TitleBarExtra = 140;
constexpr double TitleFontAllowance = 1.4;

void MakeRoomForTitle(QMessageBox& box, const QString& title) {
    const int width = static_cast<int>(QFontMetrics(box.font()).horizontalAdvance(title) * TitleFontAllowance) +
                      TitleBarExtra;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0,
                      1, grid->columnCount());
}

} // namespace

void UseDialogFrame(QWidget* window) {
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint);
}

void CentreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect free = screen->availableGeometry();
    // The window manager's frame is not known before the window is mapped.
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    QSize size = window->size().boundedTo(free.size() - frame);
    size = size.expandedTo(window->minimumSize().boundedTo(size));
    if (size != window->size()) window->resize(size);
    const QSize outer = size + frame;
    QPoint topLeft(free.x() + (free.width() - outer.width()) / 2, free.y() + (free.height() - outer.height()) / 2);
    topLeft.setX(std::max(topLeft.x(), free.x()));
    topLeft.setY(std::max(topLeft.y(), free.y()));
    window->move(topLeft);
}

Answer QtMessages::Show(const std::string& text, Buttons buttons, const std::string& title,
                        Icon icon) {
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) owner = QApplication::activeWindow();
    QMessageBox box(owner);
    UseDialogFrame(&box);
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
    // Last, as the box lays itself out anew when its parts change.
    MakeRoomForTitle(box, box.windowTitle());
    box.exec();
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (box.clickedButton() == pushButtons[i]) return choices[i].answer;
    return choices.back().answer;
}

void QtMessages::EndProgram() { std::exit(0); }

} // namespace platform
