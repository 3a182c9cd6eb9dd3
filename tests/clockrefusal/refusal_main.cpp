// Asks the real system clock to change the time, in a process that cannot: the request must come back refused
// with a readable reason, and the computer's clock must be as it was. Before it asks, the test makes sure the
// process really has no way to set the time, and stops dead otherwise.

#include "platform/ApplicationClock.h"
#include "platform/linux/LinuxSystemClock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Why this process could set the computer's clock, or nothing when it cannot.
const char* wayToSetTheClock()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (::syscall(SYS_capget, &header, data) != 0)
        return "its capabilities cannot be read";
    const unsigned word = CAP_SYS_TIME / 32;
    const unsigned bit = 1u << (CAP_SYS_TIME % 32);
    if (data[word].effective & bit)
        return "CAP_SYS_TIME is effective";
    if (data[word].permitted & bit)
        return "CAP_SYS_TIME is permitted";
    if (data[word].inheritable & bit)
        return "CAP_SYS_TIME is inheritable";
    if (::prctl(PR_CAPBSET_READ, CAP_SYS_TIME, 0, 0, 0) != 0)
        return "CAP_SYS_TIME is in the bounding set";
    if (::prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_IS_SET, CAP_SYS_TIME, 0, 0) > 0)
        return "CAP_SYS_TIME is ambient";
    if (qgetenv("DBUS_SYSTEM_BUS_ADDRESS") != "unix:path=/nonexistent")
        return "the system bus is reachable (DBUS_SYSTEM_BUS_ADDRESS is not unix:path=/nonexistent)";
    return nullptr;
}

// How far the wall clock moved apart from the monotonic one while f ran, in milliseconds.
template <typename F> qint64 wallClockJump(F f)
{
    QElapsedTimer monotonic;
    const qint64 wallBefore = QDateTime::currentMSecsSinceEpoch();
    monotonic.start();
    f();
    const qint64 elapsed = monotonic.elapsed();
    return QDateTime::currentMSecsSinceEpoch() - wallBefore - elapsed;
}

// A day and an hour away, so that a clock that did change could not be mistaken for one that did not.
constexpr qint64 FarAwaySecs = 25 * 3600;
constexpr qint64 JumpToleranceMs = 60 * 1000;

} // namespace

class TestClockRefusal : public QObject
{
    Q_OBJECT

private slots:
    void theSystemClockRefusesWithAReason()
    {
        LinuxSystemClock clock;
        QSignalSpy jumps(&clock, &Clock::changed);
        ClockSetResult result;

        const qint64 jump = wallClockJump([&] { result = clock.setLocal(clock.now().addSecs(FarAwaySecs)); });

        QVERIFY(!result.ok);
        QVERIFY(!result.keptByProgram);
        QCOMPARE(result.reason, u"Setting the computer's clock needs administrator rights, and Tarvane does not "
                                "have them."_s);
        QVERIFY2(qAbs(jump) < JumpToleranceMs, "the computer's clock moved");
        QCOMPARE(jumps.count(), 0);
    }

    // The whole path the program takes: the computer refuses, and the program keeps the time itself.
    void theApplicationClockKeepsTheTimeInstead()
    {
        LinuxSystemClock system;
        ApplicationClock clock(system, ApplicationClock::Start::PassThrough);
        const CivilDateTime wanted = system.now().addSecs(-FarAwaySecs);
        ClockSetResult result;

        const qint64 jump = wallClockJump([&] { result = clock.setLocal(wanted); });

        QVERIFY(result.ok);
        QVERIFY(result.keptByProgram);
        QVERIFY(result.reason.contains(u"administrator rights"));
        QVERIFY2(qAbs(jump) < JumpToleranceMs, "the computer's clock moved");
        QVERIFY(clock.isEngaged());
        QVERIFY(clock.now() >= wanted);
        QVERIFY(clock.now() < system.now());
    }

    // A local time that the zone's clocks skip is refused before anything is asked.
    void aSkippedLocalTimeIsRefused()
    {
        QCOMPARE(qgetenv("TZ"), QByteArray("America/New_York"));
        LinuxSystemClock clock;
        const ClockSetResult result = clock.setLocal(CivilDateTime(QDate(2024, 3, 10), QTime(2, 30, 0)));
        QVERIFY(!result.ok);
        QCOMPARE(result.reason, u"March 10, 2024 2:30:00 AM does not exist in this computer's time zone: the clocks "
                                "skip it when daylight saving time begins."_s);
    }
};

int main(int argc, char* argv[])
{
    if (const char* why = wayToSetTheClock()) {
        std::fprintf(stderr,
                     "clockrefusal: not run, because this process could set the computer's clock: %s.\n"
                     "Start it through CTest, which drops CAP_SYS_TIME with setpriv and hides the system bus.\n",
                     why);
        std::abort();
    }
    QCoreApplication app(argc, argv);
    TestClockRefusal test;
    return QTest::qExec(&test, argc, argv);
}

#include "refusal_main.moc"
