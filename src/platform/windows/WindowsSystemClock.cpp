#include "WindowsSystemClock.h"

#include <QtGlobal>

#ifdef Q_OS_WIN

#include <windows.h>

ClockSetResult WindowsSystemClock::setLocal(const CivilDateTime& value)
{
    if (value.date().year() < 1601 || value.date().year() > 30827) // the range of a SYSTEMTIME
        return ClockSetResult::refused(tr("The computer's clock cannot be set to that date."));

    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(value.date().year());
    local.wMonth = static_cast<WORD>(value.date().month());
    local.wDayOfWeek = static_cast<WORD>(value.date().dayOfWeek() % 7); // Sunday is 0
    local.wDay = static_cast<WORD>(value.date().day());
    local.wHour = static_cast<WORD>(value.time().hour());
    local.wMinute = static_cast<WORD>(value.time().minute());
    local.wSecond = static_cast<WORD>(value.time().second());
    local.wMilliseconds = 0;

    // The first call converts with the daylight-saving setting in force before the change; the second, made
    // once the date is in place, with the one that applies to the new date.
    if (!::SetLocalTime(&local) || !::SetLocalTime(&local)) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_PRIVILEGE_NOT_HELD || error == ERROR_ACCESS_DENIED) {
            return ClockSetResult::refused(
                tr("Setting the computer's clock needs administrator rights: start Tarvane as an administrator."));
        }
        if (error == ERROR_INVALID_PARAMETER)
            return ClockSetResult::refused(tr("The computer's clock cannot be set to that date."));
        return ClockSetResult::refused(
            tr("The computer's clock could not be set: %1").arg(qt_error_string(static_cast<int>(error))));
    }
    // Windows announces the change to other programs with WM_TIMECHANGE; this one knows already.
    emit changed();
    return ClockSetResult::success();
}

#endif
