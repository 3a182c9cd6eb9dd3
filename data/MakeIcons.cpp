// Draws the icons at the sizes of the hicolor theme, for installing: <out>/<n>x<n>/apps/tarvane.png, the program's
// logo, and <out>/<n>x<n>/mimetypes/application-x-tarvane.png, a launch data file: a sheet of paper with the logo's
// clock on it, so that a file manager shows the files apart from the program.
#include "shell/TarvaneArt.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QImage documentImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 100 by 100 grid: a portrait sheet with its top right corner turned down.
    p.scale(size / 100.0, size / 100.0);
    const double left = 14, right = 86, top = 4, bottom = 96, fold = 20;
    // Small sizes need a pen of at least about one pixel to keep the sheet's edge.
    const double edge = std::max(1.5, 100.0 / size);
    QPainterPath sheet;
    sheet.moveTo(left, top);
    sheet.lineTo(right - fold, top);
    sheet.lineTo(right, top + fold);
    sheet.lineTo(right, bottom);
    sheet.lineTo(left, bottom);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(96, 96, 104), edge, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(250, 250, 246));
    p.drawPath(sheet);
    p.setBrush(QColor(208, 208, 212));
    p.drawPolygon(
        QPolygonF({QPointF(right - fold, top), QPointF(right - fold, top + fold), QPointF(right, top + fold)}));
    // Lines of writing above the clock, left out where they would blur into a grey smear.
    if (size >= 32) {
        p.setPen(QPen(QColor(120, 128, 168), 3, Qt::SolidLine, Qt::FlatCap));
        for (const double y : {16.0, 27.0})
            p.drawLine(QPointF(left + 10, y), QPointF(y < 20 ? right - fold - 6 : right - 10, y));
    }
    p.end();
    QPainter overlay(&image);
    TarvaneArt::drawLogo(overlay, QRectF(size * 0.22, size * 0.33, size * 0.56, size * 0.56));
    return image;
}

bool save(const QImage& image, const QString& path)
{
    if (QDir().mkpath(QFileInfo(path).path()) && image.save(path))
        return true;
    std::fprintf(stderr, "tarvane_icons: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvane_icons OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = u"%1x%1/"_s.arg(size);
        if (!save(TarvaneArt::logoImage(size), out.filePath(dir + u"apps/tarvane.png"_s)) ||
            !save(documentImage(size), out.filePath(dir + u"mimetypes/application-x-tarvane.png"_s)))
            return 1;
    }
    return 0;
}
