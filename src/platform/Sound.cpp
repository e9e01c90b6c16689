#include "platform/Sound.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <numeric>

#include "platform/PlatformError.h"

namespace gorb {

// The samples of one wave: mono S16 at the device rate, shared by a buffer and all its
// duplicates (the mixer spreads mono over the device's channels). They are either converted
// into samples, or, for a wave embedded in the program that is in the device's own format
// already, read where the wave lies: the program's image holds it for the whole run anyway.
struct SoundData {
    std::vector<int16_t> samples;
    const int16_t* pcm = nullptr;  // samples.data(), or the embedded wave's data chunk
    size_t frames = 0;
    uint32_t sourceBlockAlign = 1;  // bytes per frame of the wave's own format
    int sourceRate = sound::WaveRate;
    int rate = sound::WaveRate;  // the device's
};

struct SoundVoice {
    std::shared_ptr<const SoundData> data;  // null for the primary buffer
    size_t pos = 0;                         // next frame to mix
    bool playing = false;
    uint64_t startFrame = 0;                // stream frame at which it is heard first
};

struct SoundMixer {
    SDL_AudioDeviceID dev = 0;
    int rate = sound::WaveRate;
    int channels = sound::WaveChannels;
    bool paused = false;               // set by tests that drive the mixer themselves
    std::vector<SoundVoice*> playing;  // owned by their SoundBuffer handles

    // The stream's clock: frames mixed so far, and where and when the last callback began.
    uint64_t (*counter)() = SDL_GetPerformanceCounter;
    uint64_t countsPerSecond = SDL_GetPerformanceFrequency();
    uint64_t streamFrame = 0;
    bool clockRunning = false;
    uint64_t lastCallbackAt = 0;
    uint64_t lastCallbackFrame = 0;
    uint32_t lastCallbackFrames = 0;

    // The limiter: a look-ahead delay line, the gain it rides and its time constants.
    static constexpr int LookAhead = sound::LimiterLookAhead;  // about 0.7 ms at 22050 Hz
    float delay[LookAhead] = {};
    int delayAt = 0;
    float gain = 1;
    float attack = 0, release = 0;

    void SetRate(int r) {
        rate = r;
        const int look = LookAhead;
        attack = 1.0f - std::exp(-4.0f / float(look));    // reaches the target within the look-ahead
        release = 1.0f - std::exp(-1.0f / (0.15f * float(r)));  // 150 ms
    }

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

    // The stream frame a sound played now is heard first: as far into the next callback as
    // now is past the start of the last one, so the delay is one callback period whatever
    // the moment. Caller holds the lock.
    uint64_t ScheduleNow() const {
        if (!clockRunning) return 0;
        const uint64_t now = counter();
        uint64_t elapsed = now > lastCallbackAt ? (now - lastCallbackAt) * uint64_t(rate) / countsPerSecond : 0;
        if (lastCallbackFrames > 0 && elapsed >= lastCallbackFrames) elapsed = lastCallbackFrames - 1;
        return lastCallbackFrame + lastCallbackFrames + elapsed;
    }

    // One mixed sample through the master gain and the limiter: the gain follows the loudest
    // sample of the look-ahead window down quickly and back up slowly, and the delayed
    // sample leaves at that gain, so the ceiling holds without flattening the wave.
    float Limit(float x) {
        const float in = x * sound::MasterGain;
        const float out = delay[delayAt];  // the oldest sample leaves as the newest comes in
        delay[delayAt] = in;
        delayAt = (delayAt + 1) % LookAhead;
        float peak = std::abs(out);
        for (float v : delay) peak = std::max(peak, std::abs(v));
        const float target = peak > sound::LimitCeiling ? sound::LimitCeiling / peak : 1.0f;
        gain += (target - gain) * (target < gain ? attack : release);
        if (std::abs(target - gain) < 1e-4f) gain = target;  // float steps this small would stall
        return std::clamp(out * gain, -sound::LimitCeiling, sound::LimitCeiling);
    }

