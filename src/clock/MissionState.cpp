#include "MissionState.h"

#include "platform/DateTimeServices.h"

template <typename T> void MissionState::update(T& member, T value, void (MissionState::*notify)(T))
{
    if (value == member)
        return;
    member = value;
    emit(this->*notify)(value);
    emit changed();
}

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
    update(m_phase, phase, &MissionState::phaseChanged);
}

void MissionState::setHolding(bool holding)
{
    update(m_holding, holding, &MissionState::holdingChanged);
}

void MissionState::setHoldsArmed(bool armed)
{
    update(m_holdsArmed, armed, &MissionState::holdsArmedChanged);
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
    update(m_windowActive, active, &MissionState::windowActiveChanged);
}

void MissionState::setWindowWarning(bool shown)
{
    update(m_windowWarning, shown, &MissionState::windowWarningChanged);
}

void MissionState::setWindowExpired(bool expired)
{
    update(m_windowExpired, expired, &MissionState::windowExpiredChanged);
}

void MissionState::setWarningArmed(bool armed)
{
    update(m_warningArmed, armed, &MissionState::warningArmedChanged);
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
