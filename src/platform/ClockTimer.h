#pragma once

#include <QObject>
#include <QTimer>

class Clock;

// A timer that fires once at start and then just after every second boundary of its clock, instead of
// every millisecond: the display changes promptly when a new second begins and an idle program costs next to
// nothing. It also fires at the next turn of the event loop when the clock jumps or when fireSoon() is
// called, so that changes show at once.
// While its own handler runs (and waits in a modal message box), it does not fire again.
class ClockTimer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClockTimer)

public:
    ClockTimer(Clock& clock, const QString& name, QObject* parent);

    void start();
    void stop();
    bool isActive() const { return m_active; }

    // Fires at the next turn of the event loop if running; a no-op when stopped.
    void fireSoon();

signals:
    void timeout();

private:
    void fire();
    void scheduleNext();

    Clock& m_clock;
    QTimer m_timer;
    bool m_active = false;
    bool m_firing = false;
    bool m_pending = false;
};
