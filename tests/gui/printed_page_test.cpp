// The printed page on paper of every kind: a PDF writer for each sheet, the
// drawing watched through the recording surface, texts measured in the real
// font they were drawn in.

#include "program_fixture.h"

#include "document/crossword_file.h"
#include "document/word_map.h"
#include "output/print.h"
#include "output/printer_surface.h"
#include "platform/recording/recording_surface.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QtTest>

using platform::DrawCall;
Q_DECLARE_METATYPE(output::Edition)

class PrintedPageTest : public QObject {
    Q_OBJECT

private slots:
    void EverythingInsideThePaperLettersInCellsNumbersInCorners_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QPageLayout>("paper");
        QTest::addColumn<double>("width");  // of the window's drawing area, 37 + 22 of it bars
        QTest::addColumn<double>("height");
        QTest::addColumn<output::Edition>("edition");
        const auto sheet = [](QPageSize::PageSizeId id, QPageLayout::Orientation o, double margin) {
            return QPageLayout(QPageSize(id), o, QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
        };
        const QPageLayout a4 = output::A4Page(), across = sheet(QPageSize::A4, QPageLayout::Landscape, 5),
                          letter = sheet(QPageSize::Letter, QPageLayout::Portrait, 6.35);
        using output::Edition;
        QTest::newRow("A4 800 15x11") << "settimanale_15x11" << a4 << 800.0 << 553.0 << Edition::Filled;
        QTest::newRow("A4 1280 15x11") << "settimanale_15x11" << a4 << 1280.0 << 900.0 << Edition::Filled;
        QTest::newRow("A4 1920 25x15") << "grande_25x15" << a4 << 1920.0 << 950.0 << Edition::Filled;
        QTest::newRow("landscape 800") << "grande_25x15" << across << 800.0 << 553.0 << Edition::Filled;
        QTest::newRow("landscape 1920") << "rivista_19x13" << across << 1920.0 << 950.0 << Edition::ForSolvers;
        QTest::newRow("Letter 800 tall") << "grande_25x15" << letter << 800.0 << 1000.0 << Edition::Filled;
        QTest::newRow("Letter 1280") << "grande_25x15" << letter << 1280.0 << 900.0 << Edition::ForSolvers;
    }
    void EverythingInsideThePaperLettersInCellsNumbersInCorners() {
        QFETCH(QString, model);
        QFETCH(QPageLayout, paper);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(output::Edition, edition);
        // A W, the widest letter, in every white cell; long clues, for more pages.
        platform::RecordingMessages messages;
        document::Crossword doc;
        document::LoadCrosswordFile(doc, testgui::DataFile("griglie/" + model + ".qdr").toStdString(), messages);
        for (int r = 1; r <= doc.RowCount; ++r)
            for (std::size_t j = 0; j < doc.GridLine(r).size(); j += 2)
                if (doc.GridLine(r)[j] != '*') doc.GridLine(r)[j] = 'W';
        document::ComputeWordMap(doc);
        for (const auto& word : document::WordsInReadingOrder(doc))
            doc.Definitions(word.column, word.row, word.direction) = std::string(80, 'x');

        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(paper);
        writer.setResolution(1200);
        QPainter painter(&writer);
        output::PageLayout page = output::PrintLayout(doc, {width, height, 37, 22}, output::PaperOf(writer));
        page.edition = edition;
        if (width == 800 && paper.isEquivalentTo(output::A4Page())) QCOMPARE(page.unitScale, 1.0);
        output::PrinterSurface surface(painter, writer, page.width, page.bottom);
        platform::RecordingSurface watched(&surface);
        int pages = 1, letters = 0, numbers = 0;
        QVERIFY(output::DrawPage(doc, watched, page, "04-03-2026", [&] { return ++pages, surface.NewPage(); }));
        QVERIFY(pages >= 2);
        if (edition == output::Edition::Filled) QCOMPARE(watched.calls.back().text, output::CreditLine);
        const double cell = page.cell, gridBottom = page.y0 + doc.RowCount * cell;
        for (const DrawCall& c : watched.calls) {
            surface.SetFont(c.font);
            const double right = c.kind == DrawCall::Text ? c.x1 + surface.TextWidth(c.text) : c.x2;
            const double bottom = c.kind == DrawCall::Text ? c.y1 + surface.TextHeight(c.text) : c.y2;
            QVERIFY2(c.x1 >= 0 && c.y1 >= 0 && right <= surface.ScaleWidth() && bottom <= surface.ScaleHeight(),
                     c.text.c_str());
            if (c.kind != DrawCall::Text || (c.font.size != page.letterSize && c.font.size != page.numberSize) ||
                c.y1 > gridBottom)
                continue;
            // A letter in its cell; a number from its cell's left edge, in the upper half.
            const bool letter = c.text == "W";
            const double left = page.x0 + std::floor(((c.x1 + right) / 2 - page.x0) / cell) * cell;
            const double top = page.y0 + std::floor(((c.y1 + bottom) / 2 - page.y0) / cell) * cell;
            QVERIFY2(c.x1 >= left && right <= left + cell && c.y1 >= top && bottom <= top + (letter ? cell : cell / 2) &&
                         (letter || c.x1 <= left + 2),
                     c.text.c_str());
            ++(letter ? letters : numbers);
        }
        QVERIFY(numbers > 0 && (letters > 0) == (edition == output::Edition::Filled));
    }
};

QTEST_MAIN(PrintedPageTest)
#include "printed_page_test.moc"
