#include "LaunchSettings.h"

LaunchRecord LaunchSettings::values() const
{
    LaunchRecord r;
    r.launchTarget = launchTarget();
    r.launchDate = launchDate();
    r.launchWindowActive = launchWindowActive();
    r.holdsArmed = holdsArmed();
    r.launchWindowRemaining = launchWindowRemaining();
    r.launchSeconds = launchSeconds();
    r.launchMinutes = launchMinutes();
    r.launchHours = launchHours();
    r.windowSeconds = windowSeconds();
    r.windowMinutes = windowMinutes();
    r.windowHours = windowHours();
    return r;
}

void LaunchSettings::apply(const LaunchRecord& r)
{
    setLaunchTarget(r.launchTarget);
    setLaunchDate(r.launchDate);
    setLaunchWindowActive(r.launchWindowActive);
    setHoldsArmed(r.holdsArmed);
    setLaunchWindowRemaining(r.launchWindowRemaining);
    setLaunchSeconds(r.launchSeconds);
    setLaunchMinutes(r.launchMinutes);
    setLaunchHours(r.launchHours);
    setWindowSeconds(r.windowSeconds);
    setWindowMinutes(r.windowMinutes);
    setWindowHours(r.windowHours);
}
