#include "Clock.h"

#include "FloorDivision.h"

using FloorDivision::floorMod;

CivilDateTime Clock::now() const
{
    const qint64 ms = currentMSecs();
    return CivilDateTime::fromSecsSinceEpoch((ms - floorMod(ms, 1000)) / 1000);
}

int Clock::msecsToNextSecond() const
{
    return static_cast<int>(1000 - floorMod(currentMSecs(), 1000));
}
