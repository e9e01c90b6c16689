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

#include "world/TableIndex.h"
#include "world/World.h"

namespace gorb {

namespace {

constexpr int LevelPoolMax = 30;  // entries 1..30 of a level's type or pickup pool
constexpr int PathPoolMax = 12;   // entries 1..12 of a type's path pool
constexpr Integer ExtraLife = 62;

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

bool NeverCarries(Integer type) {
    return type == 12 || type == 13 || type == 21 || type == 32 || type == 34 || type == 41;
}

// Types that look right in a swarm on changing paths.
bool MaySwarm(Integer type) {
    switch (type) {
        case 1: case 2: case 5: case 7: case 8: case 11: case 13: case 17: case 22: case 32:
        case 34: case 36: case 40: case 42: case 48: return true;
        default: return false;
    }
}

// A type stacks into a column only when it has a height to stack by.
bool MayStack(const Game& g, Integer type) {
    if (type == 21 || type == 22 || type == 34) return false;
    return PlaneTemplate(g, type).Height > 0;
}

// The rest of the level comes from its script, from the row before its first boss.
void HandOverToScript(Game& g, int level) {
    g.Run.RandomGameActive = False;
    g.Run.LevelProgress = g.Data.BossStep[level];
}

}  // namespace

void StepRandomScript(Game& g) {
    LevelState& run = g.Run;
    GameData& d = g.Data;
    const int level = run.Level;
    if (level < 1 || level > 10) {
        // FINAL and anything past it is always scripted.
        run.RandomGameActive = False;
        return;
    }
    auto& script = d.LevelScript;
    Integer& delay = script[script_part::Delay][level][1];
    Integer& type = script[script_part::Type][level][1];
    Integer& path = script[script_part::Path][level][1];
    Integer& y = script[script_part::Y][level][1];

    if (run.ScriptHold == False) run.ScriptTick = ToInteger(run.ScriptTick + 1);
    run.LevelProgress = 1;
    // Unlike the script, a tick at or past the delay spawns.
    if (run.ScriptTick < delay) return;

    const bool newGroup = run.RandomGroupLeft == 0;
    if (newGroup) {
        const int count = TypePoolCount(g, level);
        if (count == 0) {
            // Nothing to draw from: the level goes on with its script right away.
            run.ScriptTick = 0;
            HandOverToScript(g, level);
            return;
        }
        run.RandomCandidate = d.LevelTypePool[level][DrawEntry(g, count)];
        delay = ToInteger(Int(Rnd(g) * 30) + 12 - level);
        type = run.RandomCandidate;
    }
    const Integer style = run.RandomGroupStyle;
    // A type without paths cannot fly: its planes are lost like those that find no free slot.
    const int paths = PathPoolCount(g, run.RandomCandidate);
    if (newGroup || style == 2 || style == 3 || style == 5) {
        const int k = DrawEntry(g, paths);
        if (k > 0) path = d.TypePathPool[run.RandomCandidate][k];
    }
    if (newGroup || style == 3) y = ToInteger(Int(Rnd(g) * 290));
    if (!newGroup && style > 3) {
        y = ToInteger(PlaneTemplate(g, type).Height * run.RandomGroupIndex);
        run.RandomGroupIndex = ToInteger(run.RandomGroupIndex + 1);
    }
    if (style == 3 && delay > 4) delay = ToInteger(delay - 2);
    y = ForcedY(path, y);

    if (paths > 0) SpawnZorbel(g, 0);

    Integer p = ToInteger(Int(Rnd(g) * 18) + 1);
    if (NeverCarries(type)) p = 0;
    // The pickup's entry is drawn even from a used-up pool, so the planes that follow come as
    // they would with pickups left.
    const int k = p == 1 && paths > 0 ? DrawEntry(g, PickupPoolCount(g, level)) : 0;
    if (p == 1 && paths > 0) run.LevelProgress = 2;
    if (k > 0) {
        const int count = PickupPoolCount(g, level);
        const Integer pickup = d.LevelPickupPool[level][k];
        // The extra life is the last entry of every list: once drawn it is out of reach for the
        // rest of the game. It still comes this time.
        if (pickup == ExtraLife) d.LevelPickupPoolCount[level] = ToInteger(count - 1);
        script[script_part::Type][level][2] = pickup;
        script[script_part::Y][level][2] = ToInteger(y + 37 + CarrierDrop(type));
        script[script_part::Path][level][2] = path;
        const Long gap = std::labs(PlaneTemplate(g, type).Width - PlaneTemplate(g, pickup).Width);
        SpawnZorbel(g, ToInteger(gap / 2));
    }
    run.ScriptTick = 0;

    if (newGroup && Int(Rnd(g) * 10) + 1 == 1) {
        Integer s = ToInteger(Int(Rnd(g) * 5) + 1);
        if (s == 3 && !MaySwarm(type)) s = ToInteger(Int(Rnd(g) * 2) + 1);
        if (s > 3 && !MayStack(g, type)) s = ToInteger(s - 3);
        run.RandomGroupStyle = s;
        if (s <= 2) {
            delay = ToInteger(Int(Rnd(g) * 10) + 10);
            run.RandomGroupLeft = ToInteger(Int(Rnd(g) * 5) + 4);
        } else if (s == 3) {
            delay = 30;
            run.RandomGroupLeft = ToInteger(Int(Rnd(g) * 6) + 15);
        } else {
            delay = 1;
            run.RandomGroupLeft = ToInteger(350 / PlaneTemplate(g, type).Height);
            run.RandomGroupIndex = 0;
        }
        if (type == 41) delay = ToInteger(Int(Rnd(g) * 5) + 1);
        // The plane just spawned is the first of the formation.
    }
    if (run.RandomGroupLeft > 0) {
        run.RandomGroupLeft = ToInteger(run.RandomGroupLeft - 1);
        if (run.RandomGroupLeft == 0) run.RandomGroupStyle = 0;
    }
    if (Int(Rnd(g) * 20) + 1 == 1 && run.RandomGroupLeft == 0) delay = 80;

    run.RandomSpawnCount = ToInteger(run.RandomSpawnCount + 1);
    if (run.RandomSpawnCount > run.RandomSpawnQuota) HandOverToScript(g, level);
}

}  // namespace gorb
