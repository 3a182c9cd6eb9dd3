#include "ProgramSettings.h"

#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

const QString RoomDisplayPortKey = u"RoomDisplay/port"_s;
const QString RoomDisplayReachKey = u"RoomDisplay/reach"_s;
const QString SpokenCalloutsKey = u"SpokenCallouts/on"_s;
const QString ThisComputer = u"this-computer"_s;
const QString EveryNetwork = u"every-network"_s;

QVariant read(const QString& key)
{
    return QSettings(ProgramSettings::path(), QSettings::IniFormat).value(key);
}

void write(const QString& key, const QVariant& value)
{
    QSettings(ProgramSettings::path(), QSettings::IniFormat).setValue(key, value);
}

} // namespace

QString ProgramSettings::path()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u"/Tarvane.conf"_s;
}

ProgramSettings::RoomDisplayReach ProgramSettings::roomDisplayReach() const
{
    return read(RoomDisplayReachKey).toString() == ThisComputer ? RoomDisplayReach::ThisComputer
                                                                : RoomDisplayReach::EveryNetwork;
}

void ProgramSettings::setRoomDisplayReach(RoomDisplayReach reach)
{
    write(RoomDisplayReachKey, reach == RoomDisplayReach::ThisComputer ? ThisComputer : EveryNetwork);
}

quint16 ProgramSettings::roomDisplayPort() const
{
    bool ok = false;
    const uint port = read(RoomDisplayPortKey).toUInt(&ok);
    return ok && port >= 1 && port <= 65535 ? static_cast<quint16>(port) : DefaultRoomDisplayPort;
}

void ProgramSettings::setRoomDisplayPort(quint16 port)
{
    write(RoomDisplayPortKey, port);
}

bool ProgramSettings::spokenCallouts() const
{
    // Anything but what setSpokenCallouts(true) writes is off.
    return read(SpokenCalloutsKey).toString() == u"true"_s;
}

void ProgramSettings::setSpokenCallouts(bool on)
{
    write(SpokenCalloutsKey, on);
}
