#include "FakeClock.h"
#include "FakeSpeaker.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "clock/Holds.h"
#include "clock/LaunchClock.h"
#include "clock/LaunchWindow.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"
#include "clock/SequenceEngine.h"
#include "files/LaunchSettings.h"
#include "platform/ClockTimer.h"
#include "platform/FliteSpeechEngine.h"
#include "platform/SystemSpeaker.h"
#include "shell/SpokenCallouts.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

using namespace Qt::StringLiterals;

namespace {

const QStringList& fixedCalls = SpokenCallouts::fixedCalls();

// Notes the thread of every call; speaks with the engine it wraps, or with tones.
class WatchedEngine final : public SpeechEngine
{
public:
    explicit WatchedEngine(std::unique_ptr<SpeechEngine> inner, QString loadProblem = {})
        : m_inner(std::move(inner)), m_loadProblem(std::move(loadProblem))
    {
    }

    QString load() override
    {
        note();
        ++loads;
        return m_inner ? m_inner->load() : m_loadProblem;
    }
    std::variant<SpeechClip, QString> synthesise(const QString& text) override
    {
        note();
        return m_inner ? m_inner->synthesise(text) : FakeSpeaker::clipOf(text);
    }

    QList<QThread*> threads() const
    {
        std::lock_guard lock(m_mutex);
        return m_threads;
    }
    std::atomic<int> loads = 0;

private:
    void note()
    {
        std::lock_guard lock(m_mutex);
        m_threads.append(QThread::currentThread());
    }

    std::unique_ptr<SpeechEngine> m_inner;
    QString m_loadProblem;
    mutable std::mutex m_mutex;
    QList<QThread*> m_threads;
};

std::vector<qint16> samplesOf(std::initializer_list<int> values)
{
    return {values.begin(), values.end()};
}

void expectNoAudioServerWarning()
{
    // Qt says so once per process, when it first looks for a sound server.
    static bool said = false;
    if (!std::exchange(said, true))
        QTest::ignoreMessage(QtWarningMsg, "PulseAudioService: pa_context_connect() failed");
}

// The mission with no window and its spoken callouts on the fake speaker, counting on the fake clock from start
// towards the initial launch target, May 3, 2001 10:30:00 AM.
class CountRoom
{
public:
    explicit CountRoom(QStringView start, bool on = true) : clock(FakeClock::at(start))
    {
        speaker.onPlayed = [this](const FakeSpeaker::Played& played) {
            const auto count = mission.state().count();
            calls.append((count ? QString::number(*count) : u"none"_s) + u": "_s + played.texts.join(u" + "_s));
        };
        mission.launchClock().tmrCountdown().start();
        callouts.setOn(on);
        settle();
    }

    // The clock moves on a second at a time, and the program runs after each.
    void tick(int seconds = 1)
    {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1);
            settle();
        }
    }
    void jumpTo(QStringView when)
    {
        clock.setNow(FakeClock::at(when));
        settle();
    }
    void run(const std::function<void()>& command)
    {
        command();
        settle();
    }
    // Every play, as "COUNT: TEXT + TEXT", COUNT being the count shown when it was played.
    QStringList heard() const { return calls; }

    FakeClock clock;
    ScriptedPrompter prompter;
    Mission mission{clock, prompter};
    FakeSpeaker speaker{clock};
    SpokenCallouts callouts{mission.state(), clock, speaker, nullptr, nullptr};
    QStringList calls;
};

// The countdown sequence of these milestones: each a callout, or a built-in hold if it has a length.
CountdownSequence sequenceOf(const QList<std::pair<qint32, QString>>& callouts,
                             const std::optional<Milestone>& builtInHold = {})
{
    CountdownSequence sequence;
    for (const auto& [time, name] : callouts)
        sequence.add({time, name, Milestone::Kind::Callout, 0});
    if (builtInHold)
        sequence.add(*builtInHold);
    return sequence;
}

QStringList lastTen()
{
    QStringList calls;
    for (int n = 10; n >= 1; --n)
        calls.append(u"%1: %1"_s.arg(n));
    return calls << u"0: Liftoff"_s;
}

} // namespace

