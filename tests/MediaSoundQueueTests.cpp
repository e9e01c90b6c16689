#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "MediaTestDir.h"
#include "media/ErrorLog.h"
#include "media/MediaState.h"

using namespace gorb;
using gorb::testing::ReadFile;
using gorb::testing::ScopedWorkDir;

namespace {

// A second of a quiet 16-bit tone: long enough that nothing ends while a test runs.
std::vector<uint8_t> ToneWav() {
    const int n = 22050;
    std::vector<uint8_t> out;
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i))); };
    auto u16 = [&](uint16_t v) { out.push_back(uint8_t(v)); out.push_back(uint8_t(v >> 8)); };
    auto tag = [&](const char* t) { out.insert(out.end(), t, t + 4); };
    tag("RIFF"); u32(36 + n * 2); tag("WAVE");
    tag("fmt "); u32(16); u16(1); u16(1); u32(22050); u32(44100); u16(2); u16(16);
    tag("data"); u32(n * 2);
    for (int i = 0; i < n; ++i) u16(uint16_t(int16_t((i % 50) * 40 - 1000)));
    return out;
}

// Every number loaded with the same tone, the mixer paused so nothing finishes on its own.
class MediaSoundQueue : public ::testing::Test {
protected:
    void SetUp() override {
        sound.DirectSound = SoundDevice::Create();
        sound.DirectSound->PauseOutput(true);
        auto wav = ToneWav();
        for (int n = 1; n <= kSoundCount; ++n)
            sound.SoundBuffers[n] = sound.DirectSound->CreateSoundBufferFromMemory(wav);
        fields.ResetForGame();
        fields.SoundOn = True;
    }
    void TearDown() override {
        ReleaseDirectSound(sound);
        SDL_Quit();
    }
    // One frame's playback calls, as the frame loop makes them.
    void Frame(bool pilotTalk) {
        PlayQueuedSounds(sound, fields, 1, 16);
        PlayQueuedSounds(sound, fields, 17, 32);
        PlayQueuedSounds(sound, fields, 33, 50);
        PlayQueuedSounds(sound, fields, 83, 96);
        if (pilotTalk) PlayQueuedSounds(sound, fields, 60, 82);
        PlayQueuedSounds(sound, fields, 51, 59);
    }
    int Playing() const { return sound.DirectSound->PlayingCount(); }
    bool ChannelPlaying(int c) const { return sound.SoundChannels[c].GetStatus() == dsound::BSTATUS_PLAYING; }

    SoundObjects sound;
    SoundFields fields;
};

}  // namespace

TEST_F(MediaSoundQueue, EffectsRotateThroughTheGeneralRing) {
    // Two requests of one number in a frame are one flag: heard once, on channel 2.
    fields.SoundRequests[23] = True;
    fields.SoundRequests[23] = True;
    Frame(true);
    EXPECT_EQ(Playing(), 1);
    EXPECT_TRUE(ChannelPlaying(2));
    EXPECT_EQ(fields.SoundRequests[23], False);

    // Nineteen more fill the ring (channel 1 is the 20th); the 21st cuts the 1st on channel 2.
    for (int i = 0; i < 19; ++i) {
        fields.SoundRequests[7] = True;
        Frame(true);
    }
    EXPECT_EQ(Playing(), 20);
    EXPECT_EQ(fields.ChannelGeneral, 1);
    fields.SoundRequests[7] = True;
    Frame(true);
    EXPECT_EQ(fields.ChannelGeneral, 2);
    EXPECT_EQ(Playing(), 20);
}

TEST_F(MediaSoundQueue, SmallRingsAndOwnBuffers) {
    fields.SoundRequests[49] = True;  // the crash ring starts on 25
    fields.SoundRequests[46] = True;  // items on 21
    fields.SoundRequests[55] = True;  // boss voice on 23
    fields.SoundRequests[59] = True;  // game over: its own buffer
    Frame(true);
    EXPECT_TRUE(ChannelPlaying(25));
    EXPECT_TRUE(ChannelPlaying(21));
    EXPECT_TRUE(ChannelPlaying(23));
    EXPECT_EQ(sound.SoundBuffers[59].GetStatus(), dsound::BSTATUS_PLAYING);
    EXPECT_EQ(Playing(), 4);
    // 59 again while it still sounds goes on rather than starting a second copy.
    fields.SoundRequests[59] = True;
    Frame(true);
    EXPECT_EQ(Playing(), 4);
    EXPECT_EQ(fields.SoundRequests[59], False);
}

TEST_F(MediaSoundQueue, UnservedRequestsStay) {
    // Pilot talk off: a voice is neither played nor cleared.
    fields.SoundRequests[65] = True;
    Frame(false);
    EXPECT_EQ(fields.SoundRequests[65], True);
    EXPECT_EQ(Playing(), 0);
    // Sound off: requests pile up and nothing plays.
    fields.SoundOn = False;
    fields.SoundRequests[23] = True;
    Frame(true);
    EXPECT_EQ(fields.SoundRequests[23], True);
    EXPECT_EQ(fields.SoundRequests[65], True);
    EXPECT_EQ(Playing(), 0);
    // Only exactly True counts as on.
    fields.SoundOn = 1;
    Frame(true);
    EXPECT_EQ(Playing(), 0);
}

TEST(MediaSoundSetup, NoAudioDeviceLogsOneLineShowsItAndUnloads) {
    ScopedWorkDir wd;
    const char* old = std::getenv("SDL_AUDIODRIVER");
    std::string saved = old ? old : "";
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    SoundObjects sound;
    SoundFields fields;
    std::vector<std::string> boxes;
    int unloads = 0;
    MediaHooks hooks;
    hooks.MessageBox = [&](const std::string& t) { boxes.push_back(t); };
    hooks.UnloadMainForm = [&] { ++unloads; };
    SetupDirectSound(sound, fields, hooks);
    if (old) setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else unsetenv("SDL_AUDIODRIVER");

    EXPECT_EQ(ReadFile(kErrorLogName), "\"SetupDirectSound:  Error While DirectSoundCreate command.\"\r\n");
    EXPECT_EQ(boxes, std::vector<std::string>{"SetupDirectSound:  Error While DirectSoundCreate command."});
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(fields.SoundOn, False);
    ReleaseDirectSound(sound);  // what the unload handler does next: nothing to fail on
    ReleaseDirectSound(sound);
    SDL_Quit();
}

TEST(MediaSoundSetup, AFailedLoadNamesTheOneLoadStep) {
    ScopedWorkDir wd;
    SoundObjects sound;
    SoundFields fields;
    std::vector<std::string> boxes;
    MediaHooks hooks;
    hooks.MessageBox = [&](const std::string& t) { boxes.push_back(t); };
    // A missing wave resource, as the loads would raise it.
    hooks.OnStep = [&](std::string_view step) {
        if (step == "LoadResourceSound command for one of the sounds.")
            throw PlatformError(err::ResourceNotFound, "Resource with identifier 'zap02' not found");
    };
    SetupDirectSound(sound, fields, hooks);
    EXPECT_EQ(fields.SoundOn, False);
    EXPECT_EQ(ReadFile(kErrorLogName),
              "\"SetupDirectSound:  Error While LoadResourceSound command for one of the sounds.\"\r\n");
    ASSERT_EQ(boxes.size(), 1u);
    ReleaseDirectSound(sound);
    SDL_Quit();
}
