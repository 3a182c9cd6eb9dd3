#pragma once

#include "MainControls.h"

class QMainWindow;

// Builds the main window's client area and status bar as the layout tables give them (positions in twips).
namespace MainLayout {

// The client area of the full view, status bar included, in pixels.
constexpr int ClientWidth = 671;  // 10065 twips
constexpr int ClientHeight = 413; // 6195 twips
constexpr int StatusBarTop = 392; // 5880 twips

MainControls build(QMainWindow* window);

} // namespace MainLayout
