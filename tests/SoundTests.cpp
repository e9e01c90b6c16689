#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/PlatformError.h"
#include "gen_content/SoundMeasure.h"
#include "platform/Sound.h"
#include "TestWaves.h"

using namespace gorb;
using gorb::testing::MakeWav;

namespace {

constexpr int kRate = sound::WaveRate;
constexpr int kLook = sound::LimiterLookAhead;

std::vector<int16_t> Ramp(int n, int step = 1, int start = 1) {
    std::vector<int16_t> v(n);
    for (int i = 0; i < n; ++i) v[i] = int16_t(start + i * step);
    return v;
}

// A mixed sum as it leaves the mixer below the limiter's ceiling: through the master gain.
int Heard(int sum) { return int(std::lround(sum / 32768.0 * sound::MasterGain * 32767.0)); }
// Two stretches of the heard stream alike to the last bit of rounding.
::testing::AssertionResult Alike(const std::vector<int16_t>& got, const std::vector<int16_t>& want) {
    if (got.size() != want.size()) return ::testing::AssertionFailure() << got.size() << " frames, not " << want.size();
    for (size_t i = 0; i < got.size(); ++i)
        if (std::abs(got[i] - want[i]) > 1)
            return ::testing::AssertionFailure() << "frame " << i << ": " << got[i] << ", not " << want[i];
    return ::testing::AssertionSuccess();
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
    // Mixes n more frames onto the heard stream (first channel; every other channel carries
    // the same or nothing).
    void Mix(int n) {
        std::vector<int16_t> out(size_t(n) * size_t(dev->Channels()));
        dev->MixFrames(out.data(), n);
        for (int i = 0; i < n; ++i) {
            heard.push_back(out[size_t(i) * size_t(dev->Channels())]);
            if (dev->Channels() >= 2) {
                EXPECT_EQ(out[size_t(i) * 2 + 1], heard.back()) << "frame " << i;
            }
        }
    }
    // The stream's frames from mixed frame `from` on, as the limiter delays them.
    std::vector<int16_t> HeardFrom(size_t from, size_t n) const {
        std::vector<int16_t> v;
        for (size_t i = from + kLook; i < from + kLook + n && i < heard.size(); ++i) v.push_back(heard[i]);
        return v;
    }
    static std::vector<int16_t> HeardOf(std::vector<int> sums) {
        std::vector<int16_t> v;
        for (int x : sums) v.push_back(int16_t(Heard(x)));
        return v;
    }
    SoundBuffer Load(const std::vector<int16_t>& s, int bits = 16, int rate = kRate) {
        return dev->CreateSoundBufferFromMemory(MakeWav(s, bits, rate));
    }
    std::unique_ptr<SoundDevice> dev;
    std::vector<int16_t> heard;
};

}  // namespace

TEST_F(SoundTest, TheDeviceRunsAtTheWavesOwnFormat) {
    EXPECT_EQ(dev->Rate(), 22050);
    EXPECT_EQ(dev->Channels(), 1);
    SoundBuffer b = Load(Ramp(1000));
    EXPECT_EQ(b.Frames(), 1000u);  // a buffer holds the wave at its own size
}

