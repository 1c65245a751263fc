// The system clock read as a UTC time of day, as the local date and time, and as SDL's steady milliseconds.
#include "platform/Clock.h"

#include <SDL.h>

#include <ctime>

namespace zv::platform {

zv::TimeOfDay SystemClock::Now() const {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    gmtime_r(&ts.tv_sec, &tm);
    zv::TimeOfDay t;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    // A leap second shows as 60; the seed only needs a value in the usual range.
    t.second = tm.tm_sec > 59 ? 59 : tm.tm_sec;
    t.millisecond = static_cast<int>(ts.tv_nsec / 1000000);
    return t;
}

zv::DateTime SystemClock::Local() const {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec > 59 ? 59 : tm.tm_sec};
}

std::uint32_t SystemClock::Ticks() const { return static_cast<std::uint32_t>(SDL_GetTicks()); }

} // namespace zv::platform
