#pragma once

#include "CivilDateTime.h"

#include <QString>
#include <QStringView>

#include <optional>

// The date and time services the clock relies on. Pure functions over civil date-times: no time zone,
// no daylight saving and English month names whatever the locale, so no result depends on the machine.
namespace DateTimeServices {

// Units of add(): seconds "s", minutes "n", days "d".
enum class Interval
{
    Seconds,
    Minutes,
    Days
};

// Formats with a pattern made of: mmmm (January), mmm (Jan), dd/d (day with/without leading zero), yyyy,
// hh/h (12-hour clock when AM/PM is in the pattern, else 24-hour), mm right after an hour (minutes),
// ss, AM/PM. Any other character stands for itself.
QString format(const CivilDateTime& value, QStringView pattern);

// The general date form used for the hidden bookkeeping texts: "m/d/yyyy h:mm:ss AM/PM".
QString formatGeneral(const CivilDateTime& value);

// A whole number with leading zeros to at least minDigits digits ("000", "00"); negative numbers keep their sign.
QString formatNumber(qint64 number, int minDigits);

// Parses a date with an optional time of day. Dates: "May 3, 2001", "May 03, 2001", "Sep 9 2001",
// "5/3/2001" (month first, four-digit year). Times: "10:30:00 AM", "14:05", "2:05:00 PM".
// Spaces between the parts may be repeated. Returns nothing for anything else.
std::optional<CivilDateTime> parseDateTime(QStringView text);

// A date and no time of day, in one of the forms parseDateTime() accepts.
std::optional<QDate> parseDate(QStringView text);
bool isValidDate(QStringView text);

// A time of day such as "1:30:00", "01:30:00" or "1:30:00 PM", as seconds since midnight (0 to 86,399).
std::optional<int> parseTimeOfDay(QStringView text);

// count units added to value, crossing midnight, month and year ends.
CivilDateTime add(Interval unit, qint64 count, const CivilDateTime& value);

// Whole seconds from a to b, negative when b is earlier.
qint64 secondsBetween(const CivilDateTime& a, const CivilDateTime& b);

// The length of hours:minutes:seconds in seconds; negative parts give a negative length.
qint64 timeOf(qint64 hours, qint64 minutes, qint64 seconds);

} // namespace DateTimeServices
