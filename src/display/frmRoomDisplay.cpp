#include "frmRoomDisplay.h"

#include "RoomDisplayServer.h"
#include "ServeEndpoint.h"
#include "platform/widgets/Metrics.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkInterface>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString PortKey = u"RoomDisplay/port"_s;

QString settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u"/Tarvane.conf"_s;
}

bool listensEverywhere(const QHostAddress& address)
{
    return address == QHostAddress::Any || address == QHostAddress::AnyIPv4 || address == QHostAddress::AnyIPv6;
}

// Global IPv4 first, then global IPv6, then link-local IPv6 (which needs its zone), loopback last.
int rank(const QHostAddress& address)
{
    if (address.isLoopback())
        return 3;
    if (address.protocol() == QAbstractSocket::IPv4Protocol)
        return 0;
    return address.isLinkLocal() ? 2 : 1;
}

} // namespace

frmRoomDisplay::frmRoomDisplay(RoomDisplayServer& server, QWidget* parent, const QHostAddress& startAddress)
    : QWidget(parent, Qt::Dialog), m_server(server), m_startAddress(startAddress), m_txtPort(new QSpinBox(this)),
      m_cmdStartStop(new QPushButton(this)), m_lblAddresses(new QLabel(this)), m_lblScreens(new QLabel(this)),
      m_lblStatus(new QLabel(this))
{
    setObjectName(u"frmRoomDisplay"_s);
    setWindowTitle(u"Room Display"_s);
    setFont(Metrics::uiFont(8.25)); // the main window's own
    setAttribute(Qt::WA_DeleteOnClose);

    m_txtPort->setObjectName(u"txtPort"_s);
    m_txtPort->setRange(1, 65535);
    m_txtPort->setValue(savedPort());
    m_cmdStartStop->setObjectName(u"cmdStartStop"_s);
    m_lblAddresses->setObjectName(u"lblAddresses"_s);
    m_lblAddresses->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblScreens->setObjectName(u"lblScreens"_s);
    m_lblStatus->setObjectName(u"lblStatus"_s);
    m_lblStatus->setWordWrap(true);
    m_lblStatus->setMinimumWidth(m_lblStatus->fontMetrics().averageCharWidth() * 44);
    auto* cmdClose = new QPushButton(u"&Close"_s, this);
    cmdClose->setObjectName(u"cmdClose"_s);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close); // as in every other small window

    auto* intro =
        new QLabel(u"Show the count on other screens: open one of these addresses in their browsers."_s, this);
    intro->setWordWrap(true);
    auto* form = new QFormLayout;
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(m_txtPort);
    portRow->addWidget(m_cmdStartStop);
    portRow->addStretch();
    auto* portLabel = new QLabel(u"&Port:"_s, this);
    portLabel->setBuddy(m_txtPort);
    form->addRow(portLabel, portRow);
    form->addRow(u"Addresses:"_s, m_lblAddresses);
    form->addRow(u"Screens:"_s, m_lblScreens);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(m_lblStatus);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_cmdStartStop, &QPushButton::clicked, this, &frmRoomDisplay::cmdStartStop_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(&m_server, &RoomDisplayServer::runningChanged, this, &frmRoomDisplay::showServer);
    connect(&m_server, &RoomDisplayServer::screenCountChanged, this, &frmRoomDisplay::showScreens);
    m_lblStatus->hide();
    showServer();
}

void frmRoomDisplay::cmdStartStop_Click()
{
    if (m_server.isRunning()) {
        m_server.stop();
        return;
    }
    const auto port = static_cast<quint16>(m_txtPort->value());
    const RoomDisplayServer::StartResult result = m_server.start(m_startAddress, port);
    if (!result.ok) {
        m_lblStatus->setText(result.error);
        m_lblStatus->show();
        return;
    }
    m_lblStatus->hide();
    savePort(port);
}

void frmRoomDisplay::showServer()
{
    const bool running = m_server.isRunning();
    m_cmdStartStop->setText(running ? u"S&top"_s : u"&Start"_s);
    m_txtPort->setEnabled(!running);
    if (running)
        m_txtPort->setValue(m_server.port());
    QStringList urls;
    if (running) {
        const QList<QHostAddress> addresses =
            listensEverywhere(m_server.address()) ? ownAddresses() : QList<QHostAddress>{m_server.address()};
        for (const QHostAddress& address : addresses)
            urls.append(ServeEndpoint::url(address, m_server.port()));
    }
    m_lblAddresses->setText(running ? urls.join(u'\n') : u"(not serving)"_s);
    showScreens(m_server.screenCount());
}

void frmRoomDisplay::showScreens(int screens)
{
    m_lblScreens->setText(u"%1 connected"_s.arg(screens));
}

QList<QHostAddress> frmRoomDisplay::ownAddresses()
{
    QList<QHostAddress> addresses;
    for (QHostAddress address : QNetworkInterface::allAddresses()) {
        if (address.isLinkLocal())
            continue; // a browser would need the interface's zone as well
        address.setScopeId({});
        addresses.append(address);
    }
    std::stable_sort(addresses.begin(), addresses.end(),
                     [](const QHostAddress& a, const QHostAddress& b) { return rank(a) < rank(b); });
    // Loopback only matters when there is nothing else: a browser on this very machine.
    if (std::any_of(addresses.cbegin(), addresses.cend(), [](const QHostAddress& a) { return !a.isLoopback(); }))
        addresses.removeIf([](const QHostAddress& a) { return a.isLoopback(); });
    return addresses;
}

quint16 frmRoomDisplay::savedPort()
{
    bool ok = false;
    const QSettings settings(settingsPath(), QSettings::IniFormat);
    const uint port = settings.value(PortKey, DefaultPort).toUInt(&ok);
    return ok && port >= 1 && port <= 65535 ? static_cast<quint16>(port) : DefaultPort;
}

void frmRoomDisplay::savePort(quint16 port)
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue(PortKey, port);
}
