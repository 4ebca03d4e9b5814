// Open with preview, Save as with the author, and the word table, driven as
// a person would through the menus.

#include "program_fixture.h"

#include "dialogs/folder_browser.h"
#include "dialogs/new_dialog.h"
#include "platform/qt/picture_box.h"
#include "dialogs/open_dialog.h"
#include "dialogs/save_dialog.h"
#include "document/crossword_file.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using platform::Answer;
using testgui::Click;
using testgui::Program;
using testgui::Text;
using testgui::WithDialog;

namespace {

} // namespace

class FileDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void openPreviewsAndOpensACrossword();
    void openReportsBadFiles();
    void saveAsWithAuthorAndOverwriteQuestion();
    void savedCrosswordOpensAgainUnchanged();
};

void FileDialogsTest::openPreviewsAndOpensACrossword() {
    Program program;
    QFile::copy(testgui::DataFile("esempio.qdr"), program.Path("b_esempio.qdr"));
    QFile::copy(testgui::DataFile("esempio.qdr"), program.Path("A_MAIUSC.QDR"));
    testgui::WriteFile(program.Path("appunti.txt"), "non un cruciverba");
    auto& form = program.Start();
    QCOMPARE(form.MenuAction("MenuApri")->isEnabled(), true);

    WithDialog<dialogs::Form2>(form.MenuAction("MenuApri"), [&](dialogs::Form2& dialog) {
        QCOMPARE(dialog.windowTitle(), QString("Quadrivo 98  - Apertura layout parole crociate"));
        QCOMPARE(dialog.Browser().FileNames(), QStringList({"A_MAIUSC.QDR", "b_esempio.qdr"}));
        // The first file is selected and previewed at once.
        QCOMPARE(Text(dialog, "Text1"), QString("A_MAIUSC.QDR"));
        QCOMPARE(Text(dialog, "Label2"), QString("Anteprima: 03x03"));
        QCOMPARE(dialog.findChild<QStatusBar*>("StatusBar1")->findChild<QLabel*>()->text(),
                 QString(" Zampetti Olindo - 28-01-1998 - Crociate Normale"));
        // The black cell (3,1) of the pattern in the 346 x 255 picture: cell
        // min(nearest(336 / 3), nearest(245 / 3)) = 82, x0 = 50, y0 = nearest(4.5) = 4.
        const QImage preview = dialog.Preview()->Image().toImage();
        QCOMPARE(preview.size(), QSize(346, 255));
        QCOMPARE(preview.pixelColor(50 + 2 * 82 + 41, 4 + 41), QColor(Qt::black));
        QCOMPARE(preview.pixelColor(50 + 82 + 41, 4 + 82 + 41), QColor(Qt::white));  // letters are not shown
        QCOMPARE(preview.pixelColor(50, 4), QColor(Qt::black));                      // the outline's corner

        QTest::mouseClick(dialog.Browser().Files()->viewport(), Qt::LeftButton, {},
                          dialog.Browser().Files()->visualItemRect(dialog.Browser().Files()->item(1)).center());
        QCOMPARE(Text(dialog, "Text1"), QString("b_esempio.qdr"));
        QTest::keyClick(dialog.findChild<QLineEdit*>("Text1"), Qt::Key_Return);
    });
    QVERIFY(program.messages.shown.empty());
    auto& doc = form.Document();
    QCOMPARE(QString::fromStdString(doc.CurrentFileName), program.Path("b_esempio.qdr"));
    QCOMPARE(doc.EditMode, int(document::ClueMode));
    QVERIFY(form.ToolAction("Edit")->isChecked());
    QVERIFY(!doc.ChangedFlag);
    QCOMPARE(doc.GridLine(2), std::string("..V..."));
    QCOMPARE(doc.Definitions(1, 1, 1), std::string("Nota musicale"));
    QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), testgui::ReadFile(testgui::DataFile("esempio.qdr")));
    QCOMPARE(form.windowTitle(), "Quadrivo 98 - Cruciverba 3x3  " + program.Path("b_esempio.qdr"));
    QVERIFY(form.Area()->Splash()->isHidden());

    // A second crossword leaves none of the first one's clues behind.
    form.Document().Definitions(3, 3, 2) = "resto";
    testgui::WriteFile(program.Path("c.qdr"), "Autore     : X\r\nData       : 01-01-2000\r\nTipo       : Crociate Normale\r\n"
                                              "Dimensioni : 03x03\r\nHHHHHH\r\nHHHHHH\r\nHHHHHH\r\n");
    WithDialog<dialogs::Form2>(form.MenuAction("MenuApri"), [&](dialogs::Form2& dialog) {
        dialog.findChild<QLineEdit*>("Text1")->setText("c.qdr");
        Click(dialog, "Command3d1");
    });
    QCOMPARE(form.Document().Definitions(3, 3, 2), std::string());
    QCOMPARE(form.Document().Definitions(1, 1, 1), std::string());
}

