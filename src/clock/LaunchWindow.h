#pragma once

#include "EntryTexts.h"
#include "TimeField.h"
#include "platform/CivilDateTime.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

class Clock;
class ClockTimer;
class LaunchClock;
class MissionState;
class Prompter;

// The launch window: a span after the planned liftoff that holds use up. While the window is active and the
// count is held, the remaining window runs down; below one minute a warning shows, and a hold that outlasts
// the window reports the expiry and locks the program, so that a later click on the background or on either
// entry panel ends it. The remaining window, the active flag, the warning and the expiry live in the mission
// state; the entry of a new window (three fields) and the window clock's base live here.
class LaunchWindow final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LaunchWindow)

public:
    LaunchWindow(Clock& clock, Prompter& prompter, MissionState& state, const LaunchClock& launchClock,
                 QObject* parent);

    void ApplyLaunchWindowActive();
    // Settings "Active Launch Window" (Ctrl+W): flips the active flag, which applies the new state.
    void toggleActive();
    // The button first disarms the warning; the menu item goes straight to SetLaunchWindow.
    void cmdSetWindow_Click();
    void SetLaunchWindow();
    bool DeactivateWindowFirst();
    QString LaunchWindowText() const;

    // One tick of tmrLaunchWindow.
    void tmrLaunchWindow_Timer();
    void UpdateLaunchWindow();
    std::optional<CivilDateTime> WindowBaseTime() const;
    // The remaining window at the base time, in whole seconds.
    std::optional<int> WindowAtBase() const;

    // Brings a running window to this second, as its next tick would, before a hold ends by itself. False when
    // the window has expired or its expiry is being reported.
    bool catchUp();

    void UpdateWindowWarning();
    bool WindowWarningDue() const;
    bool warningArmed() const;
    // A click on the warning hides it; only the start of the next hold arms it again.
    void lblWindowWarning_Click();

    // Ends the program at once if tag is the expired lock's "Off".
    void EndIfExpired(const QString& tag);
    // The tag of the main window and of both entry panels: "Off" once a window has expired.
    QString lockTag() const;

    // The values a launch data file carries. Setting them runs the same reactions as any other change.
    void setWindowActive(bool active);
    void setRemainingText(const QString& text);
    EntryTexts entryTexts() const;
    // Seconds first, then minutes, then hours.
    void setEntryTexts(const EntryTexts& texts);

    // The entry's fields: hours, minutes, seconds. A click on a field raises its level by one and shows it.
    const TimeFields& entryFields() const { return m_entry; }
    void entryField_Click(TimeField& field);

    // The window can be activated only before liftoff.
    bool activationEnabled() const { return m_activationEnabled; }

    // The window clock's base, in the general date form, and the remaining window then.
    QString baseTimeText() const { return m_baseTime; }
    QString windowAtBaseText() const { return m_windowAtBase; }

    ClockTimer& tmrLaunchWindow() { return *m_tmrLaunchWindow; }

signals:
    void activationEnabledChanged(bool enabled);
    void baseChanged();

private:
    void holdingChanged(bool holding);
    void phaseChanged();
    void setBase(const QString& baseTime, const QString& windowAtBase);
    void setWindowAtBase(const QString& text);
    void expire();
    // The first entry field that holds no number within its range, if any, and how messages name it.
    const TimeField* invalidEntryField() const;

    Clock& m_clock;
    Prompter& m_prompter;
    MissionState& m_state;
    const LaunchClock& m_launchClock;
    ClockTimer* m_tmrLaunchWindow;
    TimeFields m_entry; // hours, minutes, seconds
    // The running window is measured from this moment (general date form) and this remaining text.
    QString m_baseTime;
    QString m_windowAtBase;
    bool m_expiryShowing = false;
    bool m_activationEnabled = true;
};
