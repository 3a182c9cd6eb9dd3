#include "DisplaySnapshot.h"

#include "clock/MissionTexts.h"
#include "platform/FloorDivision.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString phaseName(MissionState::Phase phase)
{
    switch (phase) {
    case MissionState::Phase::BeforeLiftoff:
        return u"before"_s;
    case MissionState::Phase::AfterLiftoff:
        return u"after"_s;
    case MissionState::Phase::NoTarget:
        break;
    }
    return u"none"_s;
}

} // namespace

DisplaySnapshot DisplaySnapshot::capture(const MissionState& state, qint64 missionMSecs, const QString& surfaceColour)
{
    DisplaySnapshot s;
    s.m_missionMSecs = missionMSecs;
    s.m_missionOffset = missionMSecs - realTimeMSecs();
    s.m_phase = state.phase();
    s.m_surfaceColour = surfaceColour;
    s.m_targetText = state.targetText();
    s.m_target = state.target();
    s.m_holding = state.holding();
    s.m_holdsArmed = state.holdsArmed();
    s.m_windowRemainingText = state.windowRemainingText();
    s.m_windowRemaining = state.windowRemaining();
    s.m_windowActive = state.windowActive();
    s.m_windowWarning = state.windowWarning();
    s.m_warningArmed = state.warningArmed();
    s.m_windowExpired = state.windowExpired();
    return s;
}

qint64 DisplaySnapshot::realTimeMSecs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

qint64 DisplaySnapshot::second() const
{
    return FloorDivision::floorDiv(m_missionMSecs, 1000);
}

// Within the second of capture a screen shows the texts as sent; from the next second on, while holding, it
// writes them itself, and shows the launch window's warning by the window's own rule. Everything else stands
// until the next snapshot.
DisplaySnapshot DisplaySnapshot::projectedTo(qint64 missionMSecs) const
{
    DisplaySnapshot p = *this;
    p.m_missionMSecs = missionMSecs;
    const qint64 elapsed = p.second() - second();
    if (elapsed == 0 || !m_holding)
        return p;
    if (m_target) {
        p.m_target = m_target->addSecs(elapsed);
        p.m_targetText = MissionTexts::heldTargetText(*p.m_target);
    }
    if (m_windowActive && !m_windowExpired && m_windowRemaining) {
        p.m_windowRemaining =
            static_cast<int>(std::clamp<qint64>(*m_windowRemaining - elapsed, 0, MissionTexts::LongestWindow));
        p.m_windowRemainingText = MissionTexts::runningWindowText(*p.m_windowRemaining);
        p.m_windowWarning =
            MissionTexts::windowWarningDue(p.m_windowRemaining, m_windowActive, m_warningArmed, m_holding);
    }
    return p;
}

// Civil times go as the program's own texts plus milliseconds from the instant of sending, so a screen needs
// no time zone: it adds them to its own estimate of the mission clock.
QJsonObject DisplaySnapshot::toJson() const
{
    QJsonObject target{{u"text"_s, m_targetText}};
    target.insert(u"msToTarget"_s, m_target ? QJsonValue(double(m_target->secsSinceEpoch() * 1000 - m_missionMSecs))
                                            : QJsonValue(QJsonValue::Null));
    QJsonObject window{{u"text"_s, m_windowRemainingText},  {u"active"_s, m_windowActive},
                       {u"warning"_s, m_windowWarning},     {u"expired"_s, m_windowExpired},
                       {u"warningArmed"_s, m_warningArmed}, {u"warningBelow"_s, MissionTexts::WarningBelow}};
    window.insert(u"secs"_s, m_windowRemaining ? QJsonValue(*m_windowRemaining) : QJsonValue(QJsonValue::Null));
    // The lamps' rule, so that a screen lights them as the window does without a copy of its own.
    QJsonArray lamps;
    for (const MissionTexts::Lamp& lamp : MissionTexts::Lamps)
        lamps.append(QJsonObject{{u"limit"_s, lamp.limit}, {u"parity"_s, lamp.parity}});
    return QJsonObject{{u"type"_s, u"state"_s},
                       {u"sentAt"_s, double(m_missionMSecs)},
                       {u"phase"_s, phaseName(m_phase)},
                       {u"colour"_s, m_surfaceColour},
                       {u"holding"_s, m_holding},
                       {u"holdsArmed"_s, m_holdsArmed},
                       {u"target"_s, target},
                       {u"window"_s, window},
                       {u"lamps"_s, lamps}};
}

QByteArray DisplaySnapshot::toJsonText() const
{
    return QJsonDocument(toJson()).toJson(QJsonDocument::Compact);
}
