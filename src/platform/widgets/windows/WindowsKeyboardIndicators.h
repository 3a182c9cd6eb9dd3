#pragma once

#include "platform/widgets/KeyboardIndicators.h"

// Reads the Num Lock toggle of the keyboard state Windows keeps for the program's thread.
class WindowsKeyboardIndicators final : public KeyboardIndicators
{
public:
    std::optional<bool> numLock() const override;
};
