// Open with preview, Save as with the author, and the New dialog's entries,
// driven as a person would through the menus, the mouse and the keyboard.

#include "program_fixture.h"

#include "dialogs/folder_browser.h"
#include "dialogs/new_dialog.h"
#include "dialogs/open_dialog.h"
#include "dialogs/save_dialog.h"
#include "document/crossword_file.h"
#include "platform/qt/picture_box.h"

#include <QListWidget>
#include <QMap>
#include <QTreeView>
#include <QtTest>

using platform::Answer;
using testgui::Click;
using testgui::Program;
using testgui::Settle;
using testgui::Text;
using testgui::WithDialog;

namespace {

// A crossword of the given size: every cell white, except a black first
// cell, so that the preview shows something.
QByteArray CrosswordBytes(int columns, int rows, const QByteArray& author = "Zampetti Olindo") {
    QStringList grid(rows, QString(columns, '.'));
    grid[0][0] = '*';
    return testgui::Crossword(grid, {}, author);
}

QListWidget* FileList(QWidget& dialog) { return dialog.findChild<QListWidget*>("File1"); }

// The key goes where the keyboard focus of the dialog is.
void Press(QWidget& dialog, Qt::Key key) { QTest::keyClick(dialog.focusWidget(), key); }

// The files of a folder with their bytes.
QMap<QString, QByteArray> Contents(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) files[name] = testgui::ReadFile(folder + "/" + name);
    return files;
}

QString StatusText(QWidget& dialog) {
    return dialog.findChild<QStatusBar*>("StatusBar1")->findChild<QLabel*>()->text();
}

bool AllWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white)) return false;
    return true;
}

enum class Gesture { DoubleClick, ListKeys, TypedName };

QString Overwrite(const QString& path) {
    return "Il file " + path.toUpper() + QString::fromUtf8(" esiste già; vuoi riscriverlo?");
}

} // namespace

Q_DECLARE_METATYPE(Gesture)

class FileDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void openPreviewsAndOpensACrossword();
    void openReportsBadFilesOnceTheDialogIsUp();
    void openRefusesWhatIsNotACrossword_data();
    void openRefusesWhatIsNotACrossword();
    void listGestureActsOnce_data();
    void listGestureActsOnce();
    void folderTreeKeysChangeTheFolder();
    void saveAsWithAuthorAndOverwriteQuestion();
    void saveRefusesBadNames_data();
    void saveRefusesBadNames();
    void saveShowsTheTargetFolder();
    void fullNameOfTypedName_data();
    void fullNameOfTypedName();
    void savedCrosswordOpensAgainUnchanged();
    void newDialogRoundsTypedSizes_data();
    void newDialogRoundsTypedSizes();
};

