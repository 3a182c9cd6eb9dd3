// The room display on loopback: what a screen receives on connect and after each kind of transition, what it
// does not receive while a hold runs on, pings, the screen limit, unwanted messages, paths, methods and ports.
#include "DisplayScreen.h"
#include "FakeClock.h"
#include "MissionStateTestAccess.h"
#include "TestSupport.h"
#include "clock/MissionState.h"
#include "display/DisplayTcpServer.h"
#include "display/RoomDisplayServer.h"
#include "display/ServeEndpoint.h"
#include "display/frmRoomDisplay.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTcpServer>
#include <QWebSocket>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QString HeldForm = u"May 3, 2001   10:30:%1 AM"_s;

} // namespace

class TestRoomDisplay final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).removeRecursively();
    }
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
    void connectionLimit();
    void pathsAndMethods_data();
    void pathsAndMethods();
    void upgradeElsewhereRefused();
    void portInUse();
    void stopClosesScreensAndStartsAgain();
    void serveEndpoint_data();
    void serveEndpoint();

private:
    // The server is tested against a mission state written by hand.
    MissionStateTestAccess stub() { return MissionStateTestAccess(*m_state); }

    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<MissionState> m_state;
    std::unique_ptr<RoomDisplayServer> m_server;
    quint16 m_port = 0;
};

void TestRoomDisplay::init()
{
    QTest::failOnWarning(QRegularExpression(u".*"_s));
    m_clock = std::make_unique<FakeClock>();
    m_state = std::make_unique<MissionState>();
    m_server = std::make_unique<RoomDisplayServer>(*m_state, *m_clock);
    const auto result = m_server->start(QHostAddress::LocalHost, 0);
    QVERIFY2(result.ok, qPrintable(result.error));
    m_port = m_server->port();
}

void TestRoomDisplay::cleanup()
{
    m_server.reset();
    m_state.reset();
    m_clock.reset();
}

