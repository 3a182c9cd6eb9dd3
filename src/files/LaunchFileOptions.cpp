#include "LaunchFileOptions.h"

#include <QDir>
#include <QStandardPaths>

QString LaunchFileOptions::standardFolder()
{
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

LaunchFileOptions LaunchFileOptions::standard(const QString& startupFile)
{
    return {standardFolder(), startupFile};
}

QString LaunchFileOptions::defaultFile() const
{
    if (defaultFolder.isEmpty())
        return QString();
    return QDir::toNativeSeparators(QDir(defaultFolder).filePath(DefaultFileName));
}
