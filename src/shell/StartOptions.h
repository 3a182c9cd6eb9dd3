#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of this run.
struct StartOptions
{
    bool appClock = false; // keep mission time inside the program; never touch the computer's clock
    QString launchFile;    // a launch data file to open instead of the default one

    // Parses the arguments; --help and --version print and end the process, as do errors.
    static StartOptions parse(const QStringList& arguments);
};
