#include "FliteSpeechEngine.h"

#include <QCoreApplication>

#include <flite/flite.h>

#include <mutex>

extern "C" {
cst_voice* register_cmu_us_slt(const char* voxdir);
void unregister_cmu_us_slt(cst_voice* voice);
}

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("FliteSpeechEngine", text);
}

} // namespace

FliteSpeechEngine::~FliteSpeechEngine()
{
    if (m_voice)
        unregister_cmu_us_slt(m_voice);
}

QString FliteSpeechEngine::load()
{
    if (m_voice)
        return {};
    static std::once_flag initialised;
    std::call_once(initialised, [] { flite_init(); });
    m_voice = register_cmu_us_slt(nullptr);
    return m_voice ? QString() : tr("The speech engine could not load its voice.");
}

std::variant<SpeechClip, QString> FliteSpeechEngine::synthesise(const QString& text)
{
    if (!m_voice)
        return tr("The speech engine could not load its voice.");
    cst_wave* wave = flite_text_to_wave(text.toUtf8().constData(), m_voice);
    if (!wave || wave->num_channels != 1 || wave->num_samples <= 0) {
        if (wave)
            delete_wave(wave);
        return tr("The speech engine made no sound of this text.");
    }
    SpeechClip clip = SpeechClip::fromSamples(text, wave->sample_rate, {wave->samples, size_t(wave->num_samples)});
    delete_wave(wave);
    if (clip.isEmpty())
        return tr("The speech engine made no sound of this text.");
    return clip;
}
