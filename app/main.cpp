// quadrivo: the crossword editor.

#include "editor/form1.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_messages.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("quadrivo");

    // The whole command line is one file name. A relative name means the
    // folder the program was started from, before it moves to its own.
    QString commandLine = app.arguments().mid(1).join(' ');
    if (!commandLine.isEmpty() && QFileInfo(commandLine).isRelative() && QFileInfo::exists(commandLine))
        commandLine = QFileInfo(commandLine).absoluteFilePath();

    platform::QtMessages messages;
    platform::QtLauncher launcher;
    editor::Form1 form({messages, launcher}, {QCoreApplication::applicationDirPath(), commandLine});
    if (form.Ended()) return 0;
    // The whole screen, also where no window manager maximizes windows.
    form.setGeometry(form.screen()->availableGeometry());
    form.showMaximized();
    QTimer::singleShot(0, &form, &editor::Form1::Activate);
    return app.exec();
}
