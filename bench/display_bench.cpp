// What the room display costs the program, and what attackers on the network can do to it. Runs the main window
// offscreen on the real clock with a target a day ahead, serves on loopback, and prints for each phase the
// window's timer wake-ups, the server thread's wake-ups, CPU time per second and resident memory: without the
// server, serving with no screen, with 50 screens that ping as the page does, then the open file descriptors and
// memory around 1,000 connect/disconnect cycles. Then the attacks, each from a child process on loopback and
// bounded in time: a header that never ends at 4 MB/s (30 s), 8 clients that flood pings and never read, 300 slow
// connections from other source addresses, 64 WebSockets from a foreign page. For each: the longest gap between
// the window's seconds, the peak memory over the phase's start, and whether a real screen could still connect.
// Clients run in child processes (this program with "screens", "cycles", "attack" or "probe" and a port).
//
//   QT_QPA_PLATFORM=offscreen build/bench/display_bench [seconds per phase, default 10]
//   QT_QPA_PLATFORM=offscreen build/bench/display_bench page PORT [none]     serves the page alone, to look at

#include "CountingWindow.h"
#include "ProcessMeters.h"
#include "clock/LaunchClock.h"
#include "clock/LaunchWindow.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"
#include "display/RoomDisplay.h"
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
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

using ProcessMeters::cpuSeconds;
using ProcessMeters::TimerEventCounter;

long statusKiB(const char* key)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toLong();
    return -1;
}

long residentKiB()
{
    return statusKiB("VmRSS:");
}

// The peak resident memory since the last reset.
long peakKiB()
{
    return statusKiB("VmHWM:");
}

