#include "GuiTest.h"

#include "platform/widgets/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
QColor digitColor(MainWindowFixture& rig)
{
    return rig.get(u"lblSeconds"_s)->palette().color(QPalette::Window);
}
} // namespace

class TestHolds : public GuiTest
{
    Q_OBJECT

private slots:
    void holdFreezesCountAndMovesTarget_data()
    {
        QTest::addColumn<qint64>("held");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("resumedCount");
        QTest::newRow("95 s") << qint64(95) << u"May 3, 2001   10:31:35 AM"_s << u"T - 000 00:10:00"_s;
        QTest::newRow("24 h adds nothing") << qint64(86400) << u"May 3, 2001   10:30:00 AM"_s << u"T + 000 23:50:00"_s;
        QTest::newRow("25 h adds an hour") << qint64(90000) << u"May 3, 2001   11:30:00 AM"_s << u"T + 000 23:50:00"_s;
        QTest::newRow("clock set back") << qint64(-30) << u"May 3, 2001   10:29:30 AM"_s << u"T - 000 00:10:00"_s;
        QTest::newRow("clock set back a day and an hour")
            << qint64(-90000) << u"May 3, 2001   9:30:00 AM"_s << u"T - 001 00:10:00"_s;
    }

    void holdFreezesCountAndMovesTarget()
    {
        QFETCH(qint64, held);
        QFETCH(QString, target);
        QFETCH(QString, resumedCount);
        MainWindowFixture& rig = f.tenMinutesBefore();
        QCOMPARE(rig.count(), u"T - 000 00:10:00"_s);
        QCOMPARE(rig.button(u"cmdHoldResume"_s)->toolTip(), u"Click here to HOLD the countdown."_s);
        QVERIFY(rig.arm());
        rig.toggleHold();

        QVERIFY(rig.holding());
        for (const char* name : {"mnuHold", "mnuRtHold"})
            QCOMPARE(rig.get<QAction>(QString::fromLatin1(name))->text(), u"&Resume"_s);
        QCOMPARE(rig.button(u"cmdHoldResume"_s)->toolTip(), u"Click here to RESUME the count."_s);
        QCOMPARE(digitColor(rig), QColor(255, 255, 0));
        QVERIFY(!rig.get<QAction>(u"mnuHoldEnable"_s)->isEnabled());
        QVERIFY(!rig.get<QAction>(u"mnuRtHoldEnable"_s)->isEnabled());
        QVERIFY(!rig.timer(u"tmrCountdown"_s)->isActive());
        QVERIFY(rig.timer(u"tmrHold"_s)->isActive());

        rig.advance(1);
        QCOMPARE(rig.target(), u"May 3, 2001   10:30:01 AM"_s);
        rig.advance(held - 1);
        QCOMPARE(rig.target(), target);
        QCOMPARE(rig.count(), u"T - 000 00:10:00"_s); // the digits stand still

        QVERIFY(triggerAction(rig.window(), u"mnuRtHold"_s)); // the pop-up item resumes as the button does
        settle();
        QVERIFY(!rig.holding());
        QCOMPARE(rig.get<QAction>(u"mnuHold"_s)->text(), u"&Hold"_s);
        QCOMPARE(rig.button(u"cmdHoldResume"_s)->toolTip(), u"Click here to HOLD the count."_s);
        QCOMPARE(digitColor(rig), QColor(224, 224, 224));
        // Still armed, unless the resumed count lies past liftoff.
        QCOMPARE(rig.button(u"cmdHoldResume"_s)->isEnabled(), resumedCount.startsWith(u"T -"));
        QCOMPARE(rig.count(), resumedCount);
        QCOMPARE(rig.target(), target);
    }

