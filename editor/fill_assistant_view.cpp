#include "editor/fill_assistant_view.h"

#include "document/grid_edits.h"
#include "editor/client_area.h"
#include "editor/form1.h"
#include "editor/grid_drawing.h"
#include "editor/pointer_readout.h"
#include "fill/complete_fill.h"
#include "platform/qt/encoding.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QScreen>
#include <QStringListModel>
#include <QTimer>
#include <QVBoxLayout>

namespace editor {

namespace {

// Whole numbers with the Italian thousands point: "1.234".
QString Counted(int n) {
    QString digits = QString::number(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, '.');
    return digits;
}

QString Heading(const fill::CandidateList& list, int number) {
    const QString way = list.slot.direction == document::Horizontal ? "oriz." : "vert.";
    return QString("%1 %2 - %3 (%4 lettere)")
        .arg(number)
        .arg(way, platform::FromBytes(list.pattern))
        .arg(list.slot.length);
}

constexpr const char* SettingsSection = "Options";
constexpr const char* SettingsKey = "Assistente di riempimento";

} // namespace

PossibleWordsWindow::PossibleWordsWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool),
      heading_(new QLabel(this)),
      count_(new QLabel(this)),
      apart_(new QLabel(this)),
      follow_(new QCheckBox("&Segui il puntatore", this)),
      list_(new QListView(this)),
      model_(new QStringListModel(this)) {
    setObjectName("ParolePossibili");
    setWindowTitle("Parole possibili");
    heading_->setObjectName("Parola");
    count_->setObjectName("Conteggio");
    apart_->setObjectName("Escluse");
    heading_->setWordWrap(true);
    count_->setWordWrap(true);
    apart_->setWordWrap(true);
    list_->setObjectName("Elenco");
    list_->setModel(model_);
    list_->setUniformItemSizes(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    follow_->setObjectName("Segui");
    follow_->setChecked(true);
    layout->addWidget(follow_);
    layout->addWidget(heading_);
    layout->addWidget(count_);
    layout->addWidget(list_, 1);
    layout->addWidget(apart_);
    setFixedWidth(280);
    resize(280, 480);
    connect(list_, &QListView::doubleClicked, this, [this](const QModelIndex& index) { emit Chosen(index.row()); });
}

bool PossibleWordsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && list_->currentIndex().isValid()) {
            emit Chosen(list_->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PossibleWordsWindow::Show(const QString& heading, const fill::CandidateList& list) {
    heading_->setText(heading);
    if (!list.note.empty())
        count_->setText(platform::FromBytes(list.note));
    else if (list.total == 0)
        count_->setText("Nessuna parola possibile");
    else
        count_->setText((list.total == 1 ? QString("1 parola possibile") : Counted(list.total) + " parole possibili") +
                        (list.words.size() < static_cast<std::size_t>(list.total)
                             ? QString(" (elencate le prime %1)").arg(Counted(static_cast<int>(list.words.size())))
                             : QString()));
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(list.words.size()));
    for (const fill::Candidate& c : list.words)
        rows << (c.tightest == fill::NoCrossing ? QString::fromLatin1(c.word)
                                                : QString("%1  (%2)").arg(QString::fromLatin1(c.word)).arg(c.tightest));
    model_->setStringList(rows);
    const int apart = list.blockingTotal;
    apart_->setText(apart == 0 ? QString()
                    : apart == 1 ? QString("1 altra parola lascerebbe un incrocio senza parole.")
                                 : Counted(apart) + " altre parole lascerebbero un incrocio senza parole.");
    apart_->setVisible(apart > 0);
}

void PossibleWordsWindow::ShowNothing(const QString& why) {
    heading_->setText(why);
    count_->clear();
    apart_->clear();
    apart_->hide();
    model_->setStringList({});
}

void PossibleWordsWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit ClosedByUser();
}

