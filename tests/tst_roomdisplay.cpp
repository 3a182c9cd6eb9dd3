// The room display on loopback: what a screen receives on connect and after each kind of transition, what it
// does not receive while a hold runs on, pings, paths, methods and ports; and what a client that means harm can
// do: each limit on a connection closes that connection alone, foreign hosts and pages are turned away, and
// none of it needs the window's thread.
#include "DisplayClients.h"
#include "DisplayScreen.h"
#include "FakeClock.h"
#include "MissionStateTestAccess.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "clock/Holds.h"
#include "clock/LaunchClock.h"
#include "clock/LaunchWindow.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"
#include "display/RoomDisplay.h"
#include "display/RoomHosts.h"
#include "display/ServeEndpoint.h"
#include "platform/ClockTimer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QProcessEnvironment>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTcpServer>
#include <QWebSocket>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QString HeldForm = u"May 3, 2001   10:30:%1 AM"_s;

// Short deadlines, so that the tests reach them quickly; the rest as the program has them.
DisplayLimits testLimits()
{
    DisplayLimits limits;
    limits.headDeadline = 600ms;
    limits.idle = 900ms;
    limits.httpConnections = 24;
    return limits;
}

QHostAddress source(int n)
{
    return QHostAddress(u"127.0.0.%1"_s.arg(n));
}

} // namespace

class TestRoomDisplay final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useOwnSettings(); }
    void init();
    void cleanup();

    void stateOnConnect();
    void transitions_data();
    void transitions();
    void holdRunsOnWithoutPushes();
    void departuresDuringHold_data();
    void departuresDuringHold();
    void pingAnswersWithMissionTime();
    void unwantedMessagesClose_data();
    void unwantedMessagesClose();
    void screenLimit();
    void messageRate();
    void unreadPongsDropTheScreen();
    void screensAreListed();
    void headLimits_data();
    void headLimits();
    void idleKeptAliveConnection();
    void connectionsPerAddress();
    void allConnections();
    void hosts_data();
    void hosts();
    void origins_data();
    void origins();
    void pathsAndMethods_data();
    void pathsAndMethods();
    void upgradeElsewhereRefused();
    void portInUse();
    void privilegedPort();
    void thisComputerOnly();
    void servesWhileWindowThreadBusy();
    void stopClosesScreensAndStartsAgain();
    void serveEndpoint_data();
    void serveEndpoint();

private:
    // A screen on loopback that must stay served whatever the test's other clients do.
    void expectScreenServed();
    // The display is tested against a mission state written by hand.
    MissionStateTestAccess stub() { return MissionStateTestAccess(*m_state); }

    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<MissionState> m_state;
    std::unique_ptr<RoomDisplay> m_display;
    quint16 m_port = 0;
};

void TestRoomDisplay::init()
{
    // Nothing a client sends may put a line on standard error.
    QTest::failOnWarning(QRegularExpression(u".*"_s));
    m_clock = std::make_unique<FakeClock>();
    m_state = std::make_unique<MissionState>();
    m_display = std::make_unique<RoomDisplay>(*m_state, *m_clock, nullptr, testLimits());
    const auto result = startDisplay(*m_display, {QHostAddress(QHostAddress::LocalHost)}, 0);
    QVERIFY2(result.ok, qPrintable(result.error));
    m_port = m_display->port();
}

void TestRoomDisplay::cleanup()
{
    m_display.reset();
    m_state.reset();
    m_clock.reset();
}

void TestRoomDisplay::expectScreenServed()
{
    DisplayScreen screen(m_port);
    QVERIFY2(screen.waitForMessages(1), "a screen was locked out");
    QCOMPARE(screen.message(0).value(u"type"_s).toString(), u"state"_s);
}

