#include "DisplayTcpServer.h"

#include "DisplayLimits.h"
#include "HttpConnection.h"

#include <QTcpSocket>

#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;

DisplayConnections::DisplayConnections(const DisplayLimits& limits, QObject* parent) : QObject(parent), m_limits(limits)
{
}

QTcpSocket* DisplayConnections::accept(qintptr socketDescriptor, QTcpServer& server)
{
    auto* socket = new QTcpSocket(&server);
    if (!socket->setSocketDescriptor(socketDescriptor)) {
        delete socket;
        return nullptr;
    }
    auto* connection = new HttpConnection(*socket, m_limits);
    const QHostAddress address = connection->address();
    std::vector<HttpConnection*> sameAddress;
    std::copy_if(m_plain.cbegin(), m_plain.cend(), std::back_inserter(sameAddress),
                 [&](const HttpConnection* c) { return c->address() == address; });
    // The address's own oldest connection makes room, so that a client past its share only hurts itself.
    if (std::ssize(sameAddress) >= m_limits.httpConnectionsPerAddress)
        close(sameAddress.front());
    else if (plainConnections() >= m_limits.httpConnections)
        close(m_plain.front());
    m_plain.push_back(connection);
    connect(connection, &HttpConnection::becameScreen, this, [this, connection] { forget(connection); });
    connect(connection, &QObject::destroyed, this, [this, connection] { forget(connection); });
    connect(socket, &QTcpSocket::disconnected, this, [this, connection] { forget(connection); });
    return socket;
}

void DisplayConnections::close(HttpConnection* connection)
{
    forget(connection); // now: its socket goes later
    connection->socket().abort();
}

void DisplayConnections::forget(HttpConnection* connection)
{
    std::erase(m_plain, connection);
}

DisplayTcpServer::DisplayTcpServer(DisplayConnections& connections, QObject* parent)
    : QTcpServer(parent), m_connections(connections)
{
    setObjectName(u"DisplayTcpServer"_s);
}

// Every accepted connection stays this server's child until it closes, WebSockets included.
int DisplayTcpServer::openConnections() const
{
    return static_cast<int>(findChildren<QTcpSocket*>(Qt::FindDirectChildrenOnly).size());
}

void DisplayTcpServer::incomingConnection(qintptr socketDescriptor)
{
    if (QTcpSocket* socket = m_connections.accept(socketDescriptor, *this))
        addPendingConnection(socket);
}
