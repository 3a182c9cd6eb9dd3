#include "modOpenFile.h"

#include "LaunchFileContext.h"
#include "LaunchFileNames.h"
#include "LaunchRecordReader.h"
#include "SequenceFile.h"
#include "platform/ApplicationInfo.h"

#include <QDir>
#include <QFileInfo>

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
        const auto chosen = files.prompter.openFileName(cdbOpen(name));
        if (!chosen)
            return false; // the settings on screen stay as the operator left them
        name = *chosen;
    }
    return openLaunchFileNamed(files, files.absoluteName(name));
}

bool modOpenFile::openLaunchFileNamed(LaunchFileContext& files, const QString& path)
{
    const LaunchRecordReader::Result result = LaunchRecordReader::readFile(path);
    const QFileInfo info(path);
    if (!result.record) {
        if (info.exists() || info.isSymLink())
            files.unreadable.insert(path);
        files.tellCannotOpen(path, result.problem);
        return false;
    }
    // The sequence beside it: a missing one is an empty sequence, and a refused one leaves the sequence empty
    // while the launch data still loads.
    const QString sequencePath = SequenceFile::pathFor(path);
    const SequenceFile::Read sequence = SequenceFile::readFile(sequencePath);
    if (!sequence.problem.isEmpty()) {
        files.unreadableSequences.insert(sequencePath);
    } else {
        files.unreadableSequences.remove(sequencePath);
        if (sequence.found)
            files.knownSequences.insert(sequence.realPath);
    }
    files.unreadable.remove(path);
    files.knownRecords.insert(info.canonicalFilePath());
    files.applySettings(*result.record);
    if (files.applySequence)
        files.applySequence(sequence.sequence);
    // Save writes the file that was opened, the one every prompt names. Field 12 names it too in files this
    // program wrote; in a file moved, copied, received or made on another system it names some other file.
    files.names.setSaveName(path);
    files.names.setCurrentFileName(path);
    files.names.setOpenName(path);
    if (!sequence.problem.isEmpty())
        files.prompter.tell(ApplicationInfo::Name, sequence.problem);
    return true;
}
