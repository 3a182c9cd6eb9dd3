#include "HeldTime.h"

#include "platform/DateTimeServices.h"

qint64 HeldTime::between(const CivilDateTime& start, const CivilDateTime& now)
{
    const qint64 r = DateTimeServices::secondsBetween(start, now) % 86400; // truncates toward zero
    return DateTimeServices::timeOf(r / 3600, r % 3600 / 60, r % 60);
}
