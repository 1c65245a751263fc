// The two contents the kill test's writer flips between, shared by the writer and the checking side.
#pragma once

#include <cstdint>

#include "store/Settings.h"

namespace zv::test {

inline constexpr const char* kSettingsName = "config.cfg";
inline constexpr const char* kRecordName = "zorvex2000.rec";
inline constexpr const char* kSkinName = "win.sys";

inline const Settings kSettings[2] = {store::FromCodes({"na", "ns", "sy"}), store::FromCodes({"ad", "fs", "sn"})};
// Different lengths on purpose: a torn write of the longer one would show.
inline constexpr std::int32_t kRecord[2] = {100, 1234567890};
inline constexpr std::int32_t kSkin[2] = {2, 31415926};

} // namespace zv::test
