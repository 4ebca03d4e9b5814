// The clue editor "Edit definizioni" on its own, driven offscreen: what
// Enter does where the focus is, clues longer than the typing limit, and
// the window rules the clue editor and the word table share.

#include "program_fixture.h"

#include "document/word_map.h"
#include "tests/core/test_vocabulary.h"
#include "words/clue_editor.h"
#include "words/word_table.h"

#include <QComboBox>
#include <QtTest>

using testgui::Click;

namespace {

// "MOLA" across row 1 with the clue "Vecchia", opened on 1-O.
struct Editing {
    document::Crossword doc;
    vocabulary::Vocabulary vocab = testgrids::MakeVocabulary({{4, {"MELA", "MOLA", "CASA"}}});
    platform::RecordingMessages messages;

    explicit Editing(const std::string& clue = "Vecchia") {
        doc.FileLines(4) = "Dimensioni : 05x03";
        doc.ColumnCount = 5;
        doc.RowCount = 3;
        doc.GridLine(1) = "M.O.L.A.**";
        doc.GridLine(2) = doc.GridLine(3) = "..........";
        document::ComputeWordMap(doc);
        doc.Definitions(1, 1, document::Horizontal) = clue;
        doc.CurrentColumn = doc.CurrentRow = doc.CurrentDirection = 1;
    }

    // Opens the editor modally and runs `act` in it; true when it was confirmed.
    bool Open(const std::function<void(words::CruciDef&)>& act) {
        words::CruciDef editor(doc, vocab, messages, [](platform::Pointer) {}, QPoint(0, 0), 0);
        QTimer::singleShot(0, [&] {
            act(editor);
            if (editor.isVisible()) editor.reject();
        });
        return editor.exec() == QDialog::Accepted;
    }

    std::string Clue() const { return doc.Definitions(1, 1, document::Horizontal); }
};

} // namespace

class ClueEditorTest : public QObject {
    Q_OBJECT
private slots:
    void enterPressesWhatHasTheFocus_data();
    void enterPressesWhatHasTheFocus();
    void longCluesAreNeverCut_data();
    void longCluesAreNeverCut();
    void windowsHaveNoSizeButtonsAndDistinctAccessKeys_data();
    void windowsHaveNoSizeButtonsAndDistinctAccessKeys();
};

void ClueEditorTest::enterPressesWhatHasTheFocus_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("confirms");
    QTest::addColumn<int>("found");     // words the search listed
    QTest::addColumn<int>("messages");  // message boxes shown
    QTest::newRow("Definizione: OK") << "Text1" << true << 0 << 0;
    QTest::newRow("Parola: OK") << "Text2" << true << 0 << 0;
    QTest::newRow("OK") << "Command3D1" << true << 0 << 0;
    QTest::newRow("Annulla") << "Command3D2" << false << 0 << 0;
    QTest::newRow("Cerca") << "Command3D4" << false << 1 << 0;
    QTest::newRow("Help") << "Command3D3" << false << 0 << 1;
}

void ClueEditorTest::enterPressesWhatHasTheFocus() {
    QFETCH(QString, control);
    QFETCH(bool, confirms);
    QFETCH(int, found);
    QFETCH(int, messages);
    Editing editing;
    bool stayed = false;
    int listed = -1;
    const bool confirmed = editing.Open([&](words::CruciDef& editor) {
        editor.findChild<QLineEdit*>("Text1")->setText("Digitata");
        auto* target = editor.findChild<QWidget*>(control);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        stayed = editor.isVisible();
        listed = editor.findChild<QComboBox*>("Combo1")->count();
    });
    QCOMPARE(confirmed, confirms);
    QCOMPARE(stayed, !confirms && control != "Command3D2");
    QCOMPARE(editing.Clue(), confirms ? std::string("Digitata") : std::string("Vecchia"));
    QCOMPARE(listed, found);
    QCOMPARE(static_cast<int>(editing.messages.shown.size()), messages);
}

void ClueEditorTest::longCluesAreNeverCut_data() {
    QTest::addColumn<int>("length");  // of the clue when the editor opens
    QTest::addColumn<QString>("keys");  // typed at its end; "\b" erases
    QTest::addColumn<int>("kept");    // length of the clue confirmed
    QTest::newRow("80 untouched") << 80 << "" << 80;
    QTest::newRow("80 cannot grow") << 80 << "XY" << 80;
    QTest::newRow("80 shortened, then typing stops at 60") << 80 << QString(30, '\b') + QString(15, 'Z') << 60;
    QTest::newRow("50 typing stops at 60") << 50 << QString(15, 'Z') << 60;
}

void ClueEditorTest::longCluesAreNeverCut() {
    QFETCH(int, length);
    QFETCH(QString, keys);
    QFETCH(int, kept);
    std::string clue;
    while (static_cast<int>(clue.size()) < length) clue += "Parola lunga ";
    clue.resize(static_cast<std::size_t>(length));
    Editing editing(clue);
    QVERIFY(editing.Open([&](words::CruciDef& editor) {
        auto* edit = editor.findChild<QLineEdit*>("Text1");
        QCOMPARE(edit->text().size(), length);
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClicks(edit, keys);
        Click(editor, "Command3D1");
    }));
    QCOMPARE(static_cast<int>(editing.Clue().size()), kept);
    const int untouched = std::min(length - static_cast<int>(keys.count('\b')), kept);
    QCOMPARE(editing.Clue().substr(0, static_cast<std::size_t>(untouched)), clue.substr(0, static_cast<std::size_t>(untouched)));
}

void ClueEditorTest::windowsHaveNoSizeButtonsAndDistinctAccessKeys_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("clue editor") << "CruciDef";
    QTest::newRow("word table") << "CruciBro";
}

void ClueEditorTest::windowsHaveNoSizeButtonsAndDistinctAccessKeys() {
    QFETCH(QString, window);
    Editing editing;
    QTemporaryDir folder;
    const document::WorkingCopy working(folder.filePath("_qdra_32.tmp").toStdString());
    std::unique_ptr<QDialog> dialog;
    if (window == "CruciDef")
        dialog = std::make_unique<words::CruciDef>(editing.doc, editing.vocab, editing.messages,
                                                   [](platform::Pointer) {}, QPoint(0, 0), 0);
    else
        dialog = std::make_unique<words::CruciBro>(editing.doc, editing.messages, working, [](bool) {});
    QCOMPARE(dialog->objectName(), window);
    const Qt::WindowFlags flags = dialog->windowFlags();
    QVERIFY(flags.testFlag(Qt::Dialog));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    const QString keys = testgui::AccessKeys(*dialog);
    QVERIFY(keys.contains("p") && keys.contains("d"));  // "&Parola:" and "&Definizione:"
    QVERIFY2(testgui::Distinct(keys), qPrintable(keys));
}

QTEST_MAIN(ClueEditorTest)
#include "clue_editor_test.moc"
