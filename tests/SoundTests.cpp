#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/Sound.h"
#include "TestWaves.h"

using namespace gorb;
using gorb::testing::MakeWav;

namespace {

std::vector<int16_t> Ramp(int n, int step = 1, int start = 1) {
    std::vector<int16_t> v(n);
    for (int i = 0; i < n; ++i) v[i] = int16_t(start + i * step);
    return v;
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        dev = SoundDevice::Create();
        dev->PauseOutput(true);  // the tests drive the mixer themselves
    }
    void TearDown() override {
        dev.reset();
        SDL_Quit();
    }
    // Mixes n frames; returns the left channel and checks right == left (mono source).
    std::vector<int16_t> Mix(int n) {
        std::vector<int16_t> st(size_t(n) * 2);
        dev->MixFrames(st.data(), n);
        std::vector<int16_t> left(n);
        for (int i = 0; i < n; ++i) {
            left[i] = st[2 * i];
            EXPECT_EQ(st[2 * i], st[2 * i + 1]) << "frame " << i;
        }
        return left;
    }
    SoundBuffer Load(const std::vector<int16_t>& s, int bits = 16, int rate = dsound::DeviceRate) {
        return dev->CreateSoundBufferFromMemory(MakeWav(s, bits, rate));
    }
    std::unique_ptr<SoundDevice> dev;
};

}  // namespace

TEST_F(SoundTest, OneBufferGivesItsSamplesThenSilenceAndStops) {
    auto a = Ramp(300);
    SoundBuffer b = Load(a);
    EXPECT_EQ(b.Frames(), 300u);
    EXPECT_EQ(b.GetStatus(), 0);
    b.Play(0);
    EXPECT_EQ(b.GetStatus(), dsound::BSTATUS_PLAYING);
    auto out = Mix(1200);  // more than one internal chunk
    for (int i = 0; i < 300; ++i) ASSERT_EQ(out[i], a[i]) << i;
    for (int i = 300; i < 1200; ++i) ASSERT_EQ(out[i], 0) << i;
    EXPECT_EQ(b.GetStatus(), 0);
    EXPECT_EQ(dev->PlayingCount(), 0);
    // A buffer that played to its end starts over on the next Play.
    b.Play();
    out = Mix(3);
    EXPECT_EQ(out, (std::vector<int16_t>{1, 2, 3}));
}

TEST_F(SoundTest, DuplicatePlayedWhileFirstPlaysOverlapsIt) {
    auto a = Ramp(200, 10);
    SoundBuffer b = Load(a);
    b.Play();
    Mix(50);
    SoundBuffer d = dev->DuplicateSoundBuffer(b);
    EXPECT_EQ(d.Frames(), b.Frames());
    EXPECT_EQ(d.GetStatus(), 0);  // a duplicate starts stopped, at the start
    d.Play();
    EXPECT_EQ(dev->PlayingCount(), 2);
    auto out = Mix(250);
    for (int i = 0; i < 150; ++i) ASSERT_EQ(out[i], a[50 + i] + a[i]) << i;
    for (int i = 150; i < 200; ++i) ASSERT_EQ(out[i], a[i]) << i;
    for (int i = 200; i < 250; ++i) ASSERT_EQ(out[i], 0) << i;
}

TEST_F(SoundTest, PlayStopRewindAndReplay) {
    auto a = Ramp(100);
    SoundBuffer b = Load(a);
    b.Play();
    Mix(10);
    b.Play();  // already playing: goes on, no restart, no second voice
    EXPECT_EQ(dev->PlayingCount(), 1);
    EXPECT_EQ(Mix(2), (std::vector<int16_t>{11, 12}));

    b.Stop();
    EXPECT_EQ(b.GetStatus(), 0);
    EXPECT_EQ(Mix(2), (std::vector<int16_t>{0, 0}));
    b.Play();  // resumes where it stopped
    EXPECT_EQ(Mix(2), (std::vector<int16_t>{13, 14}));

    b.Stop();
    b.SetCurrentPosition(0);
    b.Play();
    EXPECT_EQ(Mix(2), (std::vector<int16_t>{1, 2}));
}

TEST_F(SoundTest, EightAndSixteenBitWavesOfOneToneComeOutAlikeAndWhole) {
    // 1 s of a 441 Hz tone at 22050 Hz; the 8-bit file holds exactly the 16-bit values / 256.
    std::vector<int16_t> tone(22050);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = int16_t(256 * std::lround(100 * std::sin(2 * M_PI * 441 * double(i) / 22050)));
    SoundBuffer b8 = Load(tone, 8, 22050);
    SoundBuffer b16 = Load(tone, 16, 22050);
    EXPECT_EQ(b8.Frames(), 44100u);  // resampled without losing the tail
    EXPECT_EQ(b16.Frames(), 44100u);

    b8.Play();
    auto out8 = Mix(44100);
    b16.Play();
    auto out16 = Mix(44100);
    int peak = 0;
    for (int i = 0; i < 44100; ++i) {
        ASSERT_NEAR(out8[i], out16[i], 1) << i;
        peak = std::max(peak, std::abs(int(out16[i])));
    }
    EXPECT_NEAR(peak, 25600, 600);
}

