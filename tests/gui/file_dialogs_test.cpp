// Open with preview, Save as with the author, and the word table, driven as
// a person would through the menus.

#include "program_fixture.h"

#include "dialogs/folder_browser.h"
#include "dialogs/new_dialog.h"
#include "platform/qt/picture_box.h"
#include "dialogs/open_dialog.h"
#include "dialogs/save_dialog.h"
#include "document/crossword_file.h"
#include "words/word_table.h"

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
using testgui::Program;

namespace {

// Runs `act` on the modal dialog of type D once it is up, while `command` runs.
template <typename D>
void WithDialog(QAction* command, std::function<void(D&)> act) {
    bool seen = false;
    QTimer::singleShot(0, [act, &seen] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen = true;
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    command->trigger();
    QVERIFY(seen);
}

QString Text(QWidget& w, const char* name) {
    if (auto* e = w.findChild<QLineEdit*>(name)) return e->text();
    return w.findChild<QLabel*>(name)->text();
}

void Click(QWidget& w, const char* button) { w.findChild<QPushButton*>(button)->click(); }

QStringList Column(QTableWidget* table, int column) {
    QStringList texts;
    for (int r = 0; r < table->rowCount(); ++r) texts << (table->item(r, column) ? table->item(r, column)->text() : QString());
    return texts;
}

} // namespace

class FileDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void openPreviewsAndOpensACrossword();
    void openReportsBadFiles();
    void saveAsWithAuthorAndOverwriteQuestion();
    void savedCrosswordOpensAgainUnchanged();
    void wordTableEditsAndKeepsOrDropsChanges();
    void wordTableRefusesBadWords();
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

void FileDialogsTest::wordTableEditsAndKeepsOrDropsChanges() {
    Program program;
    testgui::WriteFile(program.Path("aperto.qdr"), "Autore     : X\r\nData       : 01-01-2000\r\nTipo       : Crociate Normale\r\n"
                                                   "Dimensioni : 03x03\r\nH.H.H.\r\nH.H.H.\r\nH.H.H.\r\n  1  12-Scende\r\n");
    auto& form = program.Start(program.Path("aperto.qdr"));
    auto& doc = form.Document();
    WithDialog<words::CruciBro>(form.ToolAction("Tabella"), [&](words::CruciBro& table) {
        QCOMPARE(doc.EditMode, int(document::WordTable));
        QCOMPARE(table.windowTitle(), "Quadrivo 98 - Cruciverba 3x3  " + program.Path("aperto.qdr"));
        QCOMPARE(Column(table.Table(), 0), QStringList({"1-O", "1-V", "2-V", "3-V", "4-O", "5-O"}));
        QCOMPARE(Column(table.Table(), 2)[1], QString("Scende"));
        QCOMPARE(table.Table()->currentRow(), 0);
        QCOMPARE(Text(table, "Label3"), QString("1-Orizzontale"));
        QCOMPARE(Text(table, "Text1"), QString("..."));
        const auto& g = table.Geometry();
        QCOMPARE(table.CurrentFrame().x1, g.left);
        QCOMPARE(table.CurrentFrame().x2, g.left + 3 * g.cell);
        QCOMPARE(table.CurrentFrame().y2, g.top + g.cell);
        QCOMPARE(table.Picture()->Image().toImage().pixelColor(g.left + g.cell, g.top), QColor(255, 255, 0));

        auto* word = table.findChild<QLineEdit*>("Text1");
        word->selectAll();
        QTest::keyClicks(word, "reat");  // lower case arrives in capitals; a fourth letter does not fit
        QCOMPARE(word->text(), QString("REA"));
        table.findChild<QLineEdit*>("Text2")->setText("Colpevole");
        Click(table, "Command1");
        QCOMPARE(Column(table.Table(), 1), QStringList({"REA", "R..", "E..", "A..", "...", "..."}));
        QCOMPARE(Column(table.Table(), 2)[0], QString("Colpevole"));
        QVERIFY(doc.ChangedFlag);

        // The down word 2-V, chosen with the mouse.
        QTest::mouseClick(table.Table()->viewport(), Qt::LeftButton, {},
                          table.Table()->visualItemRect(table.Table()->item(2, 1)).center());
        QCOMPARE(Text(table, "Label3"), QString("2-Verticale"));
        QCOMPARE(table.CurrentFrame().y2, g.top + 3 * g.cell);
        word->setText("EGO");
        Click(table, "Command1");
        QCOMPARE(Column(table.Table(), 1), QStringList({"REA", "R..", "EGO", "A..", ".G.", ".O."}));
        QCOMPARE(table.Table()->currentRow(), 2);
        Click(table, "Command3d1");
    });
    QCOMPARE(doc.GridLine(1), std::string("R.E.A."));
    QCOMPARE(doc.GridLine(3), std::string("..O..."));
    QCOMPARE(doc.Definitions(1, 1, 1), std::string("Colpevole"));
    QVERIFY(testgui::ReadFile(program.Path("_qdra_32.tmp")).contains("  1  11-Colpevole\r\n"));

    // Annulla drops every change made since the table opened.
    WithDialog<words::CruciBro>(form.MenuAction("MenuParole"), [&](words::CruciBro& table) {
        QCOMPARE(table.Table()->currentRow(), 0);
        table.Table()->setCurrentCell(4, 0);
        table.findChild<QLineEdit*>("Text1")->setText("AGO");
        Click(table, "Command1");
        QCOMPARE(doc.GridLine(2)[0], 'A');
        QTest::keyClick(table.findChild<QLineEdit*>("Text2"), Qt::Key_Escape);
    });
    QCOMPARE(doc.GridLine(2), std::string("..G..."));
}

void FileDialogsTest::wordTableRefusesBadWords() {
    Program program;
    testgui::WriteFile(program.Path("aperto.qdr"), "Autore     : X\r\nData       : 01-01-2000\r\nTipo       : Crociate Normale\r\n"
                                                   "Dimensioni : 03x03\r\nH.H.H.\r\nH.H.H.\r\nH.H.H.\r\n");
    auto& form = program.Start(program.Path("aperto.qdr"));
    auto& doc = form.Document();
    WithDialog<words::CruciBro>(form.MenuAction("MenuParole"), [&](words::CruciBro& table) {
        auto* word = table.findChild<QLineEdit*>("Text1");
        auto* clue = table.findChild<QLineEdit*>("Text2");
        word->setText("RE");
        Click(table, "Command1");
        QCOMPARE(testgui::Texts(program.messages).last(), QString("La parola deve avere obbligatoriamente 3 caratteri."));
        // The table no longer loads rows: a press only takes the frame away.
        QTest::mouseClick(table.Table()->viewport(), Qt::LeftButton, {},
                          table.Table()->visualItemRect(table.Table()->item(4, 1)).center());
        QVERIFY(table.CurrentFrame().Empty() || word->text() == "RE");
        QCOMPARE(word->text(), QString("RE"));
        table.Table()->setCurrentCell(0, 0);
        word->setText("R1A");
        clue->setText("Con una cifra");
        Click(table, "Command1");
        QCOMPARE(testgui::Texts(program.messages).last(),
                 QString("La parola contiene caratteri non ammessi (ammessi solo caratteri alfabetici da A a Z)"));
        QCOMPARE(doc.Definitions(1, 1, 1), std::string("Con una cifra"));  // the clue of the press stays
        QCOMPARE(doc.GridLine(1), std::string("......"));
        word->setText("R.A");
        Click(table, "Command1");
        QCOMPARE(doc.GridLine(1), std::string("R...A."));
        Click(table, "Command3d1");
    });
    QCOMPARE(program.messages.shown.size(), 2u);
    QCOMPARE(doc.GridLine(1), std::string("R...A."));

    // A cell character the grid cannot have ends the program.
    doc.GridLine(2)[0] = 'a';
    doc.CurrentFileName = "x";
    bool ended = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    {
        const document::WorkingCopy working(program.Path("_qdra_32.tmp").toStdString());
        words::CruciBro table(doc, program.messages, working, [](bool) {});
        ended = table.EndedProgram();
    }
    QVERIFY(ended);
    QCOMPARE(testgui::Texts(program.messages).last(), QString("Tipo di file non valido: Esecuzione terminata!"));
}

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
