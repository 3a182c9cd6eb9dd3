#include "GuiTest.h"

#include "clock/Holds.h"
#include "clock/LaunchClock.h"
#include "clock/MissionState.h"
#include "platform/ClockTimer.h"
#include "platform/widgets/Colours.h"
#include "platform/widgets/ShapeWidget.h"
#include "platform/widgets/SurfaceWidget.h"
#include "platform/widgets/WatchedLabel.h"
#include "shell/MainStatusBar.h"
#include "shell/frmTarvane.h"

#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

const CivilDateTime Target = FakeClock::at(u"May 3, 2001 10:30:00 AM");

QColor background(MainWindowFixture& t)
{
    return child<QWidget>(t.window(), u"frmTarvaneSurface"_s)->palette().color(QPalette::Window);
}

// Which lamps are lit, as "012" with '-' for a dark lamp.
QString litLamps(MainWindowFixture& t)
{
    QString out;
    for (int i = 0; i < 3; ++i)
        out += t.get<ShapeWidget>(u"shpIndicator_"_s + QString::number(i))->isHidden() ? u'-' : QChar(u'0' + i);
    return out;
}

// Walks the clock up to when one second at a time, as a running count would see it.
void walkTo(MainWindowFixture& t, const CivilDateTime& when)
{
    while (t.clock().now() < when)
        t.advance(1);
}

} // namespace

class TestCount : public GuiTest
{
    Q_OBJECT

    // The window ten seconds before the initial launch target.
    MainWindowFixture& window()
    {
        f.window();
        return f;
    }

private slots:

    void countAroundLiftoff_data()
    {
        QTest::addColumn<int>("offset"); // seconds from the target
        QTest::addColumn<QString>("count");
        QTest::addColumn<bool>("green");
        QTest::newRow("one second before") << -1 << u"T - 000 00:00:01"_s << false;
        QTest::newRow("the target's own second") << 0 << u"T + 000 00:00:00"_s << true;
        QTest::newRow("one second after") << 1 << u"T + 000 00:00:01"_s << true;
        QTest::newRow("a day, an hour, a minute and a second before")
            << -(86400 + 3600 + 61) << u"T - 001 01:01:01"_s << false;
        QTest::newRow("1,000 days and 5 seconds before") << -(1000 * 86400 + 5) << u"T - 1000 00:00:05"_s << false;
    }

    void countAroundLiftoff()
    {
        QFETCH(int, offset);
        QFETCH(QString, count);
        QFETCH(bool, green);
        MainWindowFixture& t = window();
        t.at(Target.addSecs(offset));
        QCOMPARE(t.count(), count);
        QCOMPARE(background(t), green ? Colours::AfterLiftoff : Colours::BeforeLiftoff);
        QCOMPARE(t.window().TminusSec(), -offset);
    }

    // From liftoff on, holds are disarmed and neither they nor the launch window can be armed.
    void liftoffDisarmsCommands()
    {
        MainWindowFixture& t = window();
        const QObject& c = t.window();
        QVERIFY(child<QAction>(c, u"mnuHoldEnable"_s)->isEnabled());
        QVERIFY(child<QCheckBox>(t.window(), u"chkLaunchWindowActive"_s)->isEnabled());
        t.window().holds().ToggleHoldEnable(); // armed, and the arming items offer "Hold Disable"
        QCOMPARE(child<QAction>(c, u"mnuRtHoldEnable"_s)->text(), u"Hold Disable"_s);
        t.at(Target);
        QVERIFY(!child<QPushButton>(t.window(), u"cmdHoldResume"_s)->isEnabled());
        QVERIFY(!child<QAction>(c, u"mnuHold"_s)->isEnabled());
        QVERIFY(!child<QAction>(c, u"mnuRtHold"_s)->isEnabled());
        QCOMPARE(child<QAction>(c, u"mnuHoldEnable"_s)->text(), u"Hold Enable"_s);
        QCOMPARE(child<QAction>(c, u"mnuRtHoldEnable"_s)->text(), u"Hold Enable"_s);
        QVERIFY(!child<QAction>(c, u"mnuHoldEnable"_s)->isEnabled());
        QVERIFY(!child<QAction>(c, u"mnuRtHoldEnable"_s)->isEnabled());
        QVERIFY(!child<QAction>(c, u"mnuActiveLaunchWindow"_s)->isEnabled());
        QVERIFY(!child<QCheckBox>(t.window(), u"chkLaunchWindowActive"_s)->isEnabled());

        // The clock set back: red again, the arming items come back, the hold button stays disarmed.
        t.at(Target.addSecs(-60));
        QCOMPARE(t.count(), u"T - 000 00:01:00"_s);
        QCOMPARE(background(t), Colours::BeforeLiftoff);
        QVERIFY(child<QAction>(c, u"mnuHoldEnable"_s)->isEnabled());
        QVERIFY(child<QAction>(c, u"mnuActiveLaunchWindow"_s)->isEnabled());
        QVERIFY(child<QCheckBox>(t.window(), u"chkLaunchWindowActive"_s)->isEnabled());
        QVERIFY(!child<QPushButton>(t.window(), u"cmdHoldResume"_s)->isEnabled());
        QVERIFY(!child<QAction>(c, u"mnuHold"_s)->isEnabled());
        QCOMPARE(child<QAction>(c, u"mnuHoldEnable"_s)->text(), u"Hold Enable"_s);
    }

