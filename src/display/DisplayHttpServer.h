#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>

#include <functional>

// The room display's HTTP side: the page, its script and style, the state as JSON and the WebSocket upgrade at
// /live. Read-only: every path answers GET alone, and nothing a request carries reaches the mission.
// A subclass of the abstract server rather than the routing one, so that the not-found and wrong-method answers
// carry the same security headers as the page.
class DisplayHttpServer final : public QAbstractHttpServer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DisplayHttpServer)

public:
    using StateSource = std::function<QByteArray()>;

    explicit DisplayHttpServer(StateSource state, QObject* parent = nullptr);

    static constexpr const char* LivePath = "/live";

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    StateSource m_state;
};
