#include "frmTarvane.h"

#include "HelpWindows.h"
#include "HoldAccessKey.h"
#include "MainLayout.h"
#include "MainViews.h"
#include "MissionCountPanel.h"
#include "StatusBarPanels.h"
#include "TarvaneArt.h"
#include "WindowGeometry.h"
#include "clock/Holds.h"
#include "clock/LaunchClock.h"
#include "clock/LaunchTimeEntry.h"
#include "clock/LaunchWindow.h"
#include "files/FileCommands.h"
#include "files/RoomLaunchSettings.h"
#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/KeyboardIndicators.h"
#include "platform/ShapeWidget.h"
#include "platform/SurfaceWidget.h"
#include "platform/WatchedLabel.h"
#include "simtime/SimTime.h"
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
    : QMainWindow(parent), m_clock(clock), m_prompter(prompter), m_fileOptions(files)
{
    setObjectName(u"frmTarvane"_s);
    setWindowTitle(u"Mission Elapsed Time"_s);
    m_ui = MainLayout::build(this);
    m_actions = MainMenus::build(this);

    createLaunchClock();
    // Launch time entry
    createLaunchTimeEntry();
    connect(m_ui.cmdSet, &QPushButton::clicked, m_launchTimeEntry, &LaunchTimeEntry::cmdSet_Click);
    connect(m_actions.mnuSetLaunchTime, &QAction::triggered, m_launchTimeEntry,
            &LaunchTimeEntry::mnuSetLaunchTime_Click);

    // Holds and the launch window
    createHoldsAndLaunchWindow();
    for (QAction* hold : {m_actions.mnuHold, m_actions.mnuRtHold})
        connect(hold, &QAction::triggered, m_holds, &Holds::ToggleHold);
    connect(m_ui.cmdHoldResume, &QPushButton::clicked, m_holds, &Holds::ToggleHold);
    for (QAction* arming : {m_actions.mnuHoldEnable, m_actions.mnuRtHoldEnable})
        connect(arming, &QAction::triggered, m_holds, &Holds::ToggleHoldEnable);
    connect(m_actions.mnuActiveLaunchWindow, &QAction::triggered, m_launchWindow, &LaunchWindow::ToggleActive);
    connect(m_actions.mnuSetLaunchWindow, &QAction::triggered, m_launchWindow, &LaunchWindow::SetLaunchWindow);
    connect(m_ui.cmdSetWindow, &QPushButton::clicked, m_launchWindow, &LaunchWindow::cmdSetWindow_Click);

    // Sim time
    createSimTime();

    // Launch data files
    createFileCommands();
    connect(m_actions.mnuOpen, &QAction::triggered, m_fileCommands, &FileCommands::mnuOpen_Click);
    connect(m_actions.mnuSave, &QAction::triggered, m_fileCommands, &FileCommands::mnuSave_Click);
    connect(m_actions.mnuSaveAs, &QAction::triggered, m_fileCommands, &FileCommands::mnuSaveAs_Click);
    connect(m_actions.mnuRevert, &QAction::triggered, m_fileCommands, &FileCommands::mnuRevert_Click);
    connect(m_actions.mnuExit, &QAction::triggered, m_fileCommands, &FileCommands::ExitWithSavePrompt);
    connect(m_actions.mnuRtExit, &QAction::triggered, m_fileCommands, &FileCommands::ExitWithSavePrompt);

    // Views, menus and status bar
    createViews();

    Form_Load();
    m_launchClock->tmrCountdown().start();
}

frmTarvane::~frmTarvane() = default;

void frmTarvane::createLaunchClock()
{
    LaunchClock::Controls clockUi;
    clockUi.surface = m_ui.surface;
    clockUi.lblTarget = m_ui.lblTarget;
    clockUi.lblTMinus = m_ui.lblTMinus;
    clockUi.lblDays = m_ui.lblDays;
    clockUi.lblHours = m_ui.lblHours;
    clockUi.lblMinutes = m_ui.lblMinutes;
    clockUi.lblSeconds = m_ui.lblSeconds;
    for (size_t i = 0; i < clockUi.shpIndicator.size(); ++i)
        clockUi.shpIndicator[i] = m_ui.shpIndicator[i];
    clockUi.cmdHoldResume = m_ui.cmdHoldResume;
    clockUi.mnuHold = m_actions.mnuHold;
    clockUi.mnuRtHold = m_actions.mnuRtHold;
    clockUi.mnuHoldEnable = m_actions.mnuHoldEnable;
    clockUi.mnuRtHoldEnable = m_actions.mnuRtHoldEnable;
    clockUi.mnuActiveLaunchWindow = m_actions.mnuActiveLaunchWindow;
    clockUi.chkLaunchWindowActive = m_ui.chkLaunchWindowActive;
    clockUi.pnlCurrentDate = m_ui.pnlCurrentDate;
    m_launchClock = new LaunchClock(m_clock, clockUi, this);
}

