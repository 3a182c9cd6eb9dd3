#include "GuiTest.h"
#include "clock/Holds.h"
#include "clock/LaunchClock.h"
#include "platform/ApplicationClock.h"
#include "platform/widgets/Colours.h"
#include "platform/widgets/SurfaceWidget.h"
#include "platform/widgets/WatchedLabel.h"
#include "shell/frmTarvane.h"
#include "simtime/CSimTime.h"
#include "simtime/SimTime.h"
#include "simtime/TimeZoneMenu.h"

#include <QAction>
#include <QTest>

#include <functional>
#include <limits>

using namespace Qt::StringLiterals;
using Answer = Prompter::Answer;

namespace {

const QString Confirmation = u"Tarvane will now change your computer's clock.  Do you want to continue?"_s;

QString countShown(const frmTarvane& w)
{
    const QObject& c = w;
    return QStringList{child<WatchedLabel>(c, u"lblTMinus"_s)->text(), child<WatchedLabel>(c, u"lblDays"_s)->text(),
                       child<WatchedLabel>(c, u"lblHours"_s)->text(), child<WatchedLabel>(c, u"lblMinutes"_s)->text(),
                       child<WatchedLabel>(c, u"lblSeconds"_s)->text()}
        .join(u' ');
}

QColor phaseColour(const frmTarvane& w)
{
    return child<QWidget>(w, u"frmTarvaneSurface"_s)->palette().color(QPalette::Window);
}

// A launch target as a launch data file brings it.
void setTarget(frmTarvane& w, const QString& text)
{
    w.holds().setLaunchTarget(text);
    settle();
}

const QStringList SimCommands = {u"mnuTminus45"_s,    u"mnuTminus30"_s, u"mnuTminus20"_s, u"mnuTminus10"_s,
                                 u"mnuTminus8"_s,     u"mnuTminus6"_s,  u"mnuTminus4"_s,  u"mnuTminus2"_s,
                                 u"mnuTminus30Sec"_s, u"mnuTplus5"_s,   u"mnuManualSet"_s};

// A clock that lets a test act while a request to set it is still under way.
class WaitingClock final : public Clock
{
public:
    qint64 currentMSecs() const override { return inner.currentMSecs(); }
    ClockSetResult setLocal(const CivilDateTime& value) override
    {
        if (whileSetting)
            whileSetting();
        return inner.setLocal(value);
    }

    FakeClock inner;
    std::function<void()> whileSetting;
};

} // namespace

class TestSimTime : public GuiTest
{
    Q_OBJECT

private slots:

