#include "media/SoundSetup.h"

#include <filesystem>

#include "media/ErrorLog.h"
#include "media/SoundNumbers.h"
#include "media/SoundRings.h"
#include "platform/Arithmetic.h"
#include "platform/PlatformError.h"

namespace gorb {

namespace {

// The wave loaded into each number at set-up: none for 0, 4, 5 and the per-level 60..62; 81
// is replaced by "qvintro4a" in one start in five.
constexpr const char* kWaves[kSoundCount + 1] = {
    nullptr,
    "playsht1", "playsht2", "playsht3", nullptr, nullptr, "SHOOT01", "zap02", "shoot02",        // 1-8
    "laser03", "missile1", "missile2", "drop01", "laser05", "missile3", "laser02", "shoot04",   // 9-16
    "snot01", "shoot05", "shoot06", "shoot03", "rico1", "rico2", "explode1", "explode2",       // 17-24
    "blimppop", "explode3", "explode7", "explode5", "explode6", "wood01a", "wood02a",          // 25-31
    "explode0", "snot02", "ice05c", "ice06c", "collide1", "collide4", "squish01", "squish02",  // 32-39
    "explode8a", "getgun2", "getgun3", "energy01", "extralif", "speed01", "sizzle3a",          // 40-46
    "waver02", "bubbles2", "planefa2", "bosscrsh", "slow01", "slow02", "ding01", "axe02b",     // 47-54
    "enemy01", "white01a", "white02a", "thunder4", "gameove2", nullptr, nullptr, nullptr,      // 55-62
    "zugyel10", "zugyel09", "aaah01", "aaah02", "aaah03", "aaah04", "aaah05", "aaah06",        // 63-70
    "aaah07", "zugyel01", "zugyel02", "zugyel03", "zugyel04", "zugyel05", "zugyel06",          // 71-77
    "zugyel07", "zugyel08", "zugyel12", "qvintro4", "zugyel13", "wind02", "eject01",           // 78-84
    "click01", "click02", "click03", "exit3", "drum1", "drum3", "drum4", "rico3", "rico4",     // 85-93
    "rico5", "zap03", "water01",                                                               // 94-96
};

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path();
    return exe.parent_path();
}

}  // namespace

const char* SetupWaveName(int n) { return n >= 0 && n <= kSoundCount ? kWaves[n] : nullptr; }

void LoadResourceSound(SoundObjects& sound, int index, std::string_view name) {
    if (index < 0 || index > kSoundCount)
        throw PlatformError(err::SubscriptOutOfRange, "Subscript out of range");
    if (!sound.DirectSound)
        throw ObjectNotSet();
    sound.SoundBuffers[index] = sound.DirectSound->CreateSoundBufferFromResource(name);
}

void LoadOldSound(SoundObjects& sound, int index, std::string& file) {
    file = (ProgramFolder() / "sound" / file).string();
    if (index < 0 || index > kSoundCount)
        throw PlatformError(err::SubscriptOutOfRange, "Subscript out of range");
    if (!sound.DirectSound)
        throw ObjectNotSet();
    sound.SoundBuffers[index] = sound.DirectSound->CreateSoundBufferFromFile(file);
}

void SetupDirectSound(SoundObjects& sound, const MediaHooks& hooks, RandomGenerator& random) {
    std::string step;
    try {
        SetStep(hooks, step, "DirectSoundCreate command.");
        sound.DirectSound = SoundDevice::Create();
        SetStep(hooks, step, "DirectSound SetCooperativeLevel command.");
        sound.DirectSound->SetCooperativeLevel(dsound::SCL_EXCLUSIVE);
        SetStep(hooks, step, "CreateSoundBuffer command for mainbuffer.");
        sound.mainbuffer = sound.DirectSound->CreatePrimaryBuffer();
        SetStep(hooks, step, "LoadResourceSound command for one of the sounds.");
        for (int n = 1; n < snd::IntroMusic; ++n)
            if (kWaves[n]) LoadResourceSound(sound, n, kWaves[n]);
        // One start in five hears the other version of the intro music.
        int r = random.Below(5) + 1;
        LoadResourceSound(sound, snd::IntroMusic, r == 1 ? "qvintro4a" : "qvintro4");
        for (int n = snd::IntroMusic + 1; n <= kSoundCount; ++n) LoadResourceSound(sound, n, kWaves[n]);
        sound.SoundOn = True;
    } catch (const PlatformError& e) {
        // The step, and why it failed (a machine without a sound device says so here).
        std::string line = std::string(logprefix::SetupDirectSound) + step;
        std::string lines[] = {line, "Error was " + e.Description};
        WriteErrorLog(lines);
        if (hooks.MessageBox) hooks.MessageBox(line);
        if (hooks.UnloadMainForm) hooks.UnloadMainForm();
    }
}

void ReleaseDirectSound(SoundObjects& sound) {
    // Releasing never throws; each drop stops what was playing.
    for (int c = 1; c <= kChannelCount; ++c) sound.SoundChannels[c].Release();
    for (int n = 1; n <= kSoundCount; ++n) sound.SoundBuffers[n].Release();
    sound.mainbuffer.Release();
    sound.DirectSound.reset();
}

void PlayQueuedSounds(SoundObjects& sound, SoundRequests& requests, int first, int last) {
    if (sound.SoundOn != True) return;
    if (first < 1) first = 1;
    if (last > kSoundCount) last = kSoundCount;
    for (int n = first; n <= last; ++n) {
        if (requests.Requested[static_cast<size_t>(n)] != True) continue;
        SoundRoute route = RouteQueuedSound(n, requests);
        // A failed duplicate or play loses that one sound; the frame goes on.
        try {
            if (route.OnChannel) {
                SoundBuffer& channel = sound.SoundChannels[route.Channel];
                channel = sound.DirectSound ? sound.DirectSound->DuplicateSoundBuffer(sound.SoundBuffers[n])
                                            : SoundBuffer();
                channel.Play(0);
            } else {
                sound.SoundBuffers[n].Play(0);
            }
        } catch (const PlatformError&) {
        }
        requests.Requested[static_cast<size_t>(n)] = False;
    }
}

}  // namespace gorb
