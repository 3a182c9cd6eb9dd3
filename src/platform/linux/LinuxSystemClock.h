#pragma once

#include "platform/SystemClock.h"

class QSocketNotifier;

// The Linux system clock. A timerfd armed with TFD_TIMER_CANCEL_ON_SET tells at once when anyone sets the
// clock, so the count follows a jump without waiting for its next second.
class LinuxSystemClock final : public SystemClock
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinuxSystemClock)

public:
    explicit LinuxSystemClock(QObject* parent = nullptr);
    ~LinuxSystemClock() override;

private:
    void armWatch();
    void onWatchReadable();

    int m_watchFd = -1;
    QSocketNotifier* m_notifier = nullptr;
};