TEST_F(SoundTest, SaturatingSumNeverWraps) {
    SoundBuffer hi = Load(std::vector<int16_t>(10, 30000));
    SoundBuffer hi2 = dev->DuplicateSoundBuffer(hi);
    SoundBuffer lo = Load(std::vector<int16_t>(20, -30000));
    SoundBuffer lo2 = dev->DuplicateSoundBuffer(lo);
    SoundBuffer lo3 = dev->DuplicateSoundBuffer(lo);
    hi.Play();
    hi2.Play();
    auto out = Mix(10);
    for (int16_t s : out) ASSERT_EQ(s, 32767);
    lo.Play();
    lo2.Play();
    lo3.Play();
    out = Mix(20);
    for (int16_t s : out) ASSERT_EQ(s, -32768);
}

TEST_F(SoundTest, EmptyPrimaryAndReleasedBuffersStaySilent) {
    SoundBuffer none;
    SoundBuffer primary = dev->CreatePrimaryBuffer();
    SoundBuffer noData = Load({});
    SoundBuffer released = Load(Ramp(10));
    released.Release();
    for (SoundBuffer* b : {&none, &primary, &noData, &released}) {
        b->Play();
        b->Stop();
        b->SetCurrentPosition(0);
        EXPECT_EQ(b->GetStatus(), 0);
    }
    EXPECT_TRUE(dev->DuplicateSoundBuffer(released).IsEmpty());
    EXPECT_EQ(dev->PlayingCount(), 0);
    EXPECT_EQ(Mix(4), (std::vector<int16_t>{0, 0, 0, 0}));
}

TEST_F(SoundTest, ReleasingOrReplacingAPlayingBufferStopsIt) {
    SoundBuffer a = Load(Ramp(50));
    SoundBuffer d = dev->DuplicateSoundBuffer(a);
    a.Play();
    d.Play();
    a.Release();  // the duplicate keeps the shared samples
    EXPECT_EQ(dev->PlayingCount(), 1);
    EXPECT_EQ(Mix(2), (std::vector<int16_t>{1, 2}));
    d = Load(Ramp(5, 1, 100));  // the channel is reused: the old duplicate stops
    EXPECT_EQ(dev->PlayingCount(), 0);
    { SoundBuffer scoped = Load(Ramp(5)); scoped.Play(); }
    EXPECT_EQ(dev->PlayingCount(), 0);
}

TEST_F(SoundTest, WaveFilesAndMalformedWaves) {
    auto wav = MakeWav(Ramp(20), 16, dsound::DeviceRate);
    const std::string path = "sound_test.wav";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(wav.data(), 1, wav.size(), f);
    std::fclose(f);
    SoundBuffer b = dev->CreateSoundBufferFromFile(path);
    std::remove(path.c_str());
    b.Play();
    EXPECT_EQ(Mix(3), (std::vector<int16_t>{1, 2, 3}));

    try {
        dev->CreateSoundBufferFromFile("no_such_sound.wav");
        FAIL() << "missing file loaded";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.Number, err::FileNotFound);
    }
    std::vector<uint8_t> junk(wav.begin(), wav.begin() + 30);
    EXPECT_THROW(dev->CreateSoundBufferFromMemory(junk), PlatformError);
    junk.assign(64, 0x41);
    EXPECT_THROW(dev->CreateSoundBufferFromMemory(junk), PlatformError);
}

TEST_F(SoundTest, BufferOutlivingTheDeviceIsHarmless) {
    SoundBuffer b = Load(Ramp(10));
    b.Play();
    dev.reset();
    EXPECT_EQ(b.GetStatus(), 0);
    b.Play();
    b.Release();
}

TEST(SoundDeviceOpen, NoDeviceGivesAnErrorValueAndBreaksNothing) {
    // The dummy driver has one device: while we hold it, a second open has no device.
    auto first = SoundDevice::Create();
    first->PauseOutput(true);
    try {
        SoundDevice::Create();
        FAIL() << "second device opened";
    } catch (const PlatformError& e) {
        EXPECT_FALSE(e.Description.empty());
    }
    EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    SoundBuffer b = first->CreateSoundBufferFromMemory(MakeWav(Ramp(4), 16, dsound::DeviceRate));
    b.Play();
    int16_t st[8];
    first->MixFrames(st, 4);
    EXPECT_EQ(st[6], 4);
    b.Release();
    first.reset();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);  // we started audio, we stopped it

    // No audio driver at all: audio is left uninitialised.
    const char* old = std::getenv("SDL_AUDIODRIVER");
    std::string saved = old ? old : "";
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    EXPECT_THROW(SoundDevice::Create(), PlatformError);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    if (old) setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else unsetenv("SDL_AUDIODRIVER");
    SDL_Quit();
}
