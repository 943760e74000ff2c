// Draws the window pictures of the client into PNG files: make_pictures <output folder>.
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {
const QColor brandRed(176, 18, 24);
const QColor brandNavy(20, 40, 110);
const QColor gold(232, 176, 40);

bool saveImage(const QString &folder, const char *name, const QImage &image, const char *format = "PNG",
               int quality = -1)
{
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (!image.save(path, format, quality)) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage paint(QSize size, const QColor &background, const std::function<void(QPainter &)> &draw)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    draw(painter);
    painter.end();
    return image;
}

bool save(const QString &folder, const char *name, QSize size, const std::function<void(QPainter &)> &draw)
{
    return saveImage(folder, name, paint(size, Qt::transparent, draw));
}

QFont font(const char *family, int pixelSize, int weight = QFont::Bold)
{
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixelSize);
    f.setWeight(QFont::Weight(weight));
    return f;
}

// A gavel: head across the top right, handle down to the bottom left.
void drawGavel(QPainter &p, QPointF centre, qreal scale)
{
    p.save();
    p.translate(centre);
    p.rotate(-40);
    p.scale(scale, scale);
    QLinearGradient wood(0, -10, 0, 10);
    wood.setColorAt(0, QColor(196, 132, 70));
    wood.setColorAt(1, QColor(120, 70, 30));
    p.setPen(QPen(QColor(80, 45, 20), 1));
    p.setBrush(wood);
    p.drawRoundedRect(QRectF(-3, -2, 6, 26), 2, 2);    // handle
    p.drawRoundedRect(QRectF(-12, -14, 24, 12), 3, 3); // head
    p.setBrush(gold);
    p.drawRect(QRectF(-12, -11, 3, 6));
    p.drawRect(QRectF(9, -11, 3, 6));
    p.restore();
}

void appIcon(QPainter &p)
{
    QLinearGradient back(0, 0, 0, 64);
    back.setColorAt(0, QColor(214, 40, 40));
    back.setColorAt(1, brandRed.darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.setPen(Qt::white);
    p.setFont(font("DejaVu Sans", 44, QFont::Black));
    p.drawText(QRectF(0, 0, 46, 64), Qt::AlignCenter, QStringLiteral("G"));
    drawGavel(p, QPointF(44, 40), 0.9);
}

void login(QPainter &p)
{
    // A member silhouette with a key.
    QLinearGradient body(0, 20, 0, 43);
    body.setColorAt(0, QColor(60, 110, 200));
    body.setColorAt(1, brandNavy);
    p.setPen(QPen(brandNavy.darker(130), 1));
    p.setBrush(body);
    QPainterPath shoulders;
    shoulders.moveTo(4, 42);
    shoulders.cubicTo(4, 26, 34, 26, 34, 42);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    QRadialGradient head(17, 12, 11, 15, 9);
    head.setColorAt(0, QColor(255, 226, 190));
    head.setColorAt(1, QColor(222, 170, 120));
    p.setBrush(head);
    p.drawEllipse(QPointF(19, 14), 9, 10);
    // Key.
    p.setPen(QPen(QColor(150, 110, 10), 1));
    p.setBrush(gold);
    p.drawEllipse(QPointF(40, 18), 7, 7);
    p.drawRect(QRectF(38, 24, 4, 16));
    p.drawRect(QRectF(42, 32, 5, 3));
    p.drawRect(QRectF(42, 37, 4, 3));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(40, 17), 2.5, 2.5);
}

void help(QPainter &p)
{
    QRadialGradient ball(18, 14, 24, 15, 10);
    ball.setColorAt(0, QColor(110, 170, 255));
    ball.setColorAt(1, QColor(20, 80, 180));
    p.setPen(QPen(QColor(10, 50, 130), 1.5));
    p.setBrush(ball);
    p.drawEllipse(QRectF(3, 2, 39, 37));
    p.setPen(Qt::white);
    p.setFont(font("DejaVu Sans", 28, QFont::Black));
    p.drawText(QRectF(3, 2, 39, 37), Qt::AlignCenter, QStringLiteral("?"));
}

