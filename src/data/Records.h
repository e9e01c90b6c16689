#pragma once
// The three records every moving thing of the world is made of, the live slot arrays and the
// type tables of templates. Plain values: an object is made by copying its whole template into
// a free slot (Active = 0) and setting a few fields; it ends when Active is cleared.
//
// Arrays keep the game's own index ranges: a range N..M is a std::array of M + 1 entries and
// the index is the game's index (entry 0 of a 1-based range stays unused).
#include <array>

#include "platform/Arithmetic.h"

namespace gorb {

// The player's plane, the Zorbels, ground and air objects, bosses and their parts, pickups and
// the ejected pilot. Fields in the game's order.
struct PlaneRecord {
    Boolean Active = 0;                  // slot in use; 0 = free
    Boolean Dying = 0;                   // shot down, falling; collisions skip it
    Integer HitPoints = 0;
    Integer GunCount = 0;                // enemy: guns 0..3 that roll to fire each frame
    std::array<Integer, 4> GunBullet{};  // gun 1..3: bullet type; player: gun 1 = weapon
    std::array<Integer, 4> FireChance{}; // gun 1..3: fire divisor (larger = rarer)
    std::array<Integer, 4> GunX{};       // gun 1..3: muzzle x offset from X
    Integer Y = 0;                       // top edge
    Integer X = 0;                       // left edge
    Integer Frame = 0;                   // sprite frame, 1-based
    Long Width = 0;
    Long Height = 0;
    Integer SrcX = 0;
    Integer SrcY = 0;
    double FallSpeed = 0;                // grows by 0.1 a frame while Dying
    Integer Link = 0;                    // enemy: partner slot; player: eject lock
    Boolean Invulnerable = 0;
    Integer TypeId = 0;                  // index into PlaneTypes, 1..63; 0 is never valid
    Integer Sheet = 0;                   // sprite sheet 1..53
    Integer AnimStep = 0;                // column in Anim, from 1
    Integer PathStep = 0;                // step of the movement path, 1..100
    Integer PathId = 0;                  // movement path 0..200
    Integer AnimId = 0;                  // animation 0..35 from the path step
    Integer PrevAnimId = 0;
    std::array<Integer, 4> GunY{};       // gun 1..3: muzzle y offset from Y
    std::array<Boolean, 4> GunAimed{};   // gun 1..3: True = aims at the player
    Boolean InSpecialAnim = 0;           // AnimId is 7..21
    Boolean HasPropeller = 0;
    Integer PropX = 0;
    Integer PropY = 0;
    Integer FallDrift = 0;
    Boolean IsBoss = 0;                  // mission target
    Boolean HasCollided = 0;
    Integer DeathSound = 0;              // sound number, 0 = none
    // Anim[animation 0..35][step 0..40] = sprite frame; 99 marks the end of an animation.
    std::array<std::array<Integer, 41>, 36> Anim{};
    // Player-only fields; 0 in templates and in other slots.
    Integer GunCooldown = 0;
    Integer ItemCooldown = 0;
    Integer MaxSpeed = 0;
    Integer SpeedX = 0;
    Integer SpeedY = 0;
    Integer PlayerGunCount = 0;
    std::array<Integer, 17> PlayerGunY1{};  // sprite frame 0..16
    std::array<Integer, 17> PlayerGunY2{};  // sprite frame 0..16
    Integer Lives = 0;
};

// Every bullet and weapon shot, the player's and the enemies'.
struct BulletType {
    Boolean Active = 0;
    Integer TypeId = 0;
    Integer Damage = 0;
    Integer XSpeed = 0;      // + = to the right
    Integer YSpeed = 0;      // + = downwards
    Integer FireRate = 0;    // player weapons: fire-rate factor
    Boolean Piercing = 0;    // not used up by a hit
    Integer Y = 0;
    Integer X = 0;
    Integer Frame = 0;       // 1..FrameCount
    Integer FrameCount = 0;
    Integer Width = 0;
    Integer Height = 0;
    Integer SrcYBase = 0;    // sheet row of frame 1
    Integer SrcY = 0;
    Integer SrcX = 0;
    Integer FireSound = 0;   // sound number, 0 = silent
    Integer PlayerGuns = 0;  // player weapons: 1 or 2 guns
};

// Explosions, smoke, ice, debris and muzzle flashes. Note Active is the second field.
struct EffectType {
    Integer KindCode = 0;  // 1..8; 5, 6, 7 are drawn from the ice sheet
    Boolean Active = 0;
    Integer Y = 0;
    Integer X = 0;
    Integer Width = 0;
    Integer Height = 0;
    Integer SrcY = 0;
    Integer SrcX = 0;
    Integer Frame = 0;
    Integer LastFrame = 0;
    Integer DX = 0;
    Integer DY = 0;
};

// Live slots. Planes: 0 = the player, 1..20 everything else. Bullets: 1..60 the player's,
// 61..100 the enemies'; 0 unused. Effects: 1..60; 0 unused.
constexpr int kLastObjectSlot = 20;
constexpr int kLastPlayerBulletSlot = 60;
constexpr int kFirstEnemyBulletSlot = 61;
constexpr int kLastBulletSlot = 100;
constexpr int kLastEffectSlot = 60;
using PlaneArray = std::array<PlaneRecord, kLastObjectSlot + 1>;
using BulletArray = std::array<BulletType, kLastBulletSlot + 1>;
using EffectArray = std::array<EffectType, kLastEffectSlot + 1>;

struct LiveArrays {
    PlaneArray Planes{};
    BulletArray Bullets{};
    EffectArray Effects{};
};

// The templates: index = type number, entry 0 stays all zero. PlaneTypes 52..63 are pickups.
// About 200 KB (mostly animation tables): hold it on the heap or in a long-lived owner.
struct TypeTables {
    std::array<PlaneRecord, 64> PlaneTypes{};
    std::array<BulletType, 41> BulletTypes{};
    std::array<EffectType, 11> EffectTypes{};
};

}  // namespace gorb
