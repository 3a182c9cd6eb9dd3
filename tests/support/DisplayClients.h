#pragma once

#include "display/RoomDisplay.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

// Clients of the room display for tests, talking to it on loopback. The server runs on a thread of its own, so
// a test may wait on a socket here without holding it up.

// Starts the display and waits for its answer.
inline RoomDisplayStart startDisplay(RoomDisplay& display, const QList<QHostAddress>& addresses, quint16 port)
{
    QSignalSpy finished(&display, &RoomDisplay::startFinished);
    display.start(addresses, port);
    if (!finished.wait(10'000))
        return {false, QStringLiteral("no answer from the server's thread"), {}, 0};
    return finished.at(0).at(0).value<RoomDisplayStart>();
}

inline bool stopDisplay(RoomDisplay& display)
{
    display.stop();
    return QTest::qWaitFor([&display] { return display.status() == RoomDisplay::Status::Stopped; }, 10'000);
}

// A plain TCP connection, from a source address of its own (127.0.0.2, 127.0.0.3 …) so that the limits of one
// client address can be reached without touching another's.
class RawClient final
{
public:
    RawClient(quint16 port, const QHostAddress& from = QHostAddress(QHostAddress::LocalHost),
              const QHostAddress& to = QHostAddress(QHostAddress::LocalHost))
    {
        m_socket.bind(from);
        m_socket.connectToHost(to, port);
    }

    QTcpSocket& socket() { return m_socket; }
    bool waitConnected() { return m_socket.waitForConnected(5000); }
    void send(const QByteArray& bytes)
    {
        if (m_socket.state() != QAbstractSocket::ConnectedState && !waitConnected())
            return;
        m_socket.write(bytes);
        m_socket.flush();
    }
    // A GET of path with the headers given (Host among them, if any), on this connection.
    void get(const QByteArray& path, const QByteArray& headers)
    {
        send("GET " + path + " HTTP/1.1\r\n" + headers + "\r\n");
    }
    // The status of the next answer, or 0 if none came within the time given; reads the whole answer.
    int status(int msecs = 5000)
    {
        QByteArray head;
        QElapsedTimer waited;
        waited.start();
        while (!head.contains("\r\n\r\n") && waited.elapsed() < msecs) {
            if (m_socket.bytesAvailable() == 0 && !m_socket.waitForReadyRead(int(msecs - waited.elapsed())))
                break;
            head += m_socket.readAll();
        }
        const qsizetype end = head.indexOf("\r\n\r\n");
        if (!head.startsWith("HTTP/1.1 ") || end < 0)
            return 0;
        qsizetype length = 0;
        for (const QByteArray& line : head.left(end).split('\n'))
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toLongLong();
        QByteArray body = head.mid(end + 4);
        while (body.size() < length && m_socket.waitForReadyRead(int(std::max<qint64>(1, msecs - waited.elapsed()))))
            body += m_socket.readAll();
        lastBody = body;
        return head.mid(9, 3).toInt();
    }
    // True once the server has closed the connection (or reset it).
    bool waitClosed(int msecs = 5000)
    {
        QElapsedTimer waited;
        waited.start();
        while (m_socket.state() == QAbstractSocket::ConnectedState && waited.elapsed() < msecs) {
            m_socket.waitForReadyRead(int(std::max<qint64>(1, msecs - waited.elapsed())));
            m_socket.readAll();
        }
        return m_socket.state() != QAbstractSocket::ConnectedState;
    }

    QByteArray lastBody;

private:
    QTcpSocket m_socket;
};

// A WebSocket upgrade of /live over a raw connection, so that its Host, Origin and source address are the
// test's to choose. Returns the status of the answer (101 when the screen was taken).
inline int upgrade(RawClient& client, const QByteArray& host, const QByteArray& origin = {})
{
    QByteArray headers = "Host: " + host +
                         "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                         "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n";
    if (!origin.isNull())
        headers += "Origin: " + origin + "\r\n";
    client.get("/live", headers);
    return client.status();
}

// Passes a TCP connection on to the room display with a delay each way, as a slow network would.
class DelayingProxy final : public QTcpServer
{
public:
    DelayingProxy(quint16 target, int delayMs) : m_target(target), m_delayMs(delayMs)
    {
        listen(QHostAddress::LocalHost, 0);
    }
    // The connections close as their sockets go; nothing is passed on any more by then.
    ~DelayingProxy() override
    {
        for (QTcpSocket* socket : findChildren<QTcpSocket*>())
            socket->disconnect();
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto* in = new QTcpSocket(this);
        in->setSocketDescriptor(descriptor);
        auto* out = new QTcpSocket(this);
        out->connectToHost(QHostAddress::LocalHost, m_target);
        relay(in, out);
        relay(out, in);
    }

private:
    void relay(QTcpSocket* from, QTcpSocket* to)
    {
        const int delay = m_delayMs;
        connect(from, &QTcpSocket::readyRead, to, [delay, from, to] {
            const QByteArray chunk = from->readAll();
            QTimer::singleShot(delay, to, [to, chunk] { to->write(chunk); });
        });
        connect(from, &QTcpSocket::disconnected, to,
                [delay, to] { QTimer::singleShot(delay, to, [to] { to->disconnectFromHost(); }); });
    }

    quint16 m_target;
    int m_delayMs;
};
