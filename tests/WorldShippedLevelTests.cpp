// Every level script of the shipped game data, in both boss difficulties, stepped from the level
// start to its end group: each row comes at its delay and is spawned, retried (an enemy row that
// finds no free slot) or dropped (a pickup row that finds none), with no error and no message.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "RecordingPort.h"
#include "data/TypeTemplates.h"
#include "frontend/LiveMedia.h"
#include "world/World.h"

using namespace gorb;
using gorb::test::RecordingPort;

namespace {

struct LevelCase {
    int Level;
    Integer BossDifficulty;
};

std::string Name(const ::testing::TestParamInfo<LevelCase>& info) {
    return "Level" + std::to_string(info.param.Level) + (info.param.BossDifficulty == 1 ? "Blekker" : "Blek");
}

std::vector<LevelCase> AllLevels() {
    std::vector<LevelCase> out;
    for (int l = 1; l <= 13; ++l)
        for (Integer d : {Integer(0), Integer(1)}) out.push_back({l, d});
    return out;
}

class ShippedLevel : public ::testing::TestWithParam<LevelCase> {
protected:
    void SetUp() override {
        g.Random.RandomizeWith(777);
        // The program's own string table for game data; nothing recorded but the boxes.
        media.Record = false;
        media.OnLoadGameData = [this](Game& gg) {
            DataStopHooks hooks;
            hooks.MessageBox = [this](const std::string& t) { media.Boxes.push_back(t); };
            hooks.UnloadMainForm = [this] { ++unloads; };
            LoadStringTableGameData(gg, hooks);
        };
        g.Media = &media;
        g.Flags.BossDifficulty = GetParam().BossDifficulty;
        InitPlaneTypes(g.Types);
        InitBulletTypes(g.Types);
        InitEffectTypes(g.Types);
        g.Setup.TypeDataPending = False;
        media.LoadGameData(g);
    }

    Integer Row(int component, int row) const { return g.Data.LevelScript.at(component).at(g.Run.Level).at(row); }
    bool IsCarriedPickup(int row) const {
        const Integer t = Row(1, row), p = Row(2, row);
        return t >= 52 && t != 99 && p != 139 && p != 151;
    }
    int ActiveCount() const {
        int n = 0;
        for (int i = 1; i <= 20; ++i) n += g.Obj.Planes[i].Active != 0;
        return n;
    }
    std::string Table() const {
        std::ostringstream s;
        for (int i = 1; i <= 20; ++i) {
            const PlaneRecord& r = g.Obj.Planes[i];
            if (r.Active != 0) s << r.TypeId << "@(" << r.X << "," << r.Y << ") path " << r.PathId << "; ";
        }
        return s.str();
    }

    std::unique_ptr<Game> owned = std::make_unique<Game>();
    Game& g = *owned;
    RecordingPort media;
    int unloads = 0;
};

}  // namespace