    void presets_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("clockSetTo");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QColor>("phase");
        const QString target = u"May 3, 2001   10:30:00 AM"_s;
        const QColor before = Colours::BeforeLiftoff;
        const QColor after = Colours::AfterLiftoff;
        QTest::newRow("T - 45") << u"mnuTminus45"_s << target << u"May 3, 2001 9:45:00 AM"_s << u"T - 000 00 45 00"_s
                                << before;
        QTest::newRow("T - 30") << u"mnuTminus30"_s << target << u"May 3, 2001 10:00:00 AM"_s << u"T - 000 00 30 00"_s
                                << before;
        QTest::newRow("T - 20") << u"mnuTminus20"_s << target << u"May 3, 2001 10:10:00 AM"_s << u"T - 000 00 20 00"_s
                                << before;
        QTest::newRow("T - 10") << u"mnuTminus10"_s << target << u"May 3, 2001 10:20:00 AM"_s << u"T - 000 00 10 00"_s
                                << before;
        QTest::newRow("T - 8") << u"mnuTminus8"_s << target << u"May 3, 2001 10:22:00 AM"_s << u"T - 000 00 08 00"_s
                               << before;
        QTest::newRow("T - 6") << u"mnuTminus6"_s << target << u"May 3, 2001 10:24:00 AM"_s << u"T - 000 00 06 00"_s
                               << before;
        QTest::newRow("T - 4") << u"mnuTminus4"_s << target << u"May 3, 2001 10:26:00 AM"_s << u"T - 000 00 04 00"_s
                               << before;
        QTest::newRow("T - 2") << u"mnuTminus2"_s << target << u"May 3, 2001 10:28:00 AM"_s << u"T - 000 00 02 00"_s
                               << before;
        QTest::newRow("T - 30 Seconds") << u"mnuTminus30Sec"_s << target << u"May 3, 2001 10:29:30 AM"_s
                                        << u"T - 000 00 00 30"_s << before;
        QTest::newRow("T - 45 across midnight") << u"mnuTminus45"_s << u"May 3, 2001   12:20:00 AM"_s
                                                << u"May 2, 2001 11:35:00 PM"_s << u"T - 000 00 45 00"_s << before;
        QTest::newRow("T - 45 across a year end")
            << u"mnuTminus45"_s << u"January 1, 2001   12:20:00 AM"_s << u"December 31, 2000 11:35:00 PM"_s
            << u"T - 000 00 45 00"_s << before;
        QTest::newRow("T + 5 across midnight") << u"mnuTplus5"_s << u"May 3, 2001   11:58:00 PM"_s
                                               << u"May 4, 2001 12:03:00 AM"_s << u"T + 000 00 05 00"_s << after;
        QTest::newRow("T + 5 across a month end") << u"mnuTplus5"_s << u"May 31, 2001   11:58:00 PM"_s
                                                  << u"June 1, 2001 12:03:00 AM"_s << u"T + 000 00 05 00"_s << after;
        QTest::newRow("T + 5 into a leap day") << u"mnuTplus5"_s << u"February 28, 2004   11:58:00 PM"_s
                                               << u"February 29, 2004 12:03:00 AM"_s << u"T + 000 00 05 00"_s << after;
        QTest::newRow("T - 2 on a target from a hold")
            << u"mnuTminus2"_s << u"May 03, 2001   10:30:00 AM"_s << u"May 3, 2001 10:28:00 AM"_s
            << u"T - 000 00 02 00"_s << before;
    }

    // Each preset asks once, sets the clock to the launch target plus its offset and leaves the target alone;
    // the count shows the preset's mission time at once.
    void presets()
    {
        QFETCH(QString, command);
        QFETCH(QString, target);
        QFETCH(QString, clockSetTo);
        QFETCH(QString, count);
        QFETCH(QColor, phase);
        FakeClock& clock = f.clock();
        ScriptedPrompter& prompter = f.prompter();
        frmTarvane& w = f.window();
        setTarget(w, target);
        prompter.answer(Answer::Yes);

        QVERIFY(triggerAction(w, command));
        settle();

        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown[0].title, u"Tarvane"_s);
        QCOMPARE(prompter.shown[0].text, Confirmation);
        QCOMPARE(prompter.shown[0].buttons, Prompter::Buttons::YesNo);
        QCOMPARE(clock.setRequests, QList<CivilDateTime>{FakeClock::at(clockSetTo)});
        QCOMPARE(child<WatchedLabel>(w, u"lblTarget"_s)->text(), target);
        QCOMPARE(countShown(w), count);
        QCOMPARE(phaseColour(w), phase);
    }

    void afterTplus5TheCountGoesUp()
    {
        FakeClock& clock = f.clock();
        ScriptedPrompter& prompter = f.prompter();
        frmTarvane& w = f.window();
        prompter.answer(Answer::Yes);
        QVERIFY(triggerAction(w, u"mnuTplus5"_s));
        clock.advance(1);
        settle();
        QCOMPARE(countShown(w), u"T + 000 00 05 01"_s);
        clock.advance(59);
        settle();
        QCOMPARE(countShown(w), u"T + 000 00 06 00"_s);
    }

    // A preset jumps from the launch target, not from the mission time shown.
    void repeatingAPresetLandsOnTheSameMissionTime()
    {
        FakeClock& clock = f.clock();
        ScriptedPrompter& prompter = f.prompter();
        frmTarvane& w = f.window();
        prompter.answer(Answer::Yes);
        prompter.answer(Answer::Yes);
        QVERIFY(triggerAction(w, u"mnuTminus10"_s));
        clock.advance(7);
        QVERIFY(triggerAction(w, u"mnuTminus10"_s));
        settle();
        const CivilDateTime expected = FakeClock::at(u"May 3, 2001 10:20:00 AM");
        QCOMPARE(clock.setRequests, (QList<CivilDateTime>{expected, expected}));
        QCOMPARE(countShown(w), u"T - 000 00 10 00"_s);
    }

    void answeringNoChangesNothing_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("T - 45") << u"mnuTminus45"_s;
        QTest::newRow("T - 30 Seconds") << u"mnuTminus30Sec"_s;
        QTest::newRow("T + 5") << u"mnuTplus5"_s;
    }

    void answeringNoChangesNothing()
    {
        QFETCH(QString, command);
        FakeClock& clock = f.clock();
        ScriptedPrompter& prompter = f.prompter();
        frmTarvane& w = f.window();
        settle();
        const CivilDateTime before = clock.now();
        const QString countBefore = countShown(w);
        prompter.answer(Answer::No);

        QVERIFY(triggerAction(w, command));
        settle();

        QVERIFY(clock.setRequests.isEmpty());
        QCOMPARE(clock.now(), before);
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(child<WatchedLabel>(w, u"lblTarget"_s)->text(), u"May 3, 2001   10:30:00 AM"_s);
        QCOMPARE(countShown(w), countBefore);
    }

    // A jump while holding moves the launch target along with the clock: the held count stays as it was.
    void aJumpDuringAHoldMovesTheTarget()
    {
        FakeClock& clock = f.clock(); // 10 s before the target
        ScriptedPrompter& prompter = f.prompter();
        frmTarvane& w = f.window();
        settle();
        QVERIFY(triggerAction(w, u"mnuHoldEnable"_s));
        QVERIFY(triggerAction(w, u"mnuHold"_s));
        QVERIFY(w.holds().isHolding());
        clock.advance(5);
        settle();
        QCOMPARE(child<WatchedLabel>(w, u"lblTarget"_s)->text(), u"May 3, 2001   10:30:05 AM"_s);

        prompter.answer(Answer::Yes);
        QVERIFY(triggerAction(w, u"mnuTminus45"_s));
        settle();

        QCOMPARE(clock.setRequests, QList<CivilDateTime>{FakeClock::at(u"May 3, 2001 9:45:05 AM")});
        QCOMPARE(child<WatchedLabel>(w, u"lblTarget"_s)->text(), u"May 3, 2001   9:45:15 AM"_s);
        QCOMPARE(countShown(w), u"T - 000 00 00 10"_s);
        QVERIFY(triggerAction(w, u"mnuHold"_s)); // resume
        settle();
        QCOMPARE(countShown(w), u"T - 000 00 00 10"_s);
    }

    // The target is read after the answer, so a target moved while the question was open counts.
    void theTargetIsReadAfterTheAnswer()
    {
        FakeClock& clock = f.clock();
        ScriptedPrompter& prompter = f.prompter();
        frmTarvane& w = f.window();
        prompter.answer(Answer::Yes, [&] { w.holds().setLaunchTarget(u"May 3, 2001   10:31:15 AM"_s); });
        QVERIFY(triggerAction(w, u"mnuTminus10"_s));
        QCOMPARE(clock.setRequests, QList<CivilDateTime>{FakeClock::at(u"May 3, 2001 10:21:15 AM")});
    }

    // The computer refuses: the program keeps the mission time itself, says so once, and the count shows it.
    void refusalKeepsTheMissionTimeInside()
    {
        FakeClock& system = f.clock();
        system.refuseWith = u"Setting the computer's clock needs administrator rights."_s;
        const CivilDateTime systemBefore = system.now();
        f.useClock(f.keep<ApplicationClock>(system, ApplicationClock::Start::PassThrough));
        ScriptedPrompter& prompter = f.prompter();
        frmTarvane& w = f.window();
        prompter.answer(Answer::Yes);
        prompter.answer(Answer::Ok);

        QVERIFY(triggerAction(w, u"mnuTminus10"_s));
        settle();

        QCOMPARE(prompter.shown.size(), 2);
        QCOMPARE(prompter.shown[1].title, u"Tarvane"_s);
        QCOMPARE(prompter.shown[1].buttons, Prompter::Buttons::Ok);
        QCOMPARE(prompter.shown[1].text,
                 u"Your computer's clock was not changed.  Setting the computer's clock needs administrator "
                 "rights.  The mission time is kept inside Tarvane instead, and the count shows it from now on."_s);
        QCOMPARE(countShown(w), u"T - 000 00 10 00"_s);
        QCOMPARE(system.now(), systemBefore);

        system.advance(3);
        settle();
        QCOMPARE(countShown(w), u"T - 000 00 09 57"_s);

        // Told once: the next jump goes straight to the program's own clock.
        prompter.answer(Answer::Yes);
        QVERIFY(triggerAction(w, u"mnuTplus5"_s));
        settle();
        QCOMPARE(prompter.shown.size(), 3);
        QCOMPARE(prompter.shown[2].text, Confirmation);
        QCOMPARE(system.setRequests.size(), 1);
        QCOMPARE(countShown(w), u"T + 000 00 05 00"_s);
        QVERIFY(prompter.unexpected.isEmpty());
    }

    void anAppClockRunNeverAsksTheComputer()
    {
        FakeClock& system = f.clock();
        f.useClock(f.keep<ApplicationClock>(system, ApplicationClock::Start::Engaged));
        ScriptedPrompter& prompter = f.prompter();
        frmTarvane& w = f.window();
        prompter.answer(Answer::Yes);
        QVERIFY(triggerAction(w, u"mnuTminus45"_s));
        settle();
        QCOMPARE(prompter.shown.size(), 1);
        QVERIFY(system.setRequests.isEmpty());
        QCOMPARE(countShown(w), u"T - 000 00 45 00"_s);
    }

    // Without a clock of its own to fall back on, every refusal is told and the count goes on as it was.
    void aPlainRefusalIsToldEveryTime()
    {
        FakeClock& clock = f.clock();
        clock.refuseWith = u"No rights."_s;
        ScriptedPrompter& prompter = f.prompter();
        frmTarvane& w = f.window();
        settle();
        const QString before = countShown(w);
        for (int i = 0; i < 2; ++i) {
            prompter.answer(Answer::Yes);
            prompter.answer(Answer::Ok);
            QVERIFY(triggerAction(w, u"mnuTminus2"_s));
        }
        settle();
        QCOMPARE(prompter.shown.size(), 4);
        QCOMPARE(prompter.shown[3].text, u"Your computer's clock was not changed.  No rights."_s);
        QCOMPARE(countShown(w), before);
        QCOMPARE(child<WatchedLabel>(w, u"lblTarget"_s)->text(), u"May 3, 2001   10:30:00 AM"_s);
    }

    // A launch file can put any text in the target; no clock is set from it.
    void aTargetThatIsNoDateSetsNothing()
    {
        FakeClock& clock = f.clock();
        ScriptedPrompter& prompter = f.prompter();
        frmTarvane& w = f.window();
        setTarget(w, u"not a date"_s);
        prompter.answer(Answer::Yes);
        prompter.answer(Answer::Ok);
        QVERIFY(triggerAction(w, u"mnuTminus10"_s));
        QVERIFY(clock.setRequests.isEmpty());
        QCOMPARE(prompter.shown.size(), 2);
        QCOMPARE(prompter.shown[1].text,
                 u"Your computer's clock was not changed.  The launch target is not a date and time."_s);
    }

    // While the computer's clock is being set (the desktop may be asking for a password) no second jump starts.
    void noSecondJumpWhileTheClockIsBeingSet()
    {
        WaitingClock& clock = f.keep<WaitingClock>();
        f.useClock(clock);
        ScriptedPrompter& prompter = f.prompter();
        frmTarvane& w = f.window();
        QStringList enabledMeanwhile;
        clock.whileSetting = [&] {
            for (const QString& name : SimCommands) {
                if (w.findChild<QAction*>(name)->isEnabled())
                    enabledMeanwhile << name;
            }
            w.simTime().SetSimTime(u"n", -2);
        };
        prompter.answer(Answer::Yes);

        QVERIFY(triggerAction(w, u"mnuTminus10"_s));

        QCOMPARE(enabledMeanwhile, QStringList());
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(clock.inner.setRequests, QList<CivilDateTime>{FakeClock::at(u"May 3, 2001 10:20:00 AM")});
        for (const QString& name : SimCommands)
            QVERIFY2(w.findChild<QAction*>(name)->isEnabled(), qPrintable(name));
    }

    void timeZoneMarksAccumulate()
    {
        FakeClock& clock = f.clock();
        ScriptedPrompter& prompter = f.prompter();
        frmTarvane& w = f.window();
        settle();
        const QString countBefore = countShown(w);
        auto marks = [&] {
            QString m;
            for (int i = 0; i < 8; ++i)
                m += w.findChild<QAction*>(u"mnuZone_"_s + QString::number(i))->isChecked() ? u'x' : u'.';
            return m;
        };
        QCOMPARE(marks(), u"x......."_s);

        QVERIFY(triggerAction(w, u"mnuZone_0"_s));
        QCOMPARE(marks(), u"x......."_s);
        QVERIFY(triggerAction(w, u"mnuZone_6"_s));
        QCOMPARE(marks(), u"x.....x."_s);
        QVERIFY(triggerAction(w, u"mnuZone_6"_s));
        QVERIFY(triggerAction(w, u"mnuZone_3"_s));
        QCOMPARE(marks(), u"x..x..x."_s);

        auto* zones = w.findChild<TimeZoneMenu*>();
        QVERIFY(zones);
        zones->mnuZone_Click(8);
        zones->mnuZone_Click(-1);
        QCOMPARE(marks(), u"x..x..x."_s);

        settle();
        QCOMPARE(countShown(w), countBefore);
        QVERIFY(clock.setRequests.isEmpty());
        QVERIFY(prompter.shown.isEmpty());
    }

    void totalSeconds_data()
    {
        QTest::addColumn<qint32>("days");
        QTest::addColumn<qint32>("hours");
        QTest::addColumn<qint32>("minutes");
        QTest::addColumn<qint32>("seconds");
        QTest::addColumn<std::optional<qint32>>("total");
        constexpr qint32 max = std::numeric_limits<qint32>::max();
        QTest::newRow("zero") << 0 << 0 << 0 << 0 << std::optional<qint32>(0);
        QTest::newRow("T minus 1 02:03:04") << -1 << -2 << -3 << -4 << std::optional<qint32>(-93784);
        QTest::newRow("T plus 1 02:03:04") << 1 << 2 << 3 << 4 << std::optional<qint32>(93784);
        QTest::newRow("largest in the wizard") << 365 << 23 << 59 << 59 << std::optional<qint32>(31622399);
        QTest::newRow("smallest in the wizard") << -365 << -23 << -59 << -59 << std::optional<qint32>(-31622399);
        QTest::newRow("no carry needed") << 0 << 0 << 75 << 0 << std::optional<qint32>(4500);
        QTest::newRow("days beyond 32 bits") << 24856 << 0 << 0 << 0 << std::optional<qint32>();
        QTest::newRow("sum beyond 32 bits") << 0 << 0 << 1 << max << std::optional<qint32>();
        QTest::newRow("negative days beyond 32 bits") << -24856 << 0 << 0 << 0 << std::optional<qint32>();
    }

    void totalSeconds()
    {
        QFETCH(qint32, days);
        QFETCH(qint32, hours);
        QFETCH(qint32, minutes);
        QFETCH(qint32, seconds);
        QFETCH(std::optional<qint32>, total);
        CSimTime mission;
        mission.setDays(days);
        mission.setHours(hours);
        mission.setMinutes(minutes);
        mission.setSeconds(seconds);
        QCOMPARE(::totalSeconds(mission), total);
    }
};

QTEST_MAIN(TestSimTime)
#include "tst_simtime.moc"
