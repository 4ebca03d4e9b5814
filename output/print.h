#pragma once
// Printing the page of PrintLayout: on the printer chosen in the system's
// print dialog, or into a PDF file. Nothing in the document changes but
// CellLetters, which get the values a redraw would give.

#include "document/crossword.h"
#include "output/page_layout.h"
#include "platform/messages.h"
#include "platform/pointer.h"

#include <QPageLayout>

#include <functional>
#include <string>

class QPagedPaintDevice;
class QWidget;

namespace output {

// Shown when the printer cannot take the page (Windows-1252).
inline const std::string PrintErrorMessage =
    "Errore della stampante: la pagina non \xE8 stata stampata.";

// An A4 sheet, portrait, with the unprintable edge of a common printer.
QPageLayout A4Page();

// The printable area of the device's paper, as the page is laid out on it.
Paper PaperOf(const QPagedPaintDevice& device);

// Draws the page on a printer or PDF writer, laid out for its paper, going
// on to further pages when the lists (or the solution) need them. A device
// that cannot be painted or refuses a page shows PrintErrorMessage and
// returns false; the page is then abandoned.
bool PrintPage(QPagedPaintDevice& device, document::Crossword& doc, WindowArea area,
               const std::string& date, platform::Messages& messages, Edition edition = Edition::Filled);

// The page as a PDF file, written whole through document::ReplaceFile
// (a failure shows "Errore di scrittura del file!" and leaves an older file
// as it was). `fileName` is in the file system's encoding.
bool WritePagePdf(const std::string& fileName, document::Crossword& doc, WindowArea area,
                  platform::Messages& messages, const std::string& date = TodayText(),
                  const QPageLayout& page = A4Page(), int resolution = 1200,
                  Edition edition = Edition::Filled);

// The print command: the system's print dialog (its cancel prints nothing
// and calls nothing), then the hourglass through `setPointer` while the
// page is drawn, then the default pointer. The page is laid out for the
// paper and orientation chosen in the dialog. Printing to a file from the
// dialog writes the PDF through WritePagePdf. True when a page was printed.
bool PrintCrossword(QWidget* parent, document::Crossword& doc, WindowArea area, platform::Messages& messages,
                    const std::function<void(platform::Pointer)>& setPointer = {},
                    Edition edition = Edition::Filled);

} // namespace output
