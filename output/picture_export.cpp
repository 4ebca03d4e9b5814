#include "output/picture_export.h"

#include "document/crossword_file.h"
#include "document/file_io.h"
#include "platform/qt/encoding.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QInputDialog>
#include <QLabel>

#include <filesystem>

namespace output {

namespace {

enum class Existence { Missing, Exists, Unknown };

// Whether a file of that name is there (a folder is not a file); Unknown
// when the name cannot even be looked up (a malformed name, a folder that
// is not one).
Existence Lookup(const std::string& name) {
    std::error_code ec;
    const auto status = std::filesystem::status(name, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) return Existence::Unknown;
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status) ? Existence::Exists
                                                                                     : Existence::Missing;
}

// The input box: the typed text, or "" for Cancel.
QString AskName(QWidget* parent, const QString& programFolder, const QString& proposed) {
    QInputDialog box(parent);
    box.setObjectName(QStringLiteral("InputBox"));
    box.setWindowTitle(QStringLiteral("Salvataggio picture .BMP"));
    box.setLabelText(QString::fromUtf8("Con questa operazione \xC3\xA8 possibile creare una immagine in formato BMP "
                                       "(per importarla eventualmente con Paint Brush o altro).  Nome della picture "
                                       "da salvare nella directory ") +
                     QDir::toNativeSeparators(programFolder));
    box.setTextValue(proposed);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Annulla"));
    if (auto* label = box.findChild<QLabel*>()) label->setWordWrap(true);
    box.setMinimumWidth(560);  // the prompt is long: a few lines, not a narrow column
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

} // namespace

QByteArray BitmapBytes(const QImage& drawing) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!drawing.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP")) return {};
    return bytes;
}

bool ExportPicture(QWidget* parent, const QImage& drawing, QString& lastName, const QString& programFolder,
                   platform::Messages& messages) {
    if (lastName.isEmpty()) lastName = QString::fromStdString(DefaultPictureName);
    const QString name = AskName(parent, programFolder, lastName);
    if (name.isEmpty()) return false;

    // A bare name goes into the folder the box names, whatever the current
    // folder is.
    const std::string path = platform::PathBytes(QDir(programFolder).filePath(name));
    const Existence existence = Lookup(path);
    if (existence == Existence::Exists) {
        const std::string question =
            platform::ToBytes(QStringLiteral("Il file: ") + name + QString::fromUtf8(" esiste gi\xC3\xA0, si vuole sovrascrivere?"));
        if (messages.Show(question, platform::Buttons::OkCancel, "Picture esistente", platform::Icon::None) !=
            platform::Answer::Ok)
            return false;
    }

    bool written = false;
    if (existence != Existence::Unknown) {
        const QByteArray bytes = BitmapBytes(drawing);
        // A protected file is replaced only when the user says so; any other
        // refusal gets the picture's own write error below.
        document::WriteOptions options;
        if (document::CheckTarget(path, document::WriteTarget::Chosen) == document::WriteOutcome::ReadOnly &&
            !document::MayWrite(path, messages, document::WriteTarget::Chosen, options))
            return false;
        written = !bytes.isEmpty() &&
                  document::ReplaceFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                        options);
    }
    if (!written) messages.Tell(PictureWriteErrorMessage);
    lastName = name;
    return written;
}

} // namespace output
