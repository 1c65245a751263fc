// Sound effects on SDL's disk audio driver: what the device was given ends up in a file.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <thread>

#include "platform/Sound.h"
#include "kit/TempDir.h"

using zv::platform::SdlSound;

namespace {

// A mono 16-bit wave file holding one constant sample value.
void WriteWav(const std::string& path, int rate, int frames, int16_t value) {
    std::ofstream f(path, std::ios::binary);
    auto u32 = [&f](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&f](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t data = static_cast<uint32_t>(frames) * 2;
    f.write("RIFF", 4);
    u32(36 + data);
    f.write("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(static_cast<uint32_t>(rate));
    u32(static_cast<uint32_t>(rate) * 2);
    u16(2);
    u16(16);
    f.write("data", 4);
    u32(data);
    for (int i = 0; i < frames; ++i) u16(static_cast<uint16_t>(value));
}

std::vector<int16_t> ReadSamples(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::vector<int16_t> out(bytes.size() / 2);
    std::memcpy(out.data(), bytes.data(), out.size() * 2);
    return out;
}

void WaitUntilPlayed(const SdlSound& sound) {
    for (int i = 0; i < 300 && sound.QueuedBytes() > 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    // The last piece taken from the queue still has to reach the file.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

// Samples near v: conversion to the device format may round the last few by one.
long Count(const std::vector<int16_t>& s, int16_t v) {
    return std::count_if(s.begin(), s.end(), [v](int16_t x) { return x >= v - 2 && x <= v + 2; });
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteWav(dir / "one.wav", 44100, 4410, 1000);   // 0.1 s
        WriteWav(dir / "long.wav", 44100, 22050, 3000); // 0.5 s
        WriteWav(dir / "slow.wav", 22050, 2205, 2000);  // 0.1 s at another rate
    }
    zv::kit::TempDir dir;
    std::string out = dir / "out.raw";
    zv::kit::ScopedEnv driver{"SDL_AUDIODRIVER", "disk"};
    zv::kit::ScopedEnv file{"SDL_DISKAUDIOFILE", out.c_str()};
};

} // namespace

TEST_F(SoundTest, PlayedSamplesReachTheDeviceAndMissingFilesStaySilent) {
    {
        SdlSound sound({dir.path()});
        sound.Play("missing.wav");
        ASSERT_TRUE(sound.DeviceOpen());
        sound.Play("one.wav");
        WaitUntilPlayed(sound);
        sound.Play("missing.wav");
        sound.Play(nullptr);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    const auto s = ReadSamples(out);
    // Stereo at the file's own rate: every mono sample appears twice, nothing else is heard.
    EXPECT_EQ(Count(s, 1000), 2 * 4410);
    EXPECT_EQ(Count(s, 0) + Count(s, 1000), static_cast<long>(s.size()));
}

TEST_F(SoundTest, ANewSoundReplacesThePlayingOne) {
    {
        SdlSound sound({dir.path()});
        sound.Play("long.wav");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        sound.Play("one.wav");
        WaitUntilPlayed(sound);
    }
    const auto s = ReadSamples(out);
    EXPECT_EQ(Count(s, 1000), 2 * 4410);
    EXPECT_LT(Count(s, 3000), 2 * 22050);
    // Nothing of the old sound after the new one has begun.
    const auto firstNew = std::find(s.begin(), s.end(), 1000);
    EXPECT_EQ(std::count_if(firstNew, s.end(), [](int16_t x) { return x > 2000; }), 0);
}

TEST_F(SoundTest, OtherRatesAreConverted) {
    {
        SdlSound sound({dir.path()});
        sound.Play("slow.wav");
        WaitUntilPlayed(sound);
    }
    const auto s = ReadSamples(out);
    const long near = std::count_if(s.begin(), s.end(), [](int16_t v) { return v > 1900 && v < 2100; });
    EXPECT_GT(near, 2 * 4410 * 9 / 10);
    EXPECT_LT(near, 2 * 4410 * 11 / 10);
}

TEST(Sound, BareNamesLookInTheCurrentDirectoryFirst) {
    zv::kit::TempDir cwd, data;
    WriteWav(cwd / "blip.wav", 44100, 10, 1);
    WriteWav(data / "blip.wav", 44100, 10, 1);
    WriteWav(data / "boom.wav", 44100, 10, 1);
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    ASSERT_EQ(chdir(cwd.path().c_str()), 0);
    SdlSound sound({"/nonexistent", data.path()});
    EXPECT_EQ(sound.Resolve("blip.wav"), "blip.wav");
    EXPECT_EQ(sound.Resolve("boom.wav"), data / "boom.wav");
    EXPECT_EQ(sound.Resolve("no.wav"), "");
    EXPECT_EQ(sound.Resolve(data / "boom.wav"), data / "boom.wav");
    EXPECT_EQ(sound.Resolve(""), "");
    ASSERT_EQ(chdir(old), 0);
}

TEST(Sound, NoAudioDeviceMeansSilenceForever) {
    zv::kit::ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    zv::kit::TempDir dir;
    WriteWav(dir / "blip.wav", 44100, 10, 1);
    SdlSound sound({dir.path()});
    sound.Play("blip.wav");
    sound.Play("blip.wav");
    EXPECT_FALSE(sound.DeviceOpen());
    EXPECT_EQ(sound.QueuedBytes(), 0u);
}
