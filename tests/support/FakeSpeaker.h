#pragma once

#include "platform/Clock.h"
#include "platform/Speaker.h"

#include <QList>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <vector>

// A speaker that makes no sound: it records every clip it was asked to play and when, on the test's clock.
// Clips are "prepared" at the next turn of the event loop, as the real speaker's arrive later too.
class FakeSpeaker final : public Speaker
{
    Q_DISABLE_COPY_MOVE(FakeSpeaker)

public:
    struct Played
    {
        qint64 msecs;      // the clock's reading at the call
        QStringList texts; // of the clips, in order
        friend bool operator==(const Played&, const Played&) = default;
    };

    explicit FakeSpeaker(const Clock& clock) : m_clock(clock) {}

    // A clip of text: a tone whose length follows the text, 16 kHz.
    static SpeechClip clipOf(const QString& text)
    {
        std::vector<qint16> samples(size_t(800 + 160 * text.size()));
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = qint16(i % 16 < 8 ? 8000 : -8000);
        return SpeechClip::fromSamples(text, 16000, samples);
    }

    void setOn(bool on) override
    {
        if (on == m_on)
            return;
        m_on = on;
        if (on && m_availability.state == SoundAvailability::State::Unknown)
            makeAvailability(SoundAvailability::available());
    }
    bool isOn() const override { return m_on; }
    SoundAvailability availability() const override { return m_availability; }

    void prepare(const QString& text) override
    {
        prepareRequests.append(text);
        QTimer::singleShot(0, this, [this, text] {
            if (!unpreparable.contains(text))
                emit prepared(clipOf(text));
            else
                emit preparationFailed(text, QStringLiteral("The speech engine made no sound of this text."));
        });
    }

    void play(const QList<SpeechClip>& clips) override
    {
        if (!m_on)
            return;
        QStringList texts;
        for (const SpeechClip& clip : clips)
            texts.append(clip.text());
        played.append({m_clock.currentMSecs(), texts});
        if (onPlayed)
            onPlayed(played.constLast());
    }
    void stop() override { stops.append(m_clock.currentMSecs()); }

    // Sets the answer, as a switched-on speaker learns it.
    void makeAvailability(const SoundAvailability& availability)
    {
        if (availability == m_availability)
            return;
        m_availability = availability;
        emit availabilityChanged(availability);
    }

    QList<Played> played;
    QList<qint64> stops;
    QStringList prepareRequests;
    QStringList unpreparable; // texts whose preparation fails
    std::function<void(const Played&)> onPlayed;

private:
    const Clock& m_clock;
    bool m_on = false;
    SoundAvailability m_availability;
};
