// How promptly the count follows the wall clock, and what it costs while idle.
// Runs the main window offscreen on the real clock, first with the per-second tick schedule (with no countdown
// sequence, with 1,000 milestones ahead, and with those shown in the sequence's window) and then with a plain
// repeating 1 ms timer, and prints for each: the delay from every second boundary to the change of
// lblSeconds (median, p99, max), CPU time per wall-clock second and timer wake-ups per second.
//
//   QT_QPA_PLATFORM=offscreen build/bench/tick_bench [seconds per policy, default 20]

#include "CountingWindow.h"
#include "ProcessMeters.h"
#include "clock/LaunchClock.h"
#include "clock/Mission.h"
#include "clock/SequenceEngine.h"
#include "platform/ClockTimer.h"
#include "platform/DateTimeServices.h"
#include "platform/SystemClock.h"
#include "platform/widgets/QtPrompter.h"
#include "platform/widgets/WatchedLabel.h"
#include "shell/MainActions.h"
#include "shell/frmTarvane.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <vector>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

using ProcessMeters::cpuSeconds;
using ProcessMeters::TimerEventCounter;

long contextSwitches()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw + usage.ru_nivcsw;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

void measure(const char* policy, frmTarvane& window, TimerEventCounter& counter, int seconds)
{
    std::vector<double> delays;
    auto* seconds_label = window.findChild<WatchedLabel*>(u"lblSeconds"_s);
    const auto connection = QObject::connect(seconds_label, &WatchedLabel::textChanged, seconds_label, [&] {
        const qint64 ms = QDateTime::currentMSecsSinceEpoch() % 1000;
        delays.push_back(static_cast<double>(ms));
    });

    // Start on a second boundary so that every measured second is whole.
    QEventLoop loop;
    QTimer::singleShot(1000 - static_cast<int>(QDateTime::currentMSecsSinceEpoch() % 1000), &loop, &QEventLoop::quit);
    loop.exec();
    delays.clear();

    const quint64 timerEvents = counter.count;
    const long switches = contextSwitches();
    const double cpu = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(std::chrono::seconds(seconds), &loop, &QEventLoop::quit);
    loop.exec();
    const double elapsed = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    QObject::disconnect(connection);

    std::printf("%-22s seconds shown %4zu   delay ms: median %6.2f  p99 %6.2f  max %6.2f   "
                "CPU %8.3f ms/s   timer wake-ups %8.1f /s   context switches %8.1f /s\n",
                policy, delays.size(), percentile(delays, 0.5), percentile(delays, 0.99), percentile(delays, 1.0),
                (cpuSeconds() - cpu) * 1000.0 / elapsed, static_cast<double>(counter.count - timerEvents) / elapsed,
                static_cast<double>(contextSwitches() - switches) / elapsed);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 20;

    CountingWindow counting;
    frmTarvane& window = counting.window;

    TimerEventCounter counter;
    app.installEventFilter(&counter);

    measure("per-second schedule", window, counter, seconds);
    // As many milestones as a sequence holds, all ahead of the count, every other one a built-in hold.
    CountdownSequence plan;
    for (int i = 0; i < CountdownSequence::MostMilestones; ++i) {
        const auto kind = i % 2 ? Milestone::Kind::BuiltInHold : Milestone::Kind::Callout;
        plan.add({-1 - i * 80, u"Milestone %1"_s.arg(i), kind, kind == Milestone::Kind::BuiltInHold ? 60 : 0});
    }
    window.holds().setHoldsArmed(true);
    window.mission().sequence().setSequence(plan);
    measure("1,000 milestones", window, counter, seconds);
    window.actions().mnuAddEvent->trigger();
    measure("1,000, window open", window, counter, seconds);
    // The same count ticks driven by a plain timer every millisecond, as the interval of the design would have it.
    window.launchClock().tmrCountdown().stop();
    QTimer everyMillisecond;
    everyMillisecond.setTimerType(Qt::PreciseTimer);
    QObject::connect(&everyMillisecond, &QTimer::timeout, &window.launchClock(), &LaunchClock::UpdateCountDisplay);
    everyMillisecond.start(1ms);
    measure("plain 1 ms timer", window, counter, seconds);
    return 0;
}
