#include "dialogs/about_dialog.h"

#include "platform/qt/encoding.h"
#include "platform/qt/qt_messages.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>
#include <functional>

namespace dialogs {

namespace {

const QColor Ink(32, 32, 32);
const QColor CrosswordRed(128, 0, 0);
const QColor Paper(255, 255, 255);
const QColor PaleYellow(255, 248, 200);
const QColor Wood(222, 170, 80);
const QColor Lead(70, 70, 70);

// A number as it is written with the place of its sign kept.
QString Signed(int n) { return (n < 0 ? QString("-") : QString(" ")) + QString::number(std::abs(n)); }

// A picture of `size` logical pixels drawn by `draw`, sharp on any screen.
QPixmap Picture(QSize size, const std::function<void(QPainter&)>& draw) {
    const qreal ratio = 2;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p);
    return pixmap;
}

QFont SerifFont(qreal pixels, bool bold, bool italic) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(static_cast<int>(pixels));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// A grid of cells; each character of `rows` is one cell: "*" black, " "
// empty, anything else a letter.
void Cells(QPainter& p, QPointF topLeft, qreal cell, const QStringList& rows) {
    p.setFont(SerifFont(cell * 0.7, true, false));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const QRectF box(topLeft.x() + c * cell, topLeft.y() + r * cell, cell, cell);
            const QChar ch = rows[r][c];
            p.fillRect(box, ch == '*' ? Ink : Paper);
            p.setPen(QPen(Ink, 1));
            p.drawRect(box);
            if (ch != '*' && ch != ' ') {
                p.setPen(CrosswordRed);
                p.drawText(box, Qt::AlignCenter, QString(ch));
            }
        }
    }
}

// Picture1: the program's mark, a small grid crossed by "QUADRIVO".
QPixmap MarkPicture() {
    return Picture({84, 84}, [](QPainter& p) {
        Cells(p, {1.5, 1.5}, 16, {"Q*R *", "UDA*C", "ARIVO", "D*V*S", "RE*AE"});
    });
}

// Picture2: the name, large.
QPixmap NamePicture() {
    return Picture({270, 52}, [](QPainter& p) {
        QPainterPath path;
        path.addText(2, 40, SerifFont(40, true, true), QStringLiteral("Quadrivo"));
        p.fillPath(path.translated(2, 2), QColor(0, 0, 0, 60));
        p.fillPath(path, CrosswordRed);
        QPainterPath year;
        year.addText(path.boundingRect().right() + 12, 40, SerifFont(30, true, false), QStringLiteral("98"));
        p.fillPath(year, Ink);
    });
}

// Picture3: a pencil over a sheet of clues.
QPixmap PencilPicture() {
    return Picture({64, 64}, [](QPainter& p) {
        p.setPen(QPen(Ink, 1));
        p.setBrush(PaleYellow);
        p.drawRect(QRectF(6.5, 4.5, 40, 52));
        p.setPen(QPen(QColor(150, 150, 150), 1.2));
        for (int k = 0; k < 6; ++k) p.drawLine(QPointF(11, 14 + k * 7), QPointF(k % 2 ? 34 : 41, 14 + k * 7));
        p.save();
        p.translate(50, 20);
        p.rotate(40);
        p.setPen(QPen(Ink, 1));
        p.setBrush(Wood);
        p.drawRect(QRectF(-4, 0, 8, 34));
        p.setBrush(CrosswordRed);
        p.drawRect(QRectF(-4, -6, 8, 6));
        QPolygonF tip;
        tip << QPointF(-4, 34) << QPointF(4, 34) << QPointF(0, 44);
        p.setBrush(PaleYellow);
        p.drawPolygon(tip);
        QPolygonF point;
        point << QPointF(-1.6, 40) << QPointF(1.6, 40) << QPointF(0, 44);
        p.setBrush(Lead);
        p.drawPolygon(point);
        p.restore();
    });
}

// Picture4: a strip of cells spelling the kind of puzzle.
QPixmap StripPicture() {
    return Picture({262, 24}, [](QPainter& p) { Cells(p, {1, 1}, 22, {"CRUCIVERBA*"}); });
}

QLabel* PictureLabel(QWidget* parent, const char* name, const QPixmap& pixmap) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(pixmap);
    return label;
}

} // namespace

QString VersionLine(const QString& title, int major, int minor, int revision) {
    return title + " - Versione " + Signed(major) + "." + Signed(minor) + "." + Signed(revision);
}

const std::vector<ProgramCall>& SystemInfoPrograms() {
    static const std::vector<ProgramCall> programs = {
        {"hardinfo2", {}},
        {"hardinfo", {}},
        {"kinfocenter", {}},
        {"cpu-x", {}},
    };
    return programs;
}

void StartSysInfo(platform::Launcher& launcher, platform::Messages& messages) {
    for (const ProgramCall& call : SystemInfoPrograms())
        if (launcher.StartProgram(call.program, call.arguments)) return;
    messages.Tell(SystemInfoMissingMessage);
}

Form3::Form3(platform::Launcher& launcher, platform::Messages& messages, QWidget* parent)
    : QDialog(parent), launcher_(launcher), messages_(messages) {
    setObjectName("Form3");
    setWindowTitle("Quadrivo 98 - Informazioni");
    platform::UseDialogFrame(this);

    auto* version = new QLabel(this);
    version->setObjectName("Label3");
    version->setMinimumHeight(version->fontMetrics().height());
    auto* platformLine = new QLabel("per sistemi a 32 bit", this);
    platformLine->setObjectName("Label5");
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* sysInfo = new QPushButton("&System Info ...", this);
    sysInfo->setObjectName("Command1");
    sysInfo->setAutoDefault(false);
    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("Command3d1");
    ok->setDefault(true);
    connect(sysInfo, &QPushButton::clicked, this, [this] { StartSysInfo(launcher_, messages_); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(PictureLabel(this, "Picture2", NamePicture()));
    texts->addWidget(PictureLabel(this, "Picture4", StripPicture()));
    texts->addSpacing(10);
    texts->addWidget(version);
    texts->addWidget(platformLine);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(PictureLabel(this, "Picture1", MarkPicture()), 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(PictureLabel(this, "Picture3", PencilPicture()));
    bottom->addStretch(1);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(bottom);
    adjustSize();
    platform::CentreOnScreen(this);
}

void Form3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    findChild<QLabel*>("Label3")->setText(
        VersionLine(platform::FromBytes(platform::ApplicationTitle), VersionMajor, VersionMinor, VersionRevision));
    findChild<QPushButton*>("Command3d1")->setFocus();
}

void ShowAbout(QWidget* parent, platform::Launcher& launcher, platform::Messages& messages) {
    Form3 box(launcher, messages, parent);
    box.exec();
}

} // namespace dialogs
