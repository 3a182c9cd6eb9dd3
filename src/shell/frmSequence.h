#pragma once

#include <QWidget>

class Mission;
class Prompter;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The window "Countdown Sequence": the milestones in T order with their kind, planned length, state and the time
// to each one ahead on the T clock, the next one marked; a running built-in hold with its time left; the L clock,
// the projected liftoff and whether the built-in holds still fit the launch window. Add, Edit and Remove change
// the milestones, Extend Hold the running built-in hold. A refused change is named in a message box and changes
// nothing.
class frmSequence final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSequence)

public:
    frmSequence(Mission& mission, Prompter& prompter, QWidget* parent);

    // The columns of the milestones' table.
    enum Column
    {
        TTime,
        Name,
        Kind,
        Length,
        State,
        TimeTo,
        Columns
    };

private:
    void showMilestones();
    void showStates();
    void showClocks();
    void editMilestone(int index);
    void removeMilestone();
    int selectedIndex() const;

    Mission& m_mission;
    Prompter& m_prompter;
    QTreeWidget* m_lvwMilestones;
    QLabel* m_lblNext;
    QLabel* m_lblRunning;
    QLabel* m_lblDisarmed;
    QLabel* m_lblLClock;
    QLabel* m_lblProjected;
    QLabel* m_lblWindowCheck;
    QPushButton* m_cmdAdd;
    QPushButton* m_cmdEdit;
    QPushButton* m_cmdRemove;
    QPushButton* m_cmdExtend;
    QPushButton* m_cmdClose;
    // The last built-in hold skipped while holds stay disarmed.
    QString m_skippedNote;
};
