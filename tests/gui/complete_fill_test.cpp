// "Completa schema" in the main window: the progress window, the filled grid
// as one change that can be undone, and the grid left alone when no fill is
// found or the user stops the search.

#include "program_fixture.h"

#include "dialogs/complete_fill_dialog.h"
#include "fill/complete_fill.h"
#include "vocabulary/vocabulary.h"

#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QRegularExpression>
#include <QtTest>

#include <chrono>
#include <set>
#include <thread>

using testgui::Program;
using Dialog = dialogs::CompleteFillDialog;

namespace {

// "" when the grid keeps the black cells and letters of `before`, has no
// empty white cell, and every run of 3 or more white cells is a word of the
// real vocabulary, each once.
QString Faults(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    platform::RecordingMessages quiet;
    vocabulary::Vocabulary vocab;
    vocab.LoadVocabularyIndex(QUADRIVO_LESSICO, quiet);
    QString faults;
    std::set<std::string> used;
    const int rows = int(after.size()), columns = int(after[0].size());
    auto white = [&](int c, int r) { return c >= 0 && r >= 0 && c < columns && r < rows && after[r][c] != '*'; };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const char was = before[r][c], now = after[r][c];
            if (now == '.' || (was == '*') != (now == '*') || (was != '.' && was != '*' && now != was))
                faults += QString(" %1,%2").arg(c + 1).arg(r + 1);
            for (auto [dc, dr] : {std::pair{1, 0}, std::pair{0, 1}}) {
                if (!white(c, r) || white(c - dc, r - dr)) continue;
                std::string run;
                for (int i = 0; white(c + dc * i, r + dr * i); ++i) run += after[r + dr * i][c + dc * i];
                if (run.size() >= 3 && (!vocab.PatternExists(run) || !used.insert(run).second))
                    faults += QString(" %1").arg(QString::fromStdString(run));
            }
        }
    return faults;
}

// Checks the quality the window offers, sets `quality` when given, presses
// "&Completa" and waits for the search to end.
std::function<void(Dialog&)> PressCompleta(int offered, int quality = 0) {
    return [offered, quality](Dialog& dialog) {
        auto* box = dialog.findChild<QSpinBox*>("Qualita");
        QCOMPARE(box->value(), offered);
        if (quality > 0) box->setValue(quality);
        testgui::Click(dialog, "Completa");
        QTRY_VERIFY2_WITH_TIMEOUT(!dialog.isVisible(), "the search had not ended after 60 s", 60000);
    };
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
    form.SetRandomSource([] { return 0.5; });
    const auto before = fill::GridCells(form.Document());
    const testgui::Snapshot opened = testgui::Take(form);

    QAction* complete = form.MenuAction("MenuCompleta");
    QCOMPARE(complete->text(), QString("&Completa schema ..."));
    testgui::WithDialog<Dialog>(complete, PressCompleta(fill::DefaultQuality, 100));
    QVERIFY2(program.messages.shown.empty(), qPrintable(testgui::Texts(program.messages).join("|")));
    QCOMPARE(Faults(before, fill::GridCells(form.Document())), QString());
    const testgui::Snapshot filled = testgui::Take(form);
    QVERIFY(filled.changed);
    QVERIFY(filled.working != opened.working);

    // One step back gives the grid as it was.
    QAction* undo = form.MenuAction("MenuAnnulla");
    QCOMPARE(undo->text(), QString("&Annulla Completa schema"));
    undo->trigger();
    QCOMPARE(fill::GridCells(form.Document()), before);
}

void CompleteFillTest::impossibleGridIsLeftAlone() {
    Program program;
    // "QQQ" starts no word of the vocabulary.
    testgui::WriteFile(program.Path("qqq.qdr"), testgui::Crossword({"QQQ.*", ".....", "....."}));
    auto& form = program.Start(program.Path("qqq.qdr"));
    const testgui::Snapshot before = testgui::Take(form);

    testgui::WithDialog<Dialog>(form.MenuAction("MenuCompleta"), PressCompleta(100));  // the quality chosen last time
    QCOMPARE(program.messages.shown.size(), std::size_t(1));
    QCOMPARE(program.messages.shown.front().title, std::string("Completa schema"));
    const QString text = testgui::Texts(program.messages).front();
    QVERIFY2(text.startsWith("Impossibile completare lo schema") &&
                 text.contains("orizzontale 1 alle coordinate 1,1: 'QQQ.'"), qPrintable(text));
    QVERIFY(testgui::Take(form) == before);
    QVERIFY(!form.MenuAction("MenuAnnulla")->isEnabled());
}

void CompleteFillTest::cancelInTheProgressWindowLeavesTheGrid() {
    Program program;
    QFile::copy(testgui::DataFile("griglie/grande_25x15.qdr"), program.Path("grande.qdr"));
    auto& form = program.Start(program.Path("grande.qdr"));
    form.SetRandomSource([] { return 0.25; });
    const testgui::Snapshot before = testgui::Take(form);

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
    QString shown;
    testgui::WithDialog<Dialog>(form.MenuAction("MenuCompleta"), [&](Dialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QString("Completa schema"));
        dialog.SetSearch(search);
        testgui::Click(dialog, "Completa");
        // The figures move while the window is up.
        QTRY_VERIFY2_WITH_TIMEOUT(dialog.findChild<QProgressBar*>()->value() > 0,
                                  "the progress bar did not move within 30 s of the start", 30000);
        shown = dialog.ProgressText();
        QCOMPARE(dialog.findChild<QPushButton*>("Annulla")->text(), QString("&Annulla"));
        testgui::Click(dialog, "Annulla");
    });
    QVERIFY2(shown.contains("Parole completate:") && shown.contains("di 94"), qPrintable(shown));
    QVERIFY2(QRegularExpression("Tempo: \\d+,\\d s di 120$").match(shown).hasMatch(), qPrintable(shown));
    QVERIFY(program.messages.shown.empty());
    QVERIFY(testgui::Take(form) == before);
}

QTEST_MAIN(CompleteFillTest)
#include "complete_fill_test.moc"
