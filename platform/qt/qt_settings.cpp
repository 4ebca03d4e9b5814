#include "platform/qt/qt_settings.h"

#include "document/file_io.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <optional>

namespace platform {

namespace {

// Settings files are a few lines; anything larger is not one of ours.
constexpr std::size_t MaxSettingsFileSize = 1 << 20;

// A section or key name as QSettings writes it: letters, digits, "_", "-"
// and "." stay, "/" becomes "\", everything else becomes %XX or %UXXXX.
QString EscapedName(const QString& name) {
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    for (const QChar ch : name) {
        const char16_t u = ch.unicode();
        if (u == '/') {
            out += '\\';
        } else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
                   u == '-' || u == '.') {
            out += ch;
        } else if (u <= 0xFF) {
            out += '%';
            out += QChar(hex[u >> 4]);
            out += QChar(hex[u & 0xF]);
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) out += QChar(hex[(u >> shift) & 0xF]);
        }
    }
    return out;
}

int HexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

// The name an escaped section or key stands for; a malformed escape is
// taken literally.
QString UnescapedName(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == '\\') {
            out += '/';
            continue;
        }
        if (ch == '%') {
            const bool wide = i + 1 < text.size() && text[i + 1] == 'U';
            const qsizetype digits = wide ? 4 : 2;
            const qsizetype first = i + 1 + (wide ? 1 : 0);
            if (first + digits <= text.size()) {
                int value = 0;
                bool ok = true;
                for (qsizetype d = 0; d < digits; ++d) {
                    const int h = HexValue(text[first + d]);
                    ok = ok && h >= 0;
                    value = value * 16 + h;
                }
                if (ok) {
                    out += QChar(char16_t(value));
                    i = first + digits - 1;
                    continue;
                }
            }
        }
        out += ch;
    }
    return out;
}

// A value as it stands after "=": quoted values lose their quotes and
// escapes, plain values their surrounding blanks.
QString UnescapedValue(const QString& raw) {
    const QString text = raw.trimmed();
    if (!text.startsWith('"')) return text;
    QString out;
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == '"') break;
        if (ch == '\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            switch (next.unicode()) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            default: out += next; break;
            }
            continue;
        }
        out += ch;
    }
    return out;
}

// A value as QSettings would read it back: plain when nothing in it could
// be mistaken for syntax, otherwise quoted with backslash escapes.
QString EscapedValue(const QString& value) {
    bool plain = !value.isEmpty() && value.trimmed() == value && !value.startsWith('@');
    for (const QChar ch : value)
        if (ch.unicode() < 0x20 || ch == ';' || ch == ',' || ch == '=' || ch == '"' || ch == '\\') plain = false;
    if (plain) return value;
    QString out = "\"";
    for (const QChar ch : value) {
        switch (ch.unicode()) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += ch; break;
        }
    }
    return out + '"';
}

// The file's lines, without their endings; no lines when it cannot be read.
QStringList ReadLines(const QString& fileName) {
    std::string bytes;
    if (!document::ReadWholeFile(QFile::encodeName(fileName).toStdString(), bytes, MaxSettingsFileSize)) return {};
    QString text = QString::fromUtf8(bytes);
    text.replace("\r\n", "\n");
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

std::optional<QString> SectionOf(const QString& line) {
    const QString t = line.trimmed();
    if (t.size() >= 2 && t.startsWith('[') && t.endsWith(']')) return UnescapedName(t.mid(1, t.size() - 2));
    return std::nullopt;
}

bool IsComment(const QString& line) {
    const QString t = line.trimmed();
    return t.isEmpty() || t.startsWith(';') || t.startsWith('#');
}

// Where a setting is: the line of the key in the section, and the last
// line that belongs to the section (-1 when the section is missing).
struct Place {
    qsizetype keyLine = -1;
    qsizetype sectionEnd = -1;
};

Place Find(const QStringList& lines, const QString& section, const QString& key) {
    Place place;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionOf(lines[i])) {
            inSection = *name == section;
            if (inSection) place.sectionEnd = i;
            continue;
        }
        if (!inSection) continue;
        if (IsComment(lines[i])) continue;
        place.sectionEnd = i;
        const qsizetype equals = lines[i].indexOf('=');
        if (equals > 0 && UnescapedName(lines[i].left(equals).trimmed()) == key) place.keyLine = i;
    }
    return place;
}

} // namespace

QtSettings::QtSettings(QString fileName) : fileName_(std::move(fileName)) {}

QString QtSettings::UserFile(const QString& applicationName) {
    // The name QSettings gives it, worked out without opening the file: a
    // pipe or a huge file in its place must not hold up the start-up.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' + applicationName + ".ini";
}

std::string QtSettings::Get(const std::string& section, const std::string& key, const std::string& fallback) const {
    const QStringList lines = ReadLines(fileName_);
    const Place place = Find(lines, QString::fromStdString(section), QString::fromStdString(key));
    if (place.keyLine < 0) return fallback;
    const QString& line = lines[place.keyLine];
    return UnescapedValue(line.mid(line.indexOf('=') + 1)).toStdString();
}

bool QtSettings::Set(const std::string& section, const std::string& key, const std::string& value) {
    QStringList lines = ReadLines(fileName_);
    const QString sectionName = QString::fromStdString(section);
    const QString keyName = QString::fromStdString(key);
    const QString entry = EscapedName(keyName) + '=' + EscapedValue(QString::fromStdString(value));
    const Place place = Find(lines, sectionName, keyName);
    if (place.keyLine >= 0) {
        lines[place.keyLine] = entry;
    } else if (place.sectionEnd >= 0) {
        lines.insert(place.sectionEnd + 1, entry);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines << QString();
        lines << '[' + EscapedName(sectionName) + ']' << entry;
    }
    const QString folder = QFileInfo(fileName_).absolutePath();
    if (!QDir().mkpath(folder)) return false;
    const QByteArray bytes = (lines.join('\n') + '\n').toUtf8();
    return document::ReplaceFile(QFile::encodeName(fileName_).toStdString(),
                                 std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                 {document::WriteTarget::Own});
}

} // namespace platform
