// Draws the window pictures of the client into PNG files: make_pictures <output folder>.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>
#include <functional>

namespace {
const QColor brandRed(176, 18, 24);
const QColor brandNavy(20, 40, 110);
const QColor gold(232, 176, 40);

bool save(const QString &folder, const char *name, QSize size, const std::function<void(QPainter &)> &draw)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    draw(painter);
    painter.end();
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
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
    return ok ? 0 : 1;
}
