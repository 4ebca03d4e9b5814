#pragma once
// Form1: the main window. It owns the crossword document and the vocabulary,
// shows the grid, and routes every menu and toolbar command.

#include "document/crossword.h"
#include "document/working_copy.h"
#include "editor/grid_drawing.h"
#include "editor/pointer_readout.h"
#include "platform/launcher.h"
#include "platform/messages.h"
#include "vocabulary/vocabulary.h"

#include <QHash>
#include <QMainWindow>
#include <QString>

#include <functional>

class QAction;
class QLabel;
class QMenu;

namespace editor {

class ClientArea;

// What the window needs from the platform besides Qt's widgets.
struct Services {
    platform::Messages& messages;
    platform::Launcher& launcher;
};

struct StartupOptions {
    QString programFolder;  // becomes the current folder; the data files live there
    QString commandLine;    // the whole command line: one crossword file name, or ""
};

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // Window creation: the program folder becomes the current folder, the old
    // working file is deleted and the vocabulary index is read (a missing
    // vocabulary ends the program: see Ended()).
    Form1(Services services, StartupOptions options, QWidget* parent = nullptr);

    // Runs on every activation: after creation and whenever a dialog of the
    // program closes. The first one opens the command-line crossword.
    void Activate();

    // Reloads the working file and redraws when a crossword is current, and
    // shows, hides, enables and disables the commands for the state.
    void RefreshWindow();

    // Redraws the grid from the document and recomputes the word map.
    void DrawGrid();

    // The one road of every change already made in the document: save the
    // working file, load it back, redraw, mark the crossword changed.
    void EditCycle();

    // "Quadrivo 98 - Cruciverba 16x13  NUOVOCRU.QDR": the caption of the
    // main window and of the word table.
    QString Caption() const;

    // Asks whether to save the changed crossword; OK runs Save.
    void AskToSaveChanges();

    // True once the program has ended (Exit, or a fatal message).
    bool Ended() const { return ended_; }

    document::Crossword& Document() { return doc_; }
    vocabulary::Vocabulary& Vocabulary() { return vocab_; }
    // The working file: "_qdra_32.tmp" in the program's folder.
    const std::string& WorkingFile() const { return working_.Path(); }
    ClientArea* Area() const { return area_; }
    QLabel* InfoLabel() const;
    QAction* MenuAction(const QString& name) const { return menuActions_.value(name); }
    QMenu* Menu(const QString& name) const { return menus_.value(name); }
    QAction* ToolAction(const QString& key) const { return toolActions_.value(key); }

    // The screen-wide pointer shape; the cell tools are kept in it.
    Pointer CurrentPointer() const { return pointer_; }
    void SetPointer(Pointer pointer);

    // Draws through `watcher` (which passes the calls on to the window), or
    // directly again with nullptr. Tests use it to check coordinates.
    void WatchDrawing(platform::Surface* watcher) { watcher_ = watcher; }
    platform::Surface& DrawingSurface();

    // Commands.
    void MenuNuovo();
    void MenuSalva();
    void MenuSalvaCN();
    void MenuApri();
    void MenuParole();
    void MenuEsci();
    void MenuPendaris();
    void MenuAiuto();
    void MenuPHP();
    void MenuMail();

    // Grid editing: the cell tools, clue mode, columns and rows.
    void MenuCN();          // black-cell tool
    void MenuCB();          // white-cell tool
    void ClueModeSwitch();  // clue mode follows the "Edit" button
    void AddColumn();
    void RemoveColumn();
    void AddRow();
    void RemoveRow();

    // "Estrazione automatica": fills the grid from the vocabulary.
    void MenuEstrazione();
    // Where the fill's draws come from (a seeded generator in tests); the
    // default re-seeds from the time of day before every draw.
    void SetRandomSource(std::function<double()> random) { random_ = std::move(random); }
    // A mouse button pressed on the window at (x, y).
    void GridClick(int x, int y, Qt::MouseButton button);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    void BuildStatusBar();
    void UpdateCommandStates();
    void OpenCommandLineFile();
    void EndProgram();
    // Loads a crossword file into the document; false when a fatal message
    // ended the program.
    bool Load(const std::string& name);
    void HideLabel();
    void ShowSplash(bool visible);
    void OnMouseMove(int x, int y);
    void OnResized();
    Bars CurrentBars() const;
    void BeforeFileDialog();
    void EditClue(int column, int row, int direction);
    void ChangeShape(bool (*change)(document::Crossword&), int editMode, const std::string& refusal,
                     bool clearFirst);

    platform::Messages& messages_;
    platform::Launcher& launcher_;
    StartupOptions options_;
    document::Crossword doc_;
    vocabulary::Vocabulary vocab_;
    ClientArea* area_;
    document::WorkingCopy working_;
    std::string programFolder_;
    platform::Surface* watcher_ = nullptr;
    Pointer pointer_ = Pointer::Default;
    bool activatedOnce_ = false;
    bool commandLineTaken_ = false;
    bool ended_ = false;
    std::function<double()> random_;

    QHash<QString, QAction*> menuActions_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QAction*> toolActions_;
    QHash<QString, std::function<void()>> menuHandlers_;
    QHash<QString, std::function<void()>> toolHandlers_;
};

} // namespace editor