    // Caller holds the lock (the callback runs with it held). Allocates nothing. With
    // scheduled, a sound waits for its start frame; otherwise it starts at once.
    void MixLocked(int16_t* out, int frames, bool scheduled) {
        constexpr int Chunk = 512;
        int32_t acc[Chunk];
        while (frames > 0) {
            const int n = std::min(frames, Chunk);
            std::memset(acc, 0, sizeof(int32_t) * static_cast<size_t>(n));
            for (size_t i = 0; i < playing.size();) {
                SoundVoice* v = playing[i];
                size_t offset = 0;
                if (scheduled && v->startFrame > streamFrame) {
                    if (v->startFrame >= streamFrame + uint64_t(n)) {
                        ++i;
                        continue;
                    }
                    offset = size_t(v->startFrame - streamFrame);
                }
                const size_t left = v->data->frames - v->pos;
                const size_t take = std::min(left, static_cast<size_t>(n) - offset);
                const int16_t* src = v->data->pcm + v->pos;
                for (size_t s = 0; s < take; ++s) acc[offset + s] += src[s];
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
            for (int f = 0; f < n; ++f) {
                const float y = Limit(float(acc[f]) * (1.0f / 32768.0f));
                const int16_t s = static_cast<int16_t>(std::lround(y * 32767.0f));
                // Mono on the front pair; any further channels stay silent.
                out[0] = s;
                if (channels >= 2) out[1] = s;
                for (int c = 2; c < channels; ++c) out[c] = 0;
                out += channels;
            }
            streamFrame += uint64_t(n);
            frames -= n;
        }
    }

    void Callback(int16_t* out, int frames) {
        lastCallbackAt = counter();
        lastCallbackFrame = streamFrame;
        lastCallbackFrames = uint32_t(frames);
        clockRunning = true;
        MixLocked(out, frames, true);
    }
};

namespace {

void AudioCallback(void* userdata, Uint8* stream, int len) {
    auto* m = static_cast<SoundMixer*>(userdata);
    if (m->paused) {
        std::memset(stream, 0, static_cast<size_t>(len));
        return;
    }
    m->Callback(reinterpret_cast<int16_t*>(stream), len / (2 * m->channels));
}

[[noreturn]] void Fail(const std::string& what) {
    throw PlatformError(err::Generic, what + ": " + SDL_GetError(), "SoundDevice");
}

// The filter kernel of the resampler, sampled finely once: a sinc cut off below the lower of
// the two Nyquist frequencies, under a Kaiser window (beta 8: about 80 dB of stop band).
struct ResampleKernel {
    static constexpr int Half = 64;     // taps on each side, in samples of the lower rate
    static constexpr int Steps = 512;   // table entries per sample
    std::vector<float> table;           // h(d) for d = 0 .. Half in steps of 1 / Steps
    ResampleKernel() {
        auto bessel0 = [](double x) {
            double sum = 1, term = 1;
            for (int k = 1; k < 40; ++k) {
                term *= (x / (2 * k)) * (x / (2 * k));
                sum += term;
            }
            return sum;
        };
        // Of the lower rate: flat to 88 % of its Nyquist frequency, fully stopped from 96 %, so
        // nothing near Nyquist folds back as an image.
        constexpr double beta = 8.0, cutoff = 0.46;
        const double norm = bessel0(beta);
        table.resize(size_t(Half * Steps + 2));
        for (size_t i = 0; i < table.size(); ++i) {
            const double d = double(i) / Steps;
            const double r = d / Half;
            const double w = r < 1 ? bessel0(beta * std::sqrt(1 - r * r)) / norm : 0;
            const double x = 2 * cutoff * d;
            const double sinc = d == 0 ? 1 : std::sin(M_PI * x) / (M_PI * x);
            table[i] = float(2 * cutoff * sinc * w);
        }
    }
    // h at d (in samples of the lower rate), interpolated.
    float At(double d) const {
        d = std::abs(d) * Steps;
        const size_t i = size_t(d);
        if (i + 1 >= table.size()) return 0;
        const float f = float(d - double(i));
        return table[i] + (table[i + 1] - table[i]) * f;
    }
};

// The wave's samples as mono floats in [-1, 1], whatever its PCM format and channel count.
std::vector<float> DecodeMono(const SDL_AudioSpec& spec, const Uint8* raw, Uint32 len) {
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_F32SYS, 1, spec.freq) < 0)
        Fail("Cannot convert wave");
    std::vector<Uint8> work(static_cast<size_t>(len) * static_cast<size_t>(cvt.len_mult) + 16);
    if (len) std::memcpy(work.data(), raw, len);
    size_t outLen = len;
    if (cvt.needed && len) {
        cvt.buf = work.data();
        cvt.len = static_cast<int>(len);
        if (SDL_ConvertAudio(&cvt) != 0) Fail("Cannot convert wave");
        outLen = static_cast<size_t>(cvt.len_cvt);
    }
    std::vector<float> out(outLen / sizeof(float));
    if (!out.empty()) std::memcpy(out.data(), work.data(), out.size() * sizeof(float));
    return out;
}

}  // namespace

