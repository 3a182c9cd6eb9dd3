#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTimer>

class QTcpSocket;
struct DisplayLimits;

// The room display's watch over one accepted connection, a child of its socket. While the connection speaks
// plain HTTP, a request must arrive whole within the head deadline (from the connection or from the request's
// first byte) and a kept-alive connection may stay idle only so long; either closes the connection. Once it is a
// screen's WebSocket, it drops the screen as soon as more than the limit waits unsent: answers to pings pile up
// there when the other end never reads.
class HttpConnection final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HttpConnection)

public:
    enum class Stage
    {
        Request, // a request is on its way (or the connection is new)
        Idle,    // answered; waiting for the next request
        Screen   // handed to the WebSocket side
    };

    HttpConnection(QTcpSocket& socket, const DisplayLimits& limits);

    static HttpConnection* of(const QTcpSocket* socket);
    // An IPv4 client as IPv4, also when it came through a socket that listens on IPv6 as well.
    static QHostAddress plainAddress(const QHostAddress& address);

    QTcpSocket& socket() const { return m_socket; }
    QHostAddress address() const { return m_address; }

    void answered();
    void upgraded();

signals:
    void becameScreen();

private:
    void dataArrived();
    // Drops a screen that has more unsent than it may.
    void dropIfBacklogged();

    QTcpSocket& m_socket;
    const DisplayLimits& m_limits;
    QHostAddress m_address;
    Stage m_stage = Stage::Request;
    QTimer m_deadline;
    bool m_backlogCheckQueued = false;
};
