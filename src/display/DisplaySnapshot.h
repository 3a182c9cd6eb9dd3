#pragma once

#include "clock/MissionState.h"

#include <QByteArray>
#include <QJsonObject>
#include <QMetaType>
#include <QString>

#include <optional>

// The mission state as a room display screen receives it, taken at one instant of the mission clock.
// A screen keeps its own second from the last snapshot: the count from the target, and while holding the
// moving target, the running-down launch window and its warning. projectedTo() does the same arithmetic here, so that
// the server sends a new snapshot only when the mission departs from what every screen already shows. A snapshot is a
// plain value: it is taken on the window's thread and read on the server's, which never sees the mission state or its
// clock. It carries the mission clock as an offset to the computer's real-time clock, which both threads read alike, so
// the server can tell the mission time of any later instant.
class DisplaySnapshot final
{
public:
    // surfaceColour: the colour the window shows behind the count, as "#rrggbb".
    static DisplaySnapshot capture(const MissionState& state, qint64 missionMSecs, const QString& surfaceColour);

    // The computer's real-time clock, in milliseconds; the mission clock runs at the same rate.
    static qint64 realTimeMSecs();
    // The mission clock now, from the offset taken at capture.
    qint64 missionNow() const { return realTimeMSecs() + m_missionOffset; }

    // What a screen derives from this snapshot for the mission instant given (at or after the capture).
    DisplaySnapshot projectedTo(qint64 missionMSecs) const;

    QJsonObject toJson() const;
    QByteArray toJsonText() const;

    QString targetText() const { return m_targetText; }
    QString windowRemainingText() const { return m_windowRemainingText; }
    bool windowWarning() const { return m_windowWarning; }

private:
    qint64 second() const;

    qint64 m_missionMSecs = 0;
    qint64 m_missionOffset = 0; // mission clock minus real-time clock at capture
    MissionState::Phase m_phase = MissionState::Phase::NoTarget;
    QString m_surfaceColour;
    QString m_targetText;
    std::optional<CivilDateTime> m_target;
    bool m_holding = false;
    bool m_holdsArmed = false;
    QString m_windowRemainingText;
    std::optional<int> m_windowRemaining;
    bool m_windowActive = false;
    bool m_windowWarning = false;
    bool m_warningArmed = false;
    bool m_windowExpired = false;
    // The countdown sequence, when it has milestones: the next one ahead, the built-in hold holding the count with
    // its seconds left, and the projected liftoff the L clock counts to.
    bool m_hasSequence = false;
    std::optional<Milestone> m_nextMilestone;
    std::optional<Milestone> m_runningHold;
    qint64 m_runningHoldLeft = 0;
    std::optional<CivilDateTime> m_projectedLiftoff;
    QString m_projectedLiftoffText;
    bool m_projectionKnown = true;
};

Q_DECLARE_METATYPE(DisplaySnapshot)
