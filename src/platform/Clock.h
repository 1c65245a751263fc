// The time of day for the random seed: the system's clock.
#pragma once

#include "game/Ports.h"

namespace zv::platform {

// UTC time of day with milliseconds.
class SystemClock : public zv::Clock {
public:
    zv::TimeOfDay Now() const override;
};

} // namespace zv::platform