FillAssistantView::FillAssistantView(const vocabulary::Vocabulary& vocab, QWidget* mainWindow,
                                     std::function<void(const fill::AssistantSlot&, const std::string&)> place,
                                     std::function<void()> redraw)
    : mainWindow_(mainWindow), window_(new PossibleWordsWindow(mainWindow)), place_(std::move(place)), redraw_(std::move(redraw)) {
    window_->ShowNothing("Puntare una parola dello schema.");
    connect(window_, &PossibleWordsWindow::Chosen, this, &FillAssistantView::Choose);
    // The window's owner may end the assistant when it closes: not while the
    // window is still in its close event.
    connect(window_, &PossibleWordsWindow::ClosedByUser, this, &FillAssistantView::WindowClosed, Qt::QueuedConnection);
    worker_ = std::thread([this, &vocab] { Run(vocab); });
}

FillAssistantView::~FillAssistantView() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    worker_.join();
    delete window_.data();
}

void FillAssistantView::Run(const vocabulary::Vocabulary& vocab) {
    fill::FillAssistant assistant(vocab);
    assistant.Prepare();
    for (;;) {
        Work work;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || pending_.has_value(); });
            if (stop_) return;
            work = std::move(*pending_);
            pending_.reset();
        }
        Done done;
        done.id = work.id;
        done.dead = assistant.DeadCells(work.grid);
        if (work.slot) done.list = assistant.Candidates(work.grid, *work.slot, fill::ListedWords);
        done.grid = std::move(work.grid);
        done.slot = work.slot;
        done.number = work.numbers.empty() ? 0 : work.numbers.front();
        QMetaObject::invokeMethod(this, [this, done = std::move(done)]() mutable { Take(std::move(done)); },
                                  Qt::QueuedConnection);
    }
}

void FillAssistantView::Ask(const std::vector<std::string>& grid, const std::optional<fill::AssistantSlot>& slot,
                            int number) {
    asked_ = grid;
    askedSlot_ = slot;
    {
        std::lock_guard lock(mutex_);
        // Only the newest grid matters: one still waiting is replaced.
        pending_ = Work{++lastId_, grid, slot, {number}};
    }
    wake_.notify_one();
}

void FillAssistantView::AskFor(const document::Crossword& doc, const std::vector<std::string>& grid) {
    std::optional<fill::AssistantSlot> slot;
    if (point_) slot = fill::FillAssistant::SlotAt(grid, point_->column, point_->row, pointWay_);
    if (grid == asked_ && slot == askedSlot_ && lastId_ > 0) return;
    Ask(grid, slot, slot ? doc.WordNumbers(slot->column, slot->row) : 0);
}

void FillAssistantView::Drawn(const document::Crossword& doc, platform::Surface& surface) {
    if (window_ && window_->isHidden()) {
        // Beside the main window, inside the screen: at the right edge when
        // the main window fills it.
        const QRect main = mainWindow_->frameGeometry();
        const QRect room = mainWindow_->screen() ? mainWindow_->screen()->availableGeometry() : main;
        const int x = std::max(room.left(), std::min(main.right() + 8, room.right() - window_->width() - 8));
        window_->move(x, std::max(room.top(), main.top() + 80));
        window_->show();
    }
    const std::vector<std::string> grid = fill::GridCells(doc);
    drawn_ = grid;
    painted_.clear();
    if (shown_.grid == grid) {
        for (const fill::GridCell& cell : shown_.dead) TintDeadCell(doc, surface, cell.column, cell.row);
        painted_ = shown_.dead;
    }
    AskFor(doc, grid);
}

