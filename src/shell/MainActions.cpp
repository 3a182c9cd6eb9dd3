#include "MainActions.h"

#include "platform/widgets/MenuItem.h"
#include "platform/widgets/Metrics.h"

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

using MenuItem::add;

} // namespace

MainActions MainMenus::build(QMainWindow* window)
{
    MainActions a;
    QMenuBar* bar = window->menuBar();
    bar->setFont(Metrics::uiFont(8.25));
    // Drop-down and pop-up menus and tooltips are windows of their own and would take the desktop's font.
    QApplication::setFont(Metrics::uiFont(8.25), "QMenu");
    QToolTip::setFont(Metrics::uiFont(8.25));

    a.mnuFile = menu(bar, u"mnuFile"_s, u"File"_s);
    a.mnuNew = add(a.mnuFile, u"mnuNew"_s, u"New"_s, QKeySequence(u"Ctrl+N"_s));
    a.mnuNew->setVisible(false);
    a.mnuOpen = add(a.mnuFile, u"mnuOpen"_s, u"&Open . . ."_s);
    a.mnuSave = add(a.mnuFile, u"mnuSave"_s, u"Save"_s, QKeySequence(u"Ctrl+S"_s));
    a.mnuSaveAs = add(a.mnuFile, u"mnuSaveAs"_s, u"&Save As . . ."_s);
    a.mnuRevert = add(a.mnuFile, u"mnuRevert"_s, u"Revert to File"_s, QKeySequence(u"Ctrl+R"_s));
    a.mnuExit = add(a.mnuFile, u"mnuExit"_s, u"E&xit"_s);

    a.mnuSettings = menu(bar, u"mnuSettings"_s, u"S&ettings"_s);
    a.mnuTimeZone = menu(a.mnuSettings, u"mnuTimeZone"_s, u"Time Zone"_s);
    a.mnuSettings->addMenu(a.mnuTimeZone);
    const std::array<QString, 8> zones = {u"Eastern Standard"_s, u"Eastern Daylight"_s, u"Central Standard"_s,
                                          u"Central Daylight"_s, u"Mountain Regular"_s, u"Mountain Daylight"_s,
                                          u"Pacific Standard"_s, u"Pacific Daylight"_s};
    for (size_t i = 0; i < zones.size(); ++i) {
        a.mnuZone[i] = add(a.mnuTimeZone, u"mnuZone_"_s + QString::number(i), zones[i]);
        a.mnuZone[i]->setCheckable(true);
        a.mnuZone[i]->setChecked(i == 0);
    }
    a.mnuHold = add(a.mnuSettings, u"mnuHold"_s, u"&Hold"_s);
    a.mnuCompactScreen = add(a.mnuSettings, u"mnuCompactScreen"_s, u"Compact Screen"_s, QKeySequence(u"Ctrl+K"_s));
    a.mnuActiveLaunchWindow =
        add(a.mnuSettings, u"mnuActiveLaunchWindow"_s, u"Active Launch Window"_s, QKeySequence(u"Ctrl+W"_s));
    a.mnuActiveLaunchWindow->setCheckable(true);
    a.mnuSetLaunchTime = add(a.mnuSettings, u"mnuSetLaunchTime"_s, u"Set Launch Time"_s);
    a.mnuSetLaunchTime->setEnabled(false);
    a.mnuSetLaunchWindow = add(a.mnuSettings, u"mnuSetLaunchWindow"_s, u"Set Launch Window"_s);
    a.mnuAddEvent = add(a.mnuSettings, u"mnuAddEvent"_s, u"Add Event"_s, QKeySequence(u"Ctrl+E"_s));
    a.mnuHoldEnable = add(a.mnuSettings, u"mnuHoldEnable"_s, u"Hold Enable"_s, QKeySequence(u"Ctrl+D"_s));
    a.mnuOptions = add(a.mnuSettings, u"mnuOptions"_s, u"Options"_s, QKeySequence(u"Ctrl+O"_s));
    a.mnuOptions->setEnabled(false);

    a.mnuSimTime = menu(bar, u"mnuSimTime"_s, u"Sim Time"_s); // SimTime adds its own items

    a.mnuHelp = menu(bar, u"mnuHelp"_s, u"&Help"_s);
    a.mnuAbout = add(a.mnuHelp, u"mnuAbout"_s, u"About"_s);
    a.mnuHelpContents = add(a.mnuHelp, u"mnuHelpContents"_s, u"Help Contents"_s, QKeySequence(u"Ctrl+H"_s));
    a.mnuTechSupport = add(a.mnuHelp, u"mnuTechSupport"_s, u"Technical Support"_s);

    for (QMenu* m : {a.mnuFile, a.mnuSettings, a.mnuSimTime, a.mnuHelp})
        bar->addMenu(m);

    a.mnuPopUp = menu(window, u"mnuPopUp"_s, u"RightClickMenu"_s);
    a.mnuRtHold = add(a.mnuPopUp, u"mnuRtHold"_s, u"&Hold"_s);
    a.mnuRtCompactScreen = add(a.mnuPopUp, u"mnuRtCompactScreen"_s, u"&Compact"_s);
    a.mnuRtCompactScreen->setEnabled(false);
    a.mnuRtAccess = add(a.mnuPopUp, u"mnuRtAccess"_s, u"&Access Launch Data"_s);
    a.mnuRtHoldEnable = add(a.mnuPopUp, u"mnuRtHoldEnable"_s, u"Hold Enable"_s);
    a.mnuRtExit = add(a.mnuPopUp, u"mnuRtExit"_s, u"E&xit"_s);
    return a;
}

// Shortcuts work even while the menu bar is hidden in the compact view (MainViews takes back those of the commands
// that change a panel the compact view crops away).
void MainMenus::takeShortcuts(QMainWindow* window, const MainActions& a)
{
    for (QMenu* m : {a.mnuFile, a.mnuSettings, a.mnuTimeZone, a.mnuSimTime, a.mnuHelp})
        window->addActions(m->actions());
}