void FileDialogsTest::openPreviewsAndOpensACrossword() {
    Program program;
    QFile::copy(testgui::DataFile("esempio.qdr"), program.Path("b_esempio.qdr"));
    QFile::copy(testgui::DataFile("esempio.qdr"), program.Path("A_MAIUSC.QDR"));
    testgui::WriteFile(program.Path("appunti.txt"), "non un cruciverba");
    auto& form = program.Start();

    WithDialog<dialogs::Form2>(form.MenuAction("MenuApri"), [&](dialogs::Form2& dialog) {
        Settle(dialog);
        QCOMPARE(dialog.windowTitle(), QString("Quadrivo 98  - Apertura layout parole crociate"));
        QCOMPARE(dialog.Browser().FileNames(), QStringList({"A_MAIUSC.QDR", "b_esempio.qdr"}));
        // The first file is selected and previewed at once.
        QCOMPARE(Text(dialog, "Text1"), QString("A_MAIUSC.QDR"));
        QCOMPARE(Text(dialog, "Label2"), QString("Anteprima: 03x03"));
        QCOMPARE(StatusText(dialog), QString(" Zampetti Olindo - 28-01-1998 - Crociate Normale"));
        // What the 346 x 255 picture shows is CrosswordPreview.DrawsTheMarkersNotTheLetters's business.
        QCOMPARE(dialog.Preview()->Image().toImage().size(), QSize(346, 255));

        QTest::mouseClick(dialog.Browser().Files()->viewport(), Qt::LeftButton, {},
                          dialog.Browser().Files()->visualItemRect(dialog.Browser().Files()->item(1)).center());
        QCOMPARE(Text(dialog, "Text1"), QString("b_esempio.qdr"));
        QTest::keyClick(dialog.findChild<QLineEdit*>("Text1"), Qt::Key_Return);
    });
    QVERIFY(program.messages.shown.empty());
    auto& doc = form.Document();
    QCOMPARE(QString::fromStdString(doc.CurrentFileName), program.Path("b_esempio.qdr"));
    QCOMPARE(doc.EditMode, int(document::ClueMode));
    QVERIFY(!doc.ChangedFlag);
    QCOMPARE(doc.GridLine(2), std::string("..V..."));
    QCOMPARE(doc.Definitions(1, 1, 1), std::string("Nota musicale"));
    QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), testgui::ReadFile(testgui::DataFile("esempio.qdr")));
    QCOMPARE(form.windowTitle(), "Quadrivo 98 - Cruciverba 3x3  " + program.Path("b_esempio.qdr"));
    QVERIFY(form.Area()->Splash()->isHidden());

    // A second crossword leaves none of the first one's clues behind.
    form.Document().Definitions(3, 3, 2) = "resto";
    testgui::WriteFile(program.Path("c.qdr"), testgui::Crossword({"...", "...", "..."}));
    WithDialog<dialogs::Form2>(form.MenuAction("MenuApri"), [&](dialogs::Form2& dialog) {
        dialog.findChild<QLineEdit*>("Text1")->setText("c.qdr");
        Click(dialog, "Command3d1");
    });
    QCOMPARE(form.Document().Definitions(3, 3, 2), std::string());
    QCOMPARE(form.Document().Definitions(1, 1, 1), std::string());
}

void FileDialogsTest::openReportsBadFilesOnceTheDialogIsUp() {
    Program program;
    testgui::WriteFile(program.Path("a_vuoto.qdr"), "");
    testgui::WriteFile(program.Path("b_strano.qdr"),
                       "Autore     : X\r\nData       : Y\r\nTipo       : Z\r\nDimensioni : 03x01\r\nH.H?H.\r\n");
    testgui::WriteFile(program.Path("c_buono.qdr"), CrosswordBytes(4, 3, "Bianchi"));
    QDir(program.folder.path()).mkdir("sotto.cartella");
    auto& form = program.Start();
    QVERIFY(form.Area()->Splash()->isVisible());
    WithDialog<dialogs::Form2>(form.MenuAction("MenuApri"), [&](dialogs::Form2& dialog) {
        // The first file's fault is told over the dialog (only a visible one gets here), not before it.
        QVERIFY(program.messages.shown.empty());
        Settle(dialog);
        QCOMPARE(testgui::Texts(program.messages), QStringList{"Formato del file non valido!"});
        dialog.ShowPreview("b_strano.qdr");
        QCOMPARE(testgui::Texts(program.messages).last(), QString("Tipo di file non valido!"));
        dialog.ShowPreview("nessuno.qdr");
        QCOMPARE(testgui::Texts(program.messages).last(), QString("Nessun file di cruciverba trovato!"));
        dialog.findChild<QLineEdit*>("Text1")->setText("nessuno.qdr");
        Click(dialog, "Command3d1");
        QCOMPARE(testgui::Texts(program.messages).last(), QString("Errore: file inesistente!"));
        QVERIFY(dialog.isVisible());

        // Browsing moves the current folder; a folder without crosswords
        // leaves nothing of the last preview.
        dialog.ShowPreview("c_buono.qdr");
        QCOMPARE(Text(dialog, "Label2"), QString("Anteprima: 04x03"));
        QVERIFY(!AllWhite(dialog.Preview()->Image().toImage()));
        const QString sub = program.Path("sotto.cartella");
        QVERIFY(dialog.Browser().SetFolder(sub));
        QCOMPARE(QDir::currentPath(), sub);
        QVERIFY(dialog.Browser().FileNames().isEmpty());
        QCOMPARE(Text(dialog, "Text1"), QString());
        QCOMPARE(Text(dialog, "Label2"), QString("Anteprima"));
        QCOMPARE(StatusText(dialog), QString("Dati autore"));
        QVERIFY(AllWhite(dialog.Preview()->Image().toImage()));
        QVERIFY(!dialog.Browser().SetFolder(program.Path("non_esiste")));
        QCOMPARE(testgui::Texts(program.messages).last(), QString(dialogs::FolderReadError));
        QTest::keyClick(dialog.findChild<QLineEdit*>("Text1"), Qt::Key_Escape);
    });
    // Annulla with no crossword: the window shows no grid, nor the splash.
    QVERIFY(!form.Area()->Splash()->isVisible());
    QCOMPARE(form.Document().EditMode, int(document::NotShowingGrid));
    QVERIFY(!form.Document().HasCrossword());
}

