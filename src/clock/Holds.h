#pragma once

#include "platform/CivilDateTime.h"

#include <QColor>
#include <QObject>

#include <array>
#include <optional>

class Clock;
class ClockTimer;
class LaunchClock;
class LaunchWindow;
class QAction;
class QPushButton;
class WatchedLabel;

// Holds of the count: arming them before liftoff, holding and resuming. While a hold lasts the count timer
// stands still and the launch target moves later by the time held, so the count resumes where it stopped.
class Holds final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Holds)

public:
    struct Controls
    {
        QPushButton* cmdHoldResume = nullptr;
        QAction* mnuHold = nullptr;
        QAction* mnuRtHold = nullptr;
        QAction* mnuHoldEnable = nullptr;
        QAction* mnuRtHoldEnable = nullptr;
        std::array<WatchedLabel*, 4> countDigits{}; // lblDays, lblHours, lblMinutes, lblSeconds
        WatchedLabel* lblTarget = nullptr;
        WatchedLabel* lblNowStamp = nullptr;
        WatchedLabel* lblTargetStamp = nullptr;
    };

    static inline const QColor HoldingColor{255, 255, 0};
    static inline const QColor CountingColor{224, 224, 224};

    Holds(Clock& clock, LaunchClock& launchClock, LaunchWindow& launchWindow, const Controls& controls,
          QObject* parent);

    void ToggleHold();
    void HoldCount();
    void ResumeCount();
    void ToggleHoldEnable();
    void SetCountBackColor(const QColor& color);

    // One tick of tmrHold.
    void UpdateHeldTarget();
    std::optional<CivilDateTime> HoldStartTime() const;
    std::optional<CivilDateTime> TargetAtHoldStart() const;

    // Holds are armed while the hold button is enabled; a launch data file carries this flag.
    bool HoldsArmed() const;
    void SetHoldsArmed(bool armed);
    bool IsHolding() const;

    // A launch target from elsewhere than the entry (a launch data file); a running hold carries it on from now.
    void SetLaunchTarget(const QString& text);

    ClockTimer& tmrHold() { return *m_tmrHold; }

private:
    void setHoldCaptions(const QString& caption);
    void setArmingCaptions(const QString& caption);

    Clock& m_clock;
    LaunchClock& m_launchClock;
    LaunchWindow& m_launchWindow;
    Controls m_ui;
    ClockTimer* m_tmrHold;
};
