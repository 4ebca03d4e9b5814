#include "dialogs/complete_fill_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace dialogs {

CompleteFillDialog::CompleteFillDialog(const document::Crossword& doc, fill::LetterIndex& index,
                                       fill::CompleteFillOptions options, QWidget* parent)
    : QDialog(parent), doc_(doc), index_(index), options_(options) {
    setWindowTitle(QStringLiteral("Completa schema"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(true);
    result_.outcome = fill::CompleteFillOutcome::Cancelled;
    options_.cancel = &cancel_;

    auto* heading = new QLabel(QStringLiteral("Ricerca di parole per tutto lo schema in corso..."), this);
    text_ = new QLabel(this);
    text_->setMinimumWidth(320);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 1);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    cancelButton_ = new QPushButton(QStringLiteral("&Annulla"), this);
    cancelButton_->setDefault(true);
    connect(cancelButton_, &QPushButton::clicked, this, &CompleteFillDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(bar_);
    layout->addWidget(text_);
    layout->addLayout(buttons);
    setLayout(layout);

    timer_ = new QTimer(this);
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &CompleteFillDialog::Poll);
    text_->setText(ProgressText());
}

CompleteFillDialog::~CompleteFillDialog() {
    cancel_ = true;
    Stop();
}

void CompleteFillDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!worker_.joinable() && !done_) Start();
}

int CompleteFillDialog::Run(int showAfterMilliseconds) {
    Start();
    const auto until = start_ + std::chrono::milliseconds(showAfterMilliseconds);
    while (!done_ && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (done_) {
        Stop();
        return Accepted;
    }
    return exec();
}

void CompleteFillDialog::Start() {
    start_ = std::chrono::steady_clock::now();
    if (parentWidget()) parentWidget()->setCursor(Qt::BusyCursor);
    worker_ = std::thread([this] {
        fill::CompleteFillResult result = fill::CompleteFill(doc_, index_, options_, &progress_);
        result_ = std::move(result);
        done_ = true;
    });
    timer_->start();
}

void CompleteFillDialog::Stop() {
    if (worker_.joinable()) worker_.join();
    timer_->stop();
    if (parentWidget()) parentWidget()->unsetCursor();
}

void CompleteFillDialog::Poll() {
    if (done_) {
        Stop();
        text_->setText(ProgressText());
        accept();
        return;
    }
    text_->setText(ProgressText());
    const int slotCount = progress_.slotCount.load();
    bar_->setRange(0, std::max(slotCount, 1));
    bar_->setValue(std::min(progress_.bestFilled.load(), std::max(slotCount, 1)));
}

void CompleteFillDialog::reject() {
    cancel_ = true;
    Stop();
    // A search that ended while the user was pressing the button still
    // counts as stopped: the crossword stays as it is.
    result_ = fill::CompleteFillResult();
    result_.outcome = fill::CompleteFillOutcome::Cancelled;
    QDialog::reject();
}

QString CompleteFillDialog::ProgressText() const {
    const int slotCount = progress_.slotCount.load();
    const double seconds =
        worker_.joinable() || done_
            ? std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count()
            : 0.0;
    return QStringLiteral("Parole completate: %1 di %2 (al massimo %3)\nParole provate: %4\nTempo: %5 s")
        .arg(progress_.filled.load())
        .arg(slotCount)
        .arg(progress_.bestFilled.load())
        .arg(progress_.nodes.load())
        .arg(QLocale(QLocale::Italian).toString(seconds, 'f', 1));
}

} // namespace dialogs
