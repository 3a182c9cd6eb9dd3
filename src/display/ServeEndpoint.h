#pragma once

#include "platform/ProgramSettings.h"

#include <QHostAddress>
#include <QList>
#include <QString>

#include <optional>

// Where the room display listens, as written after --serve: "8080" (every address, IPv4 and IPv6),
// "127.0.0.1:8080" or "[::1]:8080".
struct ServeEndpoint
{
    QHostAddress address = QHostAddress(QHostAddress::Any);
    quint16 port = 0;

    static std::optional<ServeEndpoint> parse(const QString& text);
    // A URL a browser on this machine can open for the endpoint's address.
    static QString url(const QHostAddress& address, quint16 port);

    // The addresses the operator's choice of reach listens on.
    static QList<QHostAddress> addressesFor(ProgramSettings::RoomDisplayReach reach);
    static bool isEveryAddress(const QHostAddress& address);
};
