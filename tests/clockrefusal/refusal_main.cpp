// Asks the real system clock to change the time, in a process that cannot: the request must come back refused
// with a readable reason, and the computer's clock must be as it was. Before it asks, the test makes sure the
// process really has no way to set the time, and stops dead otherwise. The time service is played by a stand-in
// on a private bus of the test's own.

#include "platform/ApplicationClock.h"
#include "platform/linux/LinuxSystemClock.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
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

// Stands in for systemd's time service: records what it is asked and answers as told.
class FakeTimeService final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")

public:
    QString errorName; // answer with this error; succeed when empty
    QString errorText;
    QList<QVariantList> calls; // usec_utc, relative, interactive, interactive authorisation allowed

public slots:
    void SetTime(qlonglong usecUtc, bool relative, bool interactive)
    {
        calls.append({usecUtc, relative, interactive, message().isInteractiveAuthorizationAllowed()});
        if (!errorName.isEmpty())
            sendErrorReply(errorName, errorText);
    }
};

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

    void theTimeService_data()
    {
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QString>("errorName");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("reason");
        QTest::newRow("sets the time") << true << QString() << true << QString();
        QTest::newRow("time synchronisation on")
            << true << u"org.freedesktop.timedate1.AutomaticTimeSyncEnabled"_s << false
            << u"Automatic time synchronisation is switched on, so the computer's clock follows its time server "
               "and cannot be set by hand."_s;
        QTest::newRow("authorisation refused") << true << u"org.freedesktop.DBus.Error.AccessDenied"_s << false
                                               << u"Permission to set the computer's clock was not given."_s;
        QTest::newRow("no one to ask for authorisation")
            << true << u"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"_s << false
            << u"Permission to set the computer's clock was not given."_s;
        QTest::newRow("another failure") << true << u"org.freedesktop.DBus.Error.Failed"_s << false
                                         << u"The system's time service refused: It broke."_s;
        QTest::newRow("not on the bus: the clock is set directly")
            << false << QString() << false
            << u"Setting the computer's clock needs administrator rights, and Tarvane does not have them."_s;
    }

    // The request the time service sees, and how each of its answers comes back.
    void theTimeService()
    {
        QFETCH(bool, offered);
        QFETCH(QString, errorName);
        QFETCH(bool, ok);
        QFETCH(QString, reason);
        const QString daemon = QStandardPaths::findExecutable(u"dbus-daemon"_s);
        if (daemon.isEmpty())
            QSKIP("dbus-daemon (Debian package dbus-daemon) is not installed");

        QProcess bus;
        bus.start(daemon, {u"--session"_s, u"--nofork"_s, u"--nopidfile"_s, u"--print-address"_s});
        const auto stopBus = qScopeGuard([&] {
            bus.terminate();
            bus.waitForFinished();
        });
        QVERIFY(bus.waitForReadyRead());
        const QString address = QString::fromUtf8(bus.readLine()).trimmed();
        QDBusConnection serviceSide = QDBusConnection::connectToBus(address, u"service"_s);
        QDBusConnection clockSide = QDBusConnection::connectToBus(address, u"clock"_s);
        const auto disconnect = qScopeGuard([] {
            QDBusConnection::disconnectFromBus(u"service"_s);
            QDBusConnection::disconnectFromBus(u"clock"_s);
        });
        QVERIFY(serviceSide.isConnected() && clockSide.isConnected());
        FakeTimeService service;
        service.errorName = errorName;
        service.errorText = u"It broke."_s;
        if (offered) {
            QVERIFY(
                serviceSide.registerObject(u"/org/freedesktop/timedate1"_s, &service, QDBusConnection::ExportAllSlots));
            QVERIFY(serviceSide.registerService(u"org.freedesktop.timedate1"_s));
        }

        LinuxSystemClock clock(clockSide, nullptr);
        QSignalSpy jumps(&clock, &Clock::changed);
        ClockSetResult result;
        // 12:00 noon in New York in winter is 17:00 UTC.
        const qint64 jump =
            wallClockJump([&] { result = clock.setLocal(CivilDateTime(QDate(2024, 3, 1), QTime(12, 0, 0))); });

        QCOMPARE(result.ok, ok);
        QCOMPARE(result.reason, reason);
        QCOMPARE(jumps.count(), ok ? 1 : 0);
        QVERIFY2(qAbs(jump) < JumpToleranceMs, "the computer's clock moved");
        if (offered) {
            const qlonglong usec = QDateTime(QDate(2024, 3, 1), QTime(17, 0), Qt::UTC).toMSecsSinceEpoch() * 1000;
            QCOMPARE(service.calls, (QList<QVariantList>{{usec, false, true, true}}));
        }
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
