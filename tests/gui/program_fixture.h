#pragma once
// A program folder of its own for each GUI test: the vocabulary, the model
// library, and a main window started there with recording platform services.

#include "editor/client_area.h"
#include "editor/form1.h"
#include "platform/qt/encoding.h"
#include "platform/recording/recording_launcher.h"
#include "platform/recording/recording_messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <functional>
#include <memory>

namespace testgui {

inline QString DataFile(const QString& name) { return QStringLiteral(QUADRIVO_TEST_DATA "/") + name; }

inline QByteArray ReadFile(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

// Texts of recorded messages as the user reads them.
inline QStringList Texts(const platform::RecordingMessages& messages) {
    QStringList texts;
    for (const auto& m : messages.shown) texts << platform::FromBytes(m.text);
    return texts;
}

struct Program {
    QTemporaryDir folder;
    platform::RecordingMessages messages;
    platform::RecordingLauncher launcher;
    std::unique_ptr<editor::Form1> form;

    explicit Program(bool withVocabulary = true, bool withLibrary = true) {
        if (withVocabulary) QFile::copy(QStringLiteral(QUADRIVO_LESSICO), Path("LESSICO.DAT"));
        if (withLibrary) QFile::copy(DataFile("CRUCINEW.DAT"), Path("CRUCINEW.DAT"));
    }

    QString Path(const QString& name) const { return folder.filePath(name); }

    // Creates and shows the main window with the drawing area the geometry
    // example uses: 800 x 553, toolbar 28, status bar 19.
    editor::Form1& Start(const QString& commandLine = {}) { return StartWithBytes(platform::PathBytes(commandLine)); }

    // The same with the command line as the file system's bytes. Crosswords
    // left by earlier runs are kept in Path("recupero").
    editor::Form1& StartWithBytes(const std::string& commandLine) {
        form = std::make_unique<editor::Form1>(editor::Services{messages, launcher},
                                               editor::StartupOptions{folder.path(), commandLine, Path("recupero"), {}});
        form->Area()->ToolBar()->setFixedHeight(28);
        form->Area()->StatusBar()->setFixedHeight(19);
        form->show();
        form->resize(800, 553 + (form->height() - form->Area()->height()));
        form->Area()->PlaceBars();
        form->Activate();
        return *form;
    }
};

// Plays `acts` on the showings of the modal window D while `command` runs,
// one act per showing. Each showing is looked for every few milliseconds (a
// zero timer may run before the window is up, but a window's own first
// work runs after the first look) for ten seconds at most; a
// window an act leaves up is closed, and one that never came fails the test.
template <typename D>
struct Showings {
    QList<std::function<void(D&)>> acts;
    QDeadlineTimer deadline{10000};
    bool over = false;
};

template <typename D>
void LookFor(const std::shared_ptr<Showings<D>>& showings, int after = 5) {
    QTimer::singleShot(after, [showings] {
        if (showings->over || showings->acts.isEmpty()) return;
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            const auto act = showings->acts.takeFirst();
            showings->deadline.setRemainingTime(10000);
            act(*dialog);
            if (dialog->isVisible()) dialog->reject();
        }
        if (!showings->deadline.hasExpired()) LookFor(showings);
    });
}

template <typename D>
void WithShowings(const std::function<void()>& command, QList<std::function<void(D&)>> acts) {
    const auto showings = std::make_shared<Showings<D>>();
    showings->acts = std::move(acts);
    LookFor(showings, 0);
    command();
    showings->over = true;
    QVERIFY2(showings->acts.isEmpty(),
             qPrintable(QStringLiteral("%1 did not come").arg(D::staticMetaObject.className())));
}

// Runs `act` on the modal dialog of type D once it is up, while `command` runs.
template <typename D>
void WithDialog(QAction* command, std::function<void(D&)> act) {
    WithShowings<D>([command] { command->trigger(); }, {std::move(act)});
}

// A crossword file of the given rows ('*' black, '.' empty, letters), with
// the clue lines as given.
inline QByteArray Crossword(const QStringList& rows, const QByteArray& clues = {},
                            const QByteArray& author = "Zampetti Olindo") {
    QByteArray bytes = "Autore     : " + author + "\r\nData       : 28-01-1998\r\nTipo       : Crociate Normale\r\n" +
                       QStringLiteral("Dimensioni : %1x%2\r\n")
                           .arg(rows[0].size(), 2, 10, QChar('0'))
                           .arg(rows.size(), 2, 10, QChar('0'))
                           .toLatin1();
    for (const QString& row : rows) {
        for (QChar cell : row) bytes.append(char(cell.toLatin1() + 26)).append(cell == '*' ? '*' : '.');
        bytes += "\r\n";
    }
    return bytes + clues;
}

// Everything a command that fails or only writes elsewhere must leave as it
// was: the crossword's lines, size, caption, working file and changed flag.
struct Snapshot {
    std::vector<std::string> lines;
    int columns, rows;
    QString caption;
    QByteArray working;
    bool changed;
    bool operator==(const Snapshot&) const = default;
};

inline Snapshot Take(editor::Form1& form) {
    const auto& doc = form.Document();
    Snapshot s{{}, doc.ColumnCount, doc.RowCount, form.windowTitle(),
               ReadFile(platform::PathText(form.WorkingFile())), doc.ChangedFlag};
    for (int i = 1; i <= document::FileLineCount; ++i) s.lines.push_back(doc.FileLines(i));
    return s;
}

// The middle of a grid cell in the drawing area.
inline QPoint CellCentre(editor::Form1& form, int column, int row) {
    const auto& doc = form.Document();
    return {doc.GridLeft + (column - 1) * doc.CellSize + doc.CellSize / 2,
            doc.GridTop + (row - 1) * doc.CellSize + doc.CellSize / 2};
}

// The access keys of a window's captions and buttons, lower case, in the
// order found ("&&" is a plain "&").
inline QString AccessKeys(QWidget& window) {
    QStringList captions;
    for (auto* label : window.findChildren<QLabel*>()) captions << label->text();
    for (auto* button : window.findChildren<QAbstractButton*>()) captions << button->text();
    QString keys;
    for (QString caption : captions) {
        caption.replace("&&", "");
        const qsizetype at = caption.indexOf('&');
        if (at >= 0 && at + 1 < caption.size()) keys += caption[at + 1].toLower();
    }
    return keys;
}

inline bool Distinct(const QString& keys) {
    for (qsizetype i = 0; i < keys.size(); ++i)
        if (keys.indexOf(keys[i], i + 1) >= 0) return false;
    return true;
}

// The dialog is the active window, and what it does once it is on screen
// (a first preview) has run.
inline void Settle(QWidget& dialog) {
    QVERIFY2(QTest::qWaitForWindowActive(&dialog), "the dialog did not become the active window");
    QCoreApplication::processEvents();
}

inline QString Text(QWidget& w, const char* name) {
    if (auto* e = w.findChild<QLineEdit*>(name)) return e->text();
    return w.findChild<QLabel*>(name)->text();
}

inline void Click(QWidget& w, const char* button) { w.findChild<QPushButton*>(button)->click(); }

} // namespace testgui
