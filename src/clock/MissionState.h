#pragma once

#include "platform/CivilDateTime.h"

#include <QObject>
#include <QString>

#include <optional>

// What the mission's count, holds and launch window know, in one place. The parts of the main window change it
// through their routines; the window's controls and any other view (such as a display in another room) show it
// and follow its signals. Every setter compares before it writes, so a signal means a real change.
class MissionState final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MissionState)
    Q_PROPERTY(QString targetText READ targetText WRITE setTargetText NOTIFY targetChanged)
    Q_PROPERTY(Phase phase READ phase WRITE setPhase NOTIFY phaseChanged)
    Q_PROPERTY(bool holding READ holding WRITE setHolding NOTIFY holdingChanged)
    Q_PROPERTY(bool holdsArmed READ holdsArmed WRITE setHoldsArmed NOTIFY holdsArmedChanged)
    Q_PROPERTY(
        QString windowRemainingText READ windowRemainingText WRITE setWindowRemainingText NOTIFY windowRemainingChanged)
    Q_PROPERTY(bool windowActive READ windowActive WRITE setWindowActive NOTIFY windowActiveChanged)
    Q_PROPERTY(bool windowWarning READ windowWarning WRITE setWindowWarning NOTIFY windowWarningChanged)
    Q_PROPERTY(bool windowExpired READ windowExpired WRITE setWindowExpired NOTIFY windowExpiredChanged)
    Q_PROPERTY(bool warningArmed READ warningArmed WRITE setWarningArmed NOTIFY warningArmedChanged)

public:
    enum class Phase
    {
        NoTarget,      // the target text names no date-time: the count shows dashes
        BeforeLiftoff, // "T -"
        AfterLiftoff   // "T +", from the target's own second on
    };
    Q_ENUM(Phase)

    static inline const QString InitialTarget = QStringLiteral("May 3, 2001   10:30:00 AM");

    explicit MissionState(QObject* parent = nullptr);

    // The launch target as shown, and its value; a text that names no date-time is a valid state with no value.
    QString targetText() const { return m_targetText; }
    std::optional<CivilDateTime> target() const { return m_target; }
    void setTargetText(const QString& text);

    Phase phase() const { return m_phase; }
    void setPhase(Phase phase) { update(m_phase, phase, &MissionState::phaseChanged); }

    bool holding() const { return m_holding; }
    void setHolding(bool holding) { update(m_holding, holding, &MissionState::holdingChanged); }
    bool holdsArmed() const { return m_holdsArmed; }
    void setHoldsArmed(bool armed) { update(m_holdsArmed, armed, &MissionState::holdsArmedChanged); }

    // The launch window left, as shown ("h:mm:ss" when set, "hh:mm:ss" while it runs down), and in seconds.
    QString windowRemainingText() const { return m_windowRemainingText; }
    std::optional<int> windowRemaining() const { return m_windowRemaining; }
    void setWindowRemainingText(const QString& text);
    bool windowActive() const { return m_windowActive; }
    void setWindowActive(bool active) { update(m_windowActive, active, &MissionState::windowActiveChanged); }
    // The warning below one minute of launch window is showing.
    bool windowWarning() const { return m_windowWarning; }
    void setWindowWarning(bool shown) { update(m_windowWarning, shown, &MissionState::windowWarningChanged); }
    // The window ran out during a hold: the program is locked until it is restarted.
    bool windowExpired() const { return m_windowExpired; }
    void setWindowExpired(bool expired) { update(m_windowExpired, expired, &MissionState::windowExpiredChanged); }
    // The warning may show during this hold: the start of a hold arms it; a click on it, the button that sets a
    // window and liftoff disarm it.
    bool warningArmed() const { return m_warningArmed; }
    void setWarningArmed(bool armed) { update(m_warningArmed, armed, &MissionState::warningArmedChanged); }

    // What a hold measures from: the moment it began (or the entry last re-based it) in the general date form,
    // and the target text as it stood then. Holds and the launch time entry write them together.
    QString holdStartText() const { return m_holdStartText; }
    QString targetAtHoldStartText() const { return m_targetAtHoldStartText; }
    void setHoldBase(const QString& startText, const QString& targetText);

    // Events with no lasting value of their own, passed on to views that keep their own time.
    void noteClockJumped() { emit clockJumped(); }
    void noteFileLoaded() { emit fileLoaded(); }

signals:
    void targetChanged(const QString& text);
    void phaseChanged(MissionState::Phase phase);
    void holdingChanged(bool holding);
    void holdsArmedChanged(bool armed);
    void windowRemainingChanged(const QString& text);
    void windowActiveChanged(bool active);
    void windowWarningChanged(bool shown);
    void windowExpiredChanged(bool expired);
    void warningArmedChanged(bool armed);
    void holdBaseChanged();
    void clockJumped();
    void fileLoaded();
    // After any of the signals above.
    void changed();

private:
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
    Phase m_phase = Phase::BeforeLiftoff;
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
};
