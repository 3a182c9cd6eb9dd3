#pragma once

#include "clock/Holds.h"
#include "clock/MissionTexts.h"
#include "platform/SystemClock.h"
#include "platform/SystemSpeaker.h"
#include "platform/widgets/QtPrompter.h"
#include "shell/frmTarvane.h"

#include <QStandardPaths>

#include <memory>

// The real main window on the computer's clock, shown and counting down to a target a day ahead, so that every
// second of a benchmark's run counts.
struct CountingWindow
{
    // The settings of a new user, not the machine's own (which may have spoken callouts on).
    bool freshSettings = (QStandardPaths::setTestModeEnabled(true), true);
    std::unique_ptr<SystemClock> clock = SystemClock::create();
    QtPrompter prompter;
    std::unique_ptr<SystemSpeaker> speaker = SystemSpeaker::create();
    frmTarvane window{*clock, prompter, *speaker};

    CountingWindow()
    {
        window.holds().setLaunchTarget(MissionTexts::heldTargetText(clock->now().addSecs(86400)));
        window.show();
    }
};
