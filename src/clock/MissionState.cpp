#include "MissionState.h"

#include "platform/DateTimeServices.h"

MissionState::MissionState(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("MissionState"));
    setTargetText(InitialTarget);
}

MissionTexts::ShownCount MissionState::shownCount() const
{
    return MissionTexts::shownCount(m_count, MissionTexts::signText(m_showsAfterLiftoff));
}

void MissionState::setTargetText(const QString& text)
{
    if (text == m_targetText && !m_targetText.isNull())
        return;
    m_targetText = text;
    m_target = DateTimeServices::parseDateTime(text);
    emit targetChanged(text);
    emit changed();
}

void MissionState::setCount(std::optional<qint64> count)
{
    if (count == m_count)
        return;
    m_count = count;
    emit countChanged();
    emit changed();
}

void MissionState::setLamps(const Lamps& lamps)
{
    if (lamps == m_lamps)
        return;
    m_lamps = lamps;
    emit lampsChanged();
    emit changed();
}

void MissionState::setPhase(Phase phase)
{
    if (phase != Phase::NoTarget)
        m_showsAfterLiftoff = phase == Phase::AfterLiftoff;
    update(m_phase, phase, &MissionState::phaseChanged);
}

void MissionState::setWindowRemainingText(const QString& text)
{
    if (text == m_windowRemainingText)
        return;
    m_windowRemainingText = text;
    m_windowRemaining = DateTimeServices::parseTimeOfDay(text);
    emit windowRemainingChanged(text);
    emit changed();
}

void MissionState::setHoldBase(const QString& startText, const QString& targetText)
{
    if (startText == m_holdStartText && targetText == m_targetAtHoldStartText)
        return;
    m_holdStartText = startText;
    m_targetAtHoldStartText = targetText;
    emit holdBaseChanged();
    emit changed();
}

MissionState::MilestoneState MissionState::milestoneState(qsizetype index) const
{
    if (index >= m_passedMilestones)
        return MilestoneState::Ahead;
    const qint32 time = m_sequence.at(index).time;
    if (m_runningHold && m_runningHold->milestone.time == time)
        return MilestoneState::Running;
    return m_skippedHolds.contains(time) ? MilestoneState::Skipped : MilestoneState::Passed;
}

std::optional<Milestone> MissionState::nextMilestone() const
{
    if (m_passedMilestones >= m_sequence.size())
        return std::nullopt;
    return m_sequence.at(m_passedMilestones);
}

std::optional<qint64> MissionState::secondsTo(const Milestone& milestone) const
{
    if (!m_count)
        return std::nullopt;
    return *m_count + milestone.time;
}

QString MissionState::projectedLiftoffText() const
{
    return m_projectedLiftoff ? MissionTexts::heldTargetText(*m_projectedLiftoff) : QString();
}

void MissionState::setSequence(const CountdownSequence& sequence)
{
    if (sequence == m_sequence)
        return;
    m_sequence = sequence;
    emit sequenceChanged();
    emit changed();
}

// Called after every change of the sequence too: the next milestone may be another one at the same place.
void MissionState::setMilestoneProgress(qsizetype passed, const QSet<qint32>& skipped)
{
    const bool statesChange = passed != m_passedMilestones || skipped != m_skippedHolds;
    m_passedMilestones = passed;
    m_skippedHolds = skipped;
    const auto next = nextMilestone();
    const bool nextChanges = next != m_shownNext;
    m_shownNext = next;
    if (statesChange)
        emit milestoneStatesChanged();
    if (nextChanges)
        emit nextMilestoneChanged();
    if (statesChange || nextChanges)
        emit changed();
}

void MissionState::setRunningHold(const std::optional<RunningHold>& hold)
{
    if (hold == m_runningHold)
        return;
    m_runningHold = hold;
    emit runningHoldChanged();
    emit milestoneStatesChanged();
    emit changed();
}

void MissionState::setRunningHoldLeft(std::optional<qint64> left)
{
    if (left == m_runningHoldLeft)
        return;
    m_runningHoldLeft = left;
    emit runningHoldLeftChanged();
    emit changed();
}

void MissionState::setProjection(std::optional<CivilDateTime> liftoff, bool known)
{
    if (liftoff == m_projectedLiftoff && known == m_projectionKnown)
        return;
    m_projectedLiftoff = liftoff;
    m_projectionKnown = known;
    emit projectionChanged();
    emit changed();
}

void MissionState::setLClock(std::optional<qint64> seconds)
{
    if (seconds == m_lClock)
        return;
    m_lClock = seconds;
    emit lClockChanged();
    emit changed();
}

void MissionState::setWindowCheck(const WindowCheck& check)
{
    if (check == m_windowCheck)
        return;
    m_windowCheck = check;
    emit windowCheckChanged();
    emit changed();
}
