#pragma once

#include "MainActions.h"
#include "MainControls.h"
#include "clock/MissionState.h"
#include "files/LaunchFileOptions.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class Clock;
class FileCommands;
class HelpWindows;
class Holds;
class LaunchClock;
class LaunchSettings;
class LaunchTimeEntry;
class LaunchWindow;
class MainViews;
class RoomDisplay;
class frmRoomDisplay;
class Prompter;
class SimTime;
class StatusBarPanels;
class TimeZoneMenu;

// The main window "Mission Elapsed Time". It builds the layout and the menus, creates the mission state and the
// classes that carry the behaviour, hands each its controls, and routes each command to the class that owns it.
class frmTarvane final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmTarvane)

public:
    frmTarvane(Clock& clock, Prompter& prompter, QWidget* parent = nullptr);
    // files: where the launch data files are; without it the window reads and writes no file at start-up.
    frmTarvane(Clock& clock, Prompter& prompter, const LaunchFileOptions& files, QWidget* parent = nullptr);
    ~frmTarvane() override;

    qint32 TminusSec() const;

    void HideMenus();
    void ShowMenus();
    void ToggleView();
    void ShowCompactView();
    void ShowFullView();
    void showAbout();
    void showTechSupport();
    // Opens the room display's window, or raises it when it is open.
    void showRoomDisplay();

    MissionState& missionState() { return *m_state; }
    const MainControls& controls() const { return m_ui; }
    const MainActions& actions() const { return m_actions; }
    LaunchClock& launchClock() { return *m_launchClock; }
    MainViews& views() { return *m_views; }
    StatusBarPanels& statusPanels() { return *m_statusPanels; }
    LaunchTimeEntry& launchTimeEntry() { return *m_launchTimeEntry; }
    Holds& holds() { return *m_holds; }
    LaunchWindow& launchWindow() { return *m_launchWindow; }
    SimTime& simTime() { return *m_simTime; }
    RoomDisplay& roomDisplay() { return *m_roomDisplay; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void routeMissionCommands();
    void routeFileCommands();
    void createViews();
    void Form_Load();

    Clock& m_clock;
    Prompter& m_prompter;
    MainControls m_ui;
    MainActions m_actions;
    MissionState* m_state;
    LaunchClock* m_launchClock = nullptr;
    LaunchTimeEntry* m_launchTimeEntry = nullptr;
    Holds* m_holds = nullptr;
    LaunchWindow* m_launchWindow = nullptr;
    SimTime* m_simTime = nullptr;
    TimeZoneMenu* m_timeZoneMenu = nullptr;
    LaunchFileOptions m_fileOptions;
    std::unique_ptr<LaunchSettings> m_launchSettings;
    FileCommands* m_fileCommands = nullptr;
    MainViews* m_views = nullptr;
    StatusBarPanels* m_statusPanels = nullptr;
    HelpWindows* m_helpWindows = nullptr;
    RoomDisplay* m_roomDisplay = nullptr;
    QPointer<frmRoomDisplay> m_frmRoomDisplay;
};
