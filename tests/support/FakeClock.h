#pragma once

#include "platform/Clock.h"
#include "platform/DateTimeServices.h"

#include <QList>

// A clock that stands still until a test moves it. Each move is a jump: timers that follow the clock fire at
// the next turn of the event loop.
class FakeClock final : public Clock
{
    Q_DISABLE_COPY_MOVE(FakeClock)

public:
    explicit FakeClock(const CivilDateTime& start = at(u"May 3, 2001 10:29:50 AM")) { setNow(start); }

    static CivilDateTime at(QStringView text) { return *DateTimeServices::parseDateTime(text); }

    qint64 currentMSecs() const override { return m_msecs; }

    ClockSetResult setLocal(const CivilDateTime& value) override
    {
        setRequests.append(value);
        if (!refuseWith.isEmpty())
            return ClockSetResult::refused(refuseWith);
        setNow(value);
        return ClockSetResult::success();
    }

    void setNow(const CivilDateTime& value)
    {
        m_msecs = value.secsSinceEpoch() * 1000;
        emit changed();
    }
    void advance(qint64 seconds) { setNow(now().addSecs(seconds)); }
    // Time running on, unlike a jump: nothing hears of it until a timer that follows the clock fires.
    void pass(qint64 seconds) { m_msecs += seconds * 1000; }

    QList<CivilDateTime> setRequests; // every setLocal() call, refused or not
    QString refuseWith;               // when not empty, setLocal() refuses with this reason

private:
    qint64 m_msecs = 0;
};
