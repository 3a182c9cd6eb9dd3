#include "FakeClock.h"
#include "platform/ApplicationClock.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class TestApplicationClock : public QObject
{
    Q_OBJECT

private slots:
    void passesThroughWhileTheSystemAgrees()
    {
        FakeClock system;
        ApplicationClock clock(system, ApplicationClock::Start::PassThrough);
        const CivilDateTime wanted = FakeClock::at(u"May 3, 2001 9:45:00 AM");

        const ClockSetResult result = clock.setLocal(wanted);

        QVERIFY(result.ok);
        QVERIFY(!result.keptByProgram);
        QCOMPARE(system.setRequests, QList<CivilDateTime>{wanted});
        QCOMPARE(system.now(), wanted);
        QCOMPARE(clock.now(), wanted);
        QVERIFY(!clock.isEngaged());
    }

    void keepsTheTimeItselfWhenTheSystemRefuses()
    {
        FakeClock system;
        system.refuseWith = u"No rights."_s;
        const CivilDateTime before = system.now();
        ApplicationClock clock(system, ApplicationClock::Start::PassThrough);
        QSignalSpy jumps(&clock, &Clock::changed);
        const CivilDateTime wanted = FakeClock::at(u"May 2, 2001 11:35:00 PM");

        const ClockSetResult result = clock.setLocal(wanted);

        QVERIFY(result.ok);
        QVERIFY(result.keptByProgram);
        QCOMPARE(result.reason, u"No rights."_s);
        QCOMPARE(system.now(), before);
        QCOMPARE(clock.now(), wanted);
        QCOMPARE(jumps.count(), 1);

        // The offset rides on the system clock.
        system.advance(7);
        QCOMPARE(clock.now(), wanted.addSecs(7));
        QVERIFY(jumps.count() >= 2);

        // Once engaged, the computer's clock is not asked again.
        system.refuseWith.clear();
        const CivilDateTime again = FakeClock::at(u"June 1, 2001 12:00:00 PM");
        const ClockSetResult second = clock.setLocal(again);
        QVERIFY(second.ok && second.keptByProgram);
        QVERIFY(second.reason.isEmpty());
        QCOMPARE(system.setRequests.size(), 1);
        QCOMPARE(clock.now(), again);
    }

    void engagedFromTheStartNeverTouchesTheSystem()
    {
        FakeClock system;
        ApplicationClock clock(system, ApplicationClock::Start::Engaged);
        QCOMPARE(clock.now(), system.now());
        const CivilDateTime wanted = FakeClock::at(u"December 31, 2001 11:59:30 PM");

        const ClockSetResult result = clock.setLocal(wanted);

        QVERIFY(result.ok && result.keptByProgram);
        QVERIFY(result.reason.isEmpty());
        QVERIFY(system.setRequests.isEmpty());
        QCOMPARE(clock.now(), wanted);
        // Set back in time as well as forward.
        QVERIFY(clock.setLocal(FakeClock::at(u"January 1, 1999 1:00:00 AM")).ok);
        QCOMPARE(clock.now(), FakeClock::at(u"January 1, 1999 1:00:00 AM"));
    }
};

QTEST_GUILESS_MAIN(TestApplicationClock)
#include "tst_appclock.moc"
