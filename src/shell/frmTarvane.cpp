#include "frmTarvane.h"

#include "CountStrip.h"
#include "HelpWindows.h"
#include "HoldAccessKey.h"
#include "KeyPreview.h"
#include "LaunchTimePanel.h"
#include "LaunchWindowPanel.h"
#include "MainStatusBar.h"
#include "MainViews.h"
#include "MissionMenuItems.h"
#include "MissionSurface.h"
#include "RoomDisplayView.h"
#include "SequenceView.h"
#include "SpokenCallouts.h"
#include "TarvaneArt.h"
#include "WindowGeometry.h"
#include "clock/LaunchClock.h"
#include "clock/LaunchWindow.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"
#include "files/FileCommands.h"
#include "files/LaunchSettings.h"
#include "platform/ClockTimer.h"
#include "platform/widgets/Colours.h"
#include "platform/widgets/KeyboardIndicators.h"
#include "platform/widgets/LineWidget.h"
#include "platform/widgets/Metrics.h"
#include "platform/widgets/ShapeWidget.h"
#include "simtime/SimTime.h"
#include "simtime/TimeZoneMenu.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace Qt::StringLiterals;

frmTarvane::frmTarvane(Clock& clock, Prompter& prompter, Speaker& speaker, QWidget* parent)
    : frmTarvane(clock, prompter, speaker, LaunchFileOptions(), parent)
{
}

frmTarvane::frmTarvane(Clock& clock, Prompter& prompter, Speaker& speaker, const LaunchFileOptions& files,
                       QWidget* parent)
    : QMainWindow(parent), m_clock(clock), m_prompter(prompter), m_speaker(speaker),
      m_mission(new Mission(clock, prompter, this)), m_fileOptions(files)
{
    setObjectName(u"frmTarvane"_s);
    setWindowTitle(u"Mission Elapsed Time"_s);
    setWindowIcon(TarvaneArt::appIcon());
    placePanels();
    m_actions = MainMenus::build(this);
    m_simTime = new SimTime(m_clock, m_prompter, m_mission->state(), this, m_actions.mnuSimTime, this);
    m_timeZoneMenu = new TimeZoneMenu(m_actions.mnuZone, this);
    m_launchSettings = std::make_unique<LaunchSettings>(*m_mission);
    m_fileCommands = new FileCommands(*m_launchSettings, m_prompter, m_fileOptions, this);
    routeCommands();
    createViews();
    WindowGeometry::placeAsLaid(this);

    Form_Load();
    m_mission->launchClock().tmrCountdown().start();
}

frmTarvane::~frmTarvane() = default;

// The panels at their places in the layout (positions in twips).
void frmTarvane::placePanels()
{
    // Disabled captions in the grey of the classic desktop: the toolkit's own pale grey vanishes on the silver
    // panels and buttons.
    QPalette palette = this->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, Colours::DisabledText);
    setPalette(palette);
    m_surface = new MissionSurface(m_mission->state(), this);
    setCentralWidget(m_surface);

    m_countStrip = new CountStrip(*m_mission, m_surface);
    using Metrics::px;
    auto* line1 = new LineWidget(QPoint(px(128), px(1680)), QPoint(px(9863), px(1695)), 3, m_surface);
    line1->setObjectName(u"Line1"_s);
    auto* plate = new ShapeWidget(ShapeWidget::Kind::Rectangle, Colours::Plate, m_surface);
    plate->setObjectName(u"Shape1"_s);
    plate->setGeometry(Metrics::twipsRect(120, 1800, 9855, 3735));
    m_launchWindowPanel = new LaunchWindowPanel(*m_mission, m_surface);
    m_launchTimePanel = new LaunchTimePanel(*m_mission, m_surface);

    m_statusBar = new MainStatusBar(m_clock, KeyboardIndicators::create(), this);
    setStatusBar(m_statusBar);
    m_statusBar->hide();

    // After an expired launch window a press on the background or a click on either entry panel ends the program.
    LaunchWindow& window = m_mission->launchWindow();
    const auto endIfExpired = [&window] { window.EndIfExpired(window.lockTag()); };
    connect(m_surface, &SurfaceWidget::pressed, &window, endIfExpired);
    connect(m_launchWindowPanel, &ClickPanel::clicked, &window, endIfExpired);
    connect(m_launchTimePanel, &ClickPanel::clicked, &window, endIfExpired);
}

