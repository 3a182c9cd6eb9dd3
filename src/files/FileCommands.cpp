#include "FileCommands.h"

#include "LaunchRecordWriter.h"
#include "LaunchSettings.h"
#include "modOpenFile.h"
#include "modSaveAs.h"
#include "platform/ApplicationInfo.h"
#include "platform/ProcessExit.h"
#include "platform/Prompter.h"
#include "platform/WatchedLabel.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
const QString& AppTitle = ApplicationInfo::Name;
}

FileCommands::FileCommands(LaunchSettings& settings, Prompter& prompter, const LaunchFileOptions& options,
                           WatchedLabel* pnlCurrentFile, QObject* parent)
    : QObject(parent),
      m_settings(settings), m_files{[this] { return m_settings.values(); },
                                    [this](const LaunchRecord& r) { m_settings.apply(r); }, m_names, prompter, options},
      m_pnlCurrentFile(pnlCurrentFile)
{
    if (m_pnlCurrentFile) {
        m_pnlCurrentFile->setText(m_names.currentFileName());
        connect(&m_names, &LaunchFileNames::currentFileNameChanged, m_pnlCurrentFile, &WatchedLabel::setText);
    }
}

void FileCommands::loadAtStartup()
{
    const QString defaultFile = m_files.options.defaultFile();
    if (defaultFile.isEmpty())
        return;
    ensureDefaultFile();
    const QString startup = m_files.options.startupFile;
    if (startup.isEmpty() && !QFileInfo::exists(defaultFile))
        return; // its creation failed, and the operator has been told
    const QString path =
        startup.isEmpty() ? defaultFile : QDir::toNativeSeparators(QFileInfo(startup).absoluteFilePath());
    if (modOpenFile::OpenLaunchFileNamed(m_files, path))
        emit loaded();
}

void FileCommands::ensureDefaultFile()
{
    const QString path = m_files.options.defaultFile();
    if (QFileInfo::exists(path))
        return;
    LaunchRecord record = m_settings.values();
    record.saveName = path;
    record.currentFile = path;
    QString problem;
    if (!QDir().mkpath(m_files.options.defaultFolder))
        problem = u"Its folder could not be made."_s;
    else
        problem = LaunchRecordWriter::writeFile(path, record);
    if (!problem.isEmpty())
        m_files.tellCannotSave(path, problem);
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
        AppTitle,
        u"Do you want to save " % m_names.openName() %
            u" before opening a new file?  If you click NO then all changes since your last save will be lost.",
        Prompter::Buttons::YesNoCancel);
    if (answer == Prompter::Answer::Cancel)
        return;
    if (answer == Prompter::Answer::Yes) {
        if (!SaveLaunchFile(false))
            return; // the settings would be lost in a file that was never written
        m_files.prompter.tell(AppTitle, u"Your file has been saved.  You may now open a new file."_s);
    }
    OpenLaunchFile(true);
}

FileCommands::SavePrompt FileCommands::askExitSave()
{
    const auto answer = m_files.prompter.ask(
        AppTitle, u"Do you want to save " % m_names.openName() % u" before exiting " % AppTitle % u" ?",
        Prompter::Buttons::YesNoCancel);
    if (answer == Prompter::Answer::Cancel)
        return SavePrompt::Cancelled;
    if (answer == Prompter::Answer::No)
        return SavePrompt::NotSaved;
    if (!SaveLaunchFile(false))
        return SavePrompt::Cancelled; // stay, so that the settings are not lost
    m_files.prompter.tell(AppTitle, u"Your file has been saved in " % m_names.saveName());
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

void FileCommands::sbrStatusBar_PanelDblClick(const QString& panelText)
{
    if (m_pnlCurrentFile && panelText == m_pnlCurrentFile->text())
        OpenLaunchFile(true);
}
