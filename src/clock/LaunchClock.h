#pragma once

#include "platform/CivilDateTime.h"

#include <QObject>

#include <optional>

class Clock;
class ClockTimer;
class MissionState;

// The launch clock engine: each tick turns the clock and the launch target into the count, the phase and the
// indicator lamps of the mission state, which blink in the last hour, ten minutes and minute. At and after
// liftoff a tick disarms holds and the launch window warning.
class LaunchClock final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LaunchClock)

public:
    LaunchClock(Clock& clock, MissionState& state, QObject* parent);

    // The launch target; nothing when its text names no date-time.
    std::optional<CivilDateTime> LaunchTarget() const;
    // Whole seconds from now to the launch target: positive before liftoff, 0 in the target's own second,
    // negative after. Saturates at the limits of a signed 32-bit number; 0 when the target does not parse.
    qint32 TminusSec() const;

    // One count tick.
    void UpdateCountDisplay();
    void tmrCountdown_Timer() { UpdateCountDisplay(); }

    ClockTimer& tmrCountdown() { return *m_tmrCountdown; }

signals:
    // Raised by every count tick at and after liftoff, once the phase is told and before the warning is
    // disarmed: the launch window re-evaluates its warning.
    void liftoffTick();

private:
    // The seconds the count shows ("00" to "59"; nothing for dashes). A change of them runs the lamps.
    void showSeconds(std::optional<int> seconds);
    void UpdateLamps();

    Clock& m_clock;
    MissionState& m_state;
    ClockTimer* m_tmrCountdown;
    std::optional<int> m_secondsShown = 0;
};
