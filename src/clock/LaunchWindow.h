#pragma once

#include "EntryTexts.h"
#include "platform/CivilDateTime.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class Clock;
class ClickLineEdit;
class ClockTimer;
class LaunchClock;
class MissionState;
class Prompter;
class QAction;
class QCheckBox;
class UpScrollBar;
class WatchedLabel;

// The launch window: a span after the planned liftoff that holds use up. While the window is active and the
// count is held, the remaining window runs down; below one minute a warning shows, and a hold that outlasts
// the window reports the expiry and locks the program, so that a later click on the background or on either
// entry panel ends it. The remaining window, the active flag, the warning and the expiry live in the mission
// state; this class shows them.
class LaunchWindow final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LaunchWindow)

public:
    // The launch window panel, the warning label and the activation item, which only this class writes.
    struct Controls
    {
        WatchedLabel* lblLaunchWindow = nullptr;
        WatchedLabel* lblWindowWarning = nullptr;
        QCheckBox* chkLaunchWindowActive = nullptr;
        QAction* mnuActiveLaunchWindow = nullptr;
        ClickLineEdit* txtHoursW = nullptr;
        ClickLineEdit* txtMinutesW = nullptr;
        ClickLineEdit* txtSecondsW = nullptr;
        UpScrollBar* vsbHoursW = nullptr;
        UpScrollBar* vsbMinutesW = nullptr;
        UpScrollBar* vsbSecondsW = nullptr;
        WatchedLabel* lblLaunchWindowStamp = nullptr; // never visible: show the window clock's base
        WatchedLabel* lblNowStampWindow = nullptr;
    };

    static constexpr int LongestWindow = 86399; // 23:59:59

    LaunchWindow(Clock& clock, Prompter& prompter, MissionState& state, const LaunchClock& launchClock,
                 const Controls& controls, QObject* parent);

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

    void UpdateWindowWarning();
    bool WindowWarningDue() const;
    bool warningArmed() const;

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

    ClockTimer& tmrLaunchWindow() { return *m_tmrLaunchWindow; }

private:
    struct EntryField
    {
        ClickLineEdit* text;
        UpScrollBar* level;
        QString caption;
    };

    void holdingChanged(bool holding);
    void phaseChanged();
    void lblWindowWarning_Click();
    void setRemainingLook(bool active);
    void setBase(const QString& baseTime, const QString& windowAtBase);
    void setWindowAtBase(const QString& text);
    void expire();
    // The first entry field that holds no number within its scroll bar's range, if any.
    const EntryField* invalidEntryField() const;

    Clock& m_clock;
    Prompter& m_prompter;
    MissionState& m_state;
    const LaunchClock& m_launchClock;
    const Controls m_ui;
    ClockTimer* m_tmrLaunchWindow;
    QList<EntryField> m_entry; // hours, minutes, seconds
    // The running window is measured from this moment (general date form) and this remaining text.
    QString m_baseTime;
    QString m_windowAtBase;
    bool m_expiryShowing = false;
};
