#pragma once

#include "clock/MissionState.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

// The mission state as a room display screen receives it, taken at one instant of the mission clock.
// A screen keeps its own second from the last snapshot: the count from the target, and while holding the
// moving target and the running-down launch window. projectedTo() does the same arithmetic here, so that the
// server sends a new snapshot only when the mission departs from what every screen already shows.
class DisplaySnapshot final
{
public:
    static DisplaySnapshot capture(const MissionState& state, qint64 missionMSecs);

    // What a screen derives from this snapshot for the mission instant given (at or after the capture).
    DisplaySnapshot projectedTo(qint64 missionMSecs) const;

    QJsonObject toJson() const;
    QByteArray toJsonText() const;

    qint64 missionMSecs() const { return m_missionMSecs; }
    QString targetText() const { return m_targetText; }
    QString windowRemainingText() const { return m_windowRemainingText; }

    // The form a hold writes the moving target in.
    static QString heldTargetText(const CivilDateTime& target);
    // The form of the launch window while it runs down.
    static QString runningWindowText(int secs);

private:
    qint64 second() const;

    qint64 m_missionMSecs = 0;
    MissionState::Phase m_phase = MissionState::Phase::NoTarget;
    QString m_targetText;
    std::optional<CivilDateTime> m_target;
    bool m_holding = false;
    bool m_holdsArmed = false;
    QString m_windowRemainingText;
    std::optional<int> m_windowRemaining;
    bool m_windowActive = false;
    bool m_windowWarning = false;
    bool m_windowExpired = false;
};
