// The player's plane: steering and its limits, tilt, fly-in, the loop dive, the fall and the
// flight off at the end of a level.
#include "WorldPlayerSupport.h"

namespace gorb::test {
namespace {

using PlayerMove = PlayerTest;

TEST_F(PlayerMove, HoldingAKeyAcceleratesToTopSpeedAndReleasingStopsInTwoFrames) {
    PlaneRecord& p = Flying(200, 136);
    Hold({key::Right});
    std::vector<int> speeds, xs;
    for (int f = 0; f < 3; ++f) {
        UpdatePlayer(g);
        speeds.push_back(p.SpeedX);
        xs.push_back(p.X);
    }
    Release();
    for (int f = 0; f < 2; ++f) {
        UpdatePlayer(g);
        speeds.push_back(p.SpeedX);
        xs.push_back(p.X);
    }
    EXPECT_EQ(speeds, (std::vector<int>{5, 10, 10, 5, 0}));
    EXPECT_EQ(xs, (std::vector<int>{205, 215, 225, 230, 230}));

    // Upward the same way, with a top speed of 12 (acceleration 6).
    p.MaxSpeed = 12;
    Hold({key::Up});
    Frames(2);
    EXPECT_EQ(p.SpeedY, -12);
    EXPECT_EQ(p.Y, 136 - 6 - 12);

    // A speed that decays to 4 or less stops at once: 10 less 6 leaves 4 on either axis.
    Release();
    p.SpeedX = 10;
    p.SpeedY = -10;
    UpdatePlayer(g);
    EXPECT_EQ(p.SpeedX, 0);
    EXPECT_EQ(p.SpeedY, 0);
}

TEST_F(PlayerMove, OppositeKeysTogetherGoLeftAndUp) {
    PlaneRecord& p = Flying(200, 136);
    Hold({key::Left, key::Right, key::Up, key::Down});
    UpdatePlayer(g);
    EXPECT_EQ(p.X, 195);
    EXPECT_EQ(p.Y, 131);
    EXPECT_EQ(p.Frame, 2);
}

TEST_F(PlayerMove, TheStickMovesOnlyAtFullDeflectionAndTheKeysAreNotRead) {
    g.Flags.JoystickMode = True;
    PlaneRecord& p = Flying(200, 136);
    Hold({key::Right, key::Down, key::Fire});
    g.Controls.JoystickX = 9999;
    g.Controls.JoystickY = 1;
    Frames(3);
    EXPECT_EQ(p.X, 200);
    EXPECT_EQ(p.Y, 136);
    EXPECT_EQ(media.KeyReads, 0);
    EXPECT_EQ(LiveBullets(), 0);

    g.Controls.JoystickX = 0;
    g.Controls.JoystickY = 10000;
    UpdatePlayer(g);
    EXPECT_EQ(p.X, 195);
    EXPECT_EQ(p.Y, 141);
    EXPECT_EQ(p.Frame, 4);
}

TEST_F(PlayerMove, ThePlaneStaysInsideItsLimits) {
    PlaneRecord& p = Flying(470, 270);
    Hold({key::Right, key::Down});
    Frames(5);
    EXPECT_EQ(p.X, 480);
    EXPECT_EQ(p.Y, 280);

    Flying(20, 0);
    Hold({key::Left, key::Up});
    Frames(5);
    EXPECT_EQ(p.X, 10);
    EXPECT_EQ(p.Y, -10);  // held Up stops at -10

    // Drifting up with no key goes two pixels further.
    p.Y = -10;
    p.SpeedY = -10;
    Release();
    UpdatePlayer(g);
    EXPECT_EQ(p.Y, -12);
}

TEST_F(PlayerMove, HorizontalMotionNudgesTheGunCooldownUnlessItEndsAtAnEdge) {
    struct Case {
        int X, SpeedX;
        uint8_t Key;
        int Cooldown;  // after the frame, from 100 less the weapon's 20 a frame
    };
    const Case cases[] = {
        {200, 10, key::Right, 100 - 20 + 10},  // right: + the speed
        {475, 10, key::Right, 100 - 20},       // ends at 480: no nudge
        {200, -10, key::Left, 100 - 20 - 5},   // left: + half the speed
        {15, -10, key::Left, 100 - 20},        // ends at 10: no nudge
        {470, 10, key::Right, 100 - 20},       // ends at exactly 480: no nudge
        {20, -10, key::Left, 100 - 20},        // ends at exactly 10: no nudge
        {21, -10, key::Left, 100 - 20 - 5},    // ends at 11
    };
    for (const Case& c : cases) {
        PlaneRecord& p = Flying(c.X, 136);
        p.SpeedX = ToInteger(c.SpeedX);
        p.GunCooldown = 100;
        Hold({c.Key});
        UpdatePlayer(g);
        EXPECT_EQ(p.GunCooldown, c.Cooldown) << "from x " << c.X;
    }
}

TEST_F(PlayerMove, TiltFollowsTheVerticalKeysAndASpinFrameStepsBack) {
    PlaneRecord& p = Flying(200, 136);
    auto frames = [&](std::initializer_list<uint8_t> held, int n) {
        Hold(held);
        std::vector<int> out;
        for (int i = 0; i < n; ++i) {
            UpdatePlayer(g);
            out.push_back(p.Frame);
        }
        return out;
    };
    EXPECT_EQ(frames({key::Up}, 3), (std::vector<int>{2, 1, 1}));
    EXPECT_EQ(frames({}, 3), (std::vector<int>{2, 3, 3}));
    EXPECT_EQ(frames({key::Down}, 3), (std::vector<int>{4, 5, 5}));
    p.Frame = 8;
    EXPECT_EQ(frames({key::Down}, 2), (std::vector<int>{8, 8}));
    EXPECT_EQ(frames({key::Up}, 2), (std::vector<int>{7, 6}));
    EXPECT_EQ(frames({}, 2), (std::vector<int>{5, 4}));
    // The drawn row follows the frame.
    const Call last = media.Of("back", "Player GFX").back();
    EXPECT_EQ(last.Src, (BlitRect{0, 3 * 64, 80, 4 * 64}));
    EXPECT_EQ(last.Dst, (BlitRect{p.X, p.Y, p.X + 80, p.Y + 64}));
}

TEST_F(PlayerMove, ANewPlaneFliesInAndBecomesActiveInItsThirtyThirdFrame) {
    PlaneRecord& p = g.Player();
    ASSERT_EQ(p.X, -120);
    ASSERT_EQ(p.Active, False);
    UpdatePlayer(g);
    EXPECT_EQ(p.Y, 141);  // the new life's vertical speed of 10 decays to 5
    Frames(31);
    EXPECT_EQ(p.Active, False);
    UpdatePlayer(g);
    EXPECT_EQ(p.Active, True);
    EXPECT_EQ(p.X, 12);
    EXPECT_EQ(p.Link, 1);  // nothing to save: the eject stays locked
    UpdatePlayer(g);
    EXPECT_EQ(p.X, 17);  // the new life's horizontal speed, decayed once

    // With Right held it comes in at 10 a frame; carried items free the eject. (A plane that
    // landed is no longer active when the next life is placed.)
    p.Active = False;
    LoseLife(g);
    Carry({2});
    Hold({key::Right});
    Frames(13);
    EXPECT_EQ(p.Active, True);
    EXPECT_EQ(p.X, 10);
    EXPECT_EQ(p.Link, 0);

    // So does a weapon above the basic one.
    p.Active = False;
    LoseLife(g);
    p.GunBullet[1] = 4;
    Frames(13);
    EXPECT_EQ(p.Link, 0);
}

TEST_F(PlayerMove, TheLoopDiveRunsOffDivesFiringAndReturns) {
    PlaneRecord& p = Flying(200, 136);
    Carry({3});
    Hold({key::Item});
    UpdatePlayer(g);  // the item is used after this frame's motion
    EXPECT_EQ(g.Controls.ManoeuvreCounter, 31);
    EXPECT_EQ(g.Controls.ManoeuvreStep, 30);
    EXPECT_EQ(p.Invulnerable, True);
    EXPECT_EQ(g.Sounds[56], True);
    Release();

    // Running off to the left puts the next shot off by half the step a frame (unlike a move to
    // the left in normal flight, which brings it sooner).
    p.GunCooldown = 100;
    UpdatePlayer(g);
    EXPECT_EQ(p.GunCooldown, 100 + 30 / 2 - 20);
    Frames(9);
    EXPECT_EQ(g.Controls.ManoeuvreCounter, 21);
    EXPECT_EQ(p.X, 200 - 10 * 30);
    // The eleventh frame ends the run-off and already dives from above the top edge.
    UpdatePlayer(g);
    EXPECT_EQ(g.Controls.ManoeuvreCounter, 20);
    EXPECT_EQ(g.Sounds[57], True);
    EXPECT_EQ(p.X, 10);
    EXPECT_EQ(p.Y, -64 + 10);
    EXPECT_EQ(p.Frame, 4);
    EXPECT_EQ(LiveBullets(8), 2);  // even frame: both guns

    // The dive: 43 frames from -64, shots in even frames only, no vertical keys.
    Hold({key::Up});
    int frames = 1;
    while (g.Controls.ManoeuvreCounter == 20 && frames < 100) {
        UpdatePlayer(g);
        ++frames;
    }
    EXPECT_EQ(frames, 43);
    EXPECT_EQ(p.X, -80);
    EXPECT_EQ(p.Y, 150);
    EXPECT_EQ(g.Controls.ManoeuvreCounter, 19);
    EXPECT_EQ(LiveBullets(8), 2 * 22);

    // The return: 5 a frame, 10 with Right; invulnerable to the end.
    Hold({key::Right});
    UpdatePlayer(g);
    EXPECT_EQ(p.X, -70);
    Release();
    Frames(17);
    EXPECT_EQ(p.X, -70 + 17 * 5);
    EXPECT_EQ(p.Invulnerable, True);
    UpdatePlayer(g);
    EXPECT_EQ(g.Controls.ManoeuvreCounter, 0);
    EXPECT_EQ(p.Invulnerable, False);
    EXPECT_EQ(p.X, 20);

    // The dive ends only once Y has passed 360: at exactly 360 it goes on.
    g.Controls.ManoeuvreCounter = 20;
    p.Frame = 1;
    p.Y = 350;
    PlayerDiveAttack(g);
    EXPECT_EQ(p.Y, 360);
    EXPECT_EQ(g.Controls.ManoeuvreCounter, 20);
    PlayerDiveAttack(g);
    EXPECT_EQ(p.Y, 150);
    EXPECT_EQ(g.Controls.ManoeuvreCounter, 19);
}

TEST_F(PlayerMove, AShotDownPlaneFallsFasterAndExplodesBelowTheGround) {
    PlaneRecord& p = Flying(200, 100);
    KillPlayer(g);
    ASSERT_EQ(p.Dying, True);
    std::vector<int> drops;
    Integer y = p.Y;
    for (int f = 0; f < 10; ++f) {
        UpdatePlayer(g);
        drops.push_back(p.Y - y);
        y = p.Y;
    }
    EXPECT_EQ(drops, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(p.Frame, 13);  // spinning through all sixteen
    // The smoke puffs so far are centred on the plane's box.
    const EffectType& puff = g.Types.EffectTypes[2];
    int centred = 0;
    for (int e = 1; e <= 60; ++e) {
        const EffectType& t = g.Obj.Effects[e];
        if (t.Active == 0 || t.KindCode != 2) continue;
        EXPECT_EQ(t.X, 200 + (80 - puff.Width) / 2);
        ++centred;
    }
    EXPECT_GT(centred, 0);

    // Still steerable sideways.
    Hold({key::Left});
    UpdatePlayer(g);
    EXPECT_EQ(p.X, 195);
    Release();

    const Integer lives = p.Lives;
    int frames = 0;
    while (p.Dying == True && frames < 200) {
        const Integer before = p.Y;
        UpdatePlayer(g);
        ++frames;
        if (p.Dying == True) {
            EXPECT_LE(p.Y, 530);
        } else {
            EXPECT_LE(before, 530);
        }
    }
    EXPECT_EQ(p.Lives, lives - 1);
    EXPECT_EQ(p.Active, False);
    // Smoke all the way down, whatever the effects option says, and the ground explosion
    // centred on the plane's box moved to y 300.
    const EffectType& boom = g.Types.EffectTypes[3];
    int puffs = 0, ground = 0;
    for (int e = 1; e <= 60; ++e) {
        const EffectType& t = g.Obj.Effects[e];
        if (t.Active == 0) continue;
        puffs += t.KindCode == 2;
        ground += t.KindCode == 3 && t.X == 195 + (80 - boom.Width) / 2 &&
                  t.Y == 300 + (64 - boom.Height) / 2;
    }
    EXPECT_GT(puffs, 5);
    EXPECT_EQ(ground, 1);
    EXPECT_EQ(p.X, -120);  // the next plane waits left of the area
    EXPECT_EQ(p.Y, 136);

    // Reaching 530 exactly is not yet the ground.
    Flying(200, 529);
    KillPlayer(g);
    p.FallSpeed = 0;
    UpdatePlayer(g);
    EXPECT_EQ(p.Y, 530);
    EXPECT_EQ(p.Dying, True);
    EXPECT_EQ(p.Lives, lives - 1);
    UpdatePlayer(g);
    EXPECT_EQ(p.Lives, lives - 2);
}

TEST_F(PlayerMove, TheVoiceCountersRunDownOncePerFrame) {
    Flying();
    g.Voice.VoiceCooldown = 2;
    g.Voice.HurtVoiceMeter = 1;
    Frames(3);
    EXPECT_EQ(g.Voice.VoiceCooldown, 0);
    EXPECT_EQ(g.Voice.HurtVoiceMeter, 0);
}

class PlayerFlyOff : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        FillSmallData(g);
        WriteScript(g, 1, {{1, 1, 1, 100}});
        WriteScript(g, 2, {{1, 1, 1, 100}});
        EnterLevel(1);
    }
};

TEST_F(PlayerFlyOff, TheExitFlightMovesRightTwiceAsFastAndStartsTheNextLevelPast712) {
    PlaneRecord& p = Flying(400, 136);
    g.Run.LevelComplete = True;
    p.Frame = 3;
    p.SpeedY = 6;

    // No vertical key: no vertical motion at all and the speed keeps its value.
    media.Calls.clear();
    PlayerFlyOut(g);
    EXPECT_EQ(p.X, 420);
    EXPECT_EQ(p.Y, 136);
    EXPECT_EQ(p.SpeedY, 6);
    EXPECT_EQ(p.Frame, 4);
    const auto blits = media.Of("back", "Player GFX");
    ASSERT_EQ(blits.size(), 2u);  // at the old place, then at the new one
    EXPECT_EQ(blits[0].Dst.Left, 400);
    EXPECT_EQ(blits[1].Dst.Left, 420);
    EXPECT_EQ(blits[1].Src.Top, 3 * 64);

    // Up moves without tilting; the spin goes on.
    Hold({key::Up});
    PlayerFlyOut(g);
    EXPECT_EQ(p.Y, 137);
    EXPECT_EQ(p.Frame, 5);

    // Firing works, items do not.
    Release();
    Carry({4});
    Hold({key::Fire, key::Item});
    PlayerFlyOut(g);
    EXPECT_EQ(LiveBullets(1), 2);
    EXPECT_EQ(g.Controls.ItemCount, 1);
    Release();

    // From 492 the plane reaches exactly 712 in its eleventh frame and only leaves in the next.
    p.X = 492;
    int frames = 0;
    while (g.Run.Level == 1 && frames < 50) {
        const Integer before = p.X;
        PlayerFlyOut(g);
        ++frames;
        if (g.Run.Level == 1) {
            EXPECT_LE(p.X, 712);
        } else {
            EXPECT_LE(before, 712);
        }
    }
    EXPECT_EQ(frames, 12);
    EXPECT_EQ(g.Run.Level, 2);
    EXPECT_EQ(g.Run.LevelComplete, False);
    EXPECT_EQ(p.Active, False);
    EXPECT_EQ(p.X, -120);
}

}  // namespace
}  // namespace gorb::test
