#include "platform/Sound.h"

#include <algorithm>
#include <cstring>

#include "platform/PlatformError.h"

namespace gorb {

// The converted samples of one wave: interleaved stereo S16 at the device rate, shared by a
// buffer and all its duplicates.
struct SoundData {
    std::vector<int16_t> samples;
    size_t frames = 0;
    uint32_t sourceBlockAlign = 1;  // bytes per frame of the wave's own format
    int sourceRate = dsound::DeviceRate;
};

struct SoundVoice {
    std::shared_ptr<const SoundData> data;  // null for the primary buffer
    size_t pos = 0;                         // next frame to mix
    bool playing = false;
};

struct SoundMixer {
    SDL_AudioDeviceID dev = 0;
    bool paused = false;               // set by tests that drive the mixer themselves
    std::vector<SoundVoice*> playing;  // owned by their SoundBuffer handles

    void Lock() const {
        if (dev) SDL_LockAudioDevice(dev);
    }
    void Unlock() const {
        if (dev) SDL_UnlockAudioDevice(dev);
    }
    void Remove(SoundVoice* v) {
        auto it = std::find(playing.begin(), playing.end(), v);
        if (it != playing.end()) playing.erase(it);
    }

    // Caller holds the lock (the callback runs with it held). Allocates nothing.
    void MixLocked(int16_t* out, int frames) {
        constexpr int Chunk = 512;
        int32_t acc[Chunk * dsound::DeviceChannels];
        while (frames > 0) {
            const int n = std::min(frames, Chunk);
            const int ns = n * dsound::DeviceChannels;
            std::memset(acc, 0, sizeof(int32_t) * static_cast<size_t>(ns));
            for (size_t i = 0; i < playing.size();) {
                SoundVoice* v = playing[i];
                const size_t left = v->data->frames - v->pos;
                const size_t take = std::min(left, static_cast<size_t>(n));
                const int16_t* src = v->data->samples.data() + v->pos * dsound::DeviceChannels;
                const size_t ts = take * dsound::DeviceChannels;
                for (size_t s = 0; s < ts; ++s) acc[s] += src[s];
                v->pos += take;
                if (v->pos >= v->data->frames) {
                    // A finished one-shot buffer stops and rewinds, so the next Play starts over.
                    v->playing = false;
                    v->pos = 0;
                    playing.erase(playing.begin() + static_cast<std::ptrdiff_t>(i));
                } else {
                    ++i;
                }
            }
            for (int s = 0; s < ns; ++s)
                out[s] = static_cast<int16_t>(std::clamp<int32_t>(acc[s], -32768, 32767));
            out += ns;
            frames -= n;
        }
    }
};

namespace {

void AudioCallback(void* userdata, Uint8* stream, int len) {
    auto* m = static_cast<SoundMixer*>(userdata);
    if (m->paused) {
        std::memset(stream, 0, static_cast<size_t>(len));
        return;
    }
    m->MixLocked(reinterpret_cast<int16_t*>(stream), len / (2 * dsound::DeviceChannels));
}

[[noreturn]] void Fail(const std::string& what) {
    throw PlatformError(err::Generic, what + ": " + SDL_GetError(), "SoundDevice");
}

}  // namespace

// ---------------------------------------------------------------- SoundBuffer

SoundBuffer::SoundBuffer() = default;
SoundBuffer::SoundBuffer(SoundBuffer&& other) noexcept = default;
SoundBuffer& SoundBuffer::operator=(SoundBuffer&& other) noexcept {
    if (this != &other) {
        Release();
        mixer_ = std::move(other.mixer_);
        voice_ = std::move(other.voice_);
    }
    return *this;
}
SoundBuffer::~SoundBuffer() { Release(); }

void SoundBuffer::Play(int32_t) {
    if (!voice_ || !voice_->data || voice_->data->frames == 0) return;
    mixer_->Lock();
    if (!voice_->playing) {
        voice_->playing = true;
        mixer_->playing.push_back(voice_.get());
    }
    mixer_->Unlock();
}

void SoundBuffer::Stop() {
    if (!voice_) return;
    mixer_->Lock();
    if (voice_->playing) {
        voice_->playing = false;
        mixer_->Remove(voice_.get());
    }
    mixer_->Unlock();
}

void SoundBuffer::SetCurrentPosition(uint32_t position) {
    if (!voice_ || !voice_->data) return;
    const SoundData& d = *voice_->data;
    const uint64_t srcFrame = position / d.sourceBlockAlign;
    const uint64_t frame = srcFrame * dsound::DeviceRate / static_cast<uint64_t>(d.sourceRate);
    mixer_->Lock();
    voice_->pos = static_cast<size_t>(std::min<uint64_t>(frame, d.frames));
    if (voice_->pos >= d.frames) voice_->pos = 0;
    mixer_->Unlock();
}

int32_t SoundBuffer::GetStatus() const {
    if (!voice_) return 0;
    mixer_->Lock();
    const bool p = voice_->playing;
    mixer_->Unlock();
    return p ? dsound::BSTATUS_PLAYING : 0;
}

void SoundBuffer::Release() {
    if (!voice_) return;
    Stop();
    voice_.reset();
    mixer_.reset();
}

size_t SoundBuffer::Frames() const { return voice_ && voice_->data ? voice_->data->frames : 0; }

// ---------------------------------------------------------------- SoundDevice

std::unique_ptr<SoundDevice> SoundDevice::Create() {
    std::unique_ptr<SoundDevice> d(new SoundDevice());
    if (!SDL_WasInit(SDL_INIT_AUDIO)) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) Fail("No sound device");
        d->ownsSubsystem_ = true;
    }
    d->mixer_ = std::make_shared<SoundMixer>();
    d->mixer_->playing.reserve(64);
    SDL_AudioSpec want{};
    want.freq = dsound::DeviceRate;
    want.format = AUDIO_S16SYS;
    want.channels = dsound::DeviceChannels;
    want.samples = 1024;
    want.callback = AudioCallback;
    want.userdata = d->mixer_.get();
    SDL_AudioSpec got{};
    // No changes allowed: SDL adapts our fixed format to whatever the hardware takes.
    const SDL_AudioDeviceID dev = SDL_OpenAudioDevice(nullptr, 0, &want, &got, 0);
    if (dev == 0) {
        std::string msg = std::string("No sound device: ") + SDL_GetError();
        if (d->ownsSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        d->ownsSubsystem_ = false;
        throw PlatformError(err::Generic, msg, "SoundDevice");
    }
    d->mixer_->dev = dev;
    SDL_PauseAudioDevice(dev, 0);
    return d;
}

