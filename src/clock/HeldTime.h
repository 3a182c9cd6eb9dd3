#pragma once

#include "platform/CivilDateTime.h"

namespace HeldTime {

// What a hold has used between start and now, in seconds: the whole seconds between them reduced modulo a day,
// keeping their sign. So a hold adds at most 23:59:59, and a clock set back before the start gives time back.
qint64 between(const CivilDateTime& start, const CivilDateTime& now);

} // namespace HeldTime
