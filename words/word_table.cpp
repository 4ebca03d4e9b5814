#include "words/word_table.h"

#include "document/crossword_file.h"
#include "document/grid_edits.h"
#include "document/word_map.h"
#include "platform/qt/caption.h"
#include "platform/qt/encoding.h"
#include "platform/qt/line_edit.h"
#include "platform/qt/picture_box.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

namespace words {

using document::Horizontal;

CruciBro::CruciBro(document::Crossword& doc, platform::Messages& messages, const document::WorkingCopy& workingFile,
                   std::function<void(bool)> hourglass, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      atOpening_(doc),
      messages_(messages),
      workingFile_(workingFile),
      hourglass_(std::move(hourglass)) {
    setObjectName("CruciBro");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(platform::CrosswordCaption(doc_));

    picture_ = new platform::PictureBox(Qt::white, 1, this);
    picture_->setObjectName("Picture1");
    table_ = new QTableWidget(2, 3, this);
    table_->setObjectName("Gitter1");
    table_->setToolTip("Lista delle parole (cliccare per modifica)");
    table_->setHorizontalHeaderLabels({"N.", "Parola", "Definizione"});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setWordWrap(false);
    QFont fixed("Liberation Mono");
    table_->setFont(fixed);
    table_->horizontalHeader()->setFont(font());
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!selecting_ && row >= 0) SelectTableRow();
    });
    connect(table_, &QTableWidget::cellPressed, this, [this] {
        if (!selecting_) SelectTableRow();
    });
    connect(table_, &QTableWidget::cellClicked, this, &CruciBro::SetColumnWidths);
    table_->viewport()->installEventFilter(this);  // the column widths follow its width

    wordHeading_ = new QLabel("0 - Orizzontale", this);
    wordHeading_->setObjectName("Label3");
    QFont bold = wordHeading_->font();
    bold.setBold(true);
    wordHeading_->setFont(bold);
    wordEdit_ = new platform::SelectingLineEdit(this);
    wordEdit_->setObjectName("Text1");
    wordEdit_->setFont(fixed);
    clueEdit_ = new platform::SelectingLineEdit(this);
    clueEdit_->setObjectName("Text2");
    wordLabel_ = new QLabel("&Parola:", this);
    wordLabel_->setObjectName("Label1");
    wordLabel_->setBuddy(wordEdit_);
    clueLabel_ = new QLabel("&Definizione:", this);
    clueLabel_->setObjectName("Label2");
    clueLabel_->setBuddy(clueEdit_);
    connect(wordEdit_, &QLineEdit::textEdited, this, &CruciBro::WordTyped);
    wordEdit_->installEventFilter(this);
    clueEdit_->installEventFilter(this);

    applyButton_ = new QPushButton("&Varia", this);
    applyButton_->setObjectName("Command1");
    applyButton_->setToolTip("Conferma le modifiche su parola/definizione");
    okButton_ = new QPushButton("&OK", this);
    okButton_->setObjectName("Command3d1");
    okButton_->setToolTip("Conferma tutte le modifiche");
    cancelButton_ = new QPushButton("&Annulla", this);
    cancelButton_->setObjectName("Command3d2");
    cancelButton_->setToolTip("Annulla tutte le modifiche");
    // Enter in a text field applies the fields; on a button it presses that
    // button (every button is an auto-default one).
    for (QPushButton* button : {applyButton_, okButton_, cancelButton_}) button->setAutoDefault(true);
    applyButton_->setDefault(true);
    connect(applyButton_, &QPushButton::clicked, this, &CruciBro::ApplyRowChange);
    connect(okButton_, &QPushButton::clicked, this, [this] {
        frame_ = {};
        workingFile_.Store(doc_, messages_);
        accept();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &CruciBro::reject);

    // The whole screen, laid out by the formulas of LayOut.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    setGeometry(screen);
    setWindowState(windowState() | Qt::WindowMaximized);
    LayOut();
    Griglia();
}

void CruciBro::reject() {
    frame_ = {};
    doc_ = atOpening_;
    QDialog::reject();
}

