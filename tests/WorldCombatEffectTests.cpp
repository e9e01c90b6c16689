// Effects: placement by kind, the animation from spawn to its freed slot, the falling shards,
// the sheets they are drawn from, and full or empty templates.
#include <set>

#include "WorldCombatSupport.h"

using namespace gorb;
using namespace gorb::test;

namespace {

using EffectTest = CombatTest;

TEST_F(EffectTest, PlacementByKind) {
    struct Case { int x, y, w, h, kind; int wantX, wantY; } cases[] = {
        {100, 50, 4, 15, 1, 104, 60},   // muzzle: offset, centred vertically (height 10)
        {0, 0, 79, 73, 2, 27, 24},      // 25 x 25 centred on a box
        {10, 10, 1, 1, 2, -2, -2},      // a smaller box: negative offsets
        {0, 0, 76, 70, 3, -1, -1},      // 79 x 73 explosion: (76 - 79) \ 2 = -1
        {0, 0, 78, 72, 3, 0, 0},        // (78 - 79) \ 2 rounds toward 0
        {10, 10, 1, 1, 5, 11, 11},      // sparkle in a 1 x 1 box: always one in
        {30, 40, 500, 500, 6, 30, 40},  // ice burst by its corner
        {30, 40, 500, 500, 8, 30, 60},  // type-44 explosion: 20 lower
        {30, 40, 500, 500, 9, 0, 0},    // an empty template keeps its own values
    };
    for (const Case& c : cases) {
        g.Obj.Effects[1].Active = 0;
        SpawnEffect(g, ToInteger(c.x), ToInteger(c.y), ToInteger(c.w), ToInteger(c.h), ToInteger(c.kind));
        const EffectType& e = g.Obj.Effects[1];
        EXPECT_EQ(e.Active, True) << c.kind;
        EXPECT_EQ(e.Frame, 0) << c.kind;
        EXPECT_EQ(e.X, c.wantX) << c.kind;
        EXPECT_EQ(e.Y, c.wantY) << c.kind;
    }
}

TEST_F(EffectTest, SparklesLandInsideTheirBox) {
    for (int n = 0; n < 200; ++n) {
        g.Obj.Effects[1].Active = 0;
        SpawnEffect(g, 100, 200, 30, 5, 5);
        const EffectType& e = g.Obj.Effects[1];
        EXPECT_TRUE(e.X >= 101 && e.X <= 130) << e.X;
        EXPECT_TRUE(e.Y >= 201 && e.Y <= 205) << e.Y;
    }
}

TEST_F(EffectTest, AnEffectShowsEachFrameOnceAndFreesItsSlotAfterTheLast) {
    SpawnEffect(g, 100, 100, 0, 0, 1);  // 9 x 10, four frames from column 25, rising 2
    const EffectType& e = g.Obj.Effects[1];
    for (int f = 1; f <= 4; ++f) {
        media.Calls.clear();
        UpdateEffects(g);
        const auto blits = media.Of("back", "Explode GFX");
        ASSERT_EQ(blits.size(), 1u) << f;
        EXPECT_EQ(blits[0].Src, (BlitRect{25, (f - 1) * 10, 34, f * 10}));
        const Long y = 95 - 2 * f;  // moved before it is drawn
        EXPECT_EQ(blits[0].Dst, (BlitRect{100, y, 109, y + 10}));
    }
    media.Calls.clear();
    UpdateEffects(g);
    EXPECT_EQ(e.Active, 0);
    EXPECT_TRUE(media.Calls.empty());
}

TEST_F(EffectTest, TrailPuffIsKindTwoDriftingRight) {
    SpawnEffect(g, 100, 100, 20, 10, 4);
    const EffectType& e = g.Obj.Effects[1];
    EXPECT_EQ(e.KindCode, 2);
    UpdateEffects(g);
    UpdateEffects(g);
    EXPECT_EQ(e.X, 124);
    EXPECT_EQ(media.Count("back", "Explode GFX"), 2);
}

TEST_F(EffectTest, ShardsRiseSlowerThenFallFromTheIceSheet) {
    SpawnEffect(g, 100, 100, 10, 10, 7);
    EffectType& e = g.Obj.Effects[1];
    EXPECT_TRUE(e.DX >= -5 && e.DX <= 4) << e.DX;
    EXPECT_TRUE(e.DY >= -5 && e.DY <= 4) << e.DY;
    EXPECT_TRUE(e.Frame >= 0 && e.Frame <= 2) << e.Frame;
    e.Frame = 0;
    e.DY = -5;
    std::vector<int> moves;
    for (int f = 0; f < 5; ++f) {
        const int y = e.Y;
        UpdateEffects(g);
        moves.push_back(e.Y - y);
    }
    EXPECT_EQ(moves, (std::vector<int>{-5, -3, -1, 1, 3}));
    EXPECT_EQ(media.Count("back", "Ice GFX"), 5);
    EXPECT_EQ(media.Count("back", "Explode GFX"), 0);
}

TEST_F(EffectTest, ShardsSkipUpToTwoFrames) {
    std::set<int> firstShown;
    for (int n = 0; n < 60; ++n) SpawnEffect(g, 100, 100, 10, 10, 7);
    UpdateEffects(g);
    for (const auto& c : media.Of("back", "Ice GFX")) firstShown.insert(c.Src.Top / 28 + 1);
    EXPECT_EQ(firstShown, (std::set<int>{1, 2, 3}));
}

TEST_F(EffectTest, FullSlotsDropTheEffectAndEmptyKindsVanishUndrawn) {
    for (int n = 0; n < 60; ++n) SpawnEffect(g, 0, 0, 0, 0, 3);
    SpawnEffect(g, 50, 50, 0, 0, 6);
    EXPECT_EQ(LiveEffects(6), 0);
    EXPECT_EQ(LiveEffects(3), 60);

    for (int n = 1; n <= 60; ++n) g.Obj.Effects[n].Active = 0;
    SpawnEffect(g, 50, 50, 0, 0, 10);
    SpawnEffect(g, 50, 50, 0, 0, 11);  // no such template: nothing
    SpawnEffect(g, 50, 50, 0, 0, -1);
    EXPECT_EQ(g.Obj.Effects[1].Active, True);
    EXPECT_EQ(g.Obj.Effects[2].Active, 0);
    media.Calls.clear();
    UpdateEffects(g);
    EXPECT_EQ(g.Obj.Effects[1].Active, 0);
    EXPECT_TRUE(media.Calls.empty());
}

}  // namespace
