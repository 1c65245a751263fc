// Sound effects through an SDL audio device: one sound at a time, each new one replacing the last.
#pragma once

#include <SDL.h>

#include <map>
#include <string>
#include <vector>

#include "game/Ports.h"

namespace zv::platform {

class SdlSound : public zv::SoundPlayer {
public:
    // dataDirs: where a bare file name is looked up after the current directory.
    explicit SdlSound(std::vector<std::string> dataDirs);
    ~SdlSound() override;
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    // Returns at once. A missing or unreadable file, or no usable audio device, plays nothing
    // and reports nothing.
    void Play(const char* fileName) override;

    // Where a bare name is found: the current directory first, then the data directories.
    // Names with a directory are taken as they are. Empty when not found.
    std::string Resolve(const std::string& fileName) const;

    bool DeviceOpen() const { return state_ == State::Open; }
    // Bytes still waiting for the device; 0 when silent or when there is no device.
    Uint32 QueuedBytes() const { return device_ != 0 ? SDL_GetQueuedAudioSize(device_) : 0; }

private:
    enum class State { Unopened, Open, Failed };
    bool OpenDevice();
    // The samples of a file in the device's format; empty when it cannot be played.
    const std::vector<Uint8>& Samples(const std::string& fileName);

    std::vector<std::string> dataDirs_;
    State state_ = State::Unopened;
    bool subsystemStarted_ = false;
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec spec_{};
    std::map<std::string, std::vector<Uint8>> cache_;
};

} // namespace zv::platform
