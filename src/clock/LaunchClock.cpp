#include "LaunchClock.h"

#include "MissionState.h"
#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/widgets/Colours.h"
#include "platform/DateTimeServices.h"
#include "platform/widgets/WatchedLabel.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 SecsPerDay = 86400;

struct Lamp
{
    qint32 limit; // lit only while 0 < T-minus <= limit
    int parity;   // on seconds of this parity
};
constexpr std::array<Lamp, 3> Lamps = {{{3600, 0}, {600, 0}, {60, 1}}};

} // namespace

LaunchClock::LaunchClock(Clock& clock, MissionState& state, const Controls& controls, QObject* parent)
    : QObject(parent), m_clock(clock), m_state(state), m_ui(controls),
      m_tmrCountdown(new ClockTimer(clock, u"tmrCountdown"_s, this)),
      m_tmrCurrentDateTime(new ClockTimer(clock, u"tmrCurrentDateTime"_s, this))
{
    setObjectName(u"LaunchClock"_s);
    connect(m_tmrCountdown, &ClockTimer::timeout, this, &LaunchClock::tmrCountdown_Timer);
    connect(m_tmrCurrentDateTime, &ClockTimer::timeout, this, &LaunchClock::tmrCurrentDateTime_Timer);
    connect(m_ui.lblSeconds, &WatchedLabel::textChanged, this, &LaunchClock::lblSeconds_Change);
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
        m_state.setPhase(MissionState::Phase::NoTarget);
        showDashes();
        return;
    }
    const CivilDateTime now = m_clock.now();
    qint64 secs = 0;
    if (now < *target) {
        secs = DateTimeServices::secondsBetween(now, *target);
        Colours::paintBackground(m_ui.surface, Colours::BeforeLiftoff);
        m_ui.lblTMinus->setText(u"T -"_s);
        m_state.setPhase(MissionState::Phase::BeforeLiftoff);
    } else {
        secs = DateTimeServices::secondsBetween(*target, now);
        Colours::paintBackground(m_ui.surface, Colours::AfterLiftoff);
        m_ui.lblTMinus->setText(u"T +"_s);
        // Every tick, not only the first: a file loaded after liftoff may have armed holds again.
        m_state.setPhase(MissionState::Phase::AfterLiftoff);
        m_state.setHoldsArmed(false);
        emit liftoffTick();
        m_state.setWarningArmed(false);
    }
    // Each write raises its label's change at once; the lamps follow the seconds, written last.
    m_ui.lblDays->setText(DateTimeServices::formatNumber(secs / SecsPerDay, 3));
    secs %= SecsPerDay;
    m_ui.lblHours->setText(DateTimeServices::formatNumber(secs / 3600, 2));
    secs %= 3600;
    m_ui.lblMinutes->setText(DateTimeServices::formatNumber(secs / 60, 2));
    m_ui.lblSeconds->setText(DateTimeServices::formatNumber(secs % 60, 2));
}

void LaunchClock::lblSeconds_Change()
{
    bool ok = false;
    const int s = m_ui.lblSeconds->text().toInt(&ok);
    for (size_t i = 0; i < Lamps.size(); ++i) {
        QWidget* lamp = m_ui.shpIndicator[i];
        const qint32 t = TminusSec(); // read afresh for each lamp
        if (ok && t > 0 && t <= Lamps[i].limit && s % 2 == Lamps[i].parity)
            lamp->setHidden(!lamp->isHidden());
        else
            lamp->hide();
    }
}

void LaunchClock::tmrCurrentDateTime_Timer()
{
    if (m_ui.pnlCurrentDate)
        m_ui.pnlCurrentDate->setText(DateTimeServices::format(m_clock.now(), u"mmm d, yyyy  h:mm:ss AM/PM"));
}

// A target text that names no date-time (a file can bring any text) gives no count: dashes, lamps dark.
void LaunchClock::showDashes()
{
    m_ui.lblDays->setText(u"---"_s);
    m_ui.lblHours->setText(u"--"_s);
    m_ui.lblMinutes->setText(u"--"_s);
    m_ui.lblSeconds->setText(u"--"_s);
    for (QWidget* lamp : m_ui.shpIndicator)
        lamp->hide();
}
