#pragma once

#include "platform/Prompter.h"

#include <QString>

struct LaunchFileContext;

// Writing the main window's launch settings to launch data files.
namespace modSaveAs {

// The Save As dialog "cdbSaveAs" with preset as its file name.
Prompter::FileDialog cdbSaveAs(const LaunchFileContext& files, const QString& preset);

// Writes the settings to the save name; with showDialog the operator may choose another (a cancelled dialog
// writes to the preset). Returns false, after telling the operator why, when nothing could be written; then
// the file on disk and the current file name are as they were.
bool SaveLaunchFile(LaunchFileContext& files, bool showDialog);

} // namespace modSaveAs
