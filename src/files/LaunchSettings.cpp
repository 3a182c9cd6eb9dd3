#include "LaunchSettings.h"

#include "clock/Holds.h"
#include "clock/LaunchTimeEntry.h"
#include "clock/LaunchWindow.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"
#include "clock/SequenceEngine.h"

LaunchRecord LaunchSettings::values() const
{
    const MissionState& state = m_mission.state();
    const LaunchTimeEntry& entry = m_mission.launchTimeEntry();
    const EntryTexts launch = entry.timeTexts();
    const EntryTexts window = m_mission.launchWindow().entryTexts();
    LaunchRecord r;
    r.launchTarget = state.targetText();
    r.launchDate = entry.launchDateText();
    r.launchWindowActive = state.windowActive();
    r.holdsArmed = state.holdsArmed();
    r.launchWindowRemaining = state.windowRemainingText();
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
    Holds& holds = m_mission.holds();
    LaunchTimeEntry& entry = m_mission.launchTimeEntry();
    LaunchWindow& window = m_mission.launchWindow();
    holds.setLaunchTarget(r.launchTarget);
    entry.setLaunchDateText(r.launchDate);
    window.setWindowActive(r.launchWindowActive);
    holds.setHoldsArmed(r.holdsArmed);
    window.setRemainingText(r.launchWindowRemaining);
    entry.setTimeTexts({r.launchSeconds, r.launchMinutes, r.launchHours});
    window.setEntryTexts({r.windowSeconds, r.windowMinutes, r.windowHours});
}

CountdownSequence LaunchSettings::sequence() const
{
    return m_mission.state().sequence();
}

void LaunchSettings::applySequence(const CountdownSequence& sequence)
{
    m_mission.sequence().setSequence(sequence);
}
