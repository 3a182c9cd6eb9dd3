#include "frmTarvane.h"

#include "MainLayout.h"
#include "WindowGeometry.h"
#include "clock/LaunchClock.h"
#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/ShapeWidget.h"
#include "platform/SurfaceWidget.h"
#include "platform/WatchedLabel.h"
#include "simtime/SimTime.h"
#include "simtime/TimeZoneMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::StringLiterals;

frmTarvane::frmTarvane(Clock& clock, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), m_clock(clock), m_prompter(prompter)
{
    setObjectName(u"frmTarvane"_s);
    setWindowTitle(u"Mission Elapsed Time"_s);
    m_ui = MainLayout::build(this);
    m_actions = MainMenus::build(this);

    createLaunchClock();
    // Launch time entry

    // Holds and the launch window

    // Sim time
    createSimTime();

    // Launch data files

    // Views, menus and status bar

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
    OpenLaunchFile(false);
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

void frmTarvane::OpenLaunchFile(bool)
{
    // Launch data files are not read yet; the window starts from its initial values.
}
