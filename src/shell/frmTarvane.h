#pragma once

#include "MainActions.h"
#include "MainControls.h"
#include "files/LaunchFileOptions.h"

#include <QMainWindow>

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
class Prompter;
class SimTime;
class StatusBarPanels;
class TimeZoneMenu;

// The main window "Mission Elapsed Time". It builds the layout and the menus, creates the rooms that carry the
// behaviour, and routes each command to the room that owns it.
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
    void ShowAbout();
    void ShowTechSupport();

    const MainControls& controls() const { return m_ui; }
    const MainActions& actions() const { return m_actions; }
    LaunchClock& launchClock() { return *m_launchClock; }
    MainViews& views() { return *m_views; }
    StatusBarPanels& statusPanels() { return *m_statusPanels; }
    LaunchTimeEntry& launchTimeEntry() { return *m_launchTimeEntry; }
    Holds& holds() { return *m_holds; }
    LaunchWindow& launchWindow() { return *m_launchWindow; }
    FileCommands& fileCommands() { return *m_fileCommands; }
    SimTime& simTime() { return *m_simTime; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void createLaunchClock();
    void createLaunchTimeEntry();
    void createHoldsAndLaunchWindow();
    void createFileCommands();
    void Form_Load();

    Clock& m_clock;
    Prompter& m_prompter;
    MainControls m_ui;
    MainActions m_actions;
    LaunchClock* m_launchClock = nullptr;
    // Launch time entry
    LaunchTimeEntry* m_launchTimeEntry = nullptr;

    // Holds and the launch window
    LaunchWindow* m_launchWindow = nullptr;
    Holds* m_holds = nullptr;

    // Sim time
    void createSimTime();
    SimTime* m_simTime = nullptr;
    TimeZoneMenu* m_timeZoneMenu = nullptr;

    // Launch data files
    LaunchFileOptions m_fileOptions;
    std::unique_ptr<LaunchSettings> m_launchSettings;
    FileCommands* m_fileCommands = nullptr;

    // Views, menus and status bar
    void createViews();
    MainViews* m_views = nullptr;
    StatusBarPanels* m_statusPanels = nullptr;
    HelpWindows* m_helpWindows = nullptr;
};
