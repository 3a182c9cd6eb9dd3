#pragma once

#include "Milestone.h"
#include "platform/CivilDateTime.h"

#include <QString>

#include <algorithm>

// The built-in hold that holds the count now: its milestone as the sequence has it, the moment it began, and the
// minutes the operator added to it.
struct RunningHold
{
    Milestone milestone;
    CivilDateTime start;
    qint32 extension = 0;

    // The planned length with the extensions, never more than a hold can add.
    qint32 length() const { return std::min(milestone.plannedLength + extension, Milestone::LongestHold); }
    bool operator==(const RunningHold&) const = default;
};

// Whether the built-in holds still to run fit what is left of an active launch window.
struct WindowCheck
{
    bool applies = false; // the launch window is active and its remaining time reads as a duration
    qint64 needed = 0;    // seconds the remaining built-in holds take, the rest of a running one included
    qint64 left = 0;      // seconds of launch window left

    bool fits() const { return needed <= left; }
    // "The planned holds need 0:12:00 and 0:10:00 of launch window is left"; empty when it does not apply.
    QString text() const;
    bool operator==(const WindowCheck&) const = default;
};
