#include "SecondsTrace.h"

#include "clock/MissionState.h"

#include <QDateTime>

#include <chrono>
#include <cstdio>

using namespace Qt::StringLiterals;

SecondsTrace::SecondsTrace(const MissionState& state, QObject* parent)
    : QObject(parent), m_state(state), m_secondsShown(state.shownCount().seconds)
{
    setObjectName(u"SecondsTrace"_s);
    m_monotonic = qEnvironmentVariable(Variable) == u"monotonic"_s;
    if (qEnvironmentVariableIsSet(Variable))
        connect(&m_state, &MissionState::countChanged, this, &SecondsTrace::countChanged);
}

void SecondsTrace::countChanged()
{
    const MissionTexts::ShownCount shown = m_state.shownCount();
    if (shown.seconds == m_secondsShown)
        return;
    m_secondsShown = shown.seconds;
    // The real time, not the mission's: the page it is compared with reads the real time too.
    const QString time = m_monotonic ? QString::number(std::chrono::duration<double, std::milli>(
                                                           std::chrono::steady_clock::now().time_since_epoch())
                                                           .count(),
                                                       'f', 2)
                                     : QString::number(QDateTime::currentMSecsSinceEpoch());
    const QString line = u"tarvane-seconds %1 %2 %3 %4 %5 %6\n"_s.arg(time, shown.sign, shown.days, shown.hours,
                                                                      shown.minutes, shown.seconds);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}
