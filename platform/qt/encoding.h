#pragma once
// The GUI edge of the byte world: the document and its files hold
// Windows-1252 bytes, Qt holds QString.

#include <QString>
#include <string>

namespace platform {

// Texts of the document and its files: Windows-1252.
QString FromBytes(const std::string& bytes);
std::string ToBytes(const QString& text);

// File names: the file system's own encoding (UTF-8 here), which is what the
// document keeps in CurrentFileName.
std::string PathBytes(const QString& path);
QString PathText(const std::string& path);

} // namespace platform
