#include "KeyboardIndicators.h"

#include <QtGlobal>

#if defined(Q_OS_LINUX)
#include "linux/XkbKeyboardIndicators.h"
using KeyboardIndicatorsImpl = XkbKeyboardIndicators;
#elif defined(Q_OS_WIN)
#include "windows/WindowsKeyboardIndicators.h"
using KeyboardIndicatorsImpl = WindowsKeyboardIndicators;
#else
using KeyboardIndicatorsImpl = KeyboardIndicators;
#endif

std::unique_ptr<KeyboardIndicators> KeyboardIndicators::create()
{
    return std::make_unique<KeyboardIndicatorsImpl>();
}
