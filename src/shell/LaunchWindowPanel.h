#pragma once

#include "platform/widgets/ClickPanel.h"

class Mission;
class QCheckBox;
class WatchedLabel;

// The launch window panel: the remaining window, the check box that makes it active, the three fields and scroll
// bars of a new window and the button that sets it. It shows the launch window of the mission state and the
// entry of the mission's launch window, and hands every command to the latter.
class LaunchWindowPanel final : public ClickPanel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LaunchWindowPanel)

public:
    LaunchWindowPanel(Mission& mission, QWidget* parent);

private:
    void setRemainingLook(bool active);

    Mission& m_mission;
    WatchedLabel* m_lblLaunchWindow = nullptr;
    QCheckBox* m_chkLaunchWindowActive = nullptr;
};
