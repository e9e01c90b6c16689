#pragma once
// Stand-ins for the data layer's records and tables, with the field names, order and widths
// the world code uses. They go away when src/data provides the real ones.
#include <array>

#include "platform/Arithmetic.h"

namespace gorb {

struct PlaneRecord {
    Boolean Active = 0;
    Boolean Dying = 0;
    Integer HitPoints = 0;
    Integer GunCount = 0;
    std::array<Integer, 4> GunBullet{};
    std::array<Integer, 4> FireChance{};
    std::array<Integer, 4> GunX{};
    Integer Y = 0;
    Integer X = 0;
    Integer Frame = 0;
    Long Width = 0;
    Long Height = 0;
    Integer SrcX = 0;
    Integer SrcY = 0;
    double FallSpeed = 0;
    Integer Link = 0;
    Boolean Invulnerable = 0;
    Integer TypeId = 0;
    Integer Sheet = 0;
    Integer AnimStep = 0;
    Integer PathStep = 0;
    Integer PathId = 0;
    Integer AnimId = 0;
    Integer PrevAnimId = 0;
    std::array<Integer, 4> GunY{};
    std::array<Boolean, 4> GunAimed{};
    Boolean InSpecialAnim = 0;
    Boolean HasPropeller = 0;
    Integer PropX = 0;
    Integer PropY = 0;
    Integer FallDrift = 0;
    Boolean IsBoss = 0;
    Boolean HasCollided = 0;
    Integer DeathSound = 0;
    std::array<std::array<Integer, 41>, 36> Anim{};
    Integer GunCooldown = 0;
    Integer ItemCooldown = 0;
    Integer MaxSpeed = 0;
    Integer SpeedX = 0;
    Integer SpeedY = 0;
    Integer PlayerGunCount = 0;
    std::array<Integer, 17> PlayerGunY1{};
    std::array<Integer, 17> PlayerGunY2{};
    Integer Lives = 0;
};

struct BulletType {
    Boolean Active = 0;
    Integer TypeId = 0;
    Integer Damage = 0;
    Integer XSpeed = 0;
    Integer YSpeed = 0;
    Integer FireRate = 0;
    Boolean Piercing = 0;
    Integer Y = 0;
    Integer X = 0;
    Integer Frame = 0;
    Integer FrameCount = 0;
    Integer Width = 0;
    Integer Height = 0;
    Integer SrcYBase = 0;
    Integer SrcY = 0;
    Integer SrcX = 0;
    Integer FireSound = 0;
    Integer PlayerGuns = 0;
};

struct EffectType {
    Integer KindCode = 0;
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

using PlaneArray = std::array<PlaneRecord, 21>;
using BulletArray = std::array<BulletType, 101>;
using EffectArray = std::array<EffectType, 61>;

struct TypeTables {
    std::array<PlaneRecord, 64> PlaneTypes{};
    std::array<BulletType, 41> BulletTypes{};
    std::array<EffectType, 11> EffectTypes{};
};

// The parsed game data: paths, level scripts, mission targets and the random game's pools.
struct GameData {
    // PathTable[step][row][path]: row 0 dy, row 1 dx, row 2 animation.
    std::array<std::array<std::array<Integer, 201>, 3>, 101> PathTable{};
    // LevelScript[component][level][group]: 0 delay, 1 type, 2 path, 3 y.
    std::array<std::array<std::array<Integer, 451>, 14>, 5> LevelScript{};
    std::array<Integer, 14> MissionTargets{};
    std::array<Integer, 11> BossStep{};
    std::array<std::array<Integer, 31>, 12> LevelTypePool{};
    std::array<Integer, 12> LevelTypePoolCount{};
    std::array<std::array<Integer, 13>, 101> TypePathPool{};
    std::array<Integer, 101> TypePathPoolCount{};
    std::array<std::array<Integer, 31>, 12> LevelPickupPool{};
    std::array<Integer, 12> LevelPickupPoolCount{};
};

}  // namespace gorb