void FileDialogsTest::openReportsBadFiles() {
    Program program;
    testgui::WriteFile(program.Path("a_vuoto.qdr"), "");
    testgui::WriteFile(program.Path("b_strano.qdr"),
                       "Autore     : X\r\nData       : Y\r\nTipo       : Z\r\nDimensioni : 03x01\r\nH.H?H.\r\n");
    QDir(program.folder.path()).mkdir("sotto.cartella");
    auto& form = program.Start();
    WithDialog<dialogs::Form2>(form.MenuAction("MenuApri"), [&](dialogs::Form2& dialog) {
        QCOMPARE(testgui::Texts(program.messages), QStringList{"Formato del file non valido!"});
        dialog.ShowPreview("b_strano.qdr");
        QCOMPARE(testgui::Texts(program.messages).last(), QString("Tipo di file non valido!"));
        dialog.ShowPreview("nessuno.qdr");
        QCOMPARE(testgui::Texts(program.messages).last(), QString("Nessun file di cruciverba trovato!"));
        dialog.findChild<QLineEdit*>("Text1")->setText("nessuno.qdr");
        Click(dialog, "Command3d1");
        QCOMPARE(testgui::Texts(program.messages).last(), QString("Errore: file inesistente!"));
        QVERIFY(dialog.isVisible());

        // Browsing moves the current folder; an empty folder previews nothing.
        const QString sub = program.Path("sotto.cartella");
        QVERIFY(dialog.Browser().SetFolder(sub));
        QCOMPARE(QDir::currentPath(), sub);
        QVERIFY(dialog.Browser().FileNames().isEmpty());
        QVERIFY(!dialog.Browser().SetFolder(program.Path("non_esiste")));
        QCOMPARE(testgui::Texts(program.messages).last(), QString(dialogs::FolderReadError));
        QTest::keyClick(dialog.findChild<QLineEdit*>("Text1"), Qt::Key_Escape);
    });
    // Annulla with no crossword: the window shows no grid.
    QCOMPARE(form.Document().EditMode, int(document::NotShowingGrid));
    QVERIFY(!form.Document().HasCrossword());
    QVERIFY(!form.Area()->Splash()->isHidden());
}

