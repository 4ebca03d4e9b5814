#pragma once
// "Salva schema su immagine BMP ...": the main window's drawing saved as a
// Windows bitmap under a name the user types.

#include "platform/messages.h"

#include <QString>

#include <string>

class QImage;
class QWidget;

namespace output {

inline const std::string DefaultPictureName = "NONOME.BMP";
// Shown when the picture cannot be written (Windows-1252).
inline const std::string PictureWriteErrorMessage =
    "Si \xE8 verificato un errore di scrittura/accesso al file o drive!";

// Asks for the name in the input box "Salvataggio picture .BMP" (proposing
// `lastName`, "NONOME.BMP" the first time), asks "Picture esistente" before
// replacing a file, and writes `drawing` as an uncompressed BMP through
// document::ReplaceFile, the name used as typed (relative to the current
// folder, no extension added). Cancel or an empty answer writes nothing
// and keeps `lastName`; otherwise `lastName` becomes the name, also when
// the write failed (which shows PictureWriteErrorMessage). `programFolder`
// ends the prompt. True when the file was written.
bool ExportPicture(QWidget* parent, const QImage& drawing, QString& lastName, const QString& programFolder,
                   platform::Messages& messages);

// The bytes of `drawing` as a Windows bitmap file (24 bits, uncompressed).
QByteArray BitmapBytes(const QImage& drawing);

} // namespace output
