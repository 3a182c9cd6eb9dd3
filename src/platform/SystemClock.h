#pragma once

#include "Clock.h"

#include <memory>

// The operating system's clock. Reading works everywhere; setting it is the job of each system's subclass,
// and this base refuses.
class SystemClock : public Clock
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SystemClock)

public:
    explicit SystemClock(QObject* parent = nullptr) : Clock(parent) {}

    qint64 currentMSecs() const override;
    ClockSetResult setLocal(const CivilDateTime& value) override;

    // The implementation for the system the program was built for.
    static std::unique_ptr<SystemClock> create(QObject* parent = nullptr);
};
