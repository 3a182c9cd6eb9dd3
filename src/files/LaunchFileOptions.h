#pragma once

#include <QString>

// Where the main window keeps its launch data files. Without a default folder it reads and writes no file
// at start-up, which is what a test that has no interest in files wants.
struct LaunchFileOptions
{
    static inline const QString DefaultFileName = QStringLiteral("launch.trv");
    static inline const QString Extension = QStringLiteral("trv");
    static inline const QString Filter = QStringLiteral("Tarvane Files (*.trv)"); // of both file dialogs

    QString defaultFolder; // holds launch.trv, the file read at start-up; also the Save As dialog's first folder
    QString startupFile;   // a file to read at start-up instead of launch.trv (from the command line)
    QString formerFolder;  // where earlier versions kept launch.trv; a file there moves to the default folder

    // The per-user application data folder, with native separators: "Tarvane" in the data home, whatever
    // names the application was given.
    static QString standardFolder();
    static LaunchFileOptions standard(const QString& startupFile = QString());

    // launch.trv in the default folder, with native separators; empty without a default folder.
    QString defaultFile() const;
};
