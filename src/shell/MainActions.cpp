#include "MainActions.h"

#include "MainControls.h"

#include "platform/Metrics.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace {

QMenu* menu(QWidget* parent, const QString& name, const QString& title)
{
    auto* m = new QMenu(title, parent);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
}

QAction* item(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& shortcut = {})
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
}

} // namespace

MainActions MainMenus::build(QMainWindow* window, MainControls& c)
{
    MainActions a;
    QMenuBar* bar = window->menuBar();
    bar->setFont(Metrics::uiFont(8.25));
    // Drop-down and pop-up menus and tooltips are windows of their own and would take the desktop's font.
    QApplication::setFont(Metrics::uiFont(8.25), "QMenu");
    QToolTip::setFont(Metrics::uiFont(8.25));

    a.mnuFile = menu(bar, u"mnuFile"_s, u"File"_s);
    a.mnuNew = item(a.mnuFile, u"mnuNew"_s, u"New"_s, QKeySequence(u"Ctrl+N"_s));
    a.mnuNew->setVisible(false);
    a.mnuOpen = item(a.mnuFile, u"mnuOpen"_s, u"&Open . . ."_s);
    a.mnuSave = item(a.mnuFile, u"mnuSave"_s, u"Save"_s, QKeySequence(u"Ctrl+S"_s));
    a.mnuSaveAs = item(a.mnuFile, u"mnuSaveAs"_s, u"&Save As . . ."_s);
    a.mnuRevert = item(a.mnuFile, u"mnuRevert"_s, u"Revert to File"_s, QKeySequence(u"Ctrl+R"_s));
    a.mnuExit = item(a.mnuFile, u"mnuExit"_s, u"E&xit"_s);

    a.mnuSettings = menu(bar, u"mnuSettings"_s, u"S&ettings"_s);
    a.mnuTimeZone = menu(a.mnuSettings, u"mnuTimeZone"_s, u"Time Zone"_s);
    a.mnuSettings->addMenu(a.mnuTimeZone);
    const std::array<QString, 8> zones = {u"Eastern Standard"_s, u"Eastern Daylight"_s, u"Central Standard"_s,
                                          u"Central Daylight"_s, u"Mountain Regular"_s, u"Mountain Daylight"_s,
                                          u"Pacific Standard"_s, u"Pacific Daylight"_s};
    for (size_t i = 0; i < zones.size(); ++i) {
        a.mnuZone[i] = item(a.mnuTimeZone, u"mnuZone_"_s + QString::number(i), zones[i]);
        a.mnuZone[i]->setCheckable(true);
        a.mnuZone[i]->setChecked(i == 0);
    }
    c.holds.mnuHold = item(a.mnuSettings, u"mnuHold"_s, u"&Hold"_s);
    c.views.mnuCompactScreen =
        item(a.mnuSettings, u"mnuCompactScreen"_s, u"Compact Screen"_s, QKeySequence(u"Ctrl+K"_s));
    c.launchWindow.mnuActiveLaunchWindow =
        item(a.mnuSettings, u"mnuActiveLaunchWindow"_s, u"Active Launch Window"_s, QKeySequence(u"Ctrl+W"_s));
    c.launchWindow.mnuActiveLaunchWindow->setCheckable(true);
    c.launchTime.mnuSetLaunchTime = item(a.mnuSettings, u"mnuSetLaunchTime"_s, u"Set Launch Time"_s);
    c.launchTime.mnuSetLaunchTime->setEnabled(false);
    a.mnuSetLaunchWindow = item(a.mnuSettings, u"mnuSetLaunchWindow"_s, u"Set Launch Window"_s);
    a.mnuAddEvent = item(a.mnuSettings, u"mnuAddEvent"_s, u"Add Event"_s, QKeySequence(u"Ctrl+E"_s));
    c.holds.mnuHoldEnable = item(a.mnuSettings, u"mnuHoldEnable"_s, u"Hold Enable"_s, QKeySequence(u"Ctrl+D"_s));
    a.mnuOptions = item(a.mnuSettings, u"mnuOptions"_s, u"Options"_s, QKeySequence(u"Ctrl+O"_s));
    a.mnuOptions->setEnabled(false);
    a.mnuRoomDisplay = item(a.mnuSettings, u"mnuRoomDisplay"_s, u"Room &Display . . ."_s);

    a.mnuSimTime = menu(bar, u"mnuSimTime"_s, u"Sim Time"_s);
    c.simTime.mnuTminus45 = item(a.mnuSimTime, u"mnuTminus45"_s, u"T - 45"_s);
    c.simTime.mnuTminus30 = item(a.mnuSimTime, u"mnuTminus30"_s, u"T - 30"_s);
    c.simTime.mnuTminus20 = item(a.mnuSimTime, u"mnuTminus20"_s, u"T - 20"_s);
    c.simTime.mnuTminus10 = item(a.mnuSimTime, u"mnuTminus10"_s, u"T - 10"_s);
    c.simTime.mnuTminus8 = item(a.mnuSimTime, u"mnuTminus8"_s, u"T - 8"_s);
    c.simTime.mnuTminus6 = item(a.mnuSimTime, u"mnuTminus6"_s, u"T - 6"_s);
    c.simTime.mnuTminus4 = item(a.mnuSimTime, u"mnuTminus4"_s, u"T - 4"_s);
    c.simTime.mnuTminus2 = item(a.mnuSimTime, u"mnuTminus2"_s, u"T - 2"_s);
    c.simTime.mnuTminus30Sec = item(a.mnuSimTime, u"mnuTminus30Sec"_s, u"T - 30 Seconds"_s);
    c.simTime.mnuTplus5 = item(a.mnuSimTime, u"mnuTplus5"_s, u"T + 5"_s);
    c.simTime.mnuManualSet = item(a.mnuSimTime, u"mnuManualSet"_s, u"Manual Set"_s);

    a.mnuHelp = menu(bar, u"mnuHelp"_s, u"&Help"_s);
    a.mnuAbout = item(a.mnuHelp, u"mnuAbout"_s, u"About"_s);
    a.mnuHelpContents = item(a.mnuHelp, u"mnuHelpContents"_s, u"Help Contents"_s, QKeySequence(u"Ctrl+H"_s));
    a.mnuTechSupport = item(a.mnuHelp, u"mnuTechSupport"_s, u"Technical Support"_s);

    for (QMenu* m : {a.mnuFile, a.mnuSettings, a.mnuSimTime, a.mnuHelp})
        bar->addMenu(m);

    c.views.mnuPopUp = menu(window, u"mnuPopUp"_s, u"RightClickMenu"_s);
    c.holds.mnuRtHold = item(c.views.mnuPopUp, u"mnuRtHold"_s, u"&Hold"_s);
    c.views.mnuRtCompactScreen = item(c.views.mnuPopUp, u"mnuRtCompactScreen"_s, u"&Compact"_s);
    c.views.mnuRtCompactScreen->setEnabled(false);
    c.views.mnuRtAccess = item(c.views.mnuPopUp, u"mnuRtAccess"_s, u"&Access Launch Data"_s);
    c.holds.mnuRtHoldEnable = item(c.views.mnuPopUp, u"mnuRtHoldEnable"_s, u"Hold Enable"_s);
    a.mnuRtExit = item(c.views.mnuPopUp, u"mnuRtExit"_s, u"E&xit"_s);

    // Shortcuts work even while the menu bar is hidden in the compact view, but for those of the commands that
    // change a panel the compact view crops away.
    for (QMenu* m : {a.mnuFile, a.mnuSettings, a.mnuTimeZone, a.mnuSimTime, a.mnuHelp})
        window->addActions(m->actions());
    c.views.croppedCommands = {c.launchWindow.mnuActiveLaunchWindow, c.launchTime.mnuSetLaunchTime,
                               a.mnuSetLaunchWindow};
    return a;
}
