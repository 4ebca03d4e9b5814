// "quadrivo-tool stampa" run as a user would, without a display: the PDF
// it writes, its pages, and its answers to bad input.

#include "document/crossword_file.h"
#include "document/word_map.h"
#include "platform/recording/recording_messages.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString DataFile(const QString& name) { return QStringLiteral(QUADRIVO_TEST_DATA "/") + name; }

struct Run {
    int exitCode = -1;
    QString errors;
};

// Runs the tool with no display and no platform chosen: it must choose
// one itself.
Run Stampa(const QStringList& args) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(name);
    tool.setProcessEnvironment(env);
    tool.start(QCoreApplication::applicationDirPath() + "/quadrivo-tool", QStringList{"stampa"} + args);
    if (!tool.waitForFinished(60000)) return {-1, "quadrivo-tool stampa did not finish within a minute"};
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            QString::fromUtf8(tool.readAllStandardError())};
}

int PdfPages(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

QByteArray Read(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// The 25 x 15 model with a clue of `length` characters on every word.
void WriteCluedCrossword(const QString& path, std::size_t length) {
    platform::RecordingMessages messages;
    document::Crossword doc;
    QVERIFY(document::LoadCrosswordFile(doc, DataFile("griglie/grande_25x15.qdr").toStdString(), messages) ==
            document::LoadResult::Loaded);
    document::ComputeWordMap(doc);
    for (const auto& word : document::WordsInReadingOrder(doc))
        doc.Definitions(word.column, word.row, word.direction) = std::string(length, 'x');
    QVERIFY(document::SaveCrosswordFile(doc, path.toStdString(), messages) == document::SaveResult::Saved);
}

} // namespace

class StampaTest : public QObject {
    Q_OBJECT

private slots:
    void WritesThePagesTheCrosswordNeeds_data() {
        QTest::addColumn<int>("clue");  // length of every clue of the 25 x 15 model; 0: the 3 x 3 example
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("pages");  // 0: two or more
        QTest::newRow("short: one A4 page") << 0 << QStringList() << 1;
        // The grid page, then the solution on a page of its own.
        QTest::newRow("for solvers") << 0 << QStringList{"--solutori"} << 2;
        QTest::newRow("short clues") << 10 << QStringList() << 1;
        QTest::newRow("long clues go on") << 200 << QStringList() << 0;
        // From a window 250 pixels wide the right limit is 50 units from the
        // left edge: every item starts a line of its own.
        QTest::newRow("narrow window") << 10 << QStringList{"--area", "250x553", "--barra", "28"} << 0;
    }
    void WritesThePagesTheCrosswordNeeds() {
        QFETCH(int, clue);
        QFETCH(QStringList, options);
        QFETCH(int, pages);
        QTemporaryDir dir;
        QString qdr = DataFile("esempio.qdr");
        if (clue) WriteCluedCrossword(qdr = dir.filePath("lungo.qdr"), static_cast<std::size_t>(clue));
        const Run run = Stampa(QStringList{qdr, dir.filePath("out.pdf")} + options);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        const QByteArray bytes = Read(dir.filePath("out.pdf"));
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.contains("/MediaBox [0 0 595") && bytes.contains(" 842"));  // A4: 595 x 842 points
        if (pages) QCOMPARE(PdfPages(bytes), pages);
        else QVERIFY(PdfPages(bytes) >= 2);
    }

    void BadInputGetsTheReadersMessagesAndNoPdf_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << QStringList{"manca.qdr", "@OUT"} << 1 << "manca.qdr";
        QTest::newRow("invalid file") << QStringList{"@BAD", "@OUT"} << 1 << "Formato del file non valido!";
        QTest::newRow("one name") << QStringList{DataFile("esempio.qdr")} << 2 << "indicare";
        QTest::newRow("area without height") << QStringList{DataFile("esempio.qdr"), "@OUT", "--area", "800"} << 2
                                             << "--area";
        QTest::newRow("area too small") << QStringList{DataFile("esempio.qdr"), "@OUT", "--area", "0x0"} << 2
                                        << "--area";
        QTest::newRow("toolbar not a number") << QStringList{DataFile("esempio.qdr"), "@OUT", "--barra", "alta"}
                                              << 2 << "--barra";
        QTest::newRow("unknown option") << QStringList{DataFile("esempio.qdr"), "@OUT", "--colore"} << 2
                                        << "--colore";
        QTest::newRow("folder that does not exist")
            << QStringList{DataFile("esempio.qdr"), "@DIR/nessuna/cartella.pdf"} << 1 << "Errore di scrittura";
    }
    void BadInputGetsTheReadersMessagesAndNoPdf() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QFile bad(dir.filePath("rotto.qdr"));
        bad.open(QIODevice::WriteOnly);
        bad.write("Autore     : x\r\nData       : y\r\nTipo       : z\r\nDimensioni : 00x00\r\n");
        bad.close();
        for (QString& a : args) {
            a.replace("@OUT", dir.filePath("out.pdf"));
            a.replace("@BAD", dir.filePath("rotto.qdr"));
            a.replace("@DIR", dir.path());
        }
        const Run run = Stampa(args);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
        QVERIFY(!QFile::exists(dir.filePath("out.pdf")));
    }
};

QTEST_GUILESS_MAIN(StampaTest)
#include "stampa_test.moc"
