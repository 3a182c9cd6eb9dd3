#include "GuiTest.h"

#include "MissionStateTestAccess.h"
#include "clock/MissionState.h"
#include "platform/ClockTimer.h"
#include "platform/widgets/UpScrollBar.h"
#include "shell/CountStrip.h"
#include "shell/MissionCountPanel.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;
using Phase = MissionState::Phase;

// The mission state model is what views outside the window follow: it must say what the window shows.
class TestMissionState : public GuiTest
{
    Q_OBJECT

    const MissionState& tenMinutesBefore() { return f.tenMinutesBefore().state(); }

private slots:

    void setterSignalsOnlyARealChange()
    {
        MissionState model;
        MissionStateTestAccess state(model);
        QSignalSpy changed(&model, &MissionState::changed);
        state.setHolding(false);
        state.setTargetText(MissionState::InitialTarget);
        state.setWindowRemainingText(u"00:00:00"_s);
        QCOMPARE(changed.count(), 0);
        state.setTargetText(u"next Tuesday"_s); // no date, still a state
        QCOMPARE(model.target(), std::nullopt);
        state.setWindowRemainingText(u"0:01:30"_s);
        QCOMPARE(model.windowRemaining(), 90);
        QCOMPARE(changed.count(), 2);
    }

    void followsTheCountAndHolds()
    {
        const MissionState& state = tenMinutesBefore();
        QCOMPARE(state.phase(), Phase::BeforeLiftoff);
        QVERIFY(!state.holdsArmed());
        f.arm();
        QVERIFY(state.holdsArmed());
        f.toggleHold();
        QVERIFY(state.holding());
        QVERIFY(state.warningArmed());
        f.advance(5);
        QCOMPARE(state.targetText(), f.target());
        QCOMPARE(state.targetText(), u"May 3, 2001   10:30:05 AM"_s);
        QCOMPARE(state.holdStartText(), u"5/3/2001 10:20:00 AM"_s);
        f.toggleHold();
        QVERIFY(!state.holding());
        f.advance(600);
        QCOMPARE(state.phase(), Phase::AfterLiftoff);
        QVERIFY(!state.holdsArmed());
        QVERIFY(!state.warningArmed());
        f.loadTarget(u"soon"_s);
        QCOMPARE(state.phase(), Phase::NoTarget);
        QCOMPARE(f.target(), u"soon"_s);
    }

    void followsTheLaunchWindowToExpiry()
    {
        const MissionState& state = tenMinutesBefore();
        QSignalSpy warning(&state, &MissionState::windowWarningChanged);
        f.holdAgainstWindow(u"00"_s, u"01"_s, u"00"_s);
        QVERIFY(state.windowActive());
        QCOMPARE(state.windowRemainingText(), u"00:01:00"_s); // running down
        f.advance(1);
        QCOMPARE(state.windowRemaining(), 59);
        QVERIFY(state.windowWarning());
        QVERIFY(f.warningShown());
        // Views other than the box (the room's screens, the callouts) hear of the expiry in its own second.
        bool expiredWhileTold = false;
        f.prompter().answer(Prompter::Answer::Ok, [&] { expiredWhileTold = state.windowExpired(); });
        f.advance(60);
        QVERIFY(expiredWhileTold);
        QVERIFY(state.windowExpired());
        QCOMPARE(f.window().launchWindow().lockTag(), u"Off"_s);
        QCOMPARE(warning.count(), 1);
    }

