#pragma once
// "Completa schema": the window of the complete fill. It opens with the
// quality ("Qualita'": the best part of each length group the fill may use);
// "&Completa" starts the search on a worker thread over a copy of the
// crossword, and the window then shows the words filled so far, the most
// filled at once, the words tried and the time, and stays responsive.
// "&Annulla" (or Esc, or closing the window) stops the search or closes the
// window before it starts; the window closes by itself when the search ends.
//
//   CompleteFillDialog dialog(doc, index, options, this);
//   dialog.Run();
//   dialog.Result()  // Cancelled after "&Annulla"
//   dialog.Quality() // what the user chose

#include "document/crossword.h"
#include "fill/complete_fill.h"

#include <QDialog>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace dialogs {

class CompleteFillDialog : public QDialog {
    Q_OBJECT
public:
    // `index` must outlive the window and serve no other search meanwhile.
    CompleteFillDialog(const document::Crossword& doc, fill::LetterIndex& index, fill::CompleteFillOptions options,
                       QWidget* parent = nullptr);
    // Stops and waits for a search still running.
    ~CompleteFillDialog() override;

    // Shows the window and waits until the search ends or the user stops.
    int Run() { return exec(); }

    // Starts the search with the quality shown, as "&Completa" does.
    void Start();

    // What "&Completa" runs on the worker thread: fill::CompleteFill unless
    // a test puts another search in its place before the start. It gets the
    // window's options (with its cancel flag) and progress figures.
    using Search = std::function<fill::CompleteFillResult(const document::Crossword&, fill::LetterIndex&,
                                                          const fill::CompleteFillOptions&,
                                                          fill::CompleteFillProgress*)>;
    void SetSearch(Search search) { search_ = std::move(search); }

    // The quality in the window, in percent.
    int Quality() const;

    // What the search came to; Cancelled until it ends.
    const fill::CompleteFillResult& Result() const { return result_; }
    bool Running() const { return worker_.joinable(); }

    // The texts the window shows now.
    QString ProgressText() const;

    // Stops the search: the result is Cancelled and the window closes.
    void reject() override;

private:
    void Poll();
    void Stop();

    document::Crossword doc_;
    fill::LetterIndex& index_;
    fill::CompleteFillOptions options_;
    fill::CompleteFillProgress progress_;
    fill::CompleteFillResult result_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> done_{false};
    Search search_;
    std::thread worker_;
    std::chrono::steady_clock::time_point start_;
    QLabel* heading_;
    QSpinBox* qualityBox_;
    QLabel* text_;
    QProgressBar* bar_;
    QPushButton* startButton_;
    QPushButton* cancelButton_;
    QTimer* timer_;
};

} // namespace dialogs
