#pragma once

#include "platform/Prompter.h"

#include <QString>

struct LaunchFileContext;

// Reading launch data files into the main window.
namespace modOpenFile {

// The Open dialog "cdbOpen" with preset as its file name.
Prompter::FileDialog cdbOpen(const QString& preset);

// Reads the current file, or the default file when there is none; with showDialog the operator chooses the
// file in the Open dialog. Returns false when nothing was read: after telling the operator why the file could
// not be used, or when the dialog was cancelled. Then nothing has changed.
bool OpenLaunchFile(LaunchFileContext& files, bool showDialog);

// Reads the file at path (native separators, absolute) as OpenLaunchFile does after its dialog.
bool openLaunchFileNamed(LaunchFileContext& files, const QString& path);

} // namespace modOpenFile
