// SIGKILL at random moments while the store rewrites its files: each file is always the old or the new one, whole.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "KillContents.h"
#include "store/Records.h"
#include "store/Settings.h"
#include "store/SkinFile.h"

namespace zv::test {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

unsigned long EnvNumber(const char* name, unsigned long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtoul(v, nullptr, 10) : fallback;
}

// Starts the writer on dir and returns once it has written every file once.
pid_t StartWriter(const std::string& dir) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        execl(ZV_KILL_WRITER, ZV_KILL_WRITER, dir.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char c = 0;
    const ssize_t n = read(fds[0], &c, 1); // the first byte of "ready", or EOF if it died
    close(fds[0]);
    if (n != 1) {
        if (pid > 0) waitpid(pid, nullptr, 0);
        return -1;
    }
    return pid;
}

TEST(KillWhileWriting, EveryFileIsTheOldOrTheNewOneWhole) {
    const unsigned long seed = EnvNumber("ZV_FAULT_SEED", std::random_device{}());
    const unsigned long rounds = EnvNumber("ZV_FAULT_ROUNDS", 300);
    std::cout << "kill test: seed " << seed << ", " << rounds << " rounds (ZV_FAULT_SEED, ZV_FAULT_ROUNDS)\n";
    RecordProperty("seed", std::to_string(seed));
    std::mt19937_64 rng(seed);
    // Most kills come early in a cycle of three rewrites, some well into the loop.
    std::uniform_int_distribution<int> shortDelay(0, 3000), longDelay(0, 30000);

    char tmpl[] = "/tmp/zv-kill-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const std::string dir = tmpl;
    // Removed however the test ends.
    struct Cleanup {
        std::string dir;
        ~Cleanup() { std::error_code ec; fs::remove_all(dir, ec); }
    } cleanup{dir};

    const std::string expected[3][2] = {
        {store::FormatSettings(kSettings[0]), store::FormatSettings(kSettings[1])},
        {store::FormatRecord(kRecord[0]), store::FormatRecord(kRecord[1])},
        {store::FormatSkin(kSkin[0]), store::FormatSkin(kSkin[1])},
    };
    const char* names[3] = {kSettingsName, kRecordName, kSkinName};
    unsigned long midWrite = 0; // rounds where the kill left a temporary file behind
    unsigned long seen[3][2] = {};

    for (unsigned long round = 0; round < rounds; ++round) {
        const pid_t pid = StartWriter(dir);
        ASSERT_GT(pid, 0) << "the writer did not start (round " << round << ", seed " << seed << ")";
        const int us = (rng() % 4 == 0) ? longDelay(rng) : shortDelay(rng);
        std::this_thread::sleep_for(std::chrono::microseconds(us));
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the writer ended by itself (round " << round << ", seed " << seed << ")";

        for (int f = 0; f < 3; ++f) {
            const std::string got = Slurp(fs::path(dir) / names[f]);
            const int which = got == expected[f][0] ? 0 : got == expected[f][1] ? 1 : -1;
            ASSERT_NE(which, -1) << names[f] << " holds \"" << got << "\" after a kill " << us
                                 << " us into the loop (round " << round << ", seed " << seed << ")";
            ++seen[f][which];
        }
        // A kill between creating and renaming the temporary file leaves it; it is never the file itself.
        bool left = false;
        for (const auto& e : fs::directory_iterator(dir)) {
            const std::string n = e.path().filename().string();
            if (n[0] == '.') {
                left = true;
                fs::remove(e.path());
            }
        }
        midWrite += left;
    }
    std::cout << "kills inside a write (temporary file left): " << midWrite << " of " << rounds << "\n";
    for (int f = 0; f < 3; ++f)
        std::cout << names[f] << ": old content " << seen[f][0] << " times, new content " << seen[f][1] << " times\n";
    // The kills must really have landed inside the writes, or the test proved nothing.
    EXPECT_GT(midWrite, rounds / 10);
}

} // namespace
} // namespace zv::test
