#pragma once

#include <QEvent>
#include <QObject>

#include <ctime>

// What the benchmarks measure of their own process: timer wake-ups and CPU time.
namespace ProcessMeters {

// Counts the timer events delivered to the objects it filters (install it on the application).
class TimerEventCounter final : public QObject
{
public:
    quint64 count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Timer)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

inline double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

} // namespace ProcessMeters
