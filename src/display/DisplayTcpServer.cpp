#include "DisplayTcpServer.h"

#include <QTcpSocket>

using namespace Qt::StringLiterals;

DisplayTcpServer::DisplayTcpServer(QObject* parent) : QTcpServer(parent)
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
    if (openConnections() >= MaxConnections) {
        QTcpSocket refused;
        refused.setSocketDescriptor(socketDescriptor);
        refused.abort();
        return;
    }
    QTcpServer::incomingConnection(socketDescriptor);
}
