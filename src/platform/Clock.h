// The system's clock: the time of day for the random seed, and the local date and time the best games are kept with.
#pragma once

#include "game/BestGames.h"
#include "game/Ports.h"

namespace zv::platform {

// UTC time of day with milliseconds.
class SystemClock : public zv::Clock {
public:
    zv::TimeOfDay Now() const override;
};

// The local date and time, to the second.
class Calendar {
public:
    virtual ~Calendar() = default;
    virtual zv::DateTime Now() const = 0;
};

class SystemCalendar : public Calendar {
public:
    zv::DateTime Now() const override;
};

} // namespace zv::platform
