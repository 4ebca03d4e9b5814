// The printed page on paper of every kind: a PDF writer for each sheet, the
// drawing watched through the recording surface, each text measured in the
// real font it was drawn in.

#include "program_fixture.h"

#include "document/crossword_file.h"
#include "document/word_map.h"
#include "output/page_layout.h"
#include "output/print.h"
#include "output/printer_surface.h"
#include "platform/recording/recording_surface.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QtTest>

#include <cmath>

using platform::DrawCall;

Q_DECLARE_METATYPE(output::Edition)

namespace {

// One drawing call and where it reaches, in page units.
struct Box {
    DrawCall call;
    double right, bottom;
};

struct Printed {
    output::PageLayout layout;
    double width = 0, height = 0;  // the printable area, in page units
    std::vector<std::vector<Box>> pages;
};

Printed Print(document::Crossword& doc, output::WindowArea area, const QPageLayout& paper,
              output::Edition edition = output::Edition::Filled) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(paper);
    writer.setResolution(1200);
    QPainter painter(&writer);
    Printed printed;
    printed.layout = output::PrintLayout(doc, area, output::PaperOf(writer));
    printed.layout.edition = edition;
    output::PrinterSurface surface(painter, writer, printed.layout.width, printed.layout.bottom);
    platform::RecordingSurface watched(&surface);
    printed.width = surface.ScaleWidth();
    printed.height = surface.ScaleHeight();
    std::vector<std::size_t> ends;
    output::DrawPage(doc, watched, printed.layout, "04-03-2026", [&] {
        ends.push_back(watched.calls.size());
        return surface.NewPage();
    });
    ends.push_back(watched.calls.size());
    std::size_t from = 0;
    for (std::size_t end : ends) {
        auto& page = printed.pages.emplace_back();
        for (; from < end; ++from) {
            const DrawCall& c = watched.calls[from];
            Box box{c, c.x2, c.y2};
            if (c.kind == DrawCall::Text) {
                surface.SetFont(c.font);
                box.right = c.x1 + surface.TextWidth(c.text);
                box.bottom = c.y1 + surface.TextHeight(c.text);
            }
            page.push_back(box);
        }
    }
    return printed;
}

// A model of tests/data with a W, the widest letter, in every white cell,
// and a clue of `clue` characters for every word.
document::Crossword Filled(const QString& model, std::size_t clue) {
    platform::RecordingMessages messages;
    document::Crossword doc;
    document::LoadCrosswordFile(doc, testgui::DataFile(model).toStdString(), messages);
    for (int r = 1; r <= doc.RowCount; ++r)
        for (std::size_t j = 0; j < doc.GridLine(r).size(); j += 2)
            if (doc.GridLine(r)[j] != '*') doc.GridLine(r)[j] = 'W';
    document::ComputeWordMap(doc);
    for (const auto& word : document::WordsInReadingOrder(doc))
        doc.Definitions(word.column, word.row, word.direction) = std::string(clue, 'x');
    return doc;
}

QPageLayout Sheet(QPageSize::PageSizeId size, QPageLayout::Orientation orientation, double margin) {
    return QPageLayout(QPageSize(size), orientation, QMarginsF(margin, margin, margin, margin),
                       QPageLayout::Millimeter);
}

} // namespace

