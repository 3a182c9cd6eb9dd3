#include "ServeEndpoint.h"

using namespace Qt::StringLiterals;

namespace {

std::optional<quint16> parsePort(QStringView text)
{
    for (QChar c : text)
        if (!c.isDigit())
            return std::nullopt;
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        return std::nullopt;
    return static_cast<quint16>(port);
}

} // namespace

std::optional<ServeEndpoint> ServeEndpoint::parse(const QString& text)
{
    ServeEndpoint endpoint;
    QStringView host;
    QStringView port = text;
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u"]:"_s);
        if (close < 0)
            return std::nullopt;
        host = QStringView(text).mid(1, close - 1);
        port = QStringView(text).mid(close + 2);
    } else if (const qsizetype colon = text.lastIndexOf(u':'); colon >= 0) {
        host = QStringView(text).left(colon);
        port = QStringView(text).mid(colon + 1);
        if (host.contains(u':')) // a bare IPv6 address needs its brackets
            return std::nullopt;
    }
    const auto number = parsePort(port);
    if (!number)
        return std::nullopt;
    endpoint.port = *number;
    if (!host.isNull()) {
        // Only a literal address: a name could resolve anywhere, and the point of one is to limit who sees us.
        if (!endpoint.address.setAddress(host.toString()) || host.contains(u'%'))
            return std::nullopt;
    }
    return endpoint;
}

QString ServeEndpoint::url(const QHostAddress& address, quint16 port)
{
    QString host = address.toString();
    if (address.protocol() == QAbstractSocket::IPv6Protocol)
        host = u'[' + host + u']';
    return u"http://%1:%2/"_s.arg(host).arg(port);
}

QList<QHostAddress> ServeEndpoint::addressesFor(ProgramSettings::RoomDisplayReach reach)
{
    if (reach == ProgramSettings::RoomDisplayReach::ThisComputer)
        return {QHostAddress(QHostAddress::LocalHost), QHostAddress(QHostAddress::LocalHostIPv6)};
    return {QHostAddress(QHostAddress::Any)};
}

bool ServeEndpoint::isEveryAddress(const QHostAddress& address)
{
    return address == QHostAddress::Any || address == QHostAddress::AnyIPv4 || address == QHostAddress::AnyIPv6;
}
