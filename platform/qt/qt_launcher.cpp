#include "platform/qt/qt_launcher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform {

bool QtLauncher::StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    QStringList args;
    for (const auto& a : arguments) args << QString::fromStdString(a);
    return QProcess::startDetached(QString::fromStdString(program), args);
}

namespace {

// The desktop's default program for a local file, as xdg-mime reports it;
// "" when there is none (or xdg-mime is missing).
QString DefaultHandler(const QString& file) {
    auto query = [](const QStringList& args) {
        QProcess process;
        process.start("xdg-mime", args);
        if (!process.waitForFinished(3000)) {
            process.kill();
            process.waitForFinished(1000);
            return QString();
        }
        return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    };
    const QString type = query({"query", "filetype", file});
    return type.isEmpty() ? QString() : query({"query", "default", type});
}

// Opens a local file with xdg-open and watches it for a moment: the opener
// ends at once with an error when it finds no program for the file, while a
// viewer it found keeps it running or lets it end well.
bool OpenWithOpener(const QString& file) {
    auto* process = new QProcess(qApp);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start("xdg-open", {file});
    if (!process->waitForStarted(3000)) {
        process->deleteLater();
        return false;
    }
    if (!process->waitForFinished(1500)) return true;
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}

} // namespace

bool QtLauncher::OpenDocument(const std::string& fileOrLink) {
    const QString target = QString::fromStdString(fileOrLink);
    if (!QFileInfo::exists(target)) return QDesktopServices::openUrl(QUrl(target));
    const QString file = QFileInfo(target).absoluteFilePath();
    if (!DefaultHandler(file).isEmpty()) return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    return OpenWithOpener(file);
}

} // namespace platform
