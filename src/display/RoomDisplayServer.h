#pragma once

#include "DisplaySnapshot.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <vector>

class Clock;
class DisplayHttpServer;
class MissionState;
class QWebSocket;

// Serves the mission state read-only to the screens of the room: the page, the state as JSON and a WebSocket
// per screen that receives the state on connect and again on every transition, never on a timer. Screens
// measure their offset to the mission clock with pings, which are the only messages they may send.
class RoomDisplayServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RoomDisplayServer)

public:
    static constexpr int MaxScreens = 64;
    static constexpr qint64 MaxMessageSize = 256;

    RoomDisplayServer(const MissionState& state, const Clock& clock, QObject* parent = nullptr);
    ~RoomDisplayServer() override;

    struct StartResult
    {
        bool ok = false;
        QString error; // readable: why the server could not listen
    };
    // Listens on the address and port given (port 0: any free one). A running server is stopped first.
    StartResult start(const QHostAddress& address, quint16 port);
    // Closes every screen and the listening socket; the next start() makes a new server.
    void stop();

    bool isRunning() const { return m_http != nullptr; }
    QHostAddress address() const { return m_address; }
    quint16 port() const { return m_port; }
    int screenCount() const { return static_cast<int>(m_screens.size()); }
    // Every connection open, screens and page requests alike.
    int openConnections() const;

    QByteArray stateJson() const;

signals:
    void runningChanged(bool running);
    void screenCountChanged(int screens);

private:
    void takeNewScreens();
    void admit(QWebSocket* socket);
    void answer(QWebSocket* socket, const QString& message);
    void checkTarget();
    void checkWindowRemaining();
    void pushSoon();
    void push();
    void evictSilentScreens();
    void drop(QWebSocket* socket);
    qint64 missionMSecs() const;

    const MissionState& m_state;
    const Clock& m_clock;
    DisplayHttpServer* m_http = nullptr;
    QHostAddress m_address;
    quint16 m_port = 0;
    struct Screen
    {
        QWebSocket* socket;
        QElapsedTimer heard; // since its last ping, so that screens gone without a word can make room
    };
    std::vector<Screen> m_screens;
    DisplaySnapshot m_lastPushed;
    QTimer m_pushTimer; // defers a push to the end of the handler that made the change, so a burst sends once
};
