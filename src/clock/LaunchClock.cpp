#include "LaunchClock.h"

#include "MissionState.h"
#include "MissionTexts.h"
#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/DateTimeServices.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

LaunchClock::LaunchClock(Clock& clock, MissionState& state, QObject* parent)
    : QObject(parent), m_clock(clock), m_state(state), m_tmrCountdown(new ClockTimer(clock, u"tmrCountdown"_s, this))
{
    setObjectName(u"LaunchClock"_s);
    connect(m_tmrCountdown, &ClockTimer::timeout, this, &LaunchClock::tmrCountdown_Timer);
    // A new target shows at once rather than at the next second.
    connect(&m_state, &MissionState::targetChanged, m_tmrCountdown, &ClockTimer::fireSoon);
}

std::optional<CivilDateTime> LaunchClock::LaunchTarget() const
{
    return m_state.target();
}

qint32 LaunchClock::TminusSec() const
{
    const auto target = LaunchTarget();
    if (!target)
        return 0;
    const qint64 secs = DateTimeServices::secondsBetween(m_clock.now(), *target);
    return static_cast<qint32>(
        std::clamp<qint64>(secs, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

void LaunchClock::UpdateCountDisplay()
{
    const auto target = LaunchTarget();
    if (!target) {
        // A target text that names no date-time (a file can bring any text) gives no count: dashes, lamps dark.
        m_state.setPhase(MissionState::Phase::NoTarget);
        m_state.setCount(std::nullopt);
        showSeconds(std::nullopt);
        m_state.setLamps({});
        return;
    }
    const CivilDateTime now = m_clock.now();
    const qint64 count = DateTimeServices::secondsBetween(now, *target);
    if (now < *target) {
        m_state.setPhase(MissionState::Phase::BeforeLiftoff);
    } else {
        // Every tick, not only the first: a file loaded after liftoff may have armed holds again.
        m_state.setPhase(MissionState::Phase::AfterLiftoff);
        m_state.setHoldsArmed(false);
        emit liftoffTick();
        m_state.setWarningArmed(false);
    }
    m_state.setCount(count);
    showSeconds(static_cast<int>((count < 0 ? -count : count) % 60));
}

void LaunchClock::showSeconds(std::optional<int> seconds)
{
    if (seconds == m_secondsShown)
        return;
    m_secondsShown = seconds;
    UpdateLamps();
}

// Each lamp turns over on every shown second of its parity inside its range and goes dark on any other, so
// two shown seconds of the same parity in a row (a skipped second) leave it dark.
void LaunchClock::UpdateLamps()
{
    MissionState::Lamps lamps = m_state.lamps();
    for (size_t i = 0; i < lamps.size(); ++i) {
        const MissionTexts::Lamp& rule = MissionTexts::Lamps[i];
        const qint32 t = TminusSec(); // read afresh for each lamp
        const bool blinks = m_secondsShown && t > 0 && t <= rule.limit && *m_secondsShown % 2 == rule.parity;
        lamps[i] = blinks && !lamps[i];
    }
    m_state.setLamps(lamps);
}
