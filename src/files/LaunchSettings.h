#pragma once

#include "LaunchRecord.h"

// The launch settings a launch data file carries, as the rooms that own them hold them. Each setter goes
// through the owning room, so that room's reaction to the change runs at once.
class LaunchSettings
{
public:
    LaunchSettings() = default;
    LaunchSettings(const LaunchSettings&) = delete;
    LaunchSettings& operator=(const LaunchSettings&) = delete;
    virtual ~LaunchSettings() = default;

    virtual QString launchTarget() const = 0;
    virtual void setLaunchTarget(const QString& text) = 0;
    virtual QString launchDate() const = 0;
    virtual void setLaunchDate(const QString& text) = 0;
    virtual bool launchWindowActive() const = 0;
    virtual void setLaunchWindowActive(bool active) = 0;
    virtual bool holdsArmed() const = 0;
    virtual void setHoldsArmed(bool armed) = 0;
    virtual QString launchWindowRemaining() const = 0;
    virtual void setLaunchWindowRemaining(const QString& text) = 0;
    virtual QString launchSeconds() const = 0;
    virtual void setLaunchSeconds(const QString& text) = 0;
    virtual QString launchMinutes() const = 0;
    virtual void setLaunchMinutes(const QString& text) = 0;
    virtual QString launchHours() const = 0;
    virtual void setLaunchHours(const QString& text) = 0;
    virtual QString windowSeconds() const = 0;
    virtual void setWindowSeconds(const QString& text) = 0;
    virtual QString windowMinutes() const = 0;
    virtual void setWindowMinutes(const QString& text) = 0;
    virtual QString windowHours() const = 0;
    virtual void setWindowHours(const QString& text) = 0;

    // Fields 1 to 11 as they stand; the two file names are left empty.
    LaunchRecord values() const;
    // Applies fields 1 to 11 in the file's field order.
    void apply(const LaunchRecord& record);
};
