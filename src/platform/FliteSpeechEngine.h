#pragma once

#include "SpeechEngine.h"

struct cst_voice_struct;

// Speech from the flite library with its built-in US English voice "slt": offline, a BSD-style licence, and the
// whole text synthesised into memory at once.
class FliteSpeechEngine final : public SpeechEngine
{
public:
    FliteSpeechEngine() = default;
    ~FliteSpeechEngine() override;

    QString load() override;
    std::variant<SpeechClip, QString> synthesise(const QString& text) override;

private:
    cst_voice_struct* m_voice = nullptr;
};