    void holdItemsFollowTheHoldButton()
    {
        MainWindowFixture& t = window();
        QVERIFY(!child<QAction>(t.window(), u"mnuHold"_s)->isEnabled());
        t.window().holds().setHoldsArmed(true);
        t.advance(1);
        QVERIFY(child<QAction>(t.window(), u"mnuHold"_s)->isEnabled());
        QVERIFY(child<QAction>(t.window(), u"mnuRtHold"_s)->isEnabled());
    }

    void lamps_data()
    {
        QTest::addColumn<int>("tminus");
        QTest::addColumn<QString>("lit");
        QTest::newRow("T-01:00:01") << 3601 << u"---"_s;
        QTest::newRow("T-01:00:00") << 3600 << u"0--"_s;
        QTest::newRow("T-00:59:59") << 3599 << u"---"_s;
        QTest::newRow("T-00:10:00") << 600 << u"01-"_s;
        QTest::newRow("T-00:09:59") << 599 << u"---"_s;
        QTest::newRow("T-00:01:00") << 60 << u"01-"_s;
        QTest::newRow("T-00:00:59") << 59 << u"--2"_s;
        QTest::newRow("T-00:00:02") << 2 << u"01-"_s;
        QTest::newRow("T-00:00:01") << 1 << u"--2"_s;
        QTest::newRow("T-0") << 0 << u"---"_s;
        QTest::newRow("T+00:00:01") << -1 << u"---"_s;
    }

    // Each lamp blinks with the displayed seconds inside its range, in the phase of its parity.
    void lamps()
    {
        QFETCH(int, tminus);
        QFETCH(QString, lit);
        MainWindowFixture& t = window();
        t.at(Target.addSecs(-(tminus + 4)));
        walkTo(t, Target.addSecs(-tminus));
        QCOMPARE(litLamps(t), lit);
    }

    // Two displayed seconds of the same parity in a row invert a lamp twice: it ends dark.
    void skippedSecondLeavesLampDark()
    {
        MainWindowFixture& t = window();
        t.at(Target.addSecs(-11));
        walkTo(t, Target.addSecs(-10));
        QCOMPARE(litLamps(t), u"01-"_s);
        t.at(Target.addSecs(-8));
        QCOMPARE(litLamps(t), u"---"_s);
    }

    // The lamps change once per displayed second, however often the count ticks.
    void repeatedTicksInOneSecondChangeNothing()
    {
        MainWindowFixture& t = window();
        t.at(Target.addSecs(-30));
        const QString lit = litLamps(t);
        for (int i = 0; i < 5; ++i)
            t.window().launchClock().UpdateCountDisplay();
        QCOMPARE(litLamps(t), lit);
    }

    void newTargetShowsAtOnce()
    {
        MainWindowFixture& t = window();
        t.loadTarget(u"May 03, 2001   11:30:00 AM"_s);
        QCOMPARE(t.count(), u"T - 000 01:00:10"_s);
    }

    // A target text that names no date-time gives dashes and dark lamps, and the count comes back with a
    // valid one.
    void unreadableTarget()
    {
        MainWindowFixture& t = window();
        t.at(Target.addSecs(-30));
        t.loadTarget(u"next Tuesday"_s);
        QCOMPARE(t.count(), u"T - --- --:--:--"_s);
        QCOMPARE(litLamps(t), u"---"_s);
        QCOMPARE(t.window().TminusSec(), 0);
        t.loadTarget(u"May 3, 2001   10:30:00 AM"_s);
        QCOMPARE(t.count(), u"T - 000 00:00:30"_s);
    }

    // Counts beyond the range of 32-bit seconds: the days show every digit, TminusSec saturates.
    void farTargets()
    {
        MainWindowFixture& t = window();
        t.loadTarget(u"January 1, 2100   12:00:00 AM"_s);
        QCOMPARE(t.text(u"lblDays"_s), u"36036"_s);
        QCOMPARE(t.window().TminusSec(), std::numeric_limits<qint32>::max());
        // Every digit stays inside the label.
        const QLabel* days = child<WatchedLabel>(t.window(), u"lblDays"_s);
        QVERIFY(days->fontMetrics().horizontalAdvance(days->text()) <= days->contentsRect().width());
        t.loadTarget(u"January 1, 1900   12:00:00 AM"_s);
        QCOMPARE(t.text(u"lblTMinus"_s), u"T +"_s);
        QCOMPARE(t.text(u"lblDays"_s), u"37012"_s);
        QCOMPARE(t.window().TminusSec(), std::numeric_limits<qint32>::min());
    }

    void datePanel()
    {
        MainWindowFixture& t = window();
        t.at(FakeClock::at(u"12/6/2026 9:05:07 AM"));
        t.window().statusPanels().tmrCurrentDateTime_Timer();
        QCOMPARE(t.text(u"pnlCurrentDate"_s), u"Dec 6, 2026  9:05:07 AM"_s);
    }

    void startsCompactWithoutMenus()
    {
        MainWindowFixture& t = window();
        QCOMPARE(t.window().windowTitle(), u"Mission Elapsed Time"_s);
        QVERIFY(t.window().menuBar()->isHidden());
        QVERIFY(child<ClockTimer>(t.window(), u"tmrCountdown"_s)->isActive());
        QVERIFY(!child<ClockTimer>(t.window(), u"tmrCurrentDateTime"_s)->isActive());
    }
};

QTEST_MAIN(TestCount)
#include "tst_count.moc"