SoundDevice::~SoundDevice() {
    if (mixer_ && mixer_->dev) {
        SDL_CloseAudioDevice(mixer_->dev);  // waits for a running callback to finish
        mixer_->dev = 0;
        // Buffers that outlive the device keep their state but are never mixed again.
        for (SoundVoice* v : mixer_->playing) v->playing = false;
        mixer_->playing.clear();
    }
    if (ownsSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SoundDevice::SetCooperativeLevel(int32_t) {}

SoundBuffer SoundDevice::CreatePrimaryBuffer() {
    SoundBuffer b;
    b.mixer_ = mixer_;
    b.voice_ = std::make_unique<SoundVoice>();
    return b;
}

SoundBuffer SoundDevice::CreateSoundBufferFromMemory(std::span<const uint8_t> wav) {
    SDL_RWops* rw = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
    if (!rw) Fail("Cannot read wave");
    SDL_AudioSpec spec{};
    Uint8* raw = nullptr;
    Uint32 rawLen = 0;
    if (!SDL_LoadWAV_RW(rw, 1, &spec, &raw, &rawLen)) Fail("Cannot load wave");

    auto data = std::make_shared<SoundData>();
    data->sourceBlockAlign = std::max<uint32_t>(1, SDL_AUDIO_BITSIZE(spec.format) / 8u * spec.channels);
    data->sourceRate = spec.freq;

    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS,
                          dsound::DeviceChannels, dsound::DeviceRate) < 0) {
        SDL_FreeWAV(raw);
        Fail("Cannot convert wave");
    }
    // SDL converts in place, in a buffer len_mult times the input.
    std::vector<Uint8> work(static_cast<size_t>(rawLen) * static_cast<size_t>(cvt.len_mult) + 16);
    if (rawLen) std::memcpy(work.data(), raw, rawLen);
    SDL_FreeWAV(raw);
    size_t outLen = rawLen;
    if (cvt.needed && rawLen) {
        cvt.buf = work.data();
        cvt.len = static_cast<int>(rawLen);
        if (SDL_ConvertAudio(&cvt) != 0) Fail("Cannot convert wave");
        outLen = static_cast<size_t>(cvt.len_cvt);
    }
    const size_t frameBytes = 2 * dsound::DeviceChannels;
    data->frames = outLen / frameBytes;
    data->samples.resize(data->frames * dsound::DeviceChannels);
    if (data->frames) std::memcpy(data->samples.data(), work.data(), data->frames * frameBytes);

    SoundBuffer b;
    b.mixer_ = mixer_;
    b.voice_ = std::make_unique<SoundVoice>();
    b.voice_->data = std::move(data);
    return b;
}

SoundBuffer SoundDevice::CreateSoundBufferFromFile(const std::string& path) {
    SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
    if (!rw) throw PlatformError(err::FileNotFound, "File not found: " + path, "SoundDevice");
    const Sint64 size = SDL_RWsize(rw);
    std::vector<uint8_t> bytes(size > 0 ? static_cast<size_t>(size) : 0);
    const size_t got = bytes.empty() ? 0 : SDL_RWread(rw, bytes.data(), 1, bytes.size());
    SDL_RWclose(rw);
    bytes.resize(got);
    return CreateSoundBufferFromMemory(bytes);
}

SoundBuffer SoundDevice::DuplicateSoundBuffer(const SoundBuffer& original) {
    SoundBuffer b;
    if (!original.voice_) return b;
    b.mixer_ = mixer_;
    b.voice_ = std::make_unique<SoundVoice>();
    b.voice_->data = original.voice_->data;
    return b;
}

void SoundDevice::PauseOutput(bool paused) {
    // The flag, set under the lock, also stops a callback that SDL had already begun to run.
    mixer_->Lock();
    mixer_->paused = paused;
    mixer_->Unlock();
}

void SoundDevice::MixFrames(int16_t* out, int frames) {
    mixer_->Lock();
    mixer_->MixLocked(out, frames);
    mixer_->Unlock();
}

int SoundDevice::PlayingCount() const {
    mixer_->Lock();
    const int n = static_cast<int>(mixer_->playing.size());
    mixer_->Unlock();
    return n;
}

}  // namespace gorb
