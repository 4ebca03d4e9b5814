#pragma once
// Settings kept in an INI file in the layout of Qt's QSettings: sections in
// brackets, one "key=value" line per setting, keys escaped as QSettings
// escapes them (so QSettings reads the file, and this class reads what
// QSettings wrote). The file is written through document::ReplaceFile, and
// only the line of the setting changes; everything else stays as it was.

#include "platform/settings.h"

#include <QString>

namespace platform {

class QtSettings : public Settings {
public:
    // Settings kept in the file `fileName`; the file and its folder are made
    // when the first setting is stored.
    explicit QtSettings(QString fileName);

    // The user's settings file of the program called `applicationName`, as
    // QSettings names it: "<applicationName>.ini" in the user's
    // configuration folder.
    static QString UserFile(const QString& applicationName);

    std::string Get(const std::string& section, const std::string& key,
                    const std::string& fallback) const override;
    bool Set(const std::string& section, const std::string& key, const std::string& value) override;

    const QString& FileName() const { return fileName_; }

private:
    QString fileName_;
};

} // namespace platform
