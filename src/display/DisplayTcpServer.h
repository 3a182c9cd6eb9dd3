#pragma once

#include <QTcpServer>

// The room display's listening socket. It turns away connections beyond a limit at once, so that idle browsers
// or a careless script on the network cannot use up the program's file descriptors.
class DisplayTcpServer final : public QTcpServer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DisplayTcpServer)

public:
    // Screens, plus the short-lived page requests of browsers that keep a few connections open each.
    static constexpr int MaxConnections = 256;

    explicit DisplayTcpServer(QObject* parent = nullptr);

    int openConnections() const;

protected:
    void incomingConnection(qintptr socketDescriptor) override;
};
