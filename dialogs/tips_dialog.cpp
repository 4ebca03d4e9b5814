#include "dialogs/tips_dialog.h"

#include "document/file_io.h"
#include "document/text.h"
#include "platform/qt/encoding.h"
#include "platform/qt/qt_messages.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

namespace dialogs {

namespace {

// A tips file is a page of text; a larger file is not one.
constexpr std::size_t MaxTipsFileSize = 4 << 20;
constexpr int TextWidth = 380;

// The stored setting says "do not show" when it reads as the number 0.
bool ShowAtStartup(const platform::Settings& settings) {
    const std::string value = settings.Get(TipsSection, TipsKey, "1");
    const bool hasDigit = value.find_first_of("0123456789") != std::string::npos;
    return !(hasDigit && document::LeadingNumber(value) == 0);
}

// The heading's icon: a lit bulb.
QPixmap BulbIcon() {
    const qreal ratio = 2;
    QPixmap pixmap(QSize(40, 40) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(240, 190, 40), 2, Qt::SolidLine, Qt::RoundCap));
    for (int k = 0; k < 7; ++k) {
        const qreal a = M_PI * (0.9 + k * 0.2);
        p.drawLine(QPointF(20 + 14 * std::cos(a), 16 + 14 * std::sin(a)),
                   QPointF(20 + 18 * std::cos(a), 16 + 18 * std::sin(a)));
    }
    QPainterPath glass;
    glass.addEllipse(QPointF(20, 16), 9, 9);
    glass.addRect(QRectF(15.5, 20, 9, 8));
    p.setPen(QPen(QColor(32, 32, 32), 1.2));
    p.setBrush(QColor(255, 236, 130));
    p.drawPath(glass.simplified());
    p.setBrush(QColor(160, 160, 160));
    p.drawRoundedRect(QRectF(15.5, 28, 9, 7), 1.5, 1.5);
    p.drawLine(QPointF(15.5, 30.5), QPointF(24.5, 30.5));
    p.drawLine(QPointF(15.5, 33), QPointF(24.5, 33));
    return pixmap;
}

} // namespace

std::function<double()> ClockSeededRandom() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    auto generator = std::make_shared<std::mt19937>(static_cast<std::mt19937::result_type>(
        std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    return [generator] { return std::uniform_real_distribution<double>(0.0, 1.0)(*generator); };
}

frmTip::frmTip(platform::Settings& settings, std::function<double()> random, QWidget* parent)
    : QDialog(parent), settings_(settings), random_(random ? std::move(random) : ClockSeededRandom()) {
    setObjectName("frmTip");
    setWindowTitle("Suggerimento del giorno");
    platform::UseDialogFrame(this);

    auto* picture = new QFrame(this);
    picture->setObjectName("picTip");
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setAutoFillBackground(true);
    QPalette white = picture->palette();
    white.setColor(QPalette::Window, Qt::white);
    picture->setPalette(white);

    auto* icon = new QLabel(picture);
    icon->setPixmap(BulbIcon());
    auto* heading = new QLabel("Forse non tutti sanno che...", picture);
    heading->setObjectName("Label1");
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading->setFont(headingFont);
    tipText_ = new QLabel(picture);
    tipText_->setObjectName("lblTipText");
    tipText_->setWordWrap(true);
    tipText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tipText_->setTextFormat(Qt::PlainText);
    tipText_->setFixedWidth(TextWidth);
    tipText_->setMinimumHeight(110);

    auto* headingRow = new QHBoxLayout;
    headingRow->addWidget(icon);
    headingRow->addWidget(heading, 1);
    auto* inside = new QVBoxLayout(picture);
    inside->addLayout(headingRow);
    inside->addWidget(tipText_, 1);

    showAtStartup_ = new QCheckBox("&Mostra i suggerimenti all'avvio", this);
    showAtStartup_->setObjectName("chkLoadTipsAtStartup");
    auto* next = new QPushButton("&Successivo", this);
    next->setObjectName("cmdNextTip");
    next->setAutoDefault(false);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(showAtStartup_, &QCheckBox::clicked, this, &frmTip::StoreSetting);
    connect(next, &QPushButton::clicked, this, &frmTip::PickRandomTip);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(showAtStartup_);
    buttons->addStretch(1);
    buttons->addWidget(next);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 1);
    layout->addLayout(buttons);
    ok->setFocus();
}

QString frmTip::MissingFileText() {
    return "Impossibile trovare il file " + TipsFileName + "\n\nInserire il file di testo denominato " +
           TipsFileName + " nella stessa cartella dell'applicazione.";
}

bool frmTip::LoadTips(const QString& sFile) {
    if (sFile.isEmpty()) return false;
    const std::string name = platform::PathBytes(sFile);
    if (!document::FileExists(name)) return false;
    std::string bytes;
    if (!document::ReadWholeFile(name, bytes, MaxTipsFileSize)) return false;
    for (const std::string& line : document::TextLines(bytes)) tips_.push_back(platform::FromBytes(line));
    PickRandomTip();
    return true;
}

void frmTip::PickRandomTip() {
    const double n = static_cast<double>(tips_.size());
    const double drawn = std::floor(n * random_() + 1);
    currentTip_ = static_cast<int>(std::clamp(drawn, 1.0, std::max(n, 1.0)));
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip() {
    if (tips_.empty()) return;
    tipText_->setText(tips_[static_cast<std::size_t>(currentTip_ - 1)]);
}

void frmTip::StoreSetting(bool show) { settings_.Set(TipsSection, TipsKey, show ? "1" : "0"); }

frmTip* ShowTipOfTheDay(QWidget* parent, const QString& programFolder, platform::Settings& settings,
                        std::function<double()> random) {
    if (!ShowAtStartup(settings)) return nullptr;
    auto* tip = new frmTip(settings, std::move(random), parent);
    tip->setAttribute(Qt::WA_DeleteOnClose);
    tip->findChild<QCheckBox*>("chkLoadTipsAtStartup")->setChecked(true);
    if (!tip->LoadTips(programFolder + "/" + TipsFileName))
        tip->findChild<QLabel*>("lblTipText")->setText(frmTip::MissingFileText());
    tip->adjustSize();
    platform::CentreOnScreen(tip);
    tip->show();
    return tip;
}

} // namespace dialogs
