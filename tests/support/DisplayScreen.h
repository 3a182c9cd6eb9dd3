#pragma once

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QString>
#include <QWebSocket>

// A screen of the room for tests: a WebSocket on the room display's /live that keeps what it received.
class DisplayScreen final
{
public:
    explicit DisplayScreen(quint16 port, const QString& path = QStringLiteral("/live"),
                           const QByteArray& userAgent = {}, const QString& host = QStringLiteral("127.0.0.1"))
        : m_received(&m_socket, &QWebSocket::textMessageReceived), m_closed(&m_socket, &QWebSocket::disconnected)
    {
        QNetworkRequest request(QUrl(QStringLiteral("ws://%1:%2%3").arg(host).arg(port).arg(path)));
        if (!userAgent.isEmpty())
            request.setRawHeader("User-Agent", userAgent);
        m_socket.open(request);
    }

    QWebSocket& socket() { return m_socket; }
    QSignalSpy& closed() { return m_closed; }
    int received() const { return int(m_received.count()); }
    QJsonObject message(int i) const
    {
        return QJsonDocument::fromJson(m_received.at(i).at(0).toString().toUtf8()).object();
    }
    QJsonObject last() const { return message(received() - 1); }
    bool waitForMessages(int count)
    {
        for (int i = 0; i < 50 && received() < count; ++i)
            m_received.wait(100);
        return received() >= count;
    }
    // Everything the server sent before it answers this ping has arrived once the answer has: the window's
    // thread hands over what it has to send first.
    QJsonObject ping(double id)
    {
        QCoreApplication::processEvents();
        const int before = received();
        m_socket.sendTextMessage(QStringLiteral("{\"type\":\"ping\",\"id\":%1}").arg(id, 0, 'f', 0));
        for (int i = 0; i < 50; ++i) {
            m_received.wait(100);
            for (int j = before; j < received(); ++j)
                if (message(j).value(QStringLiteral("type")) == QStringLiteral("pong"))
                    return message(j);
        }
        return {};
    }
    int statesSince(int from) const
    {
        int states = 0;
        for (int i = from; i < received(); ++i)
            states += message(i).value(QStringLiteral("type")) == QStringLiteral("state");
        return states;
    }

private:
    QWebSocket m_socket;
    QSignalSpy m_received;
    QSignalSpy m_closed;
};
