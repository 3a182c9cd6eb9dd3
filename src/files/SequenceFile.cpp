#include "SequenceFile.h"

#include "CsvLine.h"
#include "FileBytes.h"
#include "clock/MissionTexts.h"
#include "platform/ApplicationInfo.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString HoldWord = u"hold"_s;
const QString CalloutWord = u"callout"_s;
constexpr int FieldCount = 4;
const QString PastTheLimit = u"The file goes on past 2 MiB, more than any countdown sequence needs."_s;

bool isText(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\t' || (u >= 0x20 && !(u >= 0x7F && u <= 0x9F));
}

SequenceFile::Parsed badLine(qsizetype line, const QString& problem)
{
    return {CountdownSequence(), u"Line %1 cannot be used.  "_s.arg(line) + problem, line};
}

// The fields of a line without the empty ones after the fourth: spreadsheets write those for columns that were
// only ever formatted.
QStringList withoutEmptyColumns(QStringList fields)
{
    while (fields.size() > FieldCount && fields.back().isEmpty())
        fields.removeLast();
    return fields;
}

} // namespace

QString SequenceFile::pathFor(const QString& launchDataPath)
{
    if (launchDataPath.isEmpty())
        return QString();
    if (launchDataPath.endsWith(u".trv"_s, Qt::CaseInsensitive))
        return launchDataPath.chopped(4) + u".tvseq"_s;
    return launchDataPath + u".tvseq"_s;
}

SequenceFile::Parsed SequenceFile::parse(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    const bool cut = bytes.size() > MostBytes;
    if (cut)
        bytes = bytes.first(MostBytes);

    CountdownSequence sequence;
    bool headerSeen = false;
    qsizetype number = 0;
    qsizetype at = 0;
    while (at < bytes.size()) {
        ++number;
        qsizetype end = at;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        const QByteArrayView raw = bytes.sliced(at, end - at);
        if (cut && end == bytes.size())
            return badLine(number, PastTheLimit);
        at = end + (bytes.sliced(end).startsWith("\r\n") ? 2 : 1);

        if (raw.isEmpty())
            continue;
        if (raw.size() > LongestLine)
            return badLine(number, u"It is longer than 1 KiB, longer than any line of a countdown sequence."_s);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(raw);
        if (utf8.hasError() || !std::all_of(text.cbegin(), text.cend(), isText))
            return badLine(number, u"It holds bytes that are not UTF-8 text."_s);
        const CsvLine::Split split = CsvLine::split(text);
        if (!split.fields)
            return badLine(number, split.problem);
        const QStringList fields = withoutEmptyColumns(*split.fields);
        if (std::all_of(fields.cbegin(), fields.cend(), [](const QString& f) { return f.isEmpty(); }))
            continue; // a blank line

        if (!headerSeen) {
            const QStringList names = Header.split(u',');
            const bool isHeader =
                fields.size() == names.size() &&
                std::equal(fields.cbegin(), fields.cend(), names.cbegin(),
                           [](const auto& a, const auto& b) { return a.compare(b, Qt::CaseInsensitive) == 0; });
            if (!isHeader) {
                return badLine(number, u"A countdown sequence begins with the header line "_s % Header %
                                           u", and this is not it.");
            }
            headerSeen = true;
            continue;
        }
        if (fields.size() != FieldCount) {
            return badLine(number, u"It holds %1 fields; a milestone has 4: "_s.arg(fields.size()) % Header % u'.');
        }
        const QString& kindWord = fields[1];
        std::optional<Milestone::Kind> kind;
        if (kindWord.compare(HoldWord, Qt::CaseInsensitive) == 0)
            kind = Milestone::Kind::BuiltInHold;
        else if (kindWord.compare(CalloutWord, Qt::CaseInsensitive) == 0)
            kind = Milestone::Kind::Callout;
        if (!kind) {
            return badLine(number, u"The kind "_s % MissionTexts::quoted(kindWord) % u" is neither " % HoldWord %
                                       u" nor " % CalloutWord % u'.');
        }
        const BuiltMilestone built = Milestone::fromTexts(fields[0], fields[3], *kind, fields[2]);
        if (!built.milestone)
            return badLine(number, built.problem.text);
        if (const SequenceProblem problem = sequence.add(*built.milestone); !problem.isNone())
            return badLine(number, problem.text);
    }
    if (cut) // the last line ended just before the cut
        return badLine(number + 1, PastTheLimit);
    return {std::move(sequence), QString(), 0};
}

QByteArray SequenceFile::encode(const CountdownSequence& sequence)
{
    QString text = Header + u"\r\n";
    bool onlyAscii = true;
    for (const Milestone& m : sequence.milestones()) {
        text += Milestone::timeText(m.time) % u',' % (m.isBuiltInHold() ? HoldWord : CalloutWord) % u',' %
                (m.isBuiltInHold() ? Milestone::lengthText(m.plannedLength) : QString()) % u',' %
                CsvLine::field(m.name) % u"\r\n";
        onlyAscii =
            onlyAscii && std::all_of(m.name.cbegin(), m.name.cend(), [](QChar c) { return c.unicode() < 0x80; });
    }
    return (onlyAscii ? QByteArray() : QByteArray("\xEF\xBB\xBF")) + text.toUtf8();
}

SequenceFile::Read SequenceFile::readFile(const QString& path)
{
    auto refused = [&](const QString& problem) {
        return Read{CountdownSequence(),
                    ApplicationInfo::Name % u" could not read the countdown sequence " % path % u".  " % problem, true,
                    QString()};
    };
    const FileBytes::Read file = FileBytes::read(path, MostBytes);
    if (!file.found)
        return {};
    if (!file.problem.isEmpty())
        return refused(file.problem);
    Parsed parsed = parse(file.bytes);
    if (!parsed.problem.isEmpty())
        return refused(parsed.problem);
    return {std::move(parsed.sequence), QString(), true, QFileInfo(path).canonicalFilePath()};
}

SafeSave::Written SequenceFile::writeFile(const QString& path, const CountdownSequence& sequence,
                                          const QSet<QString>& knownFiles)
{
    if (sequence.isEmpty() && !QFileInfo::exists(path))
        return {};
    if (SafeSave::isForeignLink(path, knownFiles))
        return {u"It is a link to a file that Tarvane has not read as a countdown sequence."_s};
    return SafeSave::writeFile(path, encode(sequence));
}

QString SequenceFile::cannotSaveMessage(const QString& path, const SafeSave::Written& written)
{
    return ApplicationInfo::Name % u" could not save the countdown sequence " % path % u".  " % written.problem %
           (written.replaced ? u""_s : u"  Nothing was written."_s);
}
