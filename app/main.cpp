// quadrivo: the crossword editor.

#include "editor/form1.h"
#include "platform/qt/install_paths.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_messages.h"
#include "platform/qt/qt_settings.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>
#include <QScreen>
#include <QTimer>

#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("quadrivo");
    // Qt's own dialogs (printing) speak Italian too.
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian, QLocale::Italy), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtItalian);

    // The whole command line is one file name, kept as the file system's
    // bytes (a name need not be valid UTF-8). A relative name means the
    // folder the program was started from, before it moves to its own.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
    std::error_code ec;
    if (!commandLine.empty() && std::filesystem::path(commandLine).is_relative() &&
        std::filesystem::exists(commandLine, ec))
        commandLine = std::filesystem::absolute(commandLine, ec).string();

    platform::QtMessages messages;
    platform::QtLauncher launcher;
    const QString recovery =
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/recupero";
    platform::QtSettings settings(platform::QtSettings::UserFile(app.applicationName()));
    // Run from its build folder (data files beside it, a folder it can
    // write) the program keeps everything in its own folder; installed, it
    // reads its data from share/quadrivo and keeps the working file in the
    // user's data folder.
    const platform::ProgramFolders folders = platform::FindProgramFolders();
    editor::Form1 form({messages, launcher, &settings}, {folders.data, commandLine, recovery, folders.working});
    if (form.Ended()) return 0;
    // The whole screen, also where no window manager maximizes windows.
    form.setGeometry(form.screen()->availableGeometry());
    form.showMaximized();
    QTimer::singleShot(0, &form, &editor::Form1::Activate);
    return app.exec();
}
