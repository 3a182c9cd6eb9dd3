#include "Clock.h"

namespace {
qint64 floorMod(qint64 a, qint64 b)
{
    const qint64 r = a % b;
    return r < 0 ? r + b : r;
}
} // namespace

CivilDateTime Clock::now() const
{
    const qint64 ms = currentMSecs();
    return CivilDateTime::fromSecsSinceEpoch((ms - floorMod(ms, 1000)) / 1000);
}

int Clock::msecsToNextSecond() const
{
    return static_cast<int>(1000 - floorMod(currentMSecs(), 1000));
}
