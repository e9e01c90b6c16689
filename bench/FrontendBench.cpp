// The front end's own work: one step of a picture push (two 640-wide copies onto the screen,
// which the step's 10..30 ms of pacing must dwarf), and reading and writing the settings file's
// text.
#include <benchmark/benchmark.h>

#include <memory>

#include "../tests/FrontendMenu.h"
#include "frontend/PictureMedia.h"
#include "frontend/SettingsFile.h"
#include "media/DisplaySetup.h"
#include "platform/Clock.h"
#include "platform/Display.h"

using namespace gorb;

namespace {

void BM_PushStepMidway(benchmark::State& state) {
    UseHeadlessHost();
    MediaState media;
    auto g = std::make_unique<Game>();
    g->Display.ScreenOffsetX = g->Display.ScreenOffsetY = 0;
    SetupDirectX(media, g->Display, g->Sheets, static_cast<Long>(state.range(0)), 640, 480);
    MediaPictures port(media, *g);
    port.LoadPicture(PictureSlot::Prev, "INTRO01");
    port.LoadPicture(PictureSlot::Next, "INTRO02");
    for (auto _ : state) {
        // Halfway through a push: the lower half of one picture above the upper half of the next.
        port.DrawPicture(PictureSlot::Prev, {0, 240, 640, 480}, {0, 0, 640, 240});
        port.DrawPicture(PictureSlot::Next, {0, 0, 640, 240}, {0, 240, 640, 480});
    }
    ReleaseDirectDraw(media);
    UseVirtualClock(false);
}
BENCHMARK(BM_PushStepMidway)->Arg(8)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

const std::string kWrittenFile =
    "\"COLOR=1\"\r\n\"RESOL=1\"\r\n\"CONTR=1\"\r\n\"LEVEL=3\"\r\n\"BDIFF=1\"\r\n\"PTALK=1\"\r\n"
    "\"LEVLN=lantern  \"\r\n\"LEVLR=pebble   \"\r\n\"GTYPE=0\"\r\n\"TUNE1=0\"\r\n\"TUNE2=1\"\r\n"
    "\"TUNE3=0\"\r\n\"TUNE4=1\"\r\n\"SOUND=1\"\r\n\"JOYSA=500\"\r\n\"JFIRE=3\"\r\n\"JBOMB=4\"\r\n\"JEJCT=5\"\r\n";

void BM_ReadSettingsText(benchmark::State& state) {
    test::TestMenu m;
    for (auto _ : state) ApplySettingsText(m.Binding(), kWrittenFile);
}
BENCHMARK(BM_ReadSettingsText)->Unit(benchmark::kMicrosecond);

void BM_WriteSettingsText(benchmark::State& state) {
    test::TestMenu m;
    ApplySettingsText(m.Binding(), kWrittenFile);
    for (auto _ : state) benchmark::DoNotOptimize(SettingsText(m.Binding()));
}
BENCHMARK(BM_WriteSettingsText)->Unit(benchmark::kMicrosecond);

}  // namespace