std::vector<float> sound::Resample(const std::vector<float>& in, int fromRate, int toRate) {
    if (fromRate == toRate || in.empty() || fromRate <= 0 || toRate <= 0) return in;
    static const ResampleKernel kernel;
    const double ratio = double(toRate) / double(fromRate);
    // The kernel is laid out in samples of the lower rate; going down, it widens over the input.
    const double scale = std::min(1.0, ratio);
    const int half = int(std::ceil(ResampleKernel::Half / scale));
    const int taps = 2 * half;
    const size_t outLen = size_t(std::llround(double(in.size()) * ratio));
    std::vector<float> out(outLen);
    // Output sample n lies at input position n * from / to: in whole steps of 1 / phases, so
    // the weights of every phase are worked out once (for rates with very many phases, each
    // output sample works out its own).
    const long g = std::gcd(long(fromRate), long(toRate));
    const long phases = long(toRate) / g, step = long(fromRate) / g;
    const bool perPhase = phases <= 4096;
    std::vector<float> weights(size_t(perPhase ? phases : 1) * size_t(taps));
    auto fill = [&](long ph, float* w) {
        for (int j = 0; j < taps; ++j)
            w[j] = float(kernel.At((double(ph) / double(phases) + double(half - 1 - j)) * scale) * scale);
    };
    if (perPhase)
        for (long ph = 0; ph < phases; ++ph) fill(ph, weights.data() + size_t(ph) * size_t(taps));
    const long last = long(in.size()) - 1;
    for (size_t n = 0; n < outLen; ++n) {
        const long pos = long(n) * step;
        const long k0 = pos / phases, ph = pos % phases;
        const float* w = weights.data();
        if (perPhase)
            w += size_t(ph) * size_t(taps);
        else
            fill(ph, weights.data());
        const long first = k0 - half + 1;
        float sum = 0;
        if (first >= 0 && first + taps - 1 <= last) {
            const float* x = in.data() + first;
            for (int j = 0; j < taps; ++j) sum += x[j] * w[j];
        } else {
            for (int j = 0; j < taps; ++j) {
                const long k = first + j;
                if (k >= 0 && k <= last) sum += in[size_t(k)] * w[j];
            }
        }
        out[n] = sum;
    }
    return out;
}

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
        voice_->startFrame = mixer_->ScheduleNow();
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
    const uint64_t frame = srcFrame * static_cast<uint64_t>(d.rate) / static_cast<uint64_t>(d.sourceRate);
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
    want.freq = sound::WaveRate;
    want.format = AUDIO_S16SYS;
    want.channels = sound::WaveChannels;
    want.samples = sound::CallbackFrames;
    want.callback = AudioCallback;
    want.userdata = d->mixer_.get();
    SDL_AudioSpec got{};
    // The waves' own rate and channels where the device takes them; where it does not, its
    // own, and each wave is resampled once at load. The sample format and the callback size
    // stay ours (SDL adapts them, losslessly).
    const SDL_AudioDeviceID dev = SDL_OpenAudioDevice(
        nullptr, 0, &want, &got, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (dev == 0) {
        std::string msg = std::string("No sound device: ") + SDL_GetError();
        if (d->ownsSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        d->ownsSubsystem_ = false;
        throw PlatformError(err::Generic, msg, "SoundDevice");
    }
    d->mixer_->dev = dev;
    d->mixer_->channels = std::max<int>(1, got.channels);
    d->mixer_->SetRate(got.freq > 0 ? got.freq : sound::WaveRate);
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
    data->rate = mixer_->rate;
    std::vector<float> mono;
    try {
        mono = sound::Resample(DecodeMono(spec, raw, rawLen), spec.freq, mixer_->rate);
    } catch (...) {
        SDL_FreeWAV(raw);
        throw;
    }
    SDL_FreeWAV(raw);
    data->frames = mono.size();
    data->samples.resize(mono.size());
    for (size_t i = 0; i < mono.size(); ++i)
        data->samples[i] = static_cast<int16_t>(std::clamp<long>(std::lround(mono[i] * 32768.0f), -32768, 32767));
    data->pcm = data->samples.data();
    return BufferFor(std::move(data));
}

SoundBuffer SoundDevice::BufferFor(std::shared_ptr<SoundData> data) {
    SoundBuffer b;
    b.mixer_ = mixer_;
    b.voice_ = std::make_unique<SoundVoice>();
    b.voice_->data = std::move(data);
    return b;
}

SoundBuffer SoundDevice::CreateSoundBufferFromStaticMemory(std::span<const uint8_t> wav) {
    const std::span<const int16_t> pcm = sound::PcmInFormat(wav, mixer_->rate);
    if (pcm.empty()) return CreateSoundBufferFromMemory(wav);
    auto data = std::make_shared<SoundData>();
    data->sourceBlockAlign = 2;
    data->sourceRate = mixer_->rate;
    data->rate = mixer_->rate;
    data->pcm = pcm.data();
    data->frames = pcm.size();
    return BufferFor(std::move(data));
}

namespace sound {

std::span<const int16_t> PcmInFormat(std::span<const uint8_t> wav, int rate) {
    if constexpr (std::endian::native != std::endian::little) return {};
    auto u16 = [&](size_t at) { return uint32_t(wav[at]) | uint32_t(wav[at + 1]) << 8; };
    auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    if (wav.size() < 12 || std::memcmp(wav.data(), "RIFF", 4) != 0 || std::memcmp(wav.data() + 8, "WAVE", 4) != 0)
        return {};
    bool formatOk = false;
    for (size_t at = 12; at + 8 <= wav.size();) {
        const uint32_t size = u32(at + 4);
        const size_t body = at + 8;
        if (size > wav.size() - body) return {};
        if (std::memcmp(wav.data() + at, "fmt ", 4) == 0) {
            // PCM, one channel, 16 bits, at the device's rate.
            formatOk = size >= 16 && u16(body) == 1 && u16(body + 2) == 1 && u32(body + 4) == uint32_t(rate) &&
                       u16(body + 14) == 16;
            if (!formatOk) return {};
        } else if (std::memcmp(wav.data() + at, "data", 4) == 0) {
            const uint8_t* p = wav.data() + body;
            if (!formatOk || reinterpret_cast<uintptr_t>(p) % alignof(int16_t) != 0) return {};
            return {reinterpret_cast<const int16_t*>(p), size / 2};
        }
        at = body + size + (size & 1);  // chunks are padded to an even length
    }
    return {};
}

}  // namespace sound

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
    mixer_->MixLocked(out, frames, false);
    mixer_->Unlock();
}

void SoundDevice::MixCallback(int16_t* out, int frames) {
    mixer_->Lock();
    mixer_->Callback(out, frames);
    mixer_->Unlock();
}

void SoundDevice::UseClock(uint64_t (*counter)(), uint64_t countsPerSecond) {
    mixer_->Lock();
    mixer_->counter = counter;
    mixer_->countsPerSecond = countsPerSecond;
    mixer_->Unlock();
}

int SoundDevice::Rate() const { return mixer_->rate; }
int SoundDevice::Channels() const { return mixer_->channels; }

int SoundDevice::PlayingCount() const {
    mixer_->Lock();
    const int n = static_cast<int>(mixer_->playing.size());
    mixer_->Unlock();
    return n;
}

}  // namespace gorb
