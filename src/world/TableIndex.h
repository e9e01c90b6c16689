#pragma once
// Reads of the type, path and animation tables that stay inside them. Game data that breaks the
// tables' ranges reads as an end mark (99) or the empty template rather than as memory beyond
// the table.
#include "world/Game.h"

namespace gorb {

inline Integer AnimIndex(Integer a) { return a < 0 || a > 35 ? Integer{0} : a; }

// P(step, row, path) of the path table; outside the table it reads as the end of a path.
inline Integer PathAt(const Game& g, int step, int row, int path) {
    if (step < 0 || step > 100 || row < 0 || row > 2 || path < 0 || path > 200) return 99;
    return g.Data.PathTable[step][row][path];
}

// The template of a plane type; a type outside the table names the empty template 0.
inline const PlaneRecord& PlaneTemplate(const Game& g, Integer type) {
    if (type < 0 || type > 63) type = 0;
    return g.Types.PlaneTypes[type];
}

// Anim(animation, step) of a record; outside the table it reads as the end of an animation.
inline Integer AnimAt(const PlaneRecord& r, int anim, int step) {
    if (anim < 0 || anim > 35 || step < 0 || step > 40) return 99;
    return r.Anim[anim][step];
}

}  // namespace gorb
