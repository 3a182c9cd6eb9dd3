#include "ControlLaunchSettings.h"

#include "platform/ClickLineEdit.h"
#include "platform/WatchedLabel.h"

#include <QCheckBox>
#include <QPushButton>

QString ControlLaunchSettings::launchTarget() const
{
    return m_ui.lblTarget->text();
}

void ControlLaunchSettings::setLaunchTarget(const QString& text)
{
    m_ui.lblTarget->setText(text);
}

QString ControlLaunchSettings::launchDate() const
{
    return m_ui.txtLaunchDate->text();
}

void ControlLaunchSettings::setLaunchDate(const QString& text)
{
    m_ui.txtLaunchDate->setText(text);
}

bool ControlLaunchSettings::launchWindowActive() const
{
    return m_ui.chkLaunchWindowActive->isChecked();
}

void ControlLaunchSettings::setLaunchWindowActive(bool active)
{
    m_ui.chkLaunchWindowActive->setChecked(active);
}

bool ControlLaunchSettings::holdsArmed() const
{
    // The button's own state: a disabled parent would hide it from isEnabled().
    return !m_ui.cmdHoldResume->testAttribute(Qt::WA_ForceDisabled);
}

void ControlLaunchSettings::setHoldsArmed(bool armed)
{
    m_ui.cmdHoldResume->setEnabled(armed);
}

QString ControlLaunchSettings::launchWindowRemaining() const
{
    return m_ui.lblLaunchWindow->text();
}

void ControlLaunchSettings::setLaunchWindowRemaining(const QString& text)
{
    m_ui.lblLaunchWindow->setText(text);
}

QString ControlLaunchSettings::launchSeconds() const
{
    return m_ui.txtSeconds->text();
}

void ControlLaunchSettings::setLaunchSeconds(const QString& text)
{
    m_ui.txtSeconds->setText(text);
}

QString ControlLaunchSettings::launchMinutes() const
{
    return m_ui.txtMinutes->text();
}

void ControlLaunchSettings::setLaunchMinutes(const QString& text)
{
    m_ui.txtMinutes->setText(text);
}

QString ControlLaunchSettings::launchHours() const
{
    return m_ui.txtHours->text();
}

void ControlLaunchSettings::setLaunchHours(const QString& text)
{
    m_ui.txtHours->setText(text);
}

QString ControlLaunchSettings::windowSeconds() const
{
    return m_ui.txtSecondsW->text();
}

void ControlLaunchSettings::setWindowSeconds(const QString& text)
{
    m_ui.txtSecondsW->setText(text);
}

QString ControlLaunchSettings::windowMinutes() const
{
    return m_ui.txtMinutesW->text();
}

void ControlLaunchSettings::setWindowMinutes(const QString& text)
{
    m_ui.txtMinutesW->setText(text);
}

QString ControlLaunchSettings::windowHours() const
{
    return m_ui.txtHoursW->text();
}

void ControlLaunchSettings::setWindowHours(const QString& text)
{
    m_ui.txtHoursW->setText(text);
}
