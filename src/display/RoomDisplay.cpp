#include "RoomDisplay.h"

#include "clock/MissionState.h"
#include "platform/Clock.h"
#include "platform/ColourTable.h"

using namespace Qt::StringLiterals;

RoomDisplay::RoomDisplay(const MissionState& state, const Clock& clock, QObject* parent, const DisplayLimits& limits)
    : QObject(parent), m_state(state), m_clock(clock), m_limits(limits)
{
    setObjectName(u"RoomDisplay"_s);
    qRegisterMetaType<DisplaySnapshot>();
    qRegisterMetaType<RoomDisplayStart>();
    qRegisterMetaType<QList<ScreenInfo>>();
    m_thread.setObjectName(u"RoomDisplayServer"_s);

    m_pushTimer.setSingleShot(true);
    m_pushTimer.setInterval(0);
    connect(&m_pushTimer, &QTimer::timeout, this, &RoomDisplay::push);
    // While a hold lasts the target and the launch window move every second, and the window's warning comes on
    // below a minute, as every screen derives by itself; only a departure from that is sent. Every other change
    // is a transition.
    connect(&state, &MissionState::targetChanged, this,
            [this] { checkDerived(&DisplaySnapshot::targetText, &MissionState::targetText); });
    connect(&state, &MissionState::windowRemainingChanged, this,
            [this] { checkDerived(&DisplaySnapshot::windowRemainingText, &MissionState::windowRemainingText); });
    connect(&state, &MissionState::windowWarningChanged, this,
            [this] { checkDerived(&DisplaySnapshot::windowWarning, &MissionState::windowWarning); });
    for (auto signal : {&MissionState::clockJumped, &MissionState::fileLoaded})
        connect(&state, signal, this, &RoomDisplay::pushSoon);
    connect(&state, &MissionState::phaseChanged, this, &RoomDisplay::pushSoon);
    // A jump of the clock moves the mission clock against the real-time clock the server reads; screens hear of
    // it through the mission state's clockJumped, when it is one the mission shows.
    connect(&clock, &Clock::changed, this, &RoomDisplay::refreshOffset);
    for (auto signal :
         {&MissionState::holdingChanged, &MissionState::holdsArmedChanged, &MissionState::windowActiveChanged,
          &MissionState::warningArmedChanged, &MissionState::windowExpiredChanged})
        connect(&state, signal, this, &RoomDisplay::pushSoon);
    // The countdown sequence's transitions; a running built-in hold's time left screens count down themselves.
    for (auto signal : {&MissionState::sequenceChanged, &MissionState::nextMilestoneChanged,
                        &MissionState::runningHoldChanged, &MissionState::projectionChanged})
        connect(&state, signal, this, &RoomDisplay::pushSoon);
}

// The server closes its sockets on its own thread as that thread ends.
RoomDisplay::~RoomDisplay()
{
    m_thread.quit();
    m_thread.wait();
}

// The thread and its server come with the first start, so that a program that never serves has neither.
void RoomDisplay::createServer()
{
    if (m_server)
        return;
    m_server = new RoomDisplayServer(m_limits);
    m_server->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_server, &QObject::deleteLater);
    connect(m_server, &RoomDisplayServer::started, this, &RoomDisplay::serverStarted);
    connect(m_server, &RoomDisplayServer::stopped, this, &RoomDisplay::serverStopped);
    connect(m_server, &RoomDisplayServer::screensChanged, this, [this](const QList<ScreenInfo>& screens) {
        m_screens = screens;
        emit screensChanged(screens);
    });
    m_thread.start();
}

QString RoomDisplay::surfaceColour() const
{
    return ColourTable::name(m_state.showsAfterLiftoff() ? ColourTable::AfterLiftoff : ColourTable::BeforeLiftoff);
}

DisplaySnapshot RoomDisplay::capture() const
{
    return DisplaySnapshot::capture(m_state, m_clock.currentMSecs(), surfaceColour());
}

void RoomDisplay::choose(ProgramSettings::RoomDisplayReach reach, quint16 port)
{
    ProgramSettings settings;
    settings.setRoomDisplayReach(reach);
    settings.setRoomDisplayPort(port);
    m_givenForRun.reset();
}

QList<QHostAddress> RoomDisplay::startAddresses() const
{
    return m_givenForRun ? QList<QHostAddress>{m_givenForRun->address}
                         : ServeEndpoint::addressesFor(ProgramSettings().roomDisplayReach());
}

quint16 RoomDisplay::startPort() const
{
    return m_givenForRun ? m_givenForRun->port : ProgramSettings().roomDisplayPort();
}

void RoomDisplay::start()
{
    start(startAddresses(), startPort());
}

void RoomDisplay::start(const QList<QHostAddress>& addresses, quint16 port)
{
    createServer();
    setStatus(Status::Starting);
    m_lastPushed = capture();
    QMetaObject::invokeMethod(
        m_server,
        [server = m_server, addresses, port, snapshot = m_lastPushed] { server->start(addresses, port, snapshot); },
        Qt::QueuedConnection);
}

void RoomDisplay::stop()
{
    if (m_status == Status::Stopped || !m_server)
        return;
    setStatus(Status::Stopping);
    QMetaObject::invokeMethod(
        m_server, [server = m_server] { server->stop(); }, Qt::QueuedConnection);
}

void RoomDisplay::serverStarted(const RoomDisplayStart& result)
{
    m_running = result.ok ? result : RoomDisplayStart{};
    // A stop asked for while starting comes after this; the status follows it then.
    if (m_status == Status::Starting)
        setStatus(result.ok ? Status::Running : Status::Stopped);
    emit startFinished(result);
}

void RoomDisplay::serverStopped()
{
    m_running = {};
    if (m_status == Status::Stopping)
        setStatus(Status::Stopped);
}

void RoomDisplay::setStatus(Status status)
{
    if (m_status == status)
        return;
    m_status = status;
    emit statusChanged(status);
}

int RoomDisplay::openConnectionsBlocking() const
{
    if (!m_server)
        return 0;
    int open = 0;
    QMetaObject::invokeMethod(
        m_server, [this, &open] { open = m_server->openConnections(); }, Qt::BlockingQueuedConnection);
    return open;
}

// The three values compared are the mission state's own, copied unchanged into a snapshot: they are read straight
// from the state rather than from a whole snapshot made every second of a hold.
template <typename T> void RoomDisplay::checkDerived(T (DisplaySnapshot::*sent)() const, T (MissionState::*now)() const)
{
    if (m_status == Status::Stopped || m_pushTimer.isActive())
        return;
    if ((m_lastPushed.projectedTo(m_clock.currentMSecs()).*sent)() != (m_state.*now)())
        pushSoon();
}

void RoomDisplay::pushSoon()
{
    if (m_status != Status::Stopped && !m_pushTimer.isActive())
        m_pushTimer.start();
}

void RoomDisplay::refreshOffset()
{
    if (m_status == Status::Stopped)
        return;
    QMetaObject::invokeMethod(
        m_server, [server = m_server, snapshot = capture()] { server->setSnapshot(snapshot, false); },
        Qt::QueuedConnection);
}

void RoomDisplay::push()
{
    if (m_status == Status::Stopped)
        return;
    m_lastPushed = capture();
    QMetaObject::invokeMethod(
        m_server, [server = m_server, snapshot = m_lastPushed] { server->setSnapshot(snapshot, true); },
        Qt::QueuedConnection);
}
