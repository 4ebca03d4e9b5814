// The print preview in the main window, the print commands around it, and
// the picture of the window's drawing, driven as a person would.

#include "program_fixture.h"

#include "output/page_layout.h"

#include <QImage>
#include <QMenu>
#include <QPrintDialog>
#include <QtTest>

using testgui::Program;

namespace {

const QByteArray kCrossword = testgui::Crossword({"RARA", "....", "*...", "...."}, "  1  11-Nota\r\n");

const char* const kEditingButtons[] = {"CambiaFont", "AggColonna", "TogliColonna", "AggRiga", "TogliRiga",
                                       "CasBianca", "CasNera", "Tabella", "Estrazione", "Edit"};

bool PreviewOnScreen(editor::Form1& form) {
    QPushButton* close = form.Area()->CloseButton();
    return form.PreviewShown() && close->isVisible() && close->objectName() == "Command3d15";
}

// Cancels the print dialog `command` opens.
void CancelPrintDialog(QAction* command) {
    testgui::WithDialog<QPrintDialog>(command, [](QPrintDialog& dialog) { dialog.reject(); });
}

} // namespace

class PreviewTest : public QObject {
    Q_OBJECT
private slots:
    void previewPutsEditingOutOfReachUntilClosed();
    void printCommandsAndThePreview();
    void aboutBoxClosesThePreviewFirst();
};

void PreviewTest::previewPutsEditingOutOfReachUntilClosed() {
    Program program;
    testgui::WriteFile(program.Path("mio.qdr"), kCrossword);
    auto& form = program.Start(program.Path("mio.qdr"));
    form.ToolAction("CasNera")->trigger();
    form.MenuAction("MenuAnteprima")->trigger();
    QVERIFY(PreviewOnScreen(form));
    QCOMPARE(form.Area()->CloseButton()->text(), QString("Chiudi"));
    QCOMPARE(form.Area()->CloseButton()->toolTip(), QString("Chiude anteprima di stampa"));
    QCOMPARE(form.Document().EditMode, int(document::NotShowingGrid));
    QVERIFY(!form.Menu("MenuEdit")->menuAction()->isVisible());
    QVERIFY(!form.Menu("MenuUtiliti")->menuAction()->isVisible());
    QVERIFY(form.Menu("MenuFile")->menuAction()->isVisible());
    for (const char* key : kEditingButtons) QVERIFY2(!form.ToolAction(key)->isEnabled(), key);
    for (const char* key : {"Nuovo", "Apri", "Salva", "Stampa", "Anteprima"})
        QVERIFY2(form.ToolAction(key)->isEnabled(), key);
    // The white sheet on the grey window, its dark red edge from (221, 28)
    // to (579, 533); the letter R in the grid's first cell.
    const QImage image = form.Area()->Image().toImage();
    QCOMPARE(image.pixelColor(400, 300), QColor(Qt::white));
    for (QPoint edge : {QPoint(221, 300), QPoint(579, 200), QPoint(400, 533)})
        QCOMPARE(image.pixelColor(edge), QColor(128, 0, 0));
    QVERIFY(image.pixelColor(215, 200) != QColor(Qt::white));
    const output::PageLayout page = output::PreviewLayout(form.Document(), output::AreaOf(form.DrawingSurface(), 28, 19));
    bool dark = false;
    for (int y = page.y0 + 4; y < page.y0 + page.cell - 2; ++y)
        for (int x = page.x0 + 4; x < page.x0 + page.cell - 2; ++x) dark = dark || image.pixelColor(x, y).lightness() < 100;
    QVERIFY(dark);

    // The toolbar's preview again draws it once more; one "Chiudi" ends it.
    form.ToolAction("Anteprima")->trigger();
    QVERIFY(PreviewOnScreen(form));
    QTest::mouseClick(form.Area()->CloseButton(), Qt::LeftButton);
    QVERIFY(!form.PreviewShown());
    QVERIFY(!form.Area()->CloseButton()->isVisible());
    QVERIFY(form.Menu("MenuEdit")->menuAction()->isVisible());
    for (const char* key : kEditingButtons)
        QVERIFY2(form.ToolAction(key)->isEnabled() || key == std::string("CambiaFont"), key);
    // The grid is back, and a click on it edits nothing until a tool is chosen.
    QCOMPARE(form.Document().EditMode, int(document::NotShowingGrid));
    const auto& doc = form.Document();
    QTest::mouseClick(form.Area(), Qt::LeftButton, {},
                      QPoint(doc.GridLeft + doc.CellSize / 2, doc.GridTop + doc.CellSize + doc.CellSize / 2));
    QCOMPARE(doc.GridLine(2), std::string(8, '.'));
    QVERIFY(!doc.ChangedFlag);
}

void PreviewTest::printCommandsAndThePreview() {
    Program program;
    testgui::WriteFile(program.Path("mio.qdr"), kCrossword);
    auto& form = program.Start(program.Path("mio.qdr"));
    form.MenuAction("MenuAnteprima")->trigger();
    // The toolbar's print leaves the preview on screen...
    CancelPrintDialog(form.ToolAction("Stampa"));
    QVERIFY(PreviewOnScreen(form));
    // ...the menu's print closes it first.
    CancelPrintDialog(form.MenuAction("MenuStampa"));
    QVERIFY(!form.PreviewShown());
    QVERIFY(program.messages.shown.empty());

    // Save closes it and redraws the grid before it writes.
    form.MenuAction("MenuAnteprima")->trigger();
    form.MenuAction("MenuSalva")->trigger();
    QVERIFY(!form.PreviewShown());
    QCOMPARE(testgui::ReadFile(program.Path("mio.qdr")), kCrossword);
}

void PreviewTest::aboutBoxClosesThePreviewFirst() {
    Program program;
    testgui::WriteFile(program.Path("mio.qdr"), kCrossword);
    auto& form = program.Start(program.Path("mio.qdr"));
    form.MenuAction("MenuAnteprima")->trigger();
    QVERIFY(form.MenuAction("MenuInfo")->isEnabled());
    testgui::WithDialog<QDialog>(form.MenuAction("MenuInfo"),
                                 [](QDialog& box) { QCOMPARE(box.objectName(), QString("Form3")); });
    QVERIFY(!form.PreviewShown());
    QVERIFY(form.MenuAction("MenuFont")->isEnabled());
    QVERIFY(form.ToolAction("CambiaFont")->isEnabled());
}

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