void TestRoomDisplay::stateOnConnect()
{
    DisplayScreen screen(m_port);
    QVERIFY(screen.waitForMessages(1));
    const QJsonObject state = screen.message(0);
    QCOMPARE(state.value(u"type"_s).toString(), u"state"_s);
    // The server's mission clock runs on from the last snapshot while the fake one stands still.
    const double sentAt = state.value(u"sentAt"_s).toDouble();
    QVERIFY(sentAt >= double(m_clock->currentMSecs()) && sentAt < double(m_clock->currentMSecs()) + 5000);
    QCOMPARE(state.value(u"phase"_s).toString(), u"before"_s);
    QCOMPARE(state.value(u"colour"_s).toString(), u"#ff8080"_s);
    QCOMPARE(state.value(u"target"_s).toObject().value(u"text"_s).toString(), MissionState::InitialTarget);
    QCOMPARE(state.value(u"target"_s).toObject().value(u"msToTarget"_s).toDouble() + sentAt,
             double(m_clock->currentMSecs()) + 10'000.0);
    QCOMPARE(state.value(u"window"_s).toObject().value(u"text"_s).toString(), u"00:00:00"_s);
    // The lamps' rule comes with the state: last hour and ten minutes on even seconds, last minute on odd ones.
    QCOMPARE(QJsonDocument(state.value(u"lamps"_s).toArray()).toJson(QJsonDocument::Compact),
             R"([{"limit":3600,"parity":0},{"limit":600,"parity":0},{"limit":60,"parity":1}])");
    QTRY_COMPARE(m_display->screenCount(), 1);

    // A target that names no date is a state too: dashes on every screen, on the colour the window keeps
    // from the last phase it showed.
    stub().setPhase(MissionState::Phase::AfterLiftoff);
    stub().setTargetText(u"whenever"_s);
    stub().setPhase(MissionState::Phase::NoTarget);
    screen.ping(1);
    DisplayScreen late(m_port);
    QVERIFY(late.waitForMessages(1));
    QCOMPARE(late.message(0).value(u"phase"_s).toString(), u"none"_s);
    QCOMPARE(late.message(0).value(u"colour"_s).toString(), u"#00c000"_s);
    QVERIFY(late.message(0).value(u"target"_s).toObject().value(u"msToTarget"_s).isNull());
}

enum class Transition
{
    NewTarget,
    Liftoff,
    HoldBegun,
    HoldEnded,
    Armed,
    WindowSet,
    WindowActivated,
    Warned,
    WarningArmed,
    Expired,
    ClockJumped,
    FileLoaded
};

void TestRoomDisplay::transitions_data()
{
    QTest::addColumn<Transition>("transition");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("new target") << Transition::NewTarget << u"target.text"_s << u"May 04, 2001   9:00:00 AM"_s;
    QTest::newRow("liftoff") << Transition::Liftoff << u"phase"_s << u"after"_s;
    QTest::newRow("hold begun") << Transition::HoldBegun << u"holding"_s << u"true"_s;
    QTest::newRow("hold ended") << Transition::HoldEnded << u"holding"_s << u"false"_s;
    QTest::newRow("arming") << Transition::Armed << u"holdsArmed"_s << u"true"_s;
    QTest::newRow("window set") << Transition::WindowSet << u"window.text"_s << u"1:30:00"_s;
    QTest::newRow("window activated") << Transition::WindowActivated << u"window.active"_s << u"true"_s;
    QTest::newRow("warned") << Transition::Warned << u"window.warning"_s << u"true"_s;
    QTest::newRow("warning armed") << Transition::WarningArmed << u"window.warningArmed"_s << u"true"_s;
    QTest::newRow("expired") << Transition::Expired << u"window.expired"_s << u"true"_s;
    QTest::newRow("clock jumped") << Transition::ClockJumped << u"sentAt"_s << u"988885800000"_s;
    QTest::newRow("file loaded") << Transition::FileLoaded << u"target.text"_s << u"June 1, 2001   1:00:00 PM"_s;
}

void TestRoomDisplay::transitions()
{
    QFETCH(Transition, transition);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    if (transition == Transition::HoldEnded)
        stub().setHolding(true);
    DisplayScreen screen(m_port);
    QVERIFY(screen.waitForMessages(1));

    switch (transition) {
    case Transition::NewTarget:
        stub().setTargetText(expected);
        break;
    case Transition::Liftoff:
        m_clock->advance(10);
        stub().setPhase(MissionState::Phase::AfterLiftoff);
        break;
    case Transition::HoldBegun:
        stub().setHolding(true);
        break;
    case Transition::HoldEnded:
        stub().setHolding(false);
        break;
    case Transition::Armed:
        stub().setHoldsArmed(true);
        break;
    case Transition::WindowSet:
        stub().setWindowRemainingText(expected);
        break;
    case Transition::WindowActivated:
        stub().setWindowActive(true);
        break;
    case Transition::Warned:
        stub().setWindowWarning(true);
        break;
    case Transition::WarningArmed:
        stub().setWarningArmed(true);
        break;
    case Transition::Expired:
        stub().setWindowExpired(true);
        break;
    case Transition::ClockJumped:
        m_clock->setNow(FakeClock::at(u"May 3, 2001 10:30:00 AM"));
        stub().noteClockJumped();
        break;
    case Transition::FileLoaded:
        // A load writes several fields, and screens receive the outcome once.
        stub().setTargetText(expected);
        stub().setHoldsArmed(true);
        stub().setWindowRemainingText(u"0:10:00"_s);
        stub().setWindowActive(true);
        stub().noteFileLoaded();
        break;
    }
    QVERIFY(screen.waitForMessages(2));
    screen.ping(1);
    QCOMPARE(screen.statesSince(1), 1);
    QJsonValue value = screen.message(1);
    for (const QString& part : key.split(u'.'))
        value = value.toObject().value(part);
    const QString shown = value.isBool()     ? (value.toBool() ? u"true"_s : u"false"_s)
                          : value.isDouble() ? QString::number(value.toDouble(), 'f', 0)
                                             : value.toString();
    QCOMPARE(shown, expected);
}

// While holding, the target moves later, an active launch window runs down one second per second and its warning
// comes on below a minute; every screen does all of it by itself, so the server stays quiet. The mission's own
// commands and ticks write the state, as in the program.
void TestRoomDisplay::holdRunsOnWithoutPushes()
{
    ScriptedPrompter prompter;
    Mission mission(*m_clock, prompter);
    RoomDisplay display(mission.state(), *m_clock, nullptr, testLimits());
    QVERIFY(startDisplay(display, {QHostAddress(QHostAddress::LocalHost)}, 0).ok);
    mission.launchWindow().setRemainingText(u"0:01:00"_s);
    mission.launchWindow().setWindowActive(true);
    mission.holds().setHoldsArmed(true);
    mission.launchClock().tmrCountdown().start();
    mission.holds().HoldCount();
    settle();
    DisplayScreen screen(display.port());
    QVERIFY(screen.waitForMessages(1));
    QVERIFY(!screen.message(0).value(u"window"_s).toObject().value(u"warning"_s).toBool());
    for (int held = 1; held <= 3; ++held) {
        // A second passes on a running clock: the mission's timers fire at its start.
        m_clock->pass(1);
        for (ClockTimer* timer : mission.findChildren<ClockTimer*>())
            timer->fireSoon();
        settle();
    }
    QCOMPARE(mission.state().targetText(), HeldForm.arg(u"03"_s));
    QCOMPARE(mission.state().windowRemainingText(), u"00:00:57"_s);
    QVERIFY(mission.state().windowWarning());
    QCOMPARE(screen.ping(1).value(u"type"_s).toString(), u"pong"_s);
    QCOMPARE(screen.statesSince(1), 0);
}

void TestRoomDisplay::departuresDuringHold_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("window");
    QTest::newRow("new launch time during a hold") << u"May 04, 2001   9:00:00 AM"_s << u"00:00:59"_s;
    QTest::newRow("target in the other form") << u"May 03, 2001   10:30:01 AM"_s << u"00:00:59"_s;
    QTest::newRow("window set during a hold") << HeldForm.arg(u"01"_s) << u"0:05:00"_s;
    QTest::newRow("window jumped") << HeldForm.arg(u"01"_s) << u"00:00:30"_s;
}

