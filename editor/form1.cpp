#include "editor/form1.h"

#include "document/crossword_file.h"
#include "document/file_io.h"
#include "editor/actions.h"
#include "editor/artwork.h"
#include "dialogs/about_dialog.h"
#include "dialogs/tips_dialog.h"
#include "editor/client_area.h"
#include "editor/fill_assistant_view.h"
#include "platform/qt/caption.h"
#include "platform/qt/encoding.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>


namespace editor {

namespace {

// The working file stays in its folder whatever folder the dialogs browse
// to: the working folder when one is given (made if need be), else the
// program's folder.
std::string WorkingFolderPath(const StartupOptions& options) {
    QString path = options.workingFolder.isEmpty() ? options.programFolder : options.workingFolder;
    if (path.isEmpty()) path = QDir::currentPath();
    if (!options.workingFolder.isEmpty()) QDir().mkpath(path);
    return platform::PathBytes(QDir(path).absolutePath());
}

} // namespace

Form1::Form1(Services services, StartupOptions options, QWidget* parent)
    : QMainWindow(parent),
      messages_(services.messages),
      launcher_(services.launcher),
      options_(std::move(options)),
      area_(new ClientArea(this)),
      settings_(services.settings) {
    setObjectName("Form1");
    setWindowTitle("Quadrivo 98");
    setCentralWidget(area_);
    BuildMenus();
    BuildToolbar();
    BuildStatusBar();
    ShowSuggestionsChoice();
    connect(area_, &ClientArea::MouseMoved, this, &Form1::OnMouseMove);
    connect(area_, &ClientArea::MousePressed, this, &Form1::GridClick);
    connect(area_, &ClientArea::Resized, this, &Form1::OnResized);
    connect(area_->CloseButton(), &QPushButton::clicked, this, &Form1::ClosePrintPreview);
    connect(area_, &ClientArea::LeftBars, this, &Form1::HideLabel);
    connect(area_, &ClientArea::OverLabel, this,
            [this] { InfoLabel()->move(InfoLabel()->x(), area_->height()); });

    // The program's folder becomes the current folder: the data files are
    // opened there by their bare names.
    if (!options_.programFolder.isEmpty()) QDir::setCurrent(options_.programFolder);
    // The program's folder is remembered whatever folder the dialogs
    // browse to.
    programFolder_ = platform::PathBytes(QDir::currentPath());
    // A crossword of an earlier run is never resumed, but a run that ended
    // without Exit (a crash, the title bar) leaves its working file: it is
    // kept in the recovery folder before it goes. Working files of copies
    // still running are theirs and stay untouched.
    working_ = document::WorkingCopy::Claim(WorkingFolderPath(options_),
                                            platform::PathBytes(options_.recoveryFolder), &rescue_);

    if (!document::FileExists(vocabulary::VocabularyFile)) {
        messages_.Tell(vocabulary::MissingVocabularyMessage);
        EndProgram();
        return;
    }
    vocab_.LoadVocabularyIndex(vocabulary::VocabularyFile, messages_);

    doc_.ChangedFlag = false;
    if (doc_.GridFontName.empty()) doc_.GridFontName = document::DefaultFontName;
    // The picture is drawn once the window is on the screen, before its
    // first paint; where it goes needs only its size.
    area_->Splash()->resize(SplashWidth, SplashHeight);
    QTimer::singleShot(0, area_->Splash(), [splash = area_->Splash()] { splash->setPixmap(SplashPicture()); });
    RefreshWindow();
    ShowSplash(options_.commandLine.empty());
    HideLabel();
    SetUpAssistant();
}

QLabel* Form1::InfoLabel() const { return area_->InfoLabel(); }

platform::Surface& Form1::DrawingSurface() { return watcher_ ? *watcher_ : area_->Surface(); }

Bars Form1::CurrentBars() const { return {area_->ToolbarHeight(), area_->StatusBarHeight()}; }

void Form1::Activate() {
    if (ended_) return;
    if (!commandLineTaken_ && !options_.commandLine.empty()) {
        OpenCommandLineFile();
        if (ended_) return;
    }
    if (!activatedOnce_) ReportRescue();
    // The tip of the day, once, after the command-line crossword.
    if (!activatedOnce_ && settings_) dialogs::ShowTipOfTheDay(this, platform::PathText(programFolder_), *settings_);
    RefreshWindow();
    activatedOnce_ = true;
}

void Form1::OpenCommandLineFile() {
    commandLineTaken_ = true;
    const std::string& name = options_.commandLine;
    if (!document::FileExists(name)) {
        messages_.Show(document::NotFoundMessage(platform::ToBytes(platform::PathText(name))),
                       platform::Buttons::Ok, "Quadrivo ", platform::Icon::Information);
        EndProgram();
        return;
    }
    // The file is read and checked before it becomes the working file: a
    // file that is no crossword ends the program without leaving a copy.
    doc_.ClearDefinitions();
    doc_.ChangedFlag = false;
    if (!Load(name)) return;
    if (!Drawable()) {
        DropCrossword();
        return;
    }
    if (!working_.CopyFrom(name, messages_)) {
        DropCrossword();
        return;
    }
    doc_.CurrentFileName = name;
    DrawGrid();
}

bool Form1::Load(const std::string& name) {
    const auto result = document::LoadCrosswordFile(doc_, name, messages_);
    if (result == document::LoadResult::NotFound || result == document::LoadResult::InvalidFormat) {
        EndProgram();
        return false;
    }
    return true;
}

bool Form1::Drawable() const {
    return doc_.ColumnCount >= document::MinColumns && doc_.ColumnCount <= document::MaxColumns &&
           doc_.RowCount >= document::MinRows && doc_.RowCount <= document::MaxRows;
}

void Form1::DropCrossword() {
    doc_.CurrentFileName.clear();
    doc_.ChangedFlag = false;
    doc_.EditMode = document::NoTool;
    working_.Remove();
    DrawingSurface().Clear();
    setWindowTitle("Quadrivo 98");
    UpdateCommandStates();
    ShowSplash(true);
}

void Form1::RefreshWindow() {
    DrawingSurface().Clear();
    area_->update();
    UpdateCommandStates();
    if (!doc_.HasCrossword()) return;
    working_.NoteCrosswordName(doc_.CurrentFileName);
    if (!Load(working_.Path())) return;
    // A working file that cannot be shown is no crossword to edit.
    if (!Drawable()) {
        DropCrossword();
        return;
    }
    DrawGrid();
}

void Form1::DrawGrid() {
    // Only a crossword of 3..25 x 3..15 is ever drawn.
    if (!doc_.HasCrossword() || !Drawable()) return;
    editor::DrawGrid(doc_, DrawingSurface(), CurrentBars());
    if (assistant_) assistant_->Drawn(doc_, DrawingSurface());
    setWindowTitle(Caption());
    area_->update();
}

QString Form1::Caption() const { return platform::CrosswordCaption(doc_); }

bool Form1::EditCycle(const document::Crossword& before, const std::string& label) {
    if (!working_.Store(doc_, messages_)) {
        // The change cannot be kept: the crossword stays as it was.
        doc_ = before;
        DrawGrid();
        return false;
    }
    if (!Load(working_.Path())) return false;
    DrawGrid();
    doc_.ChangedFlag = true;
    if (!label.empty()) history_.Record(label, before, doc_);
    UpdateHistoryCommands();
    return true;
}

void Form1::StepHistory(bool back) {
    const document::Crossword before = doc_;
    if (!(back ? history_.Undo(doc_) : history_.Redo(doc_))) return;
    SetPointer(Pointer::Hourglass);
    HideLabel();
    if (EditCycle(before)) {
        // Back at the crossword as last saved or opened: nothing to save.
        doc_.ChangedFlag = history_.Unsaved();
    } else {
        // The working file could not take it: the step stays where it was.
        document::Crossword scratch = doc_;
        back ? history_.Redo(scratch) : history_.Undo(scratch);
    }
    UpdateHistoryCommands();
    SetPointer(Pointer::Default);
}

void Form1::MenuAnnulla() { StepHistory(true); }

void Form1::MenuRipristina() { StepHistory(false); }

void Form1::UpdateHistoryCommands() {
    const QString undo = platform::FromBytes(history_.UndoLabel());
    const QString redo = platform::FromBytes(history_.RedoLabel());
    MenuAction("MenuAnnulla")->setText(undo.isEmpty() ? "&Annulla" : "&Annulla " + undo);
    MenuAction("MenuRipristina")->setText(redo.isEmpty() ? "Ri&pristina" : "Ri&pristina " + redo);
    ToolAction("Annulla")->setToolTip(undo.isEmpty() ? "Annulla" : "Annulla " + undo);
    ToolAction("Ripristina")->setToolTip(redo.isEmpty() ? "Ripristina" : "Ripristina " + redo);
    UpdateCommandStates();
}

void Form1::EndProgram() {
    ended_ = true;
    // A fatal end leaves no working file behind, and lets its lock go.
    working_.Remove();
    working_ = document::WorkingCopy(working_.Path());
    messages_.EndProgram();
    hide();
}

void Form1::closeEvent(QCloseEvent* event) {
    // Closing from the title bar ends the program as it stands; the working
    // file stays behind and the next start deletes it.
    ended_ = true;
    event->accept();
}

void Form1::HideLabel() { InfoLabel()->move(InfoLabel()->x(), height()); }

void Form1::ShowSplash(bool visible) {
    QLabel* splash = area_->Splash();
    if (!visible) {
        splash->move(splash->x(), height());
        splash->hide();
        return;
    }
    splash->move((area_->width() - splash->width()) / 2, (area_->height() - splash->height()) / 2 - 10);
    splash->show();
    // The bars stay above the picture, as they stay above the drawing.
    area_->ToolBar()->raise();
    area_->StatusBar()->raise();
}

void Form1::OnResized() {
    HideLabel();
    if (previewShown_ && !ended_) {
        ShowPrintPreview();
        return;
    }
    if (doc_.HasCrossword() && Drawable() && doc_.EditMode != document::NotShowingGrid && !ended_)
        DrawGrid();
    else if (!area_->Splash()->isHidden())
        ShowSplash(true);
}

void Form1::SetPointer(Pointer pointer) {
    pointer_ = pointer;
    if (pointer == Pointer::Default) {
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
        return;
    }
    QCursor cursor;
    switch (pointer) {
    case Pointer::Arrow: cursor = QCursor(Qt::ArrowCursor); break;
    case Pointer::Hourglass: cursor = QCursor(Qt::WaitCursor); break;
    case Pointer::Crosshair: cursor = QCursor(Qt::CrossCursor); break;
    case Pointer::SizeWE: cursor = QCursor(Qt::SizeHorCursor); break;
    case Pointer::SizeNS: cursor = QCursor(Qt::SizeVerCursor); break;
    case Pointer::Icon: {
        // The black-cell tool: a small black square with a white rim.
        QPixmap shape(16, 16);
        shape.fill(Qt::white);
        QPainter p(&shape);
        p.fillRect(2, 2, 12, 12, Qt::black);
        p.end();
        cursor = QCursor(shape, 8, 8);
        break;
    }
    case Pointer::Default: break;
    }
    if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(cursor);
    else
        QApplication::setOverrideCursor(cursor);
}

void Form1::OnMouseMove(int x, int y) {
    if (assistant_) assistant_->PointerAt(doc_, x, y, false);
    QLabel* label = InfoLabel();
    // The label belongs to the drawing between the bars, never over them.
    if (y < area_->ToolbarHeight() || y >= area_->height() - area_->StatusBarHeight()) {
        HideLabel();
        return;
    }
    const ReadoutArea readoutArea{area_->width(), area_->height(),
                                  screen() ? screen()->geometry().height() : 10000};
    auto labelWidth = [label](const std::string& caption) {
        const QString text = platform::FromBytes(caption);
        if (label->text() != text) {
            label->setText(text);
            label->adjustSize();
        }
        return label->width();
    };
    const Readout r = PointerReadout(doc_, pointer_, x, y, readoutArea, labelWidth);
    if (r.setCaption) labelWidth(r.caption);
    if (r.setPointer && r.pointer != pointer_) SetPointer(r.pointer);
    int top = r.top;
    // Near the status bar the label goes above the pointer instead.
    const int floor = area_->height() - area_->StatusBarHeight();
    if (top < floor && top + label->height() > floor) top = std::max(area_->ToolbarHeight(), y - label->height() - 4);
    label->move(r.moveLeft ? r.left : label->x(), top);
    label->raise();
}

void Form1::BuildStatusBar() {
    QStatusBar* bar = area_->StatusBar();
    auto panel = [bar](const QString& text, int stretch, bool enabled) {
        auto* label = new QLabel(text, bar);
        label->setEnabled(enabled);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(label, stretch);
        return label;
    };
    panel("Quadrivo 98", 1, true);
    // The key-state panels show their names; the window system does not
    // tell this program the lock states, so they stay greyed.
    for (const char* key : {"BLOC SCORR", "INS", "BLOC MAIUSC", "NUM"}) panel(key, 0, false);
    QLabel* date = panel({}, 0, true);
    QLabel* time = panel({}, 0, true);
    auto tick = [date, time] {
        const QDateTime now = QDateTime::currentDateTime();
        date->setText(now.toString("dd/MM/yyyy"));
        time->setText(now.toString("HH:mm"));
    };
    tick();
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, tick);
    clock->start(10000);
}

} // namespace editor
