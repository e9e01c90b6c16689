// The random game's spawner: rows from the pools, formations, carried pickups, the quota and
// the hand-over to the boss part of the script, and pools that are empty or used up.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <tuple>

#include "WorldTestSupport.h"
#include "data/GameDataLoader.h"
#include "data/TypeTemplates.h"
#include "platform/Resources.h"

using namespace gorb;
using namespace gorb::test;

namespace {

struct Spawned {
    int Frame = 0;
    Integer Type = 0, Path = 0, Y = 0, X = 0, Link = 0;
    bool HasPickup = false;
    Integer PickupType = 0, PickupPath = 0, PickupY = 0, PickupX = 0, PickupLink = 0;
    Integer LeftBefore = 0, LeftAfter = 0, StyleAfter = 0;
};

class RandomGame : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        FillSmallData(g);
        auto make = [&](int type, Long w, Long h) {
            PlaneRecord& r = g.Types.PlaneTypes[type];
            r = g.Types.PlaneTypes[1];
            r.TypeId = ToInteger(type);
            r.Width = w;
            r.Height = h;
        };
        make(7, 50, 55);   // swarms and stacks
        make(12, 60, 40);  // never carries
        make(21, 40, 30);  // never stacks, never carries
        make(41, 24, 20);  // never carries; its formations are quick
        make(56, 20, 20);
        make(58, 26, 20);
        make(62, 20, 20);
        g.Flags.RandomGameChosen = True;
    }

    void TypePool(int level, std::vector<int> types) { Fill(g.Data.LevelTypePool[level], g.Data.LevelTypePoolCount[level], types); }
    void PathPool(int type, std::vector<int> paths) { Fill(g.Data.TypePathPool[type], g.Data.TypePathPoolCount[type], paths); }
    void PickupPool(int level, std::vector<int> types) { Fill(g.Data.LevelPickupPool[level], g.Data.LevelPickupPoolCount[level], types); }
    template <size_t N>
    static void Fill(std::array<Integer, N>& pool, Integer& count, const std::vector<int>& values) {
        pool.fill(0);
        for (size_t k = 0; k < values.size(); ++k) pool[k + 1] = ToInteger(values[k]);
        count = ToInteger(static_cast<int>(values.size()));
    }

    // Enters the level, shoots the level-start object and empties the table.
    void Start(int level, Integer quota = 0) {
        EnterLevel(level);
        ClearSlots();
        g.Run.ScriptHold = False;
        if (quota) g.Run.RandomSpawnQuota = quota;
    }
    void ClearSlots() {
        for (int i = 1; i <= 20; ++i) g.Obj.Planes[i] = PlaneRecord{};
    }

    // Runs the random stepper frame by frame until `spawns` spawns have been counted or the
    // level goes back to its script, emptying the table after each frame so nothing is lost.
    std::vector<Spawned> Run(int spawns) {
        std::vector<Spawned> out;
        for (int frame = 1; g.Run.RandomGameActive == True && g.Run.RandomSpawnCount < spawns; ++frame) {
            if (frame > 2000000) {
                ADD_FAILURE() << "runaway";
                break;
            }
            const Integer countBefore = g.Run.RandomSpawnCount;
            const Integer leftBefore = g.Run.RandomGroupLeft;
            StepRandomScript(g);
            if (g.Run.RandomSpawnCount != countBefore) {
                Spawned s;
                s.Frame = frame;
                const PlaneRecord& p = g.Obj.Planes[20];
                if (p.Active == True) {
                    s.Type = p.TypeId, s.Path = p.PathId, s.Y = p.Y, s.X = p.X, s.Link = p.Link;
                }
                const PlaneRecord& q = g.Obj.Planes[19];
                if (q.Active == True) {
                    s.HasPickup = true;
                    s.PickupType = q.TypeId, s.PickupPath = q.PathId, s.PickupY = q.Y, s.PickupX = q.X;
                    s.PickupLink = q.Link;
                }
                s.LeftBefore = leftBefore;
                s.LeftAfter = g.Run.RandomGroupLeft;
                s.StyleAfter = g.Run.RandomGroupStyle;
                out.push_back(s);
            }
            ClearSlots();
        }
        return out;
    }

    Long WidthOf(int type) const { return g.Types.PlaneTypes[type].Width; }
    Long HeightOf(int type) const { return g.Types.PlaneTypes[type].Height; }
};

