#pragma once

#include <memory>
#include <optional>

// The keyboard's lock indicators as the window system reports them. The base knows nothing and says so;
// each system that can tell has its own subclass.
class KeyboardIndicators
{
public:
    KeyboardIndicators() = default;
    virtual ~KeyboardIndicators() = default;
    KeyboardIndicators(const KeyboardIndicators&) = delete;
    KeyboardIndicators& operator=(const KeyboardIndicators&) = delete;

    // Whether Num Lock is on; nothing when the state cannot be read (no keyboard, a window system that
    // keeps it to itself, a headless run).
    virtual std::optional<bool> numLock() const { return std::nullopt; }

    // The implementation for the system the program was built for.
    static std::unique_ptr<KeyboardIndicators> create();
};
