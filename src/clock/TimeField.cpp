#include "TimeField.h"

#include "MissionTexts.h"

#include <algorithm>

TimeField::TimeField(const QString& name, int maximumLevel, int level, const QString& text, QObject* parent)
    : QObject(parent), m_maximumLevel(maximumLevel), m_level(level), m_text(text)
{
    setObjectName(name);
}

void TimeField::setText(const QString& text)
{
    const QString kept = MissionTexts::cut(text, MissionTexts::TimeFieldLength);
    if (kept == m_text)
        return;
    m_text = kept;
    emit textChanged(m_text);
}

void TimeField::setLevel(int level)
{
    level = std::clamp(level, MinimumLevel, m_maximumLevel);
    if (level == m_level)
        return;
    m_level = level;
    emit levelChanged(m_level);
}

EntryTexts textsOf(const TimeFields& fields)
{
    return {fields[2]->text(), fields[1]->text(), fields[0]->text()};
}

void setTexts(const TimeFields& fields, const EntryTexts& texts)
{
    fields[2]->setText(texts.seconds);
    fields[1]->setText(texts.minutes);
    fields[0]->setText(texts.hours);
}