void TestRoomDisplay::departuresDuringHold()
{
    QFETCH(QString, target);
    QFETCH(QString, window);
    stub().setWindowRemainingText(u"00:01:00"_s);
    stub().setWindowActive(true);
    stub().setHolding(true);
    DisplayScreen screen(m_port);
    QVERIFY(screen.waitForMessages(1));
    m_clock->advance(1);
    stub().setTargetText(target);
    stub().setWindowRemainingText(window);
    screen.ping(1);
    QCOMPARE(screen.statesSince(1), 1);
    QCOMPARE(screen.message(1).value(u"target"_s).toObject().value(u"text"_s).toString(), target);
    QCOMPARE(screen.message(1).value(u"window"_s).toObject().value(u"text"_s).toString(), window);
}

void TestRoomDisplay::pingAnswersWithMissionTime()
{
    DisplayScreen screen(m_port);
    QVERIFY(screen.waitForMessages(1));
    m_clock->advance(3600); // a jump: the server hears of the new offset, the screens need not
    const QJsonObject pong = screen.ping(9007199254740991.0);
    QCOMPARE(pong.value(u"id"_s).toDouble(), 9007199254740991.0);
    const double now = pong.value(u"now"_s).toDouble();
    QVERIFY2(now >= double(m_clock->currentMSecs()) && now < double(m_clock->currentMSecs()) + 5000,
             qPrintable(QString::number(now - double(m_clock->currentMSecs()))));
    QCOMPARE(screen.statesSince(1), 0);
    QVERIFY(screen.closed().isEmpty());
}

