#include "dialogs/open_dialog.h"

#include "dialogs/crossword_preview.h"
#include "dialogs/folder_browser.h"
#include "platform/qt/line_edit.h"
#include "document/crossword_file.h"
#include "document/file_io.h"
#include "platform/qt/encoding.h"
#include "platform/qt/picture_box.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>


namespace dialogs {

namespace {
constexpr int PreviewWidth = 348;   // 5220 twips
constexpr int PreviewHeight = 257;  // 3855 twips
} // namespace

Form2::Form2(document::Crossword& doc, platform::Messages& messages, const document::WorkingCopy& workingFile,
             std::function<void()> ready, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      messages_(messages),
      workingFile_(workingFile),
      ready_(std::move(ready)),
      browser_(new FolderBrowser(this, messages)) {
    setObjectName("Form2");
    setWindowTitle("Quadrivo 98  - Apertura layout parole crociate");

    nameEdit_ = new platform::SelectingLineEdit(this);
    nameEdit_->setObjectName("Text1");
    auto* nameLabel = new QLabel("&Nome File", this);
    nameLabel->setObjectName("Label1");
    nameLabel->setBuddy(nameEdit_);
    auto* folderLabel = new QLabel("&Cartella", this);
    folderLabel->setObjectName("Label3");
    folderLabel->setBuddy(browser_->Folders());
    auto* filesLabel = new QLabel("&Files di cruciverba ", this);
    filesLabel->setObjectName("Label4");
    filesLabel->setBuddy(browser_->Files());

    // 5220 x 3855 twips, white, drawn in pixels.
    preview_ = new platform::PictureBox(Qt::white, 1, this);
    preview_->setObjectName("Picture1");
    preview_->setFrameStyle(QFrame::Box | QFrame::Plain);
    preview_->setFixedSize(PreviewWidth, PreviewHeight);
    previewCaption_ = new QLabel("Anteprima", this);
    previewCaption_->setObjectName("Label2");
    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBar1");
    status->setSizeGripEnabled(false);
    authorPanel_ = new QLabel("Dati autore", status);
    status->addWidget(authorPanel_, 1);

    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("Command3d1");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Annulla", this);
    cancel->setObjectName("Command3d2");
    connect(ok, &QPushButton::clicked, this, &Form2::Open);
    connect(cancel, &QPushButton::clicked, this, &Form2::reject);

    connect(browser_, &FolderBrowser::FileClicked, this, &Form2::ShowPreview);
    connect(browser_, &FolderBrowser::FileActivated, this, [this](const QString& name) {
        nameEdit_->setText(name);
        Open();
    });
    auto* left = new QVBoxLayout;
    left->addWidget(nameLabel);
    left->addWidget(nameEdit_);
    left->addWidget(filesLabel);
    left->addWidget(browser_->Files(), 1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(folderLabel);
    middle->addWidget(browser_->Folders(), 1);
    middle->addWidget(browser_->Drives());
    auto* right = new QVBoxLayout;
    right->addWidget(previewCaption_);
    right->addWidget(preview_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    right->addLayout(buttons);
    right->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(middle, 1);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(status);
    resize(900, 420);

    browser_->SetFolder(QDir::currentPath());
    // Browsing moves the program's current folder along.
    connect(browser_, &FolderBrowser::FolderChanged, this, [this](const QString& folder) {
        QDir::setCurrent(folder);
        preview_->Surface().Clear();
        preview_->update();
        PreviewFirstFile();
    });
}

void Form2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    PreviewFirstFile();
    if (ready_) ready_();
}

void Form2::PreviewFirstFile() {
    const QStringList names = browser_->FileNames();
    if (names.isEmpty()) return;
    browser_->Files()->setCurrentRow(0);
    ShowPreview(names.first());
}

void Form2::ShowPreview(const QString& name) {
    nameEdit_->setText(name);
    preview_->Surface().Clear();
    preview_->update();
    const std::string path = platform::PathBytes(QDir(browser_->Folder()).filePath(name));
    std::string bytes;
    if (name.isEmpty() || !document::FileExists(path) || !document::ReadWholeFile(path, bytes)) {
        messages_.Tell("Nessun file di cruciverba trovato!");
        return;
    }
    PreviewHeader header;
    const PreviewResult result = DrawCrosswordPreview(preview_->Surface(), bytes, header);
    preview_->update();
    if (result == PreviewResult::InvalidFormat) {
        messages_.Tell(PreviewInvalidFormatMessage);
        return;
    }
    if (result == PreviewResult::InvalidType) {
        messages_.Tell(PreviewInvalidTypeMessage);
        return;
    }
    authorPanel_->setText(platform::FromBytes(header.author + " - " + header.date + " - " + header.type));
    previewCaption_->setText("Anteprima: " + platform::FromBytes(header.size));
}

void Form2::Open() {
    const std::string full = platform::PathBytes(QDir(browser_->Folder()).filePath(nameEdit_->text()));
    if (nameEdit_->text().isEmpty() || !document::FileExists(full)) {
        messages_.Tell("Errore: file inesistente!");
        return;
    }
    if (!workingFile_.CopyFrom(full, messages_)) return;
    doc_.ChangedFlag = false;
    doc_.ClearDefinitions();
    doc_.CurrentFileName = full;
    accept();
    doc_.EditMode = document::ClueMode;
}

void Form2::reject() {
    if (doc_.CurrentFileName.empty()) doc_.EditMode = document::NotShowingGrid;
    QDialog::reject();
}

} // namespace dialogs
