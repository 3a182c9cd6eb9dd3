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

    // Parses the arguments; --help and --version print and end the process, as do errors.
    static StartOptions parse(const QStringList& arguments);
};
