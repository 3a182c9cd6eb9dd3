#pragma once

#include <QObject>
#include <QString>

class MissionState;

// With TARVANE_TRACE_SECONDS set, prints each change of the seconds the count shows to standard error: the real
// time in milliseconds since 1970 and the count shown, e.g. "tarvane-seconds 1765100000123 T - 000 00 09 59".
// Other views of the count (the room display's page) are measured against it. With TARVANE_TRACE_SECONDS=monotonic
// the time is the monotonic clock's instead, in milliseconds to a hundredth ("tarvane-seconds 81234.56 T - ..."),
// for recordings of the sound (which a fake wall clock does not move).
class SecondsTrace final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SecondsTrace)

public:
    static constexpr const char* Variable = "TARVANE_TRACE_SECONDS";

    explicit SecondsTrace(const MissionState& state, QObject* parent = nullptr);

private:
    void countChanged();

    const MissionState& m_state;
    QString m_secondsShown;
    bool m_monotonic = false;
};
