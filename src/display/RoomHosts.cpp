#include "RoomHosts.h"

#include <QHostInfo>
#include <QNetworkInterface>
#include <QSysInfo>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Addresses change seldom; reading them for every request would let a flood of requests cost more than it must.
constexpr qint64 AddressesFreshMSecs = 2000;

bool isPort(const QByteArray& text)
{
    if (text.isEmpty() || text.size() > 5)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// The host part of a Host header: "name", "name:port", "1.2.3.4:port", "[v6]" or "[v6]:port".
std::optional<QString> hostPart(const QByteArray& header)
{
    const QByteArray host = header.trimmed();
    if (host.isEmpty())
        return std::nullopt;
    QByteArray name = host;
    if (host.startsWith('[')) {
        const qsizetype close = host.indexOf(']');
        if (close < 0)
            return std::nullopt;
        const QByteArray rest = host.mid(close + 1);
        if (!rest.isEmpty() && !(rest.startsWith(':') && isPort(rest.mid(1))))
            return std::nullopt;
        name = host.mid(1, close - 1);
        QHostAddress address;
        if (!address.setAddress(QString::fromLatin1(name)) || address.protocol() != QAbstractSocket::IPv6Protocol)
            return std::nullopt;
    } else if (const qsizetype colon = host.lastIndexOf(':'); colon >= 0) {
        if (!isPort(host.mid(colon + 1)))
            return std::nullopt;
        name = host.left(colon);
        if (name.contains(':')) // an IPv6 address needs its brackets
            return std::nullopt;
    }
    if (name.isEmpty())
        return std::nullopt;
    for (char c : name)
        if (!(QChar::isLetterOrNumber(uchar(c)) || c == '.' || c == '-' || c == ':' || c == '_'))
            return std::nullopt;
    return QString::fromLatin1(name).toLower();
}

} // namespace

RoomHosts::RoomHosts(QStringList names) : m_names(names.isEmpty() ? systemNames() : std::move(names)) {}

QStringList RoomHosts::systemNames()
{
    QStringList names{u"localhost"_s};
    const QString host = QSysInfo::machineHostName().toLower();
    if (!host.isEmpty()) {
        names << host << host + u".local"_s;
        const QString domain = QHostInfo::localDomainName().toLower();
        if (!domain.isEmpty())
            names << host + u'.' + domain;
    }
    return names;
}

RoomHosts::Verdict RoomHosts::check(const QByteArray& host)
{
    const std::optional<QString> name = hostPart(host);
    if (!name)
        return Verdict::Missing;
    if (m_names.contains(*name))
        return Verdict::Ours;
    QHostAddress address;
    if (address.setAddress(*name) && isOwnAddress(address))
        return Verdict::Ours;
    return Verdict::Elsewhere;
}

bool RoomHosts::isOwnAddress(const QHostAddress& address)
{
    if (address.isLoopback())
        return true;
    if (!m_addressesAge.isValid() || m_addressesAge.hasExpired(AddressesFreshMSecs)) {
        m_addresses = QNetworkInterface::allAddresses();
        m_addressesAge.start();
    }
    for (QHostAddress own : std::as_const(m_addresses)) {
        own.setScopeId({}); // a Host header carries no zone
        if (own.isEqual(address, QHostAddress::TolerantConversion))
            return true;
    }
    return false;
}

bool RoomHosts::originAllowed(const QByteArray& origin, const QByteArray& host)
{
    if (origin.isNull())
        return true;
    const QByteArray expected = QByteArray("http://") + host.trimmed();
    return origin.trimmed().compare(expected, Qt::CaseInsensitive) == 0;
}
