#include "StartOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

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
    parser.addPositionalArgument(u"file"_s, u"A launch data file (.trv) to open at start-up."_s, u"[file]"_s);
    parser.process(arguments);

    StartOptions options;
    options.appClock = parser.isSet(appClock);
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        options.launchFile = files.constFirst();
    return options;
}
