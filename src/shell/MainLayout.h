#pragma once

#include "MainControls.h"

class QMainWindow;

// Builds the main window's client area and status bar as the layout tables give them (positions in twips).
namespace MainLayout {

MainControls build(QMainWindow* window);

} // namespace MainLayout
