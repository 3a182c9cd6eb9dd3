#include "StartOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// The options every Qt program takes (QGuiApplication, QApplication and the X11 platform read them), written with
// one dash; Qt also takes them with two. QApplication removes them from the command line itself.
const QStringList QtOptionsWithValue = {
    u"-platform"_s,
    u"-platformpluginpath"_s,
    u"-platformtheme"_s,
    u"-plugin"_s,
    u"-qwindowgeometry"_s,
    u"-geometry"_s,
    u"-qwindowicon"_s,
    u"-icon"_s,
    u"-qwindowtitle"_s,
    u"-title"_s,
    u"-display"_s,
    u"-style"_s,
    u"-stylesheet"_s,
    u"-session"_s,
    u"-name"_s,
    u"-visual"_s,
};
const QStringList QtFlags = {u"-reverse"_s, u"-widgetcount"_s, u"-nograb"_s, u"-dograb"_s, u"-sync"_s};
const QStringList QtOptionsWithJoinedValue = {u"-style="_s, u"-stylesheet="_s, u"-qmljsdebugger="_s};

QString singleDash(const QString& argument)
{
    return argument.startsWith(u"--"_s) ? argument.mid(1) : argument;
}

} // namespace

StartOptions::Split StartOptions::splitQtOptions(const QStringList& arguments)
{
    Split split;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (i == 0) {
            split.own.append(argument);
            continue;
        }
        if (argument == u"--"_s) { // everything after it is the program's own
            split.own.append(arguments.mid(i));
            break;
        }
        const QString option = singleDash(argument);
        if (QtOptionsWithValue.contains(option)) {
            split.qt.append(argument);
            if (i + 1 < arguments.size())
                split.qt.append(arguments.at(++i));
        } else if (QtFlags.contains(option) ||
                   std::any_of(QtOptionsWithJoinedValue.begin(), QtOptionsWithJoinedValue.end(),
                               [&](const QString& prefix) { return option.startsWith(prefix); })) {
            split.qt.append(argument);
        } else {
            split.own.append(argument);
        }
    }
    return split;
}

StartOptions StartOptions::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Tarvane: a launch clock for simulated space missions.\n"
                                     u"Qt's own options (-platform, -style, -display, -reverse, ...) are taken too."_s);
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
    const QCommandLineOption speak(u"speak"_s,
                                   u"Call the count aloud for this run: the last ten seconds, liftoff, holds, "
                                   u"milestones and the launch window (Settings > Spoken Callouts keeps them on)."_s);
    parser.addOption(speak);
    parser.addPositionalArgument(u"file"_s, u"A launch data file (.trv) to open at start-up."_s, u"[file]"_s);
    const Split split = splitQtOptions(arguments);
    parser.process(split.own);

    StartOptions options;
    options.qtArguments = split.qt;
    options.appClock = parser.isSet(appClock);
    options.speak = parser.isSet(speak);
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
