#pragma once

#include "SpeechClip.h"

#include <QList>
#include <QObject>
#include <QString>

// Whether sound can be heard, and if not, why.
struct SoundAvailability
{
    enum class State
    {
        Unknown, // not looked at yet: the speaker has not been switched on
        Available,
        Unavailable
    };
    State state = State::Unknown;
    QString reason; // readable, when unavailable

    static SoundAvailability available() { return {State::Available, {}}; }
    static SoundAvailability unavailable(QString why) { return {State::Unavailable, std::move(why)}; }
    bool isAvailable() const { return state == State::Available; }
    friend bool operator==(const SoundAvailability&, const SoundAvailability&) = default;
};

Q_DECLARE_METATYPE(SoundAvailability)

// Speaks ready clips. Texts are synthesised ahead, off the caller's thread, so that a clip can be played on the
// second it belongs to; playing returns at once and never waits for the sound.
//
// Nothing is heard while the speaker is off. Switching it on opens the audio output and looks at whether sound
// can be heard; availabilityChanged() tells the answer. Switching it off closes the output.
class Speaker : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Speaker)

public:
    explicit Speaker(QObject* parent = nullptr) : QObject(parent) {}
    ~Speaker() override = default;

    virtual void setOn(bool on) = 0;
    virtual bool isOn() const = 0;
    virtual SoundAvailability availability() const = 0;

    // Starts turning text into a clip; prepared() or preparationFailed() follows later, on this object's thread,
    // never before prepare() returns. Works whether the speaker is on or off.
    virtual void prepare(const QString& text) = 0;

    // Plays the clips one after another from now, cutting off whatever still plays. Ignored while off.
    virtual void play(const QList<SpeechClip>& clips) = 0;
    // Cuts off whatever plays.
    virtual void stop() = 0;

signals:
    void prepared(const SpeechClip& clip);
    void preparationFailed(const QString& text, const QString& reason);
    void availabilityChanged(const SoundAvailability& availability);
};
