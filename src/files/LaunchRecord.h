#pragma once

#include "clock/MissionTexts.h"

#include <QString>

// The launch settings as one launch data file carries them, in the file's field order.
struct LaunchRecord
{
    static constexpr int FieldCount = 13;
    static constexpr int LaunchDateLength = MissionTexts::LaunchDateLength; // the longest text the date field takes
    static constexpr int EntryLength = MissionTexts::TimeFieldLength;       // and a time entry field

    QString launchTarget;            // 1: as lblTarget shows it
    QString launchDate;              // 2
    bool launchWindowActive = false; // 3: written 1 or 0
    bool holdsArmed = false;         // 4: written #TRUE# or #FALSE#
    QString launchWindowRemaining;   // 5: as lblLaunchWindow shows it
    QString launchSeconds;           // 6
    QString launchMinutes;           // 7
    QString launchHours;             // 8
    QString windowSeconds;           // 9
    QString windowMinutes;           // 10
    QString windowHours;             // 11
    QString saveName;                // 12: the path the record was written to
    QString currentFile;             // 13: the file that was current before that save

    bool operator==(const LaunchRecord&) const = default;

    // How messages name a field, e.g. "field 7 (the launch minute)".
    static QString fieldName(int number);
    // A field's text can be written into the record: it holds no double quote and no line break.
    static bool canHold(const QString& text);
};
