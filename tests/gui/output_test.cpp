// The crossword leaving the program: the print dialog, the PDF page, the
// preview painted on the window's image, and the bitmap picture, driven as
// a person would.

#include "program_fixture.h"

#include "document/crossword_file.h"
#include "document/file_io.h"
#include "document/word_map.h"
#include "output/page_layout.h"
#include "output/picture_export.h"
#include "output/print.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QImage>
#include <QInputDialog>
#include <QMenu>
#include <QPrinter>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

using platform::Answer;
using platform::Pointer;
using testgui::Program;

namespace {

const output::WindowArea ExampleWindow{800, 553, 28, 19};

int PdfPages(const QByteArray& pdf) {
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page/") +
                            pdf.count("/Type /Page>"));
}

document::Crossword Example(platform::Messages& messages) {
    document::Crossword doc;
    document::LoadCrosswordFile(doc, testgui::DataFile("esempio.qdr").toStdString(), messages);
    document::ComputeWordMap(doc);
    doc.CurrentFileName = "/home/olindo/esempio.qdr";
    return doc;
}

// Answers the input box once it is up: types `name` and presses OK, or
// presses Annulla when `name` is null. What the box proposed goes to `proposed`.
void AnswerInputBox(const QString& name, QString* proposed, QString* title = nullptr, QString* prompt = nullptr) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        QVERIFY(box);
        if (proposed) *proposed = box->textValue();
        if (title) *title = box->windowTitle();
        if (prompt) *prompt = box->labelText();
        auto* buttons = box->findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        if (name.isNull()) {
            QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
            QCOMPARE(cancel->text(), QStringLiteral("Annulla"));
            cancel->click();
            return;
        }
        auto* edit = box->findChild<QLineEdit*>();
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, name);
        buttons->button(QDialogButtonBox::Ok)->click();
    });
}

// Answers the print dialog once it is up: chooses printing to `pdf` and
// presses Print, or cancels when `pdf` is empty.
void AnswerPrintDialog(const QString& pdf, bool* seen) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        *seen = true;
        if (pdf.isEmpty()) {
            dialog->reject();
            return;
        }
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        QVERIFY(printers);
        printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)" closes the list
        auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        QVERIFY(file);
        QVERIFY(file->isEnabled());
        file->selectAll();
        QTest::keyClick(file, Qt::Key_Delete);
        QTest::keyClicks(file, pdf);
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        buttons->button(QDialogButtonBox::Ok)->click();
    });
}

} // namespace

class OutputTest : public QObject {
    Q_OBJECT

private slots:
    void init() { document::SimulateFullDisk(std::nullopt); }
    void cleanup() { document::SimulateFullDisk(std::nullopt); }

