#pragma once

class QMainWindow;

// Window sizes of the two views. The layout gives outer sizes on a classic frame (a 4-pixel border and a
// 19-pixel title bar); here they become client sizes, and the system's real frame is added around them, so
// that the compact window shows the whole count strip and nothing of the panels on any desktop.
namespace WindowGeometry {

// Client area of the compact view: the count strip, the lamps and both buttons (outer 4350 x 1630 twips).
constexpr int CompactClientWidth = 282;
constexpr int CompactClientHeight = 82;

void applyCompactSize(QMainWindow* window);

} // namespace WindowGeometry
