#pragma once

#include "LaunchFileContext.h"
#include "LaunchFileNames.h"

#include <QObject>

class LaunchSettings;

// The file commands of the main window: Open, Save, Save As, Revert to File, and leaving the program with
// Exit, the Esc key or the close request, each with its save prompt.
class FileCommands final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileCommands)

public:
    FileCommands(LaunchSettings& settings, Prompter& prompter, const LaunchFileOptions& options, QObject* parent);

    // The first load: writes the default file from the initial settings when it is missing (as an installer
    // would have), then reads the command line's file or the default one.
    void loadAtStartup();

    bool OpenLaunchFile(bool showDialog);
    bool SaveLaunchFile(bool showDialog);

    void mnuOpen_Click();
    void mnuSave_Click() { SaveLaunchFile(false); }
    void mnuSaveAs_Click() { SaveLaunchFile(true); }
    void mnuRevert_Click() { OpenLaunchFile(false); }
    void ExitWithSavePrompt();
    // The close request of the main window: true lets the window close.
    bool Form_QueryUnload();

    const LaunchFileNames& names() const { return m_names; }

signals:
    // A file was read into the window.
    void loaded();

private:
    enum class SavePrompt
    {
        Saved,
        NotSaved,
        Cancelled
    };
    SavePrompt askExitSave();
    void ensureDefaultFile();

    LaunchFileNames m_names;
    LaunchSettings& m_settings;
    LaunchFileContext m_files;
};
