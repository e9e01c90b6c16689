// Game run, level flow and level-script spawning.
#include <algorithm>
#include <set>

#include "WorldTestSupport.h"
#include "data/TypeTemplates.h"

using namespace gorb;
using namespace gorb::test;

namespace {

class LevelFlow : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        media.OnLoadGameData = [](Game& gg) {
            FillSmallData(gg);
            // Each level: one boss that flies off the left edge; FINAL's stages the same.
            for (int l = 1; l <= 13; ++l) WriteScript(gg, l, {{5, 5, 1, 100}});
            gg.Data.PathTable[1][1][1] = 200;  // fast enough to leave within a few frames
            gg.Data.PathTable[2][1][1] = 200;
        };
    }

    // A boss template of another type number, firing every 10th and 20th chance.
    void MakeBoss(int type) {
        PlaneRecord& r = g.Types.PlaneTypes[type];
        r = g.Types.PlaneTypes[5];
        r.TypeId = ToInteger(type);
        r.FireChance[1] = 10;
        r.FireChance[2] = 20;
    }
    // Spawns one row of the current level through the spawner into an emptied table (slot 20).
    PlaneRecord& SpawnRow(int type, int path, int y) {
        auto& s = g.Data.LevelScript;
        const int level = g.Run.Level;
        s[0][level][1] = 5;
        s[1][level][1] = ToInteger(type);
        s[2][level][1] = ToInteger(path);
        s[3][level][1] = ToInteger(y);
        g.Run.LevelProgress = 1;
        for (int i = 1; i <= 20; ++i) g.Obj.Planes[i].Active = 0;
        SpawnZorbel(g, 0);
        return g.Obj.Planes[20];
    }
};

