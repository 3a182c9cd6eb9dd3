#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

#include <span>

// A text turned into sound, ready to play: 16-bit mono samples in the machine's byte order. A clip begins with its
// first audible sample, so that playing it is heard at once; the engine's leading silence is cut off when the clip
// is made. Copies share their samples.
class SpeechClip
{
public:
    // Quieter than this (-40 dBFS) counts as silence, when clips are made and when recordings are analysed.
    static constexpr int audibleLevel = 328;
    // Kept after the last audible sample, so that a word's fading end is not cut.
    static constexpr int tailMsecs = 30;

    SpeechClip() = default;

    // The clip of text from an engine's samples, without the silence before the first audible sample and all but
    // a short tail of the silence after the last one. Empty when no sample is audible.
    static SpeechClip fromSamples(const QString& text, int sampleRate, std::span<const qint16> samples);

    // Clips of one sample rate joined into one, in order; clips of another rate than the first are left out.
    static SpeechClip joined(const QList<SpeechClip>& clips);

    const QString& text() const { return m_text; }
    int sampleRate() const { return m_sampleRate; }
    const QByteArray& pcm() const { return m_pcm; }
    qsizetype sampleCount() const { return m_pcm.size() / qsizetype(sizeof(qint16)); }
    std::span<const qint16> samples() const;
    qint64 durationMsecs() const;
    bool isEmpty() const { return m_pcm.isEmpty(); }

private:
    QString m_text;
    int m_sampleRate = 0;
    QByteArray m_pcm;
};

Q_DECLARE_METATYPE(SpeechClip)
