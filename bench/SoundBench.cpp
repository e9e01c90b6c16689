// The mixer's cost per audio callback (1024 stereo frames, about 23 ms of sound) with 1, 8 and
// 28 buffers playing (28 = every duplicate channel of the game at once), and the cost of
// converting one 22050 Hz wave at load.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/Sound.h"

using namespace gorb;

namespace {

std::vector<uint8_t> MakeWav(int frames, int bits) {
    std::vector<uint8_t> out;
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i))); };
    auto u16 = [&](uint16_t v) { out.push_back(uint8_t(v)); out.push_back(uint8_t(v >> 8)); };
    auto tag = [&](const char* t) { out.insert(out.end(), t, t + 4); };
    const uint32_t bytes = uint32_t(frames * (bits / 8));
    tag("RIFF"); u32(36 + bytes); tag("WAVE");
    tag("fmt "); u32(16); u16(1); u16(1); u32(22050); u32(22050 * bits / 8); u16(uint16_t(bits / 8)); u16(uint16_t(bits));
    tag("data"); u32(bytes);
    for (int i = 0; i < frames; ++i) {
        const double s = std::sin(2 * M_PI * 441 * i / 22050.0);
        if (bits == 8) out.push_back(uint8_t(128 + std::lround(100 * s)));
        else u16(uint16_t(int16_t(std::lround(26000 * s))));
    }
    return out;
}

std::unique_ptr<SoundDevice> OpenDevice() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    auto dev = SoundDevice::Create();
    dev->PauseOutput(true);
    return dev;
}

void BM_MixCallback(benchmark::State& state) {
    auto dev = OpenDevice();
    {
        SoundBuffer base = dev->CreateSoundBufferFromMemory(MakeWav(22050 * 10, 16));
        std::vector<SoundBuffer> voices;
        for (int i = 0; i < state.range(0); ++i) voices.push_back(dev->DuplicateSoundBuffer(base));
        std::vector<int16_t> out(1024 * 2);
        for (auto _ : state) {
            state.PauseTiming();
            for (auto& v : voices) {
                v.Stop();
                v.SetCurrentPosition(0);
                v.Play();
            }
            state.ResumeTiming();
            dev->MixFrames(out.data(), 1024);
            benchmark::DoNotOptimize(out.data());
        }
        state.SetItemsProcessed(state.iterations() * 1024);
    }
    dev.reset();
}
BENCHMARK(BM_MixCallback)->Arg(0)->Arg(1)->Arg(8)->Arg(28);

void BM_LoadWave(benchmark::State& state) {
    auto dev = OpenDevice();
    const auto wav = MakeWav(22050, int(state.range(0)));
    for (auto _ : state) {
        SoundBuffer b = dev->CreateSoundBufferFromMemory(wav);
        benchmark::DoNotOptimize(b.Frames());
    }
}
BENCHMARK(BM_LoadWave)->Arg(8)->Arg(16)->Unit(benchmark::kMicrosecond);

}  // namespace
