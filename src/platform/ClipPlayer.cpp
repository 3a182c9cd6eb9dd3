#include "ClipPlayer.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include <chrono>

using namespace std::chrono_literals;

namespace {

bool failed(const QAudioSink& sink)
{
    return sink.error() == QAudio::OpenError || sink.error() == QAudio::FatalError;
}

} // namespace

ClipPlayer::ClipPlayer(QObject* parent) : QObject(parent)
{
    m_feedTimer.setInterval(20ms);
    connect(&m_feedTimer, &QTimer::timeout, this, &ClipPlayer::feed);
}

ClipPlayer::~ClipPlayer() = default;

void ClipPlayer::open()
{
    m_device = QMediaDevices::defaultAudioOutput();
    m_problem = m_device.isNull() ? tr("No audio output was found.") : QString();
    emit outputChecked(m_problem);
}

void ClipPlayer::close()
{
    stop();
    m_device = {};
}

void ClipPlayer::play(const SpeechClip& clip)
{
    stop();
    if (m_device.isNull() || clip.isEmpty())
        return;
    QAudioFormat format;
    format.setSampleRate(clip.sampleRate());
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    // A stream of its own for every clip: with Qt 6.4 and PulseAudio, one sink stopped and started again
    // sometimes stayed silent.
    m_sink = std::make_unique<QAudioSink>(m_device, format);
    m_input = m_sink->start();
    if (!m_input || failed(*m_sink)) {
        stop();
        report(tr("The audio output could not be opened."));
        return;
    }
    report({});
    m_pending = clip.pcm();
    feed();
    if (!m_sink)
        return;
    // A stream left open after its clip keeps Qt's timer waking this thread 50 times a second: it is closed once
    // the sound has run out.
    connect(m_sink.get(), &QAudioSink::stateChanged, this, [this, sink = m_sink.get()](QAudio::State state) {
        if (state == QAudio::IdleState && m_pending.isEmpty())
            QMetaObject::invokeMethod(
                this,
                [this, sink] {
                    if (m_sink.get() == sink && m_sink->state() == QAudio::IdleState && m_pending.isEmpty())
                        stop();
                },
                Qt::QueuedConnection);
    });
}

void ClipPlayer::stop()
{
    m_feedTimer.stop();
    m_pending.clear();
    m_input = nullptr;
    m_sink.reset();
}

void ClipPlayer::feed()
{
    if (!m_input)
        return;
    const qint64 written = m_input->write(m_pending);
    if (written < 0) {
        stop();
        report(tr("The audio output stopped taking sound."));
        return;
    }
    m_pending.remove(0, written);
    if (m_pending.isEmpty())
        m_feedTimer.stop();
    else if (!m_feedTimer.isActive())
        m_feedTimer.start();
}

void ClipPlayer::report(const QString& problem)
{
    if (problem == m_problem)
        return;
    m_problem = problem;
    emit outputChecked(problem);
}
