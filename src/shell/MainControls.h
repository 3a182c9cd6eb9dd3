#pragma once

#include <array>

class ClickLineEdit;
class ClickPanel;
class MissionCountPanel;
class QCalendarWidget;
class QCheckBox;
class QLabel;
class QPushButton;
class QStatusBar;
class ShapeWidget;
class SurfaceWidget;
class UpScrollBar;
class WatchedLabel;

// Every control of the main window's client area and status bar, as the layout builds them.
struct MainControls
{
    SurfaceWidget* surface = nullptr;

    // The count strip; the count's labels lie in missionCount
    MissionCountPanel* missionCount = nullptr;
    WatchedLabel* lblTMinus = nullptr;
    WatchedLabel* lblDays = nullptr;
    WatchedLabel* lblHours = nullptr;
    WatchedLabel* lblMinutes = nullptr;
    WatchedLabel* lblSeconds = nullptr;
    std::array<ShapeWidget*, 3> shpIndicator{};
    WatchedLabel* lblWindowWarning = nullptr;
    QPushButton* cmdHoldResume = nullptr;
    QPushButton* cmdAccess = nullptr;

    // The launch window panel
    ClickPanel* pctLaunchWindow = nullptr;
    WatchedLabel* lblLaunchWindow = nullptr;
    QCheckBox* chkLaunchWindowActive = nullptr;
    ClickLineEdit* txtHoursW = nullptr;
    ClickLineEdit* txtMinutesW = nullptr;
    ClickLineEdit* txtSecondsW = nullptr;
    UpScrollBar* vsbHoursW = nullptr;
    UpScrollBar* vsbMinutesW = nullptr;
    UpScrollBar* vsbSecondsW = nullptr;
    QPushButton* cmdSetWindow = nullptr;

    // The launch time panel
    ClickPanel* pctLaunchTime = nullptr;
    WatchedLabel* lblTarget = nullptr;
    QCalendarWidget* Calendar = nullptr;
    ClickLineEdit* txtLaunchDate = nullptr;
    ClickLineEdit* txtHours = nullptr;
    ClickLineEdit* txtMinutes = nullptr;
    ClickLineEdit* txtSeconds = nullptr;
    UpScrollBar* vsbHours = nullptr;
    UpScrollBar* vsbMinutes = nullptr;
    UpScrollBar* vsbSeconds = nullptr;
    WatchedLabel* Label10 = nullptr;
    QPushButton* cmdSet = nullptr;

    // Never visible: bookkeeping of holds and the launch window
    WatchedLabel* lblNowStamp = nullptr;
    WatchedLabel* lblTargetStamp = nullptr;
    WatchedLabel* lblLaunchWindowStamp = nullptr;
    WatchedLabel* lblNowStampWindow = nullptr;

    // The status bar and its keyed panels
    QStatusBar* sbrStatusBar = nullptr;
    WatchedLabel* pnlNumberLock = nullptr;
    WatchedLabel* pnlCurrentDate = nullptr;
    WatchedLabel* pnlCurrentFile = nullptr;
};
