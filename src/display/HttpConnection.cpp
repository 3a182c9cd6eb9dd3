#include "HttpConnection.h"

#include "DisplayLimits.h"

#include <QTcpSocket>

using namespace Qt::StringLiterals;

HttpConnection::HttpConnection(QTcpSocket& socket, const DisplayLimits& limits)
    : QObject(&socket), m_socket(socket), m_limits(limits), m_address(plainAddress(socket.peerAddress())),
      m_deadline(this)
{
    setObjectName(u"HttpConnection"_s);
    // Qt's HTTP side keeps a whole request in the socket's buffer until it is complete; this bounds it, and the
    // deadline ends a request that stops short of the bound.
    m_socket.setReadBufferSize(m_limits.headBytes);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, &m_socket, &QTcpSocket::abort);
    // Connected before the HTTP side's own handler, so a request's first byte starts its deadline.
    connect(&m_socket, &QTcpSocket::readyRead, this, &HttpConnection::dataArrived);
    m_deadline.start(m_limits.headDeadline);
}

QHostAddress HttpConnection::plainAddress(const QHostAddress& address)
{
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    return mapped ? QHostAddress(v4) : address;
}

HttpConnection* HttpConnection::of(const QTcpSocket* socket)
{
    return socket ? socket->findChild<HttpConnection*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void HttpConnection::dataArrived()
{
    switch (m_stage) {
    case Stage::Idle:
        m_stage = Stage::Request;
        m_deadline.start(m_limits.headDeadline);
        break;
    case Stage::Request:
        break;
    case Stage::Screen:
        // After the WebSocket has dealt with what arrived, pongs to any pings included.
        if (!m_backlogCheckQueued) {
            m_backlogCheckQueued = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_backlogCheckQueued = false;
                    dropIfBacklogged();
                },
                Qt::QueuedConnection);
        }
        break;
    }
}

void HttpConnection::answered()
{
    if (m_stage == Stage::Screen)
        return;
    m_stage = Stage::Idle;
    m_deadline.start(m_limits.idle);
}

void HttpConnection::upgraded()
{
    m_stage = Stage::Screen;
    m_deadline.stop();
    emit becameScreen();
    // Qt's HTTP side cuts every connection of the socket as it hands it to the WebSocket side; connect again
    // once it has, after the WebSocket's own handler.
    QMetaObject::invokeMethod(
        this, [this] { connect(&m_socket, &QTcpSocket::readyRead, this, &HttpConnection::dataArrived); },
        Qt::QueuedConnection);
}

void HttpConnection::dropIfBacklogged()
{
    if (m_socket.bytesToWrite() > m_limits.unsentBytes)
        m_socket.abort();
}