class PrintedPageTest : public QObject {
    Q_OBJECT

private slots:
    void LettersAndNumbersKeepInsideTheirCells_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        // Drawing areas of a maximized window on screens of 800, 1280 and 1920 pixels.
        QTest::newRow("800, 15 x 11") << "griglie/settimanale_15x11.qdr" << 800.0 << 553.0;
        QTest::newRow("800, 25 x 15") << "griglie/grande_25x15.qdr" << 800.0 << 553.0;
        QTest::newRow("1280, 3 x 3") << "esempio.qdr" << 1280.0 << 900.0;
        QTest::newRow("1280, 15 x 11") << "griglie/settimanale_15x11.qdr" << 1280.0 << 900.0;
        QTest::newRow("1280, 25 x 15") << "griglie/grande_25x15.qdr" << 1280.0 << 900.0;
        QTest::newRow("1920, 9 x 7") << "griglie/piccolo_9x7.qdr" << 1920.0 << 950.0;
        QTest::newRow("1920, 19 x 13") << "griglie/rivista_19x13.qdr" << 1920.0 << 950.0;
        QTest::newRow("1920, 25 x 15") << "griglie/grande_25x15.qdr" << 1920.0 << 950.0;
    }
    void LettersAndNumbersKeepInsideTheirCells() {
        QFETCH(QString, model);
        QFETCH(double, width);
        QFETCH(double, height);
        document::Crossword doc = Filled(model, 10);
        const Printed printed = Print(doc, {width, height, 37, 22}, output::A4Page());
        const output::PageLayout& page = printed.layout;
        if (width == 800) QCOMPARE(page.unitScale, 1.0);  // the sizes as the layout names them
        const double cell = page.cell;
        int letters = 0, numbers = 0;
        for (const Box& box : printed.pages.front()) {
            const DrawCall& c = box.call;
            if (c.kind != DrawCall::Text || c.y1 > page.y0 + doc.RowCount * cell) continue;
            const bool letter = c.text == "W";
            QVERIFY2(letter || c.font.size == page.numberSize, c.text.c_str());
            const double left = page.x0 + std::floor(((c.x1 + box.right) / 2 - page.x0) / cell) * cell;
            const double top = page.y0 + std::floor(((c.y1 + box.bottom) / 2 - page.y0) / cell) * cell;
            // A letter in its cell; a number in its cell's upper half, from its left edge.
            const double bottom = letter ? top + cell : top + cell / 2;
            QVERIFY2(c.x1 >= left && box.right <= left + cell && c.y1 >= top && box.bottom <= bottom &&
                         (letter || c.x1 - left <= 2),
                     qPrintable(QStringLiteral("%1 at %2, %3 reaches %4, %5 in the cell at %6, %7 of %8")
                                    .arg(c.text.c_str()).arg(c.x1).arg(c.y1).arg(box.right).arg(box.bottom)
                                    .arg(left).arg(top).arg(cell)));
            ++(letter ? letters : numbers);
        }
        QVERIFY(letters > 0 && numbers > 0);
    }

    void EverythingLiesInsideThePrintableArea_data() {
        QTest::addColumn<QPageLayout>("paper");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<output::Edition>("edition");
        const QPageLayout a4across = Sheet(QPageSize::A4, QPageLayout::Landscape, 5);
        const QPageLayout letter = Sheet(QPageSize::Letter, QPageLayout::Portrait, 6.35);
        const QPageLayout letterAcross = Sheet(QPageSize::Letter, QPageLayout::Landscape, 6.35);
        const QPageLayout a5 = Sheet(QPageSize::A5, QPageLayout::Portrait, 4);
        using output::Edition;
        QTest::newRow("A4 landscape, 800") << a4across << 800.0 << 553.0 << Edition::Filled;
        QTest::newRow("A4 landscape, 1920") << a4across << 1920.0 << 950.0 << Edition::Filled;
        QTest::newRow("A4 landscape, solvers") << a4across << 1280.0 << 900.0 << Edition::ForSolvers;
        QTest::newRow("Letter, 800") << letter << 800.0 << 553.0 << Edition::Filled;
        QTest::newRow("Letter, tall window") << letter << 800.0 << 1000.0 << Edition::Filled;
        QTest::newRow("Letter, solvers") << letter << 1920.0 << 950.0 << Edition::ForSolvers;
        QTest::newRow("Letter landscape, 1280") << letterAcross << 1280.0 << 900.0 << Edition::Filled;
        QTest::newRow("A5, 1920") << a5 << 1920.0 << 950.0 << Edition::Filled;
    }
    void EverythingLiesInsideThePrintableArea() {
        QFETCH(QPageLayout, paper);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(output::Edition, edition);
        document::Crossword doc = Filled("griglie/grande_25x15.qdr", 80);
        const Printed printed = Print(doc, {width, height, 37, 22}, paper, edition);
        QVERIFY(printed.pages.size() >= 2);
        for (std::size_t p = 0; p < printed.pages.size(); ++p)
            for (const Box& box : printed.pages[p]) {
                const DrawCall& c = box.call;
                QVERIFY2(c.x1 >= 0 && c.y1 >= 0 && box.right <= printed.width && box.bottom <= printed.height,
                         qPrintable(QStringLiteral("page %1: '%2' from %3, %4 to %5, %6 on %7 x %8")
                                        .arg(p + 1).arg(c.text.c_str()).arg(c.x1).arg(c.y1).arg(box.right)
                                        .arg(box.bottom).arg(printed.width).arg(printed.height)));
            }
        const DrawCall& last = printed.pages.back().back().call;
        if (edition == output::Edition::Filled) QCOMPARE(last.text, output::CreditLine);
        else QCOMPARE(printed.pages.back().front().call.text, output::SolutionTitle);
    }
};

QTEST_MAIN(PrintedPageTest)
#include "printed_page_test.moc"
