#include "platform/qt/qt_launcher.h"

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

bool QtLauncher::OpenDocument(const std::string& fileOrLink) {
    const QString target = QString::fromStdString(fileOrLink);
    const QUrl url = QFileInfo::exists(target) ? QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath())
                                               : QUrl(target);
    return QDesktopServices::openUrl(url);
}

} // namespace platform
