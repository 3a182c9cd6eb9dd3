#include "frmTarvane.h"

#include "HelpWindows.h"
#include "HoldAccessKey.h"
#include "KeyPreview.h"
#include "MainLayout.h"
#include "MissionCountPanel.h"
#include "TarvaneArt.h"
#include "WindowGeometry.h"
#include "clock/MissionState.h"
#include "display/RoomDisplay.h"
#include "display/frmRoomDisplay.h"
#include "files/FileCommands.h"
#include "files/LaunchSettings.h"
#include "platform/ClickPanel.h"
#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/KeyboardIndicators.h"
#include "platform/SurfaceWidget.h"
#include "platform/WatchedLabel.h"
#include "simtime/TimeZoneMenu.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace Qt::StringLiterals;

frmTarvane::frmTarvane(Clock& clock, Prompter& prompter, QWidget* parent)
    : frmTarvane(clock, prompter, LaunchFileOptions(), parent)
{
}

frmTarvane::frmTarvane(Clock& clock, Prompter& prompter, const LaunchFileOptions& files, QWidget* parent)
    : QMainWindow(parent), m_clock(clock), m_prompter(prompter), m_state(new MissionState(this)), m_fileOptions(files)
{
    setObjectName(u"frmTarvane"_s);
    setWindowTitle(u"Mission Elapsed Time"_s);
    setWindowIcon(TarvaneArt::appIcon());
    m_ui = MainLayout::build(this);
    m_actions = MainMenus::build(this, m_ui);

    m_launchClock = new LaunchClock(m_clock, *m_state, m_ui.count, this);
    m_launchTimeEntry = new LaunchTimeEntry(m_clock, m_prompter, *m_state, m_ui.launchTime, this);
    m_holds = new Holds(m_clock, *m_state, *m_launchClock, m_ui.holds, this);
    m_launchWindow = new LaunchWindow(m_clock, m_prompter, *m_state, *m_launchClock, m_ui.launchWindow, this);
    m_simTime = new SimTime(m_clock, m_prompter, *m_state, m_ui.simTime, this);
    m_timeZoneMenu = new TimeZoneMenu(m_actions.mnuZone, this);
    m_launchSettings = std::make_unique<LaunchSettings>(*m_state, *m_launchTimeEntry, *m_holds, *m_launchWindow);
    m_fileCommands =
        new FileCommands(*m_launchSettings, m_prompter, m_fileOptions, m_ui.statusBar.pnlCurrentFile, this);
    routeMissionCommands();
    routeFileCommands();
    createViews();
    m_roomDisplay = new RoomDisplay(*m_state, m_clock, this);
    connect(m_actions.mnuRoomDisplay, &QAction::triggered, this, &frmTarvane::showRoomDisplay);

    Form_Load();
    m_launchClock->tmrCountdown().start();
}

frmTarvane::~frmTarvane() = default;

void frmTarvane::routeMissionCommands()
{
    connect(m_ui.launchTime.cmdSet, &QPushButton::clicked, m_launchTimeEntry, &LaunchTimeEntry::cmdSet_Click);
    connect(m_ui.launchTime.mnuSetLaunchTime, &QAction::triggered, m_launchTimeEntry,
            &LaunchTimeEntry::mnuSetLaunchTime_Click);

    for (QAction* hold : {m_ui.holds.mnuHold, m_ui.holds.mnuRtHold})
        connect(hold, &QAction::triggered, m_holds, &Holds::ToggleHold);
    connect(m_ui.holds.cmdHoldResume, &QPushButton::clicked, m_holds, &Holds::ToggleHold);
    for (QAction* arming : {m_ui.holds.mnuHoldEnable, m_ui.holds.mnuRtHoldEnable})
        connect(arming, &QAction::triggered, m_holds, &Holds::ToggleHoldEnable);

    connect(m_ui.launchWindow.mnuActiveLaunchWindow, &QAction::triggered, m_launchWindow, &LaunchWindow::toggleActive);
    connect(m_actions.mnuSetLaunchWindow, &QAction::triggered, m_launchWindow, &LaunchWindow::SetLaunchWindow);
    connect(m_ui.cmdSetWindow, &QPushButton::clicked, m_launchWindow, &LaunchWindow::cmdSetWindow_Click);
    // After an expired launch window a press on the background or a click on either entry panel ends the program.
    const auto endIfExpired = [this] { m_launchWindow->EndIfExpired(m_launchWindow->lockTag()); };
    connect(m_ui.surface, &SurfaceWidget::pressed, m_launchWindow, endIfExpired);
    connect(m_ui.pctLaunchWindow, &ClickPanel::clicked, m_launchWindow, endIfExpired);
    connect(m_ui.pctLaunchTime, &ClickPanel::clicked, m_launchWindow, endIfExpired);

    // Views elsewhere keep their own second; they hear of a jump of the clock.
    connect(&m_clock, &Clock::changed, m_state, &MissionState::noteClockJumped);
}

