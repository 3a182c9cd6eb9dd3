#pragma once

#include "FakeClock.h"
#include "FakeSpeaker.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"

#include "clock/Holds.h"
#include "clock/LaunchClock.h"
#include "clock/LaunchTimeEntry.h"
#include "clock/LaunchWindow.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"
#include "files/LaunchFileOptions.h"
#include "platform/ClockTimer.h"
#include "platform/widgets/ClickLineEdit.h"
#include "platform/widgets/UpScrollBar.h"
#include "platform/widgets/WatchedLabel.h"
#include "shell/frmTarvane.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

// The main window for a GUI test, on a fake clock with scripted message boxes (or a clock and a prompter the test
// gives it), with no launch data files or with its files in a temporary folder. A test class holds one and calls
// init() and cleanup() from its own slots of those names: the test then fails on any Qt warning it did not name
// with QTest::ignoreMessage, on a message box or file dialog nobody scripted, and on a scripted answer left unused.
// The window is built at its first use, so a test may set the clock or the launch data files first.
class MainWindowFixture
{
public:
    static CivilDateTime defaultStart() { return FakeClock::at(u"May 3, 2001 10:29:50 AM"); }

    void init()
    {
        // Any warning but the offscreen platform's notes on what it cannot do (grab keys, raise windows).
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support )")));
        m_window.reset();
        m_kept.clear();
        m_speaker.reset();
        m_clock = std::make_unique<FakeClock>(defaultStart());
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_windowClock = nullptr;
        m_windowPrompter = nullptr;
        m_folder.reset();
        files = LaunchFileOptions();
    }

    void cleanup()
    {
        m_window.reset();
        m_kept.clear();
        m_folder.reset();
        QVERIFY2(m_prompter->unexpected.isEmpty(), qPrintable(m_prompter->unexpected.join(u'\n')));
        QVERIFY2(m_prompter->scriptUsedUp(), "a scripted answer or file was never asked for");
    }

    // Something the window will use (another clock, a real prompter), kept until the window is gone.
    template <typename T, typename... Args> T& keep(Args&&... args)
    {
        auto kept = std::make_shared<T>(std::forward<Args>(args)...);
        m_kept.push_back(kept);
        return *kept;
    }
    // The window runs on this clock (or prompter) instead of the fake one; before the window is built.
    void useClock(Clock& clock) { m_windowClock = &clock; }
    void usePrompter(Prompter& prompter) { m_windowPrompter = &prompter; }

    // A folder of the test's own for launch data files, made at first use and removed after the test.
    QString launchFolder()
    {
        if (!m_folder)
            m_folder = std::make_unique<QTemporaryDir>();
        return QDir::toNativeSeparators(m_folder->path());
    }
    QString launchFile(const QString& name = LaunchFileOptions::DefaultFileName)
    {
        return QDir::toNativeSeparators(QDir(launchFolder()).filePath(name));
    }
    // The window keeps its launch data files in the test's folder, reads startupFile at start-up when one is
    // given (as from the command line), and finds a former default file in formerFolder.
    void useLaunchFolder(const QString& startupFile = QString(), const QString& formerFolder = QString())
    {
        files = LaunchFileOptions{launchFolder(), startupFile, formerFolder};
    }
    // Ends the window, as when the program ends; the next window() starts it again.
    void closeWindow() { m_window.reset(); }

    FakeClock& clock() { return *m_clock; }
    // The window's speaker: it records what the spoken callouts play.
    FakeSpeaker& speaker()
    {
        window();
        return *m_speaker;
    }
    ScriptedPrompter& prompter() { return *m_prompter; }
    LaunchFileOptions files; // none: the window reads and writes no file at start-up

    frmTarvane& window()
    {
        if (!m_window) {
            Clock& clock = m_windowClock ? *m_windowClock : *m_clock;
            m_speaker = std::make_unique<FakeSpeaker>(clock);
            m_window = std::make_unique<frmTarvane>(clock, m_windowPrompter ? *m_windowPrompter : *m_prompter,
                                                    *m_speaker, files);
            settle();
        }
        return *m_window;
    }
    // The window with the clock ten minutes before the initial launch target.
    MainWindowFixture& tenMinutesBefore()
    {
        m_clock->setNow(FakeClock::at(u"May 3, 2001 10:20:00 AM"));
        window();
        return *this;
    }
    const MissionState& state() { return window().missionState(); }
    Mission& mission() { return window().mission(); }
    // A launch target as a launch data file brings it (any text, one that names no date-time too): a running hold
    // carries it on from now.
    void loadTarget(const QString& text)
    {
        mission().holds().setLaunchTarget(text);
        settle();
    }
    // The window on screen, where a test needs focus, geometry or painting.
    frmTarvane& shownWindow()
    {
        window().show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            QTest::qFail("the main window never showed", __FILE__, __LINE__);
        settle();
        return *m_window;
    }

    // The control named name; a missing one fails the test, not the whole program.
    template <typename T = WatchedLabel> T* get(const QString& name) { return child<T>(window(), name); }
    QString text(const QString& name)
    {
        if (auto* edit = window().findChild<QLineEdit*>(name))
            return edit->text();
        if (auto* button = window().findChild<QAbstractButton*>(name))
            return button->text();
        return get<QLabel>(name)->text();
    }
    ClockTimer* timer(const QString& name) { return get<ClockTimer>(name); }
    QPushButton* button(const QString& name) { return get<QPushButton>(name); }
    // The count as shown: "T - 000 00:10:00".
    QString count()
    {
        return text(QStringLiteral("lblTMinus")) + u' ' + text(QStringLiteral("lblDays")) + u' ' +
               text(QStringLiteral("lblHours")) + u':' + text(QStringLiteral("lblMinutes")) + u':' +
               text(QStringLiteral("lblSeconds"));
    }
    QString target() { return text(QStringLiteral("lblTarget")); }
    QString remaining() { return text(QStringLiteral("lblLaunchWindow")); }
    bool holding() { return state().holding(); }
    bool warningShown() { return get(QStringLiteral("lblWindowWarning"))->isVisibleTo(&window()); }

    // Moves the clock and lets the timers that follow it run.
    void advance(qint64 seconds)
    {
        window();
        m_clock->advance(seconds);
        settle();
    }
    void at(const CivilDateTime& when)
    {
        window();
        m_clock->setNow(when);
        settle();
    }
    // The menu item name, as the operator would choose it: it must be there and enabled.
    bool trigger(const QString& name)
    {
        const bool done = triggerAction(window(), name);
        settle();
        return done;
    }
    bool arm() { return trigger(QStringLiteral("mnuHoldEnable")); }
    void toggleHold()
    {
        button(QStringLiteral("cmdHoldResume"))->click();
        settle();
    }
    // Enters a launch window in the three fields and confirms it with the button.
    void setWindow(const QString& h, const QString& m, const QString& s)
    {
        get<ClickLineEdit>(QStringLiteral("txtHoursW"))->setText(h);
        get<ClickLineEdit>(QStringLiteral("txtMinutesW"))->setText(m);
        get<ClickLineEdit>(QStringLiteral("txtSecondsW"))->setText(s);
        m_prompter->answer(Prompter::Answer::Yes);
        button(QStringLiteral("cmdSetWindow"))->click();
        settle();
    }
    // A window of the given length, active, with holds armed and a hold begun.
    void holdAgainstWindow(const QString& h, const QString& m, const QString& s)
    {
        setWindow(h, m, s);
        get<QCheckBox>(QStringLiteral("chkLaunchWindowActive"))->click();
        arm();
        toggleHold();
    }
    int timesShown(const QString& title) const
    {
        int n = 0;
        for (const auto& box : m_prompter->shown)
            n += box.title == title ? 1 : 0;
        return n;
    }

private:
    std::unique_ptr<FakeClock> m_clock = std::make_unique<FakeClock>(defaultStart());
    std::unique_ptr<ScriptedPrompter> m_prompter = std::make_unique<ScriptedPrompter>();
    std::unique_ptr<QTemporaryDir> m_folder;
    std::vector<std::shared_ptr<void>> m_kept;
    Clock* m_windowClock = nullptr;
    Prompter* m_windowPrompter = nullptr;
    std::unique_ptr<FakeSpeaker> m_speaker;
    // Last, so that the window goes before what it uses.
    std::unique_ptr<frmTarvane> m_window;
};
