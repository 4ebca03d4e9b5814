// "Esporta cruciverba": the save dialog whose file types choose the format,
// driven as a person would (type a name, pick a type, press Esporta, answer
// the question about an existing file), and the file it leads to.

#include "dialogs/export_dialog.h"
#include "document/crossword_file.h"
#include "document/word_map.h"
#include "output/export_file.h"
#include "platform/recording/recording_messages.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

using document::ExportFormat;
using platform::Answer;

Q_DECLARE_METATYPE(document::ExportFormat)

namespace {

const output::WindowArea ExampleWindow{800, 553, 28, 19};

// A complete crossword: RE* / AVE / *AS, with an accented clue.
document::Crossword Complete() {
    document::Crossword doc;
    platform::RecordingMessages messages;
    const std::string bytes =
        "Autore     : Nicol\xF2\r\nData       : 28-01-1998\r\nTipo       : Crociate Normale\r\n"
        "Dimensioni : 03x03\r\nl._.D*\r\n[.p._.\r\nD*[.m.\r\n  1  11-Citt\xE0\r\n";
    document::ReadCrossword(doc, bytes, messages);
    doc.CurrentFileName = "/home/olindo/rivista.qdr";
    document::ComputeWordMap(doc);
    return doc;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What the test does in the dialog once it is up.
struct Gesture {
    int fileType = -1;  // row of the file type list to pick, -1 to leave it
    QString typed;      // typed over the name box; null leaves the name proposed
    bool cancel = false;
};

// The export dialog on the screen, or nullptr while there is none: after
// Esporta the dialog is hidden until Ask shows it again.
dialogs::ExportDialog* ShownDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<dialogs::ExportDialog*>(w); d && d->isVisible() && QApplication::activeModalWidget() == d)
            return d;
    return nullptr;
}

// Plays the gestures on the dialogs as they come up, one per showing. Each
// gesture waits for its own showing of the dialog, looking again on a timer
// (a zero timer could run before the closed dialog is shown again, or
// before it is shown at all); after many turns without a dialog it gives
// up, and the test fails on what Ask returned.
void Play(const QList<Gesture>& gestures, QStringList* proposedNames = nullptr, int turnsLeft = 2000) {
    if (gestures.isEmpty()) return;
    QTimer::singleShot(5, [=] {
        auto* dialog = ShownDialog();
        if (!dialog) {
            if (turnsLeft > 0) Play(gestures, proposedNames, turnsLeft - 1);
            else qWarning("the export dialog did not come");
            return;
        }
        // A check that fails here closes the dialog, so the test ends.
        bool done = false;
        const auto closeOnFailure = qScopeGuard([&done, dialog] {
            if (!done) dialog->reject();
        });
        const Gesture& g = gestures.front();
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        QVERIFY(name && types);
        if (proposedNames) *proposedNames << name->text();
        if (g.fileType >= 0) {
            types->setFocus();
            QTest::keyClick(types, Qt::Key_Home);
            for (int i = 0; i < g.fileType; ++i) QTest::keyClick(types, Qt::Key_Down);
            QCOMPARE(types->currentIndex(), g.fileType);
        }
        if (!g.typed.isNull()) {
            name->setFocus();
            name->selectAll();
            QTest::keyClick(name, Qt::Key_Delete);
            QTest::keyClicks(name, g.typed);
        }
        auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
        QVERIFY(buttons);
        done = true;
        if (g.cancel)
            buttons->button(QDialogButtonBox::Cancel)->click();
        else
            buttons->button(QDialogButtonBox::Save)->click();
        // The next gesture is for the next showing.
        Play(gestures.mid(1), proposedNames);
    });
}

} // namespace

