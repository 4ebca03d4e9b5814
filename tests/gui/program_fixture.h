#pragma once
// A program folder of its own for each GUI test: the vocabulary, the model
// library, and a main window started there with recording platform services.

#include "editor/client_area.h"
#include "editor/form1.h"
#include "platform/qt/encoding.h"
#include "platform/recording/recording_launcher.h"
#include "platform/recording/recording_messages.h"

#include <QApplication>
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

inline QString Text(QWidget& w, const char* name) {
    if (auto* e = w.findChild<QLineEdit*>(name)) return e->text();
    return w.findChild<QLabel*>(name)->text();
}

inline void Click(QWidget& w, const char* button) { w.findChild<QPushButton*>(button)->click(); }

} // namespace testgui