void FileDialogsTest::saveAsWithAuthorAndOverwriteQuestion() {
    Program program;
    auto& form = program.Start();
    WithDialog<dialogs::FormNew>(form.MenuAction("MenuNuovo"), [](dialogs::FormNew& dialog) {
        QCoreApplication::processEvents();
        dialog.CreateFromSize();
    });
    QCOMPARE(form.Document().CurrentFileName, std::string("NUOVOCRU.QDR"));

    // Save on a crossword without a name goes to Save as.
    WithDialog<dialogs::CruciSav>(form.MenuAction("MenuSalva"), [&](dialogs::CruciSav& dialog) {
        QCOMPARE(dialog.windowTitle(), QString("Quadrivo 98 - Salvataggio"));
        QCOMPARE(Text(dialog, "Text1"), QString("NUOVOCRU.QDR"));
        QCOMPARE(Text(dialog, "Text2"), QString("Zampetti Olindo"));
        dialog.findChild<QLineEdit*>("Text1")->setText("schema1");
        dialog.findChild<QLineEdit*>("Text2")->setText(QString::fromUtf8("Niccolò Rossi"));
        QTest::keyClick(dialog.findChild<QLineEdit*>("Text2"), Qt::Key_Return);
    });
    const QString saved = program.Path("schema1.qdr");
    QVERIFY(program.messages.shown.empty());
    QVERIFY(testgui::ReadFile(saved).startsWith("Autore     : Niccol\xF2 Rossi\r\nData       : "));
    QVERIFY(testgui::ReadFile(program.Path("_qdra_32.tmp")).startsWith("Autore     : Niccol\xF2 Rossi\r\n"));
    QCOMPARE(QString::fromStdString(form.Document().CurrentFileName), saved);
    QCOMPARE(form.windowTitle(), "Quadrivo 98 - Cruciverba 16x13  " + saved);

    // Over an existing file: Annulla writes nothing and closes; OK overwrites.
    auto saveAgain = [&](const char* author) {
        WithDialog<dialogs::CruciSav>(form.MenuAction("MenuSalvaCN"), [&](dialogs::CruciSav& dialog) {
            QCOMPARE(Text(dialog, "Text1"), saved);
            QCOMPARE(Text(dialog, "Text2"), QString::fromUtf8("Niccolò Rossi"));
            dialog.findChild<QLineEdit*>("Text2")->setText(author);
            Click(dialog, "Command3D1");
            QVERIFY(!dialog.isVisible());
        });
    };
    program.messages.Script({Answer::Cancel});
    saveAgain("Altro");
    QCOMPARE(testgui::Texts(program.messages),
             QStringList{"Il file " + saved.toUpper() + QString::fromUtf8(" esiste già; vuoi riscriverlo?")});
    QCOMPARE(program.messages.shown[0].title, std::string("Salvataggio file"));
    QVERIFY(testgui::ReadFile(saved).startsWith("Autore     : Niccol\xF2 Rossi\r\n"));
    program.messages.Script({Answer::Ok});
    form.Document().FileLines(1) = "Autore     : Niccol\xF2 Rossi";
    saveAgain("Altro");
    QVERIFY(testgui::ReadFile(saved).startsWith("Autore     : Altro\r\n"));

    // Names that cannot be saved keep the dialog open; a folder with a dot
    // in its path gives a dotless name no extension.
    QDir(program.folder.path()).mkdir("cartella.1");
    WithDialog<dialogs::CruciSav>(form.MenuAction("MenuSalvaCN"), [&](dialogs::CruciSav& dialog) {
        for (const char* bad : {"a*b", "", "/cartella_che_non_c_e/x"}) {
            dialog.findChild<QLineEdit*>("Text1")->setText(bad);
            Click(dialog, "Command3D1");
            QVERIFY(dialog.isVisible());
            QCOMPARE(testgui::Texts(program.messages).last(), QString("Errore di nome file o accesso al disco!"));
        }
        QVERIFY(dialog.Browser().SetFolder(program.Path("cartella.1")));
        dialog.findChild<QLineEdit*>("Text1")->setText("senza");
        Click(dialog, "Command3D1");
    });
    QVERIFY(QFile::exists(program.Path("cartella.1/senza")));
    QCOMPARE(QDir::currentPath(), program.folder.path());  // saving does not move the current folder

    QCOMPARE(dialogs::CruciSav::FullName("/tmp/x", "schema1"), QString("/tmp/x/schema1.qdr"));
    QCOMPARE(dialogs::CruciSav::FullName("/tmp/x", "/altrove/y"), QString("/altrove/y.qdr"));
    QCOMPARE(dialogs::CruciSav::FullName("/tmp/x", "y.QDR"), QString("/tmp/x/y.QDR"));
    QCOMPARE(dialogs::CruciSav::FullName("/tmp", "C:\\SCHEMI\\X"), QString("C:\\SCHEMI\\X.qdr"));

    document::Crossword none;
    const document::WorkingCopy working(program.Path("_qdra_32.tmp").toStdString());
    dialogs::CruciSav fresh(none, program.messages, working);
    QCOMPARE(Text(fresh, "Text1"), QString("Cruci000.qdr"));
}

void FileDialogsTest::savedCrosswordOpensAgainUnchanged() {
    Program program;
    QFile::copy(testgui::DataFile("esempio.qdr"), program.Path("orig.qdr"));
    auto& form = program.Start(program.Path("orig.qdr"));
    WithDialog<dialogs::CruciSav>(form.MenuAction("MenuSalvaCN"), [&](dialogs::CruciSav& dialog) {
        dialog.findChild<QLineEdit*>("Text1")->setText("copia");
        Click(dialog, "Command3D1");
    });
    QCOMPARE(testgui::ReadFile(program.Path("copia.qdr")), testgui::ReadFile(program.Path("orig.qdr")));
    WithDialog<dialogs::Form2>(form.MenuAction("MenuApri"), [&](dialogs::Form2& dialog) {
        dialog.findChild<QLineEdit*>("Text1")->setText("copia.qdr");
        Click(dialog, "Command3d1");
    });
    form.MenuAction("MenuSalva")->trigger();
    QCOMPARE(testgui::ReadFile(program.Path("copia.qdr")), testgui::ReadFile(program.Path("orig.qdr")));
    QVERIFY(program.messages.shown.empty());

    // A name with accented letters is the file system's name, and opens again.
    const QString accented = QString::fromUtf8("città");
    WithDialog<dialogs::CruciSav>(form.MenuAction("MenuSalvaCN"), [&](dialogs::CruciSav& dialog) {
        dialog.findChild<QLineEdit*>("Text1")->setText(accented);
        Click(dialog, "Command3D1");
    });
    QVERIFY(QFile::exists(program.Path(accented + ".qdr")));
    QVERIFY(form.windowTitle().endsWith(accented + ".qdr"));
    WithDialog<dialogs::Form2>(form.MenuAction("MenuApri"), [&](dialogs::Form2& dialog) {
        QVERIFY(dialog.Browser().FileNames().contains(accented + ".qdr"));
        dialog.findChild<QLineEdit*>("Text1")->setText(accented + ".qdr");
        Click(dialog, "Command3d1");
    });
    QVERIFY(program.messages.shown.empty());
    QCOMPARE(form.Document().CurrentFileName, program.Path(accented + ".qdr").toStdString());
}

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
