#include "words/suggestions.h"

#include "platform/install_paths.h"
#include "platform/qt/encoding.h"
#include "platform/qt/qt_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace words {

namespace {

const char* const kSection = "Suggerimenti";
constexpr int TextRole = Qt::UserRole;

platform::QtSettings UserSettings() {
    return platform::QtSettings(platform::QtSettings::UserFile(QCoreApplication::applicationName()));
}

} // namespace

SuggestionSources& SuggestionSources::Instance() {
    // Owned by the application, so that an update still running at the end
    // is waited for before the program goes.
    static SuggestionSources* sources = new SuggestionSources(QCoreApplication::instance());
    return *sources;
}

SuggestionSources::SuggestionSources(QObject* parent)
    : QObject(parent), archive_(std::make_shared<document::ClueArchive>()) {
    indexFile_ = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/archivio_definizioni.txt";
    thesaurusFile_ = QString::fromStdString(vocabulary::DefaultThesaurusFile);
    formsFile_ = platform::PathText(platform::DataFolderFor(platform::PathBytes(QCoreApplication::applicationDirPath()))) +
                 "/" + QString::fromStdString(vocabulary::FormsFile);
}

SuggestionSources::~SuggestionSources() { Wait(); }

void SuggestionSources::Wait() {
    if (!worker_) return;
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
}

void SuggestionSources::Configure(const QString& indexFile, const QString& thesaurusFile, const QString& formsFile) {
    Wait();
    pending_ = false;
    indexFile_ = indexFile;
    thesaurusFile_ = thesaurusFile;
    formsFile_ = formsFile;
    archive_ = std::make_shared<document::ClueArchive>();
    indexRead_ = false;
    thesaurusTried_ = false;
    thesaurusProblem_.clear();
}

QStringList SuggestionSources::Folders() const {
    const platform::QtSettings settings = UserSettings();
    QStringList folders;
    const int count = QString::fromStdString(settings.Get(kSection, "Cartelle", "0")).toInt();
    for (int k = 1; k <= count && k <= 1000; ++k) {
        const std::string folder = settings.Get(kSection, "Cartella" + std::to_string(k), "");
        if (!folder.empty()) folders << platform::PathText(folder);
    }
    return folders;
}

void SuggestionSources::AddFolder(const QString& folder) {
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    QStringList folders = Folders();
    if (folder.isEmpty() || folders.contains(clean)) return;
    folders << clean;
    platform::QtSettings settings = UserSettings();
    settings.Set(kSection, "Cartella" + std::to_string(folders.size()), platform::PathBytes(clean));
    settings.Set(kSection, "Cartelle", std::to_string(folders.size()));
}

bool SuggestionSources::Automatic() const { return UserSettings().Get(kSection, "Automatici", "0") == "1"; }

void SuggestionSources::SetAutomatic(bool on) { UserSettings().Set(kSection, "Automatici", on ? "1" : "0"); }

void SuggestionSources::Refresh() {
    if (worker_) {
        pending_ = true;
        return;
    }
    std::vector<std::string> folders;
    for (const QString& folder : Folders()) folders.push_back(platform::PathBytes(folder));
    const std::string index = platform::PathBytes(indexFile_);
    const bool readIndex = !indexRead_;
    indexRead_ = true;
    // The update works on a copy; readers keep the old archive until the
    // copy is ready.
    auto old = archive_;
    auto updated = std::make_shared<document::ClueArchive>();
    worker_ = QThread::create([old, updated, folders, index, readIndex] {
        bool changed = true;
        if (!readIndex || !updated->LoadIndex(index)) *updated = *old;
        updated->Update(folders, &changed);
        if (changed || readIndex) updated->SaveIndex(index);
    });
    connect(worker_, &QThread::finished, this, [this, updated, thread = worker_] {
        if (thread != worker_) return;  // an update Configure() waited for and dropped
        archive_ = updated;
        worker_->deleteLater();
        worker_ = nullptr;
        if (pending_) {
            pending_ = false;
            Refresh();
        }
        emit Updated();
    });
    worker_->start(QThread::LowPriority);
}

const vocabulary::Thesaurus& SuggestionSources::Thesaurus() {
    if (!thesaurusTried_) {
        thesaurusTried_ = true;
        std::string problem;
        if (thesaurus_.Open(platform::PathBytes(thesaurusFile_), problem)) {
            thesaurus_.OpenForms(platform::PathBytes(formsFile_));
        } else {
            thesaurusProblem_ = QString::fromUtf8(problem.c_str());
        }
    }
    return thesaurus_;
}

