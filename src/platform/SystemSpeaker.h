#pragma once

#include "Speaker.h"

#include <QThread>

#include <memory>
#include <optional>

class ClipPlayer;
class SpeechEngine;

// The speaker of the computer's audio output. The engine synthesises on a thread of its own and the clips play
// from another, so that neither ever holds up the thread that calls. Neither thread starts, and neither the
// engine nor the audio output is touched, before the first prepare() or setOn(true).
class SystemSpeaker final : public Speaker
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SystemSpeaker)

public:
    explicit SystemSpeaker(std::unique_ptr<SpeechEngine> engine, QObject* parent = nullptr);
    ~SystemSpeaker() override;

    // With the flite engine.
    static std::unique_ptr<SystemSpeaker> create(QObject* parent = nullptr);

    void setOn(bool on) override;
    bool isOn() const override { return m_on; }
    SoundAvailability availability() const override { return m_availability; }

    void prepare(const QString& text) override;
    void play(const QList<SpeechClip>& clips) override;
    void stop() override;

private:
    void startSynthesis();
    void engineLoaded(const QString& problem);
    void outputOpened(const QString& problem);
    void updateAvailability();

    std::unique_ptr<SpeechEngine> m_engine; // used on m_synthesis only
    QString m_loadProblem;                  // read and written on m_synthesis only
    QThread m_synthesis;
    QObject* m_synthesisContext = nullptr; // lives on m_synthesis
    QThread m_audio;
    ClipPlayer* m_player = nullptr; // lives on m_audio
    bool m_on = false;
    std::optional<QString> m_engineProblem; // empty: ready; nothing: not known yet
    std::optional<QString> m_outputProblem;
    SoundAvailability m_availability;
};
