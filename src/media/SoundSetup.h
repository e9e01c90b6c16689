#pragma once
// Sound set-up, loading and release, and the queued playback of requested sound numbers.
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "media/MediaFields.h"
#include "media/MediaHooks.h"
#include "platform/Sound.h"

namespace gorb {

// The sound objects: the device, its primary buffer, one buffer per sound number and the 28
// rotating duplicates of queued playback, and whether sound is on.
struct SoundObjects {
    // True only after a complete sound set-up; nothing is played unless it is exactly True.
    Boolean SoundOn = False;
    std::unique_ptr<SoundDevice> DirectSound;
    SoundBuffer mainbuffer;
    std::array<SoundBuffer, kSoundCount + 1> SoundBuffers;     // 0..96; 0, 4 and 5 stay empty
    std::array<SoundBuffer, kChannelCount + 1> SoundChannels;  // 0..28; 0 unused
};

// Opens the device, loads every numbered sound and sets SoundOn; which of the two intro musics
// is loaded is drawn from random. On a failure: a one-line log, the message box, and the main
// form unloaded; SoundOn stays False.
void SetupDirectSound(SoundObjects& sound, const MediaHooks& hooks, RandomGenerator& random);

// The wave set-up loads into a number: nullptr for 0, 4, 5 and the per-level 60..62, and
// "qvintro4" for 81, which one start in five replaces by "qvintro4a".
const char* SetupWaveName(int n);

// SoundBuffers(index) := a buffer from the wave resource, replacing what it held. Throws
// PlatformError (unknown resource, index outside 0..96, no device) to the caller.
void LoadResourceSound(SoundObjects& sound, int index, std::string_view name);

// The same from "<program folder>/sound/<file>"; file is replaced by that full path.
void LoadOldSound(SoundObjects& sound, int index, std::string& file);

// Drops the channels, the buffers, the primary buffer and the device. Never fails; safe when
// nothing or only part was set up, and when called twice.
void ReleaseDirectSound(SoundObjects& sound);

// Plays every requested number of first..last once and clears its request; ordinary effects
// go through the duplicate rings, the rest play on their own buffer. Does nothing at all
// (requests kept) unless SoundOn is True.
void PlayQueuedSounds(SoundObjects& sound, SoundRequests& requests, int first, int last);

}  // namespace gorb
