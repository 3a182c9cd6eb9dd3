#pragma once

#include "CountdownSequence.h"
#include "MissionTexts.h"
#include "SequenceStatus.h"
#include "platform/CivilDateTime.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <array>
#include <optional>

// What the mission's count, holds and launch window know, in one place: the launch target, the count as shown,
// the lamps, the phase, the holds, the launch window and the countdown sequence with where the count stands in
// it. Every view (the main window's panels, the room
// display, anything added later) follows its signals and never learns the mission from a widget.
//
// It is read-only to everything outside the mission's own classes: the count tick (LaunchClock) writes the
// count, lamps and phase, Holds the holding and the arming, LaunchWindow the window, LaunchTimeEntry and Holds
// the target, SequenceEngine the sequence and all that follows from it. Others ask those classes through their
// commands. Every change is compared first and signalled once, followed by changed().
class MissionState final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MissionState)
    Q_PROPERTY(QString targetText READ targetText NOTIFY targetChanged)
    Q_PROPERTY(bool hasCount READ hasCount NOTIFY countChanged)
    Q_PROPERTY(qint64 count READ countOrZero NOTIFY countChanged)
    Q_PROPERTY(Phase phase READ phase NOTIFY phaseChanged)
    Q_PROPERTY(bool holding READ holding NOTIFY holdingChanged)
    Q_PROPERTY(bool holdsArmed READ holdsArmed NOTIFY holdsArmedChanged)
    Q_PROPERTY(QString windowRemainingText READ windowRemainingText NOTIFY windowRemainingChanged)
    Q_PROPERTY(bool windowActive READ windowActive NOTIFY windowActiveChanged)
    Q_PROPERTY(bool windowWarning READ windowWarning NOTIFY windowWarningChanged)
    Q_PROPERTY(bool windowExpired READ windowExpired NOTIFY windowExpiredChanged)
    Q_PROPERTY(bool warningArmed READ warningArmed NOTIFY warningArmedChanged)
    Q_PROPERTY(QString projectedLiftoffText READ projectedLiftoffText NOTIFY projectionChanged)
    Q_PROPERTY(bool projectionKnown READ projectionKnown NOTIFY projectionChanged)

public:
    enum class Phase
    {
        NoTarget,      // the target text names no date-time: the count shows dashes
        BeforeLiftoff, // "T -"
        AfterLiftoff   // "T +", from the target's own second on
    };
    Q_ENUM(Phase)
    enum class MilestoneState
    {
        Ahead,   // the count has not reached it
        Running, // a built-in hold holding the count now
        Passed,  // reached, or carried past by a jump
        Skipped  // a built-in hold reached while holds were disarmed
    };
    Q_ENUM(MilestoneState)
    using Lamps = std::array<bool, 3>;

    static inline const QString InitialTarget = QStringLiteral("May 3, 2001   10:30:00 AM");

    explicit MissionState(QObject* parent = nullptr);

    // The launch target as shown, and its value; a text that names no date-time is a valid state with no value.
    QString targetText() const { return m_targetText; }
    std::optional<CivilDateTime> target() const { return m_target; }

    // The count as the window shows it: whole seconds from the shown second to the target, positive before
    // liftoff, 0 in the target's own second, negative after. It changes with each count tick, once a second,
    // and stands still while the count is held; nothing when the target names no date-time.
    std::optional<qint64> count() const { return m_count; }
    bool hasCount() const { return m_count.has_value(); }
    qint64 countOrZero() const { return m_count.value_or(0); }
    // The count's texts: sign, days, hours, minutes and seconds ("T -", "000", "00", "09", "51").
    MissionTexts::ShownCount shownCount() const;
    // The lamps of the last hour, the last ten minutes and the last minute, as lit now.
    Lamps lamps() const { return m_lamps; }

    Phase phase() const { return m_phase; }
    // Whether the window shows the mission after liftoff ("T +" on green): the phase of the last count with a
    // target, before liftoff until the first. It changes only with phaseChanged.
    bool showsAfterLiftoff() const { return m_showsAfterLiftoff; }
    bool holding() const { return m_holding; }
    bool holdsArmed() const { return m_holdsArmed; }

    // The launch window left, as shown ("h:mm:ss" when set, "hh:mm:ss" while it runs down), and in seconds.
    QString windowRemainingText() const { return m_windowRemainingText; }
    std::optional<int> windowRemaining() const { return m_windowRemaining; }
    bool windowActive() const { return m_windowActive; }
    // The warning below one minute of launch window is showing.
    bool windowWarning() const { return m_windowWarning; }
    // The window ran out during a hold: the program is locked until it is restarted.
    bool windowExpired() const { return m_windowExpired; }
    // The warning may show during this hold: the start of a hold arms it; a click on it, the button that sets a
    // window and liftoff disarm it.
    bool warningArmed() const { return m_warningArmed; }

    // What a hold measures from: the moment it began (or the entry last re-based it) in the general date form,
    // and the target text as it stood then.
    QString holdStartText() const { return m_holdStartText; }
    QString targetAtHoldStartText() const { return m_targetAtHoldStartText; }

    // The countdown sequence, in T order, and where each milestone stands. The first milestones in T order are
    // those the count has reached (or been carried past); the rest are ahead.
    const CountdownSequence& sequence() const { return m_sequence; }
    MilestoneState milestoneState(qsizetype index) const;
    qsizetype passedMilestones() const { return m_passedMilestones; }
    // The first milestone ahead, if any; and the seconds on the T clock from the count to a milestone, standing
    // still during holds (nothing without a count).
    std::optional<Milestone> nextMilestone() const;
    std::optional<qint64> secondsTo(const Milestone& milestone) const;

    // The built-in hold holding the count, if any, and the seconds left of it (0 once it has run its length).
    const std::optional<RunningHold>& runningHold() const { return m_runningHold; }
    std::optional<qint64> runningHoldLeft() const { return m_runningHoldLeft; }

    // When liftoff will be if every built-in hold still to come runs its planned length (and a running one the
    // rest of it): the projected liftoff, and the L clock, the real seconds from now to it, which run on during
    // holds. While an operator's own hold lasts (or a built-in hold that will not end by itself) nobody can know
    // when liftoff will be: the projection stands as it was and is not known.
    std::optional<CivilDateTime> projectedLiftoff() const { return m_projectedLiftoff; }
    QString projectedLiftoffText() const; // "mmmm d, yyyy   h:mm:ss AM/PM"
    bool projectionKnown() const { return m_projectionKnown; }
    std::optional<qint64> lClock() const { return m_lClock; }
    WindowCheck windowCheck() const { return m_windowCheck; }

