// The fill assistant in the main window: dead cells tinted on the grid, the
// "Parole possibili" window following the slot clicked, a word placed from
// it as one change that one undo takes back.

#include "program_fixture.h"

#include "../core/test_grids.h"
#include "../core/test_vocabulary.h"
#include "editor/fill_assistant_view.h"
#include "platform/recording/recording_settings.h"

#include <QCheckBox>
#include <QListView>
#include <QtTest>

using testgui::Program;

namespace {

QColor Inside(editor::Form1& form, int column, int row) {
    const auto& doc = form.Document();
    const editor::Pixel corner = editor::CellOrigin(doc, column, row);
    // Low in the cell's left part: clear of the number and of the letter.
    return form.Area()->Image().toImage().pixelColor(corner.x + 3, corner.y + doc.CellSize - 4);
}

QString Row(editor::Form1& form, int r) { return QString::fromStdString(testgrids::RowCells(form.Document(), r)); }

} // namespace

class FillAssistantGuiTest : public QObject {
    Q_OBJECT
private slots:
    void tintsDeadCellsAndPlacesAWordAsOneChange();
};

void FillAssistantGuiTest::tintsDeadCellsAndPlacesAWordAsOneChange() {
    Program program(false);
    testgui::WriteFile(program.Path("LESSICO.DAT"),
                       QByteArray::fromStdString(testgrids::LayOut({
                           {3, {"CAT", "COW", "BEE", "BOX", "BIG", "ANT"}},
                           {4, {"DUNE", "CANE", "BARN", "BOAT", "ABLE"}},
                       })));
    // Across the top a slot of four whose first cell starts a slot of three
    // down, and beyond a black cell a slot of three no word can end with Z.
    testgui::WriteFile(program.Path("mio.qdr"), testgui::Crossword({"....*..Z", ".*******", ".*******"}));
    // The assistant was left on in an earlier run.
    platform::RecordingSettings settings;
    settings.values[{"Options", "Show Tips at Startup"}] = "0";
    settings.values[{"Options", "Assistente di riempimento"}] = "1";
    program.form = std::make_unique<editor::Form1>(editor::Services{program.messages, program.launcher, &settings},
                                                   editor::StartupOptions{program.folder.path(),
                                                                          platform::PathBytes(program.Path("mio.qdr")),
                                                                          program.Path("recupero"), {}});
    editor::Form1& form = *program.form;
    form.show();
    form.resize(800, 553 + (form.height() - form.Area()->height()));
    form.Activate();
    QAction* menu = form.MenuAction("MenuAssistente");
    QVERIFY(menu->isCheckable() && menu->isChecked());
    QVERIFY(form.Assistant());
    QTRY_VERIFY2_WITH_TIMEOUT(Inside(form, 7, 1) == QColor(255, 150, 150),
                              "the slot ending in Z was never tinted", 10000);
    QCOMPARE(Inside(form, 2, 1), QColor(Qt::white));
    QCOMPARE(Inside(form, 8, 1), QColor(255, 150, 150));

    // Clicking the slot across lists its words, most room left first.
    editor::PossibleWordsWindow* window = form.Assistant()->Window();
    QVERIFY(window->isVisible());
    QTest::mouseClick(form.Area(), Qt::LeftButton, {}, testgui::CellCentre(form, 2, 1));
    QListView* list = window->List();
    QTRY_VERIFY2_WITH_TIMEOUT(list->model()->rowCount() == 4, "the words of the slot across never came", 10000);
    QCOMPARE(list->model()->index(0, 0).data().toString(), QString("BARN  (3)"));
    QCOMPARE(window->findChild<QLabel*>("Conteggio")->text(), QString("4 parole possibili"));
    QVERIFY2(!window->Follow()->isChecked(), "a click fixes the list to the slot clicked");
    QVERIFY(window->findChild<QLabel*>("Escluse")->text().startsWith("1 altra parola"));

    // A double click on CANE writes it; one undo takes it back.
    const QModelIndex cane = list->model()->index(2, 0);
    const QPoint onCane = list->visualRect(cane).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onCane);
    QCOMPARE(Row(form, 1), QString("....*..Z"));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, onCane);
    QCOMPARE(Row(form, 1), QString("CANE*..Z"));
    QCOMPARE(form.MenuAction("MenuAnnulla")->text(), QString("&Annulla parola CANE"));
    // The list follows the new grid: the slot is full.
    QTRY_VERIFY2_WITH_TIMEOUT(list->model()->rowCount() == 1, "the list never followed the placed word", 10000);
    form.MenuAction("MenuAnnulla")->trigger();
    QCOMPARE(Row(form, 1), QString("....*..Z"));
    QVERIFY(!form.History().CanUndo());

    // Off again: no tint, no window, and so it stays for the next run.
    menu->trigger();
    QVERIFY(!form.Assistant());
    QCOMPARE(Inside(form, 7, 1), QColor(Qt::white));
    QCOMPARE(settings.Get("Options", "Assistente di riempimento", "?"), std::string("0"));
}

QTEST_MAIN(FillAssistantGuiTest)
#include "fill_assistant_gui_test.moc"
