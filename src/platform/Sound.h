#pragma once
// Sound output: one device, buffers that each hold one wave converted once at load to the
// device's format, duplicates that share a buffer's samples with a play position of their own,
// and a mixer in the audio callback. Everything but the mixer runs on the game thread; the
// state the mixer reads is guarded by the audio device's lock.
//
// The device is asked for the waves' own format (22050 Hz mono), so a buffer holds a wave at
// its source size and nothing is converted. A device that must run at another rate or channel
// count gets each wave resampled once, at load, by a windowed-sinc filter.
//
// The mixer sums the playing buffers, applies a master gain and a limiter (so many loud sounds
// at once never clip), and starts each sound at the sample that matches the moment Play was
// called, one callback period later, so sounds keep the game's own rhythm instead of the
// callback's.
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gorb {

struct SoundMixer;
struct SoundData;
struct SoundVoice;

// Cooperative level and buffer flags as the game passes them.
namespace dsound {
constexpr int32_t SCL_EXCLUSIVE = 3;
constexpr int32_t BCAPS_PRIMARYBUFFER = 1;
constexpr int32_t BCAPS_LOCSOFTWARE = 8;
constexpr int32_t BSTATUS_PLAYING = 1;
}  // namespace dsound

namespace sound {
// The format of the game's waves, which the device is asked for.
constexpr int WaveRate = 22050;
constexpr int WaveChannels = 1;
// Frames per audio callback: about 11.6 ms at 22050 Hz, the delay between Play and the sound.
constexpr int CallbackFrames = 256;
// The mixer's master gain and the limiter's ceiling (of full scale).
constexpr float MasterGain = 0.708f;  // -3 dB
constexpr float LimitCeiling = 0.891f;  // -1 dBFS
// The limiter looks this many frames ahead: everything is heard that much later.
constexpr int LimiterLookAhead = 16;

// A mono signal resampled from one rate to another with a Kaiser-windowed sinc filter: images
// and aliases stay about 80 dB down. The same signal when the rates are equal.
std::vector<float> Resample(const std::vector<float>& in, int fromRate, int toRate);
// The samples of a PCM wave image that is mono, 16 bits and at the given rate, where they lie
// in it; empty for any other format or a malformed image.
std::span<const int16_t> PcmInFormat(std::span<const uint8_t> wav, int rate);
}  // namespace sound

// One sound buffer (or the primary buffer, or nothing). Move-only: assigning a new buffer to a
// variable releases the one it held, and releasing a playing buffer stops it.
class SoundBuffer {
public:
    SoundBuffer();
    SoundBuffer(SoundBuffer&& other) noexcept;
    SoundBuffer& operator=(SoundBuffer&& other) noexcept;
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;
    ~SoundBuffer();

    // Plays once from the current position; a buffer that is playing goes on undisturbed.
    // Playing an empty, primary or released buffer does nothing.
    void Play(int32_t flags = 0);
    // Halts the buffer where it is.
    void Stop();
    // Moves the play position to a byte offset in the wave's own format (the game passes 0).
    void SetCurrentPosition(uint32_t position);
    // BSTATUS_PLAYING while it sounds, else 0.
    int32_t GetStatus() const;
    // Stops the buffer and drops its samples; the handle becomes empty.
    void Release();

    bool IsEmpty() const { return voice_ == nullptr; }
    // Length in device frames (0 for an empty buffer).
    size_t Frames() const;

private:
    friend class SoundDevice;
    std::shared_ptr<SoundMixer> mixer_;
    std::unique_ptr<SoundVoice> voice_;
};

class SoundDevice {
public:
    // Opens the default audio output (the driver SDL_AUDIODRIVER names). When no device can be
    // opened it throws PlatformError and leaves SDL's audio subsystem as it found it.
    static std::unique_ptr<SoundDevice> Create();
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // The game asks for exclusive use of the card; the device is ours alone anyway.
    void SetCooperativeLevel(int32_t flags);
    // The primary buffer: exists, never sounds.
    SoundBuffer CreatePrimaryBuffer();
    // A buffer from a complete RIFF WAVE image (PCM). Throws PlatformError on a malformed wave.
    SoundBuffer CreateSoundBufferFromMemory(std::span<const uint8_t> wav);
    // A buffer from the embedded wave resource of that name (any letter case).
    SoundBuffer CreateSoundBufferFromResource(std::string_view name);
    // A buffer from a wave image that stays in memory, unchanged, for the whole run: a wave in
    // the device's own format is played from where it lies instead of being copied.
    SoundBuffer CreateSoundBufferFromStaticMemory(std::span<const uint8_t> wav);
    // A buffer from a wave file on disk.
    SoundBuffer CreateSoundBufferFromFile(const std::string& path);
    // A new buffer sharing the original's samples, stopped, at position 0. Duplicating an
    // empty buffer gives an empty buffer.
    SoundBuffer DuplicateSoundBuffer(const SoundBuffer& original);

    // The format the device runs at.
    int Rate() const;
    int Channels() const;

    // --- for tests and benchmarks: drive the mixer without real time ---
    // Pauses or resumes the device's own callback.
    void PauseOutput(bool paused);
    // Mixes the next frames (interleaved S16 at the device's channel count) as the callback
    // would, except that every sound played starts at once, at the first frame.
    void MixFrames(int16_t* out, int frames);
    // Mixes as the device's own callback does, as though it ran at the clock's current time:
    // a sound starts at the frame that matches the moment it was played.
    void MixCallback(int16_t* out, int frames);
    // Replaces the clock (SDL's performance counter) that times Play calls and callbacks.
    void UseClock(uint64_t (*counter)(), uint64_t countsPerSecond);
    // Number of buffers currently playing.
    int PlayingCount() const;

private:
    SoundDevice() = default;
    SoundBuffer BufferFor(std::shared_ptr<SoundData> data);
    std::shared_ptr<SoundMixer> mixer_;
    bool ownsSubsystem_ = false;
};

}  // namespace gorb
