#pragma once

#include "platform/widgets/ClickPanel.h"

class ClickLineEdit;
class Mission;
class QCalendarWidget;
class QDate;

// The launch time panel: the launch target, the date field with its calendar, the three time fields with their
// scroll bars and Set Launch Time. It shows the mission state's target and the mission's launch time entry, and
// hands every command to the entry.
class LaunchTimePanel final : public ClickPanel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LaunchTimePanel)

public:
    LaunchTimePanel(Mission& mission, QWidget* parent);

    void txtLaunchDate_DblClick();
    // A date picked in the calendar (double click or Enter).
    void Calendar_DblClick(const QDate& date);

private:
    Mission& m_mission;
    ClickLineEdit* m_txtLaunchDate = nullptr;
    QCalendarWidget* m_calendar = nullptr;
};
