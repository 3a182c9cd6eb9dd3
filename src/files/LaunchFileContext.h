#pragma once

#include "LaunchFileOptions.h"
#include "LaunchRecord.h"
#include "LaunchRecordWriter.h"
#include "clock/CountdownSequence.h"

#include <QSet>

#include <functional>

class LaunchFileNames;
class Prompter;

// What the load and save routines work on: the settings of the main window, its three file names, the
// operator's dialogs and the places of the default file.
struct LaunchFileContext
{
    // Fields 1 to 11 as the window holds them, and their application to the window in field order.
    std::function<LaunchRecord()> settings;
    std::function<void(const LaunchRecord&)> applySettings;
    LaunchFileNames& names;
    Prompter& prompter;
    LaunchFileOptions options;
    // Paths whose last load failed although something stood there: a save asks before it replaces one.
    QSet<QString> unreadable = {};
    // The real paths of the launch data files read or written in this run: a link may lead to one of them.
    QSet<QString> knownRecords = {};
    // The countdown sequence kept beside each launch data file, and the same two sets for its files. Without the
    // two functions the sequence is always empty.
    std::function<CountdownSequence()> sequence = {};
    std::function<void(const CountdownSequence&)> applySequence = {};
    QSet<QString> unreadableSequences = {};
    QSet<QString> knownSequences = {};

    // name as an absolute, cleaned path with native separators; a relative name lies in the default folder.
    QString absoluteName(const QString& name) const;

    void tellCannotOpen(const QString& path, const QString& problem) const;
    void tellCannotSave(const QString& path, const QString& problem) const;
    void tellCannotSave(const QString& path, const LaunchRecordWriter::Written& written) const;
};