void TestRoomDisplay::unwantedMessagesClose_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<bool>("binary");
    QTest::addColumn<int>("code");
    QTest::newRow("not JSON") << QByteArray("hello") << false << 1008;
    QTest::newRow("another type") << QByteArray(R"({"type":"hold","id":1})") << false << 1008;
    QTest::newRow("an extra key") << QByteArray(R"({"type":"ping","id":1,"x":0})") << false << 1008;
    QTest::newRow("id not a whole number") << QByteArray(R"({"type":"ping","id":1.5})") << false << 1008;
    QTest::newRow("id negative") << QByteArray(R"({"type":"ping","id":-1})") << false << 1008;
    QTest::newRow("id a text") << QByteArray(R"({"type":"ping","id":"1"})") << false << 1008;
    QTest::newRow("binary") << QByteArray(R"({"type":"ping","id":1})") << true << 1003;
    QTest::newRow("oversized") << QByteArray(300, ' ') + R"({"type":"ping","id":1})" << false << 1009;
}

void TestRoomDisplay::unwantedMessagesClose()
{
    QFETCH(QByteArray, message);
    QFETCH(bool, binary);
    QFETCH(int, code);
    DisplayScreen screen(m_port);
    QVERIFY(screen.waitForMessages(1));
    QTRY_COMPARE(m_display->screenCount(), 1);
    if (binary)
        screen.socket().sendBinaryMessage(message);
    else
        screen.socket().sendTextMessage(QString::fromUtf8(message));
    QTRY_COMPARE(screen.closed().count(), 1);
    QCOMPARE(int(screen.socket().closeCode()), code);
    QTRY_COMPARE(m_display->screenCount(), 0);
}

void TestRoomDisplay::screenLimit()
{
    const int limit = DisplayLimits().screens;
    std::vector<std::unique_ptr<DisplayScreen>> screens;
    // In batches one address may have on their way at once.
    while (int(screens.size()) < limit) {
        for (int i = 0; i < 8 && int(screens.size()) < limit; ++i)
            screens.push_back(std::make_unique<DisplayScreen>(m_port));
        QTRY_COMPARE(m_display->screenCount(), int(screens.size()));
    }
    DisplayScreen extra(m_port);
    QTRY_COMPARE(extra.closed().count(), 1);
    QCOMPARE(extra.socket().closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
    QVERIFY(extra.socket().closeReason().contains(u"64"_s));
    QCOMPARE(extra.received(), 0);
    QCOMPARE(m_display->screenCount(), limit);

    // One leaves, and the next is welcome again.
    screens.front()->socket().close();
    QTRY_COMPARE(m_display->screenCount(), limit - 1);
    DisplayScreen next(m_port);
    QVERIFY(next.waitForMessages(1));
    QTRY_COMPARE(m_display->screenCount(), limit);
}

// A page pings a few times a minute; a screen that sends more is closed with a reason, and only that one.
void TestRoomDisplay::messageRate()
{
    DisplayScreen calm(m_port);
    DisplayScreen chatty(m_port);
    QVERIFY(calm.waitForMessages(1) && chatty.waitForMessages(1));
    for (int i = 1; i <= DisplayLimits().messagesPerSecond + 5; ++i)
        chatty.socket().sendTextMessage(u"{\"type\":\"ping\",\"id\":%1}"_s.arg(i));
    QTRY_COMPARE(chatty.closed().count(), 1);
    QCOMPARE(chatty.socket().closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
    QCOMPARE(chatty.socket().closeReason(), u"Too many messages."_s);
    QCOMPARE(calm.ping(1).value(u"type"_s).toString(), u"pong"_s);
    QVERIFY(calm.closed().isEmpty());
}

// A client that floods pings and never reads makes the server pile up pongs it cannot send: past the limit the
// connection goes, before it can eat the program's memory.
void TestRoomDisplay::unreadPongsDropTheScreen()
{
    RawClient flooder(m_port, source(2));
    flooder.socket().setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
    QVERIFY(flooder.waitConnected());
    QCOMPARE(upgrade(flooder, "127.0.0.1:" + QByteArray::number(m_port)), 101);
    // Masked pings with the largest payload a control frame may carry; the server answers each with a pong.
    QByteArray ping("\x89\xfd\x00\x00\x00\x00", 6);
    ping += QByteArray(125, 'p');
    const QByteArray burst = ping.repeated(256);
    QElapsedTimer flooding;
    flooding.start();
    bool dropped = false;
    for (int round = 0; round < 2000 && flooding.elapsed() < 20'000 && !dropped; ++round) {
        flooder.socket().write(burst);
        flooder.socket().waitForBytesWritten(50);
        dropped = flooder.socket().state() != QAbstractSocket::ConnectedState;
    }
    QVERIFY2(dropped || flooder.waitClosed(5000), "a client that never reads kept its connection");
    expectScreenServed();
}

// The window lists each screen with its address, browser and the round trip of the server's own ping.
void TestRoomDisplay::screensAreListed()
{
    QSignalSpy listed(m_display.get(), &RoomDisplay::screensChanged);
    DisplayScreen screen(m_port, u"/live"_s,
                         "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/120.0.0.0 "
                         "Safari/537.36");
    QVERIFY(screen.waitForMessages(1));
    QTRY_VERIFY(!m_display->screens().isEmpty() && m_display->screens().constFirst().roundTripMs >= 0);
    const ScreenInfo info = m_display->screens().constFirst();
    QCOMPARE(info.address, u"127.0.0.1"_s);
    QCOMPARE(info.browser, u"Chrome 120"_s);
    QVERIFY(info.roundTripMs < 1000);
    screen.socket().close();
    QTRY_VERIFY(m_display->screens().isEmpty());
}

void TestRoomDisplay::headLimits_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("trickle");
    QTest::newRow("a header that never ends")
        << QByteArray("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Long: ") << QByteArray(4096, 'a');
    QTest::newRow("a head sent a byte at a time") << QByteArray("GET / HTTP/1.1\r\n") << QByteArray("X");
    QTest::newRow("connected and silent") << QByteArray() << QByteArray();
    QTest::newRow("a body that never ends")
        << QByteArray("POST / HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 100000000\r\n\r\n")
        << QByteArray(4096, 'b');
}

// A request must arrive whole, within its size and its deadline; a client that keeps sending or stops short is
// closed, while a screen from the same machine is served throughout.
void TestRoomDisplay::headLimits()
{
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, trickle);
    RawClient slow(m_port, source(2));
    QVERIFY(slow.waitConnected());
    slow.send(start);
    QElapsedTimer sending;
    sending.start();
    bool closed = false;
    for (int i = 0; i < 400 && sending.elapsed() < 10'000 && !closed; ++i) {
        if (!trickle.isEmpty())
            slow.send(trickle);
        closed = slow.waitClosed(25);
        if (i == 5)
            expectScreenServed();
    }
    QVERIFY2(closed, "a request that never ended kept its connection");
    QTRY_VERIFY(m_display->openConnectionsBlocking() <= 1);
    expectScreenServed();
}

