#include "TarvaneArt.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

#include <map>

#include <cmath>
#include <numbers>

namespace {

const QColor Night(22, 38, 84);
const QColor Brass(232, 196, 64);
const QColor Hull(246, 246, 240);
const QColor Flame(240, 112, 24);
const QColor FlameCore(255, 222, 96);
const QColor Accent(196, 32, 32);

// Drawn on a 100 by 100 grid, scaled to the box.
void drawLogoUnit(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Night);
    p.drawEllipse(QPointF(50, 50), 48, 48);

    p.setPen(QPen(Brass, 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(50, 50), 45, 45);
    // Twelve hour marks, the one at the top left out for the rocket's nose.
    p.setPen(QPen(Brass, 3, Qt::SolidLine, Qt::RoundCap));
    for (int h = 1; h < 12; ++h) {
        const double a = h * std::numbers::pi / 6.0;
        const QPointF dir(std::sin(a), -std::cos(a));
        p.drawLine(QPointF(50, 50) + dir * 34, QPointF(50, 50) + dir * 40);
    }
    // A few stars.
    p.setPen(Qt::NoPen);
    p.setBrush(Hull);
    for (const QPointF& star : {QPointF(30, 30), QPointF(70, 26), QPointF(74, 58), QPointF(26, 62)})
        p.drawEllipse(star, 1.3, 1.3);

    // The flame under the rocket.
    QPainterPath flame;
    flame.moveTo(43, 70);
    flame.quadTo(50, 96, 57, 70);
    flame.closeSubpath();
    p.setBrush(Flame);
    p.drawPath(flame);
    QPainterPath core;
    core.moveTo(46.5, 70);
    core.quadTo(50, 86, 53.5, 70);
    core.closeSubpath();
    p.setBrush(FlameCore);
    p.drawPath(core);

    // Fins, then the body over them.
    p.setBrush(Accent);
    QPolygonF left({QPointF(42, 54), QPointF(33, 72), QPointF(42, 69)});
    QPolygonF right({QPointF(58, 54), QPointF(67, 72), QPointF(58, 69)});
    p.drawPolygon(left);
    p.drawPolygon(right);

    QPainterPath body;
    body.moveTo(50, 10);
    body.cubicTo(60, 20, 59, 34, 58, 44);
    body.lineTo(58, 71);
    body.lineTo(42, 71);
    body.lineTo(42, 44);
    body.cubicTo(41, 34, 40, 20, 50, 10);
    p.setPen(QPen(Night.darker(150), 1.2));
    p.setBrush(Hull);
    p.drawPath(body);

    p.setPen(QPen(Night, 1.5));
    p.setBrush(QColor(96, 168, 232));
    p.drawEllipse(QPointF(50, 40), 4.2, 4.2);
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    p.drawRect(QRectF(42.6, 62, 14.8, 3.5));
}

} // namespace

void TarvaneArt::drawLogo(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width() / 100.0, box.height() / 100.0);
    drawLogoUnit(painter);
    painter.restore();
}

QImage TarvaneArt::logoImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawLogo(painter, QRectF(0, 0, size, size));
    return image;
}

QPixmap TarvaneArt::logo(int size)
{
    return QPixmap::fromImage(logoImage(size));
}

namespace {

// Draws the logo at the size asked for, when it is asked for: every window carries the icon, and drawing all its
// sizes up front for each was a good part of the time to the splash. Each size is drawn once per process.
class LogoIconEngine final : public QIconEngine
{
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        painter->drawImage(rect, image(std::min(rect.width(), rect.height())));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return QPixmap::fromImage(image(std::min(size.width(), size.height())));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64), QSize(128, 128)};
    }
    QIconEngine* clone() const override { return new LogoIconEngine; }
    QString key() const override { return QStringLiteral("TarvaneLogo"); }

private:
    static QImage image(int size)
    {
        static std::map<int, QImage> drawn;
        auto [at, inserted] = drawn.try_emplace(size);
        if (inserted)
            at->second = TarvaneArt::logoImage(std::max(size, 1));
        return at->second;
    }
};

} // namespace

QIcon TarvaneArt::appIcon()
{
    return QIcon(new LogoIconEngine);
}

QPixmap TarvaneArt::currentFilePicture()
{
    QImage image(24, 23, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    // A sheet with a turned-down corner and a few lines of writing, a small logo in the corner.
    QPolygon sheet({QPoint(4, 1), QPoint(15, 1), QPoint(20, 6), QPoint(20, 21), QPoint(4, 21)});
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    p.drawPolygon(sheet);
    p.setBrush(QColor(208, 208, 208));
    p.drawPolygon(QPolygon({QPoint(15, 1), QPoint(15, 6), QPoint(20, 6)}));
    p.setPen(QColor(96, 96, 160));
    for (int y : {9, 12, 15, 18})
        p.drawLine(7, y, y == 9 ? 12 : 17, y);
    p.end();
    QPainter overlay(&image);
    drawLogo(overlay, QRectF(0, 12, 10, 10));
    return QPixmap::fromImage(image);
}
