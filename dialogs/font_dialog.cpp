#include "dialogs/font_dialog.h"

#include "platform/qt/qt_messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace dialogs {

namespace {

constexpr double SampleSize = 14;  // points
const QColor BarColour(0, 0, 128);

QString Name(const std::string& utf8) { return QString::fromStdString(utf8); }

// Time between two turns of the window system while the list is built:
// often enough for "&Annulla" and the bar, seldom enough to cost nothing.
constexpr qint64 YieldEveryMs = 16;

// The printer fonts that the screen also has (exact names), in printer
// order, a printer font as often as the printer lists it. The screen's
// fonts are looked up by name, each at its first place in the screen's
// list, which is where a comparison from the first screen font on stops;
// `compared` (i, j) hears, after printer font i, the last screen font
// compared with it, and returns false to stop: then there is no list.
std::optional<std::vector<std::string>> MatchFonts(const std::vector<std::string>& printer,
                                                   const std::vector<std::string>& screen,
                                                   const std::function<bool(std::size_t, std::size_t)>& compared) {
    std::unordered_map<std::string_view, std::size_t> firstPlace;
    firstPlace.reserve(screen.size());
    for (std::size_t j = 0; j < screen.size(); ++j) firstPlace.try_emplace(screen[j], j);
    std::vector<std::string> matches;
    for (std::size_t i = 0; i < printer.size(); ++i) {
        const auto found = firstPlace.find(printer[i]);
        if (found != firstPlace.end()) matches.push_back(printer[i]);
        if (screen.empty()) continue;
        if (!compared(i, found != firstPlace.end() ? found->second : screen.size() - 1)) return std::nullopt;
    }
    std::erase_if(matches, [](const std::string& name) { return name.empty(); });
    return matches;
}

// The entry equal to the window's font (the last of several), else the
// first; -1 for an empty list.
int InitialSelection(const std::vector<std::string>& fonts, const std::string& current) {
    for (std::size_t i = fonts.size(); i-- > 0;)
        if (fonts[i] == current) return static_cast<int>(i);
    return fonts.empty() ? -1 : 0;
}

// Builds the list under the progress window; false when the user stopped it.
bool BuildList(QWidget* parent, platform::FontSource& fonts, const std::string& currentFont,
               FontChoiceState& state) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<std::string> printer = fonts.PrinterFonts();
    const std::vector<std::string> screen = fonts.ScreenFonts();
    CancelFont progress(parent);
    progress.SetScale(static_cast<double>(printer.size()) * static_cast<double>(screen.size()));
    progress.show();
    platform::CentreOnScreen(&progress);
    // The window system runs once the window is up, then every YieldEveryMs.
    QCoreApplication::processEvents();
    QElapsedTimer sinceYield;
    sinceYield.start();
    const auto matches = MatchFonts(printer, screen, [&](std::size_t i, std::size_t j) {
        progress.Fill(static_cast<double>(j + 1) * static_cast<double>(i + 1));
        if (sinceYield.elapsed() < YieldEveryMs) return true;
        QCoreApplication::processEvents();
        sinceYield.restart();
        return !progress.Cancelled();
    });
    // A last chance for "&Annulla" pressed during the final comparison.
    QCoreApplication::processEvents();
    const bool cancelled = !matches || progress.Cancelled();
    progress.hide();
    QApplication::restoreOverrideCursor();
    if (cancelled) return false;
    state = FontChoiceState{};
    state.loaded = true;
    state.fonts = *matches;
    state.selected = InitialSelection(state.fonts, currentFont);
    return true;
}

// "OK": the printer's font, then the window's, each from GridFontName as it
// then stands and the two boxes. A family that one of them cannot use gives
// the message and "Arial" (plain) in its place; the steps after the failing
// one still run, with "Arial".
void Apply(document::Crossword& doc, platform::Surface& window, platform::FontSource& fonts,
           const FontChoiceState& state, platform::Messages& messages) {
    doc.GridFontName = state.fonts[static_cast<std::size_t>(state.selected)];
    const double size = window.CurrentFont().size;
    bool fellBack = false;
    auto fallBack = [&] {
        messages.Tell(FontNotAvailableMessage);
        doc.GridFontName = document::DefaultFontName;
        window.SetFont({document::DefaultFontName, size, false, false});
        fellBack = true;
    };
    const platform::Font printerFont{doc.GridFontName, size, state.bold, state.italic};
    if (!fonts.PrinterCanUse(printerFont)) fallBack();
    // "Arial" is what the message promised: it is taken as it is.
    const platform::Font windowFont{doc.GridFontName, size, state.bold, state.italic};
    if (fellBack) {
        window.SetFont(windowFont);
    } else if (!fonts.ScreenCanUse(windowFont) || !window.SetFont(windowFont)) {
        fallBack();
    }
}

} // namespace

// picProgress: the bar of CancelFont.
class CancelFont::Bar : public QFrame {
public:
    explicit Bar(QWidget* parent) : QFrame(parent) {
        setObjectName("picProgress");
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setFixedHeight(22);
        setMinimumWidth(280);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        setPalette(p);
        setAutoFillBackground(true);
    }
    void SetScale(double scale) {
        scale_ = scale;
        Fill(0);
    }
    void Fill(double value) {
        const double part = scale_ > 0 ? std::clamp(value / scale_, 0.0, 1.0) : 0.0;
        const int before = Pixels(filled_);
        filled_ = part;
        // Painting only when a pixel changes keeps a long list fast.
        if (Pixels(filled_) != before) update();
    }
    double Filled() const { return filled_; }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect inside = contentsRect();
        painter.fillRect(QRect(inside.left(), inside.top(), Pixels(filled_), inside.height()), BarColour);
    }

