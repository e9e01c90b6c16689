// The frame loop on a headless game: the order of one frame, timing, pause and game over.
#include "WorldTestSupport.h"

#include <algorithm>

using namespace gorb;
using namespace gorb::test;

namespace {

// The frame's calls as labels, consecutive repeats folded: blits by label, sounds by range.
std::vector<std::string> Outline(const std::vector<Call>& calls) {
    std::vector<std::string> out;
    for (const Call& c : calls) {
        std::string s = c.What == "sound" ? "sound " + std::to_string(c.First) + "-" + std::to_string(c.Last) : c.Label;
        if (out.empty() || out.back() != s) out.push_back(s);
    }
    return out;
}

class FrameLoop : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        FillSmallData(g);
        WriteScript(g, 1, {{30, 1, 1, 100}});
        EnterLevel(1);
        g.Player().Lives = 2;
    }
};

TEST_F(FrameLoop, OneFrameDrawsAndPlaysInItsFixedOrder) {
    g.Obj.Bullets[61] = {True, 20, 1, -5, 0, 0, 0, 100, 300, 1, 1, 10, 4, 0, 0, 0, 0, 0};
    g.Obj.Effects[3].Active = True;
    g.Obj.Effects[3].KindCode = 2;
    g.Obj.Effects[3].Width = g.Obj.Effects[3].Height = 10;
    g.Obj.Effects[3].LastFrame = 5;
    g.Obj.Effects[4] = g.Obj.Effects[3];
    g.Obj.Effects[4].KindCode = 6;
    for (int n : {1, 20, 40, 90, 65, 55}) g.Sounds.Request(n);
    media.Calls.clear();

    ASSERT_TRUE(RunFrameWork(g));

    const std::vector<std::string> want = {
        "Screen Back", "Screen Front", "Player GFX", "Vorpex GFX", "sound 1-16", "Bullet GFX",
        "sound 17-32", "Explode GFX", "Ice GFX", "sound 33-50", "Tile Misc Stuff", "sound 83-96",
        "Tile Misc Stuff", "sound 60-82", "sound 51-59", "BackBuffer"};
    EXPECT_EQ(Outline(media.Calls), want);

    std::vector<int> played;
    for (const Call& c : media.Calls)
        for (int n : c.Played) played.push_back(n);
    EXPECT_EQ(played, (std::vector<int>{1, 20, 40, 90, 65, 55}));

    const Call& present = media.Calls.back();
    EXPECT_EQ(present.Src, (BlitRect{0, 0, 612, 330}));
    EXPECT_EQ(present.Dst, (BlitRect{14, 75, 626, 405}));
}

TEST_F(FrameLoop, PilotTalkOffLeavesVoicesRequested) {
    g.Flags.PilotTalkOn = False;
    g.Sounds.Request(65);
    g.Sounds.Request(59);
    RunFrameWork(g);
    EXPECT_EQ(g.Sounds[65], True);
    EXPECT_EQ(g.Sounds[59], False);
    EXPECT_EQ(media.Count("sound", ""), 5);
}

TEST_F(FrameLoop, OverloadFlagNeedsMoreThanFiveMillisecondsPastTheDeadline) {
    struct { uint32_t workMs; bool indicator; Boolean want; } cases[] = {
        {41, true, True}, {40, true, False}, {10, true, False}, {41, false, False}};
    for (auto c : cases) {
        g.Run.GameOver = False;
        g.Flags.OverloadIndicatorOn = ToBoolean(c.indicator);
        uint32_t start = media.Now;
        media.OnPresent = [&] { media.Now = start + c.workMs; };
        uint32_t afterWait = 0;
        OnPump([&] { afterWait = media.Now; g.Run.GameOver = True; });
        RunGameLoop(g);
        EXPECT_EQ(g.Hud.Overloaded, c.want) << c.workMs;
        // The wait ends with the tick count past the deadline, not at it.
        if (c.workMs < 35) EXPECT_EQ(afterWait, start + 36) << c.workMs;
        else EXPECT_EQ(afterWait, start + c.workMs) << c.workMs;
        media.PumpHooks.clear();
    }
}

