#pragma once

#include "clock/MissionState.h"
#include "platform/DateTimeServices.h"
#include "platform/widgets/QtPrompter.h"
#include "platform/SystemClock.h"
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
        window.missionState().setTargetText(
            DateTimeServices::format(clock->now().addSecs(86400), u"mmmm d, yyyy   h:mm:ss AM/PM"));
        window.show();
    }
};