TEST_F(LevelFlow, ARunPlaysEveryLevelAndTheThreeStagesOfFinalToTheEnd) {
    int frames = 0;
    // Releases the level-start object's hold, as its kill will.
    OnPump([&] {
        if (++frames > 20000) { ADD_FAILURE() << "runaway"; g.Run.GameOver = True; }
        if (g.Run.ScriptHold == True && frames % 7 == 0) g.Run.ScriptHold = False;
    });
    std::vector<int> levels;
    media.OnPresent = [&] {
        if (levels.empty() || levels.back() != g.Run.Level) levels.push_back(g.Run.Level);
    };
    BeginGame(g);

    EXPECT_EQ(g.Run.Level, 99);
    EXPECT_EQ(levels, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(media.Count("menu", "ShowExtroScreens"), 1);
    EXPECT_EQ(media.Count("menu", "ShowEndScreen"), 1);
    EXPECT_EQ(media.Count("menu", "WriteSettings"), 1);  // EndGame once, from the level start
    EXPECT_EQ(media.Count("menu", "ShowMenu 1"), 1);
    EXPECT_EQ(g.Setup.HighestLevelNormal, 10);
    EXPECT_EQ(g.Player().Lives, 2);
    // Levels 2 to 11 are wiped in, 330 lines each, even lines first.
    auto lines = media.Of("prim", "BackBuffer");
    int wiped = 0;
    for (const Call& c : lines) wiped += c.Src.Bottom - c.Src.Top == 1;
    EXPECT_EQ(wiped, 10 * 330);
    for (const Call& c : lines) {
        if (c.Src.Bottom - c.Src.Top != 1) continue;
        EXPECT_EQ(c.Src.Top, 0);
        break;
    }
    EXPECT_EQ(media.Count("load", "screen11"), 1);
    EXPECT_EQ(media.Count("load", "screen12"), 0);
}

TEST_F(LevelFlow, AGameAfterAnEndPictureGameDrawsItsLivesRowAndEnergyBarAgain) {
    // The end picture's game left what the next one starts with: two lives, full energy.
    g.Hud.ShownLives = 2;
    g.Hud.ShownEnergy = 100;
    int frames = 0;
    OnPump([&] {
        if (++frames == 30) g.Run.GameOver = True;
    });
    BeginGame(g);
    ASSERT_EQ(g.Player().Lives, 2);
    // After the frame covered them, the first life cell and the full bar are drawn again.
    const Long lifeX = g.Display.PlayAreaX - 1, lifeY = g.Display.PlayAreaY + 349;
    int lifeCells = 0, bars = 0;
    bool framed = false;
    for (const Call& c : media.Calls) {
        if (c.Label == "Tile Draw" && c.Src == BlitRect{0, 0, 640, 480}) framed = true, lifeCells = bars = 0;
        if (c.Label != "Tile Misc Stuff") continue;
        lifeCells += c.Dst.Left == lifeX && c.Dst.Top == lifeY;
        bars += c.Dst.Left == g.Hud.EnergyBarX && c.Dst.Top == g.Hud.EnergyBarY;
    }
    EXPECT_TRUE(framed);
    EXPECT_GE(lifeCells, 1);
    EXPECT_GE(bars, 1);
    EXPECT_EQ(g.Hud.ShownLives, 2);
    EXPECT_EQ(g.Hud.ShownEnergy, 100);
}

TEST_F(LevelFlow, AnEndedScriptStopsItsTickAtAnyValueInEveryBuild) {
    // A boss that outlives the end row for hours: the tick must never pass its limit.
    g.Run.ScriptEnded = True;
    g.Run.ScriptHold = False;
    for (Integer at : {Integer{0}, Integer{INT16_MAX}}) {
        g.Run.ScriptTick = at;
        for (int i = 0; i < 3; ++i) StepLevelScript(g);
        EXPECT_EQ(g.Run.ScriptTick, at);
    }
    // A script still running counts on.
    g.Run.ScriptEnded = False;
    g.Run.ScriptTick = 0;
    g.Run.LevelProgress = 1;
    g.Data.LevelScript[0][g.Run.Level][1] = 1000;
    StepLevelScript(g);
    EXPECT_EQ(g.Run.ScriptTick, 1);
}

TEST_F(LevelFlow, BeginGameReadsTheOptionsAndGivesTheLivesOfTheStartLevel) {
    const std::vector<int> lives{3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 7};
    for (int start = 0; start <= 10; ++start)
        EXPECT_EQ(LivesForStartLevel(ToInteger(start)), lives[static_cast<size_t>(start)]) << start;

    g.Options.FireTrailsOff = true;
    g.Options.LesserCollision = true;
    g.Options.Blekker = true;
    g.Options.RandomGame = true;
    g.Setup.StartLevel = 10;
    g.Display.ScreenWidth = 800;
    g.Display.ScreenHeight = 600;
    int frames = 0;
    OnPump([&] {
        if (++frames > 1000) { ADD_FAILURE() << "runaway"; g.Run.GameOver = True; }
        if (frames == 2) {
            g.Player().Lives = 0;
            LoseLife(g);
        }
    });
    BeginGame(g);
    EXPECT_EQ(g.Flags.EffectsOn, False);
    EXPECT_EQ(g.Flags.CollisionStep, 5);
    EXPECT_EQ(g.Flags.BossDifficulty, 1);
    EXPECT_EQ(g.Flags.RandomGameChosen, True);
    EXPECT_EQ(g.Run.RandomGameActive, False);  // FINAL is always scripted
    EXPECT_EQ(g.Setup.HighestLevelNormal, 10);
    EXPECT_EQ(g.Setup.TypeDataPending, False);
    EXPECT_EQ(g.Types.BulletTypes[1].FireRate, 4);
    EXPECT_EQ(media.Count("menu", "ShowExtroScreens"), 0);  // the run started at FINAL
    EXPECT_EQ(media.Count("menu", "SetupDirectX 800x600"), 1);
    EXPECT_EQ(media.Count("menu", "SetupDirectX 640x480"), 1);
    EXPECT_EQ(media.Count("menu", "ShowUnlockedLevels 1"), 1);
    EXPECT_EQ(g.Display.ScreenOffsetX, 0);  // centred for the desktop again
}

TEST_F(LevelFlow, LevelStartMakesUpItsFirstRows) {
    struct { int level; int pickup; std::string alert; int clips; } cases[] = {
        {1, 0, "enemy01", 1}, {3, 0, "enemy02", 1}, {4, 0, "enemy01", 3}, {6, 60, "enemy01", 1},
        {9, 0, "enemy01", 2}, {10, 52, "enemy01", 3}, {11, 59, "enemy01", 0}};
    for (auto c : cases) {
        FillSmallData(g);
        media.Calls.clear();
        EnterLevel(c.level);
        EXPECT_EQ(g.Run.ScriptHold, True);
        EXPECT_EQ(g.Obj.Planes[20].TypeId, 20) << c.level;
        EXPECT_EQ(g.Obj.Planes[20].X, 624);
        EXPECT_EQ(g.Obj.Planes[20].Y, 50);
        EXPECT_EQ(g.Obj.Planes[19].Active == True, c.pickup != 0) << c.level;
        if (c.pickup) {
            EXPECT_EQ(g.Obj.Planes[19].TypeId, c.pickup);
            EXPECT_EQ(g.Obj.Planes[19].Y, 149);
        }
        EXPECT_EQ(media.Count("load", c.alert + "=55"), 1) << c.level;
        int clips = 0;
        for (const Call& call : media.Calls) clips += call.Label.rfind("zugbos", 0) == 0;
        EXPECT_EQ(clips, c.clips) << c.level;
    }
    EXPECT_EQ(media.Count("load", "zugbos10c=62"), 0);
    FillSmallData(g);
    media.Calls.clear();
    EnterLevel(10);
    EXPECT_EQ(media.Count("load", "zugbos10c=62"), 1);
}

TEST_F(LevelFlow, Row1Spawns30FramesAfterTheLevelStartObjectIsShot) {
    FillSmallData(g);
    WriteScript(g, 2, {{40, 1, 1, 100}});
    EnterLevel(2);
    for (int f = 0; f < 500; ++f) StepLevelScript(g);
    EXPECT_EQ(ActiveObjects(), 1);
    EXPECT_EQ(g.Run.ScriptTick, 0);
    g.Run.ScriptHold = False;
    for (int f = 0; f < 29; ++f) StepLevelScript(g);
    EXPECT_EQ(ActiveObjects(), 1);
    StepLevelScript(g);
    EXPECT_EQ(ActiveObjects(), 2);
    EXPECT_EQ(g.Obj.Planes[19].TypeId, 1);
    EXPECT_EQ(g.Run.LevelProgress, 1);
    for (int f = 0; f < 40; ++f) StepLevelScript(g);
    EXPECT_EQ(g.Run.ScriptEnded, True);
}

TEST_F(LevelFlow, AFullTableRetriesAnEnemyRowAndDropsAPickupRow) {
    FillSmallData(g);
    WriteScript(g, 2, {{5, 1, 1, 100}, {5, 52, 139, 0}, {5, 1, 1, 100}});
    EnterLevel(2);
    g.Run.ScriptHold = False;
    for (int i = 1; i <= 20; ++i) g.Obj.Planes[i].Active = True;
    for (int f = 0; f < 30; ++f) StepLevelScript(g);
    EXPECT_EQ(g.Run.LevelProgress, 0);  // row 1 due, no slot: stepped back
    for (int f = 0; f < 30; ++f) StepLevelScript(g);
    EXPECT_EQ(g.Run.LevelProgress, 0);  // and again after row 0's delay
    g.Obj.Planes[7].Active = 0;
    for (int f = 0; f < 30; ++f) StepLevelScript(g);
    EXPECT_EQ(g.Run.LevelProgress, 1);
    EXPECT_EQ(g.Obj.Planes[7].TypeId, 1);
    for (int f = 0; f < 5; ++f) StepLevelScript(g);
    EXPECT_EQ(g.Run.LevelProgress, 2);  // the pickup row is lost, not retried
    for (int f = 0; f < 5; ++f) StepLevelScript(g);
    EXPECT_EQ(g.Run.LevelProgress, 2);
}

TEST_F(LevelFlow, APickupRowAfterAPlaneComesCentredOnItAndLinked) {
    FillSmallData(g);
    WriteScript(g, 2, {{5, 1, 1, 100}, {5, 52, 1, 110}, {5, 5, 1, 0}, {5, 52, 139, 7}});
    EnterLevel(2);
    g.Run.ScriptHold = False;
    for (int f = 0; f < 30; ++f) StepLevelScript(g);
    const PlaneRecord& plane = g.Obj.Planes[19];
    const PlaneRecord& pickup = g.Obj.Planes[18];
    EXPECT_EQ(pickup.TypeId, 52);
    EXPECT_EQ(pickup.X, 624 + (60 - 20) / 2);
    EXPECT_EQ(pickup.Y, 110);
    EXPECT_EQ(plane.Link, 18);
    EXPECT_EQ(pickup.Link, 19);
    EXPECT_EQ(g.Run.LevelProgress, 2);
    // A boss row; the pickup after it falls in on path 139 and waits its own turn.
    for (int f = 0; f < 5; ++f) StepLevelScript(g);
    EXPECT_EQ(g.Run.LevelProgress, 3);
    EXPECT_EQ(g.Sounds[55], True);
    for (int f = 0; f < 5; ++f) StepLevelScript(g);
    const PlaneRecord& falling = g.Obj.Planes[16];
    EXPECT_EQ(falling.TypeId, 52);
    EXPECT_GE(falling.X, 1);
    EXPECT_LE(falling.X, 601);
    EXPECT_EQ(falling.Link, 0);
    EXPECT_EQ(g.Run.AnchorSlot, 16);
}

TEST_F(LevelFlow, BossRulesOfLevels5And6) {
    FillSmallData(g);
    WriteScript(g, 5, {{5, 5, 1, 0}, {5, 19, 1, 0}});
    EnterLevel(5);
    g.Run.LevelProgress = 1;
    SpawnZorbel(g, 0);
    EXPECT_EQ(g.Sounds[55], False);
    EXPECT_EQ(g.Voice.BossVoiceArmed, False);
    g.Run.LevelProgress = 2;
    SpawnZorbel(g, 0);
    EXPECT_EQ(g.Sounds[55], True);
    EXPECT_EQ(g.Voice.BossVoiceDelay, 25);

    WriteScript(g, 6, {{5, 5, 1, 0}});
    EnterLevel(6);
    g.Ice.FrozenTimer = 100;
    g.Run.LevelProgress = 1;
    SpawnZorbel(g, 0);
    EXPECT_EQ(g.Ice.FrozenTimer, 0);
    EXPECT_EQ(g.Sounds[55], False);
}

TEST_F(LevelFlow, SpawnJumperKeepsOffSlots18To20AndATypeZeroRowShowsThreeBoxes) {
    FillSmallData(g);
    EnterLevel(1);
    SpawnJumper(g, 1, 1, 23, 100);
    EXPECT_EQ(g.Obj.Planes[17].Active, True);
    EXPECT_EQ(g.Obj.Planes[17].X, 524);
    EXPECT_EQ(g.Run.AnchorSlot, 17);
    for (int i = 1; i <= 17; ++i) g.Obj.Planes[i].Active = True;
    SpawnJumper(g, 1, 1, 23, 100);
    EXPECT_EQ(g.Obj.Planes[18].Active, 0);

    WriteScript(g, 1, {{5, 3, 1, -7}});
    g.Run.LevelProgress = 1;
    for (int i = 1; i <= 20; ++i) g.Obj.Planes[i].Active = 0;
    SpawnZorbel(g, 0);
    auto boxes = media.Of("box", "ERROR:  Zorbel initiated with type 0");
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(media.Count("box", "Level is 1 and levelprogress = 1"), 1);
    EXPECT_EQ(media.Count("box", "type, nav, and curtop are 3 & 1 & -7"), 1);
    EXPECT_EQ(g.Obj.Planes[20].Active, True);
}

TEST_F(LevelFlow, ANewPlaneGetsTheBasicWeaponNoItemsAndALockedEject) {
    FillSmallData(g);
    InitBulletTypes(g.Types);
    EnterLevel(3);
    PlaneRecord& p = g.Player();
    p.Lives = 2;
    p.X = 300, p.Y = 20, p.Dying = True, p.HitPoints = -40, p.Frame = 9;
    p.GunBullet[1] = 7, p.FireChance[1] = 1, p.GunX[1] = 0, p.PlayerGunCount = 3;
    p.MaxSpeed = 4, p.SpeedX = 0, p.SpeedY = 0, p.Link = 0, p.HasCollided = True;
    g.Obj.Planes[12].HasCollided = True;
    g.Controls.Items[1] = 3, g.Controls.Items[2] = 1, g.Controls.ItemCount = 2;
    LoseLife(g);
    EXPECT_EQ(p.Lives, 1);
    EXPECT_EQ(p.X, -120);
    EXPECT_EQ(p.Y, 136);
    EXPECT_EQ(p.Dying, False);
    EXPECT_EQ(p.HitPoints, 100);
    EXPECT_EQ(p.Frame, 3);
    EXPECT_EQ(p.GunBullet[1], 1);
    EXPECT_EQ(p.FireChance[1], g.Types.BulletTypes[1].FireRate);
    EXPECT_EQ(p.GunX[1], 80 - g.Types.BulletTypes[1].Width);
    EXPECT_EQ(p.PlayerGunCount, g.Types.BulletTypes[1].PlayerGuns);
    EXPECT_EQ(p.MaxSpeed, 10);
    EXPECT_EQ(p.SpeedX, 10);
    EXPECT_EQ(p.SpeedY, 10);
    EXPECT_EQ(p.Link, 1);
    EXPECT_EQ(p.HasCollided, False);
    EXPECT_EQ(g.Obj.Planes[12].HasCollided, False);
    EXPECT_EQ(g.Controls.ItemCount, 0);
    EXPECT_EQ(g.Controls.Items[1], 0);
    EXPECT_EQ(g.Controls.Items[2], 0);
    EXPECT_EQ(p.Active, False);  // the fly-in sets it
    EXPECT_EQ(g.Run.GameOverCountdown, 0);
}

TEST_F(LevelFlow, ALevelStartResetsTheLevelButThePlaneKeepsWeaponItemsLivesAndTopSpeed) {
    FillSmallData(g);
    g.Flags.RandomGameChosen = True;
    EnterLevel(3);
    LevelState& run = g.Run;
    run.LevelProgress = 9, run.ScriptTick = 4, run.ScriptEnded = True, run.ScriptHold = False;
    run.LevelComplete = True, run.GameOverCountdown = 5;
    run.RandomGroupLeft = 3, run.RandomGroupStyle = 2, run.RandomSpawnCount = 50;
    g.Ice.FreezeTimer = 3, g.Ice.FrozenTimer = 7, g.Ice.ThawTimer = 2;
    g.Controls.ManoeuvreCounter = 8;
    g.Voice.VoiceCooldown = 0, g.Voice.BossVoiceArmed = True;
    g.Voice.VoiceCue1Played = g.Voice.VoiceCue2Played = True;
    g.Voice.PartTakeoverDone = g.Voice.BossShieldDown = True;
    PlaneRecord& p = g.Player();
    p.Active = True, p.X = 700, p.Y = 20, p.Dying = True, p.HitPoints = 12, p.Link = 0, p.Frame = 7;
    p.GunBullet[1] = 4, p.MaxSpeed = 14, p.Lives = 5;
    g.Controls.Items[1] = 3, g.Controls.ItemCount = 1;
    g.Obj.Planes[5].Active = True, g.Obj.Planes[5].TypeId = 1;
    g.Obj.Bullets[70].Active = True;
    g.Obj.Effects[10].Active = True;
    run.FrameTimeMs = 35;

    StartNextLevel(g);

    EXPECT_EQ(run.Level, 4);
    EXPECT_EQ(run.LevelProgress, 0);
    EXPECT_EQ(run.ScriptTick, 0);
    EXPECT_EQ(run.ScriptEnded, False);
    EXPECT_EQ(run.ScriptHold, True);
    EXPECT_EQ(run.LevelComplete, False);
    EXPECT_EQ(run.GameOverCountdown, 0);
    EXPECT_EQ(run.RandomGameActive, True);
    EXPECT_EQ(run.RandomSpawnQuota, 180);
    EXPECT_EQ(run.RandomGroupLeft, 0);
    EXPECT_EQ(run.RandomGroupStyle, 0);
    EXPECT_EQ(run.RandomSpawnCount, 0);
    EXPECT_EQ(run.FrameTimeMs, 35);
    EXPECT_EQ(g.Ice.FreezeTimer + g.Ice.FrozenTimer + g.Ice.ThawTimer, 0);
    EXPECT_EQ(g.Controls.ManoeuvreCounter, 0);
    EXPECT_EQ(g.Voice.VoiceCooldown, 40);
    EXPECT_EQ(g.Voice.BossVoiceArmed, False);
    EXPECT_EQ(g.Voice.VoiceCue1Played | g.Voice.VoiceCue2Played, False);
    EXPECT_EQ(g.Voice.PartTakeoverDone | g.Voice.BossShieldDown, False);
    EXPECT_EQ(p.Active, False);
    EXPECT_EQ(p.X, -120);
    EXPECT_EQ(p.Y, 136);
    EXPECT_EQ(p.Dying, False);
    EXPECT_EQ(p.HitPoints, 100);
    EXPECT_EQ(p.Link, 1);
    EXPECT_EQ(p.Frame, 3);
    EXPECT_EQ(p.GunBullet[1], 4);
    EXPECT_EQ(p.MaxSpeed, 14);
    EXPECT_EQ(p.Lives, 5);
    EXPECT_EQ(g.Controls.ItemCount, 1);
    EXPECT_EQ(g.Controls.Items[1], 3);
    EXPECT_EQ(g.Obj.Bullets[70].Active, False);
    EXPECT_EQ(g.Obj.Effects[10].Active, False);
    EXPECT_EQ(g.Obj.Planes[5].Active, 0);
    EXPECT_EQ(g.Obj.Planes[20].TypeId, 20);  // the level-start object, nothing else
    EXPECT_EQ(ActiveObjects(), 1);
}

TEST_F(LevelFlow, LaterLevelsAreWipedInEvenLinesFirstTwoMillisecondsALine) {
    FillSmallData(g);
    EnterLevel(1);
    media.Calls.clear();
    g.Run.FrameTimeMs = 35;
    const uint32_t t0 = media.Now;
    StartNextLevel(g);
    std::vector<int> tops, want;
    for (const Call& c : media.Of("prim", "BackBuffer")) {
        ASSERT_EQ(c.Src.Bottom - c.Src.Top, 1);
        EXPECT_EQ(c.Src.Left, 0);
        EXPECT_EQ(c.Src.Right, 612);
        EXPECT_EQ(c.Dst, (BlitRect{14, 75 + c.Src.Top, 626, 76 + c.Src.Top}));
        tops.push_back(c.Src.Top);
    }
    for (int line = 0; line <= 328; line += 2) want.push_back(line);
    for (int line = 1; line <= 329; line += 2) want.push_back(line);
    EXPECT_EQ(tops, want);
    // Each line waits until the counter is more than 1 ms past its start.
    EXPECT_EQ(media.Now - t0, 330u * 2);
    EXPECT_EQ(g.Run.FrameTimeMs, 35);
}

TEST_F(LevelFlow, ReachingALevelUnlocksItForItsOwnGameTypeAndFinalForTheNormalGame) {
    FillSmallData(g);
    g.Flags.RandomGameChosen = True;
    EnterLevel(10);
    EXPECT_EQ(g.Setup.HighestLevelRandom, 9);
    EXPECT_EQ(g.Setup.HighestLevelNormal, 0);
    g.Setup.StartLevel = 0;
    StartNextLevel(g);  // FINAL is scripted even in a random game
    EXPECT_EQ(g.Run.Level, 11);
    EXPECT_EQ(g.Setup.HighestLevelRandom, 9);
    EXPECT_EQ(g.Setup.HighestLevelNormal, 10);

    // Reaching a level never lowers what was unlocked before.
    g.Flags.RandomGameChosen = False;
    g.Setup.HighestLevelNormal = 2;
    EnterLevel(5);
    EXPECT_EQ(g.Setup.HighestLevelNormal, 4);
    g.Setup.HighestLevelNormal = 7;
    EnterLevel(5);
    EXPECT_EQ(g.Setup.HighestLevelNormal, 7);
    EXPECT_EQ(g.Setup.HighestLevelRandom, 9);
}

TEST_F(LevelFlow, TheOutroIsFollowedByAFreshFrameAndHudBeforeFinalLoads) {
    FillSmallData(g);
    EnterLevel(10);
    g.Setup.StartLevel = 0;
    g.Player().HitPoints = 100;
    g.Player().Lives = 3;
    g.Hud.ShownLives = 3;
    g.Hud.ShownEnergy = 100;
    media.Calls.clear();
    StartNextLevel(g);
    size_t outro = 0, frame = 0, hud = 0, background = 0;
    for (size_t i = 0; i < media.Calls.size(); ++i) {
        const Call& c = media.Calls[i];
        if (c.Label == "ShowExtroScreens") outro = i + 1;
        if (c.Label == "Tile Draw" && !frame) frame = i + 1;
        if (c.Label == "Tile Misc Stuff" && !hud) hud = i + 1;
        if (c.Label == "screen11") background = i + 1;
    }
    ASSERT_GT(outro, 0u);
    EXPECT_GT(frame, outro);
    EXPECT_GT(hud, frame);  // the lives row and energy bar are redrawn although unchanged
    EXPECT_GT(background, hud);
    EXPECT_EQ(g.Hud.ShownLives, 3);
}

TEST_F(LevelFlow, WithSoundOffNoClipIsLoadedOrReleased) {
    FillSmallData(g);
    media.SoundReady = false;
    media.Calls.clear();
    EnterLevel(4);
    int loads = 0;
    for (const Call& c : media.Calls) loads += c.What == "load" && c.Label != "screen04";
    EXPECT_EQ(loads, 0);
    EXPECT_EQ(media.Count("load", "screen04"), 1);

    media.SoundReady = true;
    media.Calls.clear();
    EnterLevel(4);
    std::vector<std::string> want{"screen04", "release 61", "release 62", "zugbos04a=60",
                                  "zugbos04b=61", "zugbos04c=62", "enemy01=55"};
    std::vector<std::string> seen;
    for (const Call& c : media.Calls)
        if (c.What == "load") seen.push_back(c.Label);
    EXPECT_EQ(seen, want);
}

TEST_F(LevelFlow, BossRulesOfTheOtherLevels) {
    FillSmallData(g);
    for (int t : {28, 37, 43, 46}) MakeBoss(t);
    MakeBoss(5);
    auto fresh = [&] {
        g.Sounds = SoundRequests{};
        g.Voice = Voices{};
    };

    // Level 4: cue 2 only after cue 1; cue 1 needs y 310 exactly.
    EnterLevel(4);
    fresh();
    SpawnRow(5, 1, 311);
    EXPECT_EQ(g.Sounds[62], False);
    EXPECT_EQ(g.Sounds[55], True);
    EXPECT_EQ(g.Voice.BossVoiceDelay, 25);
    SpawnRow(5, 1, 309);
    EXPECT_EQ(g.Sounds[61], False);
    SpawnRow(5, 1, 310);
    EXPECT_EQ(g.Sounds[61], True);
    EXPECT_EQ(g.Voice.VoiceCooldown, 80);
    EXPECT_EQ(g.Sounds[62], False);  // not in the same spawn
    SpawnRow(5, 1, 311);
    EXPECT_EQ(g.Sounds[62], True);
    EXPECT_EQ(g.Voice.VoiceCooldown, 20);
    EXPECT_EQ(g.Voice.VoiceCue2Played, True);

    // Level 9: only type 43 keeps its alert; type 46 speaks.
    EnterLevel(9);
    fresh();
    SpawnRow(5, 1, 100);
    EXPECT_EQ(g.Sounds[55], False);
    EXPECT_EQ(g.Voice.BossVoiceArmed, True);  // the voice is armed all the same
    SpawnRow(43, 1, 100);
    EXPECT_EQ(g.Sounds[55], True);
    fresh();
    SpawnRow(46, 1, 100);
    EXPECT_EQ(g.Sounds[55], False);
    EXPECT_EQ(g.Sounds[61], True);
    EXPECT_EQ(g.Voice.VoiceCooldown, 160);

    // FINAL: no boss voice; stage 11 halves every boss's fire, stage 12 only type 37's and
    // silences it, stage 13 slows types 28 to 31 on their first gun and silences type 46.
    g.Setup.StartLevel = 10;
    EnterLevel(11);
    fresh();
    PlaneRecord& b11 = SpawnRow(5, 1, 100);
    EXPECT_EQ(g.Sounds[55], True);
    EXPECT_EQ(g.Voice.BossVoiceArmed, False);
    EXPECT_EQ(g.Voice.BossVoiceDelay, 0);
    EXPECT_EQ(b11.FireChance[1], 20);
    EXPECT_EQ(b11.FireChance[2], 40);
    g.Run.Level = 12;
    PlaneRecord& b12 = SpawnRow(5, 1, 100);
    EXPECT_EQ(b12.FireChance[1], 10);
    EXPECT_EQ(g.Sounds[55], True);
    PlaneRecord& b37 = SpawnRow(37, 1, 100);
    EXPECT_EQ(b37.FireChance[1], 30);
    EXPECT_EQ(b37.FireChance[2], 60);
    EXPECT_EQ(g.Sounds[55], False);
    g.Run.Level = 13;
    PlaneRecord& b28 = SpawnRow(28, 1, 100);
    EXPECT_EQ(b28.FireChance[1], 30);
    EXPECT_EQ(b28.FireChance[2], 20);
    EXPECT_EQ(g.Sounds[55], True);
    SpawnRow(46, 1, 100);
    EXPECT_EQ(g.Sounds[55], False);
    EXPECT_EQ(g.Voice.BossVoiceArmed, False);
}

TEST_F(LevelFlow, CentringNeverStartsAPickupLeftOfItsCarrierAndFallingEntriesStayInTheirBand) {
    FillSmallData(g);
    // A pickup wider than its carrier starts at the carrier's left edge.
    g.Types.PlaneTypes[52].Width = 90;
    WriteScript(g, 2, {{5, 1, 1, 100}, {5, 52, 1, 110}});
    EnterLevel(2);
    g.Run.ScriptHold = False;
    for (int f = 0; f < 30; ++f) StepLevelScript(g);
    EXPECT_EQ(g.Obj.Planes[18].TypeId, 52);
    EXPECT_EQ(g.Obj.Planes[18].X, 624);

    // Falling entries: x from 1 to 601 below FINAL, 1 to 201 on its stages; the y stays.
    for (int level : {2, 11, 13}) {
        g.Run.Level = ToInteger(level);
        int lo = 1000, hi = -1000;
        for (int k = 0; k < 10000; ++k) {
            const PlaneRecord& r = SpawnRow(1, k % 2 ? 139 : 152, -40);
            lo = std::min<int>(lo, r.X);
            hi = std::max<int>(hi, r.X);
            ASSERT_EQ(r.Y, -40);
        }
        EXPECT_EQ(lo, 1) << level;
        EXPECT_EQ(hi, level < 11 ? 601 : 201) << level;
    }
}

TEST_F(LevelFlow, JumpersOfType44GetADeathSoundAndFireLessOnTheLastStage) {
    FillSmallData(g);
    MakeBoss(44);
    g.Types.PlaneTypes[44].IsBoss = False;
    EnterLevel(1);
    std::set<int> sounds;
    for (int k = 0; k < 200; ++k) {
        for (int i = 1; i <= 20; ++i) g.Obj.Planes[i].Active = 0;
        SpawnJumper(g, 44, 2, 23, 0);
        sounds.insert(g.Obj.Planes[17].DeathSound);
        EXPECT_EQ(g.Obj.Planes[17].FireChance[1], 10);
    }
    EXPECT_EQ(sounds, (std::set<int>{38, 39}));
    const PlaneRecord& j = g.Obj.Planes[17];
    EXPECT_EQ(j.PathId, 2);
    EXPECT_EQ(j.PathStep, 1);
    EXPECT_EQ(j.AnimId, 1);
    EXPECT_EQ(j.Y, 23);
    g.Run.Level = 13;
    for (int i = 1; i <= 20; ++i) g.Obj.Planes[i].Active = 0;
    SpawnJumper(g, 44, 2, 23, 0);
    EXPECT_EQ(g.Obj.Planes[17].FireChance[1], 30);
    EXPECT_EQ(g.Obj.Planes[17].FireChance[2], 20);
}

TEST_F(LevelFlow, AGameInTheDesktopModeChangesNoModeAndTheTypeTablesAreBuiltOnce) {
    int frames = 0;
    OnPump([&] {
        if (++frames > 1000) { ADD_FAILURE() << "runaway"; g.Run.GameOver = True; }
        if (g.Run.GameOverCountdown == 0 && g.Player().Lives >= 0) {
            g.Player().Lives = 0;
            LoseLife(g);
        }
    });
    BeginGame(g);
    EXPECT_EQ(media.Count("menu", "ReleaseDirectDraw"), 0);
    EXPECT_EQ(media.Count("menu", "SetupDirectX 640x480"), 0);
    EXPECT_EQ(media.Count("menu", "ShowUnlockedLevels 0"), 1);
    // The type tables survive into the next game; the game data is parsed again.
    g.Types.BulletTypes[1].FireRate = 77;
    BeginGame(g);
    EXPECT_EQ(g.Types.BulletTypes[1].FireRate, 77);
    EXPECT_EQ(media.Count("menu", "LoadGameData"), 2);
    EXPECT_EQ(media.Count("menu", "ShowMenu 1"), 2);
}

}  // namespace
