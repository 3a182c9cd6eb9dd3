#pragma once

#include "platform/SystemClock.h"

#include <QDBusConnection>

#include <optional>

class QSocketNotifier;

// The Linux system clock. A timerfd armed with TFD_TIMER_CANCEL_ON_SET tells at once when anyone sets the
// clock, so the count follows a jump without waiting for its next second.
// Setting goes through systemd's time service where the system bus offers it, so that the desktop asks for
// authorisation as its own date settings do; elsewhere clock_settime() needs the CAP_SYS_TIME capability.
class LinuxSystemClock final : public SystemClock
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinuxSystemClock)

public:
    explicit LinuxSystemClock(QObject* parent = nullptr);
    // Looks for the time service on timeServiceBus instead of the system bus.
    LinuxSystemClock(const QDBusConnection& timeServiceBus, QObject* parent);
    ~LinuxSystemClock() override;

    ClockSetResult setLocal(const CivilDateTime& value) override;

private:
    bool armWatch();
    void stopWatch();
    void onWatchReadable();

    // Nothing when the system bus offers no time service.
    std::optional<ClockSetResult> setThroughTimeService(qint64 utcMSecs);
    ClockSetResult setDirectly(qint64 utcMSecs);

    std::optional<QDBusConnection> m_timeServiceBus; // the system bus when empty, connected only when needed
    int m_watchFd = -1;
    QSocketNotifier* m_notifier = nullptr;
    bool m_setting = false;
};
