// Form1's menus, toolbar and the commands they run.

#include "editor/form1.h"

#include "dialogs/about_dialog.h"
#include "dialogs/new_dialog.h"
#include "dialogs/open_dialog.h"
#include "dialogs/save_dialog.h"
#include "words/word_table.h"
#include "document/crossword_file.h"
#include "document/file_io.h"
#include "editor/actions.h"
#include "editor/artwork.h"
#include "editor/client_area.h"
#include "platform/qt/encoding.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QStandardPaths>
#include <QToolBar>

#include <filesystem>

#ifndef QUADRIVO_HOME_PAGE
#define QUADRIVO_HOME_PAGE ""
#endif
#ifndef QUADRIVO_MAIL
#define QUADRIVO_MAIL ""
#endif

namespace editor {

namespace {

// A program beside this one (in the program's own folder) or on the search
// path; "" when there is none. Never one of the folder a dialog browsed to:
// a folder that came with a crossword must not get a program run.
std::string FindProgram(const std::string& programFolder, const std::vector<QString>& names) {
    for (const QString& name : names) {
        std::error_code ec;
        const auto here = std::filesystem::path(programFolder) / name.toStdString();
        if (std::filesystem::is_regular_file(here, ec)) return here.string();
    }
    // Only absolute entries of the path: "." or an empty entry would mean
    // the current folder again.
    QStringList path;
    for (const QString& entry : qEnvironmentVariable("PATH").split(':', Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(entry)) path << entry;
    for (const QString& name : names) {
        const QString found = QStandardPaths::findExecutable(name, path);
        if (!found.isEmpty()) return found.toStdString();
    }
    return {};
}

// The error number a program start reports when the file is not there.
constexpr int FileNotFound = 53;

} // namespace

bool Form1::Available(Handler run) const {
    if (!run) return false;
    if (run == &Form1::MenuAnnulla) return history_.CanUndo();
    if (run == &Form1::MenuRipristina) return history_.CanRedo();
    // The author's page and mail box are set when the program is built; with
    // none configured the two commands stay disabled.
    if (run == &Form1::MenuPHP) return *QUADRIVO_HOME_PAGE;
    if (run == &Form1::MenuMail) return *QUADRIVO_MAIL;
    return true;
}

void Form1::Register(const QString& name, QAction* action, Handler run, Reach reach, bool onToolbar) {
    if (commands_.contains(name)) qFatal("Comando registrato due volte: %s", qPrintable(name));
    action->setObjectName(name);
    commands_.insert(name, {action, run, reach, onToolbar});
    if (run) connect(action, &QAction::triggered, this, [this, run] { (this->*run)(); });
}

void Form1::BuildMenus() {
    for (const MenuEntry& entry : MenuTree()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(entry.caption));
        menu->setObjectName(entry.name);
        menus_.insert(entry.name, {menu, entry.reach});
        for (const MenuItemEntry& item : entry.items) {
            QAction* action = item.caption ? menu->addAction(QString::fromUtf8(item.caption)) : menu->addSeparator();
            Register(item.name, action, item.run, item.reach, false);
        }
    }
}

void Form1::BuildToolbar() {
    QToolBar* bar = area_->ToolBar();
    int separators = 0;
    for (const ToolButtonEntry& entry : ToolbarButtons()) {
        if (!entry.key) {
            Register(QString("Separatore%1").arg(++separators), bar->addSeparator(), nullptr, entry.reach, true);
            continue;
        }
        QAction* action = bar->addAction(ToolbarIcon(entry.key), QString::fromUtf8(entry.tooltip));
        action->setToolTip(QString::fromUtf8(entry.tooltip));
        Register(entry.key, action, entry.run, entry.reach, true);
    }
    // "Edit" stays down when clicked and comes up on the next click.
    ToolAction("Edit")->setCheckable(true);
    MenuAction("MenuAnnulla")->setShortcut(QKeySequence::Undo);
    MenuAction("MenuRipristina")->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
}

const Form1::Command& Form1::Find(const QString& name) const {
    auto it = commands_.find(name);
    // A name that is not in the tables is a mistake in the program.
    if (it == commands_.end()) qFatal("Comando sconosciuto: %s", qPrintable(name));
    return it.value();
}

QAction* Form1::MenuAction(const QString& name) const { return Find(name).action; }

QAction* Form1::ToolAction(const QString& key) const { return Find(key).action; }

QMenu* Form1::Menu(const QString& name) const {
    auto it = menus_.find(name);
    if (it == menus_.end()) qFatal("Menu sconosciuto: %s", qPrintable(name));
    return it.value().menu;
}

void Form1::UpdateCommandStates() {
    const bool crossword = doc_.HasCrossword();
    auto reachable = [&](Reach reach) {
        return (crossword || !reach.needsCrossword) && (!previewShown_ || reach.duringPreview);
    };
    for (const MenuState& menu : menus_) menu.menu->menuAction()->setVisible(reachable(menu.reach));
    for (const Command& command : commands_) {
        // Toolbar buttons out of reach are disabled; menu items that need a
        // crossword are hidden while there is none (their menus hide the rest).
        if (command.onToolbar) {
            command.action->setEnabled(reachable(command.reach) && Available(command.run));
        } else {
            command.action->setVisible(crossword || !command.reach.needsCrossword);
            if (!command.action->isSeparator()) command.action->setEnabled(Available(command.run));
        }
    }
}

void Form1::BeforeFileDialog() {
    SetPointer(Pointer::Hourglass);
    if (!area_->Splash()->isHidden()) {
        ShowSplash(false);
        DrawingSurface().Clear();
        area_->update();
    }
    ClosePreview();
    HideLabel();
    if (doc_.ChangedFlag) AskToSaveChanges();
}

void Form1::MenuNuovo() {
    BeforeFileDialog();
    {
        dialogs::FormNew dialog(doc_, messages_, working_, programFolder_,
                                [this] { SetPointer(Pointer::Default); }, this);
        const bool made = dialog.exec() == QDialog::Accepted;
        if (dialog.EndedProgram()) {
            EndProgram();
            return;
        }
        if (made) history_.Clear();
    }
    SetPointer(Pointer::Default);
    if (doc_.HasCrossword())
        DrawGrid();
    else
        ShowSplash(true);
    Activate();
}

void Form1::MenuApri() {
    BeforeFileDialog();
    ShowOpenDialog();
}

void Form1::ShowOpenDialog(bool newestFirst) {
    {
        dialogs::Form2 dialog(doc_, messages_, working_, [this] { SetPointer(Pointer::Default); }, this);
        if (newestFirst) dialog.ListNewestFirst();
        if (dialog.exec() == QDialog::Accepted) history_.Clear();
    }
    SetPointer(Pointer::Default);
    Activate();
}

void Form1::MenuSalvaCN() {
    ClosePreview();
    SetPointer(Pointer::Default);
    HideLabel();
    {
        dialogs::CruciSav dialog(doc_, messages_, working_, this);
        if (dialog.exec() == QDialog::Accepted) history_.MarkSaved();
    }
    Activate();
}

void Form1::MenuParole() {
    const document::Crossword before = doc_;
    doc_.EditMode = document::WordTable;
    HideLabel();
    SetPointer(Pointer::Default);
    {
        words::CruciBro table(doc_, messages_, working_,
                              [this](bool busy) { SetPointer(busy ? Pointer::Hourglass : Pointer::Arrow); }, this);
        table.exec();
        if (table.EndedProgram()) {
            EndProgram();
            return;
        }
    }
    SetPointer(Pointer::Default);
    Activate();
    // The table's OK is one step, whatever it changed.
    history_.Record("Tabella parole", before, doc_);
    UpdateHistoryCommands();
}

void Form1::MenuSalva() { Save(); }

bool Form1::Save() {
    SetPointer(Pointer::Default);
    ClosePreview();
    DrawGrid();
    HideLabel();
    // A crossword without a folder of its own (new, recovered, imported)
    // has no file yet: Save asks for one.
    const std::string& name = doc_.CurrentFileName;
    if (!name.empty() && name != document::NewCrosswordName && name.find('/') != std::string::npos) {
        if (document::SaveCrosswordFile(doc_, name, messages_) != document::SaveResult::Saved) return false;
        history_.MarkSaved();
        return true;
    }
    MenuSalvaCN();
    return true;
}

bool Form1::AskToSaveChanges() {
    const QString name = platform::PathText(doc_.CurrentFileName).toUpper();
    const auto answer = messages_.Show(platform::ToBytes("Il file " + name + " è cambiato, si desidera salvare"),
                                       platform::Buttons::OkCancel, "Modifica del file corrente",
                                       platform::Icon::None);
    return answer != platform::Answer::Ok || Save();
}

void Form1::MenuEsci() {
    HideLabel();
    SetPointer(Pointer::Default);
    // A save that could not be written keeps the program open with the
    // crossword, so it can still be saved elsewhere.
    if (doc_.ChangedFlag && !AskToSaveChanges()) return;
    working_.Remove();
    EndProgram();
}

void Form1::MenuPendaris() {
    HideLabel();
    SetPointer(Pointer::Default);
    const std::string program = FindProgram(programFolder_, {"pendaris", "PENDARIS.EXE"});
    if (program.empty() || !launcher_.StartProgram(program, {}))
        messages_.Show("Errore " + std::to_string(FileNotFound) +
                           " - Non trovato Pendaris.exe controllare installazione.",
                       platform::Buttons::Ok, platform::ApplicationTitle, platform::Icon::Question);
    if (doc_.EditMode == document::NotShowingGrid) ClosePrintPreview();
}

void Form1::MenuAiuto() {
    HideLabel();
    SetPointer(Pointer::Default);
    // The help document lies beside the program, whatever folder a dialog
    // browsed to.
    const std::string help = programFolder_ + "/QUADRIVO.html";
    std::error_code ec;
    const auto path = std::filesystem::absolute(help, ec);
    if (document::FileExists(help) && !launcher_.OpenDocument(path.string())) {
        messages_.Show(platform::ToBytes("Non è stato possibile aprire il documento di aiuto: manca un programma "
                                         "per visualizzarlo. Il documento si trova in:\n" +
                                         platform::PathText(path.string())),
                       platform::Buttons::Ok, platform::ApplicationTitle, platform::Icon::Exclamation);
    } else if (!document::FileExists(help)) {
        messages_.Show("Errore " + std::to_string(FileNotFound) +
                           " - Non trovato WRITE.EXE o WORDPAD.EXE controllare installazione di "
                           "Windows o che la directory \\WINDOWS sia specificata nella variabile di "
                           "ambiente PATH",
                       platform::Buttons::Ok, platform::ApplicationTitle, platform::Icon::Question);
    }
    if (doc_.EditMode == document::NotShowingGrid) ClosePrintPreview();
}

void Form1::MenuFont() {
    doc_.EditMode = document::NoTool;
    HideLabel();
    if (dialogs::ChooseFont(this, doc_, DrawingSurface(), fontSource_, fontChoice_, messages_)) DrawGrid();
    Activate();
}

void Form1::MenuInfo() {
    if (doc_.EditMode == document::NotShowingGrid) ClosePrintPreview();
    HideLabel();
    SetPointer(Pointer::Default);
    dialogs::ShowAbout(this, launcher_, messages_);
    Activate();
}

void Form1::MenuPHP() { launcher_.OpenDocument(QUADRIVO_HOME_PAGE); }

void Form1::MenuMail() { launcher_.OpenDocument(std::string("mailto:") + QUADRIVO_MAIL); }

} // namespace editor
