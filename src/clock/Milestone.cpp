#include "Milestone.h"

#include "MissionTexts.h"
#include "platform/DateTimeServices.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;
using MissionTexts::quoted;

namespace {

using Entry = SequenceProblem::Entry;

constexpr qint32 SecsPerDay = 86400;

const QString TimeForms = u"T - 00:20:00, T + 00:02:30 or T - 1 02:00:00"_s;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads text from the front: the tools of the two parsers.
class Scanner
{
public:
    explicit Scanner(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_at == m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text[m_at]; }
    bool take(QChar c)
    {
        if (peek() != c)
            return false;
        ++m_at;
        return true;
    }
    qsizetype skipBlanks()
    {
        const qsizetype from = m_at;
        while (!atEnd() && isBlank(m_text[m_at]))
            ++m_at;
        return m_at - from;
    }
    // A run of minDigits to maxDigits ASCII digits.
    std::optional<int> number(int minDigits, int maxDigits)
    {
        const qsizetype from = m_at;
        while (!atEnd() && isDigit(m_text[m_at]) && m_at - from < maxDigits)
            ++m_at;
        if (m_at - from < minDigits || (!atEnd() && isDigit(m_text[m_at])))
            return std::nullopt;
        return m_text.sliced(from, m_at - from).toInt();
    }
    // "h:mm:ss" from here, the hours in one or two digits.
    std::optional<std::array<int, 3>> clockTime()
    {
        const auto h = number(1, 2);
        if (!h || !take(u':'))
            return std::nullopt;
        const auto m = number(2, 2);
        if (!m || !take(u':'))
            return std::nullopt;
        const auto s = number(2, 2);
        if (!s)
            return std::nullopt;
        return std::array<int, 3>{*h, *m, *s};
    }

private:
    QStringView m_text;
    qsizetype m_at = 0;
};

SequenceProblem timeOutOfRange(const QString& shown)
{
    return {Entry::TTime, u"The T-time "_s % shown %
                              u" is out of range: days run from 0 to 365, hours from 00 to 23, and minutes and "
                              u"seconds from 00 to 59."};
}

SequenceProblem lengthOutOfRange(const QString& shown)
{
    return {Entry::Length,
            u"The planned length "_s % shown % u" is out of range: a built-in hold lasts from 0:00:01 to 23:59:59."};
}

// Characters as a person counts them: a pair of surrogates is one.
qsizetype characterCount(const QString& text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate()))
            ++count;
    }
    return count;
}

bool isControl(QChar c)
{
    const auto category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

} // namespace

SequenceProblem Milestone::problem() const
{
    if (time < -FarthestTime || time > FarthestTime)
        return timeOutOfRange(timeText(time));
    if (name.trimmed().isEmpty())
        return {Entry::Name, u"The name is empty."_s};
    if (name.front().isSpace() || name.back().isSpace())
        return {Entry::Name, u"The name "_s % quoted(name) % u" begins or ends with a blank."};
    if (std::any_of(name.cbegin(), name.cend(), isControl) || !QStringView(name).isValidUtf16())
        return {Entry::Name, u"The name holds a line break or another control character."_s};
    if (const qsizetype count = characterCount(name); count > LongestName) {
        return {Entry::Name, u"The name has %1 characters; a name has at most %2."_s.arg(count).arg(LongestName)};
    }
    if (kind == Kind::Callout) {
        if (plannedLength != 0) {
            return {Entry::Length,
                    u"A callout has no planned length; leave the length empty, or make it a built-in hold."_s};
        }
        return {};
    }
    if (plannedLength < ShortestHold || plannedLength > LongestHold)
        return lengthOutOfRange(lengthText(plannedLength));
    if (time > LatestHoldTime) {
        return {Entry::TTime, u"A built-in hold must stand at T - 00:00:01 or earlier, and "_s % timeText(time) %
                                  u" is later: holds cannot begin from liftoff on."};
    }
    return {};
}

QString Milestone::timeText(qint32 time)
{
    return MissionTexts::clockText(u'T', -qint64(time));
}

QString Milestone::lengthText(qint32 seconds)
{
    return MissionTexts::windowText(seconds);
}

Milestone::Parsed Milestone::parseTime(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return {std::nullopt, {Entry::TTime, u"The T-time is empty: write it as "_s % TimeForms % u'.'}};
    const SequenceProblem notATime{Entry::TTime,
                                   u"The T-time "_s % quoted(text) % u" is not in the form " % TimeForms % u'.'};
    Scanner in(text);
    if (!in.take(u'T') && !in.take(u't'))
        return {std::nullopt, notATime};
    in.skipBlanks();
    int sign = 0;
    if (in.take(u'+'))
        sign = 1;
    else if (in.take(u'-') || in.take(QChar(0x2013)) || in.take(QChar(0x2212))) // en dash, minus sign
        sign = -1;
    if (sign == 0)
        return {std::nullopt, notATime};
    in.skipBlanks();
    // Days come first when a blank follows the first number; without days it is the hours.
    Scanner ahead = in;
    std::optional<int> days = ahead.number(1, 3);
    if (days && ahead.skipBlanks() > 0)
        in = ahead;
    else
        days = 0;
    const auto hms = in.clockTime();
    if (!hms || !in.atEnd())
        return {std::nullopt, notATime};
    const auto [h, m, s] = *hms;
    if (*days > MostDays || h > 23 || m > 59 || s > 59)
        return {std::nullopt, timeOutOfRange(quoted(text))};
    return {sign * (*days * SecsPerDay + h * 3600 + m * 60 + s), {}};
}

Milestone::Parsed Milestone::parseLength(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return {std::nullopt, {Entry::Length, u"A built-in hold needs a planned length, such as 0:10:00."_s}};
    Scanner in(text);
    const auto hms = in.clockTime();
    if (!hms || !in.atEnd()) {
        return {std::nullopt,
                {Entry::Length,
                 u"The planned length "_s % quoted(text) % u" is not in the form h:mm:ss, such as 0:10:00."}};
    }
    const auto [h, m, s] = *hms;
    const qint32 length = h * 3600 + m * 60 + s;
    if (h > 23 || m > 59 || s > 59 || length < ShortestHold)
        return {std::nullopt, lengthOutOfRange(quoted(text))};
    return {length, {}};
}

BuiltMilestone Milestone::fromTexts(QStringView time, const QString& name, Kind kind, QStringView length)
{
    const Parsed t = parseTime(time);
    if (!t.value)
        return {std::nullopt, t.problem};
    Milestone milestone{*t.value, name.trimmed(), kind, 0};
    if (kind == Kind::BuiltInHold) {
        const Parsed l = parseLength(length);
        if (!l.value)
            return {std::nullopt, l.problem};
        milestone.plannedLength = *l.value;
    } else if (!length.trimmed().isEmpty()) {
        milestone.plannedLength = -1; // refused below with the callout's own reason
    }
    if (SequenceProblem problem = milestone.problem(); !problem.isNone())
        return {std::nullopt, std::move(problem)};
    return {std::move(milestone), {}};
}
