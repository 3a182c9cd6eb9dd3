#pragma once

#include <QString>

#include <optional>

// A mission time as days, hours, minutes and seconds, each kept exactly as set: no range check and no carry,
// so Minutes = 75 stays 75. The sign of a mission time is carried by the four numbers (all zero or below for
// T minus); PrePost is there for callers that want a text with it and is not read by the program.
class CSimTime
{
public:
    void setPrePost(const QString& text) { m_prePost = text; }
    QString PrePost() const { return m_prePost; }
    void setSeconds(qint32 value) { m_seconds = value; }
    qint32 Seconds() const { return m_seconds; }
    void setMinutes(qint32 value) { m_minutes = value; }
    qint32 Minutes() const { return m_minutes; }
    void setHours(qint32 value) { m_hours = value; }
    qint32 Hours() const { return m_hours; }
    void setDays(qint32 value) { m_days = value; }
    qint32 Days() const { return m_days; }

private:
    QString m_prePost;
    qint32 m_seconds = 0;
    qint32 m_minutes = 0;
    qint32 m_hours = 0;
    qint32 m_days = 0;
};

// Days x 86400 + Hours x 3600 + Minutes x 60 + Seconds as a signed 32-bit number; nothing when the total (or a
// step on the way to it) does not fit one.
std::optional<qint32> totalSeconds(const CSimTime& mission);
