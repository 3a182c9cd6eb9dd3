#pragma once

#include "CivilDateTime.h"

#include <QObject>
#include <QString>

// The outcome of a request to set the clock.
struct ClockSetResult
{
    bool ok = false;
    QString reason;             // readable: why the computer's clock was not set; empty when it was
    bool keptByProgram = false; // ok, but the program keeps the time on its own clock instead of the computer's

    static ClockSetResult success() { return {true, {}, false}; }
    static ClockSetResult refused(QString why) { return {false, std::move(why), false}; }
    // Set on the program's own clock; why is the computer's refusal, or empty when it was never asked.
    static ClockSetResult kept(QString why) { return {true, std::move(why), true}; }
};

// The computer's local date and time as the program sees it.
// now() is to the whole second; currentMSecs() gives the fraction too, so that ticks can be placed just
// after each second boundary. changed() is emitted whenever the time jumps: set by the program, set by
// someone else, or moved by a test.
class Clock : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Clock)

public:
    explicit Clock(QObject* parent = nullptr) : QObject(parent) {}
    ~Clock() override = default;

    // Milliseconds since 1970-01-01 00:00:00 on the local civil calendar.
    virtual qint64 currentMSecs() const = 0;

    // Sets the local date and then the local time of day from one value; on refusal says why.
    virtual ClockSetResult setLocal(const CivilDateTime& value) = 0;

    CivilDateTime now() const;
    // Milliseconds until the clock reads the next whole second (1 to 1000).
    int msecsToNextSecond() const;

signals:
    void changed();
};
