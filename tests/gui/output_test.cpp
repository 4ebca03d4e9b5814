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

// Answers the input box `command` opens: types `name` and presses OK, or
// presses Annulla when `name` is null. Gives what the box showed.
struct InputBox {
    QString proposed, title, prompt;
};

InputBox AnswerInputBox(const std::function<void()>& command, const QString& name) {
    InputBox shown;
    testgui::WithShowings<QInputDialog>(command, {[&](QInputDialog& box) {
        shown = {box.textValue(), box.windowTitle(), box.labelText()};
        auto* buttons = box.findChild<QDialogButtonBox*>();
        auto* edit = box.findChild<QLineEdit*>();
        QVERIFY(buttons && edit);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annulla"));
        if (name.isNull()) return buttons->button(QDialogButtonBox::Cancel)->click();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, name);
        buttons->button(QDialogButtonBox::Ok)->click();
    }});
    return shown;
}

// Answers the print dialog `command` opens: chooses printing to `pdf` and
// presses Print, or cancels when `pdf` is empty.
void AnswerPrintDialog(const std::function<void()>& command, const QString& pdf) {
    testgui::WithShowings<QPrintDialog>(command, {[=](QPrintDialog& dialog) {
        if (pdf.isEmpty()) return dialog.reject();
        auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
        auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(printers && file && buttons);
        printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)" closes the list
        QVERIFY(file->isEnabled());
        file->selectAll();
        QTest::keyClick(file, Qt::Key_Delete);
        QTest::keyClicks(file, pdf);
        buttons->button(QDialogButtonBox::Ok)->click();
    }});
}

} // namespace

Q_DECLARE_METATYPE(platform::Answer)

class OutputTest : public QObject {
    Q_OBJECT

private slots:
    void init() { document::SimulateFullDisk(std::nullopt); }
    void cleanup() { document::SimulateFullDisk(std::nullopt); }

    void PrintDialogPrintsToAFileUnderTheHourglass_data() {
        QTest::addColumn<bool>("print");  // else Annulla
        QTest::newRow("Annulla prints nothing") << false;
        QTest::newRow("a file: one page") << true;
    }
    void PrintDialogPrintsToAFileUnderTheHourglass() {
        QFETCH(bool, print);
        QTemporaryDir dir;
        platform::RecordingMessages messages;
        document::Crossword doc = Example(messages);
        std::vector<Pointer> pointers;
        bool printed = false;
        AnswerPrintDialog(
            [&] {
                printed = output::PrintCrossword(nullptr, doc, ExampleWindow, messages,
                                                 [&](Pointer p) { pointers.push_back(p); });
            },
            print ? dir.filePath("stampa.pdf") : QString());
        QCOMPARE(printed, print);
        QVERIFY(messages.shown.empty());
        // No temporary file is left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), print ? QStringList{"stampa.pdf"} : QStringList());
        const std::vector<Pointer> hourglass{Pointer::Hourglass, Pointer::Default};
        QCOMPARE(pointers, print ? hourglass : std::vector<Pointer>());
        if (!print) return;
        const QByteArray bytes = testgui::ReadFile(dir.filePath("stampa.pdf"));
        QVERIFY(bytes.startsWith("%PDF-"));
        QCOMPARE(PdfPages(bytes), 1);
    }

    void PrintForSolversFollowsPrintInTheFileMenuAndAddsTheSolutionPage() {
        Program program;
        editor::Form1& form = program.Start(testgui::DataFile("esempio.qdr"));
        QAction* solvers = form.MenuAction("MenuStampaSol");
        const QList<QAction*> items = form.Menu("MenuFile")->actions();
        QCOMPARE(items.indexOf(solvers), items.indexOf(form.MenuAction("MenuStampa")) + 1);
        AnswerPrintDialog([solvers] { solvers->trigger(); }, program.Path("solutori.pdf"));
        QCOMPARE(PdfPages(testgui::ReadFile(program.Path("solutori.pdf"))), 2);
    }

    void APdfOrPrinterThatCannotTakeThePageIsReported() {
        QTemporaryDir dir;
        platform::RecordingMessages messages;
        document::Crossword doc = Example(messages);
        const QString pdf = dir.filePath("vecchio.pdf");
        testgui::WriteFile(pdf, "vecchio");
        document::SimulateFullDisk(100);
        QVERIFY(!output::WritePagePdf(pdf.toStdString(), doc, ExampleWindow, messages, "04-03-2026"));
        QCOMPARE(testgui::ReadFile(pdf), QByteArray("vecchio"));
        QCOMPARE(messages.Texts(), std::vector<std::string>{document::WriteErrorMessage});
        document::SimulateFullDisk(std::nullopt);

        // A printer with nowhere to send the page, as on a machine without printers.
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName({});
        QVERIFY(!output::PrintPage(printer, doc, ExampleWindow, "04-03-2026", messages));
        QCOMPARE(messages.Texts().back(), output::PrintErrorMessage);
    }