void FillAssistantView::PointerAt(const document::Crossword& doc, int x, int y, bool clicked) {
    if (!doc.HasCrossword()) return;
    int column = 0, row = 0;
    if (!CellAt(doc, x, y, column, row)) return;
    if (!clicked && window_ && !window_->Follow()->isChecked()) return;
    const std::vector<std::string> grid = fill::GridCells(doc);
    const auto across = fill::FillAssistant::SlotAt(grid, column, row, document::Horizontal);
    const auto down = fill::FillAssistant::SlotAt(grid, column, row, document::Vertical);
    if (!across && !down) return;
    // In a cell of two words the upper-right half means across, as the
    // pointer read-out has it.
    const Pixel corner = CellOrigin(doc, column, row);
    const bool upperRight = y - corner.y <= x - corner.x;
    const int way = across && (upperRight || !down) ? document::Horizontal : document::Vertical;
    if (clicked && window_) window_->Follow()->setChecked(false);
    point_ = fill::GridCell{column, row};
    pointWay_ = way;
    AskFor(doc, grid);
}

void FillAssistantView::Take(Done done) {
    // A newer grid is on its way: this one is already old.
    if (done.id != lastId_) return;
    shown_ = std::move(done);
    if (window_) {
        if (shown_.slot)
            window_->Show(Heading(shown_.list, shown_.number), shown_.list);
        else
            window_->ShowNothing("Puntare una parola dello schema.");
    }
    if (shown_.grid == drawn_ && shown_.dead != painted_) redraw_();
    emit Updated();
}

void FillAssistantView::Choose(int index) {
    if (!shown_.slot || index < 0 || index >= static_cast<int>(shown_.list.words.size())) return;
    place_(*shown_.slot, shown_.list.words[static_cast<std::size_t>(index)].word);
}

// The main window's side.

void Form1::AssistantDeleter::operator()(FillAssistantView* view) const { delete view; }

void Form1::SetUpAssistant() {
    QAction* action = MenuAction("MenuAssistente");
    action->setCheckable(true);
    const bool on = settings_ && settings_->Get(SettingsSection, SettingsKey, "0") == "1";
    action->setChecked(on);
    if (on) SwitchAssistant(true);
}

void Form1::MenuAssistente() {
    const bool on = MenuAction("MenuAssistente")->isChecked();
    if (settings_) settings_->Set(SettingsSection, SettingsKey, on ? "1" : "0");
    SwitchAssistant(on);
}

void Form1::SwitchAssistant(bool on) {
    if (on == static_cast<bool>(assistant_)) return;
    // The grid is drawn again only where it is shown: not over the preview.
    auto redraw = [this] {
        if (!previewShown_ && doc_.EditMode != document::NotShowingGrid) DrawGrid();
    };
    if (!on) {
        assistant_.reset();
        redraw();
        return;
    }
    assistant_.reset(new FillAssistantView(
        vocab_, this,
        [this](const fill::AssistantSlot& slot, const std::string& word) { PlaceAssistantWord(slot, word); },
        redraw));
    connect(assistant_.get(), &FillAssistantView::WindowClosed, this, [this] {
        MenuAction("MenuAssistente")->setChecked(false);
        MenuAssistente();
    });
    redraw();
}

void Form1::PlaceAssistantWord(const fill::AssistantSlot& slot, const std::string& word) {
    if (!doc_.HasCrossword() || !Drawable() || previewShown_) return;
    // The list may be older than the grid: the word must still fit.
    const std::vector<std::string> grid = fill::GridCells(doc_);
    const auto now = fill::FillAssistant::SlotAt(grid, slot.column, slot.row, slot.direction);
    if (!now || !(*now == slot) || static_cast<int>(word.size()) != slot.length) return;
    for (int i = 0; i < slot.length; ++i) {
        const int c = slot.column + (slot.direction == document::Horizontal ? i : 0);
        const int r = slot.row + (slot.direction == document::Vertical ? i : 0);
        const char ch = doc_.Cell(c, r);
        if (ch >= 'A' && ch <= 'Z' && ch != word[static_cast<std::size_t>(i)]) return;
    }
    const document::Crossword before = doc_;
    document::WriteWord(doc_, slot.column, slot.row, slot.direction, word);
    HideLabel();
    EditCycle(before, "parola " + word);
}

} // namespace editor
