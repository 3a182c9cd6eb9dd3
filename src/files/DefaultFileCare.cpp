#include "DefaultFileCare.h"

#include "LaunchFileOptions.h"
#include "LaunchRecordReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

void DefaultFileCare::moveFromFormerFolder(const LaunchFileOptions& options)
{
    if (options.formerFolder.isEmpty() || options.defaultFolder.isEmpty())
        return;
    const QString former = QDir(options.formerFolder).filePath(LaunchFileOptions::DefaultFileName);
    const QString target = options.defaultFile();
    const QFileInfo formerInfo(former);
    if (!formerInfo.isFile() || formerInfo.isSymLink() || QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return;
    // Its field 12 still names the former folder; a load takes the file's own path instead.
    if (QDir().mkpath(options.defaultFolder) && QFile::rename(former, target))
        QDir().rmdir(options.formerFolder); // only when empty
}

void DefaultFileCare::removeLeftovers(const QString& defaultFile, const QDateTime& notAfter)
{
    const QFileInfo file(defaultFile);
    const QString prefix = file.fileName() + u'.';
    constexpr qsizetype SuffixLength = 6;
    const QFileInfoList candidates =
        file.dir().entryInfoList({prefix + u"*"_s}, QDir::Files | QDir::Hidden | QDir::NoSymLinks | QDir::System);
    for (const QFileInfo& candidate : candidates) {
        if (candidate.fileName().size() != prefix.size() + SuffixLength || !candidate.isFile() ||
            candidate.isSymLink() || candidate.lastModified() > notAfter)
            continue;
        if (LaunchRecordReader::readFile(candidate.filePath()).record)
            QFile::remove(candidate.filePath());
    }
}
