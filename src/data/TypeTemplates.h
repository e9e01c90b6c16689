#pragma once
// The fixed template values of every plane type, bullet type and effect kind. Called once per
// program run, at the first game start, in this order, before the game data is loaded (which
// adds the plane animations). Entry 0 of each table stays all zero.
#include "data/Records.h"

namespace gorb {

void InitPlaneTypes(TypeTables& tables);   // PlaneTypes 1..63 (Anim tables untouched)
void InitBulletTypes(TypeTables& tables);  // BulletTypes 1..27 and 36..38
void InitEffectTypes(TypeTables& tables);  // EffectTypes 1..8

}  // namespace gorb
