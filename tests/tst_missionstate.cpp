#include "GuiTest.h"

#include "MissionStateTestAccess.h"
#include "clock/MissionState.h"
#include "platform/widgets/UpScrollBar.h"

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
        f.prompter().answer(Prompter::Answer::Ok);
        f.advance(60);
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

    void reportsClockJumps()
    {
        QSignalSpy jumped(&tenMinutesBefore(), &MissionState::clockJumped);
        f.advance(30);
        QCOMPARE(jumped.count(), 1);
    }
};

QTEST_MAIN(TestMissionState)
#include "tst_missionstate.moc"