bool In(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

// A long run checks every row against the pools and every formation against its style's rules.
class RandomGameLongRun : public RandomGame, public ::testing::WithParamInterface<int> {};

TEST_P(RandomGameLongRun, RowsFollowThePoolsAndFormationsFollowTheirStyles) {
    const int level = GetParam();
    const std::vector<int> types{1, 1, 7, 21, 41, 12};
    const std::map<int, std::vector<int>> paths{{1, {1, 2, 3}}, {7, {1, 2}}, {21, {3}}, {41, {1, 2}}, {12, {2}}};
    TypePool(level, types);
    for (const auto& [t, p] : paths) PathPool(t, p);
    PickupPool(level, {56, 58, 58, 62});
    Start(level, 6000);
    const auto seen = Run(6000);
    ASSERT_EQ(seen.size(), 6000u);

    std::map<int, int> pickups;
    for (const Spawned& s : seen) {
        ASSERT_TRUE(In(types, s.Type)) << s.Type;  // also: no plane was lost
        EXPECT_TRUE(In(paths.at(s.Type), s.Path));
        EXPECT_EQ(s.X, 624);
        if (!s.HasPickup) continue;
        ++pickups[s.PickupType];
        EXPECT_FALSE(s.Type == 12 || s.Type == 21 || s.Type == 41) << s.Type;
        EXPECT_EQ(s.PickupPath, s.Path);
        EXPECT_EQ(s.PickupY, s.Y + 37 + (s.Type == 1 ? -5 : 0));
        EXPECT_EQ(s.PickupX, 624 + std::labs(WidthOf(s.Type) - WidthOf(s.PickupType)) / 2);
        EXPECT_EQ(s.PickupLink, 20);
        EXPECT_EQ(s.Link, 19);
    }
    EXPECT_GT(pickups[56], 0);
    EXPECT_GT(pickups[58], pickups[56]);
    EXPECT_EQ(pickups[62], 1);  // one extra life per level and game from the pool
    EXPECT_EQ(g.Data.LevelPickupPoolCount[level], 3);

    std::set<int> singleGaps, styles;
    std::set<int> expectedSingleGaps{80};
    for (int d = 12 - level; d <= 41 - level; ++d) expectedSingleGaps.insert(d);
    size_t i = 0;
    while (i + 1 < seen.size()) {
        const Spawned& first = seen[i];
        ASSERT_EQ(first.LeftBefore, 0);
        if (first.LeftAfter == 0) {
            singleGaps.insert(seen[i + 1].Frame - first.Frame);
            ++i;
            continue;
        }
        const int style = first.StyleAfter;
        const size_t n = static_cast<size_t>(first.LeftAfter) + 1;
        if (i + n >= seen.size()) break;
        styles.insert(style);
        const int t = first.Type;
        SCOPED_TRACE("style " + std::to_string(style) + " type " + std::to_string(t) + " at spawn " + std::to_string(i));
        std::vector<int> gaps, ys, ps;
        for (size_t j = i; j < i + n; ++j) {
            EXPECT_EQ(seen[j].Type, t);
            ys.push_back(seen[j].Y);
            ps.push_back(seen[j].Path);
            if (j + 1 < i + n) gaps.push_back(seen[j + 1].Frame - seen[j].Frame);
        }
        const bool samePath = std::all_of(ps.begin(), ps.end(), [&](int p) { return p == ps[0]; });
        const bool sameGaps = std::all_of(gaps.begin(), gaps.end(), [&](int d) { return d == gaps[0]; });
        if (t == 41) {
            EXPECT_TRUE(sameGaps);
            EXPECT_GE(gaps[0], 1);
            EXPECT_LE(gaps[0], 5);
        }
        switch (style) {
            case 1:
            case 2:
                EXPECT_GE(n, 4u);
                EXPECT_LE(n, 8u);
                EXPECT_TRUE(std::all_of(ys.begin(), ys.end(), [&](int y) { return y == ys[0]; }));
                if (style == 1) { EXPECT_TRUE(samePath); }
                EXPECT_TRUE(sameGaps);
                if (t != 41) {
                    EXPECT_GE(gaps[0], 10);
                    EXPECT_LE(gaps[0], 19);
                }
                break;
            case 3: {
                EXPECT_TRUE(t == 1 || t == 7);
                EXPECT_GE(n, 15u);
                EXPECT_LE(n, 20u);
                for (size_t k = 0; k < gaps.size(); ++k) EXPECT_EQ(gaps[k], std::max(30 - 2 * static_cast<int>(k), 4));
                EXPECT_FALSE(std::all_of(ys.begin(), ys.end(), [&](int y) { return y == ys[0]; }));
                break;
            }
            case 4:
            case 5:
                EXPECT_NE(t, 21);
                EXPECT_EQ(static_cast<Long>(n), 350 / HeightOf(t));
                for (size_t k = 1; k < n; ++k) EXPECT_EQ(ys[k], static_cast<int>(HeightOf(t) * (k - 1)));
                if (style == 4) { EXPECT_TRUE(samePath); }
                if (t != 41) { EXPECT_EQ(gaps, std::vector<int>(gaps.size(), 1)); }
                break;
            default:
                ADD_FAILURE() << "style " << style;
        }
        i += n;
    }
    EXPECT_EQ(styles, (std::set<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(singleGaps, expectedSingleGaps);
}

INSTANTIATE_TEST_SUITE_P(Levels, RandomGameLongRun, ::testing::Values(1, 10));

TEST_F(RandomGame, TheFirstRowComesFromTheSeededDrawsInStepOrder) {
    TypePool(1, {1, 7, 21});
    PathPool(1, {1, 2, 3});
    PathPool(7, {2, 3});
    PathPool(21, {1});
    Start(1);
    const Integer firstDelay = g.Data.LevelScript[0][1][1];
    for (int f = 1; f < firstDelay; ++f) StepRandomScript(g);
    g.Random.RandomizeWith(99);
    const double r0 = Rnd(g), r1 = Rnd(g), r2 = Rnd(g), r3 = Rnd(g);
    const int type = std::vector<int>{1, 7, 21}[static_cast<size_t>(Int(3 * r0))];
    static_cast<void>(r1);  // the delay, which a formation or a pause may still replace
    const int n = g.Data.TypePathPoolCount[type];
    const int path = g.Data.TypePathPool[type][static_cast<size_t>(Int(n * r2)) + 1];
    g.Random.RandomizeWith(99);
    StepRandomScript(g);
    const PlaneRecord& p = g.Obj.Planes[20];
    EXPECT_EQ(p.TypeId, type);
    EXPECT_EQ(p.PathId, path);
    EXPECT_EQ(p.Y, static_cast<int>(Int(r3 * 290)));
    EXPECT_EQ(g.Run.RandomSpawnCount, 1);
}

TEST_F(RandomGame, TheFirstPlaneWaitsForRow1AfterTheLevelStartObjectIsShot) {
    TypePool(2, {1});
    PathPool(1, {1});
    WriteScript(g, 2, {{40, 1, 1, 100}});
    EnterLevel(2);
    EXPECT_EQ(g.Run.RandomGameActive, True);
    EXPECT_EQ(g.Run.RandomSpawnQuota, 140);
    for (int f = 0; f < 500; ++f) StepRandomScript(g);
    EXPECT_EQ(ActiveObjects(), 1);  // only the level-start object
    g.Run.ScriptHold = False;
    for (int f = 0; f < 39; ++f) StepRandomScript(g);
    EXPECT_EQ(ActiveObjects(), 1);
    StepRandomScript(g);
    EXPECT_EQ(ActiveObjects(), 2);
    EXPECT_EQ(g.Obj.Planes[19].TypeId, 1);
}

TEST_F(RandomGame, AfterTheQuotaTheScriptGoesOnFromTheRowBeforeItsBoss) {
    TypePool(1, {1});
    PathPool(1, {1});
    // Rows 1 to 4 are never flown in a random game; row 5 is the boss.
    WriteScript(g, 1, {{20, 7, 1, 0}, {20, 7, 1, 0}, {20, 7, 1, 0}, {25, 7, 1, 0}, {50, 5, 1, 100}, {10, 7, 1, 0}});
    g.Data.BossStep[1] = 4;
    Start(1);
    EXPECT_EQ(g.Run.RandomSpawnQuota, 120);
    const auto seen = Run(1000);
    EXPECT_EQ(seen.size(), 121u);
    EXPECT_EQ(g.Run.RandomGameActive, False);
    EXPECT_EQ(g.Run.LevelProgress, 4);
    EXPECT_EQ(g.Run.ScriptTick, 0);

    // The frame loop now steps the script: the boss after row 4's delay, then the rest.
    std::vector<std::pair<int, Integer>> scripted;
    for (int f = 1; f <= 200 && g.Run.ScriptEnded == False; ++f) {
        StepLevelScript(g);
        if (g.Obj.Planes[20].Active == True) scripted.push_back({f, g.Obj.Planes[20].TypeId});
        ClearSlots();
    }
    EXPECT_EQ(scripted, (std::vector<std::pair<int, Integer>>{{25, 5}, {75, 7}}));
    EXPECT_EQ(g.Run.ScriptEnded, True);
}

TEST_F(RandomGame, FinalIsAlwaysScripted) {
    TypePool(10, {1});
    PathPool(1, {1});
    EnterLevel(10);
    EXPECT_EQ(g.Run.RandomGameActive, True);
    EnterLevel(11);
    EXPECT_EQ(g.Run.RandomGameActive, False);
    // The stages after 11 are entered in place; even a stray call leaves them to their script.
    for (int level : {11, 12, 13}) {
        g.Run.Level = ToInteger(level);
        g.Run.RandomGameActive = True;
        g.Run.ScriptHold = False;
        g.Run.LevelProgress = 5;
        ClearSlots();
        StepRandomScript(g);
        EXPECT_EQ(g.Run.RandomGameActive, False) << level;
        EXPECT_EQ(g.Run.LevelProgress, 5);
        EXPECT_EQ(ActiveObjects(), 0);
    }
}

TEST_F(RandomGame, ForcedHeightsOfPaths) {
    // The heights a plane on each path can have; drawn heights are 0 to 289.
    struct Case { int path, lo, hi; };
    const Case cases[] = {{13, 0, 250}, {89, 0, 250}, {84, 291, 291}, {93, 291, 291}, {86, 248, 248},
                          {87, 235, 235}, {88, 225, 225}, {90, 150, 299}, {156, 150, 299}, {104, -50, -50},
                          {139, -40, -40}, {152, -40, -40}, {1, 0, 289}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        TypePool(3, {21});
        PathPool(21, {c.path});
        Start(3, 400);
        int lo = 1000, hi = -1000;
        for (const Spawned& s : Run(400)) {
            EXPECT_EQ(s.Path, c.path);
            lo = std::min<int>(lo, s.Y);
            hi = std::max<int>(hi, s.Y);
            // Falling planes start anywhere along the top.
            if (c.path == 139 || c.path == 152) { EXPECT_LE(s.X, 601); }
        }
        EXPECT_GE(lo, c.lo);
        EXPECT_LE(hi, c.hi);
    }
}

TEST_F(RandomGame, AFullTableLosesThePlaneButTheCountGoesOn) {
    TypePool(1, {1});
    PathPool(1, {1});
    Start(1, 5);
    for (int i = 1; i <= 20; ++i) g.Obj.Planes[i].Active = True;
    for (int f = 0; f < 2000 && g.Run.RandomGameActive == True; ++f) StepRandomScript(g);
    EXPECT_EQ(g.Run.RandomSpawnCount, 6);
    EXPECT_EQ(g.Run.RandomGameActive, False);
    for (int i = 1; i <= 20; ++i) EXPECT_EQ(g.Obj.Planes[i].TypeId, 0);
}

TEST_F(RandomGame, EmptyOrUsedUpPoolsGiveNoMoreRowsOrPickups) {
    // An empty type pool: the level goes on with its script once row 1's delay has passed.
    PathPool(1, {1});
    TypePool(4, {});
    g.Data.BossStep[4] = 3;
    Start(4);
    const auto none = Run(1000);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(g.Run.RandomGameActive, False);
    EXPECT_EQ(g.Run.LevelProgress, 3);
    EXPECT_EQ(g.Run.ScriptTick, 0);
    EXPECT_EQ(ActiveObjects(), 0);

    // A pickup pool holding only the extra life gives it once and then nothing.
    TypePool(5, {1});
    PickupPool(5, {62});
    Start(5, 3000);
    int lives = 0, others = 0;
    for (const Spawned& s : Run(3000)) (s.PickupType == 62 ? lives : others) += s.HasPickup;
    EXPECT_EQ(lives, 1);
    EXPECT_EQ(others, 0);
    EXPECT_EQ(g.Data.LevelPickupPoolCount[5], 0);

    // A type without a path list never flies, but its planes count towards the quota; a type
    // without a height never stacks.
    TypePool(6, {1, 9, 7});
    g.Types.PlaneTypes[9] = g.Types.PlaneTypes[1];
    g.Types.PlaneTypes[9].TypeId = 9;
    PathPool(7, {2});
    g.Types.PlaneTypes[7].Height = 0;
    Start(6, 2500);
    const auto seen = Run(5000);
    EXPECT_EQ(seen.size(), 2501u);
    EXPECT_EQ(g.Run.RandomGameActive, False);
    int lost = 0;
    for (const Spawned& s : seen) {
        lost += s.Type == 0;
        EXPECT_NE(s.Type, 9);
        if (s.Type == 7) { EXPECT_LE(s.StyleAfter, 3); }
    }
    EXPECT_GT(lost, 500);
    EXPECT_EQ(media.Count("box", "ERROR:  Zorbel initiated with type 0"), 0);

    // Counts beyond the tables' sizes are read as full tables, never past them.
    for (auto& pool : g.Data.LevelTypePool) pool.fill(12);
    for (auto& pool : g.Data.TypePathPool) pool.fill(3);
    for (auto& pool : g.Data.LevelPickupPool) pool.fill(60);
    TypePool(7, std::vector<int>(30, 1));
    g.Data.LevelTypePoolCount[7] = 500;
    PathPool(1, std::vector<int>(12, 1));
    g.Data.TypePathPoolCount[1] = 99;
    PickupPool(7, std::vector<int>(30, 58));
    g.Data.LevelPickupPoolCount[7] = 500;
    Start(7, 3000);
    int carried = 0;
    for (const Spawned& s : Run(3000)) {
        EXPECT_EQ(s.Type, 1);
        EXPECT_EQ(s.Path, 1);
        if (s.HasPickup) { EXPECT_EQ(s.PickupType, 58); }
        carried += s.HasPickup;
    }
    EXPECT_GT(carried, 0);
}

TEST_F(RandomGame, EveryLevelOfTheShippedDataReachesItsBoss) {
    InitPlaneTypes(g.Types);
    DataStopHooks stops{[&](const std::string& t) { ADD_FAILURE() << t; }, [] {}, [] {}};
    ASSERT_TRUE(LoadGameData(g.Types, g.Data, 0, [](int id) { return res::LoadString(id); }, stops));
    for (int level = 1; level <= 10; ++level) {
        SCOPED_TRACE(level);
        const auto& pool = g.Data.LevelTypePool[level];
        const std::vector<int> types(pool.begin() + 1, pool.begin() + 1 + g.Data.LevelTypePoolCount[level]);
        Start(level);
        const auto seen = Run(1000);
        EXPECT_EQ(static_cast<int>(seen.size()), level * 20 + 101);
        for (const Spawned& s : seen) EXPECT_TRUE(In(types, s.Type)) << s.Type;
        EXPECT_EQ(g.Run.RandomGameActive, False);
        const int next = g.Run.LevelProgress + 1;
        EXPECT_EQ(g.Types.PlaneTypes[g.Data.LevelScript[1][level][next]].IsBoss, True);
    }
    EXPECT_EQ(media.Count("box", "ERROR:  Zorbel initiated with type 0"), 0);
}

TEST_F(RandomGame, AUsedUpPickupPoolStillTakesItsDrawSoThePlanesComeAsBefore) {
    // The same seed with a pickup pool and with an empty one: the carried pickup's entry is
    // drawn either way, so the planes, their paths, heights and timing are the same.
    auto planes = [&](std::vector<int> pickups) {
        TypePool(1, {1, 7});
        PathPool(1, {1, 2, 3});
        PathPool(7, {2, 3});
        PickupPool(1, pickups);
        Start(1, 400);
        g.Random.RandomizeWith(4242);
        std::vector<std::tuple<int, int, int, int>> out;
        int carried = 0;
        for (const Spawned& s : Run(400)) {
            out.emplace_back(s.Frame, s.Type, s.Path, s.Y);
            carried += s.HasPickup;
        }
        return std::make_pair(out, carried);
    };
    const auto [with, carried] = planes({56});
    const auto [without, none] = planes({});
    EXPECT_GT(carried, 0);
    EXPECT_EQ(none, 0);
    EXPECT_EQ(with, without);
}

}  // namespace
