#include "WindowsKeyboardIndicators.h"

#include <windows.h>

std::optional<bool> WindowsKeyboardIndicators::numLock() const
{
    return (GetKeyState(VK_NUMLOCK) & 0x0001) != 0; // the low bit is the toggle state
}
