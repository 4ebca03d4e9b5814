// Form1's grid editing: the black-cell and white-cell tools, clue mode with
// the clue editor, and adding or removing the last column or row.

#include "editor/form1.h"

#include "document/grid_edits.h"
#include "editor/client_area.h"
#include "editor/fill_assistant_view.h"
#include "fill/auto_fill.h"
#include "fill/headless_host.h"
#include "platform/qt/encoding.h"
#include "words/clue_editor.h"

#include <QAction>
#include <QLabel>

namespace editor {

using namespace document;

void Form1::MenuCN() {
    if (doc_.EditMode == NotShowingGrid) DrawGrid();
    doc_.EditMode = BlackCellTool;
    SetPointer(Pointer::Icon);
}

void Form1::MenuCB() {
    if (doc_.EditMode == NotShowingGrid) DrawGrid();
    doc_.EditMode = WhiteCellTool;
    SetPointer(Pointer::Crosshair);
}

void Form1::ClueModeSwitch() {
    SetPointer(Pointer::Default);
    doc_.EditMode = ToolAction("Edit")->isChecked() ? ClueMode : NoTool;
    DrawGrid();
}

void Form1::ChangeShape(bool (*change)(Crossword&), int editMode, const std::string& refusal,
                        bool clearFirst, const std::string& label) {
    // A refused change leaves the document as it was.
    const Crossword before = doc_;
    if (!change(doc_)) {
        messages_.Tell(refusal);
        return;
    }
    SetPointer(Pointer::Hourglass);
    doc_.EditMode = editMode;
    HideLabel();
    if (clearFirst) {
        DrawingSurface().Clear();
        area_->update();
    }
    EditCycle(before, label);
    SetPointer(Pointer::Default);
}

// The menu items for columns and rows restore the default pointer first;
// their toolbar buttons do not.
void Form1::AfterDefaultPointer(Handler run) {
    SetPointer(Pointer::Default);
    (this->*run)();
}
void Form1::MenuAC() { AfterDefaultPointer(&Form1::AddColumn); }
void Form1::MenuAR() { AfterDefaultPointer(&Form1::AddRow); }
void Form1::MenuTC() { AfterDefaultPointer(&Form1::RemoveColumn); }
void Form1::MenuTR() { AfterDefaultPointer(&Form1::RemoveRow); }

void Form1::AddColumn() {
    ChangeShape(&document::AddColumn, AddedColumn, TooManyColumnsMessage, true, "Aggiungi colonna");
}
void Form1::RemoveColumn() {
    ChangeShape(&document::RemoveColumn, RemovedColumn, TooFewColumnsMessage, true, "Togli colonna");
}
void Form1::AddRow() { ChangeShape(&document::AddRow, AddedRow, TooManyRowsMessage, false, "Aggiungi riga"); }
void Form1::RemoveRow() { ChangeShape(&document::RemoveRow, RemovedRow, TooFewRowsMessage, false, "Togli riga"); }

void Form1::GridClick(int x, int y, Qt::MouseButton button) {
    if (assistant_ && button == Qt::LeftButton) assistant_->PointerAt(doc_, x, y, true);
    const bool cellTool = pointer_ == Pointer::Icon || pointer_ == Pointer::Crosshair;
    if (!cellTool && doc_.EditMode != ClueMode) return;
    int column = 0, row = 0;
    if (!CellAt(doc_, x, y, column, row) || button != Qt::LeftButton) {
        SetPointer(Pointer::Default);  // ends a cell tool; clue mode stays
        return;
    }
    const int cell = doc_.CellSize;
    const Pixel corner = CellOrigin(doc_, column, row);
    const int left = corner.x, top = corner.y;

    if (pointer_ == Pointer::Icon || pointer_ == Pointer::Crosshair) {
        const bool black = pointer_ == Pointer::Icon;
        if ((doc_.Cell(column, row) == BlackCell) == black) return;
        const Pointer tool = pointer_;
        SetPointer(Pointer::Hourglass);
        // Painted at once, before the whole grid is drawn again.
        DrawingSurface().Rectangle(left + 2, top + 2, left + cell - 2, top + cell - 2,
                                   black ? platform::colors::Black : platform::colors::White, true);
        area_->repaint();
        const Crossword before = doc_;
        if (black)
            PutBlackCell(doc_, column, row);
        else
            PutWhiteCell(doc_, column, row);
        EditCycle(before, black ? "casella nera" : "casella bianca");
        SetPointer(tool);
        return;
    }

    HideLabel();
    doc_.CurrentColumn = column;
    doc_.CurrentRow = row;
    if (pointer_ == Pointer::SizeWE) EditClue(column, row, Horizontal);
    if (pointer_ == Pointer::SizeNS) EditClue(column, row, Vertical);
}

namespace {

// The fill in the main window: letters painted on the window as they come,
// the working file and the grid redrawn at the clearing and at the end.
class WindowFillHost : public fill::FillHost {
public:
    WindowFillHost(std::function<void(Crossword&)> redraw, platform::Surface& surface, QWidget& area,
                   std::function<double()> random, std::function<void(bool)> busy)
        : redraw_(std::move(redraw)), painter_(surface), area_(area), random_(std::move(random)),
          busy_(std::move(busy)) {}
    void Redraw(Crossword& doc) override { redraw_(doc); }
    void ShowLetter(const Crossword& doc, int column, int row, char letter) override {
        painter_.Paint(doc, column, row, letter);
    }
    void Show() override { area_.repaint(); }
    double Random() override { return random_ ? random_() : fill::TimeOfDayRandom(); }
    void Busy(bool busy) override { busy_(busy); }

private:
    std::function<void(Crossword&)> redraw_;
    FillLetterPainter painter_;
    QWidget& area_;
    std::function<double()> random_;
    std::function<void(bool)> busy_;
};

} // namespace

void Form1::MenuEstrazione() {
    HideLabel();
    // A fill whose working file cannot be written leaves the crossword as it
    // was before the fill.
    const Crossword before = doc_;
    WindowFillHost host(
        [this, &before](Crossword&) { EditCycle(before); },
        DrawingSurface(), *area_, random_,
        [this](bool busy) { SetPointer(busy ? Pointer::Hourglass : Pointer::Default); });
    // The whole fill is one step, however many words it placed.
    if (fill::AutoFill(doc_, vocab_, messages_, host).started) history_.Record("Estrazione automatica", before, doc_);
    UpdateHistoryCommands();
    SetPointer(Pointer::Default);
}

void Form1::EditClue(int column, int row, int direction) {
    doc_.CurrentDirection = direction;
    const Crossword before = doc_;
    const std::string oldClue = doc_.Definitions(column, row, direction);
    const std::string oldWord = doc_.CellWords(column, row, direction);
    if (oldWord.size() >= 16) {
        messages_.Tell(direction == Horizontal
                           ? "Lunghezza consentita per una parola da 2 a 15 caratteri! Piazzare una "
                             "casella nera a destra."
                           : "Lunghezza consentita per una parola da 2 a 15 caratteri! Piazzare una "
                             "casella nera sotto.");
        return;
    }
    // The editor opens at the bottom-right corner of the word's first cell.
    const Pixel beyond = CellOrigin(doc_, column + 1, row + 1);
    const QPoint corner = area_->mapToGlobal(QPoint(beyond.x, beyond.y));
    {
        words::CruciDef editor(doc_, vocab_, messages_, [this](Pointer p) { SetPointer(p); }, corner,
                               area_->StatusBarHeight(), this);
        editor.exec();
    }
    const std::string& newWord = doc_.CellWords(column, row, direction);
    if (doc_.Definitions(column, row, direction) == oldClue && newWord == oldWord) return;
    doc_.ChangedFlag = true;
    WriteWord(doc_, column, row, direction, newWord);
    EditCycle(before, "parola/definizione");
}

} // namespace editor
