// Rewrites the settings, record and skin files through the store, flipping between two contents until it is killed.
#include <cstdio>
#include <string>

#include "KillContents.h"
#include "store/Records.h"
#include "store/Settings.h"
#include "store/SkinFile.h"

using namespace zv::test;

namespace {

void WriteAll(const std::string& dir, int which) {
    zv::store::WriteSettingsFile(dir + "/" + kSettingsName, kSettings[which]);
    zv::store::WriteRecordFile(dir + "/" + kRecordName, kRecord[which]);
    zv::store::WriteSkinFile(dir + "/" + kSkinName, kSkin[which]);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kill_writer DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    try {
        WriteAll(dir, 0);
        // The driver starts its clock only now, so the kill lands in the loop, not in start-up.
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
        for (unsigned long i = 1;; ++i) WriteAll(dir, static_cast<int>(i & 1));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kill_writer: %s\n", e.what());
        return 1;
    }
}