// Each frame's picture is presented after its play area's copy and before its wait begins (the
// virtual clock stands still while a frame works and jumps only in the wait), and the present's
// own time counts towards the overload test.
TEST_F(FrameLoop, TheFrameIsPresentedBeforeItsWaitAndASlowPresentSetsOverloaded) {
    struct { uint32_t presentMs; Boolean want; } cases[] = {{0, False}, {40, False}, {41, True}};
    for (auto c : cases) {
        g.Run.GameOver = False;
        std::vector<uint32_t> shownAt;
        std::vector<int> playAreasBefore;
        media.OnShowScreen = [&] {
            shownAt.push_back(media.Now);
            playAreasBefore.push_back(media.Count("prim", "BackBuffer"));
            media.Now += c.presentMs;
        };
        int frames = 0;
        OnPump([&] { if (++frames == 3) g.Run.GameOver = True; });
        media.Calls.clear();
        const uint32_t start = media.Now;
        RunGameLoop(g);
        media.OnShowScreen = nullptr;
        ASSERT_EQ(shownAt.size(), 3u) << c.presentMs;
        const uint32_t period = std::max<uint32_t>(36, c.presentMs);
        for (uint32_t k = 0; k < 3; ++k) {
            EXPECT_EQ(shownAt[k], start + k * period) << c.presentMs << " frame " << k;
            EXPECT_EQ(playAreasBefore[k], int(k) + 1) << c.presentMs << " frame " << k;
        }
        EXPECT_EQ(g.Hud.Overloaded, c.want) << c.presentMs;
        media.PumpHooks.clear();
    }
}

// While frames overrun, the sign is drawn over the presented play area, so the present shows it.
TEST_F(FrameLoop, TheOverloadSignLiesOverThePlayAreaOfThePresent) {
    g.Hud.Overloaded = True;
    g.Hud.AlertHold = 9;
    media.Calls.clear();
    RunFrameWork(g);
    const std::vector<std::string> outline = Outline(media.Calls);
    ASSERT_GE(outline.size(), 2u);
    EXPECT_EQ(outline[outline.size() - 2], "BackBuffer");
    EXPECT_EQ(outline.back(), "Processor Alert");
    EXPECT_EQ(media.Calls.back().Dst, (BlitRect{16, 77, 42, 95}));
}

TEST_F(FrameLoop, PauseOnlyPumps) {
    g.Run.Paused = True;
    g.Sounds.Request(1);
    int pumps = 0;
    OnPump([&] {
        if (++pumps == 50) g.Run.Paused = False;
        if (pumps == 51) g.Run.GameOver = True;
    });
    const uint32_t start = media.Now;
    RunGameLoop(g);
    EXPECT_EQ(pumps, 51);
    // One frame ran after the pause, with its own fresh deadline.
    EXPECT_EQ(media.Count("prim", "BackBuffer"), 1);
    EXPECT_EQ(media.Now, start + 36);
    EXPECT_EQ(media.Of("sound", "")[0].Played, std::vector<int>{1});
}

TEST_F(FrameLoop, GameOverCountdownRunsTheWorldFor79FramesThenEndsTheGame) {
    g.Player().Lives = 0;
    LoseLife(g);
    EXPECT_EQ(g.Player().Lives, -1);
    EXPECT_EQ(g.Run.GameOverCountdown, 80);
    EXPECT_EQ(g.Sounds[59], True);
    int frames = 0;
    OnPump([&] { if (++frames > 200) { ADD_FAILURE() << "runaway"; g.Run.GameOver = True; } });
    const Integer scriptTick = g.Run.ScriptTick;
    g.Run.ScriptHold = False;
    RunGameLoop(g);
    EXPECT_EQ(media.Count("prim", "BackBuffer"), 79);
    EXPECT_EQ(g.Run.ScriptTick, scriptTick);  // no spawn step during the countdown
    EXPECT_EQ(media.Count("back", "Player GFX"), 0);
    EXPECT_EQ(media.Count("menu", "WriteSettings"), 1);  // EndGame ran
    // Game-over sound played in the first frame.
    EXPECT_EQ(media.Of("sound", "")[5].Played, std::vector<int>{59});
}

