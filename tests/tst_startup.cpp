#include "GuiTest.h"
#include "TestSupport.h"

#include "platform/widgets/ClickPanel.h"
#include "shell/MainViews.h"
#include "shell/SplashSequence.h"
#include "shell/StartOptions.h"
#include "shell/StartupProbe.h"
#include "shell/basTarvaneLoad.h"
#include "shell/frmAbout.h"
#include "shell/frmSplash.h"
#include "shell/frmTarvane.h"
#include "shell/frmTechSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

enum class Closer
{
    Key,
    FrameClick,
    ClickOnFrameLabel,
    Timer
};

void ask(frmSplash& splash, Closer how)
{
    switch (how) {
    case Closer::Key:
        QTest::keyClick(&splash, Qt::Key_Space);
        break;
    case Closer::FrameClick:
        QTest::mouseClick(child<ClickPanel>(splash, u"Frame1"_s), Qt::LeftButton, {}, QPoint(150, 240));
        break;
    case Closer::ClickOnFrameLabel: {
        // Through the window, as the window system delivers it, so that the click finds its way to the frame.
        auto* label = child<QLabel>(splash, u"lblProductName"_s);
        QTest::mouseClick(splash.windowHandle(), Qt::LeftButton, {}, label->mapTo(&splash, QPoint(10, 10)));
        break;
    }
    case Closer::Timer:
        splash.tmrSplash_Timer();
        break;
    }
}

// Counts the paint events a widget receives.
class PaintCounter final : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return QObject::eventFilter(watched, event);
    }
};

// Lets closed windows that delete themselves go.
void deleteClosed()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    settle();
}

} // namespace

class TestStartup : public GuiTest
{
    Q_OBJECT

private slots:

    void progressSequence()
    {
        const auto steps = SplashSequence::steps();
        QCOMPARE(steps.size(), size_t(2863));
        QCOMPARE(steps.front().value, 1);
        QCOMPARE(steps.back().value, 2250);
        // Upward by one, except where each new stage falls back a little.
        QList<QPair<int, int>> fallBacks;
        for (size_t i = 0; i < steps.size(); ++i) {
            QVERIFY(steps[i].value >= SplashSequence::Minimum && steps[i].value <= SplashSequence::Maximum);
            if (i == 0)
                continue;
            if (steps[i].value != steps[i - 1].value + 1) {
                fallBacks.append({steps[i - 1].value, steps[i].value});
                QVERIFY(steps[i].stage != steps[i - 1].stage);
            } else {
                QCOMPARE(steps[i].stage, steps[i - 1].stage);
            }
        }
        QCOMPARE(fallBacks, (QList<QPair<int, int>>{{1210, 750}, {1750, 1650}, {2100, 2050}}));
        QCOMPARE(SplashSequence::stageText(steps[1210].stage), u"Loading data . . ."_s);
        QCOMPARE(SplashSequence::stageText(steps[2211].stage), u"Load functions . . ."_s);
        QVERIFY(SplashSequence::stageText(steps.back().stage).isEmpty());
    }

