#pragma once

#include "DisplayLimits.h"
#include "DisplaySnapshot.h"
#include "RoomDisplayServer.h"
#include "ScreenInfo.h"
#include "ServeEndpoint.h"
#include "platform/ProgramSettings.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <optional>

class Clock;
class MissionState;

// The room display as the window's thread sees it: it owns the server's thread, follows the mission state and
// hands the server a snapshot on every transition, and starts and stops the server without waiting for it.
// Everything here answers at once from what the server last reported.
class RoomDisplay final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RoomDisplay)

public:
    enum class Status
    {
        Stopped,
        Starting,
        Running,
        Stopping
    };
    Q_ENUM(Status)

    RoomDisplay(const MissionState& state, const Clock& clock, QObject* parent = nullptr,
                const DisplayLimits& limits = {});
    ~RoomDisplay() override;

    // Where start() listens: the endpoint given with --serve for this run until the operator chooses, then the
    // operator's choice of reach and port, which the program's settings keep for the next run.
    void giveForThisRun(const ServeEndpoint& endpoint) { m_givenForRun = endpoint; }
    const std::optional<ServeEndpoint>& givenForRun() const { return m_givenForRun; }
    void choose(ProgramSettings::RoomDisplayReach reach, quint16 port);
    QList<QHostAddress> startAddresses() const;
    quint16 startPort() const;

    // Starts on the addresses and port given, or where start() listens; startFinished() tells how it went.
    void start(const QList<QHostAddress>& addresses, quint16 port);
    void start();
    void stop();

    Status status() const { return m_status; }
    bool isRunning() const { return m_status == Status::Running; }
    QList<QHostAddress> addresses() const { return m_running.addresses; }
    quint16 port() const { return m_running.port; }
    QList<ScreenInfo> screens() const { return m_screens; }
    int screenCount() const { return static_cast<int>(m_screens.size()); }

    // For tests and benchmarks: they wait for the server's thread, which the window never does.
    int openConnectionsBlocking() const;
    QThread& serverThread() { return m_thread; }

    // The colour the window shows behind the count: the last phase's with a target, red before the first.
    QString surfaceColour() const;

signals:
    void startFinished(const RoomDisplayStart& result);
    void statusChanged(RoomDisplay::Status status);
    void screensChanged(const QList<ScreenInfo>& screens);

private:
    void createServer();
    void setStatus(Status status);
    DisplaySnapshot capture() const;
    // Sends the state when what it reads departs from what screens derive from the last one sent.
    template <typename T> void checkDerived(T (DisplaySnapshot::*sent)() const, T (MissionState::*now)() const);
    void pushSoon();
    void push();
    void refreshOffset();
    void serverStarted(const RoomDisplayStart& result);
    void serverStopped();

    const MissionState& m_state;
    const Clock& m_clock;
    DisplayLimits m_limits;
    std::optional<ServeEndpoint> m_givenForRun;
    QThread m_thread;
    RoomDisplayServer* m_server = nullptr; // lives on m_thread
    Status m_status = Status::Stopped;
    RoomDisplayStart m_running;
    QList<ScreenInfo> m_screens;
    DisplaySnapshot m_lastPushed;
    QTimer m_pushTimer; // defers a push to the end of the handler that made the change, so a burst sends once
};