class TestSpeech : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // These tests never make a sound, whatever sound server the machine has.
        qputenv("PULSE_SERVER", "unix:/nonexistent/tarvane-tests-make-no-sound");
        // Nor do they read or change the machine's settings.
        useOwnSettings();
    }

    void clipsBeginWithTheirFirstAudibleSample_data()
    {
        QTest::addColumn<std::vector<qint16>>("samples");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");

        // At 1 kHz the 30 ms tail is 30 samples.
        std::vector<qint16> quietThenLoud(100, 0);
        for (int i = 0; i < 100; ++i)
            quietThenLoud[size_t(i)] = qint16(i % 2 ? 327 : -327);
        quietThenLoud.insert(quietThenLoud.end(), {-328, 5000, 0});
        quietThenLoud.insert(quietThenLoud.end(), 50, qint16(12));
        QTest::newRow("noise below the level is cut, the tail kept") << quietThenLoud << 100 << 32;
        QTest::newRow("the lowest sample counts") << samplesOf({0, 0, -32768, 0}) << 2 << 2;
        QTest::newRow("audible from the start to the end") << samplesOf({400, 0, 0, -400}) << 0 << 4;
        QTest::newRow("all silent") << samplesOf({0, 327, -327, 0}) << 0 << 0;
        QTest::newRow("nothing") << std::vector<qint16>{} << 0 << 0;
    }

    void clipsBeginWithTheirFirstAudibleSample()
    {
        QFETCH(std::vector<qint16>, samples);
        QFETCH(int, first);
        QFETCH(int, count);

        const SpeechClip clip = SpeechClip::fromSamples(u"ten"_s, 1000, samples);

        QCOMPARE(clip.text(), u"ten"_s);
        QCOMPARE(clip.sampleCount(), count);
        QCOMPARE(clip.isEmpty(), count == 0);
        if (count > 0) {
            QVERIFY(std::equal(clip.samples().begin(), clip.samples().end(), samples.begin() + first));
            QVERIFY(std::abs(int(clip.samples().front())) >= SpeechClip::audibleLevel);
        }
    }

    void joinsClipsInOrderAtOneRate()
    {
        const SpeechClip hold = SpeechClip::fromSamples(u"Hold"_s, 1000, samplesOf({1000, 2000}));
        const SpeechClip resume = SpeechClip::fromSamples(u"Resume"_s, 1000, samplesOf({-3000}));
        const SpeechClip other = SpeechClip::fromSamples(u"Other"_s, 2000, samplesOf({4000}));

        const SpeechClip joined = SpeechClip::joined({hold, other, resume});

        QCOMPARE(joined.text(), u"Hold Resume"_s);
        QCOMPARE(joined.sampleRate(), 1000);
        QCOMPARE(joined.pcm(), hold.pcm() + resume.pcm());
        QCOMPARE(joined.durationMsecs(), 3);
        QVERIFY(SpeechClip::joined({}).isEmpty());
    }

    // Each fixed call is made off the calling thread, in the order asked, and each one sounds: no text of them
    // comes out silent.
    void everyFixedCallIsPreparedOffTheCallingThreadAndSounds()
    {
        auto owned = std::make_unique<WatchedEngine>(std::make_unique<FliteSpeechEngine>());
        WatchedEngine& engine = *owned;
        SystemSpeaker speaker(std::move(owned));
        QSignalSpy prepared(&speaker, &Speaker::prepared);
        QSignalSpy failed(&speaker, &Speaker::preparationFailed);

        for (const QString& text : fixedCalls)
            speaker.prepare(text);
        QCOMPARE(prepared.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(prepared.count() + failed.count(), fixedCalls.size(), 60000);

        QCOMPARE(failed.count(), 0);
        for (int i = 0; i < fixedCalls.size(); ++i) {
            const auto clip = prepared.at(i).at(0).value<SpeechClip>();
            QCOMPARE(clip.text(), fixedCalls.at(i));
            QCOMPARE(clip.sampleRate(), 16000);
            QVERIFY2(std::abs(int(clip.samples().front())) >= SpeechClip::audibleLevel, qPrintable(clip.text()));
            const auto audible = std::count_if(clip.samples().begin(), clip.samples().end(),
                                               [](qint16 s) { return std::abs(int(s)) >= SpeechClip::audibleLevel; });
            QVERIFY2(audible >= 16000 / 10, qPrintable(clip.text())); // a tenth of a second at least
        }
        QCOMPARE(engine.loads, 1);
        const QList<QThread*> threads = engine.threads();
        QCOMPARE(threads.size(), 1 + fixedCalls.size());
        QVERIFY(!threads.contains(QThread::currentThread()));
        QCOMPARE(QSet<QThread*>(threads.begin(), threads.end()).size(), 1);
    }

    void saysWhySoundIsUnavailable_data()
    {
        QTest::addColumn<QString>("loadProblem");
        QTest::addColumn<QString>("reason");

        QTest::newRow("no audio output") << QString() << u"No audio output was found."_s;
        QTest::newRow("no engine either")
            << u"The speech engine could not load its voice."_s
            << u"The speech engine could not load its voice. No audio output was found."_s;
    }

    void saysWhySoundIsUnavailable()
    {
        QFETCH(QString, loadProblem);
        QFETCH(QString, reason);
        expectNoAudioServerWarning();
        auto owned = std::make_unique<WatchedEngine>(nullptr, loadProblem);
        WatchedEngine& engine = *owned;
        SystemSpeaker speaker(std::move(owned));
        QSignalSpy changes(&speaker, &Speaker::availabilityChanged);
        QSignalSpy prepared(&speaker, &Speaker::prepared);
        QSignalSpy failed(&speaker, &Speaker::preparationFailed);

        QCOMPARE(speaker.availability().state, SoundAvailability::State::Unknown);
        QCOMPARE(engine.loads, 0);

        speaker.setOn(true);
        QTRY_COMPARE(speaker.availability().state, SoundAvailability::State::Unavailable);
        QTRY_COMPARE(speaker.availability().reason, reason);
        QCOMPARE(changes.last().at(0).value<SoundAvailability>(), speaker.availability());

        // Playing without sound does nothing, and says nothing more.
        speaker.prepare(u"10"_s);
        QTRY_COMPARE(prepared.count() + failed.count(), 1);
        if (loadProblem.isEmpty()) {
            speaker.play({prepared.at(0).at(0).value<SpeechClip>()});
        } else {
            QCOMPARE(failed.at(0), (QVariantList{u"10"_s, loadProblem}));
        }
        const auto said = changes.count();
        speaker.setOn(false);
        QTest::qWait(50);
        QCOMPARE(changes.count(), said);
        QCOMPARE(engine.loads, 1);
    }

    // What tests of views rely on holds for the fake as for the real speaker: clips come after prepare() has
    // returned, availability is unknown until the speaker is switched on, and nothing plays while it is off.
    void bothSpeakersKeepOneContract_data()
    {
        QTest::addColumn<bool>("fake");
        QTest::newRow("system") << false;
        QTest::newRow("fake") << true;
    }

    void bothSpeakersKeepOneContract()
    {
        QFETCH(bool, fake);
        expectNoAudioServerWarning();
        FakeClock clock;
        std::unique_ptr<Speaker> speaker;
        FakeSpeaker* fakeSpeaker = nullptr;
        if (fake)
            speaker = std::unique_ptr<Speaker>(fakeSpeaker = new FakeSpeaker(clock));
        else
            speaker = std::make_unique<SystemSpeaker>(std::make_unique<WatchedEngine>(nullptr));
        QSignalSpy prepared(speaker.get(), &Speaker::prepared);

        speaker->prepare(u"Liftoff"_s);
        QCOMPARE(prepared.count(), 0);
        QCOMPARE(speaker->availability().state, SoundAvailability::State::Unknown);
        QTRY_COMPARE(prepared.count(), 1);
        const auto clip = prepared.at(0).at(0).value<SpeechClip>();
        QCOMPARE(clip.text(), u"Liftoff"_s);
        QVERIFY(!clip.isEmpty());

        speaker->play({clip});
        QVERIFY(!speaker->isOn());
        speaker->setOn(true);
        QVERIFY(speaker->isOn());
        QTRY_VERIFY(speaker->availability().state != SoundAvailability::State::Unknown);
        if (fakeSpeaker) {
            speaker->play({clip, clip});
            clock.advance(1);
            speaker->setOn(false);
            speaker->play({clip});
            QCOMPARE(fakeSpeaker->played,
                     (QList<FakeSpeaker::Played>{{clock.currentMSecs() - 1000, {u"Liftoff"_s, u"Liftoff"_s}}}));
        }
    }

    // Through a whole count: each call once, in the second it belongs to, and nothing else.
    void callsEachMarkInItsSecond()
    {
        CountRoom room(u"May 3, 2001 10:19:00 AM"); // T - 11 minutes
        QCOMPARE(room.speaker.prepareRequests, fixedCalls);
        room.tick(665);
        QCOMPARE(room.heard(), QStringList({u"600: T minus 10 minutes"_s, u"300: T minus 5 minutes"_s,
                                            u"60: T minus 1 minute"_s, u"30: T minus 30 seconds"_s}) +
                                   lastTen());
        QVERIFY(room.speaker.stops.isEmpty());
    }

    // Holds in the last minute: each begins and ends aloud, nothing is counted while held, the second the count
    // resumes on is not called again, and calls of one second play one after another.
    void holdsInTheLastMinute()
    {
        CountRoom room(u"May 3, 2001 10:29:40 AM");
        Holds& holds = room.mission.holds();
        holds.ToggleHoldEnable();
        room.tick(5);
        room.run([&] { holds.HoldCount(); });
        room.tick(3);
        room.run([&] { holds.ResumeCount(); }); // after "Hold, hold, hold" has ended
        QTRY_COMPARE(room.speaker.played.size(), 2);
        room.tick(8);
        // Held while "7" still sounds, and resumed at once.
        room.run([&] { holds.HoldCount(); });
        room.run([&] { holds.ResumeCount(); });
        QTRY_COMPARE(room.speaker.played.size(), 7);
        // Held when 6 has begun but before its tick: the new second is called first.
        room.clock.advance(1);
        room.run([&] { holds.HoldCount(); });
        room.tick(2);
        room.run([&] { holds.ResumeCount(); });
        QTRY_COMPARE(room.speaker.played.size(), 9);
        room.tick(7);

        QCOMPARE(room.heard(), QStringList({u"15: Hold, hold, hold"_s, u"15: Count resuming"_s, u"10: 10"_s, u"9: 9"_s,
                                            u"8: 8"_s, u"7: 7"_s, u"7: Hold, hold, hold + Count resuming"_s,
                                            u"6: 6 + Hold, hold, hold"_s, u"6: Count resuming"_s}) +
                                   lastTen().mid(5));
    }

    // A jump calls the second it lands on, if that second has a call, and never the seconds it carried the count
    // past.
    void jumpsCallOnlyWhereTheyLand()
    {
        CountRoom room(u"May 3, 2001 10:29:15 AM");
        room.tick(5); // T - 40
        room.jumpTo(u"May 3, 2001 10:29:56 AM");
        room.tick(6);
        room.jumpTo(u"May 3, 2001 10:20:00 AM");
        room.jumpTo(u"May 3, 2001 10:29:45 AM");
        room.tick(1);
        QCOMPARE(room.heard(), lastTen().mid(6) << u"600: T minus 10 minutes"_s);
        QVERIFY(room.speaker.stops.isEmpty());
    }

    // A launch data file brings a new target: the second it lands on is called as after a jump, but not while the
    // count is held.
    void fileLoadsCountLikeJumps()
    {
        CountRoom room(u"May 3, 2001 10:29:40 AM");
        LaunchSettings settings(room.mission);
        const auto load = [&](const QString& target, bool armed) {
            LaunchRecord record = settings.values();
            record.launchTarget = target;
            record.holdsArmed = armed;
            settings.apply(record);
            room.mission.noteFileLoaded();
            settle();
        };
        load(u"May 3, 2001   10:34:40 AM"_s, true);
        room.tick(2);
        room.run([&] { room.mission.holds().HoldCount(); });
        load(u"May 3, 2001   10:30:12 AM"_s, true); // 30 s to go, held
        room.tick(4);
        QCOMPARE(room.mission.state().count(), 298); // standing
        room.run([&] { room.mission.holds().ResumeCount(); });
        QCOMPARE(room.mission.state().count(), 30);
        room.tick(20);
        // "T minus 30 seconds" is not called: the count resumes on it.
        QCOMPARE(room.heard(), QStringList({u"300: T minus 5 minutes"_s, u"298: Hold, hold, hold"_s,
                                            u"298: Count resuming"_s, u"10: 10"_s}));
    }

    // The launch window's warning and expiry are called in their seconds during a hold.
    void launchWindowWarningAndExpiry()
    {
        CountRoom room(u"May 3, 2001 10:24:55 AM");
        room.mission.launchWindow().setRemainingText(u"0:01:02"_s);
        room.mission.launchWindow().setWindowActive(true);
        room.mission.holds().ToggleHoldEnable();
        room.tick(5);
        room.run([&] { room.mission.holds().HoldCount(); });
        QTRY_COMPARE(room.speaker.played.size(), 2);
        const qint64 heldAt = room.clock.currentMSecs();
        room.tick(3);
        room.prompter.answer(Prompter::Answer::Ok);
        room.tick(60);
        QVERIFY(room.mission.state().windowExpired());

        QCOMPARE(room.heard(),
                 QStringList({u"300: T minus 5 minutes"_s, u"300: Hold, hold, hold"_s,
                              u"300: One minute of launch window remaining"_s, u"300: Launch window expired"_s}));
        QCOMPARE(room.speaker.played.at(2).msecs - heldAt, 3000); // 0:00:59 left
        QCOMPARE(room.speaker.played.at(3).msecs - heldAt, 63000);
    }

    // Calls of one second play in one order whatever raised them first: the count's, a hold's, a milestone's. A
    // count call cuts off what the second before had still to say; a call whose clip is not ready is left out.
    void oneSecondsCallsInOrderUntilTheNext()
    {
        CountRoom room(u"May 3, 2001 10:29:48 AM");
        Holds& holds = room.mission.holds();
        holds.ToggleHoldEnable();
        room.speaker.unpreparable = {u"Unspeakable"_s};
        room.run([&] {
            room.mission.sequence().setSequence(
                sequenceOf({{-3, u"Go for launch"_s}, {-2, u"Unspeakable"_s}, {2, u"Tower clear"_s}},
                           Milestone{-5, u"Terminal count"_s, Milestone::Kind::BuiltInHold, 60}));
        });
        room.tick(6);
        // A late tick finds the count past the built-in hold's second: the count is held back on it and that
        // second is called, not the one the tick saw first.
        room.clock.pass(2);
        room.run([&] { room.mission.launchClock().tmrCountdown_Timer(); });
        QCOMPARE(room.mission.state().count().value_or(-1), 5);
        room.run([&] { holds.ResumeCount(); });
        QTRY_COMPARE(room.speaker.played.size(), 7);
        room.tick(3);
        room.run([&] { holds.HoldCount(); }); // waits for "2" to end...
        room.run([&] { holds.ResumeCount(); });
        room.tick(4); // ...and gives way to "1"
        QTest::qWait(300);

        QCOMPARE(room.heard(),
                 QStringList({u"10: 10"_s, u"9: 9"_s, u"8: 8"_s, u"7: 7"_s, u"6: 6"_s,
                              u"5: 5 + Hold, hold, hold + Terminal count"_s, u"5: Count resuming"_s, u"4: 4"_s,
                              u"3: 3 + Go for launch"_s, u"2: 2"_s, u"1: 1"_s, u"0: Liftoff"_s, u"-2: Tower clear"_s}));
    }

    // Off, the callouts touch nothing of the speaker. On, every fixed call is made once, and the milestones'
    // names whenever the sequence changes; a name the engine cannot speak is not asked for again.
    void preparesOnlyWhenOn()
    {
        CountRoom room(u"May 3, 2001 10:29:45 AM", false);
        SequenceEngine& sequence = room.mission.sequence();
        sequence.setSequence(sequenceOf({{-600, u"Go for launch"_s}, {-500, u"Unspeakable"_s}}));
        room.tick(10);
        QVERIFY(room.speaker.prepareRequests.isEmpty());
        QVERIFY(!room.speaker.isOn());
        QVERIFY(room.speaker.played.isEmpty());

        room.speaker.unpreparable = {u"Unspeakable"_s};
        room.run([&] { room.callouts.setOn(true); });
        QCOMPARE(room.speaker.prepareRequests, fixedCalls + QStringList({u"Go for launch"_s, u"Unspeakable"_s}));
        room.run([&] { room.callouts.setOn(false); });
        room.run([&] { room.callouts.setOn(true); });
        room.run([&] { QVERIFY(sequence.removeMilestone(0)); });
        room.run([&] { QVERIFY(sequence.addMilestone({-400, u"Go, Go"_s, Milestone::Kind::Callout, 0}).isNone()); });
        QCOMPARE(room.speaker.prepareRequests.size(), fixedCalls.size() + 3);
        QCOMPARE(room.speaker.prepareRequests.constLast(), u"Go, Go"_s);
        room.tick(1);
        QCOMPARE(room.heard(), QStringList{u"4: 4"_s});
    }

    // The item: off by default, the operator's choice kept in the settings; unavailable sound disables it with
    // the reason as its tool tip and switches the callouts off, saying why once.
    void menuItemKeepsTheChoiceAndSaysWhyNot()
    {
        FakeClock clock;
        ScriptedPrompter prompter;
        Mission mission(clock, prompter);
        FakeSpeaker speaker(clock);
        QMenu menu;
        {
            SpokenCallouts callouts(mission.state(), clock, speaker, &menu, nullptr);
            QAction* item = callouts.menuItem();
            QCOMPARE(item->objectName(), u"mnuSpokenCallouts"_s);
            QCOMPARE(item->text(), u"Spoken &Callouts"_s);
            QVERIFY(item->isCheckable() && !item->isChecked() && item->isEnabled());
            QVERIFY(menu.toolTipsVisible());
            QVERIFY(!speaker.isOn());
            item->trigger();
            QVERIFY(callouts.isOn() && speaker.isOn());
        }
        QVERIFY(!speaker.isOn()); // the output stays open only while callouts are on
        menu.clear();
        {
            SpokenCallouts callouts(mission.state(), clock, speaker, &menu, nullptr); // the next start
            QVERIFY(callouts.menuItem()->isChecked() && speaker.isOn());
            QSignalSpy unavailable(&callouts, &SpokenCallouts::unavailable);
            speaker.makeAvailability(SoundAvailability::unavailable(u"No audio output was found."_s));
            const QString why = u"Spoken callouts cannot be heard: No audio output was found."_s;
            QCOMPARE(unavailable.count(), 1);
            QCOMPARE(unavailable.at(0).at(0).toString(), why);
            QVERIFY(!callouts.isOn() && !speaker.isOn());
            QVERIFY(!callouts.menuItem()->isEnabled() && !callouts.menuItem()->isChecked());
            QCOMPARE(callouts.menuItem()->toolTip(), why);
            callouts.setOn(true); // as --speak would
            QCOMPARE(unavailable.count(), 2);
            QVERIFY(!callouts.isOn());
        }
        // The operator's choice stays as made, for when sound works again; unchecked, it stays off.
        FakeSpeaker working(clock);
        menu.clear();
        {
            SpokenCallouts again(mission.state(), clock, working, &menu, nullptr);
            QVERIFY(again.menuItem()->isChecked() && again.menuItem()->isEnabled() && working.isOn());
            again.menuItem()->trigger();
            QVERIFY(!working.isOn());
        }
        menu.clear();
        SpokenCallouts off(mission.state(), clock, working, &menu, nullptr);
        QVERIFY(!off.menuItem()->isChecked() && !working.isOn());
    }
};

QTEST_MAIN(TestSpeech)
#include "tst_speech.moc"
