#include <benchmark/benchmark.h>

#include "media/Blit.h"
#include "media/MediaState.h"
#include "platform/Clock.h"
#include "platform/Display.h"

using namespace gorb;

namespace {

// The display in a 640 x 480 mode of the given depth with the sheets loaded.
struct BenchDisplay {
    MediaState media;
    DisplayFields fields;
    SheetSizes sheets;
    explicit BenchDisplay(int bits) {
        UseHeadlessHost();
        SetupDirectX(media, fields, sheets, bits, 640, 480);
        SetupDirectXObjects(media, sheets);
    }
    ~BenchDisplay() {
        ReleaseDirectDraw(media);
        UseVirtualClock(false);
    }
};

// An 80 x 64 player frame hanging 20 pixels over the left edge: clipping plus a keyed blit.
void BM_BlitToBackBufferClippedSprite(benchmark::State& state) {
    BenchDisplay d(static_cast<int>(state.range(0)));
    if (!d.media.Display.GfxPlayer) {
        state.SkipWithError("display set-up failed");
        return;
    }
    for (auto _ : state) {
        BlitRect src{0, 128, 80, 192}, dest{-20, 100, 60, 164};
        BlitToBackBuffer(d.media, d.media.Display.GfxPlayer, src, dest, 80, 1024, "Player GFX");
        benchmark::DoNotOptimize(src);
    }
}
BENCHMARK(BM_BlitToBackBufferClippedSprite)->Arg(8)->Arg(16)->Arg(32);

// A sprite wholly outside the play area: only the clipping runs.
void BM_BlitToBackBufferOffscreen(benchmark::State& state) {
    BenchDisplay d(32);
    for (auto _ : state) {
        BlitRect src{0, 0, 80, 64}, dest{-200, 100, -120, 164};
        BlitToBackBuffer(d.media, d.media.Display.GfxPlayer, src, dest, 80, 1024, "Player GFX");
        benchmark::DoNotOptimize(dest);
    }
}
BENCHMARK(BM_BlitToBackBufferOffscreen);

// A quiet frame: the six playback calls with nothing requested.
void BM_PlayQueuedSoundsQuietFrame(benchmark::State& state) {
    SoundObjects sound;
    sound.SoundOn = True;
    SoundRequests requests;
    for (auto _ : state) {
        PlayQueuedSounds(sound, requests, 1, 16);
        PlayQueuedSounds(sound, requests, 17, 32);
        PlayQueuedSounds(sound, requests, 33, 50);
        PlayQueuedSounds(sound, requests, 83, 96);
        PlayQueuedSounds(sound, requests, 60, 82);
        PlayQueuedSounds(sound, requests, 51, 59);
        benchmark::DoNotOptimize(requests);
    }
}
BENCHMARK(BM_PlayQueuedSoundsQuietFrame);

}  // namespace
