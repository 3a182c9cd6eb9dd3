#include "GuiTest.h"

#include "platform/ProcessExit.h"
#include "platform/widgets/ClickPanel.h"
#include "platform/widgets/SurfaceWidget.h"

#include <QApplication>
#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace {

const QString MessageTitle = u"Launch Window Message"_s;
const QString ExpiredText = u"Your Launch Window has expired.  You must reschedule a new Launch Date.  "
                            u"Press OK then the Esc key to exit the program."_s;
const QString DeactivateText = u"You must deactivate the Launch Window before setting a Launch Window Time.  "
                               u"Would you like to deactivate the Launch Window now?"_s;
const QString NotSetText = u"Launch Window time will not be set."_s;
const QString AfterLiftoffText = u"You must set a Launch Window BEFORE launch for it to take effect.  "
                                 u"Your new Launch Window time will be displayed but will not function."_s;

QString confirmText(const QString& window)
{
    return u"Are you sure you want to enter "_s + window + u" as your new Launch Window?"_s;
}

QString runningText(int secs)
{
    return QTime(0, 0).addSecs(secs).toString(u"hh:mm:ss"_s);
}

} // namespace

class TestLaunchWindow : public GuiTest
{
    Q_OBJECT

private slots:

    void runsDownWarnsAndExpires()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.get<UpScrollBar>(u"vsbMinutesW"_s)->setLevel(1);
        QCOMPARE(rig.text(u"txtMinutesW"_s), u"01"_s);
        rig.prompter().answer(Prompter::Answer::Yes);
        rig.button(u"cmdSetWindow"_s)->click();
        QCOMPARE(rig.prompter().shown.last().text, confirmText(u"0:01:00"_s));
        QCOMPARE(rig.prompter().shown.last().title, u"Set Launch Time"_s);
        QCOMPARE(rig.remaining(), u"0:01:00"_s);

        rig.get<QCheckBox>(u"chkLaunchWindowActive"_s)->click();
        rig.advance(30); // active but not holding: nothing runs down
        QCOMPARE(rig.remaining(), u"0:01:00"_s);
        rig.arm();
        rig.toggleHold();
        QCOMPARE(rig.remaining(), u"00:01:00"_s);
        QVERIFY(!rig.warningShown());
        for (int held = 1; held <= 60; ++held) {
            rig.advance(1);
            QCOMPARE(rig.remaining(), runningText(60 - held));
            QVERIFY(rig.warningShown());
        }
        QCOMPARE(rig.timesShown(MessageTitle), 0);
        QCOMPARE(rig.window().launchWindow().lockTag(), QString());

