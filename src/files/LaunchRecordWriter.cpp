#include "LaunchRecordWriter.h"

using namespace Qt::StringLiterals;

LaunchRecordWriter::Encoded LaunchRecordWriter::encode(const LaunchRecord& r)
{
    const QString texts[LaunchRecord::FieldCount] = {
        r.launchTarget,  r.launchDate,    QString(),     QString(),       r.launchWindowRemaining,
        r.launchSeconds, r.launchMinutes, r.launchHours, r.windowSeconds, r.windowMinutes,
        r.windowHours,   r.saveName,      r.currentFile};
    QString line;
    for (int number = 1; number <= LaunchRecord::FieldCount; ++number) {
        if (number > 1)
            line.append(u',');
        if (number == 3) {
            line.append(r.launchWindowActive ? u'1' : u'0');
            continue;
        }
        if (number == 4) {
            line.append(r.holdsArmed ? u"#TRUE#"_s : u"#FALSE#"_s);
            continue;
        }
        const QString& value = texts[number - 1];
        if (!LaunchRecord::canHold(value)) {
            return {QByteArray(), u"The text of %1 holds a double quote or a line break, which a launch data "
                                  u"file cannot hold."_s.arg(LaunchRecord::fieldName(number))};
        }
        line.append(u'"' + value + u'"');
    }
    line.append(u"\r\n");
    return {line.toUtf8(), QString()};
}

LaunchRecordWriter::Written LaunchRecordWriter::writeFile(const QString& path, const LaunchRecord& record)
{
    const Encoded encoded = encode(record);
    if (!encoded.problem.isEmpty())
        return {encoded.problem};
    return SafeSave::writeFile(path, encoded.bytes);
}
