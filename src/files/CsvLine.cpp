#include "CsvLine.h"

using namespace Qt::StringLiterals;

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

CsvLine::Split CsvLine::split(QStringView line)
{
    QStringList fields;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (true) {
        while (i < n && isBlank(line[i]))
            ++i;
        QString value;
        if (i < n && line[i] == u'"') {
            ++i;
            while (true) {
                const qsizetype close = line.indexOf(u'"', i);
                if (close < 0)
                    return {std::nullopt, u"A double quote opens a field that the line does not close."_s};
                value += line.sliced(i, close - i);
                i = close + 1;
                if (i < n && line[i] == u'"') {
                    value += u'"';
                    ++i;
                } else {
                    break;
                }
            }
            while (i < n && isBlank(line[i]))
                ++i;
            if (i < n && line[i] != u',')
                return {std::nullopt, u"A field goes on after its closing double quote."_s};
        } else {
            const qsizetype comma = line.indexOf(u',', i);
            const qsizetype end = comma < 0 ? n : comma;
            value = line.sliced(i, end - i).trimmed().toString();
            i = end;
        }
        fields.append(value);
        if (i >= n)
            break;
        ++i; // the comma
    }
    return {std::move(fields), QString()};
}

QString CsvLine::field(const QString& value)
{
    const bool plain = !value.contains(u',') && !value.contains(u'"') &&
                       (value.isEmpty() || (!isBlank(value.front()) && !isBlank(value.back())));
    if (plain)
        return value;
    QString doubled = value;
    doubled.replace(u'"', u"\"\""_s);
    return u'"' + doubled + u'"';
}