    // "Salva schema su immagine BMP ..." answered in every way; the next
    // proposal shows the name the command kept.
    void PictureOfTheWindowDrawing_data() {
        QTest::addColumn<QString>("typed");  // null: Annulla
        QTest::addColumn<bool>("existing");  // a file of that name is there
        QTest::addColumn<platform::Answer>("answer");  // to the question about it
        QTest::addColumn<int>("fullDiskAfter");  // -1: the disk is fine
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("kept");  // the typed name is the next proposal
        const QString replace = QString::fromUtf8("Il file: vecchia.bmp esiste gi\xC3\xA0, si vuole sovrascrivere?");
        const QString failed = platform::FromBytes(output::PictureWriteErrorMessage);
        const Answer ok = Answer::Ok;
        QTest::newRow("typed name") << "griglia.bmp" << false << ok << -1 << true << QString() << true;
        QTest::newRow("no extension: as typed") << "schema" << false << ok << -1 << true << QString() << true;
        QTest::newRow("Annulla") << QString() << false << ok << -1 << false << QString() << false;
        QTest::newRow("empty answer") << "" << false << ok << -1 << false << QString() << false;
        QTest::newRow("existing, Annulla") << "vecchia.bmp" << true << Answer::Cancel << -1 << false << replace << false;
        QTest::newRow("existing, OK") << "vecchia.bmp" << true << ok << -1 << true << replace << true;
        QTest::newRow("full disk") << "pieno.bmp" << false << ok << 10 << false << failed << true;
        QTest::newRow("missing folder") << "nessuna/cartella.bmp" << false << ok << -1 << false << failed << true;
        QTest::newRow("a folder of that name") << "cartella" << false << ok << -1 << false << failed << true;
        QTest::newRow("below a file") << "file.txt/sotto.bmp" << false << ok << -1 << false << failed << true;
    }
    void PictureOfTheWindowDrawing() {
        QFETCH(QString, typed);
        QFETCH(bool, existing);
        QFETCH(platform::Answer, answer);
        QFETCH(int, fullDiskAfter);
        QFETCH(bool, written);
        QFETCH(QString, message);
        QFETCH(bool, kept);
        Program program;
        editor::Form1& form = program.Start(testgui::DataFile("esempio.qdr"));
        QDir(program.folder.path()).mkdir("cartella");
        testgui::WriteFile(program.Path("file.txt"), "testo");
        if (existing) testgui::WriteFile(program.Path(typed), "vecchia");
        const auto listing = [&] {
            return QDir(program.folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        const QStringList before = listing();
        // A dialog browsed elsewhere: a bare name still goes where the box says.
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        if (fullDiskAfter >= 0) document::SimulateFullDisk(static_cast<std::size_t>(fullDiskAfter));
        program.messages.Script({answer});
        const auto command = [&form] { form.MenuAction("MenuSaveWMF")->trigger(); };
        const InputBox shown = AnswerInputBox(command, typed);
        document::SimulateFullDisk(std::nullopt);
        QDir::setCurrent(program.folder.path());
        QVERIFY(QDir(elsewhere.path()).isEmpty());
        QCOMPARE(shown.proposed, QStringLiteral("NONOME.BMP"));
        QCOMPARE(shown.title, QStringLiteral("Salvataggio picture .BMP"));
        QVERIFY(shown.prompt.startsWith(QString::fromUtf8("Con questa operazione \xC3\xA8 possibile creare una immagine")));
        QVERIFY(shown.prompt.endsWith("nella directory " + QDir::toNativeSeparators(program.folder.path())));
        QCOMPARE(testgui::Texts(program.messages), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            const auto& shown = program.messages.shown[0];
            QCOMPARE(shown.title, existing ? std::string("Picture esistente") : platform::ApplicationTitle);
            QCOMPARE(shown.buttons, existing ? platform::Buttons::OkCancel : platform::Buttons::Ok);
        }
        if (written) {
            // The window's drawing, grid and all, as a bitmap as typed.
            const QByteArray bytes = testgui::ReadFile(program.Path(typed));
            QVERIFY(bytes.startsWith("BM"));
            QImage picture;
            QVERIFY(picture.loadFromData(bytes, "BMP"));
            const QImage drawing = form.Area()->Image().toImage();
            QCOMPARE(picture.convertToFormat(QImage::Format_RGB32), drawing.convertToFormat(QImage::Format_RGB32));
            const editor::Pixel corner = editor::CellOrigin(form.Document(), 1, 1);
            QCOMPARE(picture.pixelColor(corner.x, corner.y + 5), QColor(Qt::black));
            QCOMPARE(picture.pixelColor(corner.x + 3, corner.y + form.Document().CellSize - 3), QColor(Qt::white));
        } else {
            QCOMPARE(listing(), before);
            if (existing) QCOMPARE(testgui::ReadFile(program.Path(typed)), QByteArray("vecchia"));
        }
        QCOMPARE(QDir(program.folder.path()).entryList({"*.bmp", "*.BMP", "schema"}, QDir::Files).size(),
                 qsizetype(written || existing));

        QCOMPARE(AnswerInputBox(command, {}).proposed, kept ? typed : QStringLiteral("NONOME.BMP"));
    }
};

QTEST_MAIN(OutputTest)
#include "output_test.moc"
