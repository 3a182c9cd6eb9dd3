#include "MissionState.h"

#include "platform/DateTimeServices.h"

MissionState::MissionState(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("MissionState"));
    setTargetText(InitialTarget);
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

void MissionState::setPhase(Phase phase)
{
    if (phase == m_phase)
        return;
    m_phase = phase;
    emit phaseChanged(phase);
    emit changed();
}

void MissionState::setHolding(bool holding)
{
    if (holding == m_holding)
        return;
    m_holding = holding;
    emit holdingChanged(holding);
    emit changed();
}

void MissionState::setHoldsArmed(bool armed)
{
    if (armed == m_holdsArmed)
        return;
    m_holdsArmed = armed;
    emit holdsArmedChanged(armed);
    emit changed();
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

void MissionState::setWindowActive(bool active)
{
    if (active == m_windowActive)
        return;
    m_windowActive = active;
    emit windowActiveChanged(active);
    emit changed();
}

void MissionState::setWindowWarning(bool shown)
{
    if (shown == m_windowWarning)
        return;
    m_windowWarning = shown;
    emit windowWarningChanged(shown);
    emit changed();
}

void MissionState::setWindowExpired(bool expired)
{
    if (expired == m_windowExpired)
        return;
    m_windowExpired = expired;
    emit windowExpiredChanged(expired);
    emit changed();
}

void MissionState::setWarningArmed(bool armed)
{
    if (armed == m_warningArmed)
        return;
    m_warningArmed = armed;
    emit warningArmedChanged(armed);
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
