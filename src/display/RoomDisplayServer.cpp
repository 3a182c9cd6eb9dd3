#include "RoomDisplayServer.h"

#include "DisplayHttpServer.h"
#include "DisplayTcpServer.h"
#include "HttpConnection.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QWebSocket>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

namespace {

constexpr auto CloseGrace = 2s;
constexpr auto ScreensReportDelay = 100ms;

// The one message a screen may send: {"type":"ping","id":N} with N a whole number the page chose.
std::optional<double> pingId(const QString& message)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(message.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue id = object.value(u"id"_s);
    if (object.size() != 2 || object.value(u"type"_s) != u"ping"_s || !id.isDouble())
        return std::nullopt;
    const double value = id.toDouble();
    if (!std::isfinite(value) || value < 0 || value > 9007199254740991.0 || std::floor(value) != value)
        return std::nullopt;
    return value;
}

// Closes a connection politely, and for good if the other end does not answer the close.
void closeScreen(QWebSocket* socket, QWebSocketProtocol::CloseCode code, const QString& reason)
{
    socket->close(code, reason);
    QTimer::singleShot(CloseGrace, socket, [socket] { socket->abort(); });
}

qint64 steadyMSecs(SteadyClock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count();
}

QString listenError(QAbstractSocket::SocketError error, quint16 port, const QString& detail)
{
    if (error == QAbstractSocket::AddressInUseError)
        return u"Port %1 is already in use.  Choose another port, or stop the program that uses it."_s.arg(port);
    if (error == QAbstractSocket::SocketAccessError && port != 0 && port < 1024)
        return u"Ports below 1024 need administrator rights.  Choose 1024 or above, such as 8080."_s;
    return u"The room display cannot listen on port %1: %2"_s.arg(port).arg(detail);
}

} // namespace

RoomDisplayServer::RoomDisplayServer(const DisplayLimits& limits, QObject* parent)
    : QObject(parent), m_limits(limits), m_pingTimer(this), m_screensTimer(this)
{
    setObjectName(u"RoomDisplayServer"_s);
    m_pingTimer.setInterval(m_limits.roundTripEvery);
    connect(&m_pingTimer, &QTimer::timeout, this, &RoomDisplayServer::pingScreens);
    m_screensTimer.setSingleShot(true);
    m_screensTimer.setInterval(ScreensReportDelay);
    connect(&m_screensTimer, &QTimer::timeout, this, [this] {
        QList<ScreenInfo> screens;
        for (const Screen& screen : m_screens)
            screens.append(screen.info);
        emit screensChanged(screens);
    });
}

RoomDisplayServer::~RoomDisplayServer()
{
    m_screens.clear();
    if (m_http)
        qDeleteAll(m_http->findChildren<QWebSocket*>(Qt::FindDirectChildrenOnly));
    delete m_http;
}

void RoomDisplayServer::start(const QList<QHostAddress>& addresses, quint16 port, const DisplaySnapshot& snapshot)
{
    if (m_http)
        stop();
    m_snapshot = snapshot;
    emit started(listen(addresses, port));
}

RoomDisplayStart RoomDisplayServer::listen(const QList<QHostAddress>& addresses, quint16 port)
{
    auto http = std::make_unique<DisplayHttpServer>([this] { return stateJson(); });
    auto* connections = new DisplayConnections(m_limits, http.get());
    RoomDisplayStart result;
    quint16 chosen = port;
    for (const QHostAddress& address : addresses) {
        // Qt's own listen() only logs why it failed; a server of our own tells.
        auto* tcp = new DisplayTcpServer(*connections, http.get());
        if (!tcp->listen(address, chosen)) {
            // A machine without IPv6 still serves this computer alone over IPv4's loopback.
            if (address == QHostAddress(QHostAddress::LocalHostIPv6) &&
                addresses.contains(QHostAddress(QHostAddress::LocalHost)) &&
                tcp->serverError() != QAbstractSocket::AddressInUseError) {
                delete tcp;
                continue;
            }
            return {false, listenError(tcp->serverError(), chosen, tcp->errorString()), {}, 0};
        }
        chosen = tcp->serverPort();
        http->bind(tcp);
        result.addresses.append(address);
    }
    if (result.addresses.isEmpty())
        return {false, u"The room display has no address to listen on."_s, {}, 0};
    connect(http.get(), &DisplayHttpServer::newWebSocketConnection, this, &RoomDisplayServer::takeNewScreens);
    m_http = http.release();
    m_http->setParent(this);
    result.ok = true;
    result.port = chosen;
    return result;
}

