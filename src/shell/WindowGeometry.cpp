#include "WindowGeometry.h"

#include <QMainWindow>

void WindowGeometry::applyCompactSize(QMainWindow* window)
{
    window->resize(CompactClientWidth, CompactClientHeight);
}