void CruciBro::keyPressEvent(QKeyEvent* event) {
    // Esc leaves the window only from the text fields (eventFilter).
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

bool CruciBro::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_->viewport() && event->type() == QEvent::Resize) SetColumnWidths();
    if ((watched == wordEdit_ || watched == clueEdit_) && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CruciBro::resizeEvent(QResizeEvent* event) {
    // A new size draws the picture again and keeps the fields as typed.
    QDialog::resizeEvent(event);
    LayOut();
    if (!ended_ && !DrawPicture()) EndProgram();
}

bool CruciBro::DrawPicture() {
    if (!DrawSmallGrid(picture_->Surface(), doc_, grid_)) return false;
    if (frameShown_) {
        frame_ = WordFrame(doc_, grid_, framed_.column, framed_.row, framed_.direction);
        DrawFrame(frame_, platform::colors::Yellow);
    }
    picture_->update();
    return true;
}

void CruciBro::EndProgram() {
    messages_.Tell("Tipo di file non valido: Esecuzione terminata!");
    ended_ = true;
    messages_.EndProgram();
    reject();
}

void CruciBro::LayOut() {
    const double sw = width(), sh = height();
    const int pictureWidth = static_cast<int>(sw / 640 * 350);
    const int tableWidth = static_cast<int>(sw / 640 * 270);
    const int tableLeft = pictureWidth + 12;
    const int label3Top = static_cast<int>(sh - 110);
    const int text1Top = static_cast<int>(sh - 80);
    const int text2Top = static_cast<int>(sh - 50);
    const int fieldLeft = 90;
    const int buttonWidth = 90, fieldHeight = 24;

    picture_->setGeometry(0, 0, pictureWidth, std::max(label3Top - 15, 1));
    picture_->Fit();
    table_->setGeometry(tableLeft, 0, std::max(tableWidth, 1), std::max(text2Top - 18, 1));
    wordHeading_->setGeometry(5, label3Top, pictureWidth - buttonWidth - 20, fieldHeight);
    okButton_->setGeometry(tableLeft - buttonWidth - 5, label3Top - 5, buttonWidth, fieldHeight);
    cancelButton_->setGeometry(tableLeft - buttonWidth - 5, label3Top + 22, buttonWidth, fieldHeight);
    wordLabel_->setGeometry(5, text1Top, fieldLeft - 10, fieldHeight);
    clueLabel_->setGeometry(5, text2Top, fieldLeft - 10, fieldHeight);
    const int fieldWidth = std::max(tableLeft - buttonWidth - 20 - fieldLeft, 60);
    wordEdit_->setGeometry(fieldLeft, text1Top, std::min(fieldWidth, 260), fieldHeight);
    applyButton_->setGeometry(fieldLeft + std::min(fieldWidth, 260) + 8, text1Top, buttonWidth, fieldHeight);
    clueEdit_->setGeometry(fieldLeft, text2Top, std::max(tableLeft + tableWidth - fieldLeft, 60), fieldHeight);
}

void CruciBro::Griglia() {
    frame_ = {};
    frameShown_ = false;
    grid_ = SmallGrid{};
    selectedRow_ = table_->currentRow();
    if (!DrawPicture()) {
        EndProgram();
        return;
    }

    SetColumnWidths();
    selecting_ = true;
    if (!tableBuilt_) table_->setRowCount(1);
    int k = 0;
    auto writeRow = [&](int c, int r, int d) {
        ++k;
        if (k > MaxRows) return;
        if (k > 1 && !tableBuilt_) table_->setRowCount(k);
        const std::string number = std::to_string(doc_.WordNumbers(c, r)) + (d == Horizontal ? "-O" : "-V");
        table_->setItem(k - 1, 0, new QTableWidgetItem(QString::fromStdString(number)));
        table_->setItem(k - 1, 1, new QTableWidgetItem(platform::FromBytes(doc_.CellWords(c, r, d))));
        table_->setItem(k - 1, 2, new QTableWidgetItem(platform::FromBytes(doc_.Definitions(c, r, d))));
        rowEntries_[static_cast<std::size_t>(k)] = {c, r, d};
    };
    for (int r = 1; r <= doc_.RowCount; ++r)
        for (int c = 1; c <= doc_.ColumnCount; ++c)
            for (int d : {document::Horizontal, document::Vertical})
                if (document::StartsWord(doc_.StartCodes(c, r), d)) writeRow(c, r, d);
    tableBuilt_ = true;
    if (selectedRow_ < 0) selectedRow_ = 0;  // row 1 of the table
    table_->setCurrentCell(selectedRow_, 0);
    selecting_ = false;
    SelectTableRow();
}

void CruciBro::SetColumnWidths() {
    const int tableWidth = table_->viewport()->width();
    table_->setColumnWidth(0, tableWidth / 9);
    table_->setColumnWidth(1, tableWidth * 3 / 9);
    table_->setColumnWidth(2, tableWidth * 5 / 9);
}

void CruciBro::DrawFrame(const Frame& frame, platform::Color color) {
    picture_->Surface().Rectangle(frame.x1, frame.y1, frame.x2, frame.y2, color, false);
    frameShown_ = color == platform::colors::Yellow;
    picture_->update();
}

void CruciBro::SelectTableRow() {
    DrawFrame(frame_, platform::colors::Black);
    if (!tableBuilt_) return;
    selecting_ = true;
    const int n = std::max(table_->currentRow(), 0);
    table_->setCurrentCell(n, 0);
    selecting_ = false;
    if (n + 1 > MaxRows) return;
    const RowEntry entry = rowEntries_[static_cast<std::size_t>(n + 1)];
    if (entry.direction == 0) return;  // a grid without words
    const std::string& word = doc_.CellWords(entry.column, entry.row, entry.direction);
    wordEdit_->setMaxLength(30);
    wordEdit_->setText(platform::FromBytes(word));
    wordEdit_->setMaxLength(static_cast<int>(word.size()));
    clueEdit_->setText(platform::FromBytes(doc_.Definitions(entry.column, entry.row, entry.direction)));
    frame_ = WordFrame(doc_, grid_, entry.column, entry.row, entry.direction);
    framed_ = entry;
    const QString number = table_->item(n, 0) ? table_->item(n, 0)->text() : QString();
    wordHeading_->setText(number + (entry.direction == Horizontal ? "rizzontale" : "erticale"));
    DrawFrame(frame_, platform::colors::Yellow);
}

void CruciBro::WordTyped(const QString& text) {
    platform::CapitalizeTyping(wordEdit_, text);
    const int n = table_->currentRow();
    if (n >= 0 && n < MaxRows) {
        const RowEntry entry = rowEntries_[static_cast<std::size_t>(n + 1)];
        if (entry.direction != 0)
            wordEdit_->setMaxLength(static_cast<int>(doc_.CellWords(entry.column, entry.row, entry.direction).size()));
    }
}

void CruciBro::ApplyRowChange() {
    hourglass_(true);
    const std::string word = platform::ToBytes(wordEdit_->text());
    if (static_cast<int>(word.size()) != wordEdit_->maxLength()) {
        hourglass_(false);
        messages_.Tell("La parola deve avere obbligatoriamente " + std::to_string(wordEdit_->maxLength()) +
                       " caratteri.");
        wordEdit_->setFocus();
        tableBuilt_ = false;
        return;
    }
    const int n = std::max(table_->currentRow(), 0);
    if (n + 1 > MaxRows || rowEntries_[static_cast<std::size_t>(n + 1)].direction == 0) {
        hourglass_(false);
        return;
    }
    const RowEntry entry = rowEntries_[static_cast<std::size_t>(n + 1)];
    if (table_->item(n, 2)) table_->item(n, 2)->setText(clueEdit_->text());
    doc_.Definitions(entry.column, entry.row, entry.direction) = platform::ToBytes(clueEdit_->text());
    for (char ch : word) {
        if (!((ch >= 'A' && ch <= 'Z') || ch == document::EmptyCell)) {
            hourglass_(false);
            messages_.Tell("La parola contiene caratteri non ammessi (ammessi solo caratteri alfabetici da A a Z)");
            wordEdit_->setFocus();
            tableBuilt_ = false;
            return;
        }
    }
    if (table_->item(n, 1)) table_->item(n, 1)->setText(wordEdit_->text());
    doc_.CellWords(entry.column, entry.row, entry.direction) = word;
    doc_.ChangedFlag = true;
    document::WriteWord(doc_, entry.column, entry.row, entry.direction, word);
    document::RecomputeWordMap(doc_);
    Griglia();
    hourglass_(false);
}

} // namespace words
