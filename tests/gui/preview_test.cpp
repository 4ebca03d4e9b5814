// The print preview in the main window, the print commands around it, and
// the picture of the window's drawing, driven as a person would.

#include "program_fixture.h"

#include <QAction>
#include <QImage>
#include <QInputDialog>
#include <QMenu>
#include <QPrintDialog>
#include <QPushButton>
#include <QtTest>

using testgui::Program;

namespace {

const QByteArray kCrossword =
    "Autore     : Zampetti Olindo\r\nData       : 28-01-1998\r\nTipo       : Crociate Normale\r\n"
    "Dimensioni : 04x04\r\nl.[.l.[.\r\nH.H.H.H.\r\nD*H.H.H.\r\nH.H.H.H.\r\n  1  11-Nota\r\n";

const char* const kEditingButtons[] = {"CambiaFont", "AggColonna", "TogliColonna", "AggRiga", "TogliRiga",
                                       "CasBianca", "CasNera", "Tabella", "Estrazione", "Edit"};

bool PreviewOnScreen(editor::Form1& form) {
    QPushButton* close = form.Area()->CloseButton();
    return form.PreviewShown() && close->isVisible() && close->objectName() == "Command3d15";
}

// Cancels the print dialog once it is up; true when one came.
bool CancelPrintDialog(QAction* command) {
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            seen = true;
            dialog->reject();
        }
    });
    command->trigger();
    return seen;
}

} // namespace

class PreviewTest : public QObject {
    Q_OBJECT
private slots:
    void previewPutsEditingOutOfReachUntilClosed();
    void printCommandsAndThePreview();
    void pictureOfTheGrid();
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
    // The white sheet with its dark red edge is on the window.
    const QImage image = form.Area()->Image().toImage();
    QCOMPARE(image.pixelColor(400, 300), QColor(Qt::white));
    QCOMPARE(image.pixelColor(221, 300), QColor(128, 0, 0));

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
    QVERIFY(CancelPrintDialog(form.ToolAction("Stampa")));
    QVERIFY(PreviewOnScreen(form));
    // ...the menu's print closes it first.
    QVERIFY(CancelPrintDialog(form.MenuAction("MenuStampa")));
    QVERIFY(!form.PreviewShown());
    QVERIFY(program.messages.shown.empty());

    // Save closes it and redraws the grid before it writes.
    form.MenuAction("MenuAnteprima")->trigger();
    form.MenuAction("MenuSalva")->trigger();
    QVERIFY(!form.PreviewShown());
    QCOMPARE(testgui::ReadFile(program.Path("mio.qdr")), kCrossword);
}

void PreviewTest::pictureOfTheGrid() {
    Program program;
    testgui::WriteFile(program.Path("mio.qdr"), kCrossword);
    auto& form = program.Start(program.Path("mio.qdr"));
    QVERIFY(form.MenuAction("MenuSaveWMF")->isEnabled());
    auto answer = [&](const QString& name) {
        QTimer::singleShot(0, [name] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QString("Salvataggio picture .BMP"));
            if (name.isEmpty()) {
                box->reject();
                return;
            }
            box->setTextValue(name);
            box->accept();
        });
        form.MenuAction("MenuSaveWMF")->trigger();
    };
    answer({});
    QVERIFY(QDir(program.folder.path()).entryList({"*.bmp", "*.BMP"}).isEmpty());
    answer(program.Path("schema.bmp"));
    QImage picture(program.Path("schema.bmp"), "BMP");
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.size(), form.Area()->size());
    // The black cell at (1, 3) is black in the picture.
    const auto& doc = form.Document();
    QCOMPARE(picture.pixelColor(doc.GridLeft + doc.CellSize / 2, doc.GridTop + 2 * doc.CellSize + doc.CellSize / 2),
             QColor(Qt::black));
}

void PreviewTest::aboutBoxClosesThePreviewFirst() {
    Program program;
    testgui::WriteFile(program.Path("mio.qdr"), kCrossword);
    auto& form = program.Start(program.Path("mio.qdr"));
    form.MenuAction("MenuAnteprima")->trigger();
    QString shown;
    QTimer::singleShot(0, [&shown] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box);
        shown = box->objectName();
        box->close();
    });
    QVERIFY(form.MenuAction("MenuInfo")->isEnabled());
    form.MenuAction("MenuInfo")->trigger();
    QCOMPARE(shown, QString("Form3"));
    QVERIFY(!form.PreviewShown());
    QVERIFY(form.MenuAction("MenuFont")->isEnabled());
    QVERIFY(form.ToolAction("CambiaFont")->isEnabled());
}

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
