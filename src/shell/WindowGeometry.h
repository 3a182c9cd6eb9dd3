#pragma once

#include <QPoint>

class QMainWindow;
class QWidget;

// Window sizes and places of the two views. The layout gives outer sizes on a classic frame (a thin border and
// a 19-pixel title bar); here they become client sizes, and the system's real frame is added around them, so that
// the compact window shows the whole count strip and nothing of the panels on any desktop. Left edges are those of
// the frame, read from the real frame once the window is shown. The top edge is never moved.
namespace WindowGeometry {

// Client area of the compact view: the count strip, the lamps and both buttons (outer 4350 x 1630 twips).
constexpr int CompactClientWidth = 282;
constexpr int CompactClientHeight = 82;
// Client area of the full view (outer 10155 x 6855 twips): the menu bar, the whole surface down to the status bar
// (5880 twips), and the status bar.
constexpr int FullClientWidth = 671;
constexpr int FullSurfaceHeight = 392;
// Left edges of the frame (7350 and 750 twips).
constexpr int CompactFrameLeft = 490;
constexpr int FullFrameLeft = 50;
// Where the layout puts the client area before the first view change (7395, 885 twips).
constexpr QPoint LaidClientTopLeft{493, 59};

void applyCompactSize(QMainWindow* window);
// menuBarHeight is the height of the menu bar with its menus shown.
void applyFullSize(QMainWindow* window, int menuBarHeight);
// Puts the client area where the layout has it.
void placeAsLaid(QWidget* window);
// Moves the window so that its frame's left edge is at x; the top edge stays where it is.
void setFrameLeft(QWidget* window, int x);

} // namespace WindowGeometry
