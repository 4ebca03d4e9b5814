#include "words/clue_editor.h"

#include "platform/qt/encoding.h"
#include "words/suggestions.h"

#include <algorithm>

#include <QCheckBox>
#include <QFileInfo>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QValidator>
#include <QVBoxLayout>

#include "platform/qt/line_edit.h"

namespace words {

namespace {

const char* const kHelpText =
    "Inserire la definizione della parola, in questa maschera si può anche variare la parola stessa. "
    "Nel caso di una parola composta da almeno 3 caratteri è possibile utilizzare la ricerca sul "
    "vocabolario "
    "con mascheramento , ad esempio si supponga di voler variare la parola MOLA, se vogliamo cercare "
    "tutte le parole di quattro caratteri che "
    "iniziano con M e finiscono con LA occorre cliccare sotto la lettera O, la quale sparirà e la "
    "maschera diverrà M_LA, se si clicca ora sul bottone <Cerca> apparirà una lista di parole (MELA, "
    "MALA, MULA, MOLA) dalla quale è possibile scegliere quella che ci serve.";

} // namespace

// Refuses typing that would make the text longer than the limit, or than the
// text already is: a longer clue from a file or the word table is never cut,
// and it can only get shorter.
class TypingLimit : public QValidator {
public:
    TypingLimit(int limit, QLineEdit* edit) : QValidator(edit), limit_(limit), allowed_(limit) {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { Allow(text.size()); });
    }
    // A text of this length, set before it is shown, is allowed as it is.
    void Allow(qsizetype length) { allowed_ = std::max<qsizetype>(limit_, length); }
    State validate(QString& input, int&) const override { return input.size() <= allowed_ ? Acceptable : Invalid; }

private:
    const qsizetype limit_;
    qsizetype allowed_;
};

ProgressBox::ProgressBox(QWidget* parent) : QWidget(parent) {
    setObjectName("Picture1");
    setToolTip("progress. parole trovate");
    setFixedHeight(14);
}

void ProgressBox::Start() {
    started_ = true;
    fraction_ = 0;
    repaint();
}

void ProgressBox::Fill(double fraction) {
    fraction_ = fraction;
    repaint();
}

void ProgressBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), started_ ? QColor(255, 255, 0) : palette().color(QPalette::Base));
    if (started_) p.fillRect(QRectF(0, 0, width() * fraction_, height()), QColor(0, 0, 128));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