void frmTarvane::routeCommands()
{
    connect(m_actions.mnuOpen, &QAction::triggered, m_fileCommands, &FileCommands::mnuOpen_Click);
    connect(m_actions.mnuSave, &QAction::triggered, m_fileCommands, &FileCommands::mnuSave_Click);
    connect(m_actions.mnuSaveAs, &QAction::triggered, m_fileCommands, &FileCommands::mnuSaveAs_Click);
    connect(m_actions.mnuRevert, &QAction::triggered, m_fileCommands, &FileCommands::mnuRevert_Click);
    for (QAction* exit : {m_actions.mnuExit, m_actions.mnuRtExit})
        connect(exit, &QAction::triggered, m_fileCommands, &FileCommands::ExitWithSavePrompt);
    connect(m_fileCommands, &FileCommands::loaded, m_mission, &Mission::noteFileLoaded);
    connect(m_actions.mnuAbout, &QAction::triggered, this, &frmTarvane::showAbout);
    connect(m_actions.mnuTechSupport, &QAction::triggered, this, &frmTarvane::showTechSupport);
    // "New", "Add Event", "Help Contents" and "Options" have no command behind them.
}

// Every view of the mission is made here: each takes the mission's state (or the mission, for its commands), the
// clock if it keeps its own time, and the menu or the menu item it shows. A new view is one line among these.
void frmTarvane::createViews()
{
    new MissionMenuItems(*m_mission, m_actions, this);
    new SequenceView(*m_mission, m_prompter, m_actions.mnuAddEvent, this);
    // Room Display . . . and then Spoken Callouts end the Settings menu, in the order of these lines.
    m_roomDisplay = new RoomDisplayView(m_mission->state(), m_clock, m_actions.mnuSettings, this);
    new SpokenCallouts(m_mission->state(), m_clock, m_speaker, m_actions.mnuSettings, this);
    m_statusBar->followCurrentFile(m_fileCommands->names());

    // Once every view has its menu items: the window's shortcuts, and the switch between its two views.
    MainMenus::takeShortcuts(this, m_actions);
    m_views = new MainViews(this, m_countStrip->accessButton(), m_actions, m_statusBar,
                            {m_launchWindowPanel, m_launchTimePanel}, m_statusBar->tmrCurrentDateTime(),
                            {[this] { ShowMenus(); }, [this] { HideMenus(); }}, this);
    connect(m_countStrip->accessButton(), &QPushButton::clicked, this, &frmTarvane::ToggleView);
    connect(m_surface, &SurfaceWidget::doubleClicked, this, &frmTarvane::ToggleView);
    for (QAction* toggle : {m_actions.mnuCompactScreen, m_actions.mnuRtCompactScreen, m_actions.mnuRtAccess})
        connect(toggle, &QAction::triggered, this, &frmTarvane::ToggleView);
    connect(m_surface, &SurfaceWidget::rightReleased, m_views, &MainViews::showPopUp);
    connect(m_statusBar, &MainStatusBar::currentFilePanelDoubleClicked, m_fileCommands,
            [this] { m_fileCommands->OpenLaunchFile(true); });

    // The window sees every key before the control that has the focus.
    auto* keys = new KeyPreview(this);
    connect(keys, &KeyPreview::escapePressed, m_fileCommands, &FileCommands::ExitWithSavePrompt);
    connect(keys, &KeyPreview::keyReleased, m_statusBar, &MainStatusBar::keyReleased);
    new HoldAccessKey(*this, *m_countStrip->holdButton());
    m_helpWindows = new HelpWindows(this);
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

const MissionState& frmTarvane::missionState() const
{
    return m_mission->state();
}

LaunchClock& frmTarvane::launchClock()
{
    return m_mission->launchClock();
}

LaunchTimeEntry& frmTarvane::launchTimeEntry()
{
    return m_mission->launchTimeEntry();
}

Holds& frmTarvane::holds()
{
    return m_mission->holds();
}

LaunchWindow& frmTarvane::launchWindow()
{
    return m_mission->launchWindow();
}

qint32 frmTarvane::TminusSec() const
{
    return m_mission->launchClock().TminusSec();
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

RoomDisplay& frmTarvane::roomDisplay()
{
    return m_roomDisplay->display();
}