void FileDialogsTest::openRefusesWhatIsNotACrossword_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray header = "Autore     : X\r\nData       : 01-01-2000\r\nTipo       : Crociate Normale\r\n";
    QTest::newRow("text") << QByteArray("non un cruciverba\r\nma una lista\r\n") << "Errore di lettura del file!";
    QTest::newRow("size 0x0") << header + "Dimensioni : 00x00\r\n" << "Formato del file non valido!";
    QTest::newRow("over a megabyte") << CrosswordBytes(3, 3) + QByteArray(1100000, ' ') << "Formato del file non valido!";
    QTest::newRow("25 x 15 opens") << CrosswordBytes(25, 15) << "";
}

void FileDialogsTest::openRefusesWhatIsNotACrossword() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    Program program;
    testgui::WriteFile(program.Path("prova.qdr"), bytes);
    const QString current = testgui::DataFile("esempio.qdr");
    auto& form = program.Start(current);
    const QByteArray working = testgui::ReadFile(program.Path("_qdra_32.tmp"));
    WithDialog<dialogs::Form2>(form.MenuAction("MenuApri"), [&](dialogs::Form2& dialog) {
        Settle(dialog);
        program.messages.shown.clear();
        dialog.findChild<QLineEdit*>("Text1")->setText("prova.qdr");
        Click(dialog, "Command3d1");
        QCOMPARE(testgui::Texts(program.messages), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(dialog.isVisible(), !message.isEmpty());
    });
    QVERIFY(!program.messages.ended);
    QVERIFY(!form.Ended());
    auto& doc = form.Document();
    if (!message.isEmpty()) {
        // The crossword in use stays as it was, and stays usable.
        QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), working);
        QCOMPARE(QString::fromStdString(doc.CurrentFileName), current);
        QCOMPARE(doc.ColumnCount, 3);
        QCOMPARE(doc.Definitions(1, 1, 1), std::string("Nota musicale"));
        form.MenuAction("MenuAC")->trigger();
        QCOMPARE(doc.ColumnCount, 4);
    } else {
        QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), bytes);
        QCOMPARE(QString::fromStdString(doc.CurrentFileName), program.Path("prova.qdr"));
    }
}

void FileDialogsTest::listGestureActsOnce_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<bool>("yes");  // Apri: the file is a crossword; Salva: OK to the question
    const char* names[] = {"double click", "keys in the list", "typed name"};
    for (bool save : {false, true})
        for (Gesture gesture : {Gesture::DoubleClick, Gesture::ListKeys, Gesture::TypedName})
            for (bool yes : {true, false})
                QTest::addRow("%s, %s, %s", save ? "Salva" : "Apri", names[int(gesture)], yes ? "yes" : "no")
                    << save << gesture << yes;
}

