// "&Importa ...": a crossword of another program comes in as a new, unsaved
// crossword, with what it lost said once; a refused file changes nothing.

#include "program_fixture.h"

#include "dialogs/import_dialog.h"
#include "dialogs/save_dialog.h"

#include <QtTest>

using platform::Answer;
using testgui::Program;

class ImportCommandTest : public QObject {
    Q_OBJECT
private slots:
    void importedCrosswordIsNewAndUnsaved();
};

void ImportCommandTest::importedCrosswordIsNewAndUnsaved() {
    Program program;
    for (const char* name : {"rebus.ipuz", "ventuno.ipuz"})
        QFile::copy(testgui::DataFile(QString("importa/") + name), program.Path(name));
    auto& form = program.Start();
    QAction* import = form.MenuAction("MenuImporta");
    QCOMPARE(import->text(), QString("&Importa ..."));
    auto choose = [&](const QString& name) {
        testgui::WithDialog<dialogs::ImportDialog>(import, [&](dialogs::ImportDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("Importa cruciverba"));
            dialog.selectFile(program.Path(name));
            QMetaObject::invokeMethod(&dialog, "accept");
        });
    };

    // Too big for a .qdr: refused with its size, nothing changes.
    choose("ventuno.ipuz");
    QCOMPARE(program.messages.shown.size(), std::size_t(1));
    QVERIFY(testgui::Texts(program.messages)[0].contains("21 x 21"));
    QVERIFY(!form.Document().HasCrossword());

    choose("rebus.ipuz");
    QCOMPARE(program.messages.shown.size(), std::size_t(2));
    QVERIFY(testgui::Texts(program.messages)[1].contains("rebus"));
    const auto& doc = form.Document();
    QCOMPARE(doc.CurrentFileName, std::string("REBUS.QDR"));
    QCOMPARE(doc.ColumnCount, 5);
    QVERIFY(doc.ChangedFlag);
    QVERIFY(form.windowTitle().contains("Cruciverba 5x5"));
    QVERIFY(testgui::ReadFile(QString::fromStdString(form.WorkingFile())).contains("Dimensioni : 05x05"));

    // "Salva" asks for a name: nothing is written under the proposed one.
    bool asked = false;
    testgui::WithDialog<dialogs::CruciSav>(form.MenuAction("MenuSalva"), [&](dialogs::CruciSav&) { asked = true; });
    QVERIFY(asked);
    QVERIFY(!QFile::exists(program.Path("REBUS.QDR")));
}

QTEST_MAIN(ImportCommandTest)
#include "import_command_test.moc"
