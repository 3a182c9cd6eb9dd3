#include "Holds.h"

#include "HeldTime.h"
#include "LaunchClock.h"
#include "MissionState.h"
#include "MissionTexts.h"
#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/DateTimeServices.h"

using namespace Qt::StringLiterals;

Holds::Holds(Clock& clock, MissionState& state, LaunchClock& launchClock, QObject* parent)
    : QObject(parent), m_clock(clock), m_state(state), m_launchClock(launchClock),
      m_tmrHold(new ClockTimer(clock, u"tmrHold"_s, this))
{
    setObjectName(u"Holds"_s);
    connect(m_tmrHold, &ClockTimer::timeout, this, &Holds::UpdateHeldTarget);
    connect(&m_state, &MissionState::holdsArmedChanged, this, &Holds::showCommands);
    connect(&m_state, &MissionState::holdingChanged, this, &Holds::showCommands);
    connect(&m_state, &MissionState::phaseChanged, this, [this](MissionState::Phase phase) {
        // Without a target the commands stay as the last count found them.
        if (phase != MissionState::Phase::NoTarget)
            m_afterLiftoff = phase == MissionState::Phase::AfterLiftoff;
        showCommands();
    });
    showCommands();
}

void Holds::ToggleHold()
{
    if (m_state.holding())
        ResumeCount();
    else
        HoldCount();
}

void Holds::HoldCount()
{
    holdFrom(m_clock.now());
}

void Holds::holdFrom(const CivilDateTime& start)
{
    // The hold measures from its start, and so does the launch window's clock, which starts with the hold; the
    // arming items are disabled while it lasts.
    m_state.setHoldBase(DateTimeServices::formatGeneral(start), m_state.targetText());
    m_state.setHolding(true);
    if (start < m_clock.now())
        UpdateHeldTarget();
    // The count tick runs just after each second; a hold begun before it would freeze the second before. (Not in
    // the second of liftoff itself: that tick would disarm the hold being begun.)
    if (m_launchClock.TminusSec() > 0)
        m_launchClock.UpdateCountDisplay();
    m_launchClock.tmrCountdown().stop();
    m_tmrHold->start();
    m_state.setWarningArmed(true);
}

void Holds::ResumeCount()
{
    m_state.setHolding(false);
    // The hold tick runs just after each second; catch up with a second that began since, so the count
    // resumes exactly where it stopped.
    UpdateHeldTarget();
    m_tmrHold->stop();
    m_launchClock.tmrCountdown().start();
}

void Holds::UpdateHeldTarget()
{
    const auto start = HoldStartTime();
    const auto target = TargetAtHoldStart();
    if (!start || !target)
        return;
    const qint64 held = HeldTime::between(*start, m_clock.now());
    m_state.setTargetText(
        MissionTexts::heldTargetText(DateTimeServices::add(DateTimeServices::Interval::Seconds, held, *target)));
}

std::optional<CivilDateTime> Holds::HoldStartTime() const
{
    return DateTimeServices::parseDateTime(m_state.holdStartText());
}

std::optional<CivilDateTime> Holds::TargetAtHoldStart() const
{
    return DateTimeServices::parseDateTime(m_state.targetAtHoldStartText());
}

void Holds::ToggleHoldEnable()
{
    if (m_launchClock.TminusSec() < 0)
        return;
    setArmingOffer(!m_commands.offersDisarm);
    m_state.setHoldsArmed(m_commands.offersDisarm);
}

bool Holds::holdsArmed() const
{
    return m_state.holdsArmed();
}

void Holds::setHoldsArmed(bool armed)
{
    m_state.setHoldsArmed(armed);
}

bool Holds::isHolding() const
{
    return m_state.holding();
}

void Holds::setLaunchTarget(const QString& text)
{
    m_state.setHoldBase(DateTimeServices::formatGeneral(m_clock.now()), text);
    m_state.setTargetText(text);
    m_state.noteLaunchTimeSet();
}

// Before liftoff the hold commands follow the armed flag and the arming items are there unless the count is held;
// from liftoff on everything is disabled and the arming items offer "Hold Enable" again. A held count can always
// be resumed, from the button and its access key too, even when a file loaded meanwhile disarmed holds.
void Holds::showCommands()
{
    const bool armed = m_state.holdsArmed();
    const bool holding = m_state.holding();
    Commands c = m_commands;
    c.button = holding || armed;
    c.items = holding || (armed && !m_afterLiftoff);
    c.arming = !m_afterLiftoff && !holding;
    if (m_afterLiftoff)
        c.offersDisarm = false;
    setCommands(c);
}

void Holds::setArmingOffer(bool offersDisarm)
{
    Commands c = m_commands;
    c.offersDisarm = offersDisarm;
    setCommands(c);
}

void Holds::setCommands(const Commands& commands)
{
    if (commands == m_commands)
        return;
    m_commands = commands;
    emit commandsChanged();
}
