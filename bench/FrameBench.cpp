// One frame's work (everything but the wait) with the object, bullet and effect tables full and
// both background layers on, drawn with real 32-bit surfaces onto a 1024 x 768 screen.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <vector>

#include "media/BlitClip.h"
#include "platform/Surface.h"
#include "world/World.h"

namespace gorb {
namespace {

constexpr int kBits = 32;

class SurfaceMedia : public SilentMedia {
public:
    SurfaceMedia() {
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
    g.Run.Level = 1;
    g.Run.ScriptHold = True;
    g.Data.LevelScript[0][1][0] = 30;
    g.Data.PathTable[1][2][78] = 1;
    g.Data.PathTable[2][2][78] = 1;
    g.Data.PathTable[3][1][78] = 99;
    PlaneRecord& p = g.Player();
    p.Active = True;
    p.Width = 80;
    p.Height = 64;
    p.X = 100;
    p.Y = 100;
    p.Frame = 3;
    p.HitPoints = 100;
    for (int i = 1; i <= 20; ++i) {
        PlaneRecord& r = g.Obj.Planes[i];
        r.Active = True;
        r.TypeId = 1;
        r.Sheet = 1;
        r.Width = 180;
        r.Height = 100;
        r.X = ToInteger(25 * i);
        r.Y = ToInteger(10 * i);
        r.PathId = 78;
        r.PathStep = 1;
        r.HasPropeller = True;
        r.PropX = 150;
        for (int a = 0; a <= 35; ++a) {
            r.Anim[a][1] = 1;
            r.Anim[a][2] = 2;
            r.Anim[a][3] = 99;
        }
    }
    for (int b = 1; b <= 100; ++b) {
        BulletType& t = g.Obj.Bullets[b];
        t.Active = True;
        t.Width = 26;
        t.Height = 8;
        t.X = ToInteger(5 * b);
        t.Y = ToInteger(3 * b);
    }
    for (int e = 1; e <= 60; ++e) {
        EffectType& t = g.Obj.Effects[e];
        t.Active = True;
        t.KindCode = e % 8 + 1;
        t.Width = 40;
        t.Height = 40;
        t.X = ToInteger(9 * e);
        t.Y = ToInteger(5 * e);
    }
}

void BM_FrameWork_1024x768x32(benchmark::State& state) {
    auto g = std::make_unique<Game>();
    SurfaceMedia media;
    g->Media = &media;
    FullTables(*g);
    std::vector<double> us;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        RunFrameWork(*g);
        auto t1 = std::chrono::steady_clock::now();
        us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    std::sort(us.begin(), us.end());
    state.counters["median_us"] = us[us.size() / 2];
    state.counters["p99_us"] = us[std::min(us.size() - 1, us.size() * 99 / 100)];
}
BENCHMARK(BM_FrameWork_1024x768x32)->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace
}  // namespace gorb
