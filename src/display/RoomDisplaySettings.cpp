#include "RoomDisplaySettings.h"

#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

const QString PortKey = u"RoomDisplay/port"_s;
const QString ReachKey = u"RoomDisplay/reach"_s;
const QString ThisComputer = u"this-computer"_s;
const QString EveryNetwork = u"every-network"_s;

QString settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u"/Tarvane.conf"_s;
}

} // namespace

RoomDisplaySettings RoomDisplaySettings::load()
{
    RoomDisplaySettings settings;
    const QSettings file(settingsPath(), QSettings::IniFormat);
    bool ok = false;
    const uint port = file.value(PortKey, DefaultPort).toUInt(&ok);
    settings.m_port = ok && port >= 1 && port <= 65535 ? static_cast<quint16>(port) : DefaultPort;
    settings.m_reach = file.value(ReachKey).toString() == ThisComputer ? Reach::ThisComputer : Reach::EveryNetwork;
    return settings;
}

void RoomDisplaySettings::save() const
{
    QSettings file(settingsPath(), QSettings::IniFormat);
    file.setValue(PortKey, m_port);
    file.setValue(ReachKey, m_reach == Reach::ThisComputer ? ThisComputer : EveryNetwork);
}

void RoomDisplaySettings::choose(Reach reach, quint16 port)
{
    m_reach = reach;
    m_port = port;
    m_givenForRun.reset();
}

QList<QHostAddress> RoomDisplaySettings::addresses() const
{
    return m_givenForRun ? QList<QHostAddress>{m_givenForRun->address} : addressesFor(m_reach);
}

QList<QHostAddress> RoomDisplaySettings::addressesFor(Reach reach)
{
    if (reach == Reach::ThisComputer)
        return {QHostAddress(QHostAddress::LocalHost), QHostAddress(QHostAddress::LocalHostIPv6)};
    return {QHostAddress(QHostAddress::Any)};
}

bool RoomDisplaySettings::isEveryAddress(const QHostAddress& address)
{
    return address == QHostAddress::Any || address == QHostAddress::AnyIPv4 || address == QHostAddress::AnyIPv6;
}
