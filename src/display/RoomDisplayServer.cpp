#include "RoomDisplayServer.h"

#include "DisplayHttpServer.h"
#include "DisplayTcpServer.h"
#include "clock/MissionState.h"
#include "platform/Clock.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QWebSocket>

#include <algorithm>
#include <chrono>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// A page pings every 30 s; one silent for much longer has gone without closing its connection.
constexpr qint64 SilentScreenMSecs = 75'000;
constexpr auto CloseGrace = 2s;

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

} // namespace

RoomDisplayServer::RoomDisplayServer(const MissionState& state, const Clock& clock, QObject* parent)
    : QObject(parent), m_state(state), m_clock(clock)
{
    setObjectName(u"RoomDisplayServer"_s);
    m_pushTimer.setSingleShot(true);
    m_pushTimer.setInterval(0);
    connect(&m_pushTimer, &QTimer::timeout, this, &RoomDisplayServer::push);

    // While a hold lasts the target and the launch window move every second, as every screen derives by
    // itself; only a departure from that is sent. Every other change is a transition.
    connect(&state, &MissionState::targetChanged, this, &RoomDisplayServer::checkTarget);
    connect(&state, &MissionState::windowRemainingChanged, this, &RoomDisplayServer::checkWindowRemaining);
    for (auto signal : {&MissionState::clockJumped, &MissionState::fileLoaded})
        connect(&state, signal, this, &RoomDisplayServer::pushSoon);
    connect(&state, &MissionState::phaseChanged, this, &RoomDisplayServer::pushSoon);
    for (auto signal :
         {&MissionState::holdingChanged, &MissionState::holdsArmedChanged, &MissionState::windowActiveChanged,
          &MissionState::windowWarningChanged, &MissionState::windowExpiredChanged})
        connect(&state, signal, this, &RoomDisplayServer::pushSoon);
    m_lastPushed = DisplaySnapshot::capture(m_state, missionMSecs());
}

RoomDisplayServer::~RoomDisplayServer()
{
    stop();
}

qint64 RoomDisplayServer::missionMSecs() const
{
    return m_clock.currentMSecs();
}

QByteArray RoomDisplayServer::stateJson() const
{
    return DisplaySnapshot::capture(m_state, missionMSecs()).toJsonText();
}

RoomDisplayServer::StartResult RoomDisplayServer::start(const QHostAddress& address, quint16 port)
{
    stop();
    auto http = std::make_unique<DisplayHttpServer>([this] { return stateJson(); });
    // Qt's own listen() only logs why it failed; a server of our own tells.
    auto* tcp = new DisplayTcpServer(http.get());
    if (!tcp->listen(address, port)) {
        if (tcp->serverError() == QAbstractSocket::AddressInUseError)
            return {false,
                    u"Port %1 is already in use.  Choose another port, or stop the program that uses it."_s.arg(port)};
        return {false, u"The room display cannot listen on port %1: %2"_s.arg(port).arg(tcp->errorString())};
    }
    http->bind(tcp);
    connect(http.get(), &DisplayHttpServer::newWebSocketConnection, this, &RoomDisplayServer::takeNewScreens);
    m_http = http.release();
    m_http->setParent(this);
    m_address = address;
    m_port = tcp->serverPort();
    m_lastPushed = DisplaySnapshot::capture(m_state, missionMSecs());
    emit runningChanged(true);
    return {true, {}};
}

void RoomDisplayServer::stop()
{
    if (!m_http)
        return;
    const bool hadScreens = !m_screens.empty();
    m_screens.clear();
    // The WebSockets first (those being closed too): their connections came from the listening socket.
    qDeleteAll(m_http->findChildren<QWebSocket*>(Qt::FindDirectChildrenOnly));
    delete std::exchange(m_http, nullptr);
    m_port = 0;
    if (hadScreens)
        emit screenCountChanged(0);
    emit runningChanged(false);
}

int RoomDisplayServer::openConnections() const
{
    const auto* tcp = m_http ? m_http->findChild<DisplayTcpServer*>() : nullptr;
    return tcp ? tcp->openConnections() : 0;
}