CruciDef::CruciDef(document::Crossword& doc, const vocabulary::Vocabulary& vocab,
                   platform::Messages& messages, std::function<void(platform::Pointer)> setPointer,
                   QPoint screenPlace, int statusBarHeight, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      vocab_(vocab),
      messages_(messages),
      setPointer_(std::move(setPointer)),
      column_(doc.CurrentColumn),
      row_(doc.CurrentRow),
      direction_(doc.CurrentDirection),
      wordAtOpening_(doc.CellWords(column_, row_, direction_)),
      length_(static_cast<int>(wordAtOpening_.size())) {
    setObjectName("CruciDef");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle("Edit definizioni");
    setPointer_(platform::Pointer::Default);

    heading_ = new QLabel(this);
    heading_->setObjectName("Label1");
    QFont headingFont = heading_->font();
    headingFont.setBold(true);
    heading_->setFont(headingFont);

    wordEdit_ = new platform::SelectingLineEdit(this);
    wordEdit_->setObjectName("Text2");
    clueEdit_ = new platform::SelectingLineEdit(this);
    clueEdit_->setObjectName("Text1");
    clueEdit_->setMinimumWidth(420);
    clueLimit_ = new TypingLimit(MaxClueLength, clueEdit_);
    clueEdit_->setValidator(clueLimit_);
    auto* wordLabel = new QLabel("&Parola:", this);
    wordLabel->setObjectName("Label3");
    wordLabel->setBuddy(wordEdit_);
    auto* clueLabel = new QLabel("&Definizione:", this);
    clueLabel->setObjectName("Label4");
    clueLabel->setBuddy(clueEdit_);
    connect(wordEdit_, &QLineEdit::textEdited, this,
            [this](const QString& text) { platform::CapitalizeTyping(wordEdit_, text); });

    // The letters of the word, each above the box that keeps it in the mask.
    auto* letterGrid = new QGridLayout;
    letterGrid->setHorizontalSpacing(2);
    QFont letterFont("Arial");
    letterFont.setPointSize(12);
    letterFont.setBold(true);
    for (int j = 0; j < MaxLetters; ++j) {
        auto* letter = new QLabel(this);
        letter->setObjectName(QString("Label2_%1").arg(j));
        letter->setFont(letterFont);
        letter->setAlignment(Qt::AlignCenter);
        letter->setFixedWidth(22);
        auto* check = new QCheckBox(this);
        check->setObjectName(QString("Check3d1_%1").arg(j));
        check->setToolTip("Selezionare lettere per mascheramento");
        connect(check, &QCheckBox::toggled, letter, &QLabel::setVisible);
        letterGrid->addWidget(letter, 0, j, Qt::AlignCenter);
        letterGrid->addWidget(check, 1, j, Qt::AlignCenter);
        letter->hide();
        check->hide();
        letters_[static_cast<std::size_t>(j)] = letter;
        checks_[static_cast<std::size_t>(j)] = check;
    }
    letters_.back()->setToolTip("Lettere della parola");
    letterGrid->setColumnStretch(MaxLetters, 1);

    searchButton_ = new QPushButton("&Cerca", this);
    searchButton_->setObjectName("Command3D4");
    searchButton_->setToolTip("Ricerca la parola mascherata");
    connect(searchButton_, &QPushButton::clicked, this, &CruciDef::Search);
    progress_ = new ProgressBox(this);
    found_ = new QComboBox(this);
    found_->setObjectName("Combo1");
    found_->setToolTip("lista parole trovate");
    found_->setMinimumWidth(180);
    found_->setMaxVisibleItems(20);
    connect(found_, &QComboBox::activated, this, [this](int index) { wordEdit_->setText(found_->itemText(index)); });
    count_ = new QLabel(this);
    count_->setObjectName("Label5");
    count_->setMinimumWidth(90);

    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("Command3D1");
    ok->setToolTip("Accetta ed esce");
    connect(ok, &QPushButton::clicked, this, &CruciDef::Confirm);
    auto* cancel = new QPushButton("&Annulla", this);
    cancel->setObjectName("Command3D2");
    cancel->setToolTip("Annulla operazione");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* help = new QPushButton("&Help", this);
    help->setObjectName("Command3D3");
    help->setToolTip("Informazioni");
    connect(help, &QPushButton::clicked, this, [this] { messages_.Tell(platform::ToBytes(QString::fromUtf8(kHelpText))); });

    auto* suggest = new QPushButton("&Suggerimenti", this);
    suggest->setObjectName("Command3D5");
    suggest->setToolTip("Definizioni gia' usate e sinonimi della parola");
    connect(suggest, &QPushButton::clicked, this, &CruciDef::OpenSuggestions);

    // Enter in a text box confirms; on a button it presses that button
    // (every button is an auto-default one).
    for (QPushButton* button : {searchButton_, ok, cancel, help, suggest}) button->setAutoDefault(true);
    ok->setDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(wordLabel, 0, 0);
    fields->addWidget(wordEdit_, 0, 1);
    fields->addWidget(clueLabel, 1, 0);
    fields->addWidget(clueEdit_, 1, 1);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchButton_);
    searchRow->addWidget(found_, 1);
    searchRow->addWidget(count_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(suggest);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(fields);
    layout->addLayout(letterGrid);
    layout->addLayout(searchRow);
    layout->addWidget(progress_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Opening: the letters and their boxes; short words have no search.
    count_->clear();
    if (length_ <= 2) {
        searchButton_->hide();
        found_->hide();
        progress_->hide();
    } else {
        for (int j = 0; j < length_ && j < MaxLetters; ++j) {
            const char ch = wordAtOpening_[static_cast<std::size_t>(j)];
            QLabel* letter = letters_[static_cast<std::size_t>(j)];
            QCheckBox* check = checks_[static_cast<std::size_t>(j)];
            check->show();
            const bool empty = ch == document::EmptyCell || ch == ' ';
            letter->setText(empty ? QString(" ") : platform::FromBytes(std::string(1, ch)));
            check->setChecked(!empty);
            letter->setVisible(!empty);
        }
    }
    adjustSize();
    Place(screenPlace, statusBarHeight);
}

void CruciDef::Place(QPoint screenPlace, int statusBarHeight) {
    const QScreen* screen = QGuiApplication::screenAt(screenPlace);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen->geometry();
    int left = screenPlace.x(), top = screenPlace.y();
    const QSize size = frameGeometry().size();
    if (left + size.width() > area.right()) left = area.right() - size.width();
    if (top + size.height() > area.bottom() - statusBarHeight)
        top = area.bottom() - size.height() - statusBarHeight;
    move(left, top);
}

void CruciDef::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Activation: heading, word and clue from the document.
    const int number = doc_.WordNumbers(column_, row_);
    heading_->setText(QString(" %1 %2 ").arg(number).arg(direction_ == document::Horizontal ? "Orizzontale" : "Verticale"));
    wordEdit_->setMaxLength(length_);
    wordEdit_->setText(platform::FromBytes(doc_.CellWords(column_, row_, direction_)));
    const QString clue = platform::FromBytes(doc_.Definitions(column_, row_, direction_));
    clueLimit_->Allow(clue.size());
    clueEdit_->setMaxLength(std::max(MaxClueLength, static_cast<int>(clue.size())));
    clueEdit_->setText(clue);
    clueEdit_->setFocus();
    if (SuggestionSources::Instance().Automatic()) QTimer::singleShot(0, this, &CruciDef::OpenSuggestions);
}

void CruciDef::OpenSuggestions() {
    SuggestionSources& sources = SuggestionSources::Instance();
    // The folder of the crossword being clued joins the archive.
    const QFileInfo file(platform::PathText(doc_.CurrentFileName));
    if (!doc_.CurrentFileName.empty() && file.isFile()) sources.AddFolder(file.absolutePath());
    sources.Refresh();
    if (!suggestions_) {
        suggestions_ = new Suggerimenti(platform::ToBytes(wordEdit_->text()), this);
        connect(suggestions_, &Suggerimenti::Chosen, this, [this](const QString& text) {
            clueLimit_->Allow(text.size());
            clueEdit_->setMaxLength(std::max(MaxClueLength, static_cast<int>(text.size())));
            clueEdit_->setText(text);
            activateWindow();
            clueEdit_->setFocus();
        });
        // Beside the clue editor: right of it, or left when the screen ends.
        suggestions_->adjustSize();
        const QRect editor = frameGeometry();
        const QScreen* screen = QGuiApplication::screenAt(editor.center());
        const QRect area = (screen ? screen : QGuiApplication::primaryScreen())->availableGeometry();
        const int width = suggestions_->frameGeometry().width();
        int left = editor.right() + 6;
        if (left + width > area.right()) left = std::max(area.left(), editor.left() - 6 - width);
        suggestions_->move(left, std::max(area.top(), editor.top()));
    }
    suggestions_->show();
    suggestions_->raise();
}

std::string CruciDef::Mask() const {
    std::string mask;
    for (int j = 0; j < length_ && j < MaxLetters; ++j) {
        const QLabel* letter = letters_[static_cast<std::size_t>(j)];
        const std::string caption = platform::ToBytes(letter->text());
        mask += !letter->isHidden() && caption.size() == 1 ? caption[0] : ' ';
    }
    return mask;
}

void CruciDef::Search() {
    setPointer_(platform::Pointer::Hourglass);
    found_->clear();
    progress_->Start();
    bool announced = false;
    const auto numbers = vocab_.FindByMask(Mask(), [&](int scanned, int total, int found) {
        progress_->Fill(total > 0 ? static_cast<double>(scanned) / total : 0);
        if (found > 0 && !announced) {
            count_->setText("Trovata");
            count_->repaint();
            announced = true;
        }
    });
    QStringList list;
    for (int k : numbers) list << platform::FromBytes(vocab_.ReadVocabularyWord(k, length_));
    found_->addItems(list);
    count_->setText(QString("Trov.: %1").arg(numbers.size()));
    setPointer_(platform::Pointer::Arrow);
    found_->setCurrentIndex(list.isEmpty() ? -1 : 0);
}

void CruciDef::Confirm() {
    const std::string word = platform::ToBytes(wordEdit_->text());
    if (static_cast<int>(word.size()) != length_) {
        messages_.Tell("La parola deve avere obbligatoriamente " + std::to_string(length_) + " caratteri.");
        wordEdit_->setFocus();
        return;
    }
    for (char ch : word) {
        if (!((ch >= 'A' && ch <= 'Z') || ch == document::EmptyCell)) {
            messages_.Tell("La parola contiene caratteri non ammessi (ammessi solo caratteri alfabetici da A a Z)");
            wordEdit_->setFocus();
            return;
        }
    }
    doc_.Definitions(column_, row_, direction_) = platform::ToBytes(clueEdit_->text());
    if (word != wordAtOpening_) doc_.CellWords(column_, row_, direction_) = word;
    accept();
}

} // namespace words
