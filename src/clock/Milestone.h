#pragma once

#include "SequenceProblem.h"

#include <QString>
#include <QStringView>

#include <optional>

struct BuiltMilestone;

// One milestone of the countdown sequence: a named moment (a callout) or a hold built into the plan, at a T-time
// given in whole seconds from liftoff, negative before it (T - 00:20:00 is -1200, T + 00:02:30 is 150).
struct Milestone
{
    enum class Kind
    {
        Callout,
        BuiltInHold
    };

    static constexpr int MostDays = 365;
    static constexpr qint32 FarthestTime = MostDays * 86400 + 86399; // T -/+ 365 23:59:59
    // Holds cannot be armed from liftoff on, so a built-in hold begins at T - 00:00:01 at the latest.
    static constexpr qint32 LatestHoldTime = -1;
    static constexpr qint32 ShortestHold = 1;    // 0:00:01
    static constexpr qint32 LongestHold = 86399; // 23:59:59
    // Unicode characters, a pair of surrogates counting once; so a name takes at most 240 bytes in UTF-8.
    static constexpr qsizetype LongestName = 60;

    qint32 time = 0;
    QString name;
    Kind kind = Kind::Callout;
    qint32 plannedLength = 0; // seconds; a built-in hold's only, 0 for a callout

    bool isBuiltInHold() const { return kind == Kind::BuiltInHold; }
    bool operator==(const Milestone&) const = default;

    // What is wrong with this milestone on its own; the sequence adds the rules that concern other milestones. A
    // name has no blanks around it and no control characters.
    SequenceProblem problem() const;

    // "T - 00:20:00", "T + 00:02:30", "T - 1 02:00:00"; liftoff itself is "T + 00:00:00", as the count shows it.
    static QString timeText(qint32 time);
    // "0:10:00"
    static QString lengthText(qint32 seconds);

    // A value read from the operator's text, or what is wrong with the text.
    struct Parsed
    {
        std::optional<qint32> value;
        SequenceProblem problem;
    };
    // The forms timeText() writes, with blanks around the sign optional, a lower-case t, and a dash or minus sign
    // for the hyphen; days from 0 to 365, hours 0 to 23 in one or two digits, minutes and seconds in two.
    static Parsed parseTime(QStringView text);
    // "h:mm:ss" or "hh:mm:ss", from 0:00:01 to 23:59:59.
    static Parsed parseLength(QStringView text);

    // A milestone made from the texts of its entries (the length is left empty for a callout), or the first
    // problem with them. The name is taken without the blanks around it.
    static BuiltMilestone fromTexts(QStringView time, const QString& name, Kind kind, QStringView length);
};

struct BuiltMilestone
{
    std::optional<Milestone> milestone;
    SequenceProblem problem;
};