TEST_F(SoundTest, OneBufferGivesItsSamplesThenSilenceAndStops) {
    auto a = Ramp(300, 50, 50);
    SoundBuffer b = Load(a);
    EXPECT_EQ(b.Frames(), 300u);
    EXPECT_EQ(b.GetStatus(), 0);
    b.Play(0);
    EXPECT_EQ(b.GetStatus(), dsound::BSTATUS_PLAYING);
    Mix(1200);  // more than one internal chunk
    for (int i = 0; i < kLook; ++i) ASSERT_EQ(heard[size_t(i)], 0) << i;
    for (int i = 0; i < 300; ++i) ASSERT_NEAR(heard[size_t(kLook + i)], Heard(a[size_t(i)]), 1) << i;
    for (int i = 300 + kLook; i < 1200; ++i) ASSERT_EQ(heard[size_t(i)], 0) << i;
    EXPECT_EQ(b.GetStatus(), 0);
    EXPECT_EQ(dev->PlayingCount(), 0);
    // A buffer that played to its end starts over on the next Play.
    b.Play();
    Mix(3 + kLook);
    EXPECT_TRUE(Alike(HeardFrom(1200, 3), HeardOf({50, 100, 150})));
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
    Mix(250 + kLook);
    const auto out = HeardFrom(50, 250);
    for (int i = 0; i < 150; ++i) ASSERT_NEAR(out[size_t(i)], Heard(a[size_t(50 + i)] + a[size_t(i)]), 1) << i;
    for (int i = 150; i < 200; ++i) ASSERT_NEAR(out[size_t(i)], Heard(a[size_t(i)]), 1) << i;
    for (int i = 200; i < 250; ++i) ASSERT_EQ(out[size_t(i)], 0) << i;
}

TEST_F(SoundTest, PlayStopRewindAndReplay) {
    auto a = Ramp(100, 100, 100);
    SoundBuffer b = Load(a);
    b.Play();
    Mix(10);
    b.Play();  // already playing: goes on, no restart, no second voice
    EXPECT_EQ(dev->PlayingCount(), 1);
    Mix(2);
    b.Stop();
    EXPECT_EQ(b.GetStatus(), 0);
    Mix(2);
    b.Play();  // resumes where it stopped
    Mix(2);
    b.Stop();
    b.SetCurrentPosition(0);
    b.Play();
    Mix(2 + kLook);
    EXPECT_TRUE(Alike(HeardFrom(0, 18), HeardOf({100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100, 1200, 0,
                                                  0, 1300, 1400, 100, 200})));
}

TEST_F(SoundTest, EightAndSixteenBitWavesOfOneToneComeOutAlikeAndWhole) {
    // 1 s of a 441 Hz tone at 22050 Hz; the 8-bit file holds exactly the 16-bit values / 256.
    std::vector<int16_t> tone(22050);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = int16_t(256 * std::lround(100 * std::sin(2 * M_PI * 441 * double(i) / 22050)));
    SoundBuffer b8 = Load(tone, 8, 22050);
    SoundBuffer b16 = Load(tone, 16, 22050);
    EXPECT_EQ(b8.Frames(), 22050u);
    EXPECT_EQ(b16.Frames(), 22050u);
    b8.Play();
    Mix(22050);
    b16.Play();
    Mix(22050 + kLook);
    const auto out8 = HeardFrom(0, 22050), out16 = HeardFrom(22050, 22050);
    int peak = 0;
    for (size_t i = 0; i < 22050; ++i) {
        ASSERT_NEAR(out8[i], out16[i], 1) << i;
        peak = std::max(peak, std::abs(int(out16[i])));
    }
    EXPECT_NEAR(peak, Heard(25600), 20);
}

TEST_F(SoundTest, ThreeLoudSoundsAtOnceDoNotClipAndOneAloneIsUntouched) {
    // Three waves near full scale, in step: their sum is three times what a sample can hold.
    std::vector<int16_t> loud(4410), other(4410);
    for (size_t i = 0; i < loud.size(); ++i) {
        loud[i] = int16_t(std::lround(31000 * std::sin(2 * M_PI * 220 * double(i) / kRate)));
        other[i] = int16_t(std::lround(30000 * std::sin(2 * M_PI * 330 * double(i) / kRate)));
    }
    SoundBuffer a = Load(loud), b = Load(other), c = dev->DuplicateSoundBuffer(a);
    a.Play();
    b.Play();
    c.Play();
    Mix(4410 + kLook);
    int peak = 0;
    for (int16_t s : heard) peak = std::max(peak, std::abs(int(s)));
    EXPECT_LE(peak, int(32767 * sound::LimitCeiling) + 1);
    EXPECT_GT(peak, int(32767 * sound::LimitCeiling) - 400);  // limited, not muted
    // Sample to sample the limited sum stays smooth: no step larger than the waves' own.
    int step = 0;
    for (size_t i = 1; i < heard.size(); ++i) step = std::max(step, std::abs(heard[i] - heard[i - 1]));
    EXPECT_LT(step, 3 * 31000 * 2 * M_PI * 330 / kRate * sound::MasterGain);

    // Once the loud moment is over, a single wave passes at the master gain alone.
    Mix(2 * 22050);  // the limiter recovers
    SoundBuffer d = Load(Ramp(200, 100, 100));
    const size_t at = heard.size();
    d.Play();
    Mix(200 + kLook);
    const auto out = HeardFrom(at, 200);
    for (int i = 0; i < 200; ++i) ASSERT_NEAR(out[size_t(i)], Heard(100 + 100 * i), 1) << i;
}

