// One frame's work (everything but the wait) with the object, bullet and effect tables full and
// both background layers on, drawn with real 32-bit surfaces onto a 1024 x 768 screen.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "FrameTables.h"
#include "../tests/RecordingPort.h"
#include "media/BlitClip.h"
#include "platform/Surface.h"
#include "world/World.h"

namespace gorb {
namespace {

constexpr int kBits = 32;

class SurfaceMedia : public test::RecordingPort {
public:
    SurfaceMedia() {
        Record = false;
        primary = std::make_shared<Surface>(1024, 768, kBits);
        surfaces[surf::BackBuffer] = std::make_shared<Surface>(612, 330, kBits);
        Add(1, 200, 2000);
        Add(surf::Player, 80, 1024);
        Add(surf::Explode, 149, 657);
        Add(surf::Ice, 168, 1210);
        Add(surf::Bullet, 317, 136);
        Add(surf::Tiles, 640, 480);
        Add(surf::Misc, 472, 134);
        Add(surf::Screen, 300, 330);
    }
    void BlitToBackBuffer(SurfaceId s, BlitRect& src, BlitRect& dst, Long, Long, const char* label) override {
        if (!ClipToPlayArea(src, dst, label)) return;
        surfaces[surf::BackBuffer]->Blt(Rect{dst.Left, dst.Top, dst.Right, dst.Bottom}, surfaces.at(s),
                                        Rect{src.Left, src.Top, src.Right, src.Bottom}, DDBLT_KEYSRC);
    }
    void BlitToPrimary(SurfaceId s, BlitRect& src, BlitRect& dst, Long, Long, const char*) override {
        if (!HasArea(dst)) return;
        primary->BltFast(dst.Left, dst.Top, surfaces.at(s), Rect{src.Left, src.Top, src.Right, src.Bottom},
                         DDBLTFAST_WAIT);
    }

    // No pixel data and no lock bookkeeping: the collision test reads the key everywhere, at
    // no cost beyond its own (the sheet reads are CollisionBench's).
    void LockSurface(SurfaceId) override {}
    Long GetLockedPixel(SurfaceId, Long, Long) override { return 0; }
    void UnlockSurface(SurfaceId) override {}

private:
    void Add(SurfaceId id, int w, int h) {
        auto s = std::make_shared<Surface>(w, h, kBits);
        s->SetColorKey(DDCKEY_SRCBLT, ColorKey{0x00FF00FF, 0x00FF00FF});
        surfaces[id] = s;
    }
    SurfaceRef primary;
    std::map<SurfaceId, SurfaceRef> surfaces;
};

void FullTables(Game& g) {
    g.Display.ScreenWidth = 1024;
    g.Display.ScreenHeight = 768;
    g.Display.PlayAreaX = 206;
    g.Display.PlayAreaY = 219;
    g.Data.PathTable[1][2][78] = 1;
    g.Data.PathTable[2][2][78] = 1;
    g.Data.PathTable[3][1][78] = 99;
    bench::FillFrameTables(g, [](PlaneRecord& r) {
        r.TypeId = 1;
        r.Sheet = 1;
        r.Width = 180;
        r.Height = 100;
        r.HasPropeller = True;
        r.PropX = 150;
        for (int a = 0; a <= 35; ++a) {
            r.Anim[a][1] = 1;
            r.Anim[a][2] = 2;
            r.Anim[a][3] = 99;
        }
    });
}

void BM_FrameWork_1024x768x32(benchmark::State& state) {
    auto g = std::make_unique<Game>();
    SurfaceMedia media;
    g->Media = &media;
    FullTables(*g);
    bench::TimeFrameWork(state, *g, [] {});
}
BENCHMARK(BM_FrameWork_1024x768x32)->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace
}  // namespace gorb
