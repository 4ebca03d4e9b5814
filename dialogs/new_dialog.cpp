#include "dialogs/new_dialog.h"

#include "dialogs/model_preview.h"
#include "document/crossword_file.h"
#include "document/file_io.h"
#include "document/text.h"
#include "platform/qt/encoding.h"
#include "platform/qt/line_edit.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/qt_messages.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace dialogs {

namespace {
constexpr int BoxWidth = 127;   // 1905 twips
constexpr int BoxHeight = 79;   // 1185 twips
constexpr int TwipsPerPixel = 15;
constexpr int BoxFrame = 2;
} // namespace

FormNew::FormNew(document::Crossword& doc, platform::Messages& messages, const document::WorkingCopy& workingFile,
                 std::string programFolder, std::function<void()> ready, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      messages_(messages),
      workingFile_(workingFile),
      programFolder_(std::move(programFolder)),
      ready_(std::move(ready)) {
    setObjectName("FormNew");
    setWindowTitle("Quadrivo 98 - Nuovo cruciverba");
    platform::UseDialogFrame(this);

    auto* intro = new QLabel(
        "Inserire N. caselle orizzontali (da 3 a 25) e verticali (da 3 a 15) oppure cliccare qua "
        "sotto per scegliere un modello predefinito.",
        this);
    intro->setWordWrap(true);

    widthEdit_ = new platform::SelectingLineEdit("16", this);
    widthEdit_->setObjectName("Text1");
    heightEdit_ = new platform::SelectingLineEdit("13", this);
    heightEdit_->setObjectName("Text2");
    for (QLineEdit* e : {widthEdit_, heightEdit_}) e->setMaximumWidth(60);
    // No access key here: "o" belongs to "&OK".
    auto* widthLabel = new QLabel("N. caselle orizzontali", this);
    widthLabel->setBuddy(widthEdit_);
    auto* heightLabel = new QLabel("&verticali", this);
    heightLabel->setBuddy(heightEdit_);

    okButton_ = new QPushButton("&OK", this);
    okButton_->setObjectName("Command3d1");
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton("&Annulla", this);
    cancelButton_->setObjectName("Command3d2");
    connect(okButton_, &QPushButton::clicked, this, &FormNew::CreateFromSize);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(widthLabel);
    sizeRow->addWidget(widthEdit_);
    sizeRow->addSpacing(12);
    sizeRow->addWidget(heightLabel);
    sizeRow->addWidget(heightEdit_);
    sizeRow->addStretch(1);
    sizeRow->addWidget(okButton_);
    sizeRow->addWidget(cancelButton_);

    auto* models = new QGridLayout;
    models->setHorizontalSpacing(14);
    for (int n = 0; n < document::MaxModels; ++n) {
        auto* caption = new QLabel(this);
        caption->setObjectName(QString("Label3_%1").arg(n));
        caption->setCursor(Qt::PointingHandCursor);
        // 1905 x 1185 twips, drawn in twips.
        auto* box = new platform::PictureBox(Qt::white, TwipsPerPixel, this);
        box->setObjectName(QString("Picture1_%1").arg(n));
        box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        box->setLineWidth(BoxFrame);
        box->setFixedSize(BoxWidth, BoxHeight);
        box->setCursor(Qt::PointingHandCursor);
        connect(box, &platform::PictureBox::Clicked, this, [this, n] { CreateFromModel(n); });
        caption->installEventFilter(this);
        caption->setProperty("model", n);
        models->addWidget(caption, 2 * (n / 4), n % 4);
        models->addWidget(box, 2 * (n / 4) + 1, n % 4);
        captions_.push_back(caption);
        boxes_.push_back(box);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(sizeRow);
    layout->addSpacing(8);
    layout->addLayout(models);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool FormNew::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && watched->property("model").isValid() &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        CreateFromModel(watched->property("model").toInt());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FormNew::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    platform::CentreOnScreen(this);
    widthEdit_->setFocus();
    // Once the dialog is up and its event loop runs, so that a fatal library
    // can close it again.
    QTimer::singleShot(0, this, [this] {
        ShowModels();
        if (ready_) ready_();
    });
}

bool FormNew::ReadLibrary(std::vector<document::Model>& models, bool reportMissing) {
    // The library of the current folder; after browsing elsewhere, the one
    // beside the program.
    std::string library = document::ModelLibraryFile;
    if (!document::FileExists(library)) library = programFolder_ + "/" + document::ModelLibraryFile;
    std::string bytes;
    // A library is a few kilobytes; a file of megabytes is none.
    if (!document::FileExists(library) || !document::ReadWholeFile(library, bytes, 1 << 20)) {
        if (reportMissing) messages_.Tell(document::MissingLibraryMessage);
        return false;
    }
    if (!document::ReadModelLibrary(bytes, models)) {
        messages_.Tell(document::InvalidLibraryMessage);
        ended_ = true;
        messages_.EndProgram();
        reject();
        return false;
    }
    return true;
}

void FormNew::ShowModels() {
    std::vector<document::Model> models;
    if (!ReadLibrary(models, true)) return;
    for (std::size_t n = 0; n < models.size(); ++n) {
        DrawModelPreview(boxes_[n]->Surface(), models[n]);
        boxes_[n]->update();
        captions_[n]->setText(QString("Cruci %1x%2").arg(models[n].Columns()).arg(models[n].Rows()));
    }
}

bool FormNew::CheckEntry(QLineEdit* entry, int min, int max, const char* message, int& value) {
    // The rounded value is checked: 25.4 passes as 25, 25.6 (26) and 2.5
    // (2, halves to even) do not.
    const double rounded = document::LeadingNumber(platform::ToBytes(entry->text()));
    if (rounded >= min && rounded <= max) {
        value = static_cast<int>(rounded);
        return true;
    }
    QApplication::beep();
    messages_.Tell(message);
    entry->setFocus();
    entry->selectAll();
    return false;
}

void FormNew::CreateFromSize() {
    int columns = 0, rows = 0;
    if (!CheckEntry(widthEdit_, document::MinColumns, document::MaxColumns,
                    "Numero caselle orizzontali consentito da 3 a 25.", columns) ||
        !CheckEntry(heightEdit_, document::MinRows, document::MaxRows,
                    "Numero caselle verticali consentito da 3 a 15.", rows))
        return;
    document::MakeCrosswordOfSize(doc_, columns, rows, document::TodayText());
    Finish();
}

void FormNew::CreateFromModel(int n) {
    std::vector<document::Model> models;
    if (!ReadLibrary(models, true)) return;
    // A box that shows no model picks nothing.
    if (n < 0 || n >= static_cast<int>(models.size())) return;
    boxes_[static_cast<std::size_t>(n)]->move(boxes_[static_cast<std::size_t>(n)]->pos() + QPoint(6, 6));
    document::MakeCrosswordFromModel(doc_, models[static_cast<std::size_t>(n)], document::TodayText());
    Finish();
}

void FormNew::Finish() {
    workingFile_.Store(doc_, messages_);
    doc_.ChangedFlag = false;
    doc_.CurrentFileName = document::NewCrosswordName;
    accept();
}

} // namespace dialogs
