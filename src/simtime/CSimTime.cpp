#include "CSimTime.h"

#include <limits>

std::optional<qint32> totalSeconds(const CSimTime& mission)
{
    // Each product and sum checked as the 32-bit arithmetic would go, so an out-of-range total is caught
    // instead of wrapping round.
    qint64 total = 0;
    for (qint64 term : {qint64(mission.Days()) * 86400, qint64(mission.Hours()) * 3600, qint64(mission.Minutes()) * 60,
                        qint64(mission.Seconds())}) {
        if (term < std::numeric_limits<qint32>::min() || term > std::numeric_limits<qint32>::max())
            return std::nullopt;
        total += term;
        if (total < std::numeric_limits<qint32>::min() || total > std::numeric_limits<qint32>::max())
            return std::nullopt;
    }
    return static_cast<qint32>(total);
}
