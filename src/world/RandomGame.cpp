// The random game's spawner: on levels 1 to 10 it invents the spawn rows from the level's type
// pool, each type's path pool and the level's pickup pool, then hands the level back to its
// script just before the first boss once the level's quota of spawns is used up.
//
// Row 1 of the level's script is the scratch row of the plane to spawn (its delay is the wait
// before the next one), row 2 that of a carried pickup; the next game start reloads the
// scripts. Every pool read stays inside its table: an empty or used-up pool gives no more rows
// or pickups rather than reading what lies around it.
#include <algorithm>
#include <cstdlib>
#include <span>

#include "world/TableIndex.h"
#include "world/World.h"

namespace gorb {

namespace {

constexpr int LevelPoolMax = 30;  // entries 1..30 of a level's type or pickup pool
constexpr int PathPoolMax = 12;   // entries 1..12 of a type's path pool

int TypePoolCount(const Game& g, int level) {
    return std::clamp<int>(g.Data.LevelTypePoolCount[level], 0, LevelPoolMax);
}

int PathPoolCount(const Game& g, Integer type) {
    if (type < 0 || type > 100) return 0;
    return std::clamp<int>(g.Data.TypePathPoolCount[type], 0, PathPoolMax);
}

int PickupPoolCount(const Game& g, int level) {
    return std::clamp<int>(g.Data.LevelPickupPoolCount[level], 0, LevelPoolMax);
}

// Entry Int(count x Rnd) + 1 of a pool, 1..count. The draw is made even for an empty pool so
// the sequence of draws does not depend on the data; 0 then means there is nothing to take.
int DrawEntry(Game& g, int count) {
    const int k = static_cast<int>(Int(count * Rnd(g))) + 1;
    return count > 0 ? std::min(k, count) : 0;
}

// Some paths only make sense at certain heights.
Integer ForcedY(Integer path, Integer y) {
    switch (path) {
        case 13: case 89: return y > 250 ? ToInteger(y - 150) : y;
        case 84: case 93: return 291;
        case 86: return 248;
        case 87: return 235;
        case 88: return 225;
        case 90: case 92: case 107: case 153: case 156: return y < 150 ? ToInteger(y + 150) : y;
        case 104: return -50;
        case 139: case 152: return -40;
        default: return y;
    }
}

// Where a carried pickup hangs under its carrier.
Integer CarrierDrop(Integer type) {
    switch (type) {
        case 1: case 2: case 40: return -5;
        case 11: return -15;
        case 15: case 45: return 25;
        case 18: return 20;
        case 22: case 33: return 8;
        case 23: return 14;
        default: return 0;
    }
}

// Types that never carry a pickup.
constexpr Integer kNeverCarry[] = {12, 13, 21, 32, 34, 41};
// Types that look right in a swarm on changing paths.
constexpr Integer kSwarmers[] = {1, 2, 5, 7, 8, 11, 13, 17, 22, 32, 34, 36, 40, 42, 48};
// Types that never stack into a column.
constexpr Integer kNeverStack[] = {21, 22, 34};

bool Listed(std::span<const Integer> types, Integer type) {
    return std::find(types.begin(), types.end(), type) != types.end();
}

// A type stacks into a column only when it has a height to stack by.
bool MayStack(const Game& g, Integer type) {
    if (Listed(kNeverStack, type)) return false;
    return PlaneTemplate(g, type).Height > 0;
}

// The rest of the level comes from its script, from the row before its first boss.
void HandOverToScript(Game& g, int level) {
    g.Run.RandomGameActive = False;
    g.Run.LevelProgress = g.Data.BossStep[level];
}

// Row 1 of the level's script, the scratch row of the plane to spawn; its type is the group's.
struct ScratchRow {
    Integer& Delay;
    Integer& Type;
    Integer& Path;
    Integer& Y;
};

ScratchRow PlaneRow(GameData& d, int level) {
    auto& script = d.LevelScript;
    return {script[script_part::Delay][level][1], script[script_part::Type][level][1],
            script[script_part::Path][level][1], script[script_part::Y][level][1]};
}

// A new group's plane type and delay; false (and the level handed over to its script) when the
// level's pool has nothing to draw from.
bool StartGroup(Game& g, int level, ScratchRow& row) {
    LevelState& run = g.Run;
    const int count = TypePoolCount(g, level);
    if (count == 0) {
        run.ScriptTick = 0;
        HandOverToScript(g, level);
        return false;
    }
    row.Type = g.Data.LevelTypePool[level][DrawEntry(g, count)];
    row.Delay = ToInteger(IntI(Rnd(g) * 30) + 12 - level);
    return true;
}

// The plane's path and height by the group's style; the number of paths its type has (0: the
// plane cannot fly and is lost like one that finds no free slot).
int PlacePlane(Game& g, ScratchRow& row, bool newGroup) {
    LevelState& run = g.Run;
    const Integer style = run.RandomGroupStyle;
    const int paths = PathPoolCount(g, row.Type);
    if (newGroup || style == 2 || style == 3 || style == 5) {
        const int k = DrawEntry(g, paths);
        if (k > 0) row.Path = g.Data.TypePathPool[row.Type][k];
    }
    if (newGroup || style == 3) row.Y = IntI(Rnd(g) * 290);
    if (!newGroup && style > 3) {
        row.Y = ToInteger(PlaneTemplate(g, row.Type).Height * run.RandomGroupIndex);
        run.RandomGroupIndex = ToInteger(run.RandomGroupIndex + 1);
    }
    if (style == 3 && row.Delay > 4) row.Delay = ToInteger(row.Delay - 2);
    row.Y = ForcedY(row.Path, row.Y);
    return paths;
}

// One plane in eighteen carries a pickup from the level's pool, centred under it (row 2).
void MaybeCarryPickup(Game& g, int level, const ScratchRow& row, int paths) {
    GameData& d = g.Data;
    auto& script = d.LevelScript;
    Integer p = ToInteger(IntI(Rnd(g) * 18) + 1);
    if (Listed(kNeverCarry, row.Type)) p = 0;
    // The pickup's entry is drawn even from a used-up pool, so the planes that follow come as
    // they would with pickups left.
    const int k = p == 1 && paths > 0 ? DrawEntry(g, PickupPoolCount(g, level)) : 0;
    if (p == 1 && paths > 0) g.Run.LevelProgress = 2;
    if (k == 0) return;
    const int count = PickupPoolCount(g, level);
    const Integer pickup = d.LevelPickupPool[level][k];
    // The extra life is the last entry of every list: once drawn it is out of reach for the
    // rest of the game. It still comes this time.
    if (pickup == plane_type::ExtraLife) d.LevelPickupPoolCount[level] = ToInteger(count - 1);
    script[script_part::Type][level][2] = pickup;
    script[script_part::Y][level][2] = ToInteger(row.Y + 37 + CarrierDrop(row.Type));
    script[script_part::Path][level][2] = row.Path;
    const Long gap = std::abs(PlaneTemplate(g, row.Type).Width - PlaneTemplate(g, pickup).Width);
    SpawnZorbel(g, ToInteger(gap / 2));
}

// One group start in ten becomes a formation; the plane just spawned is its first.
void MaybeStartFormation(Game& g, ScratchRow& row) {
    LevelState& run = g.Run;
    if (IntI(Rnd(g) * 10) + 1 != 1) return;
    Integer s = ToInteger(IntI(Rnd(g) * 5) + 1);
    if (s == 3 && !Listed(kSwarmers, row.Type)) s = ToInteger(IntI(Rnd(g) * 2) + 1);
    if (s > 3 && !MayStack(g, row.Type)) s = ToInteger(s - 3);
    run.RandomGroupStyle = s;
    if (s <= 2) {
        row.Delay = ToInteger(IntI(Rnd(g) * 10) + 10);
        run.RandomGroupLeft = ToInteger(IntI(Rnd(g) * 5) + 4);
    } else if (s == 3) {
        row.Delay = 30;
        run.RandomGroupLeft = ToInteger(IntI(Rnd(g) * 6) + 15);
    } else {
        row.Delay = 1;
        run.RandomGroupLeft = ToInteger(350 / PlaneTemplate(g, row.Type).Height);
        run.RandomGroupIndex = 0;
    }
    if (row.Type == plane_type::Burster) row.Delay = ToInteger(IntI(Rnd(g) * 5) + 1);
}

// The group counts down, a single plane or a formation's last may be followed by a pause, and
// the quota's end hands the level over to its script.
void EndStep(Game& g, int level, ScratchRow& row) {
    LevelState& run = g.Run;
    if (run.RandomGroupLeft > 0) {
        run.RandomGroupLeft = ToInteger(run.RandomGroupLeft - 1);
        if (run.RandomGroupLeft == 0) run.RandomGroupStyle = 0;
    }
    if (IntI(Rnd(g) * 20) + 1 == 1 && run.RandomGroupLeft == 0) row.Delay = 80;

    run.RandomSpawnCount = ToInteger(run.RandomSpawnCount + 1);
    if (run.RandomSpawnCount > run.RandomSpawnQuota) HandOverToScript(g, level);
}

}  // namespace

void StepRandomScript(Game& g) {
    LevelState& run = g.Run;
    const int level = run.Level;
    if (level < 1 || level > 10) {
        // FINAL and anything past it is always scripted.
        run.RandomGameActive = False;
        return;
    }
    ScratchRow row = PlaneRow(g.Data, level);

    if (run.ScriptHold == False) run.ScriptTick = ToInteger(run.ScriptTick + 1);
    run.LevelProgress = 1;
    // Unlike the script, a tick at or past the delay spawns.
    if (run.ScriptTick < row.Delay) return;

    const bool newGroup = run.RandomGroupLeft == 0;
    if (newGroup && !StartGroup(g, level, row)) return;
    const int paths = PlacePlane(g, row, newGroup);
    if (paths > 0) SpawnZorbel(g, 0);
    MaybeCarryPickup(g, level, row, paths);
    run.ScriptTick = 0;
    if (newGroup) MaybeStartFormation(g, row);
    EndStep(g, level, row);
}

}  // namespace gorb