void TestRoomDisplay::idleKeptAliveConnection()
{
    RawClient client(m_port, source(2));
    QVERIFY(client.waitConnected());
    client.get("/state", "Host: 127.0.0.1\r\n");
    QCOMPARE(client.status(), 200);
    client.get("/state", "Host: 127.0.0.1\r\n"); // kept alive while it asks
    QCOMPARE(client.status(), 200);
    QVERIFY(client.waitClosed(5000));
}

// One client address may hold only so many page connections: its next takes the place of its oldest, and other
// addresses and screens are not touched.
void TestRoomDisplay::connectionsPerAddress()
{
    const int share = DisplayLimits().httpConnectionsPerAddress;
    RawClient screen(m_port, source(2));
    QCOMPARE(upgrade(screen, "127.0.0.1"), 101);
    RawClient neighbour(m_port, source(3));
    QVERIFY(neighbour.waitConnected());
    std::vector<std::unique_ptr<RawClient>> held;
    for (int i = 0; i < share; ++i) {
        held.push_back(std::make_unique<RawClient>(m_port, source(2)));
        QVERIFY(held.back()->waitConnected());
        QTest::qWait(2); // in the order made
    }
    QTRY_COMPARE(m_display->openConnectionsBlocking(), share + 2);
    RawClient next(m_port, source(2));
    next.get("/state", "Host: 127.0.0.1\r\n");
    QCOMPARE(next.status(), 200);
    QVERIFY(held.front()->waitClosed(2000));
    QCOMPARE(held.back()->socket().state(), QAbstractSocket::ConnectedState);
    QCOMPARE(m_display->openConnectionsBlocking(), share + 2);
    // Screens count apart: the crowded address's own screen, and its neighbour, are served on.
    neighbour.get("/state", "Host: 127.0.0.1\r\n");
    QCOMPARE(neighbour.status(), 200);
    QTRY_COMPARE(m_display->screenCount(), 1);
    QCOMPARE(screen.socket().state(), QAbstractSocket::ConnectedState);
    expectScreenServed();
}

// When page connections from many addresses fill every place, the oldest gives way, so a browser that asks now
// is answered.
void TestRoomDisplay::allConnections()
{
    const int all = testLimits().httpConnections;
    std::vector<std::unique_ptr<RawClient>> held;
    for (int i = 0; i < all; ++i) {
        held.push_back(std::make_unique<RawClient>(m_port, source(10 + i % 8)));
        QVERIFY(held.back()->waitConnected());
        QTest::qWait(2); // in the order made
    }
    QTRY_COMPARE(m_display->openConnectionsBlocking(), all);
    RawClient browser(m_port, source(2));
    browser.get("/state", "Host: 127.0.0.1\r\n");
    QCOMPARE(browser.status(), 200);
    QVERIFY(held.front()->waitClosed(2000));
    QCOMPARE(held.back()->socket().state(), QAbstractSocket::ConnectedState);
    expectScreenServed();
}

