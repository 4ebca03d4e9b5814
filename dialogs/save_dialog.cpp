#include "dialogs/save_dialog.h"

#include "dialogs/folder_browser.h"
#include "document/crossword_file.h"
#include "document/text.h"
#include "platform/qt/encoding.h"
#include "platform/qt/install_paths.h"
#include "platform/qt/line_edit.h"
#include "platform/qt/qt_messages.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeView>
#include <QVBoxLayout>

namespace dialogs {

namespace {
const char* const NameOrDiskError = "Errore di nome file o accesso al disco!";
constexpr std::size_t LabelLength = 13;
} // namespace

CruciSav::CruciSav(document::Crossword& doc, platform::Messages& messages, const document::WorkingCopy& workingFile,
                   QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      messages_(messages),
      workingFile_(workingFile),
      browser_(new FolderBrowser(this, messages)) {
    setObjectName("CruciSav");
    setWindowTitle("Quadrivo 98 - Salvataggio");
    platform::UseDialogFrame(this);

    nameEdit_ = new platform::SelectingLineEdit(this);
    nameEdit_->setObjectName("Text1");
    authorEdit_ = new platform::SelectingLineEdit(this);
    authorEdit_->setObjectName("Text2");
    auto* nameLabel = new QLabel("&Nome File", this);
    nameLabel->setObjectName("Label1");
    nameLabel->setBuddy(nameEdit_);
    auto* authorLabel = new QLabel("&Dati autore:", this);
    authorLabel->setObjectName("Label2");
    authorLabel->setBuddy(authorEdit_);
    auto* folderLabel = new QLabel("&Cartelle", this);
    folderLabel->setObjectName("Label3");
    folderLabel->setBuddy(browser_->Folders());
    // Where the file will go, in full.
    folderPath_ = new QLabel(this);
    folderPath_->setObjectName("FolderPath");
    folderPath_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A path too long for the dialog is shortened in the middle, never
    // widening the dialog; the tooltip keeps it whole.
    folderPath_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    folderPath_->installEventFilter(this);

    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("Command3D1");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Annulla", this);
    cancel->setObjectName("Command3D2");
    connect(ok, &QPushButton::clicked, this, &CruciSav::Save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    browser_->SetNameBox(nameEdit_);
    auto takeName = [this](const QString& name) {
        nameEdit_->setText(name);
        nameEdit_->selectAll();
    };
    connect(browser_, &FolderBrowser::FileSelected, this, takeName);
    connect(browser_, &FolderBrowser::FileClicked, this, takeName);
    connect(browser_, &FolderBrowser::FolderChanged, this, &CruciSav::ShowTargetFolder);
    connect(nameEdit_, &QLineEdit::textChanged, this, &CruciSav::ShowTargetFolder);
    connect(browser_, &FolderBrowser::FileActivated, this, [this](const QString& name) {
        nameEdit_->setText(name);
        Save();
    });

    auto* left = new QVBoxLayout;
    left->addWidget(nameLabel);
    left->addWidget(nameEdit_);
    left->addWidget(browser_->Files(), 1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(folderLabel);
    middle->addWidget(browser_->Folders(), 1);
    middle->addWidget(browser_->Drives());
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(middle, 1);
    auto* author = new QHBoxLayout;
    author->addWidget(authorLabel);
    author->addWidget(authorEdit_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(folderPath_);
    layout->addLayout(author);
    layout->addLayout(buttons);
    resize(640, 420);

    // The keyboard starts in the name box and goes round as the eye reads.
    setTabOrder(nameEdit_, browser_->Files());
    setTabOrder(browser_->Files(), browser_->Folders());
    setTabOrder(browser_->Folders(), browser_->Drives());
    setTabOrder(browser_->Drives(), authorEdit_);
    setTabOrder(authorEdit_, ok);
    setTabOrder(ok, cancel);

    // The browsing here leaves the program's current folder where it is.
    browser_->SetFolder(platform::FolderForNewFiles(QDir::currentPath()));
    authorEdit_->setText(platform::FromBytes(std::string(document::Mid(doc_.FileLines(1), 14))));
    authorEdit_->selectAll();
    nameEdit_->setText(doc_.CurrentFileName.empty() ? QString("Cruci000.qdr")
                                                    : platform::PathText(doc_.CurrentFileName));
    ShowTargetFolder();
    nameEdit_->setFocus();
}

void CruciSav::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    platform::CentreOnScreen(this);
    nameEdit_->setFocus();
    nameEdit_->selectAll();
}

bool CruciSav::eventFilter(QObject* watched, QEvent* event) {
    if (watched == folderPath_ && event->type() == QEvent::Resize) FitFolderPath();
    return QDialog::eventFilter(watched, event);
}

void CruciSav::ShowTargetFolder() {
    const QString target = QFileInfo(FullName(browser_->Folder(), nameEdit_->text())).absolutePath();
    folderPath_->setToolTip("Salva nella cartella: " + QDir::toNativeSeparators(target));
    FitFolderPath();
}

void CruciSav::FitFolderPath() {
    folderPath_->setText(
        folderPath_->fontMetrics().elidedText(folderPath_->toolTip(), Qt::ElideMiddle, folderPath_->width()));
}

QString CruciSav::FullName(const QString& folder, const QString& typed) {
    const bool withDrive = typed.size() >= 2 && typed[1] == ':';
    QString full = QDir::isAbsolutePath(typed) || withDrive ? typed : QDir(folder).filePath(typed);
    if (!full.contains('.')) full += ".qdr";
    return full;
}

void CruciSav::Save() {
    const QString typed = nameEdit_->text();
    const QString full = FullName(browser_->Folder(), typed);
    const QFileInfo target(full);
    // Names the file system cannot take, or a folder that cannot be written.
    const bool badName = typed.trimmed().isEmpty() || typed.contains(QRegularExpression("[*?\\x00-\\x1f]")) ||
                         target.fileName().isEmpty() || target.isDir();
    const QFileInfo folder(target.absolutePath());
    if (badName || !folder.isDir() || !folder.isWritable() || (target.exists() && !target.isWritable())) {
        messages_.Tell(NameOrDiskError);
        nameEdit_->setFocus();
        nameEdit_->selectAll();
        return;
    }
    bool write = true;
    if (target.exists()) {
        const auto answer = messages_.Show(
            platform::ToBytes("Il file " + full.toUpper() + " esiste già; vuoi riscriverlo?"),
            platform::Buttons::OkCancel, "Salvataggio file", platform::Icon::None);
        write = answer != platform::Answer::Cancel;
    }
    if (write) {
        const std::string label = doc_.FileLines(1).substr(0, LabelLength);
        doc_.FileLines(1) = label + platform::ToBytes(authorEdit_->text());
        const std::string name = platform::PathBytes(full);
        if (document::SaveCrosswordFile(doc_, name, messages_) != document::SaveResult::Saved) return;
        doc_.CurrentFileName = name;
    }
    workingFile_.Store(doc_, messages_);
    accept();
}

} // namespace dialogs
