#pragma once

#include <array>

class QAction;
class QMainWindow;
class QMenu;
struct MainControls;

// The menus and the menu items that only route a command; the items a class writes are in MainControls.
struct MainActions
{
    QMenu* mnuFile = nullptr;
    QAction* mnuNew = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuRevert = nullptr;
    QAction* mnuExit = nullptr;

    QMenu* mnuSettings = nullptr;
    QMenu* mnuTimeZone = nullptr;
    std::array<QAction*, 8> mnuZone{};
    QAction* mnuSetLaunchWindow = nullptr;
    QAction* mnuAddEvent = nullptr;
    QAction* mnuOptions = nullptr;
    QAction* mnuRoomDisplay = nullptr;

    QMenu* mnuSimTime = nullptr;

    QMenu* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuTechSupport = nullptr;

    QAction* mnuRtExit = nullptr;
};

namespace MainMenus {
// Builds the menu bar and the pop-up menu, and fills in the items of controls that classes write.
MainActions build(QMainWindow* window, MainControls& controls);
} // namespace MainMenus