signals:
    void targetChanged(const QString& text);
    void countChanged();
    void lampsChanged();
    void phaseChanged(MissionState::Phase phase);
    void holdingChanged(bool holding);
    void holdsArmedChanged(bool armed);
    void windowRemainingChanged(const QString& text);
    void windowActiveChanged(bool active);
    void windowWarningChanged(bool shown);
    void windowExpiredChanged(bool expired);
    void warningArmedChanged(bool armed);
    void holdBaseChanged();
    void sequenceChanged();
    // A milestone's state or the next milestone changed.
    void milestoneStatesChanged();
    void nextMilestoneChanged();
    void runningHoldChanged();
    void runningHoldLeftChanged();
    void projectionChanged();
    void lClockChanged();
    void windowCheckChanged();
    // Events with no lasting value of their own, for views that keep their own time: the clock jumped (set by
    // the program or by someone else), a launch data file was read in, a launch target was set (by the entry or
    // a file, not moved by a hold).
    void clockJumped();
    void fileLoaded();
    void launchTimeSet();
    // The count reached a milestone's second by counting, or a jump landed on it; after what it set off (a
    // built-in hold beginning or skipped). A jump that carries the count past a milestone does not reach it.
    void milestoneReached(const Milestone& milestone);
    // A built-in hold was reached while holds were disarmed: the count went on.
    void builtInHoldSkipped(const Milestone& milestone);
    // After any of the signals above but the events.
    void changed();

private:
    // The mission's own classes write; a test reaches the setters through MissionStateTestAccess.
    friend class LaunchClock;
    friend class Holds;
    friend class LaunchWindow;
    friend class LaunchTimeEntry;
    friend class Mission;
    friend class SequenceEngine;
    friend class MissionStateTestAccess;

    void setTargetText(const QString& text);
    void setCount(std::optional<qint64> count);
    void setLamps(const Lamps& lamps);
    void setPhase(Phase phase);
    void setHolding(bool holding) { update(m_holding, holding, &MissionState::holdingChanged); }
    void setHoldsArmed(bool armed) { update(m_holdsArmed, armed, &MissionState::holdsArmedChanged); }
    void setWindowRemainingText(const QString& text);
    void setWindowActive(bool active) { update(m_windowActive, active, &MissionState::windowActiveChanged); }
    void setWindowWarning(bool shown) { update(m_windowWarning, shown, &MissionState::windowWarningChanged); }
    void setWindowExpired(bool expired) { update(m_windowExpired, expired, &MissionState::windowExpiredChanged); }
    void setWarningArmed(bool armed) { update(m_warningArmed, armed, &MissionState::warningArmedChanged); }
    void setHoldBase(const QString& startText, const QString& targetText);
    void noteClockJumped() { emit clockJumped(); }
    void noteFileLoaded() { emit fileLoaded(); }
    void noteLaunchTimeSet() { emit launchTimeSet(); }
    void setSequence(const CountdownSequence& sequence);
    void setMilestoneProgress(qsizetype passed, const QSet<qint32>& skipped);
    void setRunningHold(const std::optional<RunningHold>& hold);
    void setRunningHoldLeft(std::optional<qint64> left);
    void setProjection(std::optional<CivilDateTime> liftoff, bool known);
    void setLClock(std::optional<qint64> seconds);
    void setWindowCheck(const WindowCheck& check);
    void noteMilestoneReached(const Milestone& milestone) { emit milestoneReached(milestone); }
    void noteBuiltInHoldSkipped(const Milestone& milestone) { emit builtInHoldSkipped(milestone); }

    template <typename T> void update(T& member, T value, void (MissionState::*notify)(T))
    {
        if (value == member)
            return;
        member = value;
        emit(this->*notify)(value);
        emit changed();
    }

    QString m_targetText;
    std::optional<CivilDateTime> m_target;
    std::optional<qint64> m_count = 0;
    Lamps m_lamps{};
    Phase m_phase = Phase::BeforeLiftoff;
    bool m_showsAfterLiftoff = false;
    bool m_holding = false;
    bool m_holdsArmed = false;
    QString m_windowRemainingText = QStringLiteral("00:00:00");
    std::optional<int> m_windowRemaining = 0;
    bool m_windowActive = false;
    bool m_windowWarning = false;
    bool m_windowExpired = false;
    bool m_warningArmed = false;
    QString m_holdStartText;
    QString m_targetAtHoldStartText;
    CountdownSequence m_sequence;
    qsizetype m_passedMilestones = 0;
    QSet<qint32> m_skippedHolds; // T-times
    std::optional<Milestone> m_shownNext;
    std::optional<RunningHold> m_runningHold;
    std::optional<qint64> m_runningHoldLeft;
    std::optional<CivilDateTime> m_projectedLiftoff;
    bool m_projectionKnown = true;
    std::optional<qint64> m_lClock;
    WindowCheck m_windowCheck;
};
