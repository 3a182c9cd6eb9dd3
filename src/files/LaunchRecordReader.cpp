#include "LaunchRecordReader.h"

#include "FileBytes.h"
#include "clock/MissionTexts.h"
#include "platform/DateTimeServices.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

// Windows-1252 for 0x80 to 0x9F; 0 marks the five bytes the code page leaves undefined. The other bytes
// above 0x7F are Latin-1.
constexpr std::array<char16_t, 32> Cp1252High = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool isText(QChar c)
{
    const char16_t u = c.unicode();
    if (u == u'\t' || u == u'\r' || u == u'\n')
        return true;
    return u >= 0x20 && !(u >= 0x7F && u <= 0x9F);
}

std::optional<QString> fromCp1252(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        if (byte >= 0x80 && byte <= 0x9F) {
            const char16_t mapped = Cp1252High[byte - 0x80];
            if (mapped == 0)
                return std::nullopt;
            text.append(QChar(mapped));
        } else {
            text.append(QChar(char16_t(byte)));
        }
    }
    return text;
}

bool isSeparator(QChar c)
{
    return c == u',' || c == u'\r' || c == u'\n';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool wholeNumberIn(const QString& text, int highest)
{
    if (text.isEmpty() || text.size() > 2)
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return text.toInt() <= highest;
}

LaunchRecordReader::Result failure(QString problem)
{
    return {std::nullopt, std::move(problem)};
}

LaunchRecordReader::Result tooLarge()
{
    return failure(u"The file is larger than 64 KiB, too large for a launch data file."_s);
}

} // namespace

std::optional<QString> LaunchRecordReader::decodeText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        auto fallback = fromCp1252(bytes);
        if (!fallback)
            return std::nullopt;
        text = std::move(*fallback);
    }
    for (const QChar c : std::as_const(text)) {
        if (!isText(c))
            return std::nullopt;
    }
    return text;
}

QStringList LaunchRecordReader::splitFields(QStringView text, int maxFields)
{
    QStringList fields;
    const qsizetype n = text.size();
    qsizetype i = 0;
    bool afterComma = false;
    while (fields.size() < maxFields) {
        while (i < n && isBlank(text[i]))
            ++i;
        if (i >= n) {
            if (afterComma) // a comma promises one more field, even an empty one
                fields.append(QString());
            break;
        }
        if (text[i] == u'"') {
            const qsizetype close = text.indexOf(u'"', i + 1);
            if (close < 0) {
                fields.append(text.sliced(i + 1).toString());
                i = n;
            } else {
                fields.append(text.sliced(i + 1, close - i - 1).toString());
                i = close + 1;
                while (i < n && !isSeparator(text[i]))
                    ++i;
            }
        } else {
            qsizetype end = i;
            while (end < n && !isSeparator(text[end]))
                ++end;
            qsizetype last = end;
            while (last > i && isBlank(text[last - 1]))
                --last;
            fields.append(text.sliced(i, last - i).toString());
            i = end;
        }
        afterComma = false;
        if (i < n) {
            if (text[i] == u',') {
                afterComma = true;
                ++i;
            } else if (text[i] == u'\r') {
                ++i;
                if (i < n && text[i] == u'\n')
                    ++i;
            } else {
                ++i;
            }
        }
    }
    return fields;
}

LaunchRecordReader::Result LaunchRecordReader::parse(QByteArrayView bytes)
{
    if (bytes.size() > MaxFileSize)
        return tooLarge();
    const auto text = decodeText(bytes);
    if (!text)
        return failure(u"The file holds bytes that are not text."_s);
    // Splitting on to the end tells a launch record from a longer file, such as a list of accounts: only a
    // launch record's own values are ever quoted back.
    QStringList f = splitFields(*text, int(text->size()) + 1);
    const bool onlyARecord = std::all_of(f.cbegin() + std::min<qsizetype>(f.size(), LaunchRecord::FieldCount), f.cend(),
                                         [](const QString& field) { return field.trimmed().isEmpty(); });
    f = f.mid(0, LaunchRecord::FieldCount);
    if (f.size() < LaunchRecord::FieldCount) {
        return failure(
            u"The file holds %1 of the %2 fields of a launch data file."_s.arg(f.size()).arg(LaunchRecord::FieldCount));
    }
    // Field 13 is never used, so only the fields that are kept must fit on the record's one line.
    for (int number = 1; number < LaunchRecord::FieldCount; ++number) {
        if (f[number - 1].contains(u'\r') || f[number - 1].contains(u'\n'))
            return failure(u"The text of %1 runs over a line break."_s.arg(LaunchRecord::fieldName(number)));
    }
    auto bad = [&](int number, const QString& expected) {
        if (!onlyARecord) {
            QString name = LaunchRecord::fieldName(number);
            name[0] = name[0].toUpper();
            return failure(u"%1 is not %2."_s.arg(name, expected));
        }
        return failure(u"The value %1 of %2 is not %3."_s.arg(MissionTexts::quoted(f[number - 1]),
                                                              LaunchRecord::fieldName(number), expected));
    };

    LaunchRecord r;
    r.launchTarget = f[0];
    if (!DateTimeServices::parseDateTime(r.launchTarget))
        return bad(1, u"a date and time"_s);
    r.launchDate = MissionTexts::cut(f[1], LaunchRecord::LaunchDateLength);
    if (f[2] != u"0" && f[2] != u"1")
        return bad(3, u"0 or 1"_s);
    r.launchWindowActive = f[2] == u"1";
    if (f[3] != u"#TRUE#" && f[3] != u"#FALSE#")
        return bad(4, u"#TRUE# or #FALSE#"_s);
    r.holdsArmed = f[3] == u"#TRUE#";
    r.launchWindowRemaining = f[4];
    if (!DateTimeServices::parseTimeOfDay(r.launchWindowRemaining))
        return bad(5, u"a duration such as 1:30:00"_s);
    const std::array<int, 3> highest = {59, 59, 23};
    for (int k = 0; k < 3; ++k) {
        if (!wholeNumberIn(f[5 + k], highest[size_t(k)]))
            return bad(6 + k, u"a whole number from 0 to %1"_s.arg(highest[size_t(k)]));
    }
    r.launchSeconds = f[5];
    r.launchMinutes = f[6];
    r.launchHours = f[7];
    r.windowSeconds = MissionTexts::cut(f[8], LaunchRecord::EntryLength);
    r.windowMinutes = MissionTexts::cut(f[9], LaunchRecord::EntryLength);
    r.windowHours = MissionTexts::cut(f[10], LaunchRecord::EntryLength);
    r.saveName = f[11];
    r.currentFile = f[12];
    return {std::move(r), QString()};
}

LaunchRecordReader::Result LaunchRecordReader::readFile(const QString& path)
{
    const FileBytes::Read file = FileBytes::read(path, MaxFileSize);
    if (!file.problem.isEmpty())
        return failure(file.problem);
    return parse(file.bytes);
}
