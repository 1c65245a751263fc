// Sound effects: lazy device opening, a cache of converted wave files, and replace-on-play.
#include "platform/Sound.h"

#include <sys/stat.h>

#include <cstring>

namespace zv::platform {

namespace {

bool IsRegularFile(const std::string& path) {
    struct stat st{};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

SdlSound::SdlSound(std::vector<std::string> dataDirs) : dataDirs_(std::move(dataDirs)) {}

SdlSound::~SdlSound() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    if (subsystemStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::string SdlSound::Resolve(const std::string& fileName) const {
    if (fileName.empty()) return {};
    if (fileName.find('/') != std::string::npos) return IsRegularFile(fileName) ? fileName : std::string();
    if (IsRegularFile(fileName)) return fileName;
    for (const auto& dir : dataDirs_) {
        const std::string path = dir + "/" + fileName;
        if (IsRegularFile(path)) return path;
    }
    return {};
}

bool SdlSound::OpenDevice() {
    if (state_ != State::Unopened) return state_ == State::Open;
    state_ = State::Failed;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    subsystemStarted_ = true;
    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = nullptr; // queued audio
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &spec_,
                                  SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (device_ == 0) {
        // No sound card: sound stays off for the rest of the run.
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemStarted_ = false;
        return false;
    }
    state_ = State::Open;
    return true;
}

const std::vector<Uint8>& SdlSound::Samples(const std::string& fileName) {
    if (auto it = cache_.find(fileName); it != cache_.end()) return it->second;
    std::vector<Uint8>& out = cache_[fileName];

    const std::string path = Resolve(fileName);
    if (path.empty()) return out;
    SDL_AudioSpec fileSpec{};
    Uint8* buf = nullptr;
    Uint32 len = 0;
    if (!SDL_LoadWAV(path.c_str(), &fileSpec, &buf, &len)) return out;

    SDL_AudioCVT cvt{};
    const int built = SDL_BuildAudioCVT(&cvt, fileSpec.format, fileSpec.channels, fileSpec.freq,
                                        spec_.format, spec_.channels, spec_.freq);
    if (built < 0 || cvt.len_mult <= 0) {
        SDL_FreeWAV(buf);
        return out;
    }
    cvt.len = static_cast<int>(len);
    std::vector<Uint8> work(static_cast<size_t>(len) * static_cast<size_t>(cvt.len_mult));
    if (len > 0) std::memcpy(work.data(), buf, len);
    SDL_FreeWAV(buf);
    if (built == 1) {
        cvt.buf = work.data();
        if (SDL_ConvertAudio(&cvt) != 0) return out;
        work.resize(static_cast<size_t>(cvt.len_cvt));
    } else {
        work.resize(len);
    }
    out = std::move(work);
    return out;
}

void SdlSound::Play(const char* fileName) {
    if (!fileName || !OpenDevice()) return;
    const std::vector<Uint8>& samples = Samples(fileName);
    if (samples.empty()) return;
    // Under the lock the device thread cannot take a piece of the old sound in between.
    SDL_LockAudioDevice(device_);
    SDL_ClearQueuedAudio(device_);
    SDL_QueueAudio(device_, samples.data(), static_cast<Uint32>(samples.size()));
    SDL_UnlockAudioDevice(device_);
    SDL_PauseAudioDevice(device_, 0);
}

} // namespace zv::platform