TEST_F(SoundTest, ASoundStartsAtTheFrameThatMatchesWhenItWasPlayed) {
    // A clock the test moves: one callback of 256 frames at 0 ms, then plays at 2 ms and 5 ms.
    static uint64_t now = 0;
    dev->UseClock([] { return now; }, 1000000);  // microseconds
    std::vector<int16_t> out(256 * size_t(dev->Channels()));
    auto callback = [&] {
        dev->MixCallback(out.data(), 256);
        for (int i = 0; i < 256; ++i) heard.push_back(out[size_t(i) * size_t(dev->Channels())]);
    };
    now = 0;
    callback();
    SoundBuffer click = Load(std::vector<int16_t>(8, 20000));
    SoundBuffer late = dev->DuplicateSoundBuffer(click);
    now = 2000;
    click.Play();
    now = 5000;
    late.Play();
    now = 11600;
    callback();
    callback();
    // Heard one callback after being played, each at its own moment: 2 ms and 5 ms into it.
    auto firstLoud = [&](size_t from) {
        for (size_t i = from; i < heard.size(); ++i)
            if (heard[i] != 0) return long(i);
        return -1L;
    };
    const long first = firstLoud(0);
    EXPECT_EQ(first, 256 + kLook + std::lround(0.002 * kRate));
    const long second = firstLoud(size_t(first) + 8);
    EXPECT_EQ(second, 256 + kLook + std::lround(0.005 * kRate));

    // Played long after the last callback (the callback is late): at the end of the next one,
    // never later.
    SoundBuffer lateClick = dev->DuplicateSoundBuffer(click);
    const size_t before = heard.size();
    now += 50000;
    lateClick.Play();
    callback();
    callback();
    const long third = firstLoud(before);
    EXPECT_GE(third, long(before));
    EXPECT_LT(third, long(before) + 256 + kLook);
}

TEST(SoundResample, ImagesStayEightyDecibelsDownAndLengthAndLevelHold) {
    // A bright square-ish wave at 22050 Hz: odd harmonics of 1225 Hz up to Nyquist.
    std::vector<float> in(22050);
    for (size_t i = 0; i < in.size(); ++i) {
        double v = 0;
        for (int h = 1; 1225.0 * h < 10500; h += 2) v += std::sin(2 * M_PI * 1225 * h * double(i) / 22050) / h;
        in[i] = float(0.5 * v);
    }
    // 44101 Hz: a rate with too many phases for a table of weights.
    for (int to : {44100, 48000, 44101}) {
        SCOPED_TRACE(to);
        const std::vector<float> out = sound::Resample(in, 22050, to);
        EXPECT_EQ(out.size(), size_t(std::lround(22050.0 * to / 22050)));
        const std::vector<double> p = gen::PowerSpectrum(out, 8192);
        double below = 0, above = 0;
        for (size_t k = 0; k < p.size(); ++k) (double(k) * to / 8192 > 11025 ? above : below) += p[k];
        const double images = 10 * std::log10(above / below);
        RecordProperty("images_db_" + std::to_string(to), std::to_string(images));
        EXPECT_LT(images, -60);
        // The 1225 Hz fundamental keeps its level.
        double rmsIn = 0, rmsOut = 0;
        for (float x : in) rmsIn += double(x) * x;
        for (float x : out) rmsOut += double(x) * x;
        EXPECT_NEAR(10 * std::log10(rmsOut / double(out.size())), 10 * std::log10(rmsIn / double(in.size())), 0.2);
    }
    EXPECT_EQ(sound::Resample(in, 22050, 22050), in);
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
    Mix(4 + kLook);
    EXPECT_EQ(HeardFrom(0, 4), (std::vector<int16_t>{0, 0, 0, 0}));
}

