#pragma once

#include <QtGlobal>

// Division that rounds toward minus infinity, and the remainder that goes with it (never negative for a
// positive divisor): times before 1970 and negative offsets fall into the right second and day.
namespace FloorDivision {

constexpr qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

constexpr qint64 floorMod(qint64 a, qint64 b)
{
    return a - floorDiv(a, b) * b;
}

} // namespace FloorDivision
