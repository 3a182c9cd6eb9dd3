#pragma once

#include <QObject>

class QLabel;
class WatchedLabel;

// With TARVANE_TRACE_SECONDS set, prints each change of the window's seconds to standard error: the real time
// in milliseconds since 1970 and the count shown, e.g. "tarvane-seconds 1765100000123 T - 000 00 09 59". Other
// views of the count (the room display's page) are measured against it.
class SecondsTrace final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SecondsTrace)

public:
    static constexpr const char* Variable = "TARVANE_TRACE_SECONDS";

    SecondsTrace(const QLabel* sign, const QLabel* days, const QLabel* hours, const QLabel* minutes,
                 WatchedLabel* seconds, QObject* parent = nullptr);

private:
    void print(const QString& seconds) const;

    const QLabel* m_sign;
    const QLabel* m_days;
    const QLabel* m_hours;
    const QLabel* m_minutes;
};
