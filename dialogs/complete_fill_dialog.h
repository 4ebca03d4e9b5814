#pragma once
// "Completa schema": the progress window of the complete fill. The search
// runs on a worker thread over a copy of the crossword; the window shows the
// words filled so far, the most filled at once, the words tried and the
// time, and stays responsive. "&Annulla" (or Esc, or closing the window)
// stops the search; the window closes by itself when the search ends.
//
//   CompleteFillDialog dialog(doc, index, options, this);
//   dialog.Run();
//   dialog.Result()  // Cancelled after "&Annulla"

#include "document/crossword.h"
#include "fill/complete_fill.h"

#include <QDialog>

#include <atomic>
#include <chrono>
#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;
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

    // Starts the search and waits for it; the window shows only when the
    // search takes longer than `showAfterMilliseconds` (a quick fill does
    // not flash a window). exec() shows it at once.
    int Run(int showAfterMilliseconds = 400);

    // What the search came to; Cancelled until it ends.
    const fill::CompleteFillResult& Result() const { return result_; }
    bool Running() const { return worker_.joinable(); }

    // The texts the window shows now.
    QString ProgressText() const;

    // Stops the search: the result is Cancelled and the window closes.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Start();
    void Poll();
    void Stop();

    document::Crossword doc_;
    fill::LetterIndex& index_;
    fill::CompleteFillOptions options_;
    fill::CompleteFillProgress progress_;
    fill::CompleteFillResult result_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> done_{false};
    std::thread worker_;
    std::chrono::steady_clock::time_point start_;
    QLabel* text_;
    QProgressBar* bar_;
    QPushButton* cancelButton_;
    QTimer* timer_;
};

} // namespace dialogs
