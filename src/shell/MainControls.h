#pragma once

#include "MainViews.h"
#include "StatusBarPanels.h"
#include "clock/Holds.h"
#include "clock/LaunchClock.h"
#include "clock/LaunchTimeEntry.h"
#include "clock/LaunchWindow.h"
#include "simtime/SimTime.h"

class ClickPanel;
class MissionCountPanel;
class QPushButton;
class SurfaceWidget;

// The controls of the main window as the layout and the menus build them, grouped by the class that writes
// them; each group goes to its class once. lblTarget is written by the launch time entry, cmdHoldResume by
// holds and chkLaunchWindowActive by the launch window; the others follow the mission state.
struct MainControls
{
    // Written by no one; the window routes their clicks.
    SurfaceWidget* surface = nullptr;
    MissionCountPanel* missionCount = nullptr; // holds the count's labels, for screen readers
    ClickPanel* pctLaunchWindow = nullptr;
    ClickPanel* pctLaunchTime = nullptr;
    QPushButton* cmdSetWindow = nullptr;

    LaunchClock::Controls count;
    Holds::Controls holds;
    LaunchWindow::Controls launchWindow;
    LaunchTimeEntry::Controls launchTime;
    SimTime::Controls simTime;
    MainViews::Controls views;
    StatusBarPanels::Controls statusBar; // pnlCurrentDate is the launch clock's, pnlCurrentFile the file commands'
};