    // A change made to the model from outside the window's own commands shows as one made by the commands.
    void widgetsFollowTheModel()
    {
        const MissionState& state = tenMinutesBefore();
        MissionStateTestAccess outside(state);
        outside.setWindowActive(true);
        QVERIFY(f.get<QCheckBox>(u"chkLaunchWindowActive"_s)->isChecked());
        QVERIFY(f.get<QAction>(u"mnuActiveLaunchWindow"_s)->isChecked());
        QVERIFY(f.timer(u"tmrLaunchWindow"_s)->isActive());
        outside.setHoldsArmed(true);
        QVERIFY(f.button(u"cmdHoldResume"_s)->isEnabled());
        QVERIFY(f.get<QAction>(u"mnuRtHold"_s)->isEnabled());
        outside.setWindowRemainingText(u"0:02:00"_s);
        QCOMPARE(f.remaining(), u"0:02:00"_s);
        f.get<QCheckBox>(u"chkLaunchWindowActive"_s)->click();
        QVERIFY(!state.windowActive());
    }

    // The mission on its own, as a view outside the window sees it: the count as shown, once a second, standing
    // still through a hold (target minus now would run on), the lamps, and the sign after liftoff.
    void missionWithoutAWindow()
    {
        FakeClock& clock = f.clock();
        Mission mission(clock, f.prompter());
        const MissionState& state = mission.state();
        QSignalSpy counted(&state, &MissionState::countChanged);
        const auto tick = [&](qint64 seconds) {
            clock.advance(seconds);
            settle();
        };
        mission.launchClock().tmrCountdown().start();
        settle();
        QCOMPARE(state.count(), 10);
        QCOMPARE(state.lamps(), (MissionState::Lamps{true, true, false}));
        tick(1);
        QCOMPARE(state.lamps(), (MissionState::Lamps{false, false, true}));
        tick(1);
        tick(1);
        QCOMPARE(state.count(), 7);
        QCOMPARE(counted.count(), 4);

        mission.holds().ToggleHoldEnable();
        mission.holds().ToggleHold();
        tick(5);
        QVERIFY(state.holding());
        QCOMPARE(state.count(), 7);
        QCOMPARE(state.shownCount().seconds, u"07"_s);
        QCOMPARE(counted.count(), 4);
        mission.holds().ToggleHold();
        settle();
        QCOMPARE(state.count(), 7);
        tick(8);
        QCOMPARE(state.count(), -1);
        QCOMPARE(state.phase(), Phase::AfterLiftoff);
        QCOMPARE(state.shownCount().sign, u"T +"_s);
        QCOMPARE(state.lamps(), (MissionState::Lamps{false, false, false}));
        QVERIFY(!state.holdsArmed());
    }

    // Views made on their own, with no main window, follow the mission they are given.
    void viewsFollowTheMissionAlone()
    {
        Mission mission(f.clock(), f.prompter());
        MissionCountPanel panel(mission.state(), nullptr);
        CountStrip strip(mission, nullptr);
        mission.launchClock().UpdateCountDisplay();
        QCOMPARE(panel.spokenCount(), u"T minus 0 days 00:00:10"_s);
        QCOMPARE(child<WatchedLabel>(strip, u"lblSeconds"_s)->text(), u"10"_s);
        QVERIFY(!child<QWidget>(strip, u"shpIndicator_0"_s)->isHidden());
        QVERIFY(!strip.holdButton()->isEnabled());
        mission.holds().ToggleHoldEnable();
        QVERIFY(strip.holdButton()->isEnabled());
        strip.holdButton()->click();
        QCOMPARE(strip.holdButton()->text(), u"&Resume"_s);
        QCOMPARE(panel.spokenCount(), u"T minus 0 days 00:00:10, holding"_s);
        mission.holds().ResumeCount();
        mission.holds().setLaunchTarget(u"not a time"_s);
        mission.launchClock().UpdateCountDisplay();
        QCOMPARE(panel.spokenCount(), u"No launch time"_s);
        QCOMPARE(child<WatchedLabel>(strip, u"lblDays"_s)->text(), u"---"_s);
    }

    void reportsClockJumps()
    {
        QSignalSpy jumped(&tenMinutesBefore(), &MissionState::clockJumped);
        f.advance(30);
        QCOMPARE(jumped.count(), 1);
    }
};

QTEST_MAIN(TestMissionState)
#include "tst_missionstate.moc"