void TestRoomDisplay::hosts_data()
{
    QTest::addColumn<QByteArray>("host");
    QTest::addColumn<int>("status");
    const QByteArray name = QSysInfo::machineHostName().toLower().toLatin1();
    QTest::newRow("the address") << QByteArray("127.0.0.1:PORT") << 200;
    QTest::newRow("without a port") << QByteArray("127.0.0.1") << 200;
    QTest::newRow("localhost") << QByteArray("localhost:PORT") << 200;
    QTest::newRow("LOCALHOST") << QByteArray("LOCALHOST") << 200;
    QTest::newRow("IPv6 loopback") << QByteArray("[::1]:PORT") << 200;
    QTest::newRow("the machine's name") << name + ":PORT" << 200;
    QTest::newRow("its name in .local") << name + ".local" << 200;
    QTest::newRow("a foreign name") << QByteArray("attacker.example:PORT") << 421;
    QTest::newRow("a foreign name without a port") << QByteArray("attacker.example") << 421;
    QTest::newRow("our address inside a name") << QByteArray("127.0.0.1.attacker.example") << 421;
    QTest::newRow("localhost inside a name") << QByteArray("localhost.attacker.example") << 421;
    QTest::newRow("another machine's address") << QByteArray("192.0.2.7:PORT") << 421;
    QTest::newRow("no Host") << QByteArray() << 400;
    QTest::newRow("an empty Host") << QByteArray("HOST_EMPTY") << 400;
    QTest::newRow("brackets left open") << QByteArray("[::1:PORT") << 400;
    QTest::newRow("IPv6 without brackets") << QByteArray("::1") << 400;
    QTest::newRow("a port that is none") << QByteArray("localhost:80a") << 400;
}

// Only this machine's names and addresses are served, so a foreign site whose name was made to point here sees
// nothing; the foreign answer carries nothing of the mission.
void TestRoomDisplay::hosts()
{
    QFETCH(QByteArray, host);
    QFETCH(int, status);
    host.replace("PORT", QByteArray::number(m_port));
    RawClient client(m_port);
    const QByteArray header = host.isEmpty() ? QByteArray() : "Host: " + (host == "HOST_EMPTY" ? "" : host) + "\r\n";
    client.get("/state", header);
    QCOMPARE(client.status(), status);
    QCOMPARE(client.lastBody.contains("target"), status == 200);
    RawClient page(m_port);
    page.get("/", header);
    QCOMPARE(page.status(), status);
}

void TestRoomDisplay::origins_data()
{
    QTest::addColumn<QByteArray>("host");
    QTest::addColumn<QByteArray>("origin");
    QTest::addColumn<bool>("taken");
    QTest::newRow("no Origin") << QByteArray("127.0.0.1:PORT") << QByteArray() << true;
    QTest::newRow("the room's own page") << QByteArray("127.0.0.1:PORT") << QByteArray("http://127.0.0.1:PORT") << true;
    QTest::newRow("by its name") << QByteArray("localhost:PORT") << QByteArray("http://LocalHost:PORT") << true;
    QTest::newRow("a foreign page") << QByteArray("127.0.0.1:PORT") << QByteArray("http://attacker.example") << false;
    QTest::newRow("the same host, another port")
        << QByteArray("127.0.0.1:PORT") << QByteArray("http://127.0.0.1:1") << false;
    QTest::newRow("another name of this machine")
        << QByteArray("127.0.0.1:PORT") << QByteArray("http://localhost:PORT") << false;
    QTest::newRow("a sandboxed page") << QByteArray("127.0.0.1:PORT") << QByteArray("null") << false;
    QTest::newRow("a secure page") << QByteArray("127.0.0.1:PORT") << QByteArray("https://127.0.0.1:PORT") << false;
    QTest::newRow("a foreign host") << QByteArray("attacker.example") << QByteArray("http://attacker.example") << false;
}

