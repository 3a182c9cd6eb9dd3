#pragma once

#include "SpeechClip.h"

#include <QString>

#include <variant>

// Turns text into speech. An engine is used from one thread at a time: load() first, then synthesise().
class SpeechEngine
{
public:
    SpeechEngine() = default;
    SpeechEngine(const SpeechEngine&) = delete;
    SpeechEngine& operator=(const SpeechEngine&) = delete;
    virtual ~SpeechEngine() = default;

    // Makes the engine ready; empty when it is, otherwise why it cannot speak.
    virtual QString load() = 0;

    // The text as a clip (see SpeechClip::fromSamples), or why it could not be made.
    virtual std::variant<SpeechClip, QString> synthesise(const QString& text) = 0;
};
