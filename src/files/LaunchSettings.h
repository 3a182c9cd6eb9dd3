#pragma once

#include "LaunchRecord.h"
#include "clock/CountdownSequence.h"

class Mission;

// The launch settings of the main window as one launch data record. Reading takes them from the mission state
// and the entry fields; applying goes through the class that owns each field, in the file's field order, so
// each reaction runs as a change by hand would: the entry arms Set, the launch window activates or deactivates
// and re-evaluates its warning, the armed flag takes effect at once, and a running hold carries the new target on.
class LaunchSettings final
{
public:
    explicit LaunchSettings(Mission& mission) : m_mission(mission) {}

    // Fields 1 to 11 as they stand; the two file names are left empty.
    LaunchRecord values() const;
    // Applies fields 1 to 11.
    void apply(const LaunchRecord& record);

    // The countdown sequence kept beside the launch data.
    CountdownSequence sequence() const;
    void applySequence(const CountdownSequence& sequence);

private:
    Mission& m_mission;
};
