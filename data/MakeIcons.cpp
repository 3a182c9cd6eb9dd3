// Draws the program's icon at the sizes of the hicolor theme, for installing: <out>/<n>x<n>/apps/tarvane.png and
// the same picture for the launch data files' type.
#include "shell/TarvaneArt.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

using namespace Qt::StringLiterals;

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
        const QString dir = u"%1x%1"_s.arg(size);
        const QImage image = TarvaneArt::logoImage(size);
        for (const QString& file : {u"apps/tarvane.png"_s, u"mimetypes/application-x-tarvane.png"_s}) {
            const QString path = out.filePath(dir + u'/' + file);
            if (!QDir().mkpath(QFileInfo(path).path()) || !image.save(path)) {
                std::fprintf(stderr, "tarvane_icons: cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