void FileDialogsTest::listGestureActsOnce() {
    QFETCH(bool, save);
    QFETCH(Gesture, gesture);
    QFETCH(bool, yes);
    Program program;
    testgui::WriteFile(program.Path("a.qdr"), CrosswordBytes(3, 3, "Primo"));
    const QByteArray chosen = yes || save ? CrosswordBytes(4, 3, "Secondo") : QByteArray("non un cruciverba\r\n");
    testgui::WriteFile(program.Path("b.qdr"), chosen);
    testgui::WriteFile(program.Path("c.qdr"), CrosswordBytes(5, 4, "Terzo"));
    auto& form = program.Start(save ? testgui::DataFile("esempio.qdr") : QString());
    const auto before = Contents(program.folder.path());
    program.messages.Script({yes ? Answer::Ok : Answer::Cancel});
    auto act = [&](QDialog& dialog) {
        Settle(dialog);
        QListWidget* list = FileList(dialog);
        const QImage first = save ? QImage() : static_cast<dialogs::Form2&>(dialog).Preview()->Image().toImage();
        if (gesture == Gesture::DoubleClick) {
            // As the window system delivers it: a click, then the second
            // press as a double click.
            const QPoint at = list->visualItemRect(list->findItems("b.qdr", Qt::MatchExactly).value(0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        } else if (gesture == Gesture::ListKeys) {
            // From the name box the keyboard goes on to the list; passing
            // through it chooses no file by itself.
            const QString proposed = Text(dialog, "Text1");
            Press(dialog, Qt::Key_Tab);
            QCOMPARE(dialog.focusWidget(), list);
            QCOMPARE(Text(dialog, "Text1"), proposed);
            Press(dialog, Qt::Key_Down);
            Press(dialog, save ? Qt::Key_Up : Qt::Key_Down);
            QCOMPARE(Text(dialog, "Text1"), QString(save ? "a.qdr" : "c.qdr"));
            if (!save) {
                QCOMPARE(Text(dialog, "Label2"), QString("Anteprima: 05x04"));
                QCOMPARE(StatusText(dialog), QString(" Terzo - 28-01-1998 - Crociate Normale"));
            }
            Press(dialog, save ? Qt::Key_Down : Qt::Key_Up);
            QCOMPARE(Text(dialog, "Text1"), QString("b.qdr"));
            if (!save && yes) {
                QCOMPARE(Text(dialog, "Label2"), QString("Anteprima: 04x03"));
                QCOMPARE(StatusText(dialog), QString(" Secondo - 28-01-1998 - Crociate Normale"));
                QVERIFY(static_cast<dialogs::Form2&>(dialog).Preview()->Image().toImage() != first);
            }
            Press(dialog, Qt::Key_Return);
        } else {
            // The keyboard starts in the name box; Enter takes the typed
            // name, not the file chosen in the list.
            QCOMPARE(dialog.focusWidget(), dialog.findChild<QLineEdit*>("Text1"));
            QTest::keyClicks(dialog.focusWidget(), save ? "b" : "b.qdr");
            Press(dialog, Qt::Key_Return);
        }
        // A refused crossword keeps the dialog; the question was asked once.
        QCOMPARE(dialog.isVisible(), !save && !yes);
    };
    if (save)
        WithDialog<dialogs::CruciSav>(form.MenuAction("MenuSalvaCN"), act);
    else
        WithDialog<dialogs::Form2>(form.MenuAction("MenuApri"), act);
    const QString target = program.Path("b.qdr");
    QStringList expected;
    if (save) expected << Overwrite(target);
    else if (!yes) expected << "Formato del file non valido!" << "Errore di lettura del file!";
    // Its preview fault each time the list passed over it.
    if (!save && !yes && gesture == Gesture::TypedName) expected.removeFirst();
    if (!save && !yes && gesture == Gesture::ListKeys) expected.prepend(expected.first());
    QCOMPARE(testgui::Texts(program.messages), expected);
    QCOMPARE(form.Document().CurrentFileName == platform::PathBytes(target), yes);
    QCOMPARE(testgui::ReadFile(target) == chosen, !save || !yes);
    if (!save) QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), yes ? chosen : QByteArray());
    // No other file is touched.
    auto after = Contents(program.folder.path());
    auto untouched = before;
    for (const char* own : {"_qdra_32.tmp", "_qdra_32.lock", "b.qdr"}) {
        untouched.remove(own);
        after.remove(own);
    }
    QCOMPARE(after, untouched);
}