void resetPeak()
{
    QFile clear(u"/proc/self/clear_refs"_s);
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
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

// What a phase measures in this process.
struct Meters
{
    TimerEventCounter timers;
    QElapsedTimer sinceStart;
    qint64 lastSecond = -1;
    qint64 longestGap = 0;

    void watchSeconds(WatchedLabel* seconds)
    {
        sinceStart.start();
        QObject::connect(seconds, &WatchedLabel::textChanged, seconds, [this] {
            const qint64 now = sinceStart.elapsed();
            if (lastSecond >= 0)
                longestGap = std::max(longestGap, now - lastSecond);
            lastSecond = now;
        });
    }
    // The server thread's wake-ups as the system counts them: each return from waiting is a voluntary switch.
    void watchServer(QThread& thread)
    {
        QObject context;
        context.moveToThread(&thread);
        std::atomic<long> tid = 0;
        QMetaObject::invokeMethod(
            &context, [&tid] { tid = static_cast<long>(gettid()); }, Qt::BlockingQueuedConnection);
        serverTask = u"/proc/self/task/%1/status"_s.arg(tid.load());
    }
    quint64 serverWakeUps() const
    {
        QFile status(serverTask);
        if (serverTask.isEmpty() || !status.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:"))
                return line.mid(24).trimmed().toULongLong();
        return 0;
    }
    QString serverTask;
};

// A stretch of a run: the meters at its start, and their rates since.
class Stretch
{
public:
    explicit Stretch(Meters& meters)
        : m_meters(meters), m_timers(meters.timers.count), m_wakeUps(meters.serverWakeUps()), m_cpu(cpuSeconds())
    {
        meters.longestGap = 0;
        m_wall.start();
    }
    double timers() const { return static_cast<double>(m_meters.timers.count - m_timers) / seconds(); }
    double wakeUps() const { return static_cast<double>(m_meters.serverWakeUps() - m_wakeUps) / seconds(); }
    double cpuMSecs() const { return (cpuSeconds() - m_cpu) * 1000.0 / seconds(); }

private:
    double seconds() const { return static_cast<double>(m_wall.nsecsElapsed()) / 1e9; }

    Meters& m_meters;
    quint64 m_timers;
    quint64 m_wakeUps;
    double m_cpu;
    QElapsedTimer m_wall;
};

void phase(const char* name, Meters& meters, int seconds)
{
    const Stretch stretch(meters);
    run(std::chrono::seconds(seconds));
    std::printf("%-28s window timers %6.2f /s   server wake-ups %8.2f /s   CPU %7.3f ms/s   RSS %7ld KiB\n", name,
                stretch.timers(), stretch.wakeUps(), stretch.cpuMSecs(), residentKiB());
    std::fflush(stdout);
}

QProcess* child(const QStringList& arguments, bool captureOutput = false)
{
    auto* process = new QProcess;
    process->setProcessChannelMode(captureOutput ? QProcess::SeparateChannels : QProcess::ForwardedChannels);
    if (captureOutput)
        process->setReadChannel(QProcess::StandardOutput);
    process->start(QCoreApplication::applicationFilePath(), arguments);
    process->waitForStarted();
    return process;
}

// Keeps the window counting while a child runs.
void waitFor(QProcess* process)
{
    while (process->state() != QProcess::NotRunning) {
        process->waitForFinished(10);
        QCoreApplication::processEvents();
    }
}

// One attack: the window's longest gap between seconds, the server thread's wake-ups and CPU, the peak memory
// over the start of the phase, and the outcome of a real screen's connection in the middle of it.
void attack(const char* name, Meters& meters, const QString& port, const QString& kind, int seconds)
{
    run(1s);
    resetPeak();
    const long before = residentKiB();
    const Stretch stretch(meters);
    QProcess* attacker = child({u"attack"_s, kind, port, QString::number(seconds)});
    QProcess* probe = nullptr;
    QTimer::singleShot(std::chrono::milliseconds(seconds * 500), [&] { probe = child({u"probe"_s, port}, true); });
    waitFor(attacker);
    while (!probe)
        run(100ms);
    waitFor(probe);
    const QByteArray screen = probe->readAllStandardOutput().trimmed();
    std::printf("attack %-26s longest gap %5lld ms   peak memory %+8ld KiB   server wake-ups %8.1f /s   "
                "CPU %7.1f ms/s   screen: %s\n",
                name, static_cast<long long>(meters.longestGap), peakKiB() - before, stretch.wakeUps(),
                stretch.cpuMSecs(), screen.isEmpty() ? "no answer" : screen.constData());
    std::printf("%-33s window timers %.2f /s, RSS after %ld KiB\n", "", stretch.timers(), residentKiB());
    std::fflush(stdout);
    delete attacker;
    delete probe;
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
        if (i % 8 == 7)
            run(50ms); // as screens of one machine come: a few at a time
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

// A real screen from 127.0.0.1 during an attack: prints how long it took to receive its first state.
int probe(quint16 port)
{
    QWebSocket socket;
    QEventLoop loop;
    QElapsedTimer waited;
    waited.start();
    bool gotState = false;
    QObject::connect(&socket, &QWebSocket::textMessageReceived, &loop, [&](const QString& m) {
        gotState = m.contains(u"\"state\""_s);
        loop.quit();
    });
    QObject::connect(&socket, &QWebSocket::disconnected, &loop, &QEventLoop::quit);
    QTimer::singleShot(10s, &loop, &QEventLoop::quit);
    socket.open(QUrl(u"ws://127.0.0.1:%1/live"_s.arg(port)));
    loop.exec();
    if (gotState)
        std::printf("connected, first state after %lld ms\n", static_cast<long long>(waited.elapsed()));
    else
        std::printf("NOT served (%s)\n", qPrintable(socket.errorString()));
    return 0;
}

QHostAddress attackerAddress(int n)
{
    return QHostAddress(u"127.0.%1.%2"_s.arg(1 + n / 250).arg(2 + n % 250));
}

// Connects from the attacker address given; blocking, bounded by a short wait.
std::unique_ptr<QTcpSocket> connectFrom(int n, quint16 port)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->bind(attackerAddress(n));
    socket->connectToHost(QHostAddress::LocalHost, port);
    socket->waitForConnected(1000);
    return socket;
}

QByteArray upgradeRequest(const QByteArray& origin)
{
    QByteArray request = "GET /live HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                         "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n";
    if (!origin.isEmpty())
        request += "Origin: " + origin + "\r\n";
    return request + "\r\n";
}

// A header line that never ends, at about 4 MB/s, on a new connection whenever the server closes one.
void attackHeader(quint16 port, QElapsedTimer& clock, qint64 until)
{
    const QByteArray chunk(40'000, 'a');
    while (clock.elapsed() < until) {
        auto socket = connectFrom(0, port);
        socket->write("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Never-Ends: ");
        QElapsedTimer paced;
        paced.start();
        qint64 sent = 0;
        while (socket->state() == QAbstractSocket::ConnectedState && clock.elapsed() < until) {
            // Pace to 4 MB/s, but never queue more than a second's worth here.
            if (sent < paced.elapsed() * 4000 && socket->bytesToWrite() < 4'000'000) {
                socket->write(chunk);
                sent += chunk.size();
            }
            socket->waitForBytesWritten(10);
        }
    }
}

// Clients that complete the upgrade, then flood pings and never read; each starts again when dropped.
void attackPings(quint16 port, QElapsedTimer& clock, qint64 until)
{
    QByteArray ping("\x89\xfd\x00\x00\x00\x00", 6);
    ping += QByteArray(125, 'p');
    const QByteArray burst = ping.repeated(256);
    std::vector<std::unique_ptr<QTcpSocket>> flooders(8);
    while (clock.elapsed() < until) {
        for (size_t i = 0; i < flooders.size(); ++i) {
            auto& s = flooders[i];
            if (!s || s->state() != QAbstractSocket::ConnectedState) {
                s = connectFrom(int(i), port);
                s->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
                s->write(upgradeRequest({}));
            }
            if (s->bytesToWrite() < 1'000'000)
                s->write(burst);
            s->waitForBytesWritten(5);
        }
    }
}

// 300 connections from other source addresses, each sending one byte of a request a second.
void attackSlow(quint16 port, QElapsedTimer& clock, qint64 until)
{
    std::vector<std::unique_ptr<QTcpSocket>> slow(300);
    while (clock.elapsed() < until) {
        QElapsedTimer round;
        round.start();
        for (size_t i = 0; i < slow.size(); ++i) {
            auto& s = slow[i];
            if (!s || s->state() != QAbstractSocket::ConnectedState) {
                s = std::make_unique<QTcpSocket>();
                s->bind(attackerAddress(int(i)));
                s->connectToHost(QHostAddress::LocalHost, port);
            }
            if (s->state() == QAbstractSocket::ConnectedState)
                s->write("G");
        }
        while (round.elapsed() < 1000 && clock.elapsed() < until)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

// 64 WebSockets at a time from a page on a foreign site, each tried again as soon as it is turned away.
void attackForeign(quint16 port, QElapsedTimer& clock, qint64 until)
{
    std::vector<std::unique_ptr<QTcpSocket>> sockets(64);
    while (clock.elapsed() < until) {
        for (size_t i = 0; i < sockets.size(); ++i) {
            auto& s = sockets[i];
            if (!s || s->state() != QAbstractSocket::ConnectedState) {
                s = std::make_unique<QTcpSocket>();
                s->bind(attackerAddress(int(i % 8)));
                s->connectToHost(QHostAddress::LocalHost, port);
                s->write(upgradeRequest("http://attacker.example"));
            }
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        for (auto& s : sockets)
            if (s)
                s->readAll();
    }
}

int attackProcess(const QString& kind, quint16 port, int seconds)
{
    QElapsedTimer clock;
    clock.start();
    const qint64 until = seconds * 1000LL;
    if (kind == u"header"_s)
        attackHeader(port, clock, until);
    else if (kind == u"pings"_s)
        attackPings(port, clock, until);
    else if (kind == u"slow"_s)
        attackSlow(port, clock, until);
    else if (kind == u"foreign"_s)
        attackForeign(port, clock, until);
    return 0;
}

// The server as the program runs it; returns its port, or 0.
quint16 startServer(RoomDisplay& display)
{
    QEventLoop loop;
    QObject::connect(&display, &RoomDisplay::startFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10s, &loop, &QEventLoop::quit);
    display.start({QHostAddress(QHostAddress::LocalHost)}, 0);
    loop.exec();
    return display.isRunning() ? display.port() : 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], "page") == 0) {
        // A standalone server to look at the page with: a target an hour and 5 s ahead, an active window; with
        // "none" after the port, a target that names no time.
        QApplication app(argc, argv);
        auto clock = SystemClock::create();
        QtPrompter prompter; // nothing here asks
        Mission mission(*clock, prompter);
        mission.holds().setLaunchTarget(MissionTexts::heldTargetText(clock->now().addSecs(3605)));
        mission.launchWindow().setRemainingText(u"0:01:00"_s);
        mission.launchWindow().setWindowActive(true);
        if (argc > 3 && qstrcmp(argv[3], "none") == 0)
            mission.holds().setLaunchTarget(u"whenever"_s);
        mission.launchClock().tmrCountdown().start();
        RoomDisplay display(mission.state(), *clock);
        display.start({QHostAddress(QHostAddress::LocalHost)},
                      static_cast<quint16>(QString::fromLocal8Bit(argv[2]).toUInt()));
        return QCoreApplication::exec();
    }
    if (argc >= 3 && qstrcmp(argv[1], "probe") == 0) {
        QCoreApplication app(argc, argv);
        return probe(static_cast<quint16>(QString::fromLocal8Bit(argv[2]).toUInt()));
    }
    if (argc == 5 && qstrcmp(argv[1], "attack") == 0) {
        QCoreApplication app(argc, argv);
        return attackProcess(QString::fromLocal8Bit(argv[2]),
                             static_cast<quint16>(QString::fromLocal8Bit(argv[3]).toUInt()),
                             QString::fromLocal8Bit(argv[4]).toInt());
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
    Meters meters;
    app.installEventFilter(&meters.timers);
    meters.watchSeconds(counting.window.findChild<WatchedLabel*>(u"lblSeconds"_s));
    run(2s);

    phase("without the display", meters, seconds);
    RoomDisplay display(state, *counting.clock);
    const quint16 portNumber = startServer(display);
    if (portNumber == 0)
        return 1;
    meters.watchServer(display.serverThread());
    const QString port = QString::number(portNumber);
    phase("serving, no screen", meters, seconds);

    QProcess* fifty = child({u"screens"_s, port, u"50"_s});
    run(3s);
    std::printf("screens connected: %d\n", display.screenCount());
    phase("serving 50 screens", meters, seconds);
    fifty->terminate();
    fifty->waitForFinished();
    delete fifty;
    run(1s);

    QProcess* warmUp = child({u"cycles"_s, port, u"100"_s});
    waitFor(warmUp);
    delete warmUp;
    run(1s);
    const qsizetype filesBefore = openFiles();
    const long rssBefore = residentKiB();
    QProcess* thousand = child({u"cycles"_s, port, u"1000"_s});
    waitFor(thousand);
    delete thousand;
    run(1s);
    std::printf("1,000 connect/disconnect cycles: open files %lld -> %lld, RSS %ld -> %ld KiB (%+ld KiB), "
                "screens left %d\n",
                static_cast<long long>(filesBefore), static_cast<long long>(openFiles()), rssBefore, residentKiB(),
                residentKiB() - rssBefore, display.screenCount());

    attack("never-ending header", meters, port, u"header"_s, std::max(seconds, 30));
    attack("8 ping flooders", meters, port, u"pings"_s, seconds);
    attack("300 slow connections", meters, port, u"slow"_s, seconds);
    attack("64 foreign-origin sockets", meters, port, u"foreign"_s, seconds);
    return 0;
}
