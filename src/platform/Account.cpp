// The player's name from the password database.
#include "platform/Account.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace zv::platform {

std::string NameFromEntry(std::string_view gecos, std::string_view login) {
    std::string_view full = gecos.substr(0, gecos.find(','));
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!full.empty() && blank(full.front())) full.remove_prefix(1);
    while (!full.empty() && blank(full.back())) full.remove_suffix(1);
    return std::string(full.empty() ? login : full);
}

std::string SystemAccount::PlayerName() const {
    const uid_t uid = ::getuid();
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 4096));
    passwd entry{};
    passwd* found = nullptr;
    while (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == ERANGE && buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    if (found) {
        std::string name = NameFromEntry(found->pw_gecos ? found->pw_gecos : "", found->pw_name ? found->pw_name : "");
        if (!name.empty()) return name;
    }
    return std::to_string(uid);
}

} // namespace zv::platform
