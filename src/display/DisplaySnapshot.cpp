#include "DisplaySnapshot.h"

#include "platform/DateTimeServices.h"

#include <QDateTime>
#include <QJsonDocument>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

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
    s.m_windowExpired = state.windowExpired();
    return s;
}

qint64 DisplaySnapshot::realTimeMSecs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

qint64 DisplaySnapshot::second() const
{
    return floorDiv(m_missionMSecs, 1000);
}

QString DisplaySnapshot::heldTargetText(const CivilDateTime& target)
{
    return DateTimeServices::format(target, u"mmmm d, yyyy   h:mm:ss AM/PM");
}

QString DisplaySnapshot::runningWindowText(int secs)
{
    return DateTimeServices::formatNumber(secs / 3600, 2) + u':' + DateTimeServices::formatNumber(secs % 3600 / 60, 2) +
           u':' + DateTimeServices::formatNumber(secs % 60, 2);
}

// Within the second of capture a screen shows the texts as sent; from the next second on, while holding, it
// writes them itself. Everything else stands until the next snapshot.
DisplaySnapshot DisplaySnapshot::projectedTo(qint64 missionMSecs) const
{
    DisplaySnapshot p = *this;
    p.m_missionMSecs = missionMSecs;
    const qint64 elapsed = p.second() - second();
    if (elapsed == 0 || !m_holding)
        return p;
    if (m_target) {
        p.m_target = m_target->addSecs(elapsed);
        p.m_targetText = heldTargetText(*p.m_target);
    }
    if (m_windowActive && !m_windowExpired && m_windowRemaining) {
        p.m_windowRemaining = static_cast<int>(std::clamp<qint64>(*m_windowRemaining - elapsed, 0, 86399));
        p.m_windowRemainingText = runningWindowText(*p.m_windowRemaining);
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
    QJsonObject window{{u"text"_s, m_windowRemainingText},
                       {u"active"_s, m_windowActive},
                       {u"warning"_s, m_windowWarning},
                       {u"expired"_s, m_windowExpired}};
    window.insert(u"secs"_s, m_windowRemaining ? QJsonValue(*m_windowRemaining) : QJsonValue(QJsonValue::Null));
    return QJsonObject{{u"type"_s, u"state"_s},
                       {u"sentAt"_s, double(m_missionMSecs)},
                       {u"phase"_s, phaseName(m_phase)},
                       {u"colour"_s, m_surfaceColour},
                       {u"holding"_s, m_holding},
                       {u"holdsArmed"_s, m_holdsArmed},
                       {u"target"_s, target},
                       {u"window"_s, window}};
}

QByteArray DisplaySnapshot::toJsonText() const
{
    return QJsonDocument(toJson()).toJson(QJsonDocument::Compact);
}
