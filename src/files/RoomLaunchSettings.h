#pragma once

#include "LaunchSettings.h"

class Holds;
class LaunchTimeEntry;
class LaunchWindow;
class WatchedLabel;

// The launch settings of the main window, each read and written through the room that owns it, so that
// room's reaction runs: the entry arms Set, the launch window activates or deactivates as by a click and
// re-evaluates its warning, and the holds-armed flag takes effect at once. The target is the text of
// lblTarget, which the count reads on its next tick and a running hold carries on from the moment it is read.
class RoomLaunchSettings final : public LaunchSettings
{
public:
    RoomLaunchSettings(WatchedLabel* lblTarget, LaunchTimeEntry& entry, Holds& holds, LaunchWindow& window)
        : m_lblTarget(lblTarget), m_entry(entry), m_holds(holds), m_window(window)
    {
    }

    QString launchTarget() const override;
    void setLaunchTarget(const QString& text) override;
    QString launchDate() const override;
    void setLaunchDate(const QString& text) override;
    bool launchWindowActive() const override;
    void setLaunchWindowActive(bool active) override;
    bool holdsArmed() const override;
    void setHoldsArmed(bool armed) override;
    QString launchWindowRemaining() const override;
    void setLaunchWindowRemaining(const QString& text) override;
    QString launchSeconds() const override;
    void setLaunchSeconds(const QString& text) override;
    QString launchMinutes() const override;
    void setLaunchMinutes(const QString& text) override;
    QString launchHours() const override;
    void setLaunchHours(const QString& text) override;
    QString windowSeconds() const override;
    void setWindowSeconds(const QString& text) override;
    QString windowMinutes() const override;
    void setWindowMinutes(const QString& text) override;
    QString windowHours() const override;
    void setWindowHours(const QString& text) override;

private:
    WatchedLabel* m_lblTarget;
    LaunchTimeEntry& m_entry;
    Holds& m_holds;
    LaunchWindow& m_window;
};
