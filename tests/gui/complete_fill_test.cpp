// "Completa schema" in the main window: the progress window, the filled grid
// as one change that can be undone, and the grid left alone when no fill is
// found or the user stops the search.

#include "program_fixture.h"

#include "dialogs/complete_fill_dialog.h"
#include "vocabulary/vocabulary.h"

#include <QAction>
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QRegularExpression>
#include <QtTest>

#include <chrono>
#include <memory>
#include <set>
#include <thread>

using testgui::Program;

namespace {

// Every run of 3 or more white cells of the crossword as a word of the
// vocabulary, read back on its own terms: "" when all are words, used once.
QString CheckFill(const document::Crossword& doc, const vocabulary::Vocabulary& vocab) {
    QString faults;
    std::set<std::string> used;
    auto white = [&](int c, int r) {
        return c >= 1 && r >= 1 && c <= doc.ColumnCount && r <= doc.RowCount && doc.Cell(c, r) != '*';
    };
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c)
            for (auto [dc, dr] : {std::pair{1, 0}, std::pair{0, 1}}) {
                if (!white(c, r) || white(c - dc, r - dr)) continue;
                std::string run;
                for (int i = 0; white(c + dc * i, r + dr * i); ++i) run += doc.Cell(c + dc * i, r + dr * i);
                if (run.size() < 3) continue;
                if (run.find('.') != std::string::npos || !vocab.PatternExists(run))
                    faults += QString(" %1").arg(QString::fromStdString(run));
                if (!used.insert(run).second) faults += QString(" %1 due volte").arg(QString::fromStdString(run));
            }
    return faults;
}

std::string Cells(const document::Crossword& doc) {
    std::string cells;
    for (int r = 1; r <= doc.RowCount; ++r)
        for (int c = 1; c <= doc.ColumnCount; ++c) cells += doc.Cell(c, r);
    return cells;
}

vocabulary::Vocabulary LoadLessico() {
    platform::RecordingMessages quiet;
    vocabulary::Vocabulary vocab;
    vocab.LoadVocabularyIndex(QUADRIVO_LESSICO, quiet);
    return vocab;
}

// Calls `act` with the window of "Completa schema" once it is the active
// modal window, looking every 20 ms for at most 10 s; `seen` tells whether it
// came (the caller checks it once the command returns).
void WhenWindowShows(bool& seen, std::function<void(dialogs::CompleteFillDialog*)> act) {
    seen = false;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto look = std::make_shared<std::function<void()>>();
    *look = [&seen, act, clock, look] {
        if (auto* dialog = qobject_cast<dialogs::CompleteFillDialog*>(QApplication::activeModalWidget())) {
            seen = true;
            act(dialog);
        } else if (clock->elapsed() < 10000) {
            QTimer::singleShot(20, *look);
        } else {
            *look = nullptr;  // gives up; the caller reports it
        }
    };
    QTimer::singleShot(20, *look);
}

// Answers the window of "Completa schema": checks the quality it offers, sets
// `quality` when given and presses "&Completa". A search that has not ended
// after 60 s is stopped with "&Annulla", and `overdue` says so.
void PressCompleta(bool& seen, bool& overdue, int offered, int quality = 0) {
    overdue = false;
    WhenWindowShows(seen, [&overdue, offered, quality](dialogs::CompleteFillDialog* dialog) {
        auto* box = dialog->findChild<QSpinBox*>("Qualita");
        QCOMPARE(box->value(), offered);
        if (quality > 0) box->setValue(quality);
        dialog->findChild<QPushButton*>("Completa")->click();
        QPointer<dialogs::CompleteFillDialog> watched(dialog);
        QTimer::singleShot(60000, dialog, [&overdue, watched] {
            if (!watched || !watched->isVisible()) return;
            overdue = true;
            watched->findChild<QPushButton*>("Annulla")->click();
        });
    });
}

} // namespace

class CompleteFillTest : public QObject {
    Q_OBJECT
private slots:
    void fillsTheGridAsOneChange();
    void impossibleGridIsLeftAlone();
    void cancelInTheProgressWindowLeavesTheGrid();
};

