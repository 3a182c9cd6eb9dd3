#include "SpeechClip.h"

#include <QStringList>

#include <algorithm>
#include <cstdlib>

namespace {

bool audible(qint16 sample)
{
    return std::abs(int(sample)) >= SpeechClip::audibleLevel;
}

} // namespace

SpeechClip SpeechClip::fromSamples(const QString& text, int sampleRate, std::span<const qint16> samples)
{
    SpeechClip clip;
    clip.m_text = text;
    clip.m_sampleRate = sampleRate;
    const auto first = std::find_if(samples.begin(), samples.end(), audible);
    if (first == samples.end() || sampleRate <= 0)
        return clip;
    const auto lastAudible = std::find_if(samples.rbegin(), samples.rend(), audible).base();
    const qsizetype tail = qsizetype(sampleRate) * tailMsecs / 1000;
    const auto end = lastAudible + std::min<qsizetype>(tail, samples.end() - lastAudible);
    const qsizetype count = end - first;
    clip.m_pcm = QByteArray(reinterpret_cast<const char*>(&*first), count * qsizetype(sizeof(qint16)));
    return clip;
}

SpeechClip SpeechClip::joined(const QList<SpeechClip>& clips)
{
    if (clips.size() == 1)
        return clips.front();
    SpeechClip all;
    QStringList texts;
    for (const SpeechClip& clip : clips) {
        if (clip.isEmpty())
            continue;
        if (all.m_sampleRate == 0)
            all.m_sampleRate = clip.m_sampleRate;
        if (clip.m_sampleRate != all.m_sampleRate)
            continue;
        all.m_pcm += clip.m_pcm;
        texts.append(clip.m_text);
    }
    all.m_text = texts.join(u' ');
    return all;
}

std::span<const qint16> SpeechClip::samples() const
{
    return {reinterpret_cast<const qint16*>(m_pcm.constData()), size_t(sampleCount())};
}

qint64 SpeechClip::durationMsecs() const
{
    return m_sampleRate > 0 ? qint64(sampleCount()) * 1000 / m_sampleRate : 0;
}
