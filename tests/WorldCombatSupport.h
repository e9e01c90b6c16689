#pragma once
// Combat tests: a recording media port with pixel sheets the collision test can lock and read,
// and a fixture with the real bullet and effect templates.
#include <map>
#include <string>
#include <vector>

#include "WorldTestSupport.h"
#include "data/TypeTemplates.h"
#include "platform/PlatformError.h"

namespace gorb::test {

constexpr Long kKey = 7;     // the colour key of the test sheets
constexpr Long kInk = 1;     // an opaque pixel

// Sheets of raw pixel values; reading needs a lock and stays inside the sheet, as on the display.
class PixelMedia : public RecordingMedia {
public:
    struct Sheet {
        Long W = 0, H = 0;
        std::vector<Long> Px;
    };
    struct Read {
        SurfaceId S;
        Long X, Y;
    };
    std::map<SurfaceId, Sheet> Sheets;
    std::map<SurfaceId, int> Locks;
    std::vector<std::string> LockLog;  // "lock 104", "unlock 1", ...
    std::vector<Read> Reads;

    // A sheet of w x h filled with value (the key unless said otherwise).
    void MakeSheet(SurfaceId s, Long w, Long h, Long value = kKey) {
        Sheets[s] = Sheet{w, h, std::vector<Long>(static_cast<size_t>(w * h), value)};
    }
    void Paint(SurfaceId s, Long x, Long y, Long w, Long h, Long value = kInk) {
        Sheet& sh = Sheets.at(s);
        for (Long j = y; j < y + h; ++j)
            for (Long i = x; i < x + w; ++i) sh.Px.at(static_cast<size_t>(j * sh.W + i)) = value;
    }

    void LockSurface(SurfaceId s) override {
        LockLog.push_back("lock " + std::to_string(s));
        ++Locks[s];
    }
    void UnlockSurface(SurfaceId s) override {
        LockLog.push_back("unlock " + std::to_string(s));
        if (Locks[s] <= 0) throw PlatformError(err::Generic, "unlock of an unlocked surface");
        --Locks[s];
    }
    Long GetLockedPixel(SurfaceId s, Long x, Long y) override {
        Reads.push_back({s, x, y});
        if (Locks[s] <= 0) throw PlatformError(err::Generic, "read of an unlocked surface");
        const Sheet& sh = Sheets.at(s);
        if (x < 0 || y < 0 || x >= sh.W || y >= sh.H)
            throw PlatformError(err::InvalidProcedureCall, "read outside the surface");
        return sh.Px[static_cast<size_t>(y * sh.W + x)];
    }
    bool AnyLocked() const {
        for (const auto& [s, n] : Locks)
            if (n != 0) return true;
        return false;
    }
};

class CombatTest : public WorldTest {
protected:
    PixelMedia pix;

    void SetUp() override {
        WorldTest::SetUp();
        g.Media = &pix;
        g.Display.ColorKeyPixel = kKey;
        InitBulletTypes(g.Types);
        InitEffectTypes(g.Types);
        // Every sheet opaque everywhere unless a test paints key into it: touching boxes touch.
        pix.MakeSheet(1, 400, 400, kInk);
        pix.MakeSheet(surf::Player, 80, 1024, kInk);
        pix.MakeSheet(surf::Bullet, 317, 136, kInk);
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
