#pragma once

#include "Clock.h"

// The clock the program runs on: the system clock, plus an offset kept inside the program once it is engaged.
// Until then it passes everything through. A request to set it goes to the system first; when the system
// refuses, the offset takes over so that the program still reads the requested time, and from then on the
// computer's clock is left alone. Started engaged, it never asks the system at all.
class ApplicationClock final : public Clock
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ApplicationClock)

public:
    enum class Start
    {
        PassThrough, // set the computer's clock while it lets us
        Engaged      // keep the time inside the program from the start
    };

    ApplicationClock(Clock& system, Start start, QObject* parent = nullptr);

    qint64 currentMSecs() const override;
    ClockSetResult setLocal(const CivilDateTime& value) override;

    bool isEngaged() const { return m_engaged; }
    // How far the program's time runs ahead of the system's, in milliseconds.
    qint64 offsetMSecs() const { return m_offsetMSecs; }

private:
    Clock& m_system;
    bool m_engaged;
    qint64 m_offsetMSecs = 0;
};
