#include "platform/qt/encoding.h"

#include "document/text.h"

#include <QFile>
#include <QStringDecoder>

namespace platform {

// The conversion goes through the core's own table, so it does not depend on
// which codecs the Qt build carries.
QString FromBytes(const std::string& bytes) {
    return QString::fromStdString(document::Cp1252ToUtf8(bytes));
}

std::string ToBytes(const QString& text) { return document::Utf8ToCp1252(text.toStdString()); }

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathText(const std::string& path) {
    // A name that is not valid in the file system's encoding (a Latin-1
    // byte on a UTF-8 system) is shown with the program's own code page
    // rather than with replacement marks.
    QStringDecoder decoder(QStringDecoder::System, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(path.data(), static_cast<qsizetype>(path.size())));
    return decoder.hasError() ? FromBytes(path) : text;
}

} // namespace platform