TEST_F(SoundTest, ReleasingOrReplacingAPlayingBufferStopsIt) {
    SoundBuffer a = Load(Ramp(50, 100, 100));
    SoundBuffer d = dev->DuplicateSoundBuffer(a);
    a.Play();
    d.Play();
    a.Release();  // the duplicate keeps the shared samples
    EXPECT_EQ(dev->PlayingCount(), 1);
    Mix(2 + kLook);
    EXPECT_TRUE(Alike(HeardFrom(0, 2), HeardOf({100, 200})));
    d = Load(Ramp(5, 1, 100));  // the channel is reused: the old duplicate stops
    EXPECT_EQ(dev->PlayingCount(), 0);
    { SoundBuffer scoped = Load(Ramp(5)); scoped.Play(); }
    EXPECT_EQ(dev->PlayingCount(), 0);
}

TEST_F(SoundTest, WaveFilesAndMalformedWaves) {
    auto wav = MakeWav(Ramp(20, 100, 100), 16, kRate);
    const std::string path = "sound_test.wav";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(wav.data(), 1, wav.size(), f);
    std::fclose(f);
    SoundBuffer b = dev->CreateSoundBufferFromFile(path);
    std::remove(path.c_str());
    b.Play();
    Mix(3 + kLook);
    EXPECT_TRUE(Alike(HeardFrom(0, 3), HeardOf({100, 200, 300})));

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

TEST_F(SoundTest, AWaveInTheDevicesFormatIsPlayedFromWhereItLies) {
    const auto a = Ramp(300, 50, 50);
    const std::vector<uint8_t> wav = MakeWav(a, 16, kRate);
    const std::span<const int16_t> pcm = sound::PcmInFormat(wav, kRate);
    ASSERT_EQ(pcm.size(), a.size());
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(pcm.data()), wav.data() + 44);  // no copy

    // Anything else is converted as before.
    struct Case {
        const char* what;
        std::vector<uint8_t> wav;
    };
    std::vector<uint8_t> truncated = wav;
    truncated.resize(100);
    for (const Case& c : {Case{"8-bit", MakeWav(a, 8, kRate)}, Case{"another rate", MakeWav(a, 16, 11025)},
                          Case{"data chunk past the end", truncated}, Case{"not a wave", std::vector<uint8_t>(64, 0x41)}})
        EXPECT_TRUE(sound::PcmInFormat(c.wav, kRate).empty()) << c.what;

    // Borrowed or copied, the buffer sounds the same; an 8-bit wave still loads.
    SoundBuffer borrowed = dev->CreateSoundBufferFromStaticMemory(wav);
    SoundBuffer eight = dev->CreateSoundBufferFromStaticMemory(MakeWav(a, 8, kRate));
    EXPECT_EQ(borrowed.Frames(), 300u);
    EXPECT_EQ(eight.Frames(), 300u);
    borrowed.Play();
    Mix(300 + kLook);
    for (int i = 0; i < 300; ++i) ASSERT_NEAR(heard[size_t(kLook + i)], Heard(a[size_t(i)]), 1) << i;
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
    SoundBuffer b = first->CreateSoundBufferFromMemory(MakeWav(Ramp(4, 1000, 1000), 16, kRate));
    b.Play();
    std::vector<int16_t> st(size_t(4 + kLook) * size_t(first->Channels()));
    first->MixFrames(st.data(), 4 + kLook);
    EXPECT_NEAR(st[size_t(3 + kLook) * size_t(first->Channels())], Heard(4000), 1);
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
