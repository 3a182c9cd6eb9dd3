#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// One connected screen as the operator sees it in the Room Display window.
struct ScreenInfo
{
    QString address;
    QString browser;      // from the User-Agent of its upgrade
    int roundTripMs = -1; // from the server's own pings; -1 until the first answer
    qint64 lastHeard = 0; // steady clock, milliseconds: its last message or answer to a ping

    static QString browserName(const QByteArray& userAgent);
};

Q_DECLARE_METATYPE(ScreenInfo)
Q_DECLARE_METATYPE(QList<ScreenInfo>)
