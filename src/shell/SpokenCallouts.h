#pragma once

#include "platform/SpeechClip.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <optional>

class Clock;
class MissionState;
class QAction;
class QMenu;
class Speaker;
struct SoundAvailability;

// The count called aloud in the room, each call in the second it belongs to: "T minus 10 minutes" and the other
// marks, "10" … "1", "Liftoff", the start and the end of every hold, milestones of the countdown sequence, and
// the launch window's warning and expiry. It follows the mission state only, and adds its own checkable item to
// the menu it is handed; the operator's choice is kept in the program's settings.
//
// Calls are never synthesised at the second: every fixed call is made into a clip once, when callouts are
// switched on, and a milestone's name when the sequence names it. The calls of one second play one after another
// in a fixed order (the count's own, then a hold's, a milestone's, the launch window's); the next second's count
// call cuts off whatever still plays, so that the last ten seconds stay on their seconds. Nothing is counted
// while the count is held, and a jump of the count calls only the second it lands on.
class SpokenCallouts final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpokenCallouts)

public:
    // clock: the mission's, for how long a call still sounds. menu may be null: the callouts then have no item,
    // and setOn() alone switches them. The speaker outlives the callouts.
    SpokenCallouts(const MissionState& state, const Clock& clock, Speaker& speaker, QMenu* menu, QObject* parent);
    ~SpokenCallouts() override;

    // Every call whose text never changes: the count's own calls, then the others, in the order of a second.
    static const QStringList& fixedCalls();
    // The count's own call when the count shows count seconds to liftoff (negative after it); empty if none.
    static QString countCall(qint64 count);

    bool isOn() const { return m_on; }
    // Switches callouts on or off for this run; the settings keep the operator's own choice, made on the item.
    void setOn(bool on);

    QAction* menuItem() const { return m_item; }

signals:
    // Callouts were asked for and cannot be heard; reason says why (the item's tool tip says the same).
    void unavailable(const QString& reason);

private:
    // Calls of one second play in this order.
    enum class Kind
    {
        Count,
        Hold,
        Milestone,
        Window
    };
    struct Call
    {
        Kind kind;
        QString text;
    };

    void followSequence();
    void countChanged();
    void holdingChanged(bool holding);
    void due(Kind kind, const QString& text);
    void playDue();
    void playWaiting();
    void play(const QList<SpeechClip>& clips);
    void prepareMissing();
    void prepared(const SpeechClip& clip);
    void showAvailability(const SoundAvailability& availability);

    const MissionState& m_state;
    const Clock& m_clock;
    Speaker& m_speaker;
    QAction* m_item = nullptr;
    bool m_on = false;
    std::optional<qint64> m_lastCount;
    qint64 m_resumedInSecond = -1; // of the clock, in whole seconds
    QList<Call> m_due;             // made in this turn of the event loop, played at its end
    bool m_playPosted = false;     // a call to playDue() waits in the event loop
    QList<SpeechClip> m_waiting;   // of the second playing, after what still sounds
    QTimer m_waitTimer;
    qint64 m_soundsUntil = 0; // when the last clip played runs out, in the clock's milliseconds
    QHash<QString, SpeechClip> m_clips;
    QSet<QString> m_preparing;
    QSet<QString> m_unspeakable; // the engine made no sound of these
    QStringList m_milestoneNames;
};
