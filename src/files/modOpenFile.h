#pragma once

#include "platform/Prompter.h"

#include <QString>

struct LaunchFileContext;

// Reading launch data files into the main window.
namespace modOpenFile {

// The Open dialog "cdbOpen" with preset as its file name.
Prompter::FileDialog cdbOpen(const QString& preset);

// Reads the current file, or the default file when there is none; with showDialog the operator may choose
// another (a cancelled dialog reads the preset). Returns false, after telling the operator why, when the
// file could not be used; then nothing has changed.
bool OpenLaunchFile(LaunchFileContext& files, bool showDialog);

// Reads the file at path (native separators, absolute) as OpenLaunchFile does after its dialog.
bool openLaunchFileNamed(LaunchFileContext& files, const QString& path);

} // namespace modOpenFile
