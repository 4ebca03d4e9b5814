#include "output/export_file.h"

#include "output/print.h"

namespace output {

bool ExportCrossword(document::Crossword& doc, document::ExportFormat format, const std::string& fileName,
                     WindowArea area, platform::Messages& messages) {
    if (format != document::ExportFormat::Pdf) return document::ExportCrossword(doc, format, fileName, messages);
    if (!doc.HasCrossword()) {
        messages.Tell(document::NoCrosswordMessage);
        return false;
    }
    return WritePagePdf(fileName, doc, area, messages);
}

} // namespace output
