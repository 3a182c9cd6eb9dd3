#include "FileCommands.h"

#include "DefaultFileCare.h"
#include "LaunchRecordWriter.h"
#include "LaunchSettings.h"
#include "modOpenFile.h"
#include "modSaveAs.h"
#include "platform/ApplicationInfo.h"
#include "platform/ProcessExit.h"
#include "platform/Prompter.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

FileCommands::FileCommands(LaunchSettings& settings, Prompter& prompter, const LaunchFileOptions& options,
                           QObject* parent)
    : QObject(parent),
      m_settings(settings), m_files{[this] { return m_settings.values(); },
                                    [this](const LaunchRecord& r) { m_settings.apply(r); }, m_names, prompter, options}
{
    m_files.sequence = [this] { return m_settings.sequence(); };
    m_files.applySequence = [this](const CountdownSequence& s) { m_settings.applySequence(s); };
}

void FileCommands::loadAtStartup()
{
    const QString defaultFile = m_files.options.defaultFile();
    if (defaultFile.isEmpty())
        return;
    DefaultFileCare::moveFromFormerFolder(m_files.options);
    // Files change on the computer's own clock, whatever mission time the program shows.
    DefaultFileCare::removeLeftovers(defaultFile, QDateTime::currentDateTime().addSecs(-3600));
    ensureDefaultFile();
    const QString startup = m_files.options.startupFile;
    if (!startup.isEmpty()) {
        const QString path = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(startup).absoluteFilePath()));
        if (modOpenFile::openLaunchFileNamed(m_files, path)) {
            emit loaded();
            return;
        }
    }
    // A file that was never made (the operator has been told why) is not read: that would only say so again.
    const QFileInfo info(defaultFile);
    if ((info.exists() || info.isSymLink()) && modOpenFile::openLaunchFileNamed(m_files, defaultFile)) {
        emit loaded();
        return;
    }
    // Nothing could be read: every prompt names, and every save writes, the default file.
    m_names.setSaveName(defaultFile);
    m_names.setOpenName(defaultFile);
    m_names.setCurrentFileName(defaultFile);
}

void FileCommands::ensureDefaultFile()
{
    const QString path = m_files.options.defaultFile();
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        return; // a link is never written through, even where it leads nowhere
    LaunchRecord record = m_settings.values();
    record.saveName = path;
    record.currentFile = path;
    LaunchRecordWriter::Written written;
    if (!QDir().mkpath(m_files.options.defaultFolder))
        written.problem = u"Its folder could not be made."_s;
    else
        written = LaunchRecordWriter::writeFile(path, record);
    if (!written.problem.isEmpty())
        m_files.tellCannotSave(path, written);
    else
        m_files.knownRecords.insert(QFileInfo(path).canonicalFilePath());
}

bool FileCommands::OpenLaunchFile(bool showDialog)
{
    if (!modOpenFile::OpenLaunchFile(m_files, showDialog))
        return false;
    emit loaded();
    return true;
}

bool FileCommands::SaveLaunchFile(bool showDialog)
{
    return modSaveAs::SaveLaunchFile(m_files, showDialog);
}

void FileCommands::mnuOpen_Click()
{
    const auto answer = m_files.prompter.ask(
        ApplicationInfo::Name,
        u"Do you want to save " % m_names.openName() %
            u" before opening a new file?  If you click NO then all changes since your last save will be lost.",
        Prompter::Buttons::YesNoCancel);
    if (answer == Prompter::Answer::Cancel)
        return;
    if (answer == Prompter::Answer::Yes) {
        if (!SaveLaunchFile(false))
            return; // the settings would be lost in a file that was never written
        m_files.prompter.tell(ApplicationInfo::Name, u"Your file has been saved.  You may now open a new file."_s);
    }
    OpenLaunchFile(true);
}

FileCommands::SavePrompt FileCommands::askExitSave()
{
    const auto answer = m_files.prompter.ask(ApplicationInfo::Name,
                                             u"Do you want to save " % m_names.openName() % u" before exiting " %
                                                 ApplicationInfo::Name % u" ?",
                                             Prompter::Buttons::YesNoCancel);
    if (answer == Prompter::Answer::Cancel)
        return SavePrompt::Cancelled;
    if (answer == Prompter::Answer::No)
        return SavePrompt::NotSaved;
    if (!SaveLaunchFile(false))
        return SavePrompt::Cancelled; // stay, so that the settings are not lost
    m_files.prompter.tell(ApplicationInfo::Name, u"Your file has been saved in " % m_names.saveName());
    return SavePrompt::Saved;
}

void FileCommands::ExitWithSavePrompt()
{
    if (askExitSave() == SavePrompt::Cancelled)
        return;
    ProcessExit::endNow(0);
}

bool FileCommands::Form_QueryUnload()
{
    return askExitSave() != SavePrompt::Cancelled;
}
