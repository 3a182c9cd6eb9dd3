#pragma once

#include "DisplayLimits.h"
#include "DisplaySnapshot.h"
#include "ScreenInfo.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <vector>

class DisplayConnections;
class DisplayHttpServer;
class QWebSocket;

// The outcome of a start of the room display.
struct RoomDisplayStart
{
    bool ok = false;
    QString error;                 // readable: why it could not listen
    QList<QHostAddress> addresses; // where it listens
    quint16 port = 0;
};
Q_DECLARE_METATYPE(RoomDisplayStart)

// Serves the mission state read-only to the screens of the room: the page, the state as JSON and a WebSocket
// per screen that receives the state on connect and again on every transition, never on a timer. Screens
// measure their offset to the mission clock with pings, which are the only messages they may send.
// It lives on a thread of its own, so that nothing a client does can delay the window: it creates its servers
// and sockets there, and learns the mission only from the snapshots it is handed.
class RoomDisplayServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RoomDisplayServer)

public:
    explicit RoomDisplayServer(const DisplayLimits& limits = {}, QObject* parent = nullptr);
    ~RoomDisplayServer() override;

    // Listens on every address given, on one port (0: any free one); a running server is stopped first.
    // Says how it went with started().
    void start(const QList<QHostAddress>& addresses, quint16 port, const DisplaySnapshot& snapshot);
    // Closes every screen and the listening sockets; says so with stopped().
    void stop();
    // The mission as it now is; push: send it to every screen.
    void setSnapshot(const DisplaySnapshot& snapshot, bool push);

    int openConnections() const;
    QByteArray stateJson() const;

signals:
    void started(const RoomDisplayStart& result);
    void stopped();
    void screensChanged(const QList<ScreenInfo>& screens);

private:
    struct Screen
    {
        QWebSocket* socket;
        ScreenInfo info;
        std::chrono::steady_clock::time_point heard; // its last ping, so that screens gone silent make room
        std::chrono::steady_clock::time_point countingFrom;
        int messages = 0; // in the second from countingFrom
    };

    RoomDisplayStart listen(const QList<QHostAddress>& addresses, quint16 port);
    void takeNewScreens();
    void admit(QWebSocket* socket);
    void answer(QWebSocket* socket, const QString& message);
    void heardPong(QWebSocket* socket, quint64 elapsedMs);
    void pingScreens();
    void evictSilentScreens();
    void drop(QWebSocket* socket);
    void send(const std::vector<QWebSocket*>& sockets, const QString& message);
    Screen* find(QWebSocket* socket);
    void screensChangedSoon();

    DisplayLimits m_limits;
    DisplayHttpServer* m_http = nullptr;
    std::vector<Screen> m_screens;
    DisplaySnapshot m_snapshot;
    // Children, so that they move to the server's thread with it.
    QTimer m_pingTimer;
    QTimer m_screensTimer; // gathers changes of the screen list, such as a round of pongs, into one report
};