private:
    int Pixels(double part) const { return static_cast<int>(part * contentsRect().width()); }
    double scale_ = 0;
    double filled_ = 0;
};

CancelFont::CancelFont(QWidget* parent) : QDialog(parent) {
    setObjectName("CancelFont");
    setWindowTitle("Quadrivo 98");
    platform::UseDialogFrame(this);
    setWindowModality(Qt::ApplicationModal);

    auto* message = new QLabel("Attenti il caricamento dei font disponibili ...", this);
    message->setObjectName("lblCancelMsg");
    bar_ = new Bar(this);
    auto* cancel = new QPushButton("&Annulla", this);
    cancel->setObjectName("cmdCancel");
    connect(cancel, &QPushButton::clicked, this, &CancelFont::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    adjustSize();
}

void CancelFont::SetScale(double scale) { bar_->SetScale(scale); }
void CancelFont::Fill(double value) { bar_->Fill(value); }
double CancelFont::Filled() const { return bar_->Filled(); }

void CancelFont::closeEvent(QCloseEvent* event) {
    cancelled_ = true;
    QDialog::closeEvent(event);
}

void CancelFont::reject() {
    cancelled_ = true;
    QDialog::reject();
}

FontDialog::FontDialog(const FontChoiceState& state, QWidget* parent)
    : QDialog(parent), fonts_(state.fonts), selected_(state.selected) {
    setObjectName("FontDialog");
    setWindowTitle("Selezione Font");
    platform::UseDialogFrame(this);

    auto* caption = new QLabel("Font disponibili", this);
    caption->setObjectName("lblFList");
    list_ = new QListWidget(this);
    list_->setObjectName("lstMatchFonts");
    // All entries are one line in one font: laid out alike, added at once.
    list_->setUniformItemSizes(true);
    QStringList names;
    names.reserve(static_cast<qsizetype>(fonts_.size()));
    for (const std::string& name : fonts_) names << Name(name);
    list_->addItems(names);
    list_->setMinimumSize(220, 240);

    sample_ = new QLabel("Esempio AaBbCcDd  Zz", this);
    sample_->setObjectName("lblFontDemo");
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    sample_->setFixedSize(280, 70);
    sample_->setAutoFillBackground(true);
    QPalette p = sample_->palette();
    p.setColor(QPalette::Window, Qt::white);
    sample_->setPalette(p);

    italic_ = new QCheckBox("Corsivo", this);
    italic_->setObjectName("Check3d1");
    italic_->setChecked(state.italic);
    bold_ = new QCheckBox("Grassetto", this);
    bold_->setObjectName("Check3d2");
    bold_->setChecked(state.bold);

    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("cmdOK");
    okButton_->setDefault(true);
    okButton_->setAutoDefault(true);
    cancelButton_ = new QPushButton("&Annulla", this);
    cancelButton_->setObjectName("cmdCancel");
    cancelButton_->setAutoDefault(false);

    connect(list_, &QListWidget::currentRowChanged, this, &FontDialog::Select);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { Select(list_->row(item)); });
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Select(list_->row(item)); });
    connect(italic_, &QCheckBox::toggled, this, &FontDialog::ShowSample);
    connect(bold_, &QCheckBox::toggled, this, &FontDialog::ShowSample);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(caption);
    left->addWidget(list_, 1);
    auto* styles = new QHBoxLayout;
    styles->addWidget(italic_);
    styles->addSpacing(16);
    styles->addWidget(bold_);
    styles->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* right = new QVBoxLayout;
    right->addSpacing(caption->sizeHint().height());
    right->addWidget(sample_);
    right->addSpacing(8);
    right->addLayout(styles);
    right->addStretch(1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(8);
    layout->addLayout(right);

    if (selected_ >= 0 && selected_ < list_->count()) {
        const QSignalBlocker quiet(list_);
        list_->setCurrentRow(selected_);
    }
    ShowSample();
    list_->setFocus();
    adjustSize();
    platform::CentreOnScreen(this);
}

void FontDialog::Select(int row) {
    if (row < 0 || row >= list_->count()) return;
    selected_ = row;
    ShowSample();
}

void FontDialog::ShowSample() {
    QFont font = sample_->font();
    if (selected_ >= 0 && selected_ < static_cast<int>(fonts_.size()))
        font.setFamily(Name(fonts_[static_cast<std::size_t>(selected_)]));
    font.setPointSizeF(SampleSize);
    font.setItalic(italic_->isChecked());
    font.setBold(bold_->isChecked());
    sample_->setFont(font);
}

void FontDialog::Keep(FontChoiceState& state) const {
    state.selected = selected_;
    state.italic = italic_->isChecked();
    state.bold = bold_->isChecked();
}

bool ChooseFont(QWidget* parent, document::Crossword& doc, platform::Surface& window, platform::FontSource& fonts,
                FontChoiceState& state, platform::Messages& messages) {
    if (!state.loaded) {
        std::string current = window.CurrentFont().name;
        if (current.empty()) current = doc.GridFontName;
        if (!BuildList(parent, fonts, current, state)) return false;
    }
    FontDialog dialog(state, parent);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    dialog.Keep(state);
    if (!confirmed || state.selected < 0 || state.selected >= static_cast<int>(state.fonts.size())) return false;
    Apply(doc, window, fonts, state, messages);
    return true;
}

} // namespace dialogs
