#include "LaunchSettings.h"

#include "clock/Holds.h"
#include "clock/LaunchTimeEntry.h"
#include "clock/LaunchWindow.h"
#include "clock/MissionState.h"

LaunchRecord LaunchSettings::values() const
{
    const EntryTexts launch = m_entry.timeTexts();
    const EntryTexts window = m_window.entryTexts();
    LaunchRecord r;
    r.launchTarget = m_state.targetText();
    r.launchDate = m_entry.launchDateText();
    r.launchWindowActive = m_state.windowActive();
    r.holdsArmed = m_state.holdsArmed();
    r.launchWindowRemaining = m_state.windowRemainingText();
    r.launchSeconds = launch.seconds;
    r.launchMinutes = launch.minutes;
    r.launchHours = launch.hours;
    r.windowSeconds = window.seconds;
    r.windowMinutes = window.minutes;
    r.windowHours = window.hours;
    return r;
}

void LaunchSettings::apply(const LaunchRecord& r)
{
    m_holds.setLaunchTarget(r.launchTarget);
    m_entry.setLaunchDateText(r.launchDate);
    m_window.setWindowActive(r.launchWindowActive);
    m_holds.setHoldsArmed(r.holdsArmed);
    m_window.setRemainingText(r.launchWindowRemaining);
    m_entry.setTimeTexts({r.launchSeconds, r.launchMinutes, r.launchHours});
    m_window.setEntryTexts({r.windowSeconds, r.windowMinutes, r.windowHours});
}
