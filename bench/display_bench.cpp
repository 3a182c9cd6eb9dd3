// What the room display costs the program. Runs the main window offscreen on the real clock with a target a
// day ahead, serves on loopback, and prints for each phase the timer wake-ups and CPU time per second and the
// resident memory: without the server, serving with no screen, with 50 screens that ping as the page does,
// and the open file descriptors and memory after warm-up and after 1,000 connect/disconnect cycles.
// The screens run in a child process (this program with "screens PORT COUNT" or "cycles PORT COUNT").
//
//   QT_QPA_PLATFORM=offscreen build/bench/display_bench [seconds per phase, default 10]

#include "CountingWindow.h"
#include "ProcessMeters.h"
#include "clock/LaunchClock.h"
#include "clock/LaunchWindow.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"
#include "display/RoomDisplayServer.h"
#include "platform/ClockTimer.h"
#include "platform/DateTimeServices.h"
#include "platform/SystemClock.h"
#include "platform/widgets/QtPrompter.h"
#include "platform/widgets/WatchedLabel.h"
#include "shell/frmTarvane.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QWebSocket>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

using ProcessMeters::cpuSeconds;
using ProcessMeters::TimerEventCounter;

long residentKiB()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

qsizetype openFiles()
{
    return QDir(u"/proc/self/fd"_s).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).size();
}

void run(std::chrono::milliseconds duration)
{
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

void phase(const char* name, TimerEventCounter& counter, int seconds)
{
    const quint64 timers = counter.count;
    const double cpu = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    run(std::chrono::seconds(seconds));
    const double elapsed = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    std::printf("%-28s timer wake-ups %6.2f /s   CPU %7.3f ms/s   RSS %7ld KiB\n", name,
                static_cast<double>(counter.count - timers) / elapsed, (cpuSeconds() - cpu) * 1000.0 / elapsed,
                residentKiB());
    std::fflush(stdout);
}

// Screens as the page keeps them: connect, eight pings, then one more every 30 s.
int screens(quint16 port, int count)
{
    std::vector<std::unique_ptr<QWebSocket>> sockets;
    int nextId = 0;
    auto ping = [&nextId](QWebSocket* s) { s->sendTextMessage(u"{\"type\":\"ping\",\"id\":%1}"_s.arg(++nextId)); };
    for (int i = 0; i < count; ++i) {
        auto socket = std::make_unique<QWebSocket>();
        QWebSocket* s = socket.get();
        auto* left = new int(8);
        QObject::connect(s, &QWebSocket::textMessageReceived, s, [s, left, ping](const QString& m) {
            if (m.contains(u"\"pong\""_s) && --*left > 0)
                ping(s);
        });
        QObject::connect(s, &QWebSocket::connected, s, [s, ping] { ping(s); });
        QObject::connect(s, &QObject::destroyed, [left] { delete left; });
        s->open(QUrl(u"ws://127.0.0.1:%1/live"_s.arg(port)));
        sockets.push_back(std::move(socket));
    }
    QTimer every30s;
    QObject::connect(&every30s, &QTimer::timeout, [&] {
        for (auto& s : sockets)
            ping(s.get());
    });
    every30s.start(30s);
    return QCoreApplication::exec();
}

// Connects and disconnects one screen after the other, each after its first state, count times.
int cycles(quint16 port, int count)
{
    for (int i = 0; i < count; ++i) {
        QWebSocket socket;
        QEventLoop loop;
        QObject::connect(&socket, &QWebSocket::textMessageReceived, &loop, &QEventLoop::quit);
        QObject::connect(&socket, &QWebSocket::disconnected, &loop, &QEventLoop::quit);
        QTimer::singleShot(5s, &loop, &QEventLoop::quit);
        socket.open(QUrl(u"ws://127.0.0.1:%1/live"_s.arg(port)));
        loop.exec();
        QObject::connect(&socket, &QWebSocket::disconnected, &loop, &QEventLoop::quit);
        socket.close();
        QTimer::singleShot(5s, &loop, &QEventLoop::quit);
        if (socket.state() != QAbstractSocket::UnconnectedState)
            loop.exec();
    }
    return 0;
}

QProcess* child(const QStringList& arguments)
{
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(QCoreApplication::applicationFilePath(), arguments);
    process->waitForStarted();
    return process;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "page") == 0) {
        // A standalone server to look at the page with: a target an hour and 5 s ahead, an active window.
        QCoreApplication app(argc, argv);
        auto clock = SystemClock::create();
        QtPrompter prompter; // nothing here asks
        Mission mission(*clock, prompter);
        mission.holds().setLaunchTarget(MissionTexts::heldTargetText(clock->now().addSecs(3605)));
        mission.launchWindow().setRemainingText(u"0:01:00"_s);
        mission.launchWindow().setWindowActive(true);
        mission.launchClock().tmrCountdown().start();
        RoomDisplayServer server(mission.state(), *clock);
        if (!server.start(QHostAddress::LocalHost, static_cast<quint16>(QString::fromLocal8Bit(argv[2]).toUInt())).ok)
            return 1;
        return QCoreApplication::exec();
    }
    if (argc == 4) {
        QCoreApplication app(argc, argv);
        const auto port = static_cast<quint16>(QString::fromLocal8Bit(argv[2]).toUInt());
        const int count = QString::fromLocal8Bit(argv[3]).toInt();
        if (qstrcmp(argv[1], "screens") == 0)
            return screens(port, count);
        return cycles(port, count);
    }
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10;

    CountingWindow counting;
    const MissionState& state = counting.window.missionState();
    TimerEventCounter counter;
    app.installEventFilter(&counter);
    run(2s);

    phase("without the display", counter, seconds);
    RoomDisplayServer server(state, *counting.clock);
    if (!server.start(QHostAddress::LocalHost, 0).ok)
        return 1;
    const QString port = QString::number(server.port());
    phase("serving, no screen", counter, seconds);

    QProcess* fifty = child({u"screens"_s, port, u"50"_s});
    run(3s);
    std::printf("screens connected: %d\n", server.screenCount());
    phase("serving 50 screens", counter, seconds);
    fifty->terminate();
    fifty->waitForFinished();
    delete fifty;
    run(1s);

    QProcess* warmUp = child({u"cycles"_s, port, u"100"_s});
    while (!warmUp->waitForFinished(10))
        QCoreApplication::processEvents();
    delete warmUp;
    run(1s);
    const qsizetype filesBefore = openFiles();
    const long rssBefore = residentKiB();
    QProcess* thousand = child({u"cycles"_s, port, u"1000"_s});
    while (!thousand->waitForFinished(10))
        QCoreApplication::processEvents();
    delete thousand;
    run(1s);
    std::printf("1,000 connect/disconnect cycles: open files %lld -> %lld, RSS %ld -> %ld KiB (%+ld KiB), "
                "screens left %d\n",
                static_cast<long long>(filesBefore), static_cast<long long>(openFiles()), rssBefore, residentKiB(),
                residentKiB() - rssBefore, server.screenCount());
    return 0;
}