Suggerimenti::Suggerimenti(const std::string& word, QWidget* parent) : QDialog(parent), word_(word) {
    setObjectName("Suggerimenti");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle("Suggerimenti");
    setAttribute(Qt::WA_DeleteOnClose);

    heading_ = new QLabel(this);
    heading_->setObjectName("Label1");
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    heading_->setText(QString("Definizioni per %1").arg(platform::FromBytes(word_)));

    list_ = new QTreeWidget(this);
    list_->setObjectName("Lista1");
    list_->setToolTip("Doppio clic o Invio: copia il suggerimento nella definizione");
    list_->setHeaderLabels({"Suggerimento", "Volte", "File", "Data"});
    list_->setRootIsDecorated(false);
    list_->setMinimumSize(560, 320);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setStretchLastSection(false);
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QVariant text = item->data(0, TextRole);
        if (text.isValid()) emit Chosen(text.toString());
    });

    status_ = new QLabel(this);
    status_->setObjectName("Label2");
    auto* add = new QPushButton("Aggiungi &cartella ...", this);
    add->setObjectName("Command1");
    add->setToolTip("Aggiunge all'archivio i cruciverba di un'altra cartella");
    connect(add, &QPushButton::clicked, this, &Suggerimenti::AddFolder);
    auto* close = new QPushButton("C&hiudi", this);
    close->setObjectName("Command2");
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    for (QPushButton* button : {add, close}) button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(add);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(&SuggestionSources::Instance(), &SuggestionSources::Updated, this, &Suggerimenti::Fill);
    Fill();
}

void Suggerimenti::Fill() {
    SuggestionSources& sources = SuggestionSources::Instance();
    const auto archive = sources.Archive();
    list_->clear();
    QFont bold = list_->font();
    bold.setBold(true);
    auto section = [&](const QString& caption) {
        auto* item = new QTreeWidgetItem(list_, {caption});
        item->setFirstColumnSpanned(true);
        item->setFont(0, bold);
        item->setFlags(Qt::ItemIsEnabled);
        return item;
    };
    auto suggestion = [&](QTreeWidgetItem* parent, const std::string& text, const QStringList& more = {}) {
        auto* item = new QTreeWidgetItem(parent, QStringList{platform::FromBytes(text)} << more);
        item->setData(0, TextRole, platform::FromBytes(text));
        item->setToolTip(0, platform::FromBytes(text));
        return item;
    };

    const std::vector<document::ArchivedClue> used = archive->Lookup(word_);
    QTreeWidgetItem* earlier = section(used.empty() ? "Definizioni già usate: nessuna" : "Definizioni già usate");
    for (const document::ArchivedClue& clue : used) {
        QTreeWidgetItem* item = suggestion(earlier, clue.text,
                                           {QString::number(clue.count),
                                            QFileInfo(platform::PathText(clue.file)).fileName(),
                                            QString::fromStdString(document::ArchiveDate(clue.time))});
        item->setToolTip(2, platform::PathText(clue.file));
        item->setTextAlignment(1, Qt::AlignRight);
    }

    const vocabulary::Thesaurus& thesaurus = sources.Thesaurus();
    const std::vector<vocabulary::ThesaurusSuggestion> synonyms = thesaurus.Suggestions(word_);
    QString caption = "Dal dizionario dei sinonimi";
    if (!thesaurus.IsOpen())
        caption += ": non disponibile (" + sources.ThesaurusProblem() + ")";
    else if (synonyms.empty())
        caption += ": nessuna voce";
    else if (!synonyms.front().baseForm.empty())
        caption += " (forma di: " + platform::FromBytes(synonyms.front().baseForm) + ")";
    QTreeWidgetItem* fromThesaurus = section(caption);
    std::string base = synonyms.empty() ? std::string() : synonyms.front().baseForm;
    for (const vocabulary::ThesaurusSuggestion& s : synonyms) {
        if (s.baseForm != base) {  // another base form (PORTI: porta, portare)
            base = s.baseForm;
            fromThesaurus = section("forma di: " + platform::FromBytes(base));
        }
        suggestion(fromThesaurus, s.text);
    }
    list_->expandAll();
    for (int c = 1; c < list_->columnCount(); ++c) list_->resizeColumnToContents(c);

    const document::ArchiveCounts counts = archive->Counts();
    QString status = QString("Archivio: %1 cruciverba, %2 definizioni").arg(counts.files).arg(counts.clues);
    if (counts.damaged == 1)
        status += ", 1 file illeggibile tralasciato";
    else if (counts.damaged > 1)
        status += QString(", %1 file illeggibili tralasciati").arg(counts.damaged);
    if (sources.Updating()) status += " - aggiornamento in corso ...";
    status_->setText(status);

    // The first suggestion is ready for Enter.
    for (QTreeWidgetItemIterator it(list_); *it; ++it) {
        if ((*it)->data(0, TextRole).isValid()) {
            list_->setCurrentItem(*it);
            break;
        }
    }
}

QStringList Suggerimenti::Shown() const {
    QStringList shown;
    for (QTreeWidgetItemIterator it(list_); *it; ++it)
        if ((*it)->data(0, TextRole).isValid()) shown << (*it)->data(0, TextRole).toString();
    return shown;
}

void Suggerimenti::AddFolder() {
    const QString folder = QFileDialog::getExistingDirectory(this, "Cartella di cruciverba da aggiungere all'archivio");
    if (folder.isEmpty()) return;
    SuggestionSources::Instance().AddFolder(folder);
    SuggestionSources::Instance().Refresh();
    Fill();
}

} // namespace words
