#include "output/export_file.h"

#include "output/print.h"

namespace output {

bool ExportCrossword(document::Crossword& doc, document::ExportFormat format, const std::string& fileName,
                     WindowArea area, platform::Messages& messages) {
    using document::ExportFormat;
    if (format != ExportFormat::Pdf && format != ExportFormat::PdfSolvers)
        return document::ExportCrossword(doc, format, fileName, messages);
    if (!doc.HasCrossword()) {
        messages.Tell(document::NoCrosswordMessage);
        return false;
    }
    return WritePagePdf(fileName, doc, area, messages, TodayText(), A4Page(), 1200,
                        format == ExportFormat::PdfSolvers ? Edition::ForSolvers : Edition::Filled);
}

} // namespace output
