#include "SecondsTrace.h"

#include "platform/widgets/WatchedLabel.h"

#include <QDateTime>

#include <cstdio>

using namespace Qt::StringLiterals;

SecondsTrace::SecondsTrace(const QLabel* sign, const QLabel* days, const QLabel* hours, const QLabel* minutes,
                           WatchedLabel* seconds, QObject* parent)
    : QObject(parent), m_sign(sign), m_days(days), m_hours(hours), m_minutes(minutes)
{
    setObjectName(u"SecondsTrace"_s);
    if (qEnvironmentVariableIsSet(Variable))
        connect(seconds, &WatchedLabel::textChanged, this, &SecondsTrace::print);
}

void SecondsTrace::print(const QString& seconds) const
{
    // The real time, not the mission's: the page it is compared with reads the real time too.
    const QString line = u"tarvane-seconds %1 %2 %3 %4 %5 %6\n"_s.arg(QDateTime::currentMSecsSinceEpoch())
                             .arg(m_sign->text(), m_days->text(), m_hours->text(), m_minutes->text(), seconds);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}
