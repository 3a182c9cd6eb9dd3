#include "modSaveAs.h"

#include "LaunchFileContext.h"
#include "LaunchFileNames.h"
#include "LaunchRecordWriter.h"

using namespace Qt::StringLiterals;

Prompter::FileDialog modSaveAs::cdbSaveAs(const LaunchFileContext& files, const QString& preset)
{
    return {u"Save As . . ."_s, LaunchFileOptions::Filter, LaunchFileOptions::Extension, files.options.defaultFolder,
            preset};
}

bool modSaveAs::SaveLaunchFile(LaunchFileContext& files, bool showDialog)
{
    if (showDialog) {
        if (const auto chosen = files.prompter.saveFileName(cdbSaveAs(files, files.names.saveName())))
            files.names.setSaveName(*chosen);
    }
    // The name is kept whole, so that the record, the notice and the current file all name the file written.
    const QString path = files.absoluteName(files.names.saveName());
    files.names.setSaveName(path);
    if (path.isEmpty()) {
        files.tellCannotSave(path, u"No file name was given."_s);
        return false;
    }
    LaunchRecord record = files.settings();
    record.saveName = path;
    record.currentFile = files.names.currentFileName();
    if (const QString problem = LaunchRecordWriter::writeFile(path, record); !problem.isEmpty()) {
        files.tellCannotSave(path, problem);
        return false;
    }
    files.names.setCurrentFileName(path);
    files.names.setOpenName(path);
    return true;
}
