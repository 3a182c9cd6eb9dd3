#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;
class QRectF;

// The program's own pictures, drawn here rather than shipped: the logo (a rocket rising inside a clock face),
// the window icon made from it, and the small document picture of the current-file panel.
namespace TarvaneArt {

void drawLogo(QPainter& painter, const QRectF& box);
QImage logoImage(int size);
QPixmap logo(int size);
QIcon appIcon();
// 24 by 23 pixels.
QPixmap currentFilePicture();

} // namespace TarvaneArt
