#pragma once

#include <QString>

// The texts of three time entry fields, in the order a launch data file keeps them.
struct EntryTexts
{
    QString seconds;
    QString minutes;
    QString hours;

    bool operator==(const EntryTexts&) const = default;
};
