#include "LinuxSystemClock.h"

#include "platform/DateTimeServices.h"
#include "platform/FloorDivision.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDateTime>
#include <QEventLoop>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString TimeService = u"org.freedesktop.timedate1"_s;
const QString TimeServicePath = u"/org/freedesktop/timedate1"_s;
// The desktop may ask for a password; give the operator time to type it.
constexpr int AuthorisationTimeoutMs = 5 * 60 * 1000;

} // namespace

LinuxSystemClock::LinuxSystemClock(QObject* parent) : SystemClock(parent)
{
    m_watchFd = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_watchFd < 0)
        return; // without the watch, a clock set by someone else shows at the next second
    m_notifier = new QSocketNotifier(static_cast<qintptr>(m_watchFd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LinuxSystemClock::onWatchReadable);
    if (!armWatch()) {
        delete m_notifier;
        m_notifier = nullptr;
        ::close(m_watchFd);
        m_watchFd = -1;
    }
}

LinuxSystemClock::LinuxSystemClock(const QDBusConnection& timeServiceBus, QObject* parent) : LinuxSystemClock(parent)
{
    m_timeServiceBus = timeServiceBus;
}

LinuxSystemClock::~LinuxSystemClock()
{
    // The notifier must not outlive its descriptor, which the system may hand out again at once.
    delete m_notifier;
    m_notifier = nullptr;
    if (m_watchFd >= 0)
        ::close(m_watchFd);
}

bool LinuxSystemClock::armWatch()
{
    // An absolute expiry far in the future: the timer never runs out, it is only cancelled by a clock change.
    itimerspec expiry{};
    expiry.it_value.tv_sec = INT32_MAX;
    return ::timerfd_settime(m_watchFd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &expiry, nullptr) == 0;
}

void LinuxSystemClock::onWatchReadable()
{
    std::uint64_t expirations = 0;
    const ssize_t n = ::read(m_watchFd, &expirations, sizeof expirations);
    const bool cancelled = n < 0 && errno == ECANCELED;
    if (n < 0 && !cancelled && errno == EAGAIN)
        return;
    if (n < 0 && !cancelled) {
        stopWatch();
        return;
    }
    if (!armWatch())
        stopWatch();
    if (cancelled)
        emit changed();
}

void LinuxSystemClock::stopWatch()
{
    // Called from the notifier's own signal: it is only disabled here, and goes before the descriptor does.
    // Without the watch, a clock set by someone else shows at the next second.
    if (m_notifier)
        m_notifier->setEnabled(false);
}

ClockSetResult LinuxSystemClock::setLocal(const CivilDateTime& value)
{
    if (m_setting)
        return ClockSetResult::refused(tr("An earlier request to set the clock is still waiting for an answer."));

    // The local time is read with the zone rules in force on that date, as the computer's clock would show it.
    const QDateTime local(value.date(), value.time(), Qt::LocalTime);
    if (!local.isValid()) {
        return ClockSetResult::refused(
            tr("%1 does not exist in this computer's time zone: the clocks skip it when daylight saving time begins.")
                .arg(DateTimeServices::format(value, u"mmmm d, yyyy h:mm:ss AM/PM")));
    }
    const qint64 utcMSecs = local.toMSecsSinceEpoch();

    m_setting = true;
    std::optional<ClockSetResult> result = setThroughTimeService(utcMSecs);
    if (!result)
        result = setDirectly(utcMSecs);
    m_setting = false;

    if (result->ok)
        emit changed(); // the program made this jump: show it now rather than when the watch reports it
    return *result;
}

std::optional<ClockSetResult> LinuxSystemClock::setThroughTimeService(qint64 utcMSecs)
{
    QDBusConnection bus = m_timeServiceBus ? *m_timeServiceBus : QDBusConnection::systemBus();
    if (!bus.isConnected() || !bus.interface())
        return std::nullopt;
    // The service is normally started on demand, so it need not be running yet.
    if (!bus.interface()->isServiceRegistered(TimeService).value() &&
        !bus.interface()->activatableServiceNames().value().contains(TimeService))
        return std::nullopt;

    QDBusMessage call = QDBusMessage::createMethodCall(TimeService, TimeServicePath, TimeService, u"SetTime"_s);
    call << static_cast<qlonglong>(utcMSecs * 1000) << false << true; // usec_utc, relative, interactive
    call.setInteractiveAuthorizationAllowed(true);

    // Wait in a loop of our own, so that the count keeps running while the desktop asks for a password.
    QDBusPendingCallWatcher watcher(bus.asyncCall(call, AuthorisationTimeoutMs));
    if (!watcher.isFinished()) {
        QEventLoop loop;
        connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!watcher.isFinished())
        return ClockSetResult::refused(tr("The program was closing before the time service answered."));

    const QDBusError error = watcher.error();
    if (!error.isValid())
        return ClockSetResult::success();

    const QString name = error.name();
    if (error.type() == QDBusError::ServiceUnknown)
        return std::nullopt;
    if (name == u"org.freedesktop.timedate1.AutomaticTimeSyncEnabled") {
        return ClockSetResult::refused(tr("Automatic time synchronisation is switched on, so the computer's clock "
                                          "follows its time server and cannot be set by hand."));
    }
    if (error.type() == QDBusError::AccessDenied ||
        name == u"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired" ||
        name.startsWith(u"org.freedesktop.PolicyKit1.Error."))
        return ClockSetResult::refused(tr("Permission to set the computer's clock was not given."));
    if (error.type() == QDBusError::NoReply || error.type() == QDBusError::Timeout ||
        error.type() == QDBusError::TimedOut)
        return ClockSetResult::refused(tr("The system's time service did not answer in time."));
    return ClockSetResult::refused(tr("The system's time service refused: %1").arg(error.message()));
}

ClockSetResult LinuxSystemClock::setDirectly(qint64 utcMSecs)
{
    timespec when{};
    when.tv_sec = static_cast<time_t>(FloorDivision::floorDiv(utcMSecs, 1000));
    when.tv_nsec = static_cast<long>(FloorDivision::floorMod(utcMSecs, 1000) * 1000000);
    if (::clock_settime(CLOCK_REALTIME, &when) == 0)
        return ClockSetResult::success();
    switch (errno) {
    case EPERM:
        return ClockSetResult::refused(
            tr("Setting the computer's clock needs administrator rights, and Tarvane does not have them."));
    case EINVAL:
        return ClockSetResult::refused(tr("The computer's clock cannot be set to that date."));
    default:
        return ClockSetResult::refused(tr("The computer's clock could not be set: %1").arg(qt_error_string(errno)));
    }
}
