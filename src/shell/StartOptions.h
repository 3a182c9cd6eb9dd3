#pragma once

#include "display/ServeEndpoint.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks of this run.
struct StartOptions
{
    bool appClock = false;              // keep mission time inside the program; never touch the computer's clock
    QString launchFile;                 // a launch data file to open instead of the default one
    std::optional<ServeEndpoint> serve; // serve the count to the room's screens from the start
    bool speak = false;                 // spoken callouts on for this run
    QStringList qtArguments;            // Qt's own options with their values, as given; QApplication reads them itself

    // Parses the arguments (the program's name first); --help and --version print and end the process, as do
    // errors. Qt's own options are set aside first, so they are never taken for the program's.
    static StartOptions parse(const QStringList& arguments);

    struct Split
    {
        QStringList own; // the program's name and the program's own arguments
        QStringList qt;  // Qt's options with their values
    };
    static Split splitQtOptions(const QStringList& arguments);
};
