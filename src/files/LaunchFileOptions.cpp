#include "LaunchFileOptions.h"

#include "platform/ApplicationInfo.h"

#include <QDir>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {
QString inDataHome(const QString& relative)
{
    const QDir home(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return QDir::toNativeSeparators(home.filePath(relative));
}
} // namespace

QString LaunchFileOptions::standardFolder()
{
    return inDataHome(ApplicationInfo::Name);
}

LaunchFileOptions LaunchFileOptions::standard(const QString& startupFile)
{
    // Organisation and application were once both named, which doubled the folder.
    return {standardFolder(), startupFile, inDataHome(ApplicationInfo::Name % u'/' % ApplicationInfo::Name)};
}

QString LaunchFileOptions::defaultFile() const
{
    if (defaultFolder.isEmpty())
        return QString();
    return QDir::toNativeSeparators(QDir(defaultFolder).filePath(DefaultFileName));
}
