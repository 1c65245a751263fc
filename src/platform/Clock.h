// The time of day for the random seed: the system's clock and a fixed one for tests.
#pragma once

#include "game/Ports.h"

namespace zv::platform {

// UTC time of day with milliseconds.
class SystemClock : public zv::Clock {
public:
    zv::TimeOfDay Now() const override;
};

class FixedClock : public zv::Clock {
public:
    FixedClock() = default;
    explicit FixedClock(zv::TimeOfDay time) : time_(time) {}
    void Set(zv::TimeOfDay time) { time_ = time; }
    zv::TimeOfDay Now() const override { return time_; }

private:
    zv::TimeOfDay time_;
};

} // namespace zv::platform
