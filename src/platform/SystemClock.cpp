#include "SystemClock.h"

#include <QCoreApplication>
#include <QDateTime>

qint64 SystemClock::currentMSecs() const
{
    const QDateTime local = QDateTime::currentDateTime();
    const CivilDateTime civil(local.date(), local.time());
    return civil.secsSinceEpoch() * 1000 + local.time().msec();
}

ClockSetResult SystemClock::setLocal(const CivilDateTime&)
{
    return ClockSetResult::refused(
        QCoreApplication::translate("SystemClock", "This system offers no way to set its clock from a program."));
}

#if defined(Q_OS_LINUX)
#include "linux/LinuxSystemClock.h"
using SystemClockImpl = LinuxSystemClock;
#elif defined(Q_OS_WIN)
#include "windows/WindowsSystemClock.h"
using SystemClockImpl = WindowsSystemClock;
#else
using SystemClockImpl = SystemClock;
#endif

std::unique_ptr<SystemClock> SystemClock::create(QObject* parent)
{
    return std::make_unique<SystemClockImpl>(parent);
}
