#include "FakeClock.h"
#include "FakeSpeaker.h"
#include "platform/FliteSpeechEngine.h"
#include "platform/SystemSpeaker.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <mutex>

using namespace Qt::StringLiterals;

namespace {

const QStringList fixedCalls{u"T minus 10 minutes"_s,
                             u"T minus 5 minutes"_s,
                             u"T minus 1 minute"_s,
                             u"T minus 30 seconds"_s,
                             u"10"_s,
                             u"9"_s,
                             u"8"_s,
                             u"7"_s,
                             u"6"_s,
                             u"5"_s,
                             u"4"_s,
                             u"3"_s,
                             u"2"_s,
                             u"1"_s,
                             u"Liftoff"_s,
                             u"Hold, hold, hold"_s,
                             u"Count resuming"_s,
                             u"One minute of launch window remaining"_s,
                             u"Launch window expired"_s};

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

} // namespace

class TestSpeech : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // These tests never make a sound, whatever sound server the machine has.
        qputenv("PULSE_SERVER", "unix:/nonexistent/tarvane-tests-make-no-sound");
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
};

QTEST_MAIN(TestSpeech)
#include "tst_speech.moc"
