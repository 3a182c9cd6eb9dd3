#include "FliteSpeechEngine.h"

#include <QCoreApplication>
#include <QLibrary>

#include <flite/flite.h>

#include <mutex>

using namespace Qt::StringLiterals;

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("FliteSpeechEngine", text);
}

} // namespace

// The library and its voice are loaded here, not linked: their relocations alone cost every start of the program
// about 3 MiB, and most runs never speak.
struct FliteSpeechEngine::Library
{
    using Init = int (*)();
    using Register = cst_voice* (*)(const char*);
    using Unregister = void (*)(cst_voice*);
    using TextToWave = cst_wave* (*)(const char*, cst_voice*);
    using DeleteWave = void (*)(cst_wave*);

    // The voice's library brings flite and its English lexicon with it.
    QLibrary voice{u"flite_cmu_us_slt"_s, 1};
    Init init = nullptr;
    Register registerVoice = nullptr;
    Unregister unregisterVoice = nullptr;
    TextToWave textToWave = nullptr;
    DeleteWave deleteWave = nullptr;

    bool load()
    {
        if (!voice.load())
            return false;
        init = reinterpret_cast<Init>(voice.resolve("flite_init"));
        registerVoice = reinterpret_cast<Register>(voice.resolve("register_cmu_us_slt"));
        unregisterVoice = reinterpret_cast<Unregister>(voice.resolve("unregister_cmu_us_slt"));
        textToWave = reinterpret_cast<TextToWave>(voice.resolve("flite_text_to_wave"));
        deleteWave = reinterpret_cast<DeleteWave>(voice.resolve("delete_wave"));
        return init && registerVoice && unregisterVoice && textToWave && deleteWave;
    }
};

FliteSpeechEngine::FliteSpeechEngine() = default;

FliteSpeechEngine::~FliteSpeechEngine()
{
    // The library stays loaded: flite keeps state of its own for the process.
    if (m_voice)
        m_library->unregisterVoice(m_voice);
}

QString FliteSpeechEngine::load()
{
    if (m_voice)
        return {};
    if (!m_library) {
        auto library = std::make_unique<Library>();
        if (!library->load())
            return tr("The speech engine (flite) is not installed.");
        // What every voice shares, once a process.
        static std::once_flag initialised;
        std::call_once(initialised, [&library] { library->init(); });
        m_library = std::move(library);
    }
    m_voice = m_library->registerVoice(nullptr);
    return m_voice ? QString() : tr("The speech engine could not load its voice.");
}

std::variant<SpeechClip, QString> FliteSpeechEngine::synthesise(const QString& text)
{
    if (!m_voice)
        return tr("The speech engine could not load its voice.");
    cst_wave* wave = m_library->textToWave(text.toUtf8().constData(), m_voice);
    if (!wave || wave->num_channels != 1 || wave->num_samples <= 0) {
        if (wave)
            m_library->deleteWave(wave);
        return tr("The speech engine made no sound of this text.");
    }
    SpeechClip clip = SpeechClip::fromSamples(text, wave->sample_rate, {wave->samples, size_t(wave->num_samples)});
    m_library->deleteWave(wave);
    if (clip.isEmpty())
        return tr("The speech engine made no sound of this text.");
    return clip;
}