TEST_F(FrameLoop, FrozenWorldCountsDownInPlaceOfTheSpawnStep) {
    g.Run.ScriptHold = False;
    g.Ice.FrozenTimer = 100;
    RunFrameWork(g);
    // Once in place of the spawn step and once by the ice timers.
    EXPECT_EQ(g.Ice.FrozenTimer, 98);
    EXPECT_EQ(g.Run.ScriptTick, 0);
    // A timer of 1 taken to 0 by the loop ends the frozen phase with no thaw.
    g.Ice.FrozenTimer = 1;
    g.Sounds[52] = False;
    media.Calls.clear();
    RunFrameWork(g);
    EXPECT_EQ(g.Ice.FrozenTimer, 0);
    EXPECT_EQ(g.Ice.ThawTimer, 0);
    EXPECT_EQ(media.Of("sound", "")[5].Played, std::vector<int>{});
    // During the game-over countdown the loop does not count it: the ice timers take it to 0,
    // and the thawing phase and its sound follow.
    g.Ice.FrozenTimer = 1;
    g.Run.GameOverCountdown = 40;
    media.Calls.clear();
    RunFrameWork(g);
    EXPECT_EQ(g.Ice.FrozenTimer, 0);
    EXPECT_EQ(g.Ice.ThawTimer, 10);
    EXPECT_EQ(media.Of("sound", "")[5].Played, std::vector<int>{52});
}

TEST_F(FrameLoop, BossVoiceComes25FramesAfterTheBossAndOnlyOncePerLevel) {
    g.Run.LevelProgress = 1;
    WriteScript(g, 1, {{30, 5, 1, 100}, {30, 5, 1, 100}});
    g.Run.LevelProgress = 1;
    SpawnZorbel(g, 0);
    EXPECT_EQ(g.Voice.BossVoiceDelay, 25);
    g.Run.LevelProgress = 2;
    g.Voice.BossVoiceDelay = 3;
    SpawnZorbel(g, 0);
    EXPECT_EQ(g.Voice.BossVoiceDelay, 3);  // armed already
    for (int f = 0; f < 3; ++f) RunFrameWork(g);
    EXPECT_EQ(g.Voice.VoiceCooldown, 120);
}

TEST_F(FrameLoop, FlyOutDrawsThePlayerTwiceAndUpdatePlayerWaitsForAFallingPlane) {
    g.Run.LevelComplete = True;
    g.Player().X = 100;
    g.Player().MaxSpeed = 10;
    media.Calls.clear();
    RunFrameWork(g);
    auto draws = media.Of("back", "Player GFX");
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].Dst.Left, 100);
    EXPECT_EQ(draws[1].Dst.Left, 120);

    g.Player().Active = True;
    g.Player().Dying = True;
    media.Calls.clear();
    RunFrameWork(g);
    EXPECT_EQ(media.Count("back", "Player GFX"), 1);
    EXPECT_EQ(g.Player().X, 120);
}

TEST_F(FrameLoop, DuringTheCountdownACompletedLevelStillFliesOut) {
    g.Run.GameOverCountdown = 40;
    g.Run.LevelComplete = True;
    g.Run.ScriptHold = False;
    g.Player().X = 100;
    g.Player().MaxSpeed = 10;
    media.Calls.clear();
    RunFrameWork(g);
    EXPECT_EQ(media.Count("back", "Player GFX"), 2);
    EXPECT_EQ(g.Player().X, 120);
    EXPECT_EQ(g.Run.ScriptTick, 0);
    EXPECT_EQ(g.Run.GameOverCountdown, 39);
}

TEST_F(FrameLoop, TheFlyOutOfTheLastStageEndsTheLoopWithoutPresentingThatFrame) {
    g.Run.Level = 13;
    g.Run.LevelComplete = True;
    g.Player().X = 700;
    g.Player().MaxSpeed = 10;
    int frames = 0;
    OnPump([&] { if (++frames > 5) { ADD_FAILURE() << "runaway"; g.Run.GameOver = True; } });
    media.Calls.clear();
    RunGameLoop(g);
    EXPECT_EQ(g.Run.Level, 99);
    EXPECT_EQ(frames, 0);  // the first frame already ended the loop
    EXPECT_EQ(media.Count("prim", "BackBuffer"), 0);
    EXPECT_EQ(media.Count("menu", "ShowEndScreen"), 1);
    EXPECT_EQ(media.Count("menu", "WriteSettings"), 1);
    EXPECT_EQ(media.Count("back", "Vorpex GFX"), 0);  // nothing after the fly-out ran
}

}  // namespace
