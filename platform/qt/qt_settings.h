#pragma once
// Settings kept by QSettings in an INI file: sections in brackets, one
// "key=value" line per setting. The file is read only when it is an
// ordinary file of a sensible size, and never written through a link, over
// something that is not a file, or over a file the user protected.

#include "platform/settings.h"

#include <QString>

#include <memory>

class QSettings;

namespace platform {

class QtSettings : public Settings {
public:
    // Settings kept in the file `fileName`; the file and its folder are made
    // when the first setting is stored.
    explicit QtSettings(QString fileName);
    ~QtSettings() override;

    // The user's settings file of the program called `applicationName`, as
    // QSettings names it: "<applicationName>.ini" in the user's
    // configuration folder.
    static QString UserFile(const QString& applicationName);

    std::string Get(const std::string& section, const std::string& key,
                    const std::string& fallback) const override;
    bool Set(const std::string& section, const std::string& key, const std::string& value) override;

    const QString& FileName() const { return fileName_; }

private:
    // The settings, or null when the file is no place to keep them.
    QSettings* Store() const;

    QString fileName_;
    mutable std::unique_ptr<QSettings> store_;
};

} // namespace platform
