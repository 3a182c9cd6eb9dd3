#include "ApplicationClock.h"

ApplicationClock::ApplicationClock(Clock& system, Start start, QObject* parent)
    : Clock(parent), m_system(system), m_engaged(start == Start::Engaged)
{
    // The offset rides on the system clock, so whatever moves that clock moves this one too.
    connect(&m_system, &Clock::changed, this, &Clock::changed);
}

qint64 ApplicationClock::currentMSecs() const
{
    return m_system.currentMSecs() + m_offsetMSecs;
}

ClockSetResult ApplicationClock::setLocal(const CivilDateTime& value)
{
    QString refusal;
    if (!m_engaged) {
        const ClockSetResult result = m_system.setLocal(value);
        if (result.ok)
            return result;
        refusal = result.reason;
        m_engaged = true;
    }
    // Whole seconds, like a set computer clock: the next second begins a full second from now.
    m_offsetMSecs = value.secsSinceEpoch() * 1000 - m_system.currentMSecs();
    emit changed();
    return ClockSetResult::kept(refusal);
}
