#pragma once
// A player's plane in a headless game: real weapon tables, scripted keys read through the
// recording port (which counts the reads), and the plane placed as a new life places it.
#include <initializer_list>

#include "data/TypeTemplates.h"
#include "world/PlayerInput.h"
#include "WorldTestSupport.h"

namespace gorb::test {

class PlayerTest : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        InitPlaneTypes(g.Types);
        InitBulletTypes(g.Types);
        InitEffectTypes(g.Types);
        g.Flags.EffectsOn = False;
        PlaneRecord& p = g.Player();
        p.Width = 80;
        p.Height = 64;
        static constexpr Integer kGunY1[8] = {17, 20, 30, 21, 17, 10, 10, 12};
        static constexpr Integer kGunY2[8] = {42, 37, 31, 35, 43, 49, 54, 48};
        for (int i = 1; i <= 16; ++i) {
            p.PlayerGunY1[i] = kGunY1[(i - 1) % 8];
            p.PlayerGunY2[i] = kGunY2[(i - 1) % 8];
        }
        p.Lives = 3;
        LoseLife(g);  // a new plane: weapon 1, speed 10, eject locked, left of the area
    }

    // The plane in level flight at (x, y), at rest.
    PlaneRecord& Flying(int x = 200, int y = 136) {
        PlaneRecord& p = g.Player();
        p.Active = True;
        p.X = ToInteger(x);
        p.Y = ToInteger(y);
        p.SpeedX = 0;
        p.SpeedY = 0;
        return p;
    }
    void Hold(std::initializer_list<uint8_t> codes) {
        media.Keys.fill(0);
        for (uint8_t c : codes) media.Keys[c] = 0x80;
    }
    void Release() { media.Keys.fill(0); }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) UpdatePlayer(g);
    }
    int LiveBullets(int type = -1) const {
        int n = 0;
        for (int b = 1; b <= 100; ++b) {
            const BulletType& t = g.Obj.Bullets[b];
            n += t.Active != 0 && (type < 0 || t.TypeId == type);
        }
        return n;
    }
    void Carry(std::initializer_list<int> kinds) {
        for (int k : kinds) {
            g.Controls.ItemCount = ToInteger(g.Controls.ItemCount + 1);
            g.Controls.Items[g.Controls.ItemCount] = ToInteger(k);
        }
    }
};

}  // namespace gorb::test
