#pragma once

#include "platform/CivilDateTime.h"

#include <QColor>
#include <QObject>

#include <array>
#include <optional>

class Clock;
class ClockTimer;
class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;
class WatchedLabel;

// The launch clock engine: turns the clock and the launch target into the count shown in the main window,
// colours the window by phase, decides which hold and launch-window commands are available, and blinks the
// indicator lamps in the last hour, ten minutes and minute.
class LaunchClock final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LaunchClock)

public:
    struct Controls
    {
        QWidget* surface = nullptr; // the window background, coloured by phase
        WatchedLabel* lblTarget = nullptr;
        WatchedLabel* lblTMinus = nullptr;
        WatchedLabel* lblDays = nullptr;
        WatchedLabel* lblHours = nullptr;
        WatchedLabel* lblMinutes = nullptr;
        WatchedLabel* lblSeconds = nullptr;
        std::array<QWidget*, 3> shpIndicator{};
        QPushButton* cmdHoldResume = nullptr;
        QAction* mnuHold = nullptr;
        QAction* mnuRtHold = nullptr;
        QAction* mnuHoldEnable = nullptr;
        QAction* mnuRtHoldEnable = nullptr;
        QAction* mnuActiveLaunchWindow = nullptr;
        QCheckBox* chkLaunchWindowActive = nullptr;
        QLabel* pnlCurrentDate = nullptr;
    };

    static inline const QColor BeforeLiftoffColor{255, 128, 128};
    static inline const QColor AfterLiftoffColor{0, 192, 0};

    LaunchClock(Clock& clock, const Controls& controls, QObject* parent);

    // The launch target parsed from the text of lblTarget; nothing when the text names no date-time.
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
    // Raised by every count tick at and after liftoff, after the commands are disabled and before the digits
    // are written: the launch window re-evaluates its warning and then disarms it.
    void liftoffTick();

private:
    void setPhaseColor(const QColor& color);
    void showDashes();

    Clock& m_clock;
    Controls m_ui;
    ClockTimer* m_tmrCountdown;
    ClockTimer* m_tmrCurrentDateTime;
};
