#pragma once
// The fill assistant in the main window: the dead cells tinted on the grid
// and the "Parole possibili" window for the slot under the pointer (or the
// last one clicked). The work runs on a thread of its own, always on the
// newest grid asked for; the window thread only hands grids over and shows
// what comes back, so typing and drawing never wait for it.

#include "document/crossword.h"
#include "fill/fill_assistant.h"
#include "platform/surface.h"
#include "vocabulary/vocabulary.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class QCheckBox;
class QLabel;
class QListView;
class QStringListModel;

namespace editor {

// "Parole possibili": the words for one slot, best first. Enter or a double
// click on a word asks for it to be placed.
class PossibleWordsWindow : public QWidget {
    Q_OBJECT
public:
    explicit PossibleWordsWindow(QWidget* parent);
    // `heading` names the slot; `words` are shown as given.
    void Show(const QString& heading, const fill::CandidateList& list);
    void ShowNothing(const QString& why);
    QListView* List() const { return list_; }
    // "Segui il puntatore": the list follows the pointer over the grid;
    // a click on the grid fixes it to the slot clicked.
    QCheckBox* Follow() const { return follow_; }

signals:
    void Chosen(int index);  // index into the words last shown
    void ClosedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* heading_;
    QLabel* count_;
    QLabel* apart_;
    QCheckBox* follow_;
    QListView* list_;
    QStringListModel* model_;
};

class FillAssistantView : public QObject {
    Q_OBJECT
public:
    // `place` writes a word into the slot through the edit cycle; `redraw`
    // draws the grid again (which comes back through Drawn).
    FillAssistantView(const vocabulary::Vocabulary& vocab, QWidget* mainWindow,
                      std::function<void(const fill::AssistantSlot&, const std::string&)> place,
                      std::function<void()> redraw);
    ~FillAssistantView() override;

    // The grid was just drawn: tints the dead cells known for it, and asks
    // for them when the grid is new.
    void Drawn(const document::Crossword& doc, platform::Surface& surface);
    // The pointer at a window point; a click fixes the slot (the window
    // stops following the pointer until told to again).
    void PointerAt(const document::Crossword& doc, int x, int y, bool clicked);

    PossibleWordsWindow* Window() const { return window_; }
    // Dead cells of the last grid worked out, and how long that took.
    const std::vector<fill::GridCell>& DeadCells() const { return shown_.dead; }

signals:
    void WindowClosed();
    // A grid's dead cells and words were worked out and shown.
    void Updated();

private:
    struct Work {
        std::uint64_t id = 0;
        std::vector<std::string> grid;
        std::optional<fill::AssistantSlot> slot;
        std::vector<int> numbers;  // word numbers of the slot starts, for the heading
    };
    struct Done {
        std::uint64_t id = 0;
        std::vector<std::string> grid;
        std::optional<fill::AssistantSlot> slot;
        std::vector<fill::GridCell> dead;
        fill::CandidateList list;
        int number = 0;
    };
    void Ask(const std::vector<std::string>& grid, const std::optional<fill::AssistantSlot>& slot, int number);
    // Asks for the grid and the followed slot unless they were just asked for.
    void AskFor(const document::Crossword& doc, const std::vector<std::string>& grid);
    void Run(const vocabulary::Vocabulary& vocab);
    void Take(Done done);
    void Choose(int index);

    QWidget* mainWindow_;
    QPointer<PossibleWordsWindow> window_;
    std::function<void(const fill::AssistantSlot&, const std::string&)> place_;
    std::function<void()> redraw_;

    // The window thread's side.
    std::vector<std::string> asked_;                 // the newest grid handed over
    std::optional<fill::AssistantSlot> askedSlot_;   // and its slot
    std::optional<fill::GridCell> point_;            // the cell the window follows
    int pointWay_ = 0;                               // and the direction there
    std::vector<std::string> drawn_;                 // the grid last drawn
    std::vector<fill::GridCell> painted_;            // and the cells tinted on it
    Done shown_;                                // what the window and tint show

    // Shared with the worker.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Work> pending_;
    bool stop_ = false;
    std::uint64_t lastId_ = 0;
    std::thread worker_;
};

} // namespace editor