void RoomDisplayServer::stop()
{
    if (m_http) {
        const bool hadScreens = !m_screens.empty();
        m_screens.clear();
        m_pingTimer.stop();
        // The WebSockets first (those being closed too): their connections came from the listening sockets.
        qDeleteAll(m_http->findChildren<QWebSocket*>(Qt::FindDirectChildrenOnly));
        delete std::exchange(m_http, nullptr);
        if (hadScreens)
            screensChangedSoon();
    }
    emit stopped();
}

void RoomDisplayServer::setSnapshot(const DisplaySnapshot& snapshot, bool push)
{
    m_snapshot = snapshot;
    if (!push || m_screens.empty())
        return;
    std::vector<QWebSocket*> sockets;
    for (const Screen& screen : m_screens)
        sockets.push_back(screen.socket);
    send(sockets, QString::fromUtf8(m_snapshot.toJsonText()));
}

QByteArray RoomDisplayServer::stateJson() const
{
    return m_snapshot.projectedTo(m_snapshot.missionNow()).toJsonText();
}

int RoomDisplayServer::openConnections() const
{
    int open = 0;
    if (m_http)
        for (const DisplayTcpServer* tcp : m_http->findChildren<DisplayTcpServer*>(Qt::FindDirectChildrenOnly))
            open += tcp->openConnections();
    return open;
}

void RoomDisplayServer::takeNewScreens()
{
    while (m_http && m_http->hasPendingWebSocketConnections()) {
        QWebSocket* socket = m_http->nextPendingWebSocketConnection().release();
        socket->setParent(m_http);
        socket->setMaxAllowedIncomingMessageSize(quint64(m_limits.messageBytes));
        socket->setMaxAllowedIncomingFrameSize(quint64(m_limits.messageBytes));
        connect(socket, &QWebSocket::disconnected, socket, &QObject::deleteLater);
        if (static_cast<int>(m_screens.size()) >= m_limits.screens)
            evictSilentScreens();
        if (static_cast<int>(m_screens.size()) >= m_limits.screens) {
            // After the socket has dealt with what arrived with the handshake, or it reads a closed device.
            const int limit = m_limits.screens;
            QMetaObject::invokeMethod(
                socket,
                [socket, limit] {
                    closeScreen(socket, QWebSocketProtocol::CloseCodePolicyViolated,
                                u"This room display serves at most %1 screens at once."_s.arg(limit));
                },
                Qt::QueuedConnection);
        } else
            admit(socket);
    }
}

void RoomDisplayServer::admit(QWebSocket* socket)
{
    connect(socket, &QWebSocket::textMessageReceived, socket,
            [this, socket](const QString& message) { answer(socket, message); });
    connect(socket, &QWebSocket::binaryMessageReceived, socket, [this, socket] {
        drop(socket);
        closeScreen(socket, QWebSocketProtocol::CloseCodeDatatypeNotSupported, u"Only pings are accepted."_s);
    });
    connect(socket, &QWebSocket::pong, socket,
            [this, socket](quint64 elapsed, const QByteArray&) { heardPong(socket, elapsed); });
    connect(socket, &QWebSocket::disconnected, this, [this, socket] { drop(socket); });
    const auto now = SteadyClock::now();
    Screen screen{socket, {}, now, now};
    screen.info.address = HttpConnection::plainAddress(socket->peerAddress()).toString();
    screen.info.browser = ScreenInfo::browserName(socket->request().rawHeader("User-Agent"));
    screen.info.lastHeard = steadyMSecs(now);
    m_screens.push_back(screen);
    send({socket}, QString::fromUtf8(m_snapshot.projectedTo(m_snapshot.missionNow()).toJsonText()));
    socket->ping();
    if (!m_pingTimer.isActive())
        m_pingTimer.start();
    screensChangedSoon();
}

