#pragma once

#include "platform/DateTimeServices.h"

#include <QObject>
#include <QString>

#include <array>

class CSimTime;
class Clock;
class MissionState;
class Prompter;
class QAction;
class QMenu;
class QWidget;
class SimTimeWizard;

// Jumps the mission to a chosen mission time by setting the clock to the launch target plus an offset; the
// count, which always derives the mission time from the clock, shows it from its next tick. Fills the Sim Time
// menu with its presets and Manual Set, which opens the manual wizard.
class SimTime final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SimTime)

public:
    // window owns the wizard's pages; the items go at the end of menu.
    SimTime(Clock& clock, Prompter& prompter, const MissionState& state, QWidget* window, QMenu* menu, QObject* parent);

    // Asks first; on Yes sets the clock to the launch target plus count units: "n" minutes or "s" seconds.
    void SetSimTime(QStringView unit, qint32 count);

    void mnuTminus45_Click() { SetSimTime(u"n", -45); }
    void mnuTminus30_Click() { SetSimTime(u"n", -30); }
    void mnuTminus20_Click() { SetSimTime(u"n", -20); }
    void mnuTminus10_Click() { SetSimTime(u"n", -10); }
    void mnuTminus8_Click() { SetSimTime(u"n", -8); }
    void mnuTminus6_Click() { SetSimTime(u"n", -6); }
    void mnuTminus4_Click() { SetSimTime(u"n", -4); }
    void mnuTminus2_Click() { SetSimTime(u"n", -2); }
    void mnuTminus30Sec_Click() { SetSimTime(u"s", -30); }
    void mnuTplus5_Click() { SetSimTime(u"n", 5); }
    void mnuManualSet_Click();

    SimTimeWizard& wizard() { return *m_wizard; }

private:
    bool confirm();
    void jump(DateTimeServices::Interval unit, qint32 count);
    void wizardEntered(const CSimTime& mission);

    Clock& m_clock;
    Prompter& m_prompter;
    const MissionState& m_state;
    SimTimeWizard* m_wizard;
    std::array<QAction*, 11> m_commands{}; // the presets and Manual Set, in menu order
    bool m_jumping = false;
    bool m_toldKeptInside = false;
};
