#pragma once
// Form1: the main window. It owns the crossword document and the vocabulary,
// shows the grid, and routes every menu and toolbar command.

#include "dialogs/font_dialog.h"
#include "document/crossword.h"
#include "document/history.h"
#include "document/working_copy.h"
#include "fill/complete_fill_index.h"
#include "fill/fill_assistant.h"
#include "editor/actions.h"
#include "editor/grid_drawing.h"
#include "editor/pointer_readout.h"
#include "platform/launcher.h"
#include "platform/messages.h"
#include "platform/qt/qt_fonts.h"
#include "platform/settings.h"
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
class FillAssistantView;

// What the window needs from the platform besides Qt's widgets.
struct Services {
    platform::Messages& messages;
    platform::Launcher& launcher;
    // The per-user settings of the tip of the day; without them no tip is
    // shown at start-up.
    platform::Settings* settings = nullptr;
};

struct StartupOptions {
    QString programFolder;    // becomes the current folder; the data files live there
    std::string commandLine;  // the whole command line: one crossword file name (file system bytes), or ""
    QString recoveryFolder;   // where a working file left by an earlier run is kept
    // Where the working file lives; empty: the program folder.
    QString workingFolder;
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
    // working file, load it back, redraw, mark the crossword changed. When
    // the working file cannot be written the document goes back to `before`
    // (the crossword as it was before the change) and false is returned, so
    // memory, screen and working file always agree.
    // A change with a `label` ("casella nera") becomes one step of the undo
    // history.
    bool EditCycle(const document::Crossword& before, const std::string& label = {});

    // "Quadrivo 98 - Cruciverba 16x13  NUOVOCRU.QDR": the caption of the
    // main window and of the word table.
    QString Caption() const;

    // Asks whether to save the changed crossword; OK runs Save. False when
    // the save was asked for and could not be written.
    bool AskToSaveChanges();

    // True once the program has ended (Exit, or a fatal message).
    bool Ended() const { return ended_; }

    document::Crossword& Document() { return doc_; }
    vocabulary::Vocabulary& Vocabulary() { return vocab_; }
    // The working file: "_qdra_32.tmp" in the working folder (the program's folder by default).
    const std::string& WorkingFile() const { return working_.Path(); }
    ClientArea* Area() const { return area_; }
    QLabel* InfoLabel() const;
    // The menu item, menu or toolbar button of that name or key. An unknown
    // name is a mistake in the program and stops it at once.
    QAction* MenuAction(const QString& name) const;
    QMenu* Menu(const QString& name) const;
    QAction* ToolAction(const QString& key) const;

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
    void MenuFont();
    void MenuInfo();
    void MenuPHP();
    void MenuMail();

    // Output: the printed page, its preview on the window, the picture.
    void MenuStampa();        // closes a shown preview first
    void MenuStampaSolutori();  // the same, for solvers: empty grid, clues, solution
    void PrintCrossword();    // the toolbar's print: a shown preview stays
    void ShowPrintPreview();
    void ClosePrintPreview();
    bool PreviewShown() const { return previewShown_; }
    void ExportPicture();
    // "Espor&ta ...": the crossword in another program's format.
    void MenuEsporta();
    // "&Importa ...": a crossword of another program as a new, unsaved one.
    void MenuImporta();

    // Undo and redo of the changes made through the edit cycle.
    void MenuAnnulla();
    void MenuRipristina();
    const document::History& History() const { return history_; }

    // Opens the folder where the crossword of a run that ended without Exit
    // was kept, newest first.
    void MenuRecupera();
    // What the start-up rescued from runs that ended without Exit.
    const document::RescueReport& Rescue() const { return rescue_; }

    // Grid editing: the cell tools, clue mode, columns and rows.
    void MenuCN();          // black-cell tool
    void MenuCB();          // white-cell tool
    void ClueModeSwitch();  // clue mode follows the "Edit" button
    void MenuDef() { ClueModeSwitch(); }
    // The menu items for columns and rows restore the default pointer first;
    // the toolbar buttons run the operations directly.
    void MenuAC();
    void MenuAR();
    void MenuTC();
    void MenuTR();
    void AddColumn();
    void RemoveColumn();
    void AddRow();
    void RemoveRow();

