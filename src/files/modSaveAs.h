#pragma once

#include "platform/Prompter.h"

#include <QString>

struct LaunchFileContext;

// Writing the main window's launch settings to launch data files.
namespace modSaveAs {

// The Save As dialog "cdbSaveAs" with preset as its file name.
Prompter::FileDialog cdbSaveAs(const LaunchFileContext& files, const QString& preset);

// Writes the settings to the save name; with showDialog the operator chooses the file in the Save As dialog.
// Returns false when nothing was written: after telling the operator why, or when the dialog was cancelled.
// Then the files on disk and the three file names are as they were.
bool SaveLaunchFile(LaunchFileContext& files, bool showDialog);

} // namespace modSaveAs
