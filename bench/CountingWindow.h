#pragma once

#include "clock/Holds.h"
#include "clock/MissionTexts.h"
#include "platform/SystemClock.h"
#include "platform/widgets/QtPrompter.h"
#include "shell/frmTarvane.h"

#include <memory>

// The real main window on the computer's clock, shown and counting down to a target a day ahead, so that every
// second of a benchmark's run counts.
struct CountingWindow
{
    std::unique_ptr<SystemClock> clock = SystemClock::create();
    QtPrompter prompter;
    frmTarvane window{*clock, prompter};

    CountingWindow()
    {
        window.holds().setLaunchTarget(MissionTexts::heldTargetText(clock->now().addSecs(86400)));
        window.show();
    }
};
