#pragma once

#include "platform/CivilDateTime.h"

#include <QObject>

#include <array>
#include <optional>

class Clock;
class ClockTimer;
class LaunchClock;
class MissionState;
class QAction;
class QColor;
class QPushButton;
class WatchedLabel;

// Holds of the count: arming them before liftoff, holding and resuming. While a hold lasts the count timer
// stands still and the launch target moves later by the time held, so the count resumes where it stopped.
// Whether holds are armed and whether the count is held live in the mission state; this class shows them.
class Holds final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Holds)

public:
    // The hold commands, which only this class writes; the count digits only for their colour.
    struct Controls
    {
        QPushButton* cmdHoldResume = nullptr;
        QAction* mnuHold = nullptr;
        QAction* mnuRtHold = nullptr;
        QAction* mnuHoldEnable = nullptr;
        QAction* mnuRtHoldEnable = nullptr;
        std::array<WatchedLabel*, 4> countDigits{}; // lblDays, lblHours, lblMinutes, lblSeconds
        WatchedLabel* lblNowStamp = nullptr;        // never visible: show the hold base
        WatchedLabel* lblTargetStamp = nullptr;
    };

    Holds(Clock& clock, MissionState& state, LaunchClock& launchClock, const Controls& controls, QObject* parent);

    void ToggleHold();
    void HoldCount();
    void ResumeCount();
    void ToggleHoldEnable();
    void SetCountBackColor(const QColor& color);

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

    ClockTimer& tmrHold() { return *m_tmrHold; }

private:
    void showCommands();
    void setHoldCaptions(const QString& caption);
    void setArmingOffer(bool offersDisarm);

    Clock& m_clock;
    MissionState& m_state;
    LaunchClock& m_launchClock;
    const Controls m_ui;
    ClockTimer* m_tmrHold;
    // The arming items read "Hold Disable"; a file that arms holds leaves them reading "Hold Enable".
    bool m_armingOffersDisarm = false;
    bool m_afterLiftoff = false; // as the last count tick with a target found it
};
