#pragma once

#include "RoomHosts.h"

#include <QAbstractHttpServer>
#include <QByteArray>

#include <functional>

// The room display's HTTP side: the page, its script and style, the state as JSON and the WebSocket upgrade at
// /live. Read-only: every path answers GET alone, and nothing a request carries reaches the mission.
// A subclass of the abstract server rather than the routing one, so that the not-found and wrong-method answers
// carry the same security headers as the page. Only requests for this machine's own names and addresses are
// answered, and only this room's own page may open a screen.
class DisplayHttpServer final : public QAbstractHttpServer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DisplayHttpServer)

public:
    using StateSource = std::function<QByteArray()>;

    explicit DisplayHttpServer(StateSource state, QObject* parent = nullptr, RoomHosts hosts = RoomHosts());

    // Qt's HTTP side warns about every upgrade it does not hand over; a client could fill standard error with
    // them. Installed once for the whole program.
    static void quietRefusedUpgrades();

    static constexpr const char* LivePath = "/live";

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    // Why a request is not served, or 0 when it may be.
    int refusal(const QHttpServerRequest& request);

    StateSource m_state;
    RoomHosts m_hosts;
};