void CompleteFillTest::fillsTheGridAsOneChange() {
    Program program;
    QFile::copy(testgui::DataFile("griglie/settimanale_15x11.qdr"), program.Path("settimanale.qdr"));
    auto& form = program.Start(program.Path("settimanale.qdr"));
    auto& doc = form.Document();
    form.SetRandomSource([] { return 0.5; });
    const std::string before = Cells(doc);
    const QByteArray opened = testgui::ReadFile(program.Path("_qdra_32.tmp"));
    // A word already whole keeps its clue; the others are filled anew.
    doc.Definitions(1, 1, document::Horizontal) = "Da tenere";
    const std::string firstWord = doc.CellWords(1, 1, document::Horizontal);

    QAction* complete = form.MenuAction("MenuCompleta");
    QVERIFY(complete->isEnabled());
    QCOMPARE(complete->text(), QString("&Completa schema ..."));
    bool seen = false, overdue = false;
    PressCompleta(seen, overdue, fill::DefaultQuality, 100);
    complete->trigger();
    QVERIFY2(seen, "the Completa schema window did not show within 10 s");
    QVERIFY2(!overdue, "the search had not ended after 60 s");

    QVERIFY2(program.messages.shown.empty(), qPrintable(testgui::Texts(program.messages).join("|")));
    const vocabulary::Vocabulary vocab = LoadLessico();
    QCOMPARE(CheckFill(doc, vocab), QString());
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == '*' || before[i] == '.') QCOMPARE(Cells(doc)[i] == '*', before[i] == '*');
        else QCOMPARE(Cells(doc)[i], before[i]);
    }
    // Runs of two cells have letters too: no white cell is left empty.
    QVERIFY2(Cells(doc).find('.') == std::string::npos, Cells(doc).c_str());
    QVERIFY(doc.ChangedFlag);
    QVERIFY(testgui::ReadFile(program.Path("_qdra_32.tmp")) != opened);
    if (doc.CellWords(1, 1, document::Horizontal) == firstWord)
        QCOMPARE(doc.Definitions(1, 1, document::Horizontal), std::string("Da tenere"));
    else
        QCOMPARE(doc.Definitions(1, 1, document::Horizontal), std::string());

    // One step back gives the grid as it was.
    QAction* undo = form.MenuAction("MenuAnnulla");
    QCOMPARE(undo->text(), QString("&Annulla Completa schema"));
    undo->trigger();
    QCOMPARE(Cells(doc), before);
}

void CompleteFillTest::impossibleGridIsLeftAlone() {
    Program program;
    // "QQQ" starts no word of the vocabulary.
    testgui::WriteFile(program.Path("qqq.qdr"),
                       "Autore     : Prova\r\nData       : 01-01-2026\r\nTipo       : Crociate Normale\r\n"
                       "Dimensioni : 05x03\r\nk.k.k.H.D*\r\nH.H.H.H.H.\r\nH.H.H.H.H.\r\n");
    auto& form = program.Start(program.Path("qqq.qdr"));
    auto& doc = form.Document();
    const std::string before = Cells(doc);
    const QByteArray opened = testgui::ReadFile(program.Path("_qdra_32.tmp"));

    bool seen = false, overdue = false;
    PressCompleta(seen, overdue, 100);  // the quality chosen last time
    form.MenuAction("MenuCompleta")->trigger();
    QVERIFY2(seen, "the Completa schema window did not show within 10 s");
    QVERIFY2(!overdue, "the search had not ended after 60 s");
    QCOMPARE(program.messages.shown.size(), std::size_t(1));
    const QString text = testgui::Texts(program.messages).front();
    QVERIFY2(text.startsWith("Impossibile completare lo schema"), qPrintable(text));
    QVERIFY2(text.contains("orizzontale 1 alle coordinate 1,1: 'QQQ.'"), qPrintable(text));
    QCOMPARE(program.messages.shown.front().title, std::string("Completa schema"));
    QCOMPARE(Cells(doc), before);
    QVERIFY(!doc.ChangedFlag);
    QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), opened);
    QVERIFY(!form.MenuAction("MenuAnnulla")->isEnabled());
}

void CompleteFillTest::cancelInTheProgressWindowLeavesTheGrid() {
    Program program;
    QFile::copy(testgui::DataFile("griglie/grande_25x15.qdr"), program.Path("grande.qdr"));
    auto& form = program.Start(program.Path("grande.qdr"));
    auto& doc = form.Document();
    form.SetRandomSource([] { return 0.25; });
    const std::string before = Cells(doc);
    const QByteArray opened = testgui::ReadFile(program.Path("_qdra_32.tmp"));

    // The real search runs; should it end before the test presses
    // "&Annulla", its end is held back until the press (60 s at most), so
    // what is checked does not hang on how fast the search is.
    auto search = [](const document::Crossword& d, fill::LetterIndex& index,
                          const fill::CompleteFillOptions& options, fill::CompleteFillProgress* progress) {
        fill::CompleteFillResult result = fill::CompleteFill(d, index, options, progress);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!options.cancel->load() && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return result;
    };
    bool seen = false, moved = false;
    QString shown;
    WhenWindowShows(seen, [&](dialogs::CompleteFillDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("Completa schema"));
        dialog->SetSearch(search);
        dialog->findChild<QPushButton*>("Completa")->click();
        QVERIFY(dialog->Running());
        // The figures move while the window is up.
        QTRY_VERIFY_WITH_TIMEOUT(moved = dialog->findChild<QProgressBar*>()->value() > 0, 30000);
        shown = dialog->ProgressText();
        auto* cancel = dialog->findChild<QPushButton*>("Annulla");
        QCOMPARE(cancel->text(), QString("&Annulla"));
        cancel->click();
    });
    form.MenuAction("MenuCompleta")->trigger();

    QVERIFY2(seen, "the Completa schema window did not show within 10 s");
    QVERIFY2(moved, "the progress bar did not move within 30 s of the start");
    QVERIFY2(shown.contains("Parole completate:") && shown.contains("di 94"), qPrintable(shown));
    QVERIFY2(QRegularExpression("Tempo: \\d+,\\d s di 120$").match(shown).hasMatch(), qPrintable(shown));
    QVERIFY(program.messages.shown.empty());
    QCOMPARE(Cells(doc), before);
    QVERIFY(!doc.ChangedFlag);
    QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), opened);
}

QTEST_MAIN(CompleteFillTest)
#include "complete_fill_test.moc"
