#pragma once

#include <QDate>
#include <QTime>

#include <compare>

// A local calendar date and time of day to the whole second. No time zone and no daylight-saving
// rule belongs to it, so adding and subtracting seconds is plain calendar arithmetic.
class CivilDateTime
{
public:
    constexpr CivilDateTime() = default;
    // The date must be valid; the time is taken to the whole second.
    CivilDateTime(QDate date, QTime time);

    static constexpr CivilDateTime fromSecsSinceEpoch(qint64 secs) { return CivilDateTime(secs); }
    constexpr qint64 secsSinceEpoch() const { return m_secs; }

    QDate date() const;
    QTime time() const;
    int secondOfDay() const;

    constexpr CivilDateTime addSecs(qint64 secs) const { return CivilDateTime(m_secs + secs); }
    // Whole seconds from this date-time to other; negative when other is earlier.
    constexpr qint64 secsTo(CivilDateTime other) const { return other.m_secs - m_secs; }

    constexpr auto operator<=>(const CivilDateTime&) const = default;

private:
    constexpr explicit CivilDateTime(qint64 secs) : m_secs(secs) {}

    qint64 m_secs = 0; // seconds since 1970-01-01 00:00:00 on the same calendar
};
