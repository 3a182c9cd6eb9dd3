#include "LaunchRecordWriter.h"

#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

QString withFullStop(QString reason)
{
    if (reason.isEmpty())
        reason = u"The system gave no reason"_s;
    if (!reason.endsWith(u'.'))
        reason.append(u'.');
    return reason;
}

} // namespace

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
    // Unbuffered, so that a full disk fails the write itself: a buffered write error only shows inside commit(),
    // which may then still rename the short temporary file over the old one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {withFullStop(file.errorString())};
    if (file.write(encoded.bytes) != encoded.bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {withFullStop(reason)};
    }
    if (!file.commit())
        return {withFullStop(file.errorString())};

    QFile written(path);
    const QByteArray back = written.open(QIODevice::ReadOnly) ? written.read(encoded.bytes.size() + 1) : QByteArray();
    if (back != encoded.bytes) {
        return {u"The file on the disk does not hold what was written, so it cannot be relied on; save again, "
                u"or save to another place."_s,
                true};
    }
    return {};
}