void frmTarvane::createFileCommands()
{
    m_launchSettings =
        std::make_unique<RoomLaunchSettings>(m_ui.lblTarget, *m_launchTimeEntry, *m_holds, *m_launchWindow);
    m_fileCommands = new FileCommands(*m_launchSettings, m_prompter, m_fileOptions, this, m_ui.pnlCurrentFile);
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

void frmTarvane::createLaunchTimeEntry()
{
    LaunchTimeEntry::Controls entryUi;
    entryUi.lblTarget = m_ui.lblTarget;
    entryUi.Calendar = m_ui.Calendar;
    entryUi.txtLaunchDate = m_ui.txtLaunchDate;
    entryUi.txtHours = m_ui.txtHours;
    entryUi.txtMinutes = m_ui.txtMinutes;
    entryUi.txtSeconds = m_ui.txtSeconds;
    entryUi.vsbHours = m_ui.vsbHours;
    entryUi.vsbMinutes = m_ui.vsbMinutes;
    entryUi.vsbSeconds = m_ui.vsbSeconds;
    entryUi.Label10 = m_ui.Label10;
    entryUi.cmdSet = m_ui.cmdSet;
    entryUi.mnuSetLaunchTime = m_actions.mnuSetLaunchTime;
    entryUi.lblNowStamp = m_ui.lblNowStamp;
    entryUi.lblTargetStamp = m_ui.lblTargetStamp;
    m_launchTimeEntry = new LaunchTimeEntry(m_clock, m_prompter, entryUi, this);
}

void frmTarvane::createHoldsAndLaunchWindow()
{
    LaunchWindow::Controls windowUi;
    windowUi.surface = m_ui.surface;
    windowUi.pctLaunchWindow = m_ui.pctLaunchWindow;
    windowUi.pctLaunchTime = m_ui.pctLaunchTime;
    windowUi.lblLaunchWindow = m_ui.lblLaunchWindow;
    windowUi.lblWindowWarning = m_ui.lblWindowWarning;
    windowUi.chkLaunchWindowActive = m_ui.chkLaunchWindowActive;
    windowUi.mnuActiveLaunchWindow = m_actions.mnuActiveLaunchWindow;
    windowUi.txtHoursW = m_ui.txtHoursW;
    windowUi.txtMinutesW = m_ui.txtMinutesW;
    windowUi.txtSecondsW = m_ui.txtSecondsW;
    windowUi.vsbHoursW = m_ui.vsbHoursW;
    windowUi.vsbMinutesW = m_ui.vsbMinutesW;
    windowUi.vsbSecondsW = m_ui.vsbSecondsW;
    windowUi.lblLaunchWindowStamp = m_ui.lblLaunchWindowStamp;
    windowUi.lblNowStampWindow = m_ui.lblNowStampWindow;
    windowUi.cmdHoldResume = m_ui.cmdHoldResume;
    m_launchWindow = new LaunchWindow(m_clock, m_prompter, *m_launchClock, windowUi, this);

    Holds::Controls holdsUi;
    holdsUi.cmdHoldResume = m_ui.cmdHoldResume;
    holdsUi.mnuHold = m_actions.mnuHold;
    holdsUi.mnuRtHold = m_actions.mnuRtHold;
    holdsUi.mnuHoldEnable = m_actions.mnuHoldEnable;
    holdsUi.mnuRtHoldEnable = m_actions.mnuRtHoldEnable;
    holdsUi.countDigits = {m_ui.lblDays, m_ui.lblHours, m_ui.lblMinutes, m_ui.lblSeconds};
    holdsUi.lblTarget = m_ui.lblTarget;
    holdsUi.lblNowStamp = m_ui.lblNowStamp;
    holdsUi.lblTargetStamp = m_ui.lblTargetStamp;
    m_holds = new Holds(m_clock, *m_launchClock, *m_launchWindow, holdsUi, this);
}

void frmTarvane::createSimTime()
{
    SimTime::Controls simUi;
    simUi.window = this;
    simUi.mnuTminus45 = m_actions.mnuTminus45;
    simUi.mnuTminus30 = m_actions.mnuTminus30;
    simUi.mnuTminus20 = m_actions.mnuTminus20;
    simUi.mnuTminus10 = m_actions.mnuTminus10;
    simUi.mnuTminus8 = m_actions.mnuTminus8;
    simUi.mnuTminus6 = m_actions.mnuTminus6;
    simUi.mnuTminus4 = m_actions.mnuTminus4;
    simUi.mnuTminus2 = m_actions.mnuTminus2;
    simUi.mnuTminus30Sec = m_actions.mnuTminus30Sec;
    simUi.mnuTplus5 = m_actions.mnuTplus5;
    simUi.mnuManualSet = m_actions.mnuManualSet;
    m_simTime = new SimTime(m_clock, m_prompter, *m_launchClock, simUi, this);
    m_timeZoneMenu = new TimeZoneMenu(m_actions.mnuZone, this);
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
    setWindowIcon(TarvaneArt::appIcon());
    MainViews::Controls viewUi;
    viewUi.window = this;
    viewUi.cmdAccess = m_ui.cmdAccess;
    viewUi.mnuCompactScreen = m_actions.mnuCompactScreen;
    viewUi.mnuRtCompactScreen = m_actions.mnuRtCompactScreen;
    viewUi.mnuRtAccess = m_actions.mnuRtAccess;
    viewUi.mnuPopUp = m_actions.mnuPopUp;
    viewUi.tmrCurrentDateTime = &m_launchClock->tmrCurrentDateTime();
    viewUi.sbrStatusBar = m_ui.sbrStatusBar;
    m_views = new MainViews(viewUi, {[this] { ShowMenus(); }, [this] { HideMenus(); }}, this);
    connect(m_ui.cmdAccess, &QPushButton::clicked, this, &frmTarvane::ToggleView);
    connect(m_ui.surface, &SurfaceWidget::doubleClicked, this, &frmTarvane::ToggleView);
    for (QAction* toggle : {m_actions.mnuCompactScreen, m_actions.mnuRtCompactScreen, m_actions.mnuRtAccess})
        connect(toggle, &QAction::triggered, this, &frmTarvane::ToggleView);
    connect(m_ui.surface, &SurfaceWidget::rightReleased, m_views, &MainViews::showPopUp);

    m_statusPanels =
        new StatusBarPanels({m_ui.sbrStatusBar, m_ui.pnlNumberLock, m_ui.pnlCurrentDate, m_ui.pnlCurrentFile},
                            KeyboardIndicators::create(), this);
    connect(m_statusPanels, &StatusBarPanels::panelDoubleClicked, m_fileCommands,
            &FileCommands::sbrStatusBar_PanelDblClick);

    new HoldAccessKey(*this, *m_ui.cmdHoldResume);
    m_ui.missionCount->setSources({m_ui.lblTMinus, m_ui.lblDays, m_ui.lblHours, m_ui.lblMinutes, m_ui.lblSeconds},
                                  [this] { return m_holds->IsHolding(); });
    for (WatchedLabel* phaseShown : {m_ui.lblTMinus, m_ui.lblDays})
        connect(phaseShown, &WatchedLabel::textChanged, m_ui.missionCount, &MissionCountPanel::noteMaybeChanged);
    connect(m_actions.mnuHold, &QAction::changed, m_ui.missionCount, &MissionCountPanel::noteMaybeChanged);
    m_helpWindows = new HelpWindows(this);
    connect(m_actions.mnuAbout, &QAction::triggered, this, &frmTarvane::ShowAbout);
    connect(m_actions.mnuTechSupport, &QAction::triggered, this, &frmTarvane::ShowTechSupport);
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

void frmTarvane::ShowAbout()
{
    m_helpWindows->ShowAbout();
}

void frmTarvane::ShowTechSupport()
{
    m_helpWindows->ShowTechSupport();
}
