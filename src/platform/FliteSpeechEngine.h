#pragma once

#include "SpeechEngine.h"

#include <memory>

struct cst_voice_struct;

// Speech from the flite library with its built-in US English voice "slt": offline, a BSD-style licence, and the
// whole text synthesised into memory at once. The library is loaded when the engine is, on the speaker's thread.
class FliteSpeechEngine final : public SpeechEngine
{
public:
    FliteSpeechEngine();
    ~FliteSpeechEngine() override;

    QString load() override;
    std::variant<SpeechClip, QString> synthesise(const QString& text) override;

private:
    struct Library;
    std::unique_ptr<Library> m_library;
    cst_voice_struct* m_voice = nullptr;
};
