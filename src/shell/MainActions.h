#pragma once

#include <array>

class QAction;
class QMainWindow;
class QMenu;

// The menus of the main window and their items, in the order the operator sees them. The window builds them once
// and hands each item to the view or command that owns it; the Sim Time menu is filled by SimTime itself, and a view
// adds its own items to the menu it is handed (Room Display . . . ends Settings).
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
    QAction* mnuHold = nullptr;
    QAction* mnuCompactScreen = nullptr;
    QAction* mnuActiveLaunchWindow = nullptr;
    QAction* mnuSetLaunchTime = nullptr;
    QAction* mnuSetLaunchWindow = nullptr;
    QAction* mnuAddEvent = nullptr;
    QAction* mnuHoldEnable = nullptr;
    QAction* mnuOptions = nullptr;

    QMenu* mnuSimTime = nullptr;

    QMenu* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuTechSupport = nullptr;

    // The pop-up menu of the window's background.
    QMenu* mnuPopUp = nullptr;
    QAction* mnuRtHold = nullptr;
    QAction* mnuRtCompactScreen = nullptr;
    QAction* mnuRtAccess = nullptr;
    QAction* mnuRtHoldEnable = nullptr;
    QAction* mnuRtExit = nullptr;
};

namespace MainMenus {
// Builds the menu bar and the pop-up menu.
MainActions build(QMainWindow* window);
// Lets the window's shortcuts work while the menu bar is hidden in the compact view; after every menu is filled.
void takeShortcuts(QMainWindow* window, const MainActions& actions);
} // namespace MainMenus