// A page on another site, even one open on the operator's own machine, cannot take a screen's place.
void TestRoomDisplay::origins()
{
    QFETCH(QByteArray, host);
    QFETCH(QByteArray, origin);
    QFETCH(bool, taken);
    const QByteArray port = QByteArray::number(m_port);
    RawClient client(m_port);
    const int status =
        upgrade(client, host.replace("PORT", port), origin.isEmpty() ? QByteArray() : origin.replace("PORT", port));
    QCOMPARE(status == 101, taken);
    if (!taken) {
        QVERIFY(status == 403 || status == 421);
        QVERIFY(client.waitClosed());
    }
    QTRY_COMPARE(m_display->screenCount(), taken ? 1 : 0);
}
void TestRoomDisplay::pathsAndMethods_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("type");
    QTest::newRow("the page") << QByteArray("GET") << u"/"_s << 200 << u"text/html"_s;
    QTest::newRow("its script") << QByteArray("GET") << u"/display.js"_s << 200 << u"text/javascript"_s;
    QTest::newRow("its style") << QByteArray("GET") << u"/display.css"_s << 200 << u"text/css"_s;
    QTest::newRow("the state") << QByteArray("GET") << u"/state"_s << 200 << u"application/json"_s;
    QTest::newRow("live without upgrade") << QByteArray("GET") << u"/live"_s << 426 << u"text/plain"_s;
    QTest::newRow("unknown path") << QByteArray("GET") << u"/launch.trv"_s << 404 << u"text/plain"_s;
    QTest::newRow("a way up") << QByteArray("GET") << u"/../etc/passwd"_s << 404 << u"text/plain"_s;
    QTest::newRow("POST to the page") << QByteArray("POST") << u"/"_s << 405 << u"text/plain"_s;
    QTest::newRow("PUT the state") << QByteArray("PUT") << u"/state"_s << 405 << u"text/plain"_s;
    QTest::newRow("DELETE live") << QByteArray("DELETE") << u"/live"_s << 405 << u"text/plain"_s;
    QTest::newRow("HEAD") << QByteArray("HEAD") << u"/"_s << 405 << QString();
    QTest::newRow("POST elsewhere") << QByteArray("POST") << u"/hold"_s << 404 << u"text/plain"_s;
}

void TestRoomDisplay::pathsAndMethods()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(int, status);
    QFETCH(QString, type);
    QSignalSpy changes(m_state.get(), &MissionState::changed);
    QNetworkAccessManager network;
    QNetworkRequest request(QUrl(u"http://localhost:%1%2"_s.arg(m_port).arg(path)));
    std::unique_ptr<QNetworkReply> reply(
        network.sendCustomRequest(request, method, method == "GET" ? QByteArray() : QByteArray("hold=1")));
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    QVERIFY(finished.wait(5000));
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), status);
    if (!type.isEmpty())
        QVERIFY2(reply->header(QNetworkRequest::ContentTypeHeader).toString().startsWith(type),
                 qPrintable(reply->header(QNetworkRequest::ContentTypeHeader).toString()));
    QCOMPARE(reply->rawHeader("X-Content-Type-Options"), QByteArray("nosniff"));
    QCOMPARE(reply->rawHeader("Cache-Control"), QByteArray("no-store"));
    QCOMPARE(reply->rawHeader("Referrer-Policy"), QByteArray("no-referrer"));
    const QByteArray policy = reply->rawHeader("Content-Security-Policy");
    QVERIFY(policy.contains("default-src 'none'") && !policy.contains("unsafe") && !policy.contains("http"));
    if (status == 200 && path == u"/state"_s)
        QCOMPARE(QJsonDocument::fromJson(reply->readAll()).object().value(u"type"_s).toString(), u"state"_s);
    QCOMPARE(changes.count(), 0);
}

// Refused upgrades (Qt warns about each) leave standard error alone: init() fails the test on any warning.
void TestRoomDisplay::upgradeElsewhereRefused()
{
    for (int i = 0; i < 3; ++i) {
        DisplayScreen screen(m_port, u"/state"_s);
        QTRY_COMPARE(screen.closed().count(), 1);
        QCOMPARE(screen.received(), 0);
    }
    RawClient foreign(m_port);
    QCOMPARE(upgrade(foreign, "127.0.0.1", "http://attacker.example"), 403);
    QCOMPARE(m_display->screenCount(), 0);
}

void TestRoomDisplay::portInUse()
{
    RoomDisplay second(*m_state, *m_clock);
    const auto result = startDisplay(second, {QHostAddress(QHostAddress::LocalHost)}, m_port);
    QVERIFY(!result.ok);
    QCOMPARE(result.error,
             u"Port %1 is already in use.  Choose another port, or stop the program that uses it."_s.arg(m_port));
    QCOMPARE(second.status(), RoomDisplay::Status::Stopped);
    expectScreenServed(); // the first one serves on
}

