#include "MissionTexts.h"

#include "platform/DateTimeServices.h"

using namespace Qt::StringLiterals;
using DateTimeServices::formatNumber;

namespace {

QString duration(int secs, int hourDigits)
{
    return formatNumber(secs / 3600, hourDigits) + u':' + formatNumber(secs % 3600 / 60, 2) + u':' +
           formatNumber(secs % 60, 2);
}

} // namespace

QString MissionTexts::heldTargetText(const CivilDateTime& target)
{
    return DateTimeServices::format(target, u"mmmm d, yyyy   h:mm:ss AM/PM");
}

QString MissionTexts::enteredTargetText(const CivilDateTime& target)
{
    return DateTimeServices::format(target, u"mmmm dd, yyyy   h:mm:ss AM/PM");
}

QString MissionTexts::clockText(QChar letter, qint64 secondsToLiftoff)
{
    constexpr qint64 SecsPerDay = 86400;
    const bool before = secondsToLiftoff > 0;
    const qint64 magnitude = before ? secondsToLiftoff : -secondsToLiftoff;
    const qint64 days = magnitude / SecsPerDay;
    const qint64 rest = magnitude % SecsPerDay;
    return letter % (before ? u" - "_s : u" + "_s) % (days > 0 ? formatNumber(days, 1) % u' ' : QString()) %
           duration(static_cast<int>(rest), 2);
}

QString MissionTexts::windowText(int secs)
{
    return duration(secs, 1);
}

QString MissionTexts::runningWindowText(int secs)
{
    return duration(secs, 2);
}

QString MissionTexts::quoted(QStringView text)
{
    constexpr qsizetype Longest = 40;
    if (text.size() <= Longest)
        return u'"' + text.toString() + u'"';
    return u'"' + cut(text.toString(), Longest) + u"...\""_s;
}

QString MissionTexts::cut(const QString& text, qsizetype length)
{
    QString head = text.left(length);
    if (head.size() < text.size() && !head.isEmpty() && head.back().isHighSurrogate())
        head.chop(1);
    return head;
}

QString MissionTexts::signText(bool afterLiftoff)
{
    return afterLiftoff ? u"T +"_s : u"T -"_s;
}

MissionTexts::ShownCount MissionTexts::shownCount(std::optional<qint64> secondsToTarget, const QString& sign)
{
    if (!secondsToTarget)
        return {sign, u"---"_s, u"--"_s, u"--"_s, u"--"_s};
    qint64 secs = *secondsToTarget < 0 ? -*secondsToTarget : *secondsToTarget;
    constexpr qint64 SecsPerDay = 86400;
    ShownCount shown;
    shown.sign = sign;
    shown.days = formatNumber(secs / SecsPerDay, 3);
    secs %= SecsPerDay;
    shown.hours = formatNumber(secs / 3600, 2);
    secs %= 3600;
    shown.minutes = formatNumber(secs / 60, 2);
    shown.seconds = formatNumber(secs % 60, 2);
    return shown;
}
