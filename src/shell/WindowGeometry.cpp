#include "WindowGeometry.h"

#include <QMainWindow>
#include <QStatusBar>

void WindowGeometry::applyCompactSize(QMainWindow* window)
{
    // Fixed, since each view is a crop of one layout: a larger window would only show half a panel.
    window->setFixedSize(CompactClientWidth, CompactClientHeight);
}

void WindowGeometry::applyFullSize(QMainWindow* window, int menuBarHeight)
{
    const QStatusBar* bar = window->statusBar();
    const int statusHeight = bar ? bar->height() : 0;
    window->setFixedSize(FullClientWidth, menuBarHeight + FullSurfaceHeight + statusHeight);
}

void WindowGeometry::placeAsLaid(QWidget* window)
{
    window->setGeometry(QRect(LaidClientTopLeft, window->size()));
}

void WindowGeometry::setFrameLeft(QWidget* window, int x)
{
    if (!window->isVisible()) {
        // The frame is not known yet: place the client so that a classic frame would stand at x.
        const int classicBorder = LaidClientTopLeft.x() - CompactFrameLeft;
        window->setGeometry(QRect(QPoint(x + classicBorder, window->geometry().y()), window->size()));
        return;
    }
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    const int leftBorder = client.x() - frame.x();
    window->setGeometry(QRect(QPoint(x + leftBorder, client.y()), client.size()));
}
