#pragma once

#include "MainActions.h"
#include "files/LaunchFileOptions.h"

#include <QMainWindow>

#include <memory>

class Clock;
class CountStrip;
class FileCommands;
class HelpWindows;
class Holds;
class LaunchClock;
class LaunchSettings;
class LaunchTimeEntry;
class LaunchTimePanel;
class LaunchWindow;
class LaunchWindowPanel;
class MainStatusBar;
class MainViews;
class Mission;
class MissionState;
class MissionSurface;
class RoomDisplay;
class RoomDisplayView;
class Prompter;
class SimTime;
class Speaker;
class TimeZoneMenu;

// The main window "Mission Elapsed Time". It creates the mission, places the panels that show it, builds the
// menus, composes the views in one place (createViews) and routes the commands that belong to no panel.
class frmTarvane final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmTarvane)

public:
    // speaker: the one the spoken callouts use; it outlives the window.
    frmTarvane(Clock& clock, Prompter& prompter, Speaker& speaker, QWidget* parent = nullptr);
    // files: where the launch data files are; without it the window reads and writes no file at start-up.
    frmTarvane(Clock& clock, Prompter& prompter, Speaker& speaker, const LaunchFileOptions& files,
               QWidget* parent = nullptr);
    ~frmTarvane() override;

    qint32 TminusSec() const;

    void HideMenus();
    void ShowMenus();
    void ToggleView();
    void ShowCompactView();
    void ShowFullView();
    void showAbout();
    void showTechSupport();

    Mission& mission() { return *m_mission; }
    const MissionState& missionState() const;
    const MainActions& actions() const { return m_actions; }
    LaunchClock& launchClock();
    LaunchTimeEntry& launchTimeEntry();
    Holds& holds();
    LaunchWindow& launchWindow();
    MainViews& views() { return *m_views; }
    MainStatusBar& statusPanels() { return *m_statusBar; }
    SimTime& simTime() { return *m_simTime; }
    RoomDisplay& roomDisplay();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void placePanels();
    void routeCommands();
    void createViews();
    void Form_Load();

    Clock& m_clock;
    Prompter& m_prompter;
    Speaker& m_speaker;
    Mission* m_mission;
    MissionSurface* m_surface = nullptr;
    CountStrip* m_countStrip = nullptr;
    LaunchWindowPanel* m_launchWindowPanel = nullptr;
    LaunchTimePanel* m_launchTimePanel = nullptr;
    MainStatusBar* m_statusBar = nullptr;
    MainActions m_actions;
    SimTime* m_simTime = nullptr;
    TimeZoneMenu* m_timeZoneMenu = nullptr;
    LaunchFileOptions m_fileOptions;
    std::unique_ptr<LaunchSettings> m_launchSettings;
    FileCommands* m_fileCommands = nullptr;
    MainViews* m_views = nullptr;
    HelpWindows* m_helpWindows = nullptr;
    RoomDisplayView* m_roomDisplay = nullptr;
};