void calculator(QPainter &p)
{
    QLinearGradient body(0, 0, 45, 42);
    body.setColorAt(0, QColor(110, 115, 125));
    body.setColorAt(1, QColor(55, 58, 66));
    p.setPen(QPen(QColor(40, 40, 45), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(6, 1, 33, 40), 4, 4);
    p.setBrush(QColor(190, 220, 170));
    p.drawRect(QRectF(10, 5, 25, 9));
    p.setPen(QColor(40, 60, 30));
    p.setFont(font("DejaVu Sans Mono", 8, QFont::Bold));
    p.drawText(QRectF(10, 5, 24, 9), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("1,500"));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            p.setBrush(col == 3 ? QColor(240, 140, 40) : QColor(230, 230, 235));
            p.drawRoundedRect(QRectF(10 + col * 6.5, 17 + row * 5.8, 5, 4.4), 1, 1);
        }
    }
}

void basket(QPainter &p)
{
    p.setPen(QPen(QColor(110, 60, 20), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(12, 2, 26, 26), 0, 180 * 16); // handle
    QLinearGradient weave(0, 16, 0, 39);
    weave.setColorAt(0, QColor(222, 160, 80));
    weave.setColorAt(1, QColor(160, 95, 35));
    QPolygonF bowl{QPointF(3, 16), QPointF(47, 16), QPointF(41, 39), QPointF(9, 39)};
    p.setPen(QPen(QColor(110, 60, 20), 1.2));
    p.setBrush(weave);
    p.drawPolygon(bowl);
    p.setPen(QPen(QColor(120, 70, 25), 1));
    for (int i = 1; i < 6; ++i) {
        const qreal x = 3 + i * 44.0 / 6;
        p.drawLine(QPointF(x, 17), QPointF(9 + i * 32.0 / 6, 38));
    }
    p.drawLine(QPointF(5, 24), QPointF(45, 24));
    p.drawLine(QPointF(7, 31), QPointF(43, 31));
    p.setBrush(QColor(150, 85, 30));
    p.drawRoundedRect(QRectF(1, 13, 48, 5), 2, 2);
}

void logo(QPainter &p)
{
    p.fillRect(QRect(0, 0, 115, 45), Qt::white);
    drawGavel(p, QPointF(14, 22), 0.75);
    p.setPen(brandRed);
    p.setFont(font("DejaVu Sans", 19, QFont::Black));
    p.drawText(QRectF(26, 2, 89, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Gavora"));
    p.setPen(brandNavy);
    p.setFont(font("DejaVu Sans", 11, QFont::Bold));
    p.drawText(QRectF(28, 24, 85, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral(".Com  LIVE"));
    p.setPen(QPen(gold, 2));
    p.drawLine(QPointF(28, 41), QPointF(110, 41));
}

void contain(QPainter &p)
{
    QLinearGradient back(0, 0, 100, 0);
    back.setColorAt(0, brandNavy);
    back.setColorAt(1, QColor(60, 90, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(QRectF(0, 0, 100, 29), 5, 5);
    p.setPen(Qt::white);
    p.setFont(font("DejaVu Sans", 8, QFont::Normal));
    p.drawText(QRectF(4, 1, 92, 12), Qt::AlignCenter, QStringLiteral("powered by"));
    p.setPen(gold);
    p.setFont(font("DejaVu Sans", 12, QFont::Black));
    p.drawText(QRectF(4, 11, 92, 17), Qt::AlignCenter, QStringLiteral("Gavora.Com"));
}

void goBid(QPainter &p)
{
    QRadialGradient button(26, 22, 38, 24, 18);
    button.setColorAt(0, QColor(255, 110, 90));
    button.setColorAt(0.6, QColor(210, 30, 30));
    button.setColorAt(1, QColor(120, 10, 10));
    p.setPen(QPen(QColor(90, 10, 10), 1.5));
    p.setBrush(button);
    p.drawEllipse(QRectF(3, 2, 58, 58));
    drawGavel(p, QPointF(34, 22), 0.8);
    p.setPen(Qt::white);
    p.setFont(font("DejaVu Sans", 15, QFont::Black));
    p.drawText(QRectF(3, 32, 58, 20), Qt::AlignCenter, QStringLiteral("BID"));
}
// The toolbar window's buttons: 24 x 24 on the image list's light grey, which the program makes transparent.
const QColor imageListGrey(192, 192, 192);

QPainterPath arrowPath(bool pointsLeft)
{
    QPainterPath path;
    const QPolygonF right{QPointF(3, 9),     QPointF(12, 9),  QPointF(12, 3.5), QPointF(21.5, 12),
                          QPointF(12, 20.5), QPointF(12, 15), QPointF(3, 15)};
    path.addPolygon(right);
    path.closeSubpath();
    if (pointsLeft)
        path = QTransform(-1, 0, 0, 1, 24, 0).map(path);
    return path;
}

void arrow(QPainter &p, bool pointsLeft)
{
    QLinearGradient fill(0, 4, 0, 20);
    fill.setColorAt(0, QColor(120, 220, 110));
    fill.setColorAt(1, QColor(20, 130, 40));
    p.setPen(QPen(QColor(10, 70, 20), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(arrowPath(pointsLeft));
}

void toolBack(QPainter &p)
{
    arrow(p, true);
}

void toolForward(QPainter &p)
{
    arrow(p, false);
}

void toolStop(QPainter &p)
{
    QRadialGradient disc(10, 9, 13, 9, 7);
    disc.setColorAt(0, QColor(255, 110, 100));
    disc.setColorAt(1, QColor(190, 10, 10));
    p.setPen(QPen(QColor(110, 0, 0), 1.2));
    p.setBrush(disc);
    p.drawEllipse(QPointF(12, 12), 10, 10);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(16, 16));
    p.drawLine(QPointF(16, 8), QPointF(8, 16));
}

void toolRefresh(QPainter &p)
{
    // A page with a folded corner.
    QPainterPath page;
    page.moveTo(4, 2);
    page.lineTo(15, 2);
    page.lineTo(20, 7);
    page.lineTo(20, 22);
    page.lineTo(4, 22);
    page.closeSubpath();
    p.setPen(QPen(QColor(70, 70, 80), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setBrush(QColor(215, 215, 225));
    p.drawPolygon(QPolygonF{QPointF(15, 2), QPointF(15, 7), QPointF(20, 7)});
    // Two arrows chasing each other round the middle of the page.
    const QPointF centre(12, 13.5);
    const qreal r = 5.5;
    const QColor blue(20, 90, 200);
    p.setPen(QPen(blue, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    p.drawArc(ring, 20 * 16, 130 * 16);
    p.drawArc(ring, 200 * 16, 130 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    auto head = [&](qreal degrees) {
        // Arrow head at the end of an arc that runs anticlockwise, pointing along it.
        const qreal a = qDegreesToRadians(degrees);
        const QPointF tip(centre.x() + r * std::cos(a), centre.y() - r * std::sin(a));
        const QPointF along(-std::sin(a), -std::cos(a));
        const QPointF out(std::cos(a), -std::sin(a));
        p.drawPolygon(QPolygonF{tip + along * 3.2, tip + out * 2.8, tip - out * 2.8});
    };
    head(150);
    head(330);
}

void toolHome(QPainter &p)
{
    QLinearGradient wall(0, 11, 0, 22);
    wall.setColorAt(0, QColor(255, 244, 214));
    wall.setColorAt(1, QColor(226, 200, 150));
    p.setPen(QPen(QColor(90, 60, 30), 1));
    p.setBrush(wall);
    p.drawRect(QRectF(5.5, 11, 13, 10.5));
    p.setBrush(QColor(120, 70, 30));
    p.drawRect(QRectF(10, 14.5, 4, 7)); // door
    p.setBrush(QColor(160, 210, 255));
    p.drawRect(QRectF(15, 13.5, 2.5, 2.5)); // window
    p.setBrush(QColor(150, 60, 40));
    p.drawRect(QRectF(15.5, 3.5, 2.5, 5)); // chimney
    QLinearGradient roof(0, 2, 0, 12);
    roof.setColorAt(0, QColor(240, 70, 50));
    roof.setColorAt(1, QColor(160, 20, 20));
    p.setPen(QPen(QColor(100, 10, 10), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(roof);
    p.drawPolygon(QPolygonF{QPointF(12, 2), QPointF(22.5, 12), QPointF(1.5, 12)});
}

void toolSearch(QPainter &p)
{
    // A globe ...
    const QPointF centre(10, 10);
    const qreal r = 8.5;
    QRadialGradient sea(7, 7, 11, 6, 6);
    sea.setColorAt(0, QColor(140, 200, 255));
    sea.setColorAt(1, QColor(20, 80, 180));
    p.setPen(QPen(QColor(10, 40, 110), 1));
    p.setBrush(sea);
    p.drawEllipse(centre, r, r);
    p.save();
    QPainterPath clip;
    clip.addEllipse(centre, r, r);
    p.setClipPath(clip);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 170, 70));
    p.drawEllipse(QRectF(3, 4, 7, 5));
    p.drawEllipse(QRectF(8, 11, 5, 7));
    p.drawEllipse(QRectF(12, 5, 5, 3));
    p.setPen(QPen(QColor(230, 240, 255, 170), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, r * 0.45, r);
    p.drawLine(QPointF(centre.x() - r, centre.y()), QPointF(centre.x() + r, centre.y()));
    p.restore();
    // ... under a magnifying glass.
    p.setPen(QPen(QColor(60, 40, 20), 3.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18.5, 18.5), QPointF(22, 22));
    p.setPen(QPen(QColor(40, 40, 50), 2));
    p.setBrush(QColor(230, 245, 255, 120));
    p.drawEllipse(QPointF(15, 15), 5, 5);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.drawArc(QRectF(12, 12, 6, 6), 100 * 16, 70 * 16);
}

bool saveToolIcon(const QString &folder, const char *name, void (*draw)(QPainter &))
{
    return saveImage(folder, name,
                     paint({24, 24}, imageListGrey, draw).convertToFormat(QImage::Format_RGB32));
}

// Pointers, 32 x 32 with transparency.
void cursorHand(QPainter &p)
{
    // A gloved hand pointing up; the tip of the index finger is the hot spot (11, 1).
    QPainterPath hand;
    hand.addRoundedRect(QRectF(8.5, 0.5, 5, 17), 2.5, 2.5);    // index finger
    hand.addRoundedRect(QRectF(13.5, 8.5, 4.5, 10), 2.2, 2.2); // middle finger
    hand.addRoundedRect(QRectF(18, 9.5, 4.5, 9), 2.2, 2.2);    // ring finger
    hand.addRoundedRect(QRectF(22.5, 11.5, 4, 8), 2, 2);       // little finger
    hand.addRoundedRect(QRectF(8.5, 14, 18, 11), 4, 4);        // palm
    hand.addRect(QRectF(11, 23, 13, 7.5));                     // wrist
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-2.5, -2, 5, 11), 2.5, 2.5);
    hand.addPath(QTransform().translate(6.5, 18).rotate(-45).map(thumb));
    hand.setFillRule(Qt::WindingFill);
    hand = hand.simplified();
    p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(13.5, 14), QPointF(13.5, 18));
    p.drawLine(QPointF(18, 14.5), QPointF(18, 18.5));
    p.drawLine(QPointF(22.5, 15), QPointF(22.5, 19));
    p.drawLine(QPointF(11, 26), QPointF(24, 26));
}

void cursorGavel(QPainter &p)
{
    // The gavel strikes down to the left: the lower face of its head is the hot spot (5, 16).
    p.save();
    p.translate(11, 10);
    p.rotate(-45);
    QLinearGradient wood(0, -4.5, 0, 4.5);
    wood.setColorAt(0, QColor(216, 152, 90));
    wood.setColorAt(1, QColor(120, 70, 30));
    const QRectF head(-9, -4.5, 18, 9);
    const QRectF handle(-1.6, 4.5, 3.2, 23.5);
    // A white rim keeps the pointer visible on dark pages.
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawRoundedRect(handle, 1.5, 1.5);
    p.drawRoundedRect(head, 2, 2);
    p.setPen(QPen(QColor(60, 30, 10), 1.1));
    p.setBrush(wood);
    p.drawRoundedRect(handle, 1.5, 1.5);
    p.drawRoundedRect(head, 2, 2);
    p.setBrush(gold);
    p.drawRect(QRectF(-7, -4.5, 2.5, 9));
    p.drawRect(QRectF(4.5, -4.5, 2.5, 9));
    p.restore();
}

// The about box.
void aboutLogo(QPainter &p)
{
    p.fillRect(QRect(0, 0, 356, 106), Qt::white);
    drawGavel(p, QPointF(50, 56), 1.9);
    const QFont name = font("DejaVu Sans", 44, QFont::Black);
    const qreal nameWidth = QFontMetricsF(name).horizontalAdvance(QStringLiteral("Gavora"));
    p.setPen(brandRed);
    p.setFont(name);
    p.drawText(QRectF(92, 0, 264, 56), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Gavora"));
    p.setPen(brandNavy);
    p.setFont(font("DejaVu Sans", 24, QFont::Bold));
    p.drawText(QRectF(94 + nameWidth, 18, 356 - 94 - nameWidth, 38), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral(".Com"));
    p.setPen(QPen(gold, 3));
    p.drawLine(QPointF(96, 59), QPointF(350, 59));
    p.setPen(brandNavy);
    p.setFont(font("Loma", 19, QFont::Bold));
    p.drawText(QRectF(96, 61, 254, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ประมูลสดออนไลน์"));
    p.setPen(QColor(110, 110, 120));
    p.setFont(font("DejaVu Sans", 11, QFont::Normal));
    p.drawText(QRectF(96, 87, 254, 17), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Live online auctions"));
}

void aboutCredit(QPainter &p)
{
    p.fillRect(QRect(0, 0, 192, 26), Qt::white);
    p.setPen(brandNavy);
    p.setFont(font("DejaVu Sans", 11, QFont::Bold));
    p.drawText(QRectF(0, 0, 192, 22), Qt::AlignCenter, QStringLiteral("Made by the Gavora team"));
    p.setPen(QPen(gold, 2));
    p.drawLine(QPointF(30, 23), QPointF(162, 23));
}

// A picture of sixteen colours, as the credit line was designed.
QImage sixteenColours(const QImage &image)
{
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither)
        .convertToFormat(QImage::Format_Indexed8, [&] {
            QList<QRgb> table;
            for (int level = 0; level < 8; ++level) {
                const qreal t = level / 7.0;
                table.append(qRgb(255 - int(t * (255 - brandNavy.red())),
                                  255 - int(t * (255 - brandNavy.green())),
                                  255 - int(t * (255 - brandNavy.blue()))));
            }
            for (int level = 1; level <= 8; ++level) {
                const qreal t = level / 8.0;
                table.append(qRgb(255 - int(t * (255 - gold.red())), 255 - int(t * (255 - gold.green())),
                                  255 - int(t * (255 - gold.blue()))));
            }
            return table;
        }());
}

// Deterministic noise for the generated backgrounds: the same pictures on every run.
quint32 hash(int x, int y, quint32 seed)
{
    quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

qreal valueNoise(qreal x, qreal y, quint32 seed)
{
    const int xi = int(std::floor(x));
    const int yi = int(std::floor(y));
    const qreal fx = x - xi;
    const qreal fy = y - yi;
    auto corner = [&](int dx, int dy) { return (hash(xi + dx, yi + dy, seed) & 0xFFFF) / 65535.0; };
    auto smooth = [](qreal t) { return t * t * (3 - 2 * t); };
    const qreal sx = smooth(fx);
    const qreal sy = smooth(fy);
    const qreal top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * sx;
    const qreal bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * sx;
    return top + (bottom - top) * sy;
}

qreal fractalNoise(qreal x, qreal y, quint32 seed, int octaves)
{
    qreal sum = 0;
    qreal amplitude = 0.5;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + quint32(i));
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum;
}

QColor mix(const QColor &a, const QColor &b, qreal t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// Built-in background 1: a pale lattice of flowers on cream, quiet enough to read the figures over it.
void background1(QPainter &p)
{
    p.fillRect(QRect(0, 0, 285, 310), QColor(252, 248, 236));
    const QColor line(236, 222, 192);
    const QColor petal(246, 230, 200);
    const qreal step = 38;
    p.setPen(QPen(line, 1.2));
    for (qreal d = -9 * step; d < 285 + 310; d += step) {
        p.drawLine(QPointF(d, 0), QPointF(d + 310, 310));
        p.drawLine(QPointF(d, 310), QPointF(d + 310, 0));
    }
    // A four-petal flower at each crossing and a dot in each diamond.
    for (int row = -1; row * step / 2 < 320; ++row) {
        for (int col = -1; col * step < 300; ++col) {
            const QPointF c(col * step + (row % 2 ? step / 2 : 0), row * step / 2);
            p.setPen(QPen(line, 1));
            p.setBrush(petal);
            for (int k = 0; k < 4; ++k) {
                p.save();
                p.translate(c);
                p.rotate(45 + k * 90);
                p.drawEllipse(QRectF(-2.6, -9, 5.2, 9));
                p.restore();
            }
            p.setBrush(QColor(240, 214, 160));
            p.drawEllipse(c, 2.2, 2.2);
            p.setPen(Qt::NoPen);
            p.setBrush(line);
            p.drawEllipse(c + QPointF(0, step / 2), 1.3, 1.3);
        }
    }
    // A soft light from the top left, so the lattice fades under the figures.
    QRadialGradient light(60, 40, 320);
    light.setColorAt(0, QColor(255, 255, 250, 150));
    light.setColorAt(1, QColor(255, 255, 250, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawRect(QRect(0, 0, 285, 310));
}

// Built-in background 2: a photograph-like morning sky with soft clouds and a little film grain.
QImage background2()
{
    const QSize size(480, 520);
    QImage image(size, QImage::Format_RGB32);
    const QColor zenith(168, 208, 242);
    const QColor horizon(250, 232, 206);
    for (int y = 0; y < size.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        const qreal t = qreal(y) / size.height();
        const QColor sky = mix(zenith, horizon, std::pow(t, 0.8));
        for (int x = 0; x < size.width(); ++x) {
            // Clouds stretched sideways, denser towards the horizon.
            const qreal n = fractalNoise(x / 95.0, y / 48.0, 7, 6);
            const qreal cover = std::clamp((n - 0.42 + 0.12 * t) * 3.2, 0.0, 1.0);
            const qreal shade = fractalNoise(x / 40.0 + 3, y / 30.0 + 5, 19, 4);
            const QColor cloud = mix(QColor(255, 255, 255), QColor(214, 214, 228), shade * 0.9 - 0.2);
            QColor c = mix(sky, cloud, cover * 0.9);
            // A glow where the sun would be, off the top right.
            const qreal dx = x - 420.0;
            const qreal dy = y + 60.0;
            const qreal glow = std::exp(-(dx * dx + dy * dy) / (2 * 180.0 * 180.0));
            c = mix(c, QColor(255, 250, 235), glow * 0.55);
            const int grain = int(hash(x, y, 99) % 9) - 4;
            row[x] = qRgb(std::clamp(c.red() + grain, 0, 255), std::clamp(c.green() + grain, 0, 255),
                          std::clamp(c.blue() + grain, 0, 255));
        }
    }
    return image;
}
} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures <output folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    bool ok = true;
    ok &= save(folder, "app_icon.png", {64, 64}, appIcon);
    ok &= save(folder, "login.png", {50, 43}, login);
    ok &= save(folder, "help.png", {45, 41}, help);
    ok &= save(folder, "calculator.png", {45, 42}, calculator);
    ok &= save(folder, "basket.png", {50, 40}, basket);
    ok &= save(folder, "logo.png", {115, 45}, logo);
    ok &= save(folder, "contain.png", {100, 29}, contain);
    ok &= save(folder, "gobid.png", {64, 62}, goBid);
    ok &= saveToolIcon(folder, "tool_back.png", toolBack);
    ok &= saveToolIcon(folder, "tool_forward.png", toolForward);
    ok &= saveToolIcon(folder, "tool_stop.png", toolStop);
    ok &= saveToolIcon(folder, "tool_refresh.png", toolRefresh);
    ok &= saveToolIcon(folder, "tool_home.png", toolHome);
    ok &= saveToolIcon(folder, "tool_search.png", toolSearch);
    ok &= save(folder, "cursor_hand.png", {32, 32}, cursorHand);
    ok &= save(folder, "cursor_gavel.png", {32, 32}, cursorGavel);
    ok &= saveImage(folder, "about_logo.png",
                    paint({356, 106}, Qt::white, aboutLogo).convertToFormat(QImage::Format_RGB32));
    ok &= saveImage(folder, "about_credit.png", sixteenColours(paint({192, 26}, Qt::white, aboutCredit)));
    ok &= saveImage(folder, "background1.png",
                    paint({285, 310}, Qt::white, background1).convertToFormat(QImage::Format_RGB32));
    ok &= saveImage(folder, "background2.jpg", background2(), "JPG", 88);
    return ok ? 0 : 1;
}