    void resumeCatchesUpWithTheSecondJustBegun()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.arm();
        rig.toggleHold();
        rig.clock().advance(1); // no event loop turn: the hold tick has not seen this second yet
        rig.toggleHold();
        QCOMPARE(rig.count(), u"T - 000 00:10:00"_s);
        QCOMPARE(rig.target(), u"May 3, 2001   10:30:01 AM"_s);
    }

    // A hold begun in a second whose count tick has not run yet holds that second, not the one before, and the
    // count resumes from it without dropping one.
    void holdBegunBeforeTheSecondsTickHoldsThatSecond()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.arm();
        rig.clock().advance(1); // no event loop turn: the count tick has not seen this second yet
        rig.toggleHold();
        QCOMPARE(rig.count(), u"T - 000 00:09:59"_s);
        rig.advance(30);
        QCOMPARE(rig.count(), u"T - 000 00:09:59"_s);
        rig.toggleHold();
        QCOMPARE(rig.count(), u"T - 000 00:09:59"_s);
        rig.advance(1);
        QCOMPARE(rig.count(), u"T - 000 00:09:58"_s);
    }

    // A new launch time confirmed during a hold shows at once and keeps moving with the hold.
    void newLaunchTimeDuringAHold()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.arm();
        rig.toggleHold();
        rig.advance(20);
        rig.get<ClickLineEdit>(u"txtLaunchDate"_s)->setText(u"6/1/2001"_s);
        rig.get<UpScrollBar>(u"vsbHours"_s)->setLevel(14);
        rig.prompter().answer(Prompter::Answer::Yes, [&] { rig.advance(3); });
        rig.button(u"cmdSet"_s)->click();
        QCOMPARE(rig.target(), u"June 01, 2001   2:30:00 PM"_s);
        rig.advance(5);
        QCOMPARE(rig.target(), u"June 1, 2001   2:30:05 PM"_s);
        QCOMPARE(rig.count(), u"T - 000 00:10:00"_s);
    }

    void arming_data()
    {
        QTest::addColumn<QString>("now");
        QTest::addColumn<bool>("toggles");
        QTest::newRow("before liftoff") << u"May 3, 2001 10:29:59 AM"_s << true;
        QTest::newRow("in the second of the target") << u"May 3, 2001 10:30:00 AM"_s << true;
        QTest::newRow("after liftoff") << u"May 3, 2001 10:30:01 AM"_s << false;
    }

    void arming()
    {
        QFETCH(QString, now);
        QFETCH(bool, toggles);
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.clock().setNow(FakeClock::at(now));
        // No settle: the count tick would disable the arming items from the target's second on.
        rig.window().holds().ToggleHoldEnable();
        const auto* menuItem = rig.get<QAction>(u"mnuHoldEnable"_s);
        QCOMPARE(menuItem->text(), toggles ? u"Hold Disable"_s : u"Hold Enable"_s);
        QCOMPARE(rig.get<QAction>(u"mnuRtHoldEnable"_s)->text(), menuItem->text());
        QCOMPARE(rig.button(u"cmdHoldResume"_s)->isEnabled(), toggles);
        QCOMPARE(rig.get<QAction>(u"mnuHold"_s)->isEnabled(), toggles);
        rig.window().holds().ToggleHoldEnable();
        QCOMPARE(menuItem->text(), u"Hold Enable"_s);
        QVERIFY(!rig.button(u"cmdHoldResume"_s)->isEnabled());
    }

    void liftoffDisarmsUntilTheTargetLiesAheadAgain()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.clock().setNow(FakeClock::at(u"May 3, 2001 10:29:58 AM"));
        settle();
        QVERIFY(rig.arm());
        QVERIFY(rig.get<QAction>(u"mnuRtHold"_s)->isEnabled()); // followed at the count tick
        rig.advance(2);
        QVERIFY(!rig.button(u"cmdHoldResume"_s)->isEnabled());
        QCOMPARE(rig.get<QAction>(u"mnuHoldEnable"_s)->text(), u"Hold Enable"_s);
        QVERIFY(!triggerAction(rig.window(), u"mnuHoldEnable"_s));
        rig.advance(-60);
        QVERIFY(rig.get<QAction>(u"mnuHoldEnable"_s)->isEnabled());
        QVERIFY(!rig.button(u"cmdHoldResume"_s)->isEnabled());
    }

    // A file may bring the armed flag while the arming items still offer "Hold Enable".
    void armedFlagFromFile()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.window().holds().setHoldsArmed(true);
        QVERIFY(rig.window().holds().holdsArmed());
        QVERIFY(rig.arm());
        QCOMPARE(rig.get<QAction>(u"mnuHoldEnable"_s)->text(), u"Hold Disable"_s);
        QVERIFY(rig.button(u"cmdHoldResume"_s)->isEnabled());
    }

    void countAndHoldGoOnWhileABoxIsOpen()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        QString countInBox;
        rig.prompter().answer(Prompter::Answer::No, [&] {
            rig.advance(3);
            countInBox = rig.count();
        });
        QVERIFY(triggerAction(rig.window(), u"mnuSetLaunchWindow"_s));
        QCOMPARE(countInBox, u"T - 000 00:09:57"_s);

        rig.arm();
        rig.toggleHold();
        QString targetInBox;
        rig.prompter().answer(Prompter::Answer::No, [&] {
            rig.advance(7);
            targetInBox = rig.target();
        });
        QVERIFY(triggerAction(rig.window(), u"mnuSetLaunchWindow"_s));
        QCOMPARE(targetInBox, u"May 3, 2001   10:30:07 AM"_s);
        QVERIFY(rig.prompter().unexpected.isEmpty());
    }

    // The same with a real message box: Qt's timers keep firing in its modal loop.
    void holdGoesOnUnderARealMessageBox()
    {
        FakeClock& clock = f.clock();
        clock.setNow(FakeClock::at(u"May 3, 2001 10:20:00 AM"));
        f.usePrompter(f.keep<QtPrompter>());
        frmTarvane& window = f.window();
        window.show();
        settle();
        QVERIFY(triggerAction(window, u"mnuHoldEnable"_s));
        child<QPushButton>(window, u"cmdHoldResume"_s)->click();
        settle();

        QString targetInBox;
        QString boxText;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, &window, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll.stop();
            boxText = box->text();
            clock.advance(7);
            settle();
            targetInBox = child<WatchedLabel>(window, u"lblTarget"_s)->text();
            box->button(QMessageBox::No)->click();
        });
        poll.start();
        QTimer::singleShot(10000, &window, [] { // never leave a box hanging if the poll fails
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        child<QPushButton>(window, u"cmdSetWindow"_s)->click();

        QCOMPARE(boxText, u"Are you sure you want to enter 0:00:00 as your new Launch Window?"_s);
        QCOMPARE(targetInBox, u"May 3, 2001   10:30:07 AM"_s);
    }
};

QTEST_MAIN(TestHolds)
#include "tst_holds.moc"
