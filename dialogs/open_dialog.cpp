#include "dialogs/open_dialog.h"

#include "dialogs/crossword_preview.h"
#include "dialogs/folder_browser.h"
#include "document/crossword_file.h"
#include "document/file_io.h"
#include "platform/qt/encoding.h"
#include "platform/qt/install_paths.h"
#include "platform/qt/line_edit.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/qt_messages.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <memory>

namespace dialogs {

namespace {

constexpr int PreviewWidth = 348;   // 5220 twips
constexpr int PreviewHeight = 257;  // 3855 twips
const char* const PreviewCaption = "Anteprima";
const char* const AuthorCaption = "Dati autore";

// Keeps the reader's first message instead of showing it, and does not end
// the program: a file tried in the dialog is only being looked at.
class FirstMessage : public platform::Messages {
public:
    platform::Answer Show(const std::string& message, platform::Buttons, const std::string&,
                          platform::Icon) override {
        if (text.empty()) text = message;
        return platform::Answer::Ok;
    }
    void EndProgram() override {}

    std::string text;
};

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
    platform::UseDialogFrame(this);

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
    previewCaption_ = new QLabel(PreviewCaption, this);
    previewCaption_->setObjectName("Label2");
    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBar1");
    status->setSizeGripEnabled(false);
    authorPanel_ = new QLabel(AuthorCaption, status);
    status->addWidget(authorPanel_, 1);

    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("Command3d1");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Annulla", this);
    cancel->setObjectName("Command3d2");
    connect(ok, &QPushButton::clicked, this, &Form2::Open);
    connect(cancel, &QPushButton::clicked, this, &Form2::reject);

    browser_->SetNameBox(nameEdit_);
    connect(browser_, &FolderBrowser::FileSelected, this, &Form2::ShowPreview);
    // A click on the file already shown brings its name back into the box.
    connect(browser_, &FolderBrowser::FileClicked, this, [this](const QString& name) {
        if (nameEdit_->text() != name) ShowPreview(name);
    });
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
    resize(760, 400);

    // The keyboard starts in the name box and goes round as the eye reads.
    setTabOrder(nameEdit_, browser_->Files());
    setTabOrder(browser_->Files(), browser_->Folders());
    setTabOrder(browser_->Folders(), browser_->Drives());
    setTabOrder(browser_->Drives(), ok);
    setTabOrder(ok, cancel);
    nameEdit_->setFocus();

    // The program's own folder once installed is read-only and holds no
    // crosswords: the user's home is where theirs are.
    browser_->SetFolder(platform::FolderForNewFiles(QDir::currentPath()));
    // Browsing moves the program's current folder along.
    connect(browser_, &FolderBrowser::FolderChanged, this, [this](const QString& folder) {
        QDir::setCurrent(folder);
        PreviewFirstFile();
    });
}

void Form2::ListNewestFirst() {
    browser_->SetNewestFirst(true);
}

void Form2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    platform::CentreOnScreen(this);
    nameEdit_->setFocus();
    // Once the dialog is on screen, so that a message about the first file
    // stands over the dialog and not over the bare main window.
    QTimer::singleShot(0, this, [this] {
        PreviewFirstFile();
        if (ready_) ready_();
    });
}

void Form2::ClearPreview() {
    nameEdit_->clear();
    preview_->Surface().Clear();
    preview_->update();
    previewCaption_->setText(PreviewCaption);
    authorPanel_->setText(AuthorCaption);
}

void Form2::PreviewFirstFile() {
    const QStringList names = browser_->FileNames();
    if (names.isEmpty()) {
        ClearPreview();
        return;
    }
    // Making the first file current previews it, unless it already was.
    if (browser_->Files()->currentRow() == 0)
        ShowPreview(names.first());
    else
        browser_->Files()->setCurrentRow(0);
}

void Form2::ShowPreview(const QString& name) {
    nameEdit_->setText(name);
    nameEdit_->selectAll();
    preview_->Surface().Clear();
    preview_->update();
    previewCaption_->setText(PreviewCaption);
    authorPanel_->setText(AuthorCaption);
    const std::string path = platform::PathBytes(QDir(browser_->Folder()).filePath(name));
    std::string bytes;
    if (name.isEmpty() || !document::FileExists(path)) {
        messages_.Tell("Nessun file di cruciverba trovato!");
        return;
    }
    // A file larger than any crossword is not read into memory to be shown.
    if (!document::ReadWholeFile(path, bytes, document::MaxCrosswordFileSize)) {
        const auto size = document::FileSize(path);
        messages_.Tell(size && *size > document::MaxCrosswordFileSize ? PreviewInvalidFormatMessage
                                                                        : std::string("Nessun file di cruciverba trovato!"));
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
    if (!IsCrossword(full) || !workingFile_.CopyFrom(full, messages_)) return;
    doc_.ChangedFlag = false;
    doc_.ClearDefinitions();
    doc_.CurrentFileName = full;
    accept();
    doc_.EditMode = document::ClueMode;
}

bool Form2::IsCrossword(const std::string& path) {
    const auto size = document::FileSize(path);
    if (size && *size > document::MaxCrosswordFileSize) {
        messages_.Tell(PreviewInvalidFormatMessage);
        return false;
    }
    std::string bytes;
    if (!document::ReadWholeFile(path, bytes, document::MaxCrosswordFileSize)) {
        messages_.Tell(document::ReadErrorMessage);
        return false;
    }
    const auto scratch = std::make_unique<document::Crossword>();
    FirstMessage reader;
    const document::LoadResult result = document::ReadCrossword(*scratch, bytes, reader);
    const bool sized = scratch->ColumnCount >= document::MinColumns && scratch->ColumnCount <= document::MaxColumns &&
                       scratch->RowCount >= document::MinRows && scratch->RowCount <= document::MaxRows;
    if (result == document::LoadResult::InvalidFormat || (result == document::LoadResult::Loaded && !sized)) {
        messages_.Tell(PreviewInvalidFormatMessage);
        return false;
    }
    if (result != document::LoadResult::Loaded) {
        messages_.Tell(reader.text.empty() ? document::ReadErrorMessage : reader.text);
        return false;
    }
    return true;
}

void Form2::reject() {
    if (doc_.CurrentFileName.empty()) doc_.EditMode = document::NotShowingGrid;
    QDialog::reject();
}

} // namespace dialogs
