#include "output/print.h"

#include "document/crossword_file.h"
#include "document/file_io.h"
#include "output/printer_surface.h"
#include "platform/qt/encoding.h"

#include <QBuffer>
#include <QDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace output {

QPageLayout A4Page() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                       QPageLayout::Millimeter);
}

Paper PaperOf(const QPagedPaintDevice& device) {
    const QRectF area = device.pageLayout().paintRect(QPageLayout::Millimeter);
    return {area.width(), area.height()};
}

bool PrintPage(QPagedPaintDevice& device, document::Crossword& doc, WindowArea area, const std::string& date,
               platform::Messages& messages, Edition edition) {
    QPainter painter;
    if (!painter.begin(&device)) {
        messages.Tell(PrintErrorMessage);
        return false;
    }
    PageLayout layout = PrintLayout(doc, area, PaperOf(device));
    layout.edition = edition;
    PrinterSurface surface(painter, device, layout.width, layout.bottom);
    const bool drawn = DrawPage(doc, surface, layout, date, [&surface] { return surface.NewPage(); });
    if (!drawn) {
        if (auto* printer = dynamic_cast<QPrinter*>(&device)) printer->abort();
        painter.end();
        messages.Tell(PrintErrorMessage);
        return false;
    }
    if (!painter.end()) {
        messages.Tell(PrintErrorMessage);
        return false;
    }
    return true;
}

bool WritePagePdf(const std::string& fileName, document::Crossword& doc, WindowArea area,
                  platform::Messages& messages, const std::string& date, const QPageLayout& page, int resolution,
                  Edition edition) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(page);
        writer.setResolution(resolution);
        writer.setCreator(QStringLiteral("Quadrivo 98"));
        writer.setTitle(platform::PathText(doc.CurrentFileName));
        if (!PrintPage(writer, doc, area, date, messages, edition)) return false;
    }
    return document::WriteAsked(fileName, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                messages);
}

bool PrintCrossword(QWidget* parent, document::Crossword& doc, WindowArea area, platform::Messages& messages,
                    const std::function<void(platform::Pointer)>& setPointer, Edition edition) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(A4Page());
    // Printing to a file proposes the crossword's own name.
    printer.setDocName(QFileInfo(platform::PathText(doc.CurrentFileName)).completeBaseName());
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return false;

    if (setPointer) setPointer(platform::Pointer::Hourglass);
    bool printed;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        printed = WritePagePdf(platform::PathBytes(printer.outputFileName()), doc, area, messages, TodayText(),
                               printer.pageLayout(), printer.resolution(), edition);
    else
        printed = PrintPage(printer, doc, area, TodayText(), messages, edition);
    if (setPointer) setPointer(platform::Pointer::Default);
    return printed;
}

} // namespace output
