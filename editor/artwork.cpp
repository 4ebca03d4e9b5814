// Every icon is drawn on a 24x24 canvas of logical units and scaled to the
// pixmap size, so the 24 px and 48 px pictures share one drawing. Outlines
// sit on half units so that they land on whole pixels at 24 px.

#include "editor/artwork.h"

#include <QApplication>
#include <QFont>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOption>
#include <QtMath>

#include <functional>

namespace editor {

namespace {

const QColor Ink(32, 32, 32);
const QColor CrosswordRed(128, 0, 0);
const QColor PaleYellow(255, 255, 224);
const QColor Paper(255, 255, 255);
const QColor Ivory(255, 253, 242);
const QColor LightGrey(208, 208, 208);
const QColor MidGrey(150, 150, 150);
const QColor FolderBack(214, 170, 90);
const QColor FolderFront(246, 212, 128);
const QColor Spark(240, 190, 40);

using Drawing = std::function<void(QPainter&)>;

// A font by family name, with a generic fallback of the same kind.
QFont Font(const QString& family, bool serif, bool bold, bool italic = false) {
    QFont font(family);
    font.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// The outline of text whose capital letters are about capHeight units tall,
// with its baseline starting at the origin.
QPainterPath TextPath(const QString& text, QFont font, qreal capHeight) {
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const qreal scale = capHeight / 70.0;  // capitals are about 0.7 em tall
    return QTransform::fromScale(scale, scale).map(path);
}

// Fills text so that its bounding box is centred on a point.
void CentredText(QPainter& p, const QString& text, const QFont& font, qreal capHeight,
                 QPointF centre, const QColor& colour) {
    QPainterPath path = TextPath(text, font, capHeight);
    path.translate(centre - path.boundingRect().center());
    p.fillPath(path, colour);
}

// Sets a dark outline pen of the given width in icon units.
void Outline(QPainter& p, qreal width = 1.0) {
    QPen pen(Ink, width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
}

// A grid of square cells; blacks lists the black cells as row * cols + col.
void Grid(QPainter& p, QPointF topLeft, int cols, int rows, qreal cell,
          std::initializer_list<int> blacks) {
    const QRectF all(topLeft, QSizeF(cols * cell, rows * cell));
    p.fillRect(all, Paper);
    for (int index : blacks) {
        p.fillRect(QRectF(topLeft.x() + (index % cols) * cell,
                          topLeft.y() + (index / cols) * cell, cell, cell),
                   Ink);
    }
    Outline(p, 0.75);
    for (int c = 1; c < cols; ++c) {
        p.drawLine(QPointF(all.left() + c * cell, all.top()),
                   QPointF(all.left() + c * cell, all.bottom()));
    }
    for (int r = 1; r < rows; ++r) {
        p.drawLine(QPointF(all.left(), all.top() + r * cell),
                   QPointF(all.right(), all.top() + r * cell));
    }
    Outline(p);
    p.setBrush(Qt::NoBrush);
    p.drawRect(all);
}

// A sheet of paper with its top right corner folded over.
void Sheet(QPainter& p, const QRectF& r, qreal fold) {
    QPolygonF page;
    page << r.topLeft() << QPointF(r.right() - fold, r.top())
         << QPointF(r.right(), r.top() + fold) << r.bottomRight() << r.bottomLeft();
    Outline(p);
    p.setBrush(Paper);
    p.drawPolygon(page);
    QPolygonF ear;
    ear << QPointF(r.right() - fold, r.top()) << QPointF(r.right() - fold, r.top() + fold)
        << QPointF(r.right(), r.top() + fold);
    p.setBrush(PaleYellow);
    p.drawPolygon(ear);
}

// A star of the given number of points.
void Star(QPainter& p, QPointF centre, qreal outer, qreal inner, int points,
          const QColor& fill) {
    QPolygonF star;
    for (int i = 0; i < points * 2; ++i) {
        const qreal angle = M_PI * i / points - M_PI / 2;
        const qreal radius = (i % 2 == 0) ? outer : inner;
        star << centre + QPointF(radius * qCos(angle), radius * qSin(angle));
    }
    QPen pen(Ink, 0.75);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(fill);
    p.drawPolygon(star);
}

void DrawNew(QPainter& p) {
    Sheet(p, QRectF(5.5, 2.5, 15, 19), 5);
    Grid(p, QPointF(8.5, 10.5), 3, 3, 3, {4});
    Star(p, QPointF(5.5, 5.5), 4.5, 2.0, 8, Spark);
}

void DrawOpen(QPainter& p) {
    Outline(p);
    QPolygonF back;
    back << QPointF(1.5, 4.5) << QPointF(8.5, 4.5) << QPointF(10.5, 6.5) << QPointF(19.5, 6.5)
         << QPointF(19.5, 20.5) << QPointF(1.5, 20.5);
    p.setBrush(FolderBack);
    p.drawPolygon(back);
    p.setBrush(Paper);
    p.drawRect(QRectF(4.5, 8.5, 13, 10));
    Grid(p, QPointF(7.5, 9.5), 3, 1, 3, {1});
    QPolygonF front;
    front << QPointF(5.5, 11.5) << QPointF(23.0, 11.5) << QPointF(19.5, 20.5)
          << QPointF(1.5, 20.5);
    Outline(p);
    p.setBrush(FolderFront);
    p.drawPolygon(front);
}

void DrawSave(QPainter& p) {
    Outline(p);
    QPolygonF body;
    body << QPointF(2.5, 2.5) << QPointF(18.5, 2.5) << QPointF(21.5, 5.5) << QPointF(21.5, 21.5)
         << QPointF(2.5, 21.5);
    p.setBrush(CrosswordRed);
    p.drawPolygon(body);
    p.setBrush(LightGrey);
    p.drawRect(QRectF(6.5, 2.5, 11, 7));
    p.fillRect(QRectF(13.5, 4, 2.5, 4.5), Ink);
    p.setBrush(PaleYellow);
    p.drawRect(QRectF(5.5, 12.5, 13, 9));
    p.setPen(QPen(MidGrey, 0.75));
    p.drawLine(QPointF(7.5, 15.5), QPointF(16.5, 15.5));
    p.drawLine(QPointF(7.5, 18.5), QPointF(16.5, 18.5));
}

void DrawPrint(QPainter& p) {
    Outline(p);
    p.setBrush(Paper);
    p.drawRect(QRectF(6.5, 1.5, 11, 8));
    p.setBrush(LightGrey);
    p.drawRoundedRect(QRectF(1.5, 7.5, 21, 9), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(CrosswordRed);
    p.drawEllipse(QPointF(19, 10.5), 1.2, 1.2);
    p.fillRect(QRectF(4, 13, 16, 2), Ink);  // the paper slot
    Outline(p);
    p.setBrush(Paper);
    p.drawRect(QRectF(5.5, 13.5, 13, 9));
    Grid(p, QPointF(7.5, 15.5), 3, 2, 3, {1, 3});
}

void DrawPreview(QPainter& p) {
    Sheet(p, QRectF(2.5, 1.5, 14, 19), 4);
    Grid(p, QPointF(4.5, 6.5), 3, 3, 3, {0, 8});
    QPen handle(Ink, 4.0);
    handle.setCapStyle(Qt::RoundCap);
    p.setPen(handle);
    p.drawLine(QPointF(17.5, 17.5), QPointF(21.5, 21.5));
    handle.setColor(CrosswordRed);
    handle.setWidthF(2.2);
    p.setPen(handle);
    p.drawLine(QPointF(17.5, 17.5), QPointF(21.5, 21.5));
    p.setPen(QPen(Ink, 1.75));
    p.setBrush(QColor(255, 255, 224, 170));
    p.drawEllipse(QPointF(14, 14), 5, 5);
}

void DrawFont(QPainter& p) {
    CentredText(p, QStringLiteral("A"), Font(QStringLiteral("Liberation Serif"), true, true), 17, QPointF(8, 11.5), Ink);
    CentredText(p, QStringLiteral("a"), Font(QStringLiteral("Liberation Serif"), true, true, true), 14, QPointF(17.5, 14),
                CrosswordRed);
    p.fillRect(QRectF(1.5, 20, 21, 1.5), CrosswordRed);
}

// A grid with a red column at its right or a red row at its bottom,
// marked with a plus when it is added and a minus when it is removed.
void DrawResize(QPainter& p, bool column, bool add) {
    const QPointF origin = column ? QPointF(1.5, 4.5) : QPointF(4.5, 1.5);
    Grid(p, origin, 3, 3, 5, {4});
    const QRectF strip = column ? QRectF(16.5, 4.5, 7, 15) : QRectF(4.5, 16.5, 15, 7);
    Outline(p);
    p.setBrush(CrosswordRed);
    p.drawRect(strip);
    const QPointF centre = strip.center();
    p.fillRect(QRectF(centre.x() - 2, centre.y() - 1, 4, 2), Paper);
    if (add) p.fillRect(QRectF(centre.x() - 1, centre.y() - 2, 2, 4), Paper);
}

void DrawCell(QPainter& p, bool black) {
    p.fillRect(QRectF(6, 6, 16, 16), LightGrey);  // shadow
    Outline(p);
    p.setBrush(black ? Ink : Paper);
    p.drawRect(QRectF(3.5, 3.5, 15, 15));
    p.drawRect(QRectF(2.5, 2.5, 17, 17));
    if (!black) {
        CentredText(p, QStringLiteral("1"), Font(QStringLiteral("Liberation Sans"), false, true), 4.5, QPointF(6.5, 7),
                    CrosswordRed);
    } else {
        p.fillRect(QRectF(5, 5, 12, 1), QColor(255, 255, 255, 80));
    }
}

void DrawTable(QPainter& p) {
    const QRectF table(1.5, 2.5, 21, 20);
    p.fillRect(table, Paper);
    p.fillRect(QRectF(1.5, 2.5, 21, 5), CrosswordRed);
    Outline(p, 0.75);
    for (qreal y : {12.5, 17.5}) p.drawLine(QPointF(1.5, y), QPointF(22.5, y));
    p.drawLine(QPointF(7.5, 7.5), QPointF(7.5, 22.5));
    Outline(p);
    p.drawLine(QPointF(1.5, 7.5), QPointF(22.5, 7.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(table);
    const int lengths[] = {11, 8, 10};
    for (int i = 0; i < 3; ++i) {
        const qreal y = 9 + i * 5;
        p.fillRect(QRectF(3, y, 3, 2), Ink);
        p.fillRect(QRectF(9, y, lengths[i], 2), MidGrey);
    }
    p.fillRect(QRectF(9, 4, 8, 2), Paper);  // the heading
}

void DrawFill(QPainter& p) {
    Grid(p, QPointF(1.5, 8.5), 2, 2, 7, {3});
    const QFont font = Font(QStringLiteral("Liberation Sans"), false, true);
    CentredText(p, QStringLiteral("R"), font, 5, QPointF(5, 12), Ink);
    CentredText(p, QStringLiteral("E"), font, 5, QPointF(12, 12), Ink);
    CentredText(p, QStringLiteral("A"), font, 5, QPointF(5, 19), CrosswordRed);
    QPen wand(Ink, 2.2);
    wand.setCapStyle(Qt::RoundCap);
    p.setPen(wand);
    p.drawLine(QPointF(11.5, 18.5), QPointF(18, 12));
    Star(p, QPointF(19, 9.5), 5.0, 1.8, 4, Spark);
    p.setPen(Qt::NoPen);
    p.setBrush(Spark);
    p.drawEllipse(QPointF(13.5, 4), 1.2, 1.2);
    p.drawEllipse(QPointF(22.5, 3.5), 1.0, 1.0);
    p.drawEllipse(QPointF(22.5, 16.5), 1.0, 1.0);
}

// A curved arrow turning back to the left (undo); mirrored for redo.
void DrawTurnArrow(QPainter& p, bool mirrored) {
    if (mirrored) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    QPen pen(CrosswordRed, 2.6);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath path(QPointF(7, 9));
    path.cubicTo(QPointF(15, 4), QPointF(22, 9), QPointF(20, 15));
    path.cubicTo(QPointF(18.5, 19), QPointF(14, 20.5), QPointF(10, 20));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(CrosswordRed);
    QPolygonF head;
    head << QPointF(2.5, 10.5) << QPointF(9.5, 4.5) << QPointF(10, 13);
    p.drawPolygon(head);
}

void DrawUndo(QPainter& p) { DrawTurnArrow(p, false); }
void DrawRedo(QPainter& p) { DrawTurnArrow(p, true); }

void DrawEdit(QPainter& p) {
    Outline(p);
    p.setBrush(Paper);
    p.drawRect(QRectF(2.5, 8.5, 13, 13));
    CentredText(p, QStringLiteral("1"), Font(QStringLiteral("Liberation Sans"), false, true), 4, QPointF(4.8, 11.2),
                CrosswordRed);
    p.save();
    p.translate(9.5, 17.5);  // the pencil point
    p.rotate(-45);
    QPen pen(Ink, 0.9);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    QPolygonF wood;
    wood << QPointF(0, 0) << QPointF(5, -2.6) << QPointF(5, 2.6);
    p.setBrush(PaleYellow);
    p.drawPolygon(wood);
    QPolygonF lead;
    lead << QPointF(0, 0) << QPointF(1.8, -0.95) << QPointF(1.8, 0.95);
    p.setBrush(Ink);
    p.drawPolygon(lead);
    p.setBrush(CrosswordRed);
    p.drawRect(QRectF(5, -2.6, 11, 5.2));
    p.setBrush(LightGrey);
    p.drawRect(QRectF(16, -2.6, 2, 5.2));
    p.setBrush(QColor(230, 150, 150));
    p.drawRoundedRect(QRectF(18, -2.6, 2.5, 5.2), 0.8, 0.8);
    p.restore();
}

// The drawing of each toolbar key.
const QHash<QString, Drawing>& Drawings() {
    static const QHash<QString, Drawing> drawings = {
        {QStringLiteral("Nuovo"), DrawNew},
        {QStringLiteral("Apri"), DrawOpen},
        {QStringLiteral("Salva"), DrawSave},
        {QStringLiteral("Stampa"), DrawPrint},
        {QStringLiteral("Anteprima"), DrawPreview},
        {QStringLiteral("CambiaFont"), DrawFont},
        {QStringLiteral("AggColonna"), [](QPainter& p) { DrawResize(p, true, true); }},
        {QStringLiteral("TogliColonna"), [](QPainter& p) { DrawResize(p, true, false); }},
        {QStringLiteral("AggRiga"), [](QPainter& p) { DrawResize(p, false, true); }},
        {QStringLiteral("TogliRiga"), [](QPainter& p) { DrawResize(p, false, false); }},
        {QStringLiteral("CasBianca"), [](QPainter& p) { DrawCell(p, false); }},
        {QStringLiteral("CasNera"), [](QPainter& p) { DrawCell(p, true); }},
        {QStringLiteral("Tabella"), DrawTable},
        {QStringLiteral("Estrazione"), DrawFill},
        {QStringLiteral("Edit"), DrawEdit},
        {QStringLiteral("Annulla"), DrawUndo},
        {QStringLiteral("Ripristina"), DrawRedo},
    };
    return drawings;
}

// One drawing rendered into a transparent square pixmap of the given size.
QPixmap Render(const Drawing& drawing, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 24.0, size / 24.0);
    drawing(p);
    return pixmap;
}

// An icon drawn at the size and in the mode it is asked for, the first time
// it is: the toolbar is built before it shows, and shows one size only.
class DrawingIconEngine : public QIconEngine {
public:
    explicit DrawingIconEngine(Drawing drawing) : drawing_(std::move(drawing)) {}

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        if (side <= 0) return {};
        const QString key = QString::number(side) + '/' + QString::number(static_cast<int>(mode));
        if (auto found = pixmaps_.constFind(key); found != pixmaps_.constEnd()) return *found;
        QPixmap pixmap = Render(drawing_, side);
        // Disabled and the other modes as the style makes them from the picture.
        if (mode != QIcon::Normal) {
            QStyleOption option(0);
            option.palette = QGuiApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        pixmaps_.insert(key, pixmap);
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QIconEngine* clone() const override { return new DrawingIconEngine(*this); }

private:
    Drawing drawing_;
    QHash<QString, QPixmap> pixmaps_;
};

}  // namespace

QIcon ToolbarIcon(const QString& key) {
    static QHash<QString, QIcon> cache;
    if (auto found = cache.constFind(key); found != cache.constEnd()) return *found;
    const auto drawing = Drawings().constFind(key);
    if (drawing == Drawings().constEnd()) return QIcon();
    QIcon icon(new DrawingIconEngine(*drawing));
    cache.insert(key, icon);
    return icon;
}

QPixmap SplashPicture() {
    const int width = SplashWidth;
    const int height = SplashHeight;
    QPixmap pixmap(width, height);
    pixmap.fill(Ivory);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // A double frame in crossword red.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(CrosswordRed, 2.0));
    p.drawRect(QRectF(7, 7, width - 14, height - 14));
    p.setPen(QPen(CrosswordRed, 0.75));
    p.drawRect(QRectF(12.5, 12.5, width - 25, height - 25));

    // Title and subtitle.
    QFont title = Font(QStringLiteral("Liberation Serif"), true, true);
    title.setPixelSize(50);
    const QFontMetricsF titleMetrics(title);
    const QString name = QStringLiteral("Quadrivo ");
    const QString number = QStringLiteral("98");
    const qreal titleWidth = titleMetrics.horizontalAdvance(name + number);
    const qreal titleLeft = (width - titleWidth) / 2;
    const qreal titleBase = 74;
    p.setFont(title);
    p.setPen(Ink);
    p.drawText(QPointF(titleLeft, titleBase), name);
    p.setPen(CrosswordRed);
    p.drawText(QPointF(titleLeft + titleMetrics.horizontalAdvance(name), titleBase), number);

    QFont subtitle = Font(QStringLiteral("Liberation Serif"), true, false, true);
    subtitle.setPixelSize(20);
    const QFontMetricsF subMetrics(subtitle);
    const QString words = QStringLiteral("Parole crociate");
    const qreal subWidth = subMetrics.horizontalAdvance(words);
    const qreal subBase = 104;
    p.setFont(subtitle);
    p.setPen(QColor(70, 70, 70));
    p.drawText(QPointF((width - subWidth) / 2, subBase), words);
    p.setPen(QPen(CrosswordRed, 1.0));
    const qreal ruleY = subBase - 6.5;
    p.drawLine(QPointF(width / 2.0 - subWidth / 2 - 70, ruleY),
               QPointF(width / 2.0 - subWidth / 2 - 12, ruleY));
    p.drawLine(QPointF(width / 2.0 + subWidth / 2 + 12, ruleY),
               QPointF(width / 2.0 + subWidth / 2 + 70, ruleY));

    // A small crossword: QUADRIVO across, PAROLE and GIOCO down.
    const int cols = 8;
    const int rows = 6;
    const qreal cell = 23;
    const char* grid[rows] = {
        "#.P..G.#",
        "QUADRIVO",
        ".#R##O#.",
        "#.O..C.#",
        ".#L#.O#.",
        "..E.#..#",
    };
    const QPointF origin((width - cols * cell) / 2, 128);
    const QRectF whole(origin, QSizeF(cols * cell, rows * cell));
    p.fillRect(whole.translated(4, 4), QColor(0, 0, 0, 40));
    p.fillRect(whole, Paper);
    QFont letterFont = Font(QStringLiteral("Liberation Sans"), false, true);
    letterFont.setPixelSize(15);
    QFont numberFont = Font(QStringLiteral("Liberation Sans"), false, false);
    numberFont.setPixelSize(7);
    const auto at = [&](int r, int c) {
        return (r >= 0 && r < rows && c >= 0 && c < cols) ? grid[r][c] : '#';
    };
    int clueNumber = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const QRectF box(origin.x() + c * cell, origin.y() + r * cell, cell, cell);
            const char ch = grid[r][c];
            if (ch == '#') {
                p.fillRect(box, Ink);
                continue;
            }
            const bool across = at(r, c - 1) == '#' && at(r, c + 1) != '#';
            const bool down = at(r - 1, c) == '#' && at(r + 1, c) != '#';
            if (across || down) {
                p.setFont(numberFont);
                p.setPen(QColor(90, 90, 90));
                p.drawText(box.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                           QString::number(++clueNumber));
            }
            if (ch != '.') {
                p.setFont(letterFont);
                p.setPen(r == 1 ? CrosswordRed : Ink);
                p.drawText(box.adjusted(0, 3, 0, 0), Qt::AlignCenter, QString(QLatin1Char(ch)));
            }
        }
    }
    p.setPen(QPen(Ink, 0.75));
    for (int c = 1; c < cols; ++c)
        p.drawLine(QPointF(whole.left() + c * cell, whole.top()),
                   QPointF(whole.left() + c * cell, whole.bottom()));
    for (int r = 1; r < rows; ++r)
        p.drawLine(QPointF(whole.left(), whole.top() + r * cell),
                   QPointF(whole.right(), whole.top() + r * cell));
    p.setPen(QPen(Ink, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(whole);
    return pixmap;
}

}  // namespace editor
