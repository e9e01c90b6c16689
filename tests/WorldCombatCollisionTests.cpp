// The pixel-exact collision test: eligibility, the strict box test, the sampling grid, the
// colour key, the sheets it locks and reads, and a failed read.
#include <set>

#include "WorldCombatSupport.h"

using namespace gorb;
using namespace gorb::test;

namespace {

class SpriteTest : public CombatTest {
protected:
    // Tests the object in slot 1 against a second sprite of w x h at (x, y), frame at (0, 0) of
    // its sheet; returns the hit flag, which starts at `start`.
    Boolean Test(Integer kind, int x, int y, Long w, Long h, Integer step = 2,
                 Boolean start = False) {
        Boolean hit = start;
        SpriteCollision(g, kind, 1, ToInteger(w / 2 + x), ToInteger(h / 2 + y), ToInteger(x),
                        ToInteger(y), w, h, 0, 0, hit, step);
        return hit;
    }
    // The distinct columns and rows of the second sprite that were read.
    std::set<Long> Columns(SurfaceId s) const {
        std::set<Long> out;
        for (const auto& r : media.PixelReads)
            if (r.S == s) out.insert(r.X);
        return out;
    }
    std::set<Long> Rows(SurfaceId s) const {
        std::set<Long> out;
        for (const auto& r : media.PixelReads)
            if (r.S == s) out.insert(r.Y);
        return out;
    }
};

TEST_F(SpriteTest, FreeOrDyingRecordsNeverHitAndKeepTheCallersFlag) {
    PlaneRecord& r = Object(1, 1, 100, 100);
    for (Boolean start : {False, True}) {
        r.Active = 0;
        EXPECT_EQ(Test(collide::PlayerBullet, 100, 100, 10, 10, 2, start), start);
        r.Active = 1;  // only exactly True counts as live
        EXPECT_EQ(Test(collide::PlayerBullet, 100, 100, 10, 10, 2, start), start);
        r.Active = True;
        r.Dying = True;
        EXPECT_EQ(Test(collide::PlayerBullet, 100, 100, 10, 10, 2, start), start);
        r.Dying = 0;
    }
    EXPECT_TRUE(media.LockLog.empty());
}

TEST_F(SpriteTest, BoxTestIsStrictAndLocksNothingWhenBoxesMiss) {
    Object(1, 1, 100, 100, 60, 30);  // centre (130, 115)
    // A 10 x 10 sprite: centres 35 apart along x, (60 + 10) \ 2 = 35, is no overlap.
    EXPECT_EQ(Test(collide::PlayerBullet, 160, 110, 10, 10, 2, True), True);
    EXPECT_TRUE(media.LockLog.empty());
    EXPECT_EQ(Test(collide::PlayerBullet, 159, 110, 10, 10), True);
    // The same along y: (30 + 10) \ 2 = 20.
    media.LockLog.clear();
    EXPECT_EQ(Test(collide::PlayerBullet, 125, 130, 10, 10, 2, True), True);
    EXPECT_TRUE(media.LockLog.empty());
    EXPECT_EQ(Test(collide::PlayerBullet, 125, 129, 10, 10), True);
}

TEST_F(SpriteTest, OverlappingBoxesWithoutAnOpaquePairClearTheFlag) {
    Object(1, 1, 100, 100, 60, 30);
    media.MakeSheet(1, 400, 400, kKey);  // the object all key
    EXPECT_EQ(Test(collide::PlayerBullet, 110, 110, 10, 10, 2, True), False);
    // Opaque object, key bullet: a key pixel in either sprite never counts.
    media.MakeSheet(1, 400, 400, kInk);
    media.MakeSheet(surf::Bullet, 317, 136, kKey);
    EXPECT_EQ(Test(collide::PlayerBullet, 110, 110, 10, 10, 2, True), False);
    // Both opaque at one sampled point only.
    Paint(surf::Bullet, 4, 6, 1, 1);
    EXPECT_EQ(Test(collide::PlayerBullet, 110, 110, 10, 10, 2), True);
}

TEST_F(SpriteTest, GridStartsAtTheOverlapCornerAndStepsOverIt) {
    media.MakeSheet(1, 400, 400, kKey);  // nothing touches: every sample is read
    struct Case {
        int x;          // left edge of the 10-wide second sprite against the object at 100
        Integer step;
        std::set<Long> cols;  // columns read in the second sprite's sheet
    } cases[] = {
        {159, 2, {0}},        // an overlap one pixel wide: its first column only
        {157, 3, {0}},        // width 3 at step 3: column 0 only
        {156, 3, {0, 3}},     // width 4 at step 3: columns 0 and 3
        {140, 3, {0, 3, 6, 9}},
        {140, 5, {0, 5}},
        {95, 2, {5, 7, 9}},   // sticking out to the left: starts at the object's edge
    };
    for (const Case& c : cases) {
        Object(1, 1, 100, 100, 60, 30);
        media.PixelReads.clear();
        EXPECT_EQ(Test(collide::PlayerBullet, c.x, 105, 10, 10, c.step, True), False) << c.x;
        EXPECT_EQ(Columns(surf::Bullet), c.cols) << c.x << " step " << c.step;
    }
}

TEST_F(SpriteTest, InnerSpriteIsSampledOverItsOwnSizeFromItsEdge) {
    media.MakeSheet(1, 400, 400, kKey);
    PlaneRecord& r = Object(1, 1, 100, 100, 60, 30);
    r.SrcX = 50;
    r.SrcY = 20;
    // A 4 x 4 sprite at (110, 105): wholly inside; plane offsets (10, 5), sprite offsets 0.
    Test(collide::PlayerBullet, 110, 105, 4, 4, 2);
    EXPECT_EQ(Columns(surf::Bullet), (std::set<Long>{0, 2}));
    EXPECT_EQ(Rows(surf::Bullet), (std::set<Long>{0, 2}));
    EXPECT_EQ(Columns(1), (std::set<Long>{60, 62}));
    EXPECT_EQ(Rows(1), (std::set<Long>{25, 27}));
    // Columns outside, rows inside: the second read pair is column 0, row 2.
    ASSERT_GE(media.PixelReads.size(), 4u);
    EXPECT_EQ(media.PixelReads[2].X, 0);
    EXPECT_EQ(media.PixelReads[2].Y, 2);

    // The other way round: a 60 x 30 second sprite at (90, 95) around a 4 x 4 plane at (100, 100).
    Object(1, 1, 100, 100, 4, 4).SrcX = 50;
    g.Obj.Planes[1].SrcY = 20;
    media.PixelReads.clear();
    Test(collide::PlayerBullet, 90, 95, 60, 30, 2);
    EXPECT_EQ(Columns(1), (std::set<Long>{50, 52}));
    EXPECT_EQ(Rows(1), (std::set<Long>{20, 22}));
    EXPECT_EQ(Columns(surf::Bullet), (std::set<Long>{10, 12}));
    EXPECT_EQ(Rows(surf::Bullet), (std::set<Long>{5, 7}));
}

TEST_F(SpriteTest, AnOpaquePixelOffTheGridIsMissed) {
    media.MakeSheet(1, 400, 400, kKey);
    Object(1, 1, 100, 100, 60, 30);
    Paint(1, 1, 1, 1, 1);  // object pixel (1, 1): between the grid points of step 2
    EXPECT_EQ(Test(collide::PlayerBullet, 100, 100, 10, 10, 2), False);
    Paint(1, 2, 2, 1, 1);
    EXPECT_EQ(Test(collide::PlayerBullet, 100, 100, 10, 10, 2), True);
}

TEST_F(SpriteTest, EachKindLocksAndReadsItsOwnSheets) {
    media.MakeSheet(7, 400, 400, kInk);
    struct Case {
        Integer kind;
        int index;
        std::vector<std::string> log;
    } cases[] = {
        {collide::PlayerBullet, 1, {"lock 104", "lock 7", "unlock 104", "unlock 7"}},
        {collide::EnemyBullet, 0, {"lock 104", "lock 101", "unlock 104", "unlock 101"}},
        {collide::PlayerPlane, 1, {"lock 101", "lock 7", "unlock 7", "unlock 101"}},
    };
    Object(1, 1, 100, 100).Sheet = 7;
    g.Player().X = 100;
    g.Player().Y = 100;
    for (const Case& c : cases) {
        media.LockLog.clear();
        media.PixelReads.clear();
        Boolean hit = False;
        SpriteCollision(g, c.kind, ToInteger(c.index), 105, 105, 100, 100, 10, 10, 0, 0, hit, 2);
        EXPECT_EQ(hit, True);
        EXPECT_EQ(media.LockLog, c.log) << c.kind;
        EXPECT_FALSE(media.AnyLocked());
    }
}

TEST_F(SpriteTest, AFailedReadLeavesNoSheetLocked) {
    media.MakeSheet(1, 20, 20, kKey);  // the object's frame reaches past its sheet
    Object(1, 1, 100, 100, 60, 30);
    Boolean hit = False;
    EXPECT_THROW(SpriteCollision(g, collide::PlayerBullet, 1, 130, 115, 100, 100, 60, 30, 0, 0, hit, 2),
                 PlatformError);
    EXPECT_FALSE(media.AnyLocked());
}

}  // namespace
