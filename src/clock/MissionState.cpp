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
