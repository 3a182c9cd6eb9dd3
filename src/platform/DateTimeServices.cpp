#include "DateTimeServices.h"

#include <QList>

#include <array>

using namespace Qt::StringLiterals;

namespace DateTimeServices {

namespace {

constexpr std::array<QStringView, 12> MonthNames = {u"January",   u"February", u"March",    u"April",
                                                    u"May",       u"June",     u"July",     u"August",
                                                    u"September", u"October",  u"November", u"December"};

// Years the calendar texts may name: four digits, as on the forms the operator fills in.
constexpr int FirstYear = 100;
constexpr int LastYear = 9999;

QString twoDigits(int n)
{
    return formatNumber(n, 2);
}

int hour12(int hour)
{
    const int h = hour % 12;
    return h == 0 ? 12 : h;
}

// Tokens of a date-time text: words, runs of digits and single separator characters; blanks only separate.
struct Token
{
    enum Kind
    {
        Word,
        Number,
        Separator
    } kind;
    QStringView text;
};

QList<Token> tokenize(QStringView text)
{
    QList<Token> tokens;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == u' ' || c == u'\t') {
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        Token::Kind kind = Token::Separator;
        if (c.isLetter()) {
            kind = Token::Word;
            while (j < text.size() && text[j].isLetter())
                ++j;
        } else if (c >= u'0' && c <= u'9') {
            kind = Token::Number;
            while (j < text.size() && text[j] >= u'0' && text[j] <= u'9')
                ++j;
        }
        tokens.append({kind, text.sliced(i, j - i)});
        i = j;
    }
    return tokens;
}

int monthFromName(QStringView word)
{
    if (word.size() < 3)
        return 0;
    for (int m = 0; m < 12; ++m) {
        const QStringView name = MonthNames[static_cast<size_t>(m)];
        if (word.compare(name, Qt::CaseInsensitive) == 0 || word.compare(name.first(3), Qt::CaseInsensitive) == 0)
            return m + 1;
        if (m == 8 && word.compare(u"Sept", Qt::CaseInsensitive) == 0)
            return 9;
    }
    return 0;
}

class Reader
{
public:
    explicit Reader(QList<Token> tokens) : m_tokens(std::move(tokens)) {}

    bool atEnd() const { return m_pos >= m_tokens.size(); }

    std::optional<int> number(int maxDigits)
    {
        if (atEnd() || m_tokens[m_pos].kind != Token::Number || m_tokens[m_pos].text.size() > maxDigits)
            return std::nullopt;
        return m_tokens[m_pos++].text.toInt();
    }

    std::optional<int> year()
    {
        if (atEnd() || m_tokens[m_pos].kind != Token::Number || m_tokens[m_pos].text.size() != 4)
            return std::nullopt;
        const int y = m_tokens[m_pos++].text.toInt();
        return (y >= FirstYear && y <= LastYear) ? std::optional<int>(y) : std::nullopt;
    }

    bool separator(QChar c)
    {
        if (atEnd() || m_tokens[m_pos].kind != Token::Separator || m_tokens[m_pos].text.front() != c)
            return false;
        ++m_pos;
        return true;
    }

    std::optional<QStringView> word()
    {
        if (atEnd() || m_tokens[m_pos].kind != Token::Word)
            return std::nullopt;
        return m_tokens[m_pos++].text;
    }

    bool nextIsNumber() const { return !atEnd() && m_tokens[m_pos].kind == Token::Number; }
    bool nextIsWord() const { return !atEnd() && m_tokens[m_pos].kind == Token::Word; }

    std::optional<QDate> date()
    {
        int month = 0, day = 0, year = 0;
        if (nextIsWord()) { // May 3, 2001
            month = monthFromName(*word());
            const auto d = number(2);
            if (month == 0 || !d)
                return std::nullopt;
            day = *d;
            separator(u',');
            const auto y = this->year();
            if (!y)
                return std::nullopt;
            year = *y;
        } else { // 5/3/2001
            const auto m = number(2);
            if (!m || !separator(u'/'))
                return std::nullopt;
            const auto d = number(2);
            if (!d || !separator(u'/'))
                return std::nullopt;
            const auto y = this->year();
            if (!y)
                return std::nullopt;
            month = *m;
            day = *d;
            year = *y;
        }
        const QDate result(year, month, day);
        return result.isValid() ? std::optional<QDate>(result) : std::nullopt;
    }

