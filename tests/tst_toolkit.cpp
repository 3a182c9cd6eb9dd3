#include "FakeClock.h"
#include "TestSupport.h"

#include "platform/ClockTimer.h"
#include "platform/widgets/QtPrompter.h"
#include "platform/widgets/UpScrollBar.h"
#include "platform/widgets/WatchedLabel.h"

#include <QApplication>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestToolkit : public QObject
{
    Q_OBJECT

private slots:
    void labelReportsOnlyRealChanges()
    {
        WatchedLabel label(u"05"_s);
        QStringList seen;
        connect(&label, &WatchedLabel::textChanged, &label, [&](const QString& t) { seen << t; });
        label.setText(u"05"_s);
        QVERIFY(seen.isEmpty());
        label.setText(u"06"_s);
        QCOMPARE(seen, QStringList{u"06"_s}); // raised inside the assignment
        label.setText(u"06"_s);
        QCOMPARE(seen.size(), 1);
    }

    // The largest value sits at the top: the up arrow adds 1, the track above the thumb adds 10, and the
    // value stops at both ends.
    void scrollBarRunsUpwards()
    {
        UpScrollBar bar;
        bar.setLevelRange(0, 23);
        bar.setLevel(10);
        bar.resize(20, 240);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QSignalSpy changes(&bar, &UpScrollBar::levelChanged);

        const QPoint upArrow(10, 4);
        const QPoint downArrow(10, 236);
        QTest::mouseClick(&bar, Qt::LeftButton, {}, upArrow);
        QCOMPARE(bar.level(), 11);
        QCOMPARE(changes.takeLast().at(0).toInt(), 11);
        QTest::mouseClick(&bar, Qt::LeftButton, {}, downArrow);
        QCOMPARE(bar.level(), 10);

        // The thumb of level 10 lies below the middle; a click just under the up arrow is above it.
        QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(10, 30));
        QCOMPARE(bar.level(), 20);
        QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(10, 30));
        QCOMPARE(bar.level(), 23);
        QTest::mouseClick(&bar, Qt::LeftButton, {}, upArrow);
        QCOMPARE(bar.level(), 23);

        QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(10, 210));
        QCOMPARE(bar.level(), 13);
        bar.setLevel(0);
        QTest::mouseClick(&bar, Qt::LeftButton, {}, downArrow);
        QCOMPARE(bar.level(), 0);
        bar.setLevel(99);
        QCOMPARE(bar.level(), 23);
    }

    void timerFiresAtStartAndOnJumps()
    {
        FakeClock clock;
        ClockTimer timer(clock, u"tmrTest"_s, nullptr);
        QSignalSpy fired(&timer, &ClockTimer::timeout);
        clock.advance(1);
        settle();
        QCOMPARE(fired.size(), 0); // stopped: a jump does nothing
        timer.start();
        settle();
        QCOMPARE(fired.size(), 1);
        clock.advance(5);
        settle();
        QCOMPARE(fired.size(), 2);
        timer.fireSoon();
        timer.fireSoon();
        settle();
        QCOMPARE(fired.size(), 3);
        timer.stop();
        timer.fireSoon();
        settle();
        QCOMPARE(fired.size(), 3);
    }

    // While a tick waits in a nested event loop (a modal message box), its own timer does not fire again,
    // but other timers do; a jump during the wait is caught up right after.
    void timerIsNotReenteredWhileItsHandlerWaits()
    {
        FakeClock clock;
        ClockTimer waiting(clock, u"tmrWaiting"_s, nullptr);
        ClockTimer other(clock, u"tmrOther"_s, nullptr);
        int waitingTicks = 0;
        int otherTicks = 0;
        int otherTicksDuringWait = 0;
        connect(&other, &ClockTimer::timeout, &other, [&] { ++otherTicks; });
        connect(&waiting, &ClockTimer::timeout, &waiting, [&] {
            if (++waitingTicks > 1)
                return;
            const int before = otherTicks;
            QEventLoop box;
            QTimer::singleShot(0, &box, [&] { clock.advance(1); });
            QTimer::singleShot(50, &box, &QEventLoop::quit);
            box.exec();
            otherTicksDuringWait = otherTicks - before;
        });
        other.start();
        waiting.start();
        QTRY_COMPARE(waitingTicks, 2);
        QVERIFY(otherTicksDuringWait >= 1);
    }

    // Boxes and file dialogs open over the main window once it shows: also when no window is active, as just after
    // another box closed, and a box asked while another is open opens over that one. Before the main window shows
    // (while the program starts) they go where they went before.
    void boxesOpenOverTheMainWindow()
    {
        QWidget main;
        main.setGeometry(40, 30, 600, 400);
        QtPrompter prompter;
        prompter.setMainWindow(&main);
        QList<QWidget*> owners;
        const auto answerNext = [&](std::function<void()> during = {}) {
            QTimer::singleShot(0, &main, [&owners, during] {
                QWidget* box = QApplication::activeModalWidget();
                QVERIFY(box);
                owners.append(box->parentWidget());
                if (during)
                    during();
                QTest::keyClick(box, Qt::Key_Escape);
            });
        };
        answerNext();
        prompter.tell(u"Tarvane"_s, u"Before the main window shows."_s);
        QCOMPARE(owners, QList<QWidget*>{nullptr});

        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QApplication::setActiveWindow(nullptr);
        owners.clear();
        QWidget* firstBox = nullptr;
        answerNext([&] {
            firstBox = QApplication::activeModalWidget();
            answerNext();
            prompter.tell(u"Tarvane"_s, u"Over the first box."_s);
        });
        QCOMPARE(prompter.ask(u"Tarvane"_s, u"Over the main window?"_s, Prompter::Buttons::YesNoCancel),
                 Prompter::Answer::Cancel);
        QCOMPARE(owners, (QList<QWidget*>{&main, firstBox}));

        owners.clear();
        answerNext();
        QCOMPARE(prompter.openFileName({u"Open . . ."_s, u"Tarvane Files (*.trv)"_s, u"trv"_s, {}, {}}), std::nullopt);
        QCOMPARE(owners, QList<QWidget*>{&main});
    }
};

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
