#include "ClockTimer.h"

#include "Clock.h"

namespace {
// Fire this long after a second boundary, so that a timer running a little early still reads the new second.
constexpr int AfterBoundaryMs = 1;
} // namespace

ClockTimer::ClockTimer(Clock& clock, const QString& name, QObject* parent) : QObject(parent), m_clock(clock)
{
    setObjectName(name);
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ClockTimer::fire);
    connect(&m_clock, &Clock::changed, this, &ClockTimer::fireSoon);
}

void ClockTimer::start()
{
    m_active = true;
    fireSoon();
}

void ClockTimer::stop()
{
    m_active = false;
    m_pending = false;
    m_timer.stop();
}

void ClockTimer::fireSoon()
{
    if (!m_active)
        return;
    if (m_firing) {
        m_pending = true; // scheduled when the running handler returns
        return;
    }
    m_timer.start(0);
}

void ClockTimer::fire()
{
    if (!m_active)
        return;
    m_firing = true;
    emit timeout();
    m_firing = false;
    if (m_active)
        scheduleNext();
}

void ClockTimer::scheduleNext()
{
    if (m_pending) {
        m_pending = false;
        m_timer.start(0);
    } else {
        m_timer.start(m_clock.msecsToNextSecond() + AfterBoundaryMs);
    }
}