    // "Estrazione automatica": fills the grid from the vocabulary.
    void MenuEstrazione();
    // "&Completa schema ...": every slot of 3 or more letters gets a word,
    // with backtracking, off the window's thread.
    void MenuCompleta();
    // Where the fill's draws come from (a seeded generator in tests); the
    // default re-seeds from the time of day before every draw.
    void SetRandomSource(std::function<double()> random) { random_ = std::move(random); }
    // A mouse button pressed on the window at (x, y).
    void GridClick(int x, int y, Qt::MouseButton button);
    // "&Suggerimenti per le definizioni": whether the suggestions open with
    // the clue editor, remembered from one run to the next.
    void MenuSuggerimenti();

    // "&Assistente di riempimento": the dead cells tinted and the
    // "Parole possibili" window, on or off, remembered in the settings.
    void MenuAssistente();
    FillAssistantView* Assistant() const { return assistant_.get(); }
    // Writes a word the assistant offered into its slot, as one change.
    void PlaceAssistantWord(const fill::AssistantSlot& slot, const std::string& word);

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
    // The open dialog; `newestFirst` lists the newest files first.
    void ShowOpenDialog(bool newestFirst = false);
    // Save: false when the file could not be written.
    bool Save();
    void EditClue(int column, int row, int direction);
    void ChangeShape(bool (*change)(document::Crossword&), int editMode, const std::string& refusal,
                     bool clearFirst, const std::string& label);
    void AfterDefaultPointer(Handler run);
    // Undo (true) or redo (false) one step through the edit cycle.
    void StepHistory(bool back);
    // The undo and redo captions name the step they would take.
    void UpdateHistoryCommands();
    // True when the document's sizes can be shown and edited.
    bool Drawable() const;
    // Back to no crossword: after a file that could not be shown.
    void DropCrossword();
    // Says what the start-up rescued, offering to open the newest, or that a
    // rescue failed.
    void ReportRescue();
    // Opens a rescued crossword as new, unsaved work.
    void OpenRescued(const std::string& path);

    platform::Messages& messages_;
    platform::Launcher& launcher_;
    StartupOptions options_;
    document::Crossword doc_;
    vocabulary::Vocabulary vocab_;
    ClientArea* area_;
    document::WorkingCopy working_;
    document::RescueReport rescue_;
    std::string programFolder_;
    platform::Surface* watcher_ = nullptr;
    Pointer pointer_ = Pointer::Default;
    bool activatedOnce_ = false;
    bool commandLineTaken_ = false;
    bool ended_ = false;
    std::function<double()> random_;
    // The complete fill's letter index, built at its first use.
    std::unique_ptr<fill::LetterIndex> letterIndex_;

    struct Command {
        QAction* action;
        Handler run;
        Reach reach;
        bool onToolbar;
    };
    struct MenuState {
        QMenu* menu;
        Reach reach;
    };
    void Register(const QString& name, QAction* action, Handler run, Reach reach, bool onToolbar);
    const Command& Find(const QString& name) const;
    // False for commands this build or configuration does not offer.
    bool Available(Handler run) const;

    QHash<QString, Command> commands_;
    QHash<QString, MenuState> menus_;
    bool previewShown_ = false;
    platform::Settings* settings_;
    platform::QtFontSource fontSource_;
    dialogs::FontChoiceState fontChoice_;
    document::History history_;
    QString lastPictureName_;
    // Runs ClosePrintPreview when the preview is shown.
    void ClosePreview();
    // The check mark of "&Suggerimenti per le definizioni" as remembered.
    void ShowSuggestionsChoice();

    // The fill assistant; declared last so that it (and its thread) goes
    // before the vocabulary it reads.
    void SetUpAssistant();
    void SwitchAssistant(bool on);
    struct AssistantDeleter {
        void operator()(FillAssistantView* view) const;
    };
    std::unique_ptr<FillAssistantView, AssistantDeleter> assistant_;
};

} // namespace editor