RoomDisplayServer::Screen* RoomDisplayServer::find(QWebSocket* socket)
{
    const auto it =
        std::find_if(m_screens.begin(), m_screens.end(), [socket](const Screen& s) { return s.socket == socket; });
    return it == m_screens.end() ? nullptr : &*it;
}

void RoomDisplayServer::drop(QWebSocket* socket)
{
    const auto it =
        std::find_if(m_screens.begin(), m_screens.end(), [socket](const Screen& s) { return s.socket == socket; });
    if (it == m_screens.end())
        return;
    m_screens.erase(it);
    if (m_screens.empty())
        m_pingTimer.stop();
    screensChangedSoon();
}

void RoomDisplayServer::answer(QWebSocket* socket, const QString& message)
{
    Screen* screen = find(socket);
    if (!screen)
        return;
    const auto now = SteadyClock::now();
    if (now - screen->countingFrom >= 1s) {
        screen->countingFrom = now;
        screen->messages = 0;
    }
    if (++screen->messages > m_limits.messagesPerSecond) {
        drop(socket);
        closeScreen(socket, QWebSocketProtocol::CloseCodePolicyViolated, u"Too many messages."_s);
        return;
    }
    const auto id = pingId(message);
    if (!id) {
        drop(socket);
        closeScreen(socket, QWebSocketProtocol::CloseCodePolicyViolated, u"Only pings are accepted."_s);
        return;
    }
    screen->heard = now;
    screen->info.lastHeard = steadyMSecs(now);
    const QJsonObject pong{{u"type"_s, u"pong"_s}, {u"id"_s, *id}, {u"now"_s, double(m_snapshot.missionNow())}};
    send({socket}, QString::fromUtf8(QJsonDocument(pong).toJson(QJsonDocument::Compact)));
}

void RoomDisplayServer::heardPong(QWebSocket* socket, quint64 elapsedMs)
{
    if (Screen* screen = find(socket)) {
        screen->info.roundTripMs = int(std::min<quint64>(elapsedMs, 999'999));
        screen->info.lastHeard = steadyMSecs(SteadyClock::now());
        screensChangedSoon();
    }
}

void RoomDisplayServer::pingScreens()
{
    for (const Screen& screen : m_screens)
        screen.socket->ping();
}

// Writes to each socket, and drops those that have more waiting than a screen that reads would ever have.
void RoomDisplayServer::send(const std::vector<QWebSocket*>& sockets, const QString& message)
{
    std::vector<QWebSocket*> backlogged;
    for (QWebSocket* socket : sockets) {
        socket->sendTextMessage(message);
        if (socket->bytesToWrite() > m_limits.unsentBytes)
            backlogged.push_back(socket);
    }
    for (QWebSocket* socket : backlogged) {
        drop(socket);
        socket->abort();
    }
}

void RoomDisplayServer::evictSilentScreens()
{
    const auto now = SteadyClock::now();
    std::vector<QWebSocket*> silent;
    for (const Screen& screen : m_screens)
        if (now - screen.heard > m_limits.screenSilence)
            silent.push_back(screen.socket);
    for (QWebSocket* socket : silent) {
        drop(socket);
        closeScreen(socket, QWebSocketProtocol::CloseCodeGoingAway, u"No ping for too long."_s);
    }
}

void RoomDisplayServer::screensChangedSoon()
{
    if (!m_screensTimer.isActive())
        m_screensTimer.start();
}