class ExportDialogTest : public QObject {
    Q_OBJECT

private slots:
    void CaptionsAreItalianAndListEveryFormat() {
        // A folder of its own: a crowded one would keep the dialog's file
        // list busy long after the test.
        QTemporaryDir dir;
        dialogs::ExportDialog dialog(dir.path(), "rivista", ExportFormat::Puz);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Esporta cruciverba"));
        QCOMPARE(dialog.labelText(QFileDialog::Accept), QStringLiteral("&Esporta"));
        QCOMPARE(dialog.labelText(QFileDialog::Reject), QStringLiteral("&Annulla"));
        QCOMPARE(dialog.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Save)->text(),
                 QStringLiteral("&Esporta"));
        QCOMPARE(dialog.findChild<QLabel*>("fileNameLabel")->text(), QStringLiteral("&Nome file:"));
        QCOMPARE(dialog.nameFilters(),
                 QStringList({"Cruciverba ipuz (*.ipuz)", "Cruciverba Across Lite (*.puz)",
                              "Pagina stampata PDF (*.pdf)", "PDF per i solutori (*.pdf)",
                              "Schema vuoto con i numeri SVG (*.svg)",
                              "Soluzione SVG (*.svg)", "Pagina web da risolvere (*.html)"}));
        QCOMPARE(dialog.SelectedFormat(), ExportFormat::Puz);
        QCOMPARE(dialog.findChild<QLineEdit*>("fileNameEdit")->text(), QStringLiteral("rivista.puz"));
        QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
    }

    void CaptionsSurviveAChangeOfLanguage() {
        // Installing Qt's translations sends every widget its own event.
        QTemporaryDir dir;
        dialogs::ExportDialog dialog(dir.path(), "rivista", ExportFormat::Ipuz);
        QCoreApplication::postEvent(&dialog, new QEvent(QEvent::LanguageChange));
        for (QWidget* w : dialog.findChildren<QWidget*>()) QCoreApplication::postEvent(w, new QEvent(QEvent::LanguageChange));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
        QCOMPARE(buttons->button(QDialogButtonBox::Save)->text(), QStringLiteral("&Esporta"));
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("&Annulla"));
        QCOMPARE(dialog.findChild<QLabel*>("fileNameLabel")->text(), QStringLiteral("&Nome file:"));
        QCOMPARE(dialog.findChild<QLabel*>("fileTypeLabel")->text(), QStringLiteral("Formato:"));
        QCOMPARE(dialog.findChild<QLabel*>("lookInLabel")->text(), QStringLiteral("Cerca in:"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Esporta cruciverba"));
    }

    void FileTypeChoosesFormatAndExtension_data() {
        QTest::addColumn<int>("fileType");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<ExportFormat>("format");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("ipuz, extension added") << 0 << "gioco" << "gioco.ipuz" << ExportFormat::Ipuz << QByteArray("{");
        QTest::newRow("puz, extension typed") << 1 << "gioco.PUZ" << "gioco.PUZ" << ExportFormat::Puz
                                              << QByteArray("ACROSS&DOWN");
        QTest::newRow("pdf") << 2 << "pagina" << "pagina.pdf" << ExportFormat::Pdf << QByteArray("%PDF");
        QTest::newRow("pdf for solvers") << 3 << "solutori" << "solutori.pdf" << ExportFormat::PdfSolvers
                                         << QByteArray("%PDF");
        QTest::newRow("svg grid") << 4 << "schema" << "schema.svg" << ExportFormat::SvgGrid << QByteArray("<?xml");
        QTest::newRow("svg solution") << 5 << "sol.svg" << "sol.svg" << ExportFormat::SvgSolution
                                      << QByteArray("<?xml");
        QTest::newRow("other extension kept, type's added") << 0 << "gioco.puz" << "gioco.puz.ipuz"
                                                            << ExportFormat::Ipuz << QByteArray("{");
    }
    void FileTypeChoosesFormatAndExtension() {
        QFETCH(int, fileType);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(ExportFormat, format);
        QFETCH(QByteArray, start);
        QTemporaryDir dir;
        platform::RecordingMessages messages;
        Play({{fileType, typed}});
        const auto target = dialogs::ExportDialog::Ask(nullptr, dir.path(), "rivista", ExportFormat::Ipuz, messages);
        QVERIFY(target);
        QCOMPARE(QString::fromStdString(target->fileName), dir.filePath(written));
        QCOMPARE(target->format, format);

        document::Crossword doc = Complete();
        QVERIFY(output::ExportCrossword(doc, target->format, target->fileName, ExampleWindow, messages));
        QVERIFY(messages.shown.empty());
        const QByteArray bytes = ReadAll(dir.filePath(written));
        const int at = format == ExportFormat::Puz ? 2 : 0;
        QCOMPARE(bytes.mid(at, start.size()), start);
        if (format == ExportFormat::SvgSolution) QVERIFY(bytes.contains(">V</text>"));
        if (format == ExportFormat::SvgGrid) QVERIFY(!bytes.contains(">V</text>"));
        if (format == ExportFormat::Ipuz) QVERIFY(bytes.contains("Citt\xC3\xA0"));
    }

    void ChangingTheTypeChangesTheNamesExtension() {
        QTemporaryDir dir;
        platform::RecordingMessages messages;
        QStringList proposed;
        Play({{2, QString(), true}}, &proposed);
        QVERIFY(!dialogs::ExportDialog::Ask(nullptr, dir.path(), "rivista", ExportFormat::SvgGrid, messages));
        QCOMPARE(proposed, QStringList{"rivista.svg"});
        dialogs::ExportDialog dialog(dir.path(), "rivista", ExportFormat::SvgGrid);
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        types->setCurrentIndex(2);
        emit types->activated(2);
        QCOMPARE(dialog.findChild<QLineEdit*>("fileNameEdit")->text(), QStringLiteral("rivista.pdf"));
        QCOMPARE(dialog.SelectedFormat(), ExportFormat::Pdf);
    }

    void CancelWritesNothing() {
        QTemporaryDir dir;
        platform::RecordingMessages messages;
        Play({{0, "gioco", true}});
        QVERIFY(!dialogs::ExportDialog::Ask(nullptr, dir.path(), "rivista", ExportFormat::Ipuz, messages));
        QVERIFY(QDir(dir.path()).isEmpty());
        QVERIFY(messages.shown.empty());
    }

    void ExistingFileIsReplacedOnlyAfterYes() {
        QTemporaryDir dir;
        const QString file = dir.filePath("gioco.ipuz");
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("vecchio");
        old.close();

        // No: the dialog comes back, and its cancel keeps the old file.
        platform::RecordingMessages messages;
        messages.Script({Answer::No});
        Play({{0, "gioco"}, {-1, QString(), true}});
        QVERIFY(!dialogs::ExportDialog::Ask(nullptr, dir.path(), "rivista", ExportFormat::Ipuz, messages));
        QCOMPARE(messages.Texts(), std::vector<std::string>{"Il file gioco.ipuz esiste gi\xE0. Sostituirlo?"});
        QCOMPARE(messages.shown.front().buttons, platform::Buttons::YesNo);
        QCOMPARE(ReadAll(file), QByteArray("vecchio"));

        // Yes: the file is the target.
        platform::RecordingMessages yes;
        yes.Script({Answer::Yes});
        Play({{0, "gioco"}});
        const auto target = dialogs::ExportDialog::Ask(nullptr, dir.path(), "rivista", ExportFormat::Ipuz, yes);
        QVERIFY(target);
        QCOMPARE(QString::fromStdString(target->fileName), file);
        document::Crossword doc = Complete();
        QVERIFY(output::ExportCrossword(doc, target->format, target->fileName, ExampleWindow, yes));
        QVERIFY(ReadAll(file).startsWith("{"));
    }

    void CrosswordThePuzFormatCannotHoldIsRefused() {
        QTemporaryDir dir;
        platform::RecordingMessages messages;
        document::Crossword doc = Complete();
        doc.GridLine(2) = "..V.E.";  // an empty white cell
        const std::string file = dir.filePath("gioco.puz").toStdString();
        QVERIFY(!output::ExportCrossword(doc, ExportFormat::Puz, file, ExampleWindow, messages));
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        QVERIFY(messages.Texts()[0].find("colonna 1, riga 2 \xE8 vuota") != std::string::npos);
        QVERIFY(QDir(dir.path()).isEmpty());

        // The printed page takes it.
        QVERIFY(output::ExportCrossword(doc, ExportFormat::Pdf, dir.filePath("p.pdf").toStdString(), ExampleWindow,
                                        messages));
        QVERIFY(ReadAll(dir.filePath("p.pdf")).startsWith("%PDF"));
    }
};

QTEST_MAIN(ExportDialogTest)
#include "export_dialog_test.moc"
