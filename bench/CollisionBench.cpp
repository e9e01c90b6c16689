// The pixel-exact collision test on real 32-bit sheets read through the surface locks: a
// player's shot over a plane, the player's plane over a boss, and the worst case, a keyed
// overlap where no pixel pair touches, so every grid point is read, at steps 2, 3 and 5.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>

#include "../tests/RecordingPort.h"
#include "platform/Surface.h"
#include "world/World.h"

namespace gorb {
namespace {

constexpr uint32_t kKeyPixel = 0x00FF00FF;
constexpr uint32_t kOpaque = 0x00336699;

// Sheets as the display holds them, locked and read the way the game's port does it.
class SheetMedia : public test::RecordingPort {
public:
    SheetMedia() {
        Record = false;
        Add(1, 400, 400);            // a Zorbel sheet
        Add(2, 353, 955);            // a boss sheet
        Add(surf::Player, 80, 1024);
        Add(surf::Bullet, 317, 136);
    }
    void LockSurface(SurfaceId s) override { sheets_[s]->Lock(Rect{}, desc_, DDLOCK_READONLY | DDLOCK_WAIT); }
    Long GetLockedPixel(SurfaceId s, Long x, Long y) override { return sheets_[s]->GetLockedPixel(x, y); }
    void UnlockSurface(SurfaceId s) override { sheets_[s]->Unlock(Rect{}); }

    void Fill(SurfaceId s, int x, int y, int w, int h, uint32_t value) {
        SDL_Rect r{x, y, w, h};
        SDL_FillRect(sheets_[s]->Sdl(), &r, value);
    }

private:
    void Add(SurfaceId id, int w, int h) {
        sheets_[id] = std::make_shared<Surface>(w, h, 32);
        Fill(id, 0, 0, w, h, kOpaque);
    }
    std::array<SurfaceRef, 128> sheets_{};
    SurfaceDesc desc_;
};

struct Scene {
    std::unique_ptr<Game> game = std::make_unique<Game>();
    SheetMedia media;
    Scene() {
        game->Media = &media;
        game->Display.ColorKeyPixel = static_cast<Long>(kKeyPixel);
    }
    PlaneRecord& Object(int sheet, int x, int y, Long w, Long h) {
        PlaneRecord& r = game->Obj.Planes[1];
        r.Active = True;
        r.TypeId = 1;
        r.Sheet = ToInteger(sheet);
        r.X = ToInteger(x);
        r.Y = ToInteger(y);
        r.Width = w;
        r.Height = h;
        return r;
    }
    Boolean Test(Integer kind, int x, int y, Long w, Long h, Integer step) {
        Boolean hit = False;
        SpriteCollision(*game, kind, 1, ToInteger(w / 2 + x), ToInteger(h / 2 + y), ToInteger(x), ToInteger(y),
                        w, h, 0, 0, hit, step);
        return hit;
    }
};

// One test of a second sprite against the object in slot 1, with part of the object's sheet
// made transparent from its top-left corner.
struct Case {
    int Sheet;
    int ObjX, ObjY;
    Long ObjW, ObjH;
    int KeyW, KeyH;  // the transparent corner; 0 x 0 for none
    Integer Kind;
    int X, Y;
    Long W, H;
    Integer Step;
};

void BM_Collision(benchmark::State& state, Case c) {
    Scene s;
    s.Object(c.Sheet, c.ObjX, c.ObjY, c.ObjW, c.ObjH);
    if (c.KeyW > 0) s.media.Fill(c.Sheet, 0, 0, c.KeyW, c.KeyH, kKeyPixel);
    for (auto _ : state) benchmark::DoNotOptimize(s.Test(c.Kind, c.X, c.Y, c.W, c.H, c.Step));
}

// A 10 x 3 shot inside a 60 x 30 plane: the first grid point touches.
BENCHMARK_CAPTURE(BM_Collision, ShotOverPlane,
                  Case{1, 200, 100, 60, 30, 0, 0, collide::PlayerBullet, 230, 110, 10, 3, 2});
// The same shot where the plane is transparent under it: the whole 10 x 3 overlap is read.
BENCHMARK_CAPTURE(BM_Collision, ShotOverPlaneKeyed,
                  Case{1, 200, 100, 60, 30, 60, 30, collide::PlayerBullet, 230, 110, 10, 3, 2});
// The shot near the plane with boxes apart: the box test alone, no lock.
BENCHMARK_CAPTURE(BM_Collision, ShotBoxMiss,
                  Case{1, 200, 100, 60, 30, 0, 0, collide::PlayerBullet, 262, 110, 10, 3, 2});
// The player's 80 x 64 plane over a 353 x 191 boss whose top-left quarter is transparent:
// the touch is found a few columns into the overlap.
BENCHMARK_CAPTURE(BM_Collision, PlaneOverBoss,
                  Case{2, 300, 100, 353, 191, 176, 95, collide::PlayerPlane, 440, 120, 80, 64, 3});

// Worst case: the plane wholly over a transparent part of the boss; every grid point of the
// 80 x 64 overlap is read from both sheets.
void BM_KeyedOverlapWorstCase(benchmark::State& state) {
    Scene s;
    s.Object(2, 300, 100, 353, 191);
    s.media.Fill(2, 0, 0, 353, 191, kKeyPixel);
    const Integer step = ToInteger(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(s.Test(collide::PlayerPlane, 400, 150, 80, 64, step));
    const long points = ((80 + step - 1) / step) * ((64 + step - 1) / step);
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_KeyedOverlapWorstCase)->Arg(2)->Arg(3)->Arg(5);

}  // namespace
}  // namespace gorb
