#pragma once

#include "platform/CivilDateTime.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class Clock;
class ClickLineEdit;
class ClickPanel;
class ClockTimer;
class LaunchClock;
class Prompter;
class QAction;
class QCheckBox;
class QPushButton;
class SurfaceWidget;
class UpScrollBar;
class WatchedLabel;

// The launch window: a span after the planned liftoff that holds use up. While the window is active and the
// count is held, the remaining window runs down; below one minute a warning shows, and a hold that outlasts
// the window reports the expiry and locks the program, so that a later click on the background or on either
// entry panel ends it.
class LaunchWindow final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LaunchWindow)

public:
    struct Controls
    {
        SurfaceWidget* surface = nullptr; // the main window's background
        ClickPanel* pctLaunchWindow = nullptr;
        ClickPanel* pctLaunchTime = nullptr;
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
        WatchedLabel* lblLaunchWindowStamp = nullptr;
        WatchedLabel* lblNowStampWindow = nullptr;
        const QPushButton* cmdHoldResume = nullptr; // read only: its caption and enabled state are the hold state
    };

    static constexpr int LongestWindow = 86399; // 23:59:59

    LaunchWindow(Clock& clock, Prompter& prompter, const LaunchClock& launchClock, const Controls& controls,
                 QObject* parent);

    void ApplyLaunchWindowActive();
    // Settings "Active Launch Window" (Ctrl+W): flips the check box, which applies the new state.
    void ToggleActive();
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
    void SetWarningArmed(bool armed) { m_warningArmed = armed; }
    bool WarningArmed() const { return m_warningArmed; }

    // Called when a hold begins: the window clock measures from now and from the remaining window as it stands.
    void StartWindowClockForHold();

    // Ends the program at once if tag is the expired lock's "Off".
    void EndIfExpired(const QString& tag);
    // The tag of the main window and of both entry panels: "Off" once a window has expired.
    QString LockTag() const { return m_lockTag; }

    // The values a launch data file carries. Setting them runs the same reactions as any other change.
    bool WindowActive() const;
    void SetWindowActive(bool active);
    QString RemainingText() const;
    void SetRemainingText(const QString& text);
    QString HoursWText() const;
    QString MinutesWText() const;
    QString SecondsWText() const;
    void SetHoursWText(const QString& text);
    void SetMinutesWText(const QString& text);
    void SetSecondsWText(const QString& text);

    ClockTimer& tmrLaunchWindow() { return *m_tmrLaunchWindow; }

private:
    struct EntryField
    {
        ClickLineEdit* text;
        UpScrollBar* level;
        QString caption;
    };

    void lblWindowWarning_Click();
    void setRemainingLook(bool active);
    void expire();
    bool holding() const;
    bool holdsArmed() const;
    // The first entry field that holds no number within its scroll bar's range, if any.
    const EntryField* invalidEntryField() const;

    Clock& m_clock;
    Prompter& m_prompter;
    const LaunchClock& m_launchClock;
    Controls m_ui;
    ClockTimer* m_tmrLaunchWindow;
    QList<EntryField> m_entry; // hours, minutes, seconds
    bool m_warningArmed = false;
    bool m_expiryShowing = false;
    QString m_lockTag;
};
