// Game run, level flow and level-script spawning.
#include "WorldTestSupport.h"

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

TEST_F(LevelFlow, BeginGameReadsTheOptionsAndGivesTheLivesOfTheStartLevel) {
    struct { int start; Integer lives; } cases[] = {{0, 3}, {4, 5}, {10, 7}};
    for (auto c : cases) EXPECT_EQ(LivesForStartLevel(ToInteger(c.start)), c.lives);

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

}  // namespace
