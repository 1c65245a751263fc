// The program's services with no display, no speaker and no person at hand: how the snapshot tool and the
// benchmarks run the windows. The time, the date and the player's name are set by hand; messages are kept.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Services.h"
#include "game/NullPorts.h"

namespace zv::app {

// A new private directory under the system's temporary folder, named after what it is for.
std::string MakeScratchDir(const std::string& purpose);

// Keeps the text of every box instead of waiting for someone to close it.
class KeptMessages : public platform::MessageBoxes {
public:
    void ShowError(const std::string& title, const std::string& text) override;
    void ShowInfo(const std::string& title, const std::string& text) override;
    std::vector<std::string> shown;
};

// Tells the date and time it was set to.
class SetCalendar : public platform::Calendar {
public:
    DateTime now{2026, 5, 17, 14, 30, 0};
    DateTime Now() const override { return now; }
};

// An account of the name it was given.
class NamedAccount : public platform::Account {
public:
    std::string name = "Игрок";
    std::string PlayerName() const override { return name; }
};

// The null desktop with its steady clock set by hand, for the board's motion.
class HeadlessDesktop : public Desktop {
public:
    std::uint32_t ticks = 0;
    std::uint32_t Ticks() const override { return ticks; }
};

// The services over a directory: the data in dir/data, the settings in dir/config.cfg.
struct Headless {
    explicit Headless(std::string directory);
    Headless(const Headless&) = delete;
    Headless& operator=(const Headless&) = delete;

    std::string dir;
    KeptMessages messages;
    SetClock clock{{10, 20, 30, 400}};
    SetCalendar calendar;
    NamedAccount account;
    HeadlessDesktop desktop;
    Services services;
};

} // namespace zv::app
