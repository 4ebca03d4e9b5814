#pragma once
// The GUI edge of the byte world: the document and its files hold
// Windows-1252 bytes, Qt holds QString.

#include <QString>
#include <string>

namespace platform {

QString FromBytes(const std::string& bytes);
std::string ToBytes(const QString& text);

} // namespace platform
