#pragma once

#include <QTcpServer>

#include <vector>

class DisplayConnections;
class HttpConnection;
struct DisplayLimits;

// What the room display's listening sockets share: the count of plain HTTP connections, per client address and
// in all. A new connection past a limit takes the place of the oldest one that counts toward it (the oldest of
// its own address, or of all): a browser asks at once, and the oldest is most likely idle or slow. Screens count
// only toward the screen limit.
class DisplayConnections final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DisplayConnections)

public:
    explicit DisplayConnections(const DisplayLimits& limits, QObject* parent = nullptr);

    // A new connection to server, its socket a child of server; nullptr when it was turned away.
    QTcpSocket* accept(qintptr socketDescriptor, QTcpServer& server);

    int plainConnections() const { return static_cast<int>(m_plain.size()); }

private:
    void close(HttpConnection* connection);
    void forget(HttpConnection* connection);

    const DisplayLimits& m_limits;
    std::vector<HttpConnection*> m_plain; // oldest first
};

// One listening socket of the room display; its connections are counted in the shared DisplayConnections.
class DisplayTcpServer final : public QTcpServer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DisplayTcpServer)

public:
    DisplayTcpServer(DisplayConnections& connections, QObject* parent = nullptr);

    // Every connection open, screens and page requests alike.
    int openConnections() const;

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    DisplayConnections& m_connections;
};
