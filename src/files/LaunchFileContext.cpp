#include "LaunchFileContext.h"

#include "platform/ApplicationInfo.h"
#include "platform/Prompter.h"

#include <QDir>

using namespace Qt::StringLiterals;

QString LaunchFileContext::absoluteName(const QString& name) const
{
    if (name.isEmpty())
        return name;
    const QDir base(options.defaultFolder.isEmpty() ? QDir::currentPath() : options.defaultFolder);
    return QDir::toNativeSeparators(QDir::cleanPath(base.absoluteFilePath(QDir::fromNativeSeparators(name))));
}

void LaunchFileContext::tellCannotOpen(const QString& path, const QString& problem) const
{
    prompter.tell(ApplicationInfo::Name,
                  ApplicationInfo::Name % u" could not open the launch data file " % path % u".  " % problem);
}

void LaunchFileContext::tellCannotSave(const QString& path, const QString& problem) const
{
    tellCannotSave(path, LaunchRecordWriter::Written{problem});
}

void LaunchFileContext::tellCannotSave(const QString& path, const LaunchRecordWriter::Written& written) const
{
    prompter.tell(ApplicationInfo::Name, ApplicationInfo::Name % u" could not save the launch data file " % path %
                                             u".  " % written.problem %
                                             (written.replaced ? u""_s : u"  Nothing was written."_s));
}
