#pragma once
// Names of the plane and bullet types the rules single out, after their roles in the game (the
// type tables themselves go by number; every other type follows the common rules), and of the
// effect kinds.
#include "platform/Arithmetic.h"

namespace gorb {

namespace plane_type {
constexpr Integer None = 0;              // never a valid type: the spawners report it
constexpr Integer Level2Boss = 10;       // two guns while level with the player
constexpr Integer TurnAfterShot = 12;    // turns away with its partner after each shot
constexpr Integer Gunship = 15;          // falls along its own death path, like StrongGunship
constexpr Integer Level5Boss = 19;       // the one boss of level 5 that is announced
constexpr Integer LevelStart = 20;       // the level-start object: the script holds until it is shot
constexpr Integer StuntPlane = 22;       // shows no propeller in its stunts (animations above 20)
constexpr Integer HullFirst = 24;        // 24..27: the hull of the great ship of levels 6 and 13,
constexpr Integer HullLast = 27;         //   24 the one of its parts that is announced
constexpr Integer HullGunFirst = 28;     // 28..31: the ship's guns
constexpr Integer HullGunLast = 31;
constexpr Integer PairFront = 37;        // the two-part boss: the front parts come back stronger,
constexpr Integer PairRear = 38;         //   the rear parts turn into BossStage1
constexpr Integer StageLook = 39;        // a template only: the look of a turned rear part
constexpr Integer Burster = 41;          // carried like a pickup; bursts into bullets when killed
constexpr Integer JumperBoss = 43;       // the large boss that releases jumpers
constexpr Integer Jumper = 44;           // harmless: it neither hurts nor smokes
constexpr Integer StrongGunship = 45;
constexpr Integer ShieldPart = 46;       // held at full strength; goes with the generator
constexpr Integer ShieldGenerator = 47;
constexpr Integer BossStage1 = 49;       // the three stages of the last boss of level 10, each
constexpr Integer BossStage2 = 50;       //   killed stage releasing the next one
constexpr Integer BossStage3 = 51;       //   (the last falls slowly, burning)

// Pickups, 52..63, by what the player gets.
constexpr Integer FirstPickup = 52;
constexpr Integer AxeSpray = 52;
constexpr Integer Rain = 53;
constexpr Integer FireballColumn = 54;
constexpr Integer Pilot = 55;            // also the ejected pilot
constexpr Integer Speed = 56;
constexpr Integer SpreadWeapon = 57;     // weapons 4, 6
constexpr Integer Energy = 58;
constexpr Integer LaserWeapon = 59;      // weapons 9, 10
constexpr Integer MissileWeapon = 60;    // weapons 2, 3
constexpr Integer LoopDive = 61;
constexpr Integer ExtraLife = 62;
constexpr Integer IceBomb = 63;
constexpr Integer LastPickup = 63;
}  // namespace plane_type

namespace bullet_type {
constexpr Integer BasicGun = 1;          // the weapon of every new plane
constexpr Integer Missile = 2;           // 2, 3: the missile family
constexpr Integer TwinMissile = 3;
constexpr Integer Spread = 4;            // 4, 6: the spread family
constexpr Integer Fireball = 5;          // the fireball column's shot
constexpr Integer HeavySpread = 6;
constexpr Integer IceBomb = 7;
constexpr Integer DiveShot = 8;
constexpr Integer Laser = 9;             // 9, 10: the laser family
constexpr Integer FastLaser = 10;
constexpr Integer Zap = 14;
constexpr Integer FallingBomb = 16;      // its picture changes with its height
constexpr Integer Splash = 18;
constexpr Integer Slime = 20;            // slows the player's plane
constexpr Integer Beam = 25;             // grows as it flies
constexpr Integer Burst = 26;            // what a killed burster scatters
constexpr Integer Rain1 = 36;            // 36, 37: the bullet rain
constexpr Integer Rain2 = 37;
constexpr Integer Axe = 38;
}  // namespace bullet_type

namespace effect {
constexpr Integer Flash = 1;          // a muzzle flash or a puff
constexpr Integer Smoke = 2;          // a smoke puff, also where a shot hits
constexpr Integer Explosion = 3;
constexpr Integer DriftingSmoke = 4;  // the fireball's trail
constexpr Integer Sparkle = 5;        // 5..7 come from the ice sheet: sparkles of the freeze,
constexpr Integer IceBurst = 6;       //   the ice bomb's burst,
constexpr Integer Shard = 7;          //   the shards of a shattered object
constexpr Integer JumperBlast = 8;
}  // namespace effect

}  // namespace gorb
