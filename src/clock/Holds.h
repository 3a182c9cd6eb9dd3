#pragma once

#include "platform/CivilDateTime.h"

#include <QObject>

#include <optional>

class Clock;
class ClockTimer;
class LaunchClock;
class MissionState;

// Holds of the count: arming them before liftoff, holding and resuming. While a hold lasts the count timer
// stands still and the launch target moves later by the time held, so the count resumes where it stopped.
// Whether holds are armed and whether the count is held live in the mission state; this class changes them and
// says which of its commands the operator may give.
class Holds final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Holds)

public:
    Holds(Clock& clock, MissionState& state, LaunchClock& launchClock, QObject* parent);

    void ToggleHold();
    void HoldCount();
    // A hold that began at start, this second or one the count has already passed (a late tick): the count
    // stands where it stood then and the target moves by all the time held since.
    void holdFrom(const CivilDateTime& start);
    void ResumeCount();
    void ToggleHoldEnable();

    // One tick of tmrHold.
    void UpdateHeldTarget();
    std::optional<CivilDateTime> HoldStartTime() const;
    std::optional<CivilDateTime> TargetAtHoldStart() const;

    // A launch data file carries the armed flag; it takes effect at once.
    bool holdsArmed() const;
    void setHoldsArmed(bool armed);
    bool isHolding() const;

    // A launch target from elsewhere than the entry (a launch data file); a running hold carries it on from now.
    void setLaunchTarget(const QString& text);

    // What the commands offer. Hold/Resume, the button and the menu items, follows the armed flag (the items
    // only before liftoff) and can always resume a held count; the arming items are there before liftoff unless
    // the count is held, and read "Hold Disable" while they would disarm.
    bool holdButtonEnabled() const { return m_commands.button; }
    bool holdItemsEnabled() const { return m_commands.items; }
    bool armingItemsEnabled() const { return m_commands.arming; }
    bool armingOffersDisarm() const { return m_commands.offersDisarm; }

    ClockTimer& tmrHold() { return *m_tmrHold; }

signals:
    // Any of the four above changed.
    void commandsChanged();

private:
    struct Commands
    {
        bool button = false;
        bool items = false;
        bool arming = true;
        bool offersDisarm = false;
        bool operator==(const Commands&) const = default;
    };
    void showCommands();
    void setArmingOffer(bool offersDisarm);
    void setCommands(const Commands& commands);

    Clock& m_clock;
    MissionState& m_state;
    LaunchClock& m_launchClock;
    ClockTimer* m_tmrHold;
    Commands m_commands;
    bool m_afterLiftoff = false; // as the last count tick with a target found it
};
