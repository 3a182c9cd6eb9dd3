#include "HoldsRig.h"

#include "clock/MissionState.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;
using Phase = MissionState::Phase;

// The mission state model is what views outside the window follow: it must say what the window shows.
class TestMissionState : public QObject
{
    Q_OBJECT

private slots:
    void setterSignalsOnlyARealChange()
    {
        MissionState state;
        QSignalSpy changed(&state, &MissionState::changed);
        state.setHolding(false);
        state.setTargetText(MissionState::InitialTarget);
        state.setWindowRemainingText(u"00:00:00"_s);
        QCOMPARE(changed.count(), 0);
        state.setTargetText(u"next Tuesday"_s); // no date, still a state
        QCOMPARE(state.target(), std::nullopt);
        state.setWindowRemainingText(u"0:01:30"_s);
        QCOMPARE(state.windowRemaining(), 90);
        QCOMPARE(changed.count(), 2);
    }

    void followsTheCountAndHolds()
    {
        HoldsRig rig;
        MissionState& state = rig.window.missionState();
        QCOMPARE(state.phase(), Phase::BeforeLiftoff);
        QVERIFY(!state.holdsArmed());
        rig.arm();
        QVERIFY(state.holdsArmed());
        rig.toggleHold();
        QVERIFY(state.holding());
        QVERIFY(state.warningArmed());
        rig.advance(5);
        QCOMPARE(state.targetText(), rig.target());
        QCOMPARE(state.targetText(), u"May 3, 2001   10:30:05 AM"_s);
        QCOMPARE(state.holdStartText(), u"5/3/2001 10:20:00 AM"_s);
        rig.toggleHold();
        QVERIFY(!state.holding());
        rig.advance(600);
        QCOMPARE(state.phase(), Phase::AfterLiftoff);
        QVERIFY(!state.holdsArmed());
        QVERIFY(!state.warningArmed());
        rig.window.missionState().setTargetText(u"soon"_s);
        settle();
        QCOMPARE(state.phase(), Phase::NoTarget);
        QCOMPARE(rig.label(u"lblTarget"_s), u"soon"_s);
    }

    void followsTheLaunchWindowToExpiry()
    {
        HoldsRig rig;
        MissionState& state = rig.window.missionState();
        QSignalSpy warning(&state, &MissionState::windowWarningChanged);
        rig.holdAgainstWindow(u"00"_s, u"01"_s, u"00"_s);
        QVERIFY(state.windowActive());
        QCOMPARE(state.windowRemainingText(), u"00:01:00"_s); // running down
        rig.advance(1);
        QCOMPARE(state.windowRemaining(), 59);
        QVERIFY(state.windowWarning());
        QVERIFY(rig.warningShown());
        rig.prompter.answer(Prompter::Answer::Ok);
        rig.advance(60);
        QVERIFY(state.windowExpired());
        QCOMPARE(rig.window.launchWindow().LockTag(), u"Off"_s);
        QCOMPARE(warning.count(), 1);
    }

    // A change made to the model from outside the window's own commands shows as one made by the commands.
    void widgetsFollowTheModel()
    {
        HoldsRig rig;
        MissionState& state = rig.window.missionState();
        state.setWindowActive(true);
        QVERIFY(rig.active()->isChecked());
        QVERIFY(rig.get<QAction>(u"mnuActiveLaunchWindow"_s)->isChecked());
        QVERIFY(rig.timer(u"tmrLaunchWindow"_s)->isActive());
        state.setHoldsArmed(true);
        QVERIFY(rig.button(u"cmdHoldResume"_s)->isEnabled());
        QVERIFY(rig.get<QAction>(u"mnuRtHold"_s)->isEnabled());
        state.setWindowRemainingText(u"0:02:00"_s);
        QCOMPARE(rig.remaining(), u"0:02:00"_s);
        rig.active()->click();
        QVERIFY(!state.windowActive());
    }

    void reportsClockJumps()
    {
        HoldsRig rig;
        QSignalSpy jumped(&rig.window.missionState(), &MissionState::clockJumped);
        rig.advance(30);
        QCOMPARE(jumped.count(), 1);
    }
};

QTEST_MAIN(TestMissionState)
#include "tst_missionstate.moc"
