// The program's services with no display, no speaker and no person at hand: how the snapshot tool and the
// benchmarks run the windows. The clock and the player's name are set by hand; messages are kept.
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

// An account of the name it was given.
class NamedAccount : public platform::Account {
public:
    std::string name = "Игрок";
    std::string PlayerName() const override { return name; }
};

// The services over a directory: the data in dir/data, the settings in dir/config.cfg.
struct Headless {
    explicit Headless(std::string directory);
    Headless(const Headless&) = delete;
    Headless& operator=(const Headless&) = delete;

    std::string dir;
    KeptMessages messages;
    SetClock clock{{10, 20, 30, 400}};
    NamedAccount account;
    Desktop desktop;
    Services services;
};

} // namespace zv::app
