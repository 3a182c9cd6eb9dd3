#include "modOpenFile.h"

#include "LaunchFileContext.h"
#include "LaunchFileNames.h"
#include "LaunchRecordReader.h"

#include <QDir>

using namespace Qt::StringLiterals;

Prompter::FileDialog modOpenFile::cdbOpen(const QString& preset)
{
    return {u"Open . . ."_s, LaunchFileOptions::Filter, LaunchFileOptions::Extension, QString(), preset};
}

bool modOpenFile::OpenLaunchFile(LaunchFileContext& files, bool showDialog)
{
    const QString current = files.names.currentFileName();
    QString name = current.isEmpty() ? files.options.defaultFile() : current;
    if (showDialog) {
        if (const auto chosen = files.prompter.openFileName(cdbOpen(name)))
            name = *chosen;
    }
    return OpenLaunchFileNamed(files, files.absoluteName(name));
}

bool modOpenFile::OpenLaunchFileNamed(LaunchFileContext& files, const QString& path)
{
    const LaunchRecordReader::Result result = LaunchRecordReader::readFile(path);
    if (!result.record) {
        files.tellCannotOpen(path, result.problem);
        return false;
    }
    files.applySettings(*result.record);
    files.names.setSaveName(result.record->saveName);
    files.names.setCurrentFileName(path);
    files.names.setOpenName(path);
    return true;
}