void TestRoomDisplay::stateOnConnect()
{
    DisplayScreen screen(m_port);
    QVERIFY(screen.waitForMessages(1));
    const QJsonObject state = screen.message(0);
    QCOMPARE(state.value(u"type"_s).toString(), u"state"_s);
    QCOMPARE(state.value(u"sentAt"_s).toDouble(), double(m_clock->currentMSecs()));
    QCOMPARE(state.value(u"phase"_s).toString(), u"before"_s);
    QCOMPARE(state.value(u"target"_s).toObject().value(u"text"_s).toString(), MissionState::InitialTarget);
    QCOMPARE(state.value(u"target"_s).toObject().value(u"msToTarget"_s).toDouble(), 10'000.0);
    QCOMPARE(state.value(u"window"_s).toObject().value(u"text"_s).toString(), u"00:00:00"_s);
    QCOMPARE(m_server->screenCount(), 1);

    // A target that names no date is a state too: dashes on every screen.
    stub().setTargetText(u"whenever"_s);
    stub().setPhase(MissionState::Phase::NoTarget);
    DisplayScreen late(m_port);
    QVERIFY(late.waitForMessages(1));
    QCOMPARE(late.message(0).value(u"phase"_s).toString(), u"none"_s);
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

// While holding, the target moves later and an active launch window runs down one second per second; every
// screen does both by itself, so the server stays quiet.
void TestRoomDisplay::holdRunsOnWithoutPushes()
{
    stub().setWindowRemainingText(u"0:01:00"_s);
    stub().setWindowActive(true);
    stub().setHolding(true);
    stub().setWindowRemainingText(u"00:01:00"_s); // the window clock's first tick, in its running form
    DisplayScreen screen(m_port);
    QVERIFY(screen.waitForMessages(1));
    for (int held = 1; held <= 3; ++held) {
        m_clock->advance(1);
        stub().setTargetText(HeldForm.arg(held, 2, 10, QChar(u'0')));
        stub().setWindowRemainingText(u"00:00:%1"_s.arg(60 - held, 2, 10, QChar(u'0')));
    }
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
    m_clock->advance(3600);
    const QJsonObject pong = screen.ping(9007199254740991.0);
    QCOMPARE(pong.value(u"id"_s).toDouble(), 9007199254740991.0);
    QCOMPARE(pong.value(u"now"_s).toDouble(), double(m_clock->currentMSecs()));
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
    QTRY_COMPARE(m_server->screenCount(), 1);
    if (binary)
        screen.socket().sendBinaryMessage(message);
    else
        screen.socket().sendTextMessage(QString::fromUtf8(message));
    QTRY_COMPARE(screen.closed().count(), 1);
    QCOMPARE(int(screen.socket().closeCode()), code);
    QTRY_COMPARE(m_server->screenCount(), 0);
}

void TestRoomDisplay::screenLimit()
{
    std::vector<std::unique_ptr<DisplayScreen>> screens;
    for (int i = 0; i < RoomDisplayServer::MaxScreens; ++i)
        screens.push_back(std::make_unique<DisplayScreen>(m_port));
    QTRY_COMPARE(m_server->screenCount(), RoomDisplayServer::MaxScreens);
    DisplayScreen extra(m_port);
    QTRY_COMPARE(extra.closed().count(), 1);
    QCOMPARE(extra.socket().closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
    QVERIFY(extra.socket().closeReason().contains(u"64"_s));
    QCOMPARE(extra.received(), 0);
    QCOMPARE(m_server->screenCount(), RoomDisplayServer::MaxScreens);

    // One leaves, and the next is welcome again.
    screens.front()->socket().close();
    QTRY_COMPARE(m_server->screenCount(), RoomDisplayServer::MaxScreens - 1);
    DisplayScreen next(m_port);
    QVERIFY(next.waitForMessages(1));
    QCOMPARE(m_server->screenCount(), RoomDisplayServer::MaxScreens);
}

// Idle connections cannot use up the program's file descriptors; once some close, browsers get through again.
void TestRoomDisplay::connectionLimit()
{
    std::vector<std::unique_ptr<QTcpSocket>> idle;
    // In batches the listening backlog holds, so that none waits for the kernel to try again.
    while (int(idle.size()) < DisplayTcpServer::MaxConnections) {
        for (int i = 0; i < 32 && int(idle.size()) < DisplayTcpServer::MaxConnections; ++i) {
            idle.push_back(std::make_unique<QTcpSocket>());
            idle.back()->connectToHost(QHostAddress::LocalHost, m_port);
        }
        QTRY_COMPARE(m_server->openConnections(), int(idle.size()));
    }
    QTcpSocket extra;
    QSignalSpy refused(&extra, &QTcpSocket::disconnected);
    extra.connectToHost(QHostAddress::LocalHost, m_port);
    QVERIFY(refused.wait(5000));
    QCOMPARE(m_server->openConnections(), DisplayTcpServer::MaxConnections);

    idle.resize(10);
    QTRY_COMPARE(m_server->openConnections(), 10);
    DisplayScreen screen(m_port);
    QVERIFY(screen.waitForMessages(1));
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
    QNetworkRequest request(QUrl(u"http://127.0.0.1:%1%2"_s.arg(m_port).arg(path)));
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

void TestRoomDisplay::upgradeElsewhereRefused()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"WebSocket received but no slots connected"_s));
    DisplayScreen screen(m_port, u"/state"_s);
    QTRY_COMPARE(screen.closed().count(), 1);
    QCOMPARE(screen.received(), 0);
    QCOMPARE(m_server->screenCount(), 0);
}

void TestRoomDisplay::portInUse()
{
    RoomDisplayServer second(*m_state, *m_clock);
    const auto result = second.start(QHostAddress::LocalHost, m_port);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(u"already in use"_s), qPrintable(result.error));
    QVERIFY(!second.isRunning());
    DisplayScreen screen(m_port); // the first one serves on
    QVERIFY(screen.waitForMessages(1));
}

void TestRoomDisplay::stopClosesScreensAndStartsAgain()
{
    DisplayScreen screen(m_port);
    QVERIFY(screen.waitForMessages(1));
    m_server->stop();
    QVERIFY(!m_server->isRunning());
    QCOMPARE(m_server->screenCount(), 0);
    QTRY_COMPARE(screen.closed().count(), 1);
    QVERIFY(m_server->start(QHostAddress::LocalHost, m_port).ok);
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
