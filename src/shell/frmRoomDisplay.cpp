#include "frmRoomDisplay.h"

#include "display/RoomDisplay.h"
#include "display/ServeEndpoint.h"
#include "platform/ProgramSettings.h"
#include "platform/widgets/Colours.h"
#include "platform/widgets/Metrics.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QNetworkInterface>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Global IPv4 first, then global IPv6, then link-local IPv6 (which needs its zone), loopback last.
int rank(const QHostAddress& address)
{
    if (address.isLoopback())
        return 3;
    if (address.protocol() == QAbstractSocket::IPv4Protocol)
        return 0;
    return address.isLinkLocal() ? 2 : 1;
}

qint64 steadyNowMSecs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QString heardText(qint64 lastHeard)
{
    const qint64 secs = std::max<qint64>(0, (steadyNowMSecs() - lastHeard) / 1000);
    return secs == 0 ? u"now"_s : u"%1 s ago"_s.arg(secs);
}

QLabel* plainLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText); // screens' details come from the network
    return label;
}

} // namespace

frmRoomDisplay::frmRoomDisplay(RoomDisplay& display, QWidget* parent)
    : QWidget(parent, Qt::Dialog), m_display(display),
      m_optThisComputer(new QRadioButton(u"This &computer only"_s, this)),
      m_optEveryNetwork(new QRadioButton(u"&Every network"_s, this)), m_lblGiven(plainLabel(this, u"lblGiven"_s)),
      m_txtPort(new QSpinBox(this)), m_cmdStartStop(new QPushButton(this)),
      m_lblAddresses(plainLabel(this, u"lblAddresses"_s)), m_lblScreens(plainLabel(this, u"lblScreens"_s)),
      m_lvwScreens(new QTreeWidget(this)), m_lblStatus(plainLabel(this, u"lblStatus"_s))
{
    setObjectName(u"frmRoomDisplay"_s);
    setWindowTitle(u"Room Display"_s);
    setFont(Metrics::uiFont(8.25)); // the main window's own
    setAttribute(Qt::WA_DeleteOnClose);

    m_optThisComputer->setObjectName(u"optThisComputer"_s);
    m_optEveryNetwork->setObjectName(u"optEveryNetwork"_s);
    auto* reach = new QButtonGroup(this);
    reach->addButton(m_optThisComputer);
    reach->addButton(m_optEveryNetwork);
    m_txtPort->setObjectName(u"txtPort"_s);
    m_txtPort->setRange(1, 65535);
    m_cmdStartStop->setObjectName(u"cmdStartStop"_s);
    m_lblAddresses->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblStatus->setWordWrap(true);
    m_lblStatus->setMinimumWidth(m_lblStatus->fontMetrics().averageCharWidth() * 44);
    m_lvwScreens->setObjectName(u"lvwScreens"_s);
    m_lvwScreens->setHeaderLabels({u"Address"_s, u"Browser"_s, u"Round trip"_s, u"Last heard"_s});
    m_lvwScreens->setRootIsDecorated(false);
    m_lvwScreens->setSelectionMode(QAbstractItemView::NoSelection);
    m_lvwScreens->setFocusPolicy(Qt::NoFocus);
    const QFontMetrics metrics = m_lvwScreens->fontMetrics();
    for (const auto& [column, sample] : {std::pair{0, u"[ffff:ffff:ffff:ffff:ffff]"_s},
                                         {1, u"Headless Chrome 120"_s},
                                         {2, u"120 ms  over 50 ms"_s},
                                         {3, u"Last heard"_s}})
        m_lvwScreens->setColumnWidth(column, metrics.horizontalAdvance(sample) + metrics.averageCharWidth() * 3);
    m_lvwScreens->setFixedSize(m_lvwScreens->header()->length() + m_lvwScreens->frameWidth() * 2 + 2,
                               metrics.height() * 8);
    auto* cmdClose = new QPushButton(u"&Close"_s, this);
    cmdClose->setObjectName(u"cmdClose"_s);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close); // as in every other small window

    auto* intro =
        new QLabel(u"Show the count on other screens: open one of these addresses in their browsers."_s, this);
    intro->setWordWrap(true);
    auto* form = new QFormLayout;
    auto* reachRow = new QHBoxLayout;
    reachRow->addWidget(m_optThisComputer);
    reachRow->addWidget(m_optEveryNetwork);
    reachRow->addStretch();
    form->addRow(u"Serve to:"_s, reachRow);
    form->addRow(QString(), m_lblGiven);
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
    layout->addWidget(m_lvwScreens);
    layout->addWidget(m_lblStatus);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    showChoice();
    connect(m_optThisComputer, &QRadioButton::clicked, this, &frmRoomDisplay::chooseReach);
    connect(m_optEveryNetwork, &QRadioButton::clicked, this, &frmRoomDisplay::chooseReach);
    connect(m_txtPort, &QSpinBox::valueChanged, this, &frmRoomDisplay::chooseReach);
    connect(m_cmdStartStop, &QPushButton::clicked, this, &frmRoomDisplay::cmdStartStop_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(&m_display, &RoomDisplay::statusChanged, this, &frmRoomDisplay::showStatus);
    connect(&m_display, &RoomDisplay::startFinished, this, &frmRoomDisplay::showStartResult);
    connect(&m_display, &RoomDisplay::screensChanged, this, &frmRoomDisplay::showScreens);
    m_tmrHeard.setObjectName(u"tmrHeard"_s);
    m_tmrHeard.setInterval(1s);
    connect(&m_tmrHeard, &QTimer::timeout, this, &frmRoomDisplay::showScreens);
    m_lblStatus->hide();
    showStatus();
}

