#include "platform/qt/qt_settings.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace platform {

namespace {

// Settings files are a few lines; anything larger is not one of ours.
constexpr qint64 MaxSettingsFileSize = 1 << 20;

// True when the file is missing or an ordinary file of ours: a pipe in its
// place would hold up the start, a link may lead anywhere.
bool UsableFile(const QString& fileName) {
    const QFileInfo info(fileName);
    if (info.isSymLink()) return false;
    if (!info.exists()) return true;
    return info.isFile() && info.size() <= MaxSettingsFileSize;
}

// The key QSettings keeps a setting under.
QString KeyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}

} // namespace

QtSettings::QtSettings(QString fileName) : fileName_(std::move(fileName)) {}

QtSettings::~QtSettings() = default;

QString QtSettings::UserFile(const QString& applicationName) {
    // The name QSettings gives it, worked out without opening the file: a
    // pipe or a huge file in its place must not hold up the start-up.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' + applicationName + ".ini";
}

QSettings* QtSettings::Store() const {
    if (!UsableFile(fileName_)) return nullptr;
    if (!store_) store_ = std::make_unique<QSettings>(fileName_, QSettings::IniFormat);
    return store_.get();
}

std::string QtSettings::Get(const std::string& section, const std::string& key, const std::string& fallback) const {
    QSettings* store = Store();
    if (!store) return fallback;
    store->sync(); // another running copy may have changed it
    const QVariant value = store->value(KeyOf(section, key));
    if (!value.isValid()) return fallback;
    // An unquoted value with commas reads back as a list.
    if (value.userType() == QMetaType::QStringList) return value.toStringList().join(", ").toStdString();
    return value.toString().toStdString();
}

bool QtSettings::Set(const std::string& section, const std::string& key, const std::string& value) {
    QSettings* store = Store();
    if (!store) return false;
    // A file the user write-protected stays as it is (QSettings alone would
    // replace it when the program runs as root).
    const QFileInfo info(fileName_);
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner)) return false;
    store->setValue(KeyOf(section, key), QString::fromStdString(value));
    store->sync();
    return store->status() == QSettings::NoError;
}

} // namespace platform
