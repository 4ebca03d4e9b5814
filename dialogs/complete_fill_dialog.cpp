#include "dialogs/complete_fill_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace dialogs {

CompleteFillDialog::CompleteFillDialog(const document::Crossword& doc, fill::LetterIndex& index,
                                       fill::CompleteFillOptions options, QWidget* parent)
    : QDialog(parent), doc_(doc), index_(index), options_(options),
      search_([](const document::Crossword& d, fill::LetterIndex& i, const fill::CompleteFillOptions& o,
                 fill::CompleteFillProgress* p) { return fill::CompleteFill(d, i, o, p); }) {
    setWindowTitle(QStringLiteral("Completa schema"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(true);
    result_.outcome = fill::CompleteFillOutcome::Cancelled;
    options_.cancel = &cancel_;

    heading_ = new QLabel(QStringLiteral("Ogni parola dello schema avr\u00e0 una parola del vocabolario, "
                                         "scelta tra le migliori di ogni lunghezza."),
                          this);
    heading_->setWordWrap(true);
    auto* qualityLabel = new QLabel(QStringLiteral("&Qualit\u00e0:"), this);
    qualityBox_ = new QSpinBox(this);
    qualityBox_->setObjectName(QStringLiteral("Qualita"));
    qualityBox_->setRange(1, 100);
    qualityBox_->setSuffix(QStringLiteral(" %"));
    qualityBox_->setValue(std::clamp(options_.quality, 1, 100));
    qualityBox_->setToolTip(QStringLiteral("Parte migliore di ogni lunghezza del vocabolario da usare: meno parole, "
                                           "pi\u00f9 comuni; con 100 si usano tutte"));
    qualityLabel->setBuddy(qualityBox_);
    text_ = new QLabel(this);
    text_->setMinimumWidth(320);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 1);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    startButton_ = new QPushButton(QStringLiteral("&Completa"), this);
    startButton_->setObjectName(QStringLiteral("Completa"));
    startButton_->setDefault(true);
    connect(startButton_, &QPushButton::clicked, this, &CompleteFillDialog::Start);
    cancelButton_ = new QPushButton(QStringLiteral("&Annulla"), this);
    cancelButton_->setObjectName(QStringLiteral("Annulla"));
    connect(cancelButton_, &QPushButton::clicked, this, &CompleteFillDialog::reject);

    auto* quality = new QHBoxLayout;
    quality->addWidget(qualityLabel);
    quality->addWidget(qualityBox_);
    quality->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(startButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(quality);
    layout->addWidget(bar_);
    layout->addWidget(text_);
    layout->addLayout(buttons);
    setLayout(layout);

    timer_ = new QTimer(this);
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &CompleteFillDialog::Poll);
    // Until the search starts: what the quality means.
    bar_->hide();
    text_->setWordWrap(true);
    text_->setText(QStringLiteral("La ricerca parte dalla met\u00e0 migliore di ogni lunghezza e, se non basta, "
                                  "prende pi\u00f9 parole fino alla qualit\u00e0 scelta (100 %: tutte)."));
}

CompleteFillDialog::~CompleteFillDialog() {
    cancel_ = true;
    Stop();
}

int CompleteFillDialog::Quality() const { return qualityBox_->value(); }

void CompleteFillDialog::Start() {
    if (worker_.joinable() || done_) return;
    options_.quality = qualityBox_->value();
    qualityBox_->setEnabled(false);
    startButton_->setEnabled(false);
    cancelButton_->setDefault(true);
    cancelButton_->setFocus();
    heading_->setText(QStringLiteral("Ricerca di parole per tutto lo schema in corso..."));
    bar_->show();
    text_->setText(ProgressText());
    start_ = std::chrono::steady_clock::now();
    if (parentWidget()) parentWidget()->setCursor(Qt::BusyCursor);
    worker_ = std::thread([this] {
        fill::CompleteFillResult result = search_(doc_, index_, options_, &progress_);
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
    // The time limit is in view from the start, not only once it runs out.
    const QLocale italian(QLocale::Italian);
    const QString limit = options_.timeLimitSeconds > 0
                              ? QStringLiteral(" di ") + italian.toString(options_.timeLimitSeconds, 'f', 0)
                              : QString();
    return QStringLiteral("Parole completate: %1 di %2 (al massimo %3)\nParole provate: %4\nTempo: %5 s%6")
        .arg(progress_.filled.load())
        .arg(slotCount)
        .arg(progress_.bestFilled.load())
        .arg(progress_.nodes.load())
        .arg(italian.toString(seconds, 'f', 1))
        .arg(limit);
}

} // namespace dialogs
