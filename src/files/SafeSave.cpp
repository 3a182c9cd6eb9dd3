#include "SafeSave.h"

#include <QFile>
#include <QFileInfo>
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

SafeSave::Written SafeSave::writeFile(const QString& path, const QByteArray& bytes)
{
    // Unbuffered, so that a full disk fails the write itself: a buffered write error only shows inside commit(),
    // which may then still rename the short temporary file over the old one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {withFullStop(file.errorString())};
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {withFullStop(reason)};
    }
    if (!file.commit())
        return {withFullStop(file.errorString())};

    QFile written(path);
    const QByteArray back = written.open(QIODevice::ReadOnly) ? written.read(bytes.size() + 1) : QByteArray();
    if (back != bytes) {
        return {u"The file on the disk does not hold what was written, so it cannot be relied on; save again, "
                u"or save to another place."_s,
                true};
    }
    return {};
}

bool SafeSave::isForeignLink(const QString& path, const QSet<QString>& knownFiles)
{
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    return info.isSymLink() && (real.isEmpty() || !knownFiles.contains(real));
}