    void splashAtCreation()
    {
        frmSplash splash;
        QCOMPARE(child<QLabel>(splash, u"lblProductName"_s)->text(), u"Tarvane"_s);
        QCOMPARE(child<QLabel>(splash, u"lblVersion"_s)->text(), u"Version 0.0.56"_s);
        QCOMPARE(child<QLabel>(splash, u"lblPlatform"_s)->text(), u"Windows 9x"_s);
        QCOMPARE(child<QLabel>(splash, u"lblLoadingData"_s)->text(), u"Loading data . . ."_s);
        auto* bar = child<QProgressBar>(splash, u"ProgressBar1"_s);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 2250);
        QVERIFY(splash.tmrSplash().isActive());
        QCOMPARE(splash.tmrSplash().interval(), 5500);
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(splash.windowType(), Qt::SplashScreen); // no task bar entry
        QVERIFY(!child<QLabel>(splash, u"imgLogo"_s)->pixmap().isNull());
    }

    // Every value is shown, in order, and nothing else runs meanwhile: no timer, no posted event, no input.
    void splashPlaysTheWholeSequenceAlone()
    {
        frmSplash splash;
        splash.showOnScreen();
        auto* bar = child<QProgressBar>(splash, u"ProgressBar1"_s);
        auto* stage = child<QLabel>(splash, u"lblLoadingData"_s);
        QList<int> values;
        QStringList stageBefore; // the stage text as each value comes, so as the step before left it
        connect(bar, &QProgressBar::valueChanged, &splash, [&](int v) {
            values.append(v);
            stageBefore.append(stage->text());
        });
        bool otherWorkRan = false;
        QTimer::singleShot(0, &splash, [&] { otherWorkRan = true; });
        QTest::keyClick(&splash, Qt::Key_A); // delivered at once by the test, so it is asked before the run

        splash.runProgress();

        QVERIFY(!otherWorkRan);
        QList<int> expected;
        for (const auto& step : SplashSequence::steps())
            expected.append(step.value);
        QCOMPARE(values, expected);
        QCOMPARE(stageBefore.at(1), u"Initializing . . ."_s);
        QCOMPARE(stageBefore.at(1210), u"Initializing . . ."_s);
        QCOMPARE(stageBefore.at(1211), u"Loading data . . ."_s);
        QCOMPARE(stageBefore.at(2212), u"Load functions . . ."_s);
        QVERIFY(!bar->isVisible());
        QVERIFY(!stage->isVisible());
        QVERIFY(splash.isVisible()); // the key asked for a close, but the main window is not shown yet
    }

    // Painting is the display's business: the bar repaints at most once per 16 ms of the run, and once at the end.
    void splashPaintsAtScreenRate()
    {
        frmSplash splash;
        splash.showOnScreen();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        auto* bar = child<QProgressBar>(splash, u"ProgressBar1"_s);
        PaintCounter counter(bar);
        QElapsedTimer run;
        run.start();
        splash.runProgress();
        const qint64 elapsed = run.elapsed();
        QVERIFY2(counter.paints >= 1, "the end of the run is painted");
        QVERIFY2(counter.paints <= elapsed / 16 + 2,
                 qPrintable(u"%1 paints in %2 ms"_s.arg(counter.paints).arg(elapsed)));
    }

    // The splash is painted once before the progress and before the main window, with no wait for exposure.
    void splashPaintsBeforeTheProgress()
    {
        frmSplash splash;
        PaintCounter counter(&splash);
        splash.showOnScreen();
        splash.paintOnce();
        QCOMPARE(counter.paints, 1);
    }

    // Under a window manager the splash never has the keyboard: keys go to the main window. While the splash is up
    // they only close it; the view stays and no exit prompt opens (tested with real keys in tests/e2e too). A chord
    // comes as people type it, its modifiers first, and is claimed whole, though the splash closes on its first key.
    void keysWhileTheSplashIsUpOnlyCloseIt_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("Alt+A") << QKeyCombination(Qt::AltModifier, Qt::Key_A).toCombined();
        QTest::newRow("Ctrl+K, the view switch") << QKeyCombination(Qt::ControlModifier, Qt::Key_K).toCombined();
        QTest::newRow("Shift+Esc") << QKeyCombination(Qt::ShiftModifier, Qt::Key_Escape).toCombined();
        QTest::newRow("Ctrl+Shift+K")
            << QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_K).toCombined();
    }

    void keysWhileTheSplashIsUpOnlyCloseIt()
    {
        QFETCH(int, key);
        ScriptedPrompter& prompter = f.prompter();
        QPointer<frmSplash> splash = basTarvaneLoad::showSplash();
        frmTarvane& window = f.window();
        StartupProbe probe;
        basTarvaneLoad::runSplashProgress(*splash, probe);
        basTarvaneLoad::showMainWindow(window, *splash, probe);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* cmdAccess = child<QPushButton>(window, u"cmdAccess"_s);
        cmdAccess->setFocus();
        const QKeyCombination combination = QKeyCombination::fromCombined(key);
        // Presses each modifier, then the key, and releases them all.
        QTest::keyClick(cmdAccess, combination.key(), combination.keyboardModifiers());
        deleteClosed();
        QVERIFY(splash.isNull());
        QCOMPARE(cmdAccess->text(), MainViews::CompactCaption);
        QVERIFY(prompter.shown.isEmpty());
        QVERIFY(window.isVisible());
        // With the splash gone and the keys up, keys are the main window's again.
        QTest::keyClick(cmdAccess, Qt::Key_Space);
        QCOMPARE(cmdAccess->text(), MainViews::FullCaption);
        QTest::keyClick(cmdAccess, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(cmdAccess->text(), MainViews::CompactCaption);
    }

    // A key that closes the splash while the splash has the keyboard may never be seen released: the next key is
    // the main window's all the same.
    void keyWithoutReleaseEndsTheClaimAtTheNextKey()
    {
        QPointer<frmSplash> splash = basTarvaneLoad::showSplash();
        frmTarvane& window = f.window();
        StartupProbe probe;
        basTarvaneLoad::runSplashProgress(*splash, probe);
        basTarvaneLoad::showMainWindow(window, *splash, probe);
        QTest::keyPress(splash.data(), Qt::Key_Escape);
        deleteClosed();
        QVERIFY(splash.isNull());
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* cmdAccess = child<QPushButton>(window, u"cmdAccess"_s);
        cmdAccess->setFocus();
        QTest::keyClick(cmdAccess, Qt::Key_Space);
        QCOMPARE(cmdAccess->text(), MainViews::FullCaption);
    }

    // A message box while the program starts (a damaged default file) stays answerable and is not under the splash.
    void messageBoxDuringStartUpTakesItsKeys()
    {
        QPointer<frmSplash> splash = basTarvaneLoad::showSplash();
        QVERIFY(QTest::qWaitForWindowExposed(splash.data()));
        bool splashHiddenMeanwhile = false;
        QTimer::singleShot(0, splash.data(), [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            splashHiddenMeanwhile = !splash->isVisible();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QMessageBox box(QMessageBox::NoIcon, u"Tarvane"_s, u"The file is damaged."_s, QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        box.exec();
        QVERIFY(splashHiddenMeanwhile);
        QVERIFY(!splash->closeRequested()); // the key was the box's
        QVERIFY(splash->isVisible());
        splash->close();
        deleteClosed();
    }

    void qtOptionsAreSetAside_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("own");
        QTest::addColumn<QStringList>("qt");
        const QString p = u"tarvane"_s;
        QTest::newRow("platform") << QStringList{p, u"-platform"_s, u"offscreen"_s, u"--version"_s}
                                  << QStringList{p, u"--version"_s} << QStringList{u"-platform"_s, u"offscreen"_s};
        QTest::newRow("two dashes") << QStringList{p, u"--platform"_s, u"xcb"_s, u"a.trv"_s}
                                    << QStringList{p, u"a.trv"_s} << QStringList{u"--platform"_s, u"xcb"_s};
        QTest::newRow("style, reverse, display, geometry")
            << QStringList{p,
                           u"-style"_s,
                           u"Fusion"_s,
                           u"-reverse"_s,
                           u"--app-clock"_s,
                           u"-display"_s,
                           u":1"_s,
                           u"-qwindowgeometry"_s,
                           u"100x80+1+2"_s,
                           u"-style=Windows"_s}
            << QStringList{p, u"--app-clock"_s}
            << QStringList{u"-style"_s, u"Fusion"_s,           u"-reverse"_s,   u"-display"_s,
                           u":1"_s,     u"-qwindowgeometry"_s, u"100x80+1+2"_s, u"-style=Windows"_s};
        QTest::newRow("after --") << QStringList{p, u"--"_s, u"-reverse"_s} << QStringList{p, u"--"_s, u"-reverse"_s}
                                  << QStringList{};
    }

    void qtOptionsAreSetAside()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, own);
        QFETCH(QStringList, qt);
        const auto split = StartOptions::splitQtOptions(arguments);
        QCOMPARE(split.own, own);
        QCOMPARE(split.qt, qt);
    }

    void optionsWithQtOptions()
    {
        const StartOptions options = StartOptions::parse(
            {u"tarvane"_s, u"-platform"_s, u"offscreen"_s, u"--app-clock"_s, u"-style"_s, u"Fusion"_s, u"m.trv"_s});
        QVERIFY(options.appClock);
        QCOMPARE(options.launchFile, u"m.trv"_s);
        QCOMPARE(options.qtArguments, (QStringList{u"-platform"_s, u"offscreen"_s, u"-style"_s, u"Fusion"_s}));
    }

    void splashClosesOnlyOnceTheMainWindowShows_data()
    {
        QTest::addColumn<Closer>("how");
        QTest::newRow("key") << Closer::Key;
        QTest::newRow("click on the frame") << Closer::FrameClick;
        QTest::newRow("click on a label in the frame") << Closer::ClickOnFrameLabel;
        QTest::newRow("timer") << Closer::Timer;
    }

    void splashClosesOnlyOnceTheMainWindowShows()
    {
        QFETCH(Closer, how);
        {
            frmSplash splash;
            splash.show();
            QVERIFY(QTest::qWaitForWindowExposed(&splash));
            ask(splash, how);
            settle();
            QVERIFY(splash.isVisible());
            QVERIFY(splash.closeRequested());
            splash.mainWindowShown();
            QVERIFY(!splash.isVisible());
        }
        {
            frmSplash splash;
            splash.show();
            QVERIFY(QTest::qWaitForWindowExposed(&splash));
            splash.mainWindowShown();
            QVERIFY(splash.isVisible()); // nothing asked yet
            ask(splash, how);
            QVERIFY(!splash.isVisible());
        }
    }

    void clickBelowTheFrameLeavesTheSplash()
    {
        frmSplash splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        splash.mainWindowShown();
        QTest::mouseClick(child<QProgressBar>(splash, u"ProgressBar1"_s), Qt::LeftButton);
        QTest::mouseClick(child<QLabel>(splash, u"lblLoadingData"_s), Qt::LeftButton);
        QVERIFY(splash.isVisible());
    }

    // The start-up steps in order: the splash stays through a key pressed during start-up until the main window
    // is on screen, and goes right after.
    void startUpInOrder()
    {
        QPointer<frmSplash> splash = basTarvaneLoad::showSplash();
        QVERIFY(splash->isVisible());
        QTest::keyClick(splash.data(), Qt::Key_Return);
        frmTarvane& window = f.window();
        QVERIFY(!window.isVisible());
        StartupProbe probe;
        basTarvaneLoad::runSplashProgress(*splash, probe);
        QVERIFY(splash->isVisible());
        basTarvaneLoad::showMainWindow(window, *splash, probe);
        QVERIFY(window.isVisible());
        QCOMPARE(window.size(), QSize(282, 82));
        deleteClosed();
        QVERIFY(splash.isNull());
    }

    void startUpWithoutInputWaitsForTheTimer()
    {
        QPointer<frmSplash> splash = basTarvaneLoad::showSplash();
        frmTarvane& window = f.window();
        StartupProbe probe;
        basTarvaneLoad::runSplashProgress(*splash, probe);
        basTarvaneLoad::showMainWindow(window, *splash, probe);
        deleteClosed();
        QVERIFY(splash && splash->isVisible());
        splash->tmrSplash_Timer();
        deleteClosed();
        QVERIFY(splash.isNull());
        QVERIFY(window.isVisible()); // closing the splash has no other effect
    }

    void informationWindows_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("mustSay");
        QTest::newRow("About") << u"mnuAbout"_s << u"About Tarvane"_s << u"Version 1.0.0"_s;
        QTest::newRow("Technical Support")
            << u"mnuTechSupport"_s << u"Technical Support"_s << u"support@tarvane.example"_s;
    }

    void informationWindows()
    {
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QFETCH(QString, mustSay);
        frmTarvane& window = f.window();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto shown = [&] {
            QList<QDialog*> open;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible() && d->windowTitle() == caption)
                    open.append(d);
            return open;
        };
        QVERIFY(triggerAction(window, item));
        QVERIFY(triggerAction(window, item));
        settle();
        QCOMPARE(shown().size(), 1); // asked twice, there once
        QPointer<QDialog> info = shown().constFirst();
        QVERIFY(!info->isModal());
        QVERIFY(window.isEnabled());
        QCOMPARE(child<QGroupBox>(*info, u"Frame1"_s)->title(), u"Tarvane"_s);
        QCOMPARE(info->palette().color(QPalette::Window), QColor(255, 255, 128));
        bool says = false;
        for (const QLabel* label : info->findChildren<QLabel*>())
            says = says || label->text().contains(mustSay);
        QVERIFY(says);

        auto* ok = child<QPushButton>(*info, u"cmdOK"_s);
        QCOMPARE(ok->text(), u"OK"_s);
        QTest::keyClick(ok, Qt::Key_A);
        QTest::keyClick(ok, Qt::Key_Q);
        deleteClosed();
        QVERIFY(info && info->isVisible());
        QTest::keyClick(ok, Qt::Key_Escape); // with the focus on the button, not on the window
        deleteClosed();
        QVERIFY(info.isNull());
        QVERIFY(window.isVisible()); // Esc in the information window is not the main window's exit

        QVERIFY(triggerAction(window, item));
        settle();
        QCOMPARE(shown().size(), 1);
        info = shown().constFirst();
        QTest::mouseClick(child<QPushButton>(*info, u"cmdOK"_s), Qt::LeftButton);
        deleteClosed();
        QVERIFY(info.isNull());
    }

    void aboutAndSplashTellDifferentVersions()
    {
        frmAbout about;
        bool saysOne = false;
        for (const QLabel* label : about.findChildren<QLabel*>())
            saysOne = saysOne || label->text() == u"Version 1.0.0"_s;
        QVERIFY(saysOne);
        frmTechSupport support;
        QCOMPARE(support.windowTitle(), u"Technical Support"_s);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
