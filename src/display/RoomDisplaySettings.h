#pragma once

#include "ServeEndpoint.h"

#include <QHostAddress>
#include <QList>
#include <QString>

#include <optional>

// Where the room display listens: the operator's choice of reach and port, kept in the program's settings, and
// for one run the endpoint given with --serve, which Start uses until the operator chooses otherwise.
class RoomDisplaySettings final
{
public:
    enum class Reach
    {
        ThisComputer, // 127.0.0.1 and ::1
        EveryNetwork
    };

    static constexpr quint16 DefaultPort = 8080;

    static RoomDisplaySettings load();
    void save() const;

    Reach reach() const { return m_reach; }
    quint16 port() const { return m_port; }
    // The operator's choice; it replaces the endpoint given for this run.
    void choose(Reach reach, quint16 port);
    void giveForThisRun(const ServeEndpoint& endpoint) { m_givenForRun = endpoint; }
    const std::optional<ServeEndpoint>& givenForRun() const { return m_givenForRun; }

    // What Start listens on.
    QList<QHostAddress> addresses() const;
    quint16 startPort() const { return m_givenForRun ? m_givenForRun->port : m_port; }

    static QList<QHostAddress> addressesFor(Reach reach);
    static bool isEveryAddress(const QHostAddress& address);

private:
    Reach m_reach = Reach::EveryNetwork;
    quint16 m_port = DefaultPort;
    std::optional<ServeEndpoint> m_givenForRun;
};
