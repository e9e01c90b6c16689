#pragma once
// Combat tests: the recording port with pixel sheets the collision test can lock and read, and a
// fixture with the real bullet and effect templates.
#include <map>
#include <string>
#include <vector>

#include "WorldTestSupport.h"
#include "data/TypeTemplates.h"
#include "platform/PlatformError.h"

namespace gorb::test {

constexpr Long kKey = 7;     // the colour key of the test sheets
constexpr Long kInk = 1;     // an opaque pixel

class CombatTest : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        g.Display.ColorKeyPixel = kKey;
        InitBulletTypes(g.Types);
        InitEffectTypes(g.Types);
        // Every sheet opaque everywhere unless a test paints key into it: touching boxes touch.
        media.MakeSheet(1, 400, 400, kInk);
        media.MakeSheet(surf::Player, 80, 1024, kInk);
        media.MakeSheet(surf::Bullet, 317, 136, kInk);
        // The player: alive, 80 x 64, far from everything.
        PlaneRecord& p = g.Player();
        p.Active = True;
        p.Width = 80;
        p.Height = 64;
        p.X = 10;
        p.Y = 250;
        p.HitPoints = 100;
        p.MaxSpeed = 10;
    }

    // Opaque pixels on a test sheet.
    void Paint(SurfaceId s, Long x, Long y, Long w, Long h) { media.Paint(s, x, y, w, h, kInk); }

    // An object of the given type in slot i, alive, on sheet 1 at (x, y).
    PlaneRecord& Object(int i, int type, int x, int y, Long w = 60, Long h = 30, int hp = 50) {
        PlaneRecord& r = g.Obj.Planes[i];
        r = PlaneRecord{};
        r.Active = True;
        r.TypeId = ToInteger(type);
        r.Sheet = 1;
        r.X = ToInteger(x);
        r.Y = ToInteger(y);
        r.Width = w;
        r.Height = h;
        r.HitPoints = ToInteger(hp);
        return r;
    }

    // A live bullet of a template in slot k at (x, y), not moving.
    BulletType& Bullet(int k, int type, int x, int y) {
        BulletType& b = g.Obj.Bullets[k];
        b = g.Types.BulletTypes[type];
        b.Active = True;
        b.X = ToInteger(x);
        b.Y = ToInteger(y);
        b.XSpeed = 0;
        b.YSpeed = 0;
        return b;
    }

    int LiveEffects(int kind = -1) const {
        int n = 0;
        for (int e = 1; e <= 60; ++e) {
            const EffectType& t = g.Obj.Effects[e];
            n += t.Active == True && (kind < 0 || t.KindCode == kind);
        }
        return n;
    }
    int LiveBullets(int first = 1, int last = 100) const {
        int n = 0;
        for (int k = first; k <= last; ++k) n += g.Obj.Bullets[k].Active == True;
        return n;
    }
};

}  // namespace gorb::test
