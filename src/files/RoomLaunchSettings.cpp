#include "RoomLaunchSettings.h"

#include "clock/Holds.h"
#include "clock/LaunchTimeEntry.h"
#include "clock/LaunchWindow.h"
#include "platform/WatchedLabel.h"

QString RoomLaunchSettings::launchTarget() const
{
    return m_lblTarget->text();
}

void RoomLaunchSettings::setLaunchTarget(const QString& text)
{
    m_holds.SetLaunchTarget(text);
}

QString RoomLaunchSettings::launchDate() const
{
    return m_entry.launchDateText();
}

void RoomLaunchSettings::setLaunchDate(const QString& text)
{
    m_entry.setLaunchDateText(text);
}

bool RoomLaunchSettings::launchWindowActive() const
{
    return m_window.WindowActive();
}

void RoomLaunchSettings::setLaunchWindowActive(bool active)
{
    m_window.SetWindowActive(active);
}

bool RoomLaunchSettings::holdsArmed() const
{
    return m_holds.HoldsArmed();
}

void RoomLaunchSettings::setHoldsArmed(bool armed)
{
    m_holds.SetHoldsArmed(armed);
}

QString RoomLaunchSettings::launchWindowRemaining() const
{
    return m_window.RemainingText();
}

void RoomLaunchSettings::setLaunchWindowRemaining(const QString& text)
{
    m_window.SetRemainingText(text);
}

QString RoomLaunchSettings::launchSeconds() const
{
    return m_entry.secondsText();
}

void RoomLaunchSettings::setLaunchSeconds(const QString& text)
{
    m_entry.setSecondsText(text);
}

QString RoomLaunchSettings::launchMinutes() const
{
    return m_entry.minutesText();
}

void RoomLaunchSettings::setLaunchMinutes(const QString& text)
{
    m_entry.setMinutesText(text);
}

QString RoomLaunchSettings::launchHours() const
{
    return m_entry.hoursText();
}

void RoomLaunchSettings::setLaunchHours(const QString& text)
{
    m_entry.setHoursText(text);
}

QString RoomLaunchSettings::windowSeconds() const
{
    return m_window.SecondsWText();
}

void RoomLaunchSettings::setWindowSeconds(const QString& text)
{
    m_window.SetSecondsWText(text);
}

QString RoomLaunchSettings::windowMinutes() const
{
    return m_window.MinutesWText();
}

void RoomLaunchSettings::setWindowMinutes(const QString& text)
{
    m_window.SetMinutesWText(text);
}

QString RoomLaunchSettings::windowHours() const
{
    return m_window.HoursWText();
}

void RoomLaunchSettings::setWindowHours(const QString& text)
{
    m_window.SetHoursWText(text);
}