void FileDialogsTest::folderTreeKeysChangeTheFolder() {
    Program program;
    testgui::WriteFile(program.Path("a.qdr"), CrosswordBytes(3, 3, "Primo"));
    auto& form = program.Start();
    WithDialog<dialogs::Form2>(form.MenuAction("MenuApri"), [&](dialogs::Form2& dialog) {
        Settle(dialog);
        auto* tree = dialog.findChild<QTreeView*>("Dir1");
        tree->setFocus();
        // Home goes to the top of the tree, the root folder, and that is the
        // folder in use from then on.
        QTest::keyClick(tree, Qt::Key_Home);
        QCOMPARE(dialog.Browser().Folder(), QString("/"));
        QCOMPARE(QDir::currentPath(), QString("/"));
        // A folder without crosswords: see openReportsBadFilesOnceTheDialogIsUp.
        QCOMPARE(dialog.Browser().FileNames(), QDir("/").entryList({"*.qdr"}, QDir::Files));
    });
    QVERIFY(!form.Document().HasCrossword());
}

void FileDialogsTest::saveAsWithAuthorAndOverwriteQuestion() {
    Program program;
    auto& form = program.Start();
    WithDialog<dialogs::FormNew>(form.MenuAction("MenuNuovo"), [](dialogs::FormNew& dialog) { dialog.CreateFromSize(); });

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

    // Over an existing file, after OK to the question, with the new author.
    program.messages.Script({Answer::Ok});
    WithDialog<dialogs::CruciSav>(form.MenuAction("MenuSalvaCN"), [&](dialogs::CruciSav& dialog) {
        QCOMPARE(Text(dialog, "Text1"), saved);
        QCOMPARE(Text(dialog, "Text2"), QString::fromUtf8("Niccolò Rossi"));
        dialog.findChild<QLineEdit*>("Text2")->setText("Altro");
        Click(dialog, "Command3D1");
    });
    QCOMPARE(testgui::Texts(program.messages), QStringList{Overwrite(saved)});
    QCOMPARE(program.messages.shown[0].title, std::string("Salvataggio file"));
    QVERIFY(testgui::ReadFile(saved).startsWith("Autore     : Altro\r\n"));

    document::Crossword none;
    const document::WorkingCopy working(program.Path("_qdra_32.tmp").toStdString());
    dialogs::CruciSav fresh(none, program.messages, working);
    QCOMPARE(Text(fresh, "Text1"), QString("Cruci000.qdr"));
}

void FileDialogsTest::saveRefusesBadNames_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("wildcard") << "a*b";
    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("missing folder") << "/cartella_che_non_c_e/x";
    QTest::newRow("a folder") << "cartella.1";
}

void FileDialogsTest::saveRefusesBadNames() {
    QFETCH(QString, name);
    Program program;
    QDir(program.folder.path()).mkdir("cartella.1");
    auto& form = program.Start(testgui::DataFile("esempio.qdr"));
    const auto before = Contents(program.folder.path());
    WithDialog<dialogs::CruciSav>(form.MenuAction("MenuSalvaCN"), [&](dialogs::CruciSav& dialog) {
        dialog.findChild<QLineEdit*>("Text1")->setText(name);
        Click(dialog, "Command3D1");
        QVERIFY(dialog.isVisible());
        QCOMPARE(testgui::Texts(program.messages), QStringList{"Errore di nome file o accesso al disco!"});
        // The name box has the keyboard again, its text selected for retyping.
        QCOMPARE(dialog.focusWidget(), dialog.findChild<QLineEdit*>("Text1"));
        QCOMPARE(dialog.findChild<QLineEdit*>("Text1")->selectedText(), name);
    });
    QCOMPARE(Contents(program.folder.path()), before);
    QCOMPARE(QString::fromStdString(form.Document().CurrentFileName), testgui::DataFile("esempio.qdr"));
}

void FileDialogsTest::saveShowsTheTargetFolder() {
    Program program;
    QDir(program.folder.path()).mkdir("cartella.1");
    auto& form = program.Start(testgui::DataFile("esempio.qdr"));
    WithDialog<dialogs::CruciSav>(form.MenuAction("MenuSalvaCN"), [&](dialogs::CruciSav& dialog) {
        auto* shown = dialog.findChild<QLabel*>("FolderPath");
        // The current crossword's own folder, from its full name.
        QCOMPARE(shown->toolTip(), "Salva nella cartella: " + QFileInfo(testgui::DataFile("esempio.qdr")).absolutePath());
        dialog.findChild<QLineEdit*>("Text1")->setText("nuovo");
        QCOMPARE(shown->toolTip(), "Salva nella cartella: " + program.folder.path());
        QVERIFY(dialog.Browser().SetFolder(program.Path("cartella.1")));
        QCOMPARE(shown->toolTip(), "Salva nella cartella: " + program.Path("cartella.1"));
        // A folder that contains a dot: a dotless name gets no extension.
        Click(dialog, "Command3D1");
    });
    QVERIFY(QFile::exists(program.Path("cartella.1/nuovo")));
    QCOMPARE(QDir::currentPath(), program.folder.path());  // saving does not move the current folder
}

