#include "platform/qt/encoding.h"

#include "document/text.h"

#include <QFile>

namespace platform {

// The conversion goes through the core's own table, so it does not depend on
// which codecs the Qt build carries.
QString FromBytes(const std::string& bytes) {
    return QString::fromStdString(document::Cp1252ToUtf8(bytes));
}

std::string ToBytes(const QString& text) { return document::Utf8ToCp1252(text.toStdString()); }

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

} // namespace platform
