#include "CivilDateTime.h"

#include "FloorDivision.h"

using FloorDivision::floorDiv;

namespace {
constexpr qint64 SecsPerDay = 86400;
constexpr qint64 EpochJulianDay = 2440588; // QDate(1970, 1, 1).toJulianDay(), usable during static initialisation
} // namespace

CivilDateTime::CivilDateTime(QDate date, QTime time)
    : m_secs((date.toJulianDay() - EpochJulianDay) * SecsPerDay + time.msecsSinceStartOfDay() / 1000)
{
}

QDate CivilDateTime::date() const
{
    return QDate::fromJulianDay(EpochJulianDay + floorDiv(m_secs, SecsPerDay));
}

int CivilDateTime::secondOfDay() const
{
    return static_cast<int>(m_secs - floorDiv(m_secs, SecsPerDay) * SecsPerDay);
}

QTime CivilDateTime::time() const
{
    return QTime::fromMSecsSinceStartOfDay(secondOfDay() * 1000);
}
