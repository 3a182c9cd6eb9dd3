#pragma once

#include <functional>

// Ends the process at once: no close requests, no save prompt, no further events. Tests install a handler
// that records the request instead, so callers must return right after calling endNow().
namespace ProcessExit {

void endNow(int exitCode = 0);

// Replaces the real ending; an empty handler restores it.
void setHandler(std::function<void(int exitCode)> handler);

} // namespace ProcessExit