TEST_P(ShippedLevel, ScriptRunsToItsEndGroup) {
    const int level = GetParam().Level;
    ASSERT_TRUE(media.Boxes.empty()) << media.Boxes.front();
    ASSERT_EQ(unloads, 0);

    // The level start as a run reaches it: levels 1 to 11 through StartNextLevel, whose
    // level-start object holds the script; the second and third stages of FINAL start their own
    // scripts in place when the previous stage's targets are gone.
    g.Player().Width = 80;
    g.Player().Height = 64;
    g.Run.Level = ToInteger(std::min(level, 11) - 1);
    g.Setup.StartLevel = g.Run.Level;
    g.Run.FirstLevelOfRun = True;
    StartNextLevel(g);
    g.Run.FirstLevelOfRun = False;
    int holdFrames = 10;  // the level-start object is shot this many frames in
    if (level > 11) {
        ClearObjectTables(g);
        g.Run.ScriptHold = False;
        g.Run.Level = ToInteger(level);
        g.Run.LevelProgress = 0;
        g.Run.ScriptTick = 0;
        g.Run.ScriptEnded = False;
        holdFrames = 0;
    }
    ASSERT_EQ(g.Run.Level, level);
    // This run is about the script; bosses that fly off must not end the level under it.
    g.Data.MissionTargets[level] = 30000;

    int endRow = 1;
    while (Row(1, endRow) != 99) ++endRow;
    std::map<int, int> spawnedRows;  // row -> times spawned
    int retries = 0, dropped = 0;
    int lastStep = holdFrames - 1;  // the frame before the script clock started

    int frame = 0;
    for (; frame < 200000 && g.Run.ScriptEnded == False; ++frame) {
        if (frame == holdFrames && level <= 11) {
            // The level-start object is shot: it flies off alive and the script clock runs.
            int start = 0;
            for (int i = 1; i <= 20; ++i)
                if (g.Obj.Planes[i].Active != 0 && g.Obj.Planes[i].TypeId == 20) start = i;
            ASSERT_NE(start, 0);
            KillObject(g, ToInteger(start));
            ASSERT_EQ(g.Run.ScriptHold, False);
        }

        const int before = g.Run.LevelProgress;
        const Integer delay = Row(0, before);
        const int activeBefore = ActiveCount();
        std::array<bool, 21> was{};
        for (int i = 1; i <= 20; ++i) was[i] = g.Obj.Planes[i].Active != 0;

        if (g.Ice.FrozenTimer != 0) {
            g.Ice.FrozenTimer = ToInteger(g.Ice.FrozenTimer - 1);
        } else {
            ASSERT_NO_THROW(StepLevelScript(g)) << "row " << before + 1;
        }

        std::vector<Integer> fresh;
        for (int i = 1; i <= 20; ++i)
            if (!was[i] && g.Obj.Planes[i].Active != 0) fresh.push_back(g.Obj.Planes[i].TypeId);
        const int after = g.Run.LevelProgress;
        const bool stepped = after != before || !fresh.empty() || g.Run.ScriptEnded == True ||
                             (g.Run.ScriptTick == 0 && g.Run.ScriptHold == False && frame > lastStep);
        if (stepped) {
            SCOPED_TRACE("level " + std::to_string(level) + " frame " + std::to_string(frame) + " row " +
                         std::to_string(before + 1));
            // Each row comes the previous row's delay after the previous step.
            EXPECT_EQ(frame - lastStep, delay);
            lastStep = frame;
            if (after == before) {
                // Retried: an enemy row with every slot taken.
                EXPECT_TRUE(fresh.empty());
                EXPECT_EQ(activeBefore, 20) << Table();
                EXPECT_LT(Row(1, before + 1), 52);
                ++retries;
            } else {
                std::vector<Integer> want;
                int free = 20 - activeBefore;
                for (int row = before + 1; row <= after; ++row) {
                    const Integer type = Row(1, row);
                    if (type == 99) {
                        EXPECT_EQ(row, endRow);
                        continue;
                    }
                    if (free > 0) {
                        want.push_back(type);
                        ++spawnedRows[row];
                        --free;
                    } else {
                        EXPECT_GE(type, 52) << "an enemy row was lost, not retried";
                        ++dropped;
                    }
                }
                std::sort(want.begin(), want.end());
                std::sort(fresh.begin(), fresh.end());
                EXPECT_EQ(fresh, want);
                // A carried pickup comes in the same frame as its carrier.
                if (after == before + 1 && Row(1, after) != 99 && spawnedRows.count(after) != 0) {
                    EXPECT_FALSE(IsCarriedPickup(after + 1)) << "pickup row " << after + 1 << " left behind";
                }
                if (after == before + 2) {
                    EXPECT_TRUE(IsCarriedPickup(after));
                }
                EXPECT_LE(after, before + 2);
            }
        }

        UpdateZorbels(g);
        UpdateBullets(g);
        UpdateEffects(g);
        media.PlayQueuedSounds(g.Sounds, 1, 96);
        if (HasFailure()) break;  // one broken row says enough
    }

    EXPECT_EQ(g.Run.ScriptEnded, True) << "stalled at row " << g.Run.LevelProgress + 1 << " after " << frame
                                       << " frames; objects: " << Table();
    EXPECT_EQ(g.Run.LevelProgress, endRow);
    EXPECT_TRUE(media.Boxes.empty()) << media.Boxes.front();
    // Every enemy row was spawned, once.
    for (int row = 1; row < endRow; ++row) {
        if (Row(1, row) >= 52) continue;
        EXPECT_EQ(spawnedRows[row], 1) << "row " << row << " type " << Row(1, row);
    }
    RecordProperty("frames", frame);
    RecordProperty("spawned", static_cast<int>(spawnedRows.size()));
    RecordProperty("retries", retries);
    RecordProperty("dropped", dropped);
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, ShippedLevel, ::testing::ValuesIn(AllLevels()), Name);