void frmTarvane::routeFileCommands()
{
    connect(m_actions.mnuOpen, &QAction::triggered, m_fileCommands, &FileCommands::mnuOpen_Click);
    connect(m_actions.mnuSave, &QAction::triggered, m_fileCommands, &FileCommands::mnuSave_Click);
    connect(m_actions.mnuSaveAs, &QAction::triggered, m_fileCommands, &FileCommands::mnuSaveAs_Click);
    connect(m_actions.mnuRevert, &QAction::triggered, m_fileCommands, &FileCommands::mnuRevert_Click);
    for (QAction* exit : {m_actions.mnuExit, m_actions.mnuRtExit})
        connect(exit, &QAction::triggered, m_fileCommands, &FileCommands::ExitWithSavePrompt);
    connect(m_fileCommands, &FileCommands::loaded, m_state, &MissionState::noteFileLoaded);
}

// The compact view is a crop of the whole window; Tab walks only what it shows.
bool frmTarvane::focusNextPrevChild(bool next)
{
    if (m_views != nullptr && m_views->isCompact())
        return m_views->focusNextShown(next);
    return QMainWindow::focusNextPrevChild(next);
}

void frmTarvane::closeEvent(QCloseEvent* event)
{
    if (m_fileCommands->Form_QueryUnload())
        event->accept();
    else
        event->ignore();
}

qint32 frmTarvane::TminusSec() const
{
    return m_launchClock->TminusSec();
}

void frmTarvane::Form_Load()
{
    WindowGeometry::applyCompactSize(this);
    HideMenus();
    m_fileCommands->loadAtStartup(); // the first OpenLaunchFile, without a dialog
}

void frmTarvane::HideMenus()
{
    for (QMenu* m : {m_actions.mnuFile, m_actions.mnuSettings, m_actions.mnuHelp, m_actions.mnuSimTime})
        m->menuAction()->setVisible(false);
    menuBar()->hide(); // with every menu hidden there is no menu bar at all
}

void frmTarvane::ShowMenus()
{
    for (QMenu* m : {m_actions.mnuFile, m_actions.mnuSettings, m_actions.mnuHelp, m_actions.mnuSimTime})
        m->menuAction()->setVisible(true);
    menuBar()->show();
}

void frmTarvane::createViews()
{
    m_views = new MainViews(m_ui.views, m_launchClock->tmrCurrentDateTime(),
                            {[this] { ShowMenus(); }, [this] { HideMenus(); }}, this);
    connect(m_ui.views.cmdAccess, &QPushButton::clicked, this, &frmTarvane::ToggleView);
    connect(m_ui.surface, &SurfaceWidget::doubleClicked, this, &frmTarvane::ToggleView);
    for (QAction* toggle : {m_ui.views.mnuCompactScreen, m_ui.views.mnuRtCompactScreen, m_ui.views.mnuRtAccess})
        connect(toggle, &QAction::triggered, this, &frmTarvane::ToggleView);
    connect(m_ui.surface, &SurfaceWidget::rightReleased, m_views, &MainViews::showPopUp);

    m_statusPanels = new StatusBarPanels(m_ui.statusBar, KeyboardIndicators::create(), this);
    connect(m_statusPanels, &StatusBarPanels::panelDoubleClicked, m_fileCommands,
            &FileCommands::sbrStatusBar_PanelDblClick);

    // The window sees every key before the control that has the focus.
    auto* keys = new KeyPreview(this);
    connect(keys, &KeyPreview::escapePressed, m_fileCommands, &FileCommands::ExitWithSavePrompt);
    connect(keys, &KeyPreview::keyReleased, m_statusPanels, &StatusBarPanels::keyReleased);

    new HoldAccessKey(*this, *m_ui.holds.cmdHoldResume);
    const LaunchClock::Controls& count = m_ui.count;
    m_ui.missionCount->setSources({count.lblTMinus, count.lblDays, count.lblHours, count.lblMinutes, count.lblSeconds},
                                  m_state);
    connect(m_state, &MissionState::phaseChanged, m_ui.missionCount, &MissionCountPanel::noteMaybeChanged);
    connect(m_state, &MissionState::holdingChanged, m_ui.missionCount, &MissionCountPanel::noteMaybeChanged);
    m_helpWindows = new HelpWindows(this);
    connect(m_actions.mnuAbout, &QAction::triggered, this, &frmTarvane::showAbout);
    connect(m_actions.mnuTechSupport, &QAction::triggered, this, &frmTarvane::showTechSupport);
    // "New", "Add Event", "Help Contents" and "Options" have no command behind them.

    WindowGeometry::placeAsLaid(this);
}

void frmTarvane::ToggleView()
{
    m_views->ToggleView();
}

void frmTarvane::ShowCompactView()
{
    m_views->ShowCompactView();
}

void frmTarvane::ShowFullView()
{
    m_views->ShowFullView();
}

void frmTarvane::showAbout()
{
    m_helpWindows->showAbout();
}

void frmTarvane::showTechSupport()
{
    m_helpWindows->showTechSupport();
}

void frmTarvane::showRoomDisplay()
{
    if (!m_frmRoomDisplay)
        m_frmRoomDisplay = new frmRoomDisplay(*m_roomDisplay, this);
    m_frmRoomDisplay->show();
    m_frmRoomDisplay->raise();
    m_frmRoomDisplay->activateWindow();
}
