#include "FileBytes.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

FileBytes::Read FileBytes::read(const QString& path, qint64 mostBytes)
{
    const QFileInfo info(path);
    if (path.isEmpty() || (!info.exists() && !info.isSymLink()))
        return {{}, u"The file does not exist."_s, false};
    if (!info.exists())
        return {{}, u"It is a link to a file that does not exist."_s};
    if (!info.isFile())
        return {{}, u"It is not a file."_s};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, u"It could not be read: %1."_s.arg(file.errorString())};
    QByteArray bytes = file.read(mostBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {{}, u"It could not be read: %1."_s.arg(file.errorString())};
    return {std::move(bytes), {}};
}
