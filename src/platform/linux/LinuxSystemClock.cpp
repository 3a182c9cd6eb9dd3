#include "LinuxSystemClock.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <sys/timerfd.h>
#include <unistd.h>

LinuxSystemClock::LinuxSystemClock(QObject* parent) : SystemClock(parent)
{
    m_watchFd = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_watchFd < 0)
        return; // without the watch, a clock set by someone else shows at the next second
    m_notifier = new QSocketNotifier(static_cast<qintptr>(m_watchFd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LinuxSystemClock::onWatchReadable);
    armWatch();
}

LinuxSystemClock::~LinuxSystemClock()
{
    if (m_watchFd >= 0)
        ::close(m_watchFd);
}

void LinuxSystemClock::armWatch()
{
    // An absolute expiry far in the future: the timer never runs out, it is only cancelled by a clock change.
    itimerspec expiry{};
    expiry.it_value.tv_sec = INT32_MAX;
    ::timerfd_settime(m_watchFd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &expiry, nullptr);
}

void LinuxSystemClock::onWatchReadable()
{
    std::uint64_t expirations = 0;
    const ssize_t n = ::read(m_watchFd, &expirations, sizeof expirations);
    if (n < 0 && errno == ECANCELED) {
        armWatch();
        emit changed();
    } else if (n >= 0) {
        armWatch();
    }
}