// Run as root without the right to bind low ports (ctest's tst_roomdisplay_lowport does so with setpriv).
void TestRoomDisplay::privilegedPort()
{
    QTcpServer probe;
    quint16 low = 0;
    for (quint16 port = 1023; port > 900 && !low; --port) {
        if (probe.listen(QHostAddress::LocalHost, port)) {
            probe.close();
            if (!QProcessEnvironment::systemEnvironment().contains(u"TARVANE_NO_LOW_PORTS"_s))
                QSKIP("this process may listen on ports below 1024");
            QFAIL("listening on a low port worked although the right to do so was dropped");
        }
        if (probe.serverError() == QAbstractSocket::SocketAccessError)
            low = port;
    }
    QVERIFY(low != 0);
    RoomDisplay second(*m_state, *m_clock);
    const auto result = startDisplay(second, {QHostAddress(QHostAddress::LocalHost)}, low);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, u"Ports below 1024 need administrator rights.  Choose 1024 or above, such as 8080."_s);
}

// "This computer only" listens on both loopback addresses, one port, and on nothing else.
void TestRoomDisplay::thisComputerOnly()
{
    QVERIFY(stopDisplay(*m_display));
    const QList<QHostAddress> loopback = ServeEndpoint::addressesFor(ProgramSettings::RoomDisplayReach::ThisComputer);
    QCOMPARE(loopback, QList<QHostAddress>({QHostAddress(u"127.0.0.1"_s), QHostAddress(u"::1"_s)}));
    const auto result = startDisplay(*m_display, loopback, 0);
    QVERIFY2(result.ok, qPrintable(result.error));
    QVERIFY(!result.addresses.isEmpty() && result.addresses.constFirst() == QHostAddress(u"127.0.0.1"_s));
    m_port = result.port;
    expectScreenServed();
    if (result.addresses.contains(QHostAddress(u"::1"_s))) {
        DisplayScreen six(m_port, u"/live"_s, {}, u"[::1]"_s);
        QVERIFY(six.waitForMessages(1));
    }
    for (const QHostAddress& own : QNetworkInterface::allAddresses()) {
        if (own.isLoopback() || own.isLinkLocal())
            continue;
        RawClient outside(m_port, own, own);
        QVERIFY2(!outside.waitConnected(), qPrintable(own.toString()));
    }
}

// The server answers on its own thread while the window's thread is busy, as it is while a modal box opens.
void TestRoomDisplay::servesWhileWindowThreadBusy()
{
    std::atomic<int> status = 0;
    std::thread browser([&status, port = m_port] {
        RawClient client(port, source(2));
        client.get("/state", "Host: 127.0.0.1\r\n");
        status = client.status(3000);
    });
    std::this_thread::sleep_for(1500ms); // no event of this thread runs meanwhile
    const int answered = status;
    browser.join();
    QCOMPARE(answered, 200);
}

void TestRoomDisplay::stopClosesScreensAndStartsAgain()
{
    DisplayScreen screen(m_port);
    QVERIFY(screen.waitForMessages(1));
    QVERIFY(stopDisplay(*m_display));
    QTRY_COMPARE(screen.closed().count(), 1);
    QTRY_COMPARE(m_display->screenCount(), 0);
    QVERIFY(startDisplay(*m_display, {QHostAddress(QHostAddress::LocalHost)}, m_port).ok);
    DisplayScreen again(m_port);
    QVERIFY(again.waitForMessages(1));
}

void TestRoomDisplay::serveEndpoint_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("port");
    QTest::newRow("port alone") << u"8080"_s << true << QHostAddress(QHostAddress::Any).toString() << 8080;
    QTest::newRow("IPv4") << u"127.0.0.1:8081"_s << true << u"127.0.0.1"_s << 8081;
    QTest::newRow("IPv6") << u"[::1]:8082"_s << true << u"::1"_s << 8082;
    QTest::newRow("IPv6 without brackets") << u"::1:8082"_s << false << QString() << 0;
    QTest::newRow("a name") << u"localhost:8080"_s << false << QString() << 0;
    QTest::newRow("port 0") << u"0"_s << false << QString() << 0;
    QTest::newRow("port too big") << u"65536"_s << false << QString() << 0;
    QTest::newRow("signed port") << u"+80"_s << false << QString() << 0;
    QTest::newRow("empty address") << u":8080"_s << false << QString() << 0;
    QTest::newRow("nothing") << QString() << false << QString() << 0;
}

void TestRoomDisplay::serveEndpoint()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, address);
    QFETCH(int, port);
    const auto endpoint = ServeEndpoint::parse(text);
    QCOMPARE(endpoint.has_value(), valid);
    if (valid) {
        QCOMPARE(endpoint->address.toString(), address);
        QCOMPARE(int(endpoint->port), port);
    }
}

QTEST_MAIN(TestRoomDisplay)
#include "tst_roomdisplay.moc"