    void CancelInThePrintDialogPrintsNothing() {
        QTemporaryDir dir;
        platform::RecordingMessages messages;
        document::Crossword doc = Example(messages);
        std::vector<Pointer> pointers;
        bool seen = false;
        AnswerPrintDialog({}, &seen);
        QVERIFY(!output::PrintCrossword(nullptr, doc, ExampleWindow, messages,
                                        [&](Pointer p) { pointers.push_back(p); }));
        QVERIFY(seen);
        QVERIFY(pointers.empty());
        QVERIFY(messages.shown.empty());
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void PrintingToAFileWritesTheOnePagePdfUnderTheHourglass() {
        QTemporaryDir dir;
        platform::RecordingMessages messages;
        document::Crossword doc = Example(messages);
        const QString pdf = dir.filePath("stampa.pdf");
        std::vector<Pointer> pointers;
        bool seen = false;
        AnswerPrintDialog(pdf, &seen);
        QVERIFY(output::PrintCrossword(nullptr, doc, ExampleWindow, messages,
                                       [&](Pointer p) { pointers.push_back(p); }));
        QVERIFY(seen);
        QCOMPARE(pointers, (std::vector<Pointer>{Pointer::Hourglass, Pointer::Default}));
        const QByteArray bytes = testgui::ReadFile(pdf);
        QVERIFY(bytes.startsWith("%PDF-"));
        QCOMPARE(PdfPages(bytes), 1);
        QVERIFY(messages.shown.empty());
        // No temporary file is left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"stampa.pdf"});
    }

    void PrintForSolversFollowsPrintInTheFileMenuAndAddsTheSolutionPage() {
        Program program;
        editor::Form1& form = program.Start(testgui::DataFile("esempio.qdr"));
        QAction* solvers = form.MenuAction("MenuStampaSol");
        const QList<QAction*> items = form.Menu("MenuFile")->actions();
        QCOMPARE(items.indexOf(solvers), items.indexOf(form.MenuAction("MenuStampa")) + 1);
        bool seen = false;
        AnswerPrintDialog(program.Path("solutori.pdf"), &seen);
        solvers->trigger();
        QVERIFY(seen);
        QCOMPARE(PdfPages(testgui::ReadFile(program.Path("solutori.pdf"))), 2);
    }

    void APdfThatCannotBeWrittenIsReportedAndTheOldFileStays() {
        QTemporaryDir dir;
        platform::RecordingMessages messages;
        document::Crossword doc = Example(messages);
        const QString pdf = dir.filePath("vecchio.pdf");
        testgui::WriteFile(pdf, "vecchio");
        document::SimulateFullDisk(100);
        QVERIFY(!output::WritePagePdf(pdf.toStdString(), doc, ExampleWindow, messages, "04-03-2026"));
        QCOMPARE(testgui::ReadFile(pdf), QByteArray("vecchio"));
        QCOMPARE(messages.Texts(), std::vector<std::string>{document::WriteErrorMessage});
    }

    void APrinterThatCannotTakeThePageIsReported() {
        platform::RecordingMessages messages;
        document::Crossword doc = Example(messages);
        // A printer with nowhere to send the page, as on a machine without printers.
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName({});
        QVERIFY(!output::PrintPage(printer, doc, ExampleWindow, "04-03-2026", messages));
        QCOMPARE(messages.Texts(), std::vector<std::string>{output::PrintErrorMessage});
    }

    void ListsLongerThanThePageGoOnOnASecondPage() {
        QTemporaryDir dir;
        platform::RecordingMessages messages;
        document::Crossword doc = Example(messages);
        const QString pdf = dir.filePath("lungo.pdf");
        QVERIFY(output::WritePagePdf(pdf.toStdString(), doc, ExampleWindow, messages, "04-03-2026"));
        QCOMPARE(PdfPages(testgui::ReadFile(pdf)), 1);
        // Every word of the 15 x 11 model with a clue wider than a line: one
        // line each, more than the lower half of the page holds.
        document::LoadCrosswordFile(doc, testgui::DataFile("griglie/settimanale_15x11.qdr").toStdString(), messages);
        document::ComputeWordMap(doc);
        for (const auto& word : document::WordsInReadingOrder(doc))
            doc.Definitions(word.column, word.row, word.direction) = std::string(200, 'x');
        QVERIFY(output::WritePagePdf(pdf.toStdString(), doc, ExampleWindow, messages, "04-03-2026"));
        QVERIFY(PdfPages(testgui::ReadFile(pdf)) >= 2);
        QVERIFY(messages.shown.empty());
    }

    void ThePreviewPaintsTheSheetOnTheWindowImage() {
        Program program;
        editor::Form1& form = program.Start(testgui::DataFile("esempio.qdr"));
        document::Crossword& doc = form.Document();
        output::DrawPrintPreview(doc, form.DrawingSurface(), 28, 19, "04-03-2026");
        const QImage image = form.Area()->Image().toImage();
        QCOMPARE(image.size(), QSize(800, 553));
        // The sheet spans (221, 28) to (579, 533) with its dark red border.
        QCOMPARE(image.pixelColor(221, 200), QColor(128, 0, 0));
        QCOMPARE(image.pixelColor(579, 200), QColor(128, 0, 0));
        QCOMPARE(image.pixelColor(400, 533), QColor(128, 0, 0));
        QCOMPARE(image.pixelColor(230, 500), QColor(Qt::white));
        QVERIFY(image.pixelColor(215, 200) != QColor(Qt::white));
        // Somewhere in the grid's first cell, the letter R in black.
        const output::PageLayout page = output::PreviewLayout(doc, output::AreaOf(form.DrawingSurface(), 28, 19));
        bool dark = false;
        for (int y = page.y0 + 4; y < page.y0 + page.cell - 2; ++y)
            for (int x = page.x0 + 4; x < page.x0 + page.cell - 2; ++x)
                dark = dark || image.pixelColor(x, y).lightness() < 100;
        QVERIFY(dark);
    }

    void PictureProposesNoNomeFirstThenTheLastName() {
        Program program;
        editor::Form1& form = program.Start(testgui::DataFile("esempio.qdr"));
        QString last, proposed, title, prompt;
        // A dialog browsed elsewhere: the bare name still goes where the box says.
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        AnswerInputBox("griglia.bmp", &proposed, &title, &prompt);
        QVERIFY(output::ExportPicture(&form, form.Area()->Image().toImage(), last, program.folder.path(),
                                      program.messages));
        QDir::setCurrent(program.folder.path());
        QVERIFY(!QFile::exists(QDir(elsewhere.path()).filePath("griglia.bmp")));
        QCOMPARE(proposed, QStringLiteral("NONOME.BMP"));
        QCOMPARE(title, QStringLiteral("Salvataggio picture .BMP"));
        QVERIFY(prompt.startsWith(QString::fromUtf8("Con questa operazione \xC3\xA8 possibile creare una immagine")));
        QVERIFY(prompt.endsWith(QStringLiteral("nella directory ") + QDir::toNativeSeparators(program.folder.path())));
        QCOMPARE(last, QStringLiteral("griglia.bmp"));
        QVERIFY(QFile::exists(program.Path("griglia.bmp")));

        AnswerInputBox({}, &proposed);
        QVERIFY(!output::ExportPicture(&form, form.Area()->Image().toImage(), last, program.folder.path(),
                                       program.messages));
        QCOMPARE(proposed, QStringLiteral("griglia.bmp"));
        QVERIFY(program.messages.shown.empty());
    }

    void CancelWritesNothingAndKeepsTheProposedName() {
        Program program;
        editor::Form1& form = program.Start(testgui::DataFile("esempio.qdr"));
        const QStringList before = QDir(program.folder.path()).entryList(QDir::Files | QDir::Hidden);
        QString last;
        AnswerInputBox({}, nullptr);
        QVERIFY(!output::ExportPicture(&form, form.Area()->Image().toImage(), last, program.folder.path(),
                                       program.messages));
        QCOMPARE(last, QStringLiteral("NONOME.BMP"));
        // An empty answer is the same as Annulla.
        AnswerInputBox(QStringLiteral(""), nullptr);
        QVERIFY(!output::ExportPicture(&form, form.Area()->Image().toImage(), last, program.folder.path(),
                                       program.messages));
        QCOMPARE(last, QStringLiteral("NONOME.BMP"));
        QCOMPARE(QDir(program.folder.path()).entryList(QDir::Files | QDir::Hidden), before);
        QVERIFY(program.messages.shown.empty());
    }

    void AnExistingFileIsReplacedOnlyAfterOk() {
        Program program;
        editor::Form1& form = program.Start(testgui::DataFile("esempio.qdr"));
        testgui::WriteFile(program.Path("vecchia.bmp"), "vecchia");
        QString last;
        program.messages.Script({Answer::Cancel});
        AnswerInputBox("vecchia.bmp", nullptr);
        QVERIFY(!output::ExportPicture(&form, form.Area()->Image().toImage(), last, program.folder.path(),
                                       program.messages));
        QCOMPARE(testgui::ReadFile(program.Path("vecchia.bmp")), QByteArray("vecchia"));
        QCOMPARE(program.messages.shown.size(), std::size_t{1});
        const platform::RecordedMessage& question = program.messages.shown[0];
        QCOMPARE(platform::FromBytes(question.text),
                 QString::fromUtf8("Il file: vecchia.bmp esiste gi\xC3\xA0, si vuole sovrascrivere?"));
        QCOMPARE(question.title, std::string("Picture esistente"));
        QCOMPARE(question.buttons, platform::Buttons::OkCancel);
        QCOMPARE(last, QStringLiteral("NONOME.BMP"));

        program.messages.Script({Answer::Ok});
        AnswerInputBox("vecchia.bmp", nullptr);
        QVERIFY(output::ExportPicture(&form, form.Area()->Image().toImage(), last, program.folder.path(),
                                      program.messages));
        QCOMPARE(program.messages.shown.size(), std::size_t{2});
        QVERIFY(testgui::ReadFile(program.Path("vecchia.bmp")).startsWith("BM"));
        QCOMPARE(last, QStringLiteral("vecchia.bmp"));
    }

    void APictureIsTheWindowDrawingAndOpensWithQImage() {
        Program program;
        editor::Form1& form = program.Start(testgui::DataFile("esempio.qdr"));
        const QImage drawing = form.Area()->Image().toImage();
        QString last;
        AnswerInputBox("schema", nullptr);  // no extension: saved as typed
        QVERIFY(output::ExportPicture(&form, drawing, last, program.folder.path(), program.messages));
        QVERIFY(QFile::exists(program.Path("schema")));
        QVERIFY(!QFile::exists(program.Path("schema.bmp")) && !QFile::exists(program.Path("schema.BMP")));

        const QByteArray bytes = testgui::ReadFile(program.Path("schema"));
        QVERIFY(bytes.startsWith("BM"));
        QImage picture;
        QVERIFY(picture.loadFromData(bytes, "BMP"));
        QCOMPARE(picture.size(), drawing.size());
        QCOMPARE(picture.convertToFormat(QImage::Format_RGB32), drawing.convertToFormat(QImage::Format_RGB32));
        // The grid is in it: the first cell's outline is black, its inside white.
        const editor::Pixel corner = editor::CellOrigin(form.Document(), 1, 1);
        QCOMPARE(picture.pixelColor(corner.x, corner.y + 5), QColor(Qt::black));
        QCOMPARE(picture.pixelColor(corner.x + 3, corner.y + form.Document().CellSize - 3), QColor(Qt::white));
    }

    void AWriteFailureShowsTheMessageAndStillKeepsTheName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("fullDiskAfter");  // -1: the disk is fine
        QTest::newRow("full disk") << "pieno.bmp" << 10;
        QTest::newRow("missing folder") << "nessuna/cartella.bmp" << -1;
        QTest::newRow("a folder of that name") << "cartella" << -1;
        QTest::newRow("below a file") << "file.txt/sotto.bmp" << -1;
    }
    void AWriteFailureShowsTheMessageAndStillKeepsTheName() {
        QFETCH(QString, name);
        QFETCH(int, fullDiskAfter);
        Program program;
        editor::Form1& form = program.Start(testgui::DataFile("esempio.qdr"));
        QDir(program.folder.path()).mkdir("cartella");
        testgui::WriteFile(program.Path("file.txt"), "testo");
        const QStringList before = QDir(program.folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        if (fullDiskAfter >= 0) document::SimulateFullDisk(static_cast<std::size_t>(fullDiskAfter));
        QString last;
        AnswerInputBox(name, nullptr);
        QVERIFY(!output::ExportPicture(&form, form.Area()->Image().toImage(), last, program.folder.path(),
                                       program.messages));
        QVERIFY(!program.messages.shown.empty());
        QCOMPARE(program.messages.shown.back().text, output::PictureWriteErrorMessage);
        QCOMPARE(program.messages.shown.back().title, platform::ApplicationTitle);
        QCOMPARE(last, name);
        QCOMPARE(QDir(program.folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    }
};

QTEST_MAIN(OutputTest)
#include "output_test.moc"
