// The player's name, taken from the account the game runs under: nobody has to type it.
#pragma once

#include <string>
#include <string_view>

namespace zv::platform {

class Account {
public:
    virtual ~Account() = default;
    // The name to show for the player; never empty.
    virtual std::string PlayerName() const = 0;
};

// The full name of the password database entry (the part of the comment field before the
// first comma), else the login name, else the user number.
class SystemAccount : public Account {
public:
    std::string PlayerName() const override;
};

// The name an entry gives: the comment field up to its first comma, trimmed, or the login
// name when that is empty.
std::string NameFromEntry(std::string_view gecos, std::string_view login);

} // namespace zv::platform
