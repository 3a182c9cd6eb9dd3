#pragma once

#include "platform/widgets/KeyboardIndicators.h"

// Reads the indicators of the core keyboard through the X keyboard extension, when the program runs on an X
// server. Elsewhere (Wayland, offscreen, a build without Xlib) it knows nothing.
class XkbKeyboardIndicators final : public KeyboardIndicators
{
public:
    std::optional<bool> numLock() const override;
};
