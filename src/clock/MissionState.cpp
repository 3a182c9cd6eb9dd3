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