void RoomDisplayServer::takeNewScreens()
{
    while (m_http && m_http->hasPendingWebSocketConnections()) {
        QWebSocket* socket = m_http->nextPendingWebSocketConnection().release();
        socket->setParent(m_http);
        socket->setMaxAllowedIncomingMessageSize(MaxMessageSize);
        socket->setMaxAllowedIncomingFrameSize(MaxMessageSize);
        connect(socket, &QWebSocket::disconnected, socket, &QObject::deleteLater);
        if (static_cast<int>(m_screens.size()) >= MaxScreens)
            evictSilentScreens();
        if (static_cast<int>(m_screens.size()) >= MaxScreens) {
            // After the socket has dealt with what arrived with the handshake, or it reads a closed device.
            QMetaObject::invokeMethod(
                socket,
                [socket] {
                    closeScreen(socket, QWebSocketProtocol::CloseCodePolicyViolated,
                                u"This room display serves at most %1 screens at once."_s.arg(MaxScreens));
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
    connect(socket, &QWebSocket::binaryMessageReceived, socket, [socket] {
        closeScreen(socket, QWebSocketProtocol::CloseCodeDatatypeNotSupported, u"Only pings are accepted."_s);
    });
    connect(socket, &QWebSocket::disconnected, this, [this, socket] { drop(socket); });
    Screen screen{socket, {}};
    screen.heard.start();
    m_screens.push_back(screen);
    socket->sendTextMessage(QString::fromUtf8(DisplaySnapshot::capture(m_state, missionMSecs()).toJsonText()));
    emit screenCountChanged(screenCount());
}

void RoomDisplayServer::drop(QWebSocket* socket)
{
    const auto it =
        std::find_if(m_screens.begin(), m_screens.end(), [socket](const Screen& s) { return s.socket == socket; });
    if (it == m_screens.end())
        return;
    m_screens.erase(it);
    emit screenCountChanged(screenCount());
}

void RoomDisplayServer::answer(QWebSocket* socket, const QString& message)
{
    const auto id = pingId(message);
    if (!id) {
        drop(socket);
        closeScreen(socket, QWebSocketProtocol::CloseCodePolicyViolated, u"Only pings are accepted."_s);
        return;
    }
    for (Screen& screen : m_screens)
        if (screen.socket == socket)
            screen.heard.restart();
    const QJsonObject pong{{u"type"_s, u"pong"_s}, {u"id"_s, *id}, {u"now"_s, double(missionMSecs())}};
    socket->sendTextMessage(QString::fromUtf8(QJsonDocument(pong).toJson(QJsonDocument::Compact)));
}

void RoomDisplayServer::evictSilentScreens()
{
    std::vector<QWebSocket*> silent;
    for (const Screen& screen : m_screens)
        if (screen.heard.hasExpired(SilentScreenMSecs))
            silent.push_back(screen.socket);
    for (QWebSocket* socket : silent) {
        drop(socket);
        closeScreen(socket, QWebSocketProtocol::CloseCodeGoingAway, u"No ping for too long."_s);
    }
}

void RoomDisplayServer::checkTarget()
{
    if (m_pushTimer.isActive())
        return;
    if (m_lastPushed.projectedTo(missionMSecs()).targetText() != m_state.targetText())
        pushSoon();
}

void RoomDisplayServer::checkWindowRemaining()
{
    if (m_pushTimer.isActive())
        return;
    if (m_lastPushed.projectedTo(missionMSecs()).windowRemainingText() != m_state.windowRemainingText())
        pushSoon();
}

void RoomDisplayServer::pushSoon()
{
    if (!m_pushTimer.isActive())
        m_pushTimer.start();
}

void RoomDisplayServer::push()
{
    m_lastPushed = DisplaySnapshot::capture(m_state, missionMSecs());
    if (m_screens.empty())
        return;
    const QString message = QString::fromUtf8(m_lastPushed.toJsonText());
    for (const Screen& screen : m_screens)
        screen.socket->sendTextMessage(message);
}
