#pragma once

#include "platform/SystemClock.h"

// The Windows system clock. Setting it needs the system-time privilege, which only an elevated process has.
class WindowsSystemClock final : public SystemClock
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowsSystemClock)

public:
    explicit WindowsSystemClock(QObject* parent = nullptr) : SystemClock(parent) {}

    ClockSetResult setLocal(const CivilDateTime& value) override;
};
