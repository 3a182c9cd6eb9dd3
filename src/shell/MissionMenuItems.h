#pragma once

#include <QObject>

class Mission;
struct MainActions;

// The menu items of the mission's commands, in the Settings menu and the pop-up menu: Hold (or Resume), Hold
// Enable (or Disable), Active Launch Window, Set Launch Time and Set Launch Window. Each gives its command to the
// class that owns it and follows the mission for its caption, check mark and whether it can be chosen.
class MissionMenuItems final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MissionMenuItems)

public:
    MissionMenuItems(Mission& mission, const MainActions& items, QObject* parent);
};
