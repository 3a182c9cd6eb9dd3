#pragma once

#include "CountdownSequence.h"
#include "platform/CivilDateTime.h"

#include <QList>
#include <QObject>

#include <optional>

class Clock;
class Holds;
class LaunchWindow;
class MissionState;

// Runs the countdown sequence against the count. When the count reaches a built-in hold's second it holds the
// count as Hold would (from that very second, even when a late tick finds it a second or two on), and resumes
// it as Resume would once the hold has run its planned length, unless the launch window expired meanwhile;
// with holds disarmed the hold is skipped. A jump of the clock, a new launch time or a load that lands on a
// milestone's second acts on it; one that carries the count past a milestone passes it without acting; one that
// moves the count back makes milestones ahead again. It keeps the sequence, the milestones' states, the running
// built-in hold, the projected liftoff with the L clock and the launch window check in the mission state.
// It has no timer of its own: it follows the count's ticks and the hold's.
class SequenceEngine final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SequenceEngine)

public:
    // Each press of Extend Hold adds this much to the running built-in hold.
    static constexpr qint32 ExtendStep = 60;

    SequenceEngine(Clock& clock, MissionState& state, Holds& holds, LaunchWindow& launchWindow, QObject* parent);

    // A sequence read from a file (or an empty one): every milestone stands where the count puts it, as after a
    // jump. A running built-in hold goes on if the new sequence has a built-in hold at its T-time, else it goes
    // on as an operator's hold.
    void setSequence(const CountdownSequence& sequence);

    // The operator's changes; each is refused with the reason (and nothing changes) when it breaks a rule of the
    // sequence. A milestone added or moved to a second the count has already reached is passed, not acted on.
    // Removing the running built-in hold's milestone, or making it something else than a built-in hold at the
    // same T-time, leaves the count held as by the operator until Resume; a new length changes its planned end.
    SequenceProblem addMilestone(const Milestone& milestone);
    SequenceProblem replaceMilestone(qsizetype index, const Milestone& milestone);
    bool removeMilestone(qsizetype index);

    // One more minute for the running built-in hold, up to 23:59:59 in all. False when no built-in hold is running
    // or it is already as long as a hold can be.
    bool canExtendHold() const;
    bool extendHold();

private:
    void followCount();
    void holdTick();
    void holdingChanged(bool holding);
    // The count reached milestone at at (its own second: now, or a second a late tick passed over).
    void reach(const Milestone& milestone, const CivilDateTime& at);
    void setSequenceAndProgress(const CountdownSequence& sequence);
    // The milestones' states from the count; then refresh().
    void showProgress();
    // Everything that runs on with the clock: the running hold's time left, the projection, the L clock and
    // the window check.
    void refresh();
    // The planned lengths of the built-in holds ahead of a count, when holds are armed.
    qint64 plannedAhead(qint64 count) const;

    Clock& m_clock;
    MissionState& m_state;
    Holds& m_holds;
    LaunchWindow& m_launchWindow;
    // The count as last followed, and whether it has jumped since (a clock change, a new launch time, a load).
    std::optional<qint64> m_lastCount;
    bool m_jumped = true;
    bool m_acting = false; // a hold being begun moves the count itself
    QSet<qint32> m_skipped;
    // Sums of the planned lengths of the built-in holds from each place of the sequence to its end.
    QList<qint64> m_holdsFrom;
};
