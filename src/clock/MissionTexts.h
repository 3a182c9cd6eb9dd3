#pragma once

#include "platform/CivilDateTime.h"

#include <QString>

#include <array>
#include <optional>

// The mission's own texts and limits, in one place for every view and every part that writes them.
namespace MissionTexts {

// The launch target as a hold moves it ("mmmm d, yyyy   h:mm:ss AM/PM") and as Set Launch Time writes it (with
// a two-digit day).
QString heldTargetText(const CivilDateTime& target);
QString enteredTargetText(const CivilDateTime& target);

// A clock to liftoff as the sequence writes it: the letter, "-" before liftoff and "+" from it on, days only when
// there are any: "T - 00:20:00", "L - 1 02:00:00", "T + 00:00:00".
QString clockText(QChar letter, qint64 secondsToLiftoff);

// A launch window as it is set ("h:mm:ss") and while it runs down ("hh:mm:ss").
QString windowText(int secs);
QString runningWindowText(int secs);
constexpr int LongestWindow = 86399; // 23:59:59
// The warning below the count: a launch window running down during a hold, with less than a minute left, while
// the start of the hold has armed it.
constexpr int WarningBelow = 60;
constexpr bool windowWarningDue(std::optional<int> remaining, bool active, bool armed, bool holding)
{
    return remaining && *remaining < WarningBelow && active && armed && holding;
}

// The longest texts the entry fields take: the launch date, and each two-digit time field.
constexpr qsizetype LaunchDateLength = 18;
constexpr qsizetype TimeFieldLength = 2;
// The first length characters of text, never half of a surrogate pair.
QString cut(const QString& text, qsizetype length);
// A value the operator wrote, in double quotes for a message, cut to its first 40 characters and "..." when longer.
QString quoted(QStringView text);

// The indicator lamps: each is lit only while 0 < T-minus <= limit, on the displayed seconds of its parity.
struct Lamp
{
    qint32 limit;
    int parity;
};
constexpr std::array<Lamp, 3> Lamps = {{{3600, 0}, {600, 0}, {60, 1}}};

// The count as the window shows it: "T -" or "T +", then days ("000", more digits when needed), hours,
// minutes and seconds ("00"); dashes when there is no count.
struct ShownCount
{
    QString sign;
    QString days;
    QString hours;
    QString minutes;
    QString seconds;
};
// secondsToTarget: the count, positive before liftoff; the sign stands as it was when there is none.
ShownCount shownCount(std::optional<qint64> secondsToTarget, const QString& sign);
QString signText(bool afterLiftoff);

} // namespace MissionTexts
