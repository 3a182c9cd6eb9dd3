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
class QWidget;
class SimTimeWizard;

// Jumps the mission to a chosen mission time by setting the clock to the launch target plus an offset; the
// count, which always derives the mission time from the clock, shows it from its next tick. Holds the Sim Time
// menu's presets and opens the manual wizard.
class SimTime final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SimTime)

public:
    // The Sim Time menu's items, which only this class writes.
    struct Controls
    {
        QWidget* window = nullptr; // owner of the wizard pages
        QAction* mnuTminus45 = nullptr;
        QAction* mnuTminus30 = nullptr;
        QAction* mnuTminus20 = nullptr;
        QAction* mnuTminus10 = nullptr;
        QAction* mnuTminus8 = nullptr;
        QAction* mnuTminus6 = nullptr;
        QAction* mnuTminus4 = nullptr;
        QAction* mnuTminus2 = nullptr;
        QAction* mnuTminus30Sec = nullptr;
        QAction* mnuTplus5 = nullptr;
        QAction* mnuManualSet = nullptr;
    };

    SimTime(Clock& clock, Prompter& prompter, const MissionState& state, const Controls& controls, QObject* parent);

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
    // The presets and Manual Set, in menu order.
    std::array<QAction*, 11> commands() const;

    Clock& m_clock;
    Prompter& m_prompter;
    const MissionState& m_state;
    const Controls m_ui;
    SimTimeWizard* m_wizard;
    bool m_jumping = false;
    bool m_toldKeptInside = false;
};
