// Form1's menus, toolbar and the commands they run.

#include "editor/form1.h"

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

// A program started in the current folder or found on the search path; ""
// when there is none.
std::string FindProgram(const std::vector<QString>& names) {
    for (const QString& name : names) {
        std::error_code ec;
        const auto here = std::filesystem::current_path(ec) / name.toStdString();
        if (!ec && std::filesystem::is_regular_file(here, ec)) return here.string();
    }
    for (const QString& name : names) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty()) return found.toStdString();
    }
    return {};
}

// The error number a program start reports when the file is not there.
constexpr int FileNotFound = 53;

} // namespace

void Form1::BuildMenus() {
    // The column and row items restore the default pointer first; their
    // toolbar buttons do not.
    auto withDefaultPointer = [this](void (Form1::*command)()) {
        return [this, command] {
            SetPointer(Pointer::Default);
            (this->*command)();
        };
    };
    menuHandlers_ = {
        {"MenuNuovo", [this] { MenuNuovo(); }},
        {"MenuApri", [this] { MenuApri(); }},
        {"MenuSalva", [this] { MenuSalva(); }},
        {"MenuSalvaCN", [this] { MenuSalvaCN(); }},
        {"MenuEsci", [this] { MenuEsci(); }},
        {"MenuParole", [this] { MenuParole(); }},
        {"MenuAC", withDefaultPointer(&Form1::AddColumn)},
        {"MenuAR", withDefaultPointer(&Form1::AddRow)},
        {"MenuTC", withDefaultPointer(&Form1::RemoveColumn)},
        {"MenuTR", withDefaultPointer(&Form1::RemoveRow)},
        {"MenuCN", [this] { MenuCN(); }},
        {"MenuCB", [this] { MenuCB(); }},
        {"MenuDef", [this] { ClueModeSwitch(); }},
        {"MenuPendaris", [this] { MenuPendaris(); }},
        {"MenuEstrazione", [this] { MenuEstrazione(); }},
        {"MenuAiuto", [this] { MenuAiuto(); }},
    };
    // The author's page and mail box are set when the program is built; with
    // none configured the two commands stay disabled.
    if (*QUADRIVO_HOME_PAGE) menuHandlers_.insert("MenuPHP", [this] { MenuPHP(); });
    if (*QUADRIVO_MAIL) menuHandlers_.insert("MenuMail", [this] { MenuMail(); });
    for (const MenuSpec& entry : MenuTable()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(entry.caption));
        menu->setObjectName(entry.name);
        menus_.insert(entry.name, menu);
        for (const MenuItemSpec& item : entry.items) {
            QAction* action = item.caption ? menu->addAction(QString::fromUtf8(item.caption))
                                           : menu->addSeparator();
            action->setObjectName(item.name);
            menuActions_.insert(item.name, action);
            if (auto handler = menuHandlers_.value(item.name))
                connect(action, &QAction::triggered, this, handler);
        }
    }
}

void Form1::BuildToolbar() {
    toolHandlers_ = {
        {"Nuovo", [this] { MenuNuovo(); }},
        {"Apri", [this] { MenuApri(); }},
        {"Salva", [this] { MenuSalva(); }},
        {"Tabella", [this] { MenuParole(); }},
        {"AggColonna", [this] { AddColumn(); }},
        {"TogliColonna", [this] { RemoveColumn(); }},
        {"AggRiga", [this] { AddRow(); }},
        {"TogliRiga", [this] { RemoveRow(); }},
        {"CasBianca", [this] { MenuCB(); }},
        {"CasNera", [this] { MenuCN(); }},
        {"Edit", [this] { ClueModeSwitch(); }},
        {"Estrazione", [this] { MenuEstrazione(); }},
    };
    QToolBar* bar = area_->ToolBar();
    int index = 0;
    for (const ToolSpec& entry : ToolbarTable()) {
        ++index;
        if (!entry.key) {
            bar->addSeparator()->setObjectName(QString("Separatore%1").arg(index));
            continue;
        }
        QAction* action = bar->addAction(ToolbarIcon(entry.key), QString::fromUtf8(entry.tooltip));
        action->setObjectName(entry.key);
        action->setToolTip(QString::fromUtf8(entry.tooltip));
        toolActions_.insert(entry.key, action);
        if (auto handler = toolHandlers_.value(entry.key))
            connect(action, &QAction::triggered, this, handler);
    }
    // "Edit" stays down when clicked and comes up on the next click.
    toolActions_.value("Edit")->setCheckable(true);
}

