// The system's clock: the time of day for the random seed, the local date and time the best games are kept with,
// and the steady milliseconds of the board's motion.
#pragma once

#include "game/Ports.h"

namespace zv::platform {

class SystemClock : public zv::Clock {
public:
    // UTC, with milliseconds.
    zv::TimeOfDay Now() const override;
    // To the second.
    zv::DateTime Local() const override;
    // Since the program started.
    std::uint32_t Ticks() const override;
};

} // namespace zv::platform
