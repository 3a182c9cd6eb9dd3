#include "StartOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

StartOptions StartOptions::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Tarvane: a launch clock for simulated space missions."_s);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption appClock(
        u"app-clock"_s, u"Keep the mission time on Tarvane's own clock and never change the computer's clock."_s);
    parser.addOption(appClock);
    const QCommandLineOption serve(
        u"serve"_s,
        u"Serve the count read-only to browsers on the network: PORT on every address, or ADDRESS:PORT "
        u"(such as 127.0.0.1:8080 or [::1]:8080)."_s,
        u"[ADDRESS:]PORT"_s);
    parser.addOption(serve);
    parser.addPositionalArgument(u"file"_s, u"A launch data file (.trv) to open at start-up."_s, u"[file]"_s);
    parser.process(arguments);

    StartOptions options;
    options.appClock = parser.isSet(appClock);
    if (parser.isSet(serve)) {
        options.serve = ServeEndpoint::parse(parser.value(serve));
        if (!options.serve) {
            std::fprintf(
                stderr, "%s\n",
                qPrintable(u"Tarvane: --serve takes PORT or ADDRESS:PORT with a numeric address, not \"%1\"."_s.arg(
                    parser.value(serve))));
            std::exit(EXIT_FAILURE);
        }
    }
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        options.launchFile = files.constFirst();
    return options;
}
