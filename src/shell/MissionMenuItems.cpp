#include "MissionMenuItems.h"

#include "MainActions.h"
#include "clock/Holds.h"
#include "clock/LaunchTimeEntry.h"
#include "clock/LaunchWindow.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"

#include <QAction>

using namespace Qt::StringLiterals;

MissionMenuItems::MissionMenuItems(Mission& mission, const MainActions& items, QObject* parent) : QObject(parent)
{
    setObjectName(u"MissionMenuItems"_s);
    const MissionState& state = mission.state();
    Holds& holds = mission.holds();
    const std::array<QAction*, 2> hold = {items.mnuHold, items.mnuRtHold};
    const std::array<QAction*, 2> arming = {items.mnuHoldEnable, items.mnuRtHoldEnable};
    for (QAction* item : hold)
        connect(item, &QAction::triggered, &holds, &Holds::ToggleHold);
    for (QAction* item : arming)
        connect(item, &QAction::triggered, &holds, &Holds::ToggleHoldEnable);
    const auto showHoldCommands = [&holds, hold, arming] {
        for (QAction* item : hold)
            item->setEnabled(holds.holdItemsEnabled());
        for (QAction* item : arming) {
            item->setEnabled(holds.armingItemsEnabled());
            item->setText(holds.armingOffersDisarm() ? u"Hold Disable"_s : u"Hold Enable"_s);
        }
    };
    showHoldCommands();
    connect(&holds, &Holds::commandsChanged, this, showHoldCommands);
    connect(&state, &MissionState::holdingChanged, this, [hold](bool holding) {
        for (QAction* item : hold)
            item->setText(holding ? u"&Resume"_s : u"&Hold"_s);
    });

    LaunchWindow& window = mission.launchWindow();
    QAction* active = items.mnuActiveLaunchWindow;
    connect(active, &QAction::triggered, &window, &LaunchWindow::toggleActive);
    connect(&state, &MissionState::windowActiveChanged, active, &QAction::setChecked);
    active->setEnabled(window.activationEnabled());
    connect(&window, &LaunchWindow::activationEnabledChanged, active, &QAction::setEnabled);
    connect(items.mnuSetLaunchWindow, &QAction::triggered, &window, &LaunchWindow::SetLaunchWindow);

    LaunchTimeEntry& entry = mission.launchTimeEntry();
    connect(items.mnuSetLaunchTime, &QAction::triggered, &entry, &LaunchTimeEntry::mnuSetLaunchTime_Click);
    items.mnuSetLaunchTime->setEnabled(entry.isArmed());
    connect(&entry, &LaunchTimeEntry::armedChanged, items.mnuSetLaunchTime, &QAction::setEnabled);
}