void Form1::UpdateCommandStates() {
    const bool crossword = doc_.HasCrossword();
    // A command is enabled only where it has a handler.
    for (auto it = menuActions_.begin(); it != menuActions_.end(); ++it)
        if (!it.value()->isSeparator()) it.value()->setEnabled(menuHandlers_.contains(it.key()));
    for (const char* name : ItemsNeedingCrossword()) menuActions_.value(name)->setVisible(crossword);
    for (const char* name : MenusNeedingCrossword()) menus_.value(name)->menuAction()->setVisible(crossword);

    int index = 0;
    for (const ToolSpec& entry : ToolbarTable()) {
        ++index;
        if (!entry.key) continue;
        const bool allowed = index < FirstCrosswordButton || crossword;
        toolActions_.value(entry.key)->setEnabled(allowed && toolHandlers_.contains(entry.key));
    }
}

void Form1::BeforeFileDialog() {
    SetPointer(Pointer::Hourglass);
    if (!area_->Splash()->isHidden()) {
        ShowSplash(false);
        DrawingSurface().Clear();
        area_->update();
    }
    HideLabel();
    if (doc_.ChangedFlag) AskToSaveChanges();
}

void Form1::MenuNuovo() {
    BeforeFileDialog();
    {
        dialogs::FormNew dialog(doc_, messages_, working_, programFolder_,
                                [this] { SetPointer(Pointer::Default); }, this);
        dialog.exec();
        if (dialog.EndedProgram()) {
            EndProgram();
            return;
        }
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
    {
        dialogs::Form2 dialog(doc_, messages_, working_, [this] { SetPointer(Pointer::Default); }, this);
        dialog.exec();
    }
    SetPointer(Pointer::Default);
    if (!doc_.HasCrossword()) ShowSplash(true);
    Activate();
}

void Form1::MenuSalvaCN() {
    SetPointer(Pointer::Default);
    HideLabel();
    {
        dialogs::CruciSav dialog(doc_, messages_, working_, this);
        dialog.exec();
    }
    Activate();
}

void Form1::MenuParole() {
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
}

void Form1::MenuSalva() {
    SetPointer(Pointer::Default);
    DrawGrid();
    HideLabel();
    const std::string& name = doc_.CurrentFileName;
    if (!name.empty() && name != document::NewCrosswordName)
        document::SaveCrosswordFile(doc_, name, messages_);
    else
        MenuSalvaCN();
}

void Form1::AskToSaveChanges() {
    const QString name = platform::PathText(doc_.CurrentFileName).toUpper();
    const auto answer = messages_.Show(platform::ToBytes("Il file " + name + " è cambiato, si desidera salvare"),
                                       platform::Buttons::OkCancel, "Modifica del file corrente",
                                       platform::Icon::None);
    if (answer == platform::Answer::Ok) MenuSalva();
}

void Form1::MenuEsci() {
    working_.Remove();
    HideLabel();
    SetPointer(Pointer::Default);
    if (doc_.ChangedFlag) AskToSaveChanges();
    EndProgram();
}

void Form1::MenuPendaris() {
    HideLabel();
    SetPointer(Pointer::Default);
    const std::string program = FindProgram({"pendaris", "PENDARIS.EXE"});
    if (program.empty() || !launcher_.StartProgram(program, {}))
        messages_.Show("Errore " + std::to_string(FileNotFound) +
                           " - Non trovato Pendaris.exe controllare installazione.",
                       platform::Buttons::Ok, platform::ApplicationTitle, platform::Icon::Question);
}

void Form1::MenuAiuto() {
    HideLabel();
    SetPointer(Pointer::Default);
    const std::string help = "QUADRIVO.html";
    std::error_code ec;
    const auto path = std::filesystem::absolute(help, ec);
    if (!document::FileExists(help) || !launcher_.OpenDocument(path.string()))
        messages_.Show("Errore " + std::to_string(FileNotFound) +
                           " - Non trovato WRITE.EXE o WORDPAD.EXE controllare installazione di "
                           "Windows o che la directory \\WINDOWS sia specificata nella variabile di "
                           "ambiente PATH",
                       platform::Buttons::Ok, platform::ApplicationTitle, platform::Icon::Question);
}

void Form1::MenuPHP() { launcher_.OpenDocument(QUADRIVO_HOME_PAGE); }

void Form1::MenuMail() { launcher_.OpenDocument(std::string("mailto:") + QUADRIVO_MAIL); }

} // namespace editor
