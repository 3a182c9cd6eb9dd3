#pragma once

#include "platform/CivilDateTime.h"

#include <QObject>

#include <array>
#include <optional>

class Clock;
class ClockTimer;
class MissionState;
class QLabel;
class QWidget;
class WatchedLabel;

// The launch clock engine: turns the clock and the launch target into the count shown in the main window,
// colours the window by phase and blinks the indicator lamps in the last hour, ten minutes and minute. Each tick
// tells the mission state the phase; at and after liftoff it disarms holds and the launch window warning.
class LaunchClock final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LaunchClock)

public:
    // The count strip's display, which only this class writes.
    struct Controls
    {
        QWidget* surface = nullptr; // the window background, coloured by phase
        WatchedLabel* lblTMinus = nullptr;
        WatchedLabel* lblDays = nullptr;
        WatchedLabel* lblHours = nullptr;
        WatchedLabel* lblMinutes = nullptr;
        WatchedLabel* lblSeconds = nullptr;
        std::array<QWidget*, 3> shpIndicator{};
        QLabel* pnlCurrentDate = nullptr; // in the status bar
    };

    LaunchClock(Clock& clock, MissionState& state, const Controls& controls, QObject* parent);

    // The launch target; nothing when its text names no date-time.
    std::optional<CivilDateTime> LaunchTarget() const;
    // Whole seconds from now to the launch target: positive before liftoff, 0 in the target's own second,
    // negative after. Saturates at the limits of a signed 32-bit number; 0 when the target does not parse.
    qint32 TminusSec() const;

    // One count tick.
    void UpdateCountDisplay();
    void tmrCountdown_Timer() { UpdateCountDisplay(); }
    void tmrCurrentDateTime_Timer();
    void lblSeconds_Change();

    ClockTimer& tmrCountdown() { return *m_tmrCountdown; }
    ClockTimer& tmrCurrentDateTime() { return *m_tmrCurrentDateTime; }

signals:
    // Raised by every count tick at and after liftoff, once the phase is told and before the warning is
    // disarmed: the launch window re-evaluates its warning.
    void liftoffTick();

private:
    void showDashes();

    Clock& m_clock;
    MissionState& m_state;
    const Controls m_ui;
    ClockTimer* m_tmrCountdown;
    ClockTimer* m_tmrCurrentDateTime;
};