        rig.prompter().answer(Prompter::Answer::Ok);
        rig.advance(1);
        QCOMPARE(rig.prompter().shown.last().text, ExpiredText);
        QCOMPARE(rig.prompter().shown.last().title, MessageTitle);
        QCOMPARE(rig.prompter().shown.last().buttons, Prompter::Buttons::Ok);
        QCOMPARE(rig.remaining(), u"00:00:00"_s);
        QVERIFY(!rig.timer(u"tmrLaunchWindow"_s)->isActive());
        QCOMPARE(rig.window().launchWindow().lockTag(), u"Off"_s);
        QVERIFY(rig.holding()); // expiry does not end the hold
    }

    void holdsShareTheWindow()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.holdAgainstWindow(u"0"_s, u"1"_s, u"0"_s);
        rig.advance(40);
        rig.toggleHold();
        QCOMPARE(rig.remaining(), u"00:00:20"_s);
        rig.advance(100);
        QCOMPARE(rig.remaining(), u"00:00:20"_s);

        rig.toggleHold();
        rig.advance(20);
        QCOMPARE(rig.remaining(), u"00:00:00"_s);
        QCOMPARE(rig.timesShown(MessageTitle), 0);
        rig.prompter().answer(Prompter::Answer::Ok);
        rig.advance(1);
        QCOMPARE(rig.timesShown(MessageTitle), 1);
        QCOMPARE(rig.window().launchWindow().lockTag(), u"Off"_s);
    }

    void deactivatingFreezesTheWindow()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.holdAgainstWindow(u"00"_s, u"01"_s, u"00"_s);
        rig.advance(30);
        QCOMPARE(rig.remaining(), u"00:00:30"_s);
        QVERIFY(triggerAction(rig.window(), u"mnuActiveLaunchWindow"_s));
        QVERIFY(!rig.get<QCheckBox>(u"chkLaunchWindowActive"_s)->isChecked());
        QVERIFY(!rig.get<QAction>(u"mnuActiveLaunchWindow"_s)->isChecked());
        rig.advance(10);
        QCOMPARE(rig.remaining(), u"00:00:30"_s);
        rig.get<QCheckBox>(u"chkLaunchWindowActive"_s)->click();
        QVERIFY(rig.get<QAction>(u"mnuActiveLaunchWindow"_s)->isChecked());
        rig.advance(5);
        QCOMPARE(rig.remaining(), u"00:00:25"_s);
    }

    // A spent window stays spent when it is switched off and on again during the same hold.
    void expiredWindowStaysSpent()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.holdAgainstWindow(u"00"_s, u"00"_s, u"05"_s);
        rig.prompter().answer(Prompter::Answer::Ok);
        rig.advance(6);
        QCOMPARE(rig.timesShown(MessageTitle), 1);
        rig.get<QCheckBox>(u"chkLaunchWindowActive"_s)->click();
        rig.get<QCheckBox>(u"chkLaunchWindowActive"_s)->click();
        rig.prompter().answer(Prompter::Answer::Ok); // the spent window expires again at once
        rig.advance(1);
        QCOMPARE(rig.remaining(), u"00:00:00"_s);
    }

    void expiryIsReportedOnce()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.holdAgainstWindow(u"00"_s, u"00"_s, u"10"_s);
        rig.advance(10);
        rig.prompter().answer(Prompter::Answer::Ok, [&] {
            for (int i = 0; i < 5; ++i)
                rig.advance(1);
        });
        rig.advance(1);
        QCOMPARE(rig.timesShown(MessageTitle), 1);
        QVERIFY(!rig.timer(u"tmrLaunchWindow"_s)->isActive());
        rig.advance(3);
        QCOMPARE(rig.timesShown(MessageTitle), 1);
        QVERIFY(rig.prompter().unexpected.isEmpty());
    }

    void lockEndsTheProgram_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("button");
        QTest::newRow("left press on the background") << u"frmTarvaneSurface"_s << int(Qt::LeftButton);
        QTest::newRow("right press on the background") << u"frmTarvaneSurface"_s << int(Qt::RightButton);
        QTest::newRow("middle press on the background") << u"frmTarvaneSurface"_s << int(Qt::MiddleButton);
        QTest::newRow("click on the launch window panel") << u"pctLaunchWindow"_s << int(Qt::LeftButton);
        QTest::newRow("click on the launch time panel") << u"pctLaunchTime"_s << int(Qt::LeftButton);
    }

    void lockEndsTheProgram()
    {
        QFETCH(QString, where);
        QFETCH(int, button);
        int exits = 0;
        ProcessExit::setHandler([&](int) { ++exits; });
        const auto restore = qScopeGuard([] { ProcessExit::setHandler({}); });
        MainWindowFixture& rig = f.tenMinutesBefore();
        QWidget* target = rig.get<QWidget>(where);

        QTest::mouseClick(target, Qt::MouseButton(button), {}, QPoint(2, 2));
        QCOMPARE(exits, 0); // no lock yet
        QVERIFY(rig.prompter().shown.isEmpty());

        rig.holdAgainstWindow(u"00"_s, u"00"_s, u"00"_s);
        rig.prompter().answer(Prompter::Answer::Ok);
        rig.advance(1);
        QCOMPARE(rig.window().launchWindow().lockTag(), u"Off"_s);
        const qsizetype before = rig.prompter().shown.size();

        // Other controls behave as before.
        QTest::mouseClick(rig.get<ClickLineEdit>(u"txtHoursW"_s), Qt::LeftButton);
        QCOMPARE(rig.text(u"txtHoursW"_s), u"01"_s);
        rig.toggleHold();
        QVERIFY(!rig.holding());
        QCOMPARE(exits, 0);

        rig.prompter().answer(Prompter::Answer::Ok);
        QTest::mouseClick(target, Qt::MouseButton(button), {}, QPoint(2, 2));
        QCOMPARE(exits, 1);
        QCOMPARE(rig.prompter().shown.size(), before + 1); // no save prompt
        QCOMPARE(rig.prompter().shown.last().title, u"Tarvane"_s);
        QCOMPARE(rig.prompter().shown.last().text, u"You must exit Tarvane and restart the program."_s);
        QCOMPARE(rig.prompter().shown.last().buttons, Prompter::Buttons::Ok);
    }

    void windowText_data()
    {
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("m");
        QTest::addColumn<QString>("s");
        QTest::addColumn<QString>("text");
        QTest::newRow("hour and a half") << u"01"_s << u"30"_s << u"00"_s << u"1:30:00"_s;
        QTest::newRow("seconds only") << u"00"_s << u"00"_s << u"45"_s << u"0:00:45"_s;
        QTest::newRow("typed single digits") << u"5"_s << u"7"_s << u"9"_s << u"5:07:09"_s;
        QTest::newRow("longest") << u"23"_s << u"59"_s << u"59"_s << u"23:59:59"_s;
    }

    void windowText()
    {
        QFETCH(QString, h);
        QFETCH(QString, m);
        QFETCH(QString, s);
        QFETCH(QString, text);
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.setWindow(h, m, s);
        QCOMPARE(rig.prompter().shown.last().text, confirmText(text));
        QCOMPARE(rig.remaining(), text);
        QCOMPARE(rig.text(u"lblLaunchWindowStamp"_s), text);
    }

    void fieldNotANumberIsRefused_data()
    {
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("m");
        QTest::addColumn<QString>("s");
        QTest::addColumn<QString>("text");
        const QString hours = u"You must enter the Launch Window hours as a number from 00 to 23."_s;
        const QString minutes = u"You must enter the Launch Window minutes as a number from 00 to 59."_s;
        const QString seconds = u"You must enter the Launch Window seconds as a number from 00 to 59."_s;
        QTest::newRow("hours out of range") << u"24"_s << u"00"_s << u"00"_s << hours;
        QTest::newRow("minutes not a number") << u"00"_s << u"x5"_s << u"00"_s << minutes;
        QTest::newRow("minutes empty") << u"00"_s << QString() << u"00"_s << minutes;
        QTest::newRow("seconds out of range") << u"00"_s << u"00"_s << u"60"_s << seconds;
        QTest::newRow("seconds negative") << u"00"_s << u"00"_s << u"-1"_s << seconds;
    }

    void fieldNotANumberIsRefused()
    {
        QFETCH(QString, h);
        QFETCH(QString, m);
        QFETCH(QString, s);
        QFETCH(QString, text);
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.setWindow(u"00"_s, u"02"_s, u"00"_s);
        rig.prompter().shown.clear();
        rig.window().launchWindow().setEntryTexts({s, m, h}); // as a launch data file may bring them
        rig.prompter().answer(Prompter::Answer::Ok);
        QVERIFY(triggerAction(rig.window(), u"mnuSetLaunchWindow"_s));
        QCOMPARE(rig.prompter().shown.size(), 1);
        QCOMPARE(rig.prompter().shown.last().title, u"Invalid Launch Window"_s);
        QCOMPARE(rig.prompter().shown.last().text, text);
        QCOMPARE(rig.remaining(), u"0:02:00"_s);
        QCOMPARE(rig.window().launchWindow().entryTexts().minutes, m);
    }

    void answeringNoClearsTheFieldsOnly()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.get<UpScrollBar>(u"vsbMinutesW"_s)->setLevel(30);
        rig.get<UpScrollBar>(u"vsbHoursW"_s)->setLevel(23);
        rig.prompter().answer(Prompter::Answer::No);
        rig.button(u"cmdSetWindow"_s)->click();
        for (const char* name : {"txtHoursW", "txtMinutesW", "txtSecondsW"})
            QCOMPARE(rig.text(QString::fromLatin1(name)), u"00"_s);
        QCOMPARE(rig.remaining(), u"00:00:00"_s);
        QCOMPARE(rig.get<UpScrollBar>(u"vsbMinutesW"_s)->level(), 30);

        // A field click goes on from its scroll bar, and at the top stays there.
        QTest::mouseClick(rig.get<ClickLineEdit>(u"txtMinutesW"_s), Qt::LeftButton);
        QCOMPARE(rig.text(u"txtMinutesW"_s), u"31"_s);
        QTest::mouseClick(rig.get<ClickLineEdit>(u"txtHoursW"_s), Qt::LeftButton);
        QCOMPARE(rig.text(u"txtHoursW"_s), u"23"_s);
        QCOMPARE(rig.get<UpScrollBar>(u"vsbHoursW"_s)->level(), 23);
    }

    void activeWindowMustBeDeactivatedFirst_data()
    {
        QTest::addColumn<QString>("now");
        QTest::newRow("before liftoff") << u"May 3, 2001 10:20:00 AM"_s;
        QTest::newRow("after liftoff") << u"May 3, 2001 10:40:00 AM"_s;
    }

    void activeWindowMustBeDeactivatedFirst()
    {
        QFETCH(QString, now);
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.setWindow(u"00"_s, u"05"_s, u"00"_s);
        rig.get<QCheckBox>(u"chkLaunchWindowActive"_s)->click();
        rig.clock().setNow(FakeClock::at(now));
        settle();

        rig.get<ClickLineEdit>(u"txtMinutesW"_s)->setText(u"10"_s);
        rig.prompter().shown.clear();
        rig.prompter().answer(Prompter::Answer::Yes);
        rig.prompter().answer(Prompter::Answer::No);
        rig.prompter().answer(Prompter::Answer::Ok);
        QVERIFY(triggerAction(rig.window(), u"mnuSetLaunchWindow"_s));
        QCOMPARE(rig.prompter().shown.size(), 3);
        QCOMPARE(rig.prompter().shown[1].text, DeactivateText);
        QCOMPARE(rig.prompter().shown[1].title, MessageTitle);
        QCOMPARE(rig.prompter().shown[1].buttons, Prompter::Buttons::YesNo);
        QCOMPARE(rig.prompter().shown[2].text, NotSetText);
        QCOMPARE(rig.remaining(), u"0:05:00"_s);
        QVERIFY(rig.get<QCheckBox>(u"chkLaunchWindowActive"_s)->isChecked());

        rig.prompter().answer(Prompter::Answer::Yes);
        rig.prompter().answer(Prompter::Answer::Yes);
        if (rig.window().TminusSec() < 0)
            rig.prompter().answer(Prompter::Answer::Ok); // the after-liftoff notice
        QVERIFY(triggerAction(rig.window(), u"mnuSetLaunchWindow"_s));
        QVERIFY(!rig.get<QCheckBox>(u"chkLaunchWindowActive"_s)->isChecked());
        QVERIFY(!rig.get<QAction>(u"mnuActiveLaunchWindow"_s)->isChecked());
        QCOMPARE(rig.remaining(), u"0:10:00"_s);
    }

    void setAfterLiftoffShowsButDoesNotRebase()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.setWindow(u"00"_s, u"05"_s, u"00"_s);
        rig.advance(3600);
        rig.prompter().shown.clear();
        rig.get<ClickLineEdit>(u"txtMinutesW"_s)->setText(u"20"_s);
        rig.prompter().answer(Prompter::Answer::Yes);
        rig.prompter().answer(Prompter::Answer::Ok);
        rig.button(u"cmdSetWindow"_s)->click();
        QCOMPARE(rig.prompter().shown.size(), 2);
        QCOMPARE(rig.prompter().shown[1].text, AfterLiftoffText);
        QCOMPARE(rig.prompter().shown[1].title, MessageTitle);
        QCOMPARE(rig.remaining(), u"0:20:00"_s);
        QCOMPARE(rig.text(u"lblLaunchWindowStamp"_s), u"0:05:00"_s);
        QVERIFY(!rig.get<QCheckBox>(u"chkLaunchWindowActive"_s)->isEnabled());
        QVERIFY(!rig.get<QAction>(u"mnuActiveLaunchWindow"_s)->isEnabled());
    }

    void warningClickedAwayStaysHiddenUntilTheNextHold()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.holdAgainstWindow(u"00"_s, u"00"_s, u"50"_s);
        rig.advance(1);
        QVERIFY(rig.warningShown());
        QTest::mouseClick(rig.get(u"lblWindowWarning"_s), Qt::LeftButton);
        QVERIFY(!rig.warningShown());
        rig.advance(10);
        QVERIFY(!rig.warningShown());

        rig.toggleHold();
        rig.toggleHold(); // a new hold arms it again
        rig.advance(1);
        QVERIFY(rig.warningShown());
        rig.toggleHold(); // resuming leaves it shown
        QVERIFY(rig.warningShown());

        rig.advance(600); // until the count ticks at liftoff
        QCOMPARE(rig.text(u"lblTMinus"_s), u"T +"_s);
        QVERIFY(!rig.warningShown());
        QVERIFY(!rig.window().launchWindow().warningArmed());
        QVERIFY(!rig.get<QCheckBox>(u"chkLaunchWindowActive"_s)->isEnabled());
    }

    void setButtonDisarmsTheWarningAndTheMenuItemDoesNot()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.holdAgainstWindow(u"00"_s, u"00"_s, u"50"_s);
        rig.advance(1);
        rig.prompter().answer(Prompter::Answer::No);
        QVERIFY(triggerAction(rig.window(), u"mnuSetLaunchWindow"_s));
        rig.advance(1);
        QVERIFY(rig.warningShown());
        rig.prompter().answer(Prompter::Answer::No);
        rig.button(u"cmdSetWindow"_s)->click();
        rig.advance(1);
        QVERIFY(!rig.warningShown());
    }

    void activeLookAndMenuMark()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        auto* remaining = rig.get(u"lblLaunchWindow"_s);
        auto* menuItem = rig.get<QAction>(u"mnuActiveLaunchWindow"_s);
        rig.window().show();
        rig.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.window()));
        rig.window().ShowFullView(); // the compact view does not show the panel this shortcut changes
        QTest::keyClick(&rig.window(), Qt::Key_W, Qt::ControlModifier);
        QVERIFY(rig.get<QCheckBox>(u"chkLaunchWindowActive"_s)->isChecked());
        QVERIFY(menuItem->isChecked());
        QCOMPARE(remaining->frameShape(), QFrame::Box);
        QCOMPARE(remaining->palette().color(QPalette::Window), QColor(224, 224, 224));
        QVERIFY(rig.timer(u"tmrLaunchWindow"_s)->isActive());

        rig.get<QCheckBox>(u"chkLaunchWindowActive"_s)->click();
        QVERIFY(!menuItem->isChecked());
        QCOMPARE(remaining->frameShape(), QFrame::NoFrame);
        QCOMPARE(remaining->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));
    }

    // What a launch data file sets runs the same reactions as the controls.
    void fileValuesReact()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        LaunchWindow& window = rig.window().launchWindow();
        window.setWindowActive(true);
        QVERIFY(rig.get<QAction>(u"mnuActiveLaunchWindow"_s)->isChecked());
        QVERIFY(rig.timer(u"tmrLaunchWindow"_s)->isActive());
        window.setRemainingText(u"00:00:30"_s);
        QVERIFY(!rig.warningShown());
        rig.arm();
        rig.toggleHold();
        rig.advance(1);
        QCOMPARE(rig.remaining(), u"00:00:29"_s);
        QVERIFY(rig.warningShown());
        window.setRemainingText(u"0:05:00"_s);
        QVERIFY(!rig.warningShown());
    }
};

QTEST_MAIN(TestLaunchWindow)
#include "tst_launchwindow.moc"
