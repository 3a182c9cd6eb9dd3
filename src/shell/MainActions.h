#pragma once

#include <array>

class QAction;
class QMainWindow;
class QMenu;

// The menu bar's menus and items and the pop-up menu, with their captions, shortcuts and initial states.
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
    QAction* mnuTminus45 = nullptr;
    QAction* mnuTminus30 = nullptr;
    QAction* mnuTminus20 = nullptr;
    QAction* mnuTminus10 = nullptr;
    QAction* mnuTminus8 = nullptr;
    QAction* mnuTminus6 = nullptr;
    QAction* mnuTminus4 = nullptr;
    QAction* mnuTminus2 = nullptr;
    QAction* mnuTminus30Sec = nullptr;
    QAction* mnuTplus5 = nullptr;
    QAction* mnuManualSet = nullptr;

    QMenu* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuTechSupport = nullptr;

    QMenu* mnuPopUp = nullptr; // never in the menu bar
    QAction* mnuRtHold = nullptr;
    QAction* mnuRtCompactScreen = nullptr;
    QAction* mnuRtAccess = nullptr;
    QAction* mnuRtHoldEnable = nullptr;
    QAction* mnuRtExit = nullptr;
};

namespace MainMenus {
MainActions build(QMainWindow* window);
}
