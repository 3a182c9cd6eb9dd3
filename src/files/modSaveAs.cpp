#include "modSaveAs.h"

#include "LaunchFileContext.h"
#include "LaunchFileNames.h"
#include "LaunchRecordWriter.h"
#include "SafeSave.h"
#include "SequenceFile.h"
#include "platform/ApplicationInfo.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// Before it replaces a file that could not be read when it was opened, a save asks.
bool mayReplace(LaunchFileContext& files, const QSet<QString>& unreadable, const QString& path, QStringView what)
{
    if (!unreadable.contains(path))
        return true;
    const auto answer = files.prompter.ask(ApplicationInfo::Name,
                                           path %
                                               u" could not be read when it was opened.  Do you want to replace "
                                               u"it with the current " %
                                               what % u'?',
                                           Prompter::Buttons::YesNoDefaultNo);
    return answer == Prompter::Answer::Yes;
}

// A save never goes through a link to a file that is not a launch record of this run.
bool mayWrite(LaunchFileContext& files, const QString& path)
{
    if (SafeSave::isForeignLink(path, files.knownRecords)) {
        files.tellCannotSave(path, u"It is a link to a file that Tarvane has not read as a launch data file."_s);
        return false;
    }
    return true;
}

} // namespace

Prompter::FileDialog modSaveAs::cdbSaveAs(const LaunchFileContext& files, const QString& preset)
{
    const QString whole = files.absoluteName(preset);
    const QString folder = whole.isEmpty() ? files.options.defaultFolder : QFileInfo(whole).absolutePath();
    return {u"Save As . . ."_s, LaunchFileOptions::Filter, LaunchFileOptions::Extension,
            QDir::toNativeSeparators(folder), whole};
}

bool modSaveAs::SaveLaunchFile(LaunchFileContext& files, bool showDialog)
{
    QString name = files.names.saveName();
    if (showDialog) {
        const auto chosen = files.prompter.saveFileName(cdbSaveAs(files, name));
        if (!chosen)
            return false;
        name = *chosen;
    }
    // The name is kept whole, so that the record, the notice and the current file all name the file written.
    // It becomes the save name only once the file is written: a save that fails or is declined leaves every
    // later save and prompt with the file they named before.
    const QString path = files.absoluteName(name);
    if (path.isEmpty()) {
        files.tellCannotSave(path, u"No file name was given."_s);
        return false;
    }
    if (!mayWrite(files, path))
        return false;
    LaunchRecord record = files.settings();
    record.saveName = path;
    // Field 13 is never read back; a name it cannot hold must not stop the save.
    const QString current = files.names.currentFileName();
    record.currentFile = LaunchRecord::canHold(current) ? current : QString();
    const LaunchRecordWriter::Encoded encoded = LaunchRecordWriter::encode(record);
    if (!encoded.problem.isEmpty()) {
        files.tellCannotSave(path, encoded.problem);
        return false;
    }
    // Every question first, then the sequence, then the launch data: the save succeeded only when both did.
    const QString sequencePath = SequenceFile::pathFor(path);
    if (!mayReplace(files, files.unreadable, path, u"launch data") ||
        !mayReplace(files, files.unreadableSequences, sequencePath, u"countdown sequence"))
        return false;
    const CountdownSequence sequence = files.sequence ? files.sequence() : CountdownSequence();
    if (const auto written = SequenceFile::writeFile(sequencePath, sequence, files.knownSequences);
        !written.problem.isEmpty()) {
        files.prompter.tell(ApplicationInfo::Name, SequenceFile::cannotSaveMessage(sequencePath, written));
        return false;
    }
    files.unreadableSequences.remove(sequencePath);
    if (const QString real = QFileInfo(sequencePath).canonicalFilePath(); !real.isEmpty())
        files.knownSequences.insert(real);
    if (const auto written = SafeSave::writeFile(path, encoded.bytes); !written.problem.isEmpty()) {
        files.tellCannotSave(path, written);
        return false;
    }
    files.unreadable.remove(path);
    files.knownRecords.insert(QFileInfo(path).canonicalFilePath());
    files.names.setSaveName(path);
    files.names.setCurrentFileName(path);
    files.names.setOpenName(path);
    return true;
}
