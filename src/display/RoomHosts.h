#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

// Which Host and Origin headers belong to this room: the machine's own addresses as they are now, localhost and
// the machine's own name. A page a browser loaded from any other name (a foreign site that made its name point
// here) is not served, and only this room's own page may open a screen's WebSocket.
class RoomHosts final
{
public:
    enum class Verdict
    {
        Ours,
        Missing,  // no Host, or one that is no host at all: 400
        Elsewhere // a name or address that is not this machine's: 421
    };

    // names: the machine's own names in lower case; empty takes them from the system.
    explicit RoomHosts(QStringList names = {});

    Verdict check(const QByteArray& host);
    // A WebSocket may be opened by a page of this very host and port, or by a client that names no page.
    static bool originAllowed(const QByteArray& origin, const QByteArray& host);

    static QStringList systemNames();

private:
    bool isOwnAddress(const QHostAddress& address);

    QStringList m_names;
    QList<QHostAddress> m_addresses;
    QElapsedTimer m_addressesAge;
};