    // hh:mm[:ss] [AM|PM], as seconds since midnight.
    std::optional<int> timeOfDay()
    {
        const auto h = number(2);
        if (!h || !separator(u':'))
            return std::nullopt;
        const auto m = number(2);
        if (!m || *m > 59)
            return std::nullopt;
        int s = 0;
        if (separator(u':')) {
            const auto sec = number(2);
            if (!sec || *sec > 59)
                return std::nullopt;
            s = *sec;
        }
        int hour = *h;
        if (nextIsWord()) {
            const QStringView marker = *word();
            const bool am = marker.compare(u"AM", Qt::CaseInsensitive) == 0;
            const bool pm = marker.compare(u"PM", Qt::CaseInsensitive) == 0;
            if ((!am && !pm) || hour < 1 || hour > 12)
                return std::nullopt;
            hour = (hour % 12) + (pm ? 12 : 0);
        } else if (hour > 23) {
            return std::nullopt;
        }
        return hour * 3600 + *m * 60 + s;
    }

private:
    QList<Token> m_tokens;
    qsizetype m_pos = 0;
};

} // namespace

QString formatNumber(qint64 number, int minDigits)
{
    const QString digits = QString::number(number < 0 ? -number : number).rightJustified(minDigits, u'0');
    return number < 0 ? u'-' + digits : digits;
}

QString format(const CivilDateTime& value, QStringView pattern)
{
    const QDate date = value.date();
    const QTime time = value.time();
    const bool twelveHour = pattern.contains(u"AM/PM");
    QString out;
    bool afterHour = false;
    qsizetype i = 0;
    auto take = [&](QStringView token) {
        if (!pattern.sliced(i).startsWith(token))
            return false;
        i += token.size();
        return true;
    };
    while (i < pattern.size()) {
        if (take(u"mmmm")) {
            out += MonthNames[static_cast<size_t>(date.month() - 1)];
        } else if (take(u"mmm")) {
            out += MonthNames[static_cast<size_t>(date.month() - 1)].first(3);
        } else if (take(u"mm")) {
            out += afterHour ? twoDigits(time.minute()) : twoDigits(date.month());
            afterHour = false;
            continue;
        } else if (take(u"dd")) {
            out += twoDigits(date.day());
        } else if (take(u"d")) {
            out += QString::number(date.day());
        } else if (take(u"yyyy")) {
            out += formatNumber(date.year(), 4);
        } else if (take(u"hh")) {
            out += twoDigits(twelveHour ? hour12(time.hour()) : time.hour());
            afterHour = true;
            continue;
        } else if (take(u"h")) {
            out += QString::number(twelveHour ? hour12(time.hour()) : time.hour());
            afterHour = true;
            continue;
        } else if (take(u"ss")) {
            out += twoDigits(time.second());
        } else if (take(u"AM/PM")) {
            out += time.hour() < 12 ? u"AM"_s : u"PM"_s;
        } else if (take(u"m")) {
            out += QString::number(date.month());
        } else {
            out += pattern[i++];
            continue; // a separator between an hour and its minutes keeps "mm" meaning minutes
        }
        afterHour = false;
    }
    return out;
}

QString formatGeneral(const CivilDateTime& value)
{
    return format(value, u"m/d/yyyy h:mm:ss AM/PM");
}

std::optional<CivilDateTime> parseDateTime(QStringView text)
{
    Reader reader(tokenize(text));
    const auto date = reader.date();
    if (!date)
        return std::nullopt;
    int seconds = 0;
    if (!reader.atEnd()) {
        const auto t = reader.timeOfDay();
        if (!t)
            return std::nullopt;
        seconds = *t;
    }
    if (!reader.atEnd())
        return std::nullopt;
    return CivilDateTime(*date, QTime(0, 0).addSecs(seconds));
}

std::optional<QDate> parseDate(QStringView text)
{
    Reader reader(tokenize(text));
    const auto date = reader.date();
    if (!date || !reader.atEnd())
        return std::nullopt;
    return date;
}

bool isValidDate(QStringView text)
{
    return parseDate(text).has_value();
}

std::optional<int> parseTimeOfDay(QStringView text)
{
    Reader reader(tokenize(text));
    const auto t = reader.timeOfDay();
    if (!t || !reader.atEnd())
        return std::nullopt;
    return t;
}

CivilDateTime add(Interval unit, qint64 count, const CivilDateTime& value)
{
    switch (unit) {
    case Interval::Seconds:
        return value.addSecs(count);
    case Interval::Minutes:
        return value.addSecs(count * 60);
    case Interval::Days:
        return value.addSecs(count * 86400);
    }
    return value;
}

qint64 secondsBetween(const CivilDateTime& a, const CivilDateTime& b)
{
    return a.secsTo(b);
}

qint64 timeOf(qint64 hours, qint64 minutes, qint64 seconds)
{
    return hours * 3600 + minutes * 60 + seconds;
}

} // namespace DateTimeServices