// The operator's own choice replaces what --serve gave for this run, and is kept for the next.
void frmRoomDisplay::chooseReach()
{
    if (!m_optThisComputer->isChecked() && !m_optEveryNetwork->isChecked())
        m_optEveryNetwork->setChecked(true); // the port changed while --serve gave an address of neither kind
    const auto reach = m_optThisComputer->isChecked() ? ProgramSettings::RoomDisplayReach::ThisComputer
                                                      : ProgramSettings::RoomDisplayReach::EveryNetwork;
    m_display.choose(reach, static_cast<quint16>(m_txtPort->value()));
    m_lblGiven->hide();
}

void frmRoomDisplay::showChoice()
{
    const auto& given = m_display.givenForRun();
    m_txtPort->setValue(m_display.startPort());
    QRadioButton* checked = ProgramSettings().roomDisplayReach() == ProgramSettings::RoomDisplayReach::ThisComputer
                                ? m_optThisComputer
                                : m_optEveryNetwork;
    if (given)
        checked = given->address.isLoopback()                     ? m_optThisComputer
                  : ServeEndpoint::isEveryAddress(given->address) ? m_optEveryNetwork
                                                                  : nullptr;
    if (checked)
        checked->setChecked(true);
    m_lblGiven->setText(given ? u"For this run: %1, as given with --serve"_s.arg(
                                    ServeEndpoint::url(given->address, given->port).chopped(1))
                              : QString());
    m_lblGiven->setVisible(given.has_value());
}

void frmRoomDisplay::cmdStartStop_Click()
{
    switch (m_display.status()) {
    case RoomDisplay::Status::Running:
        m_display.stop();
        break;
    case RoomDisplay::Status::Stopped:
        m_lblStatus->hide();
        m_display.start();
        break;
    case RoomDisplay::Status::Starting:
    case RoomDisplay::Status::Stopping:
        break;
    }
}

void frmRoomDisplay::showStartResult(const RoomDisplayStart& result)
{
    if (result.ok) {
        m_lblStatus->hide();
        if (!m_display.givenForRun())
            ProgramSettings().setRoomDisplayPort(result.port);
        return;
    }
    m_lblStatus->setText(result.error);
    m_lblStatus->show();
}

void frmRoomDisplay::showStatus()
{
    const RoomDisplay::Status status = m_display.status();
    const bool running = status == RoomDisplay::Status::Running;
    const bool stopped = status == RoomDisplay::Status::Stopped;
    m_cmdStartStop->setText(running ? u"S&top"_s : u"&Start"_s);
    m_cmdStartStop->setEnabled(running || stopped);
    for (QWidget* choice : {static_cast<QWidget*>(m_txtPort), static_cast<QWidget*>(m_optThisComputer),
                            static_cast<QWidget*>(m_optEveryNetwork)})
        choice->setEnabled(stopped);
    if (running) {
        const QSignalBlocker quiet(m_txtPort);
        m_txtPort->setValue(m_display.port());
    }
    QStringList urls;
    for (const QHostAddress& address : m_display.addresses()) {
        const QList<QHostAddress> reachable =
            ServeEndpoint::isEveryAddress(address) ? ownAddresses() : QList<QHostAddress>{address};
        for (const QHostAddress& shown : reachable)
            urls.append(ServeEndpoint::url(shown, m_display.port()));
    }
    m_lblAddresses->setText(running                                   ? urls.join(u'\n')
                            : status == RoomDisplay::Status::Starting ? u"(starting)"_s
                                                                      : u"(not serving)"_s);
    showScreens();
}

void frmRoomDisplay::showScreens()
{
    const QList<ScreenInfo> screens = m_display.isRunning() ? m_display.screens() : QList<ScreenInfo>{};
    m_lblScreens->setText(u"%1 connected"_s.arg(screens.size()));
    m_lvwScreens->clear();
    for (const ScreenInfo& screen : screens) {
        const bool slow = screen.roundTripMs > SlowRoundTripMs;
        const QString roundTrip = screen.roundTripMs < 0 ? u"measuring"_s
                                  : slow ? u"%1 ms  over %2 ms"_s.arg(screen.roundTripMs).arg(SlowRoundTripMs)
                                         : u"%1 ms"_s.arg(screen.roundTripMs);
        auto* item =
            new QTreeWidgetItem(m_lvwScreens, {screen.address, screen.browser, roundTrip, heardText(screen.lastHeard)});
        if (slow)
            for (int column = 0; column < item->columnCount(); ++column)
                item->setBackground(column, Colours::InfoOrange);
    }
    if (screens.isEmpty())
        m_tmrHeard.stop();
    else if (!m_tmrHeard.isActive())
        m_tmrHeard.start();
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
