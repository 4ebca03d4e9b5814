#pragma once
// Suggerimenti: the window beside the clue editor that offers clues for the
// word being clued: the clues the setter already wrote for it in the
// crossword files of the archive folders, and the glosses and synonyms of
// the Italian thesaurus. A double click or Enter hands a suggestion to the
// clue editor; nothing else changes.

#include "document/clue_archive.h"
#include "vocabulary/thesaurus.h"

#include <QDialog>
#include <QObject>
#include <QStringList>

#include <memory>
#include <string>

class QLabel;
class QThread;
class QTreeWidget;
class QTreeWidgetItem;

namespace words {

// What the suggestions come from, kept for the whole run: the clue
// archive, brought up to date off the window's thread and kept in the
// user's data folder, the thesaurus, and the choices remembered in the
// user's settings (the archive folders, whether the window opens by
// itself). One for the program: every opening of the clue editor finds
// the archive as the last update left it.
class SuggestionSources : public QObject {
    Q_OBJECT
public:
    static SuggestionSources& Instance();
    ~SuggestionSources() override;

    // Where the index is kept, the thesaurus (.dat) and the forms table.
    // Drops the archive in memory: the next Refresh reads the index again.
    void Configure(const QString& indexFile, const QString& thesaurusFile, const QString& formsFile);

    // The archive folders: those of the crosswords clued so far and those
    // added by hand.
    QStringList Folders() const;
    void AddFolder(const QString& folder);

    // Whether the window opens with the clue editor.
    bool Automatic() const;
    void SetAutomatic(bool on);

    // Brings the archive up to date in the background; a request while an
    // update runs is served when it ends. Updated() says when it is done.
    void Refresh();
    bool Updating() const { return worker_ != nullptr; }

    // The archive as the last update left it; never changes under a reader.
    std::shared_ptr<const document::ClueArchive> Archive() const { return archive_; }

    // The thesaurus, opened at its first use; `Problem()` says why it is not
    // open.
    const vocabulary::Thesaurus& Thesaurus();
    QString ThesaurusProblem() const { return thesaurusProblem_; }

signals:
    void Updated();

private:
    explicit SuggestionSources(QObject* parent);
    void Wait();

    QString indexFile_, thesaurusFile_, formsFile_;
    std::shared_ptr<const document::ClueArchive> archive_;
    bool indexRead_ = false;
    bool pending_ = false;
    QThread* worker_ = nullptr;
    vocabulary::Thesaurus thesaurus_;
    bool thesaurusTried_ = false;
    QString thesaurusProblem_;
};

class Suggerimenti : public QDialog {
    Q_OBJECT
public:
    // For `word` (the grid's capitals).
    explicit Suggerimenti(const std::string& word, QWidget* parent = nullptr);

    // The suggestions shown, in order: the archive's, then the thesaurus's.
    QStringList Shown() const;

signals:
    // A suggestion picked with a double click or Enter.
    void Chosen(const QString& text);

private:
    void Fill();
    void AddFolder();

    std::string word_;
    QLabel* heading_;
    QTreeWidget* list_;
    QLabel* status_;
};

} // namespace words
