#pragma once

#include "LaunchSettings.h"

class ClickLineEdit;
class QCheckBox;
class QPushButton;
class WatchedLabel;

// The launch settings read from and written to the main window's controls. Each write is a change of the
// control, so the owning room's change handler reacts to it as to any other change.
class ControlLaunchSettings final : public LaunchSettings
{
public:
    struct Controls
    {
        WatchedLabel* lblTarget = nullptr;
        ClickLineEdit* txtLaunchDate = nullptr;
        QCheckBox* chkLaunchWindowActive = nullptr;
        QPushButton* cmdHoldResume = nullptr;
        WatchedLabel* lblLaunchWindow = nullptr;
        ClickLineEdit* txtSeconds = nullptr;
        ClickLineEdit* txtMinutes = nullptr;
        ClickLineEdit* txtHours = nullptr;
        ClickLineEdit* txtSecondsW = nullptr;
        ClickLineEdit* txtMinutesW = nullptr;
        ClickLineEdit* txtHoursW = nullptr;
    };

    explicit ControlLaunchSettings(const Controls& controls) : m_ui(controls) {}

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
    Controls m_ui;
};
