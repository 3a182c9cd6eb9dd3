#include "SystemSpeaker.h"

#include "ClipPlayer.h"
#include "FliteSpeechEngine.h"

#include <QStringList>

using namespace Qt::StringLiterals;

SystemSpeaker::SystemSpeaker(std::unique_ptr<SpeechEngine> engine, QObject* parent)
    : Speaker(parent), m_engine(std::move(engine))
{
    m_synthesis.setObjectName(u"SpeechSynthesis"_s);
    m_audio.setObjectName(u"SpeechAudio"_s);
}

SystemSpeaker::~SystemSpeaker()
{
    // Deferred deletions still run when a thread finishes, so each object goes on its own thread.
    if (m_player) {
        m_player->deleteLater();
        m_audio.quit();
        m_audio.wait();
    }
    if (m_synthesisContext) {
        m_synthesisContext->deleteLater();
        m_synthesis.quit();
        m_synthesis.wait();
    }
}

std::unique_ptr<SystemSpeaker> SystemSpeaker::create(QObject* parent)
{
    return std::make_unique<SystemSpeaker>(std::make_unique<FliteSpeechEngine>(), parent);
}

void SystemSpeaker::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    if (!on) {
        QMetaObject::invokeMethod(m_player, &ClipPlayer::close);
        return;
    }
    startSynthesis();
    // The audio thread stays once started: Qt's sound server connection belongs to the thread that made it.
    if (!m_player) {
        m_player = new ClipPlayer;
        m_player->moveToThread(&m_audio);
        connect(m_player, &ClipPlayer::outputChecked, this, &SystemSpeaker::outputOpened);
        m_audio.start();
    }
    QMetaObject::invokeMethod(m_player, &ClipPlayer::open);
}

void SystemSpeaker::prepare(const QString& text)
{
    startSynthesis();
    QMetaObject::invokeMethod(m_synthesisContext, [this, text] {
        auto result = m_loadProblem.isEmpty() ? m_engine->synthesise(text) : m_loadProblem;
        QMetaObject::invokeMethod(this, [this, text, result = std::move(result)] {
            if (const auto* clip = std::get_if<SpeechClip>(&result))
                emit prepared(*clip);
            else
                emit preparationFailed(text, std::get<QString>(result));
        });
    });
}

void SystemSpeaker::play(const QList<SpeechClip>& clips)
{
    if (!m_on)
        return;
    // Joined on the audio thread: the caller only posts the list.
    QMetaObject::invokeMethod(m_player, [player = m_player, clips] { player->play(SpeechClip::joined(clips)); });
}

void SystemSpeaker::stop()
{
    if (m_player)
        QMetaObject::invokeMethod(m_player, &ClipPlayer::stop);
}

void SystemSpeaker::startSynthesis()
{
    if (m_synthesisContext)
        return;
    m_synthesisContext = new QObject;
    m_synthesisContext->moveToThread(&m_synthesis);
    m_synthesis.start();
    QMetaObject::invokeMethod(m_synthesisContext, [this] {
        m_loadProblem = m_engine->load();
        QMetaObject::invokeMethod(this, [this, problem = m_loadProblem] { engineLoaded(problem); });
    });
}

void SystemSpeaker::engineLoaded(const QString& problem)
{
    m_engineProblem = problem;
    updateAvailability();
}

void SystemSpeaker::outputOpened(const QString& problem)
{
    m_outputProblem = problem;
    updateAvailability();
}

void SystemSpeaker::updateAvailability()
{
    QStringList problems;
    for (const auto& problem : {m_engineProblem, m_outputProblem})
        if (problem && !problem->isEmpty())
            problems.append(*problem);
    SoundAvailability next = m_availability;
    if (!problems.isEmpty())
        next = SoundAvailability::unavailable(problems.join(u' '));
    else if (m_engineProblem && m_outputProblem)
        next = SoundAvailability::available();
    if (next == m_availability)
        return;
    m_availability = next;
    emit availabilityChanged(next);
}