// A bare name and a folder with a dot go through the dialog in
// saveAsWithAuthorAndOverwriteQuestion and saveShowsTheTargetFolder.
void FileDialogsTest::fullNameOfTypedName_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("full");
    QTest::newRow("absolute path") << "/tmp/x" << "/altrove/y" << "/altrove/y.qdr";
    QTest::newRow("own extension") << "/tmp/x" << "y.QDR" << "/tmp/x/y.QDR";
    QTest::newRow("drive letter") << "/tmp" << "C:\\SCHEMI\\X" << "C:\\SCHEMI\\X.qdr";
}

void FileDialogsTest::fullNameOfTypedName() {
    QFETCH(QString, folder);
    QFETCH(QString, typed);
    QFETCH(QString, full);
    QCOMPARE(dialogs::CruciSav::FullName(folder, typed), full);
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

void FileDialogsTest::newDialogRoundsTypedSizes_data() {
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("size");  // of the crossword made, after " 9" x "3.4" when refused
    const QString across = "Numero caselle orizzontali consentito da 3 a 25.";
    const QString down = "Numero caselle verticali consentito da 3 a 15.";
    QTest::newRow("25.4 is 25") << "25.4" << "13" << QString() << "25x13";
    QTest::newRow("2.6 is 3") << "2.6" << "13" << QString() << "03x13";
    QTest::newRow("rows 15.4 is 15") << "16" << "15.4" << QString() << "16x15";
    QTest::newRow("25.6 is 26") << "25.6" << "13" << across << "09x03";
    QTest::newRow("2.5 is 2") << "2.5" << "13" << across << "09x03";
    QTest::newRow("empty") << "" << "13" << across << "09x03";
    QTest::newRow("rows 15.5 is 16") << "16" << "15.5" << down << "09x03";
    QTest::newRow("rows 2.5 is 2") << "16" << "2.5" << down << "09x03";
    QTest::newRow("both wrong, columns first") << "25.6" << "2.5" << across << "09x03";
}

void FileDialogsTest::newDialogRoundsTypedSizes() {
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, message);
    QFETCH(QString, size);
    Program program;
    auto& form = program.Start();
    WithDialog<dialogs::FormNew>(form.MenuAction("MenuNuovo"), [&](dialogs::FormNew& dialog) {
        Settle(dialog);
        dialog.findChild<QLineEdit*>("Text1")->setText(width);
        dialog.findChild<QLineEdit*>("Text2")->setText(height);
        Click(dialog, "Command3d1");
        QCOMPARE(testgui::Texts(program.messages), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(dialog.isVisible(), !message.isEmpty());
        if (message.isEmpty()) return;
        // The box at fault has the keyboard; a good size then goes through.
        QCOMPARE(dialog.focusWidget(), dialog.findChild<QLineEdit*>(message.contains("orizzontali") ? "Text1" : "Text2"));
        dialog.findChild<QLineEdit*>("Text1")->setText(" 9");
        dialog.findChild<QLineEdit*>("Text2")->setText("3.4");
        Click(dialog, "Command3d1");
        QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(QString::fromStdString(form.Document().FileLines(4)), "Dimensioni : " + size);
    const QByteArray working = testgui::ReadFile(program.Path("_qdra_32.tmp"));
    QVERIFY(working.contains(("Dimensioni : " + size).toLatin1()));

    // Annulla leaves the crossword and the working file as they were.
    WithDialog<dialogs::FormNew>(form.MenuAction("MenuNuovo"),
                                 [](dialogs::FormNew& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QCOMPARE(testgui::ReadFile(program.Path("_qdra_32.tmp")), working);
}

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
