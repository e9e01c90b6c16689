#include "data/TypeTemplates.h"

namespace gorb {

namespace {

constexpr Boolean T = True;
constexpr Boolean F = False;

struct PlaneBody {
    Integer Type, HitPoints;
    Long Width, Height;
    Integer Sheet, PathId;
    Boolean IsBoss, Invulnerable;
    Integer DeathSound;
    Boolean HasPropeller;
    Integer PropX, PropY;
};

// Types 1 to 52. 53..63 are copies of 52 on their own sheets.
constexpr PlaneBody kPlaneBodies[] = {
    {1, 30, 67, 55, 1, 1, F, F, 23, T, 0, 17},
    {2, 30, 67, 55, 1, 1, F, F, 23, T, 0, 17},
    {3, 30, 67, 55, 1, 1, F, F, 23, T, 0, 17},
    {4, 30, 67, 55, 1, 1, F, F, 23, T, 0, 17},
    {5, 30, 79, 75, 2, 1, F, F, 23, T, 2, 26},
    {6, 30, 79, 75, 2, 1, F, F, 23, T, 2, 26},
    {7, 50, 78, 78, 3, 9, F, F, 24, T, 1, 26},
    {8, 30, 58, 55, 4, 16, F, F, 26, T, 0, 16},
    {9, 700, 137, 95, 5, 20, T, F, 49, T, -2, 38},
    {10, 1200, 114, 76, 6, 20, T, F, 49, T, 5, 25},
    {11, 25, 75, 43, 7, 35, F, F, 26, T, 2, 10},
    {12, 100, 81, 76, 8, 0, F, F, 27, T, 0, 19},
    {13, 40, 110, 60, 9, 0, F, F, 25, F, 0, 0},
    {14, 3000, 213, 102, 10, 20, T, F, 49, F, 0, 0},
    {15, 120, 119, 111, 11, 0, F, F, 24, T, 7, 45},
    {16, 1800, 155, 74, 12, 0, T, F, 49, F, 0, 0},
    {17, 40, 73, 71, 13, 1, F, F, 23, T, -1, 25},
    {18, 250, 136, 96, 14, 1, F, F, 29, T, -2, 42},
    {19, 3000, 164, 138, 15, 0, T, F, 49, T, 0, 65},
    {20, 5, 197, 194, 16, 1, F, F, 23, T, -2, 82},
    {21, 100, 116, 40, 17, 1, F, F, 24, F, 0, 0},
    {22, 25, 102, 82, 18, 0, F, F, 23, T, 11, 29},
    {23, 100, 81, 76, 8, 0, F, F, 27, T, 0, 19},
    {24, 32000, 310, 66, 19, 0, T, T, 48, F, 0, 0},
    // The sheet of type 25 is drawn 353 wide to match this frame.
    {25, 32000, 353, 191, 20, 0, T, T, 0, F, 0, 0},
    {26, 800, 24, 57, 21, 0, F, F, 26, F, 0, 0},
    {27, 600, 24, 57, 21, 0, F, F, 26, F, 0, 0},
    {28, 1600, 105, 30, 22, 0, T, F, 29, F, 0, 0},
    {29, 1200, 37, 11, 23, 0, T, F, 24, F, 0, 0},
    {30, 1200, 37, 11, 23, 0, T, F, 24, F, 0, 0},
    {31, 1600, 105, 30, 22, 0, T, F, 29, F, 0, 0},
    {32, 40, 33, 38, 24, 0, F, F, 30, F, 0, 0},
    {33, 100, 77, 60, 25, 0, F, F, 31, F, 0, 0},
    {34, 30, 58, 60, 26, 1, F, F, 26, F, 0, 0},
    {35, 3000, 81, 79, 27, 0, T, F, 49, T, 0, 30},
    {36, 40, 94, 63, 28, 1, F, F, 23, T, -2, 10},
    {37, 3000, 79, 66, 29, 1, T, F, 0, T, 0, 17},
    {38, 4000, 124, 77, 30, 0, T, F, 29, F, 0, 0},
    {39, 400, 120, 40, 31, 0, T, F, 49, F, 0, 0},
    {40, 60, 103, 43, 32, 1, F, F, 23, T, -1, 14},
    {41, 40, 36, 38, 33, 1, F, F, 28, F, 0, 0},
    {42, 60, 66, 64, 34, 1, F, F, 40, F, 0, 0},
    {43, 32000, 430, 84, 35, 0, T, F, 49, F, 0, 0},
    {44, 10, 27, 47, 36, 0, F, F, 83, F, 0, 0},
    {45, 140, 119, 111, 11, 0, F, F, 24, T, 7, 45},
    // Sheets 37 and 38 go to types 47 and 46 in this order on purpose.
    {46, 12000, 136, 96, 38, 1, T, F, 49, T, -2, 42},
    {47, 2500, 12, 35, 37, 0, T, F, 0, F, 0, 0},
    {48, 60, 66, 64, 34, 1, F, F, 40, F, 0, 0},
    {49, 4000, 190, 138, 39, 1, T, F, 49, F, 0, 0},
    {50, 3000, 145, 137, 40, 1, T, F, 49, F, 0, 0},
    {51, 3000, 100, 99, 41, 1, T, F, 49, F, 0, 0},
    {52, 999, 40, 26, 42, 1, F, F, 0, F, 0, 0},
};

struct Gun {
    Integer Bullet = 0, Chance = 0, X = 0, Y = 0;
    Boolean Aimed = F;
};
struct PlaneGuns {
    Integer Type, GunCount;
    Gun Guns[3];
};

// Guns beyond GunCount carry data on purpose: some types change their GunCount in flight.
// Types not listed have no guns at all.
constexpr PlaneGuns kPlaneGuns[] = {
    {1, 0, {{11, 0, 4, 15, F}, {}, {}}},
    {2, 1, {{11, 60, 4, 15, F}, {}, {}}},
    {3, 0, {{11, 0, 4, 15, F}, {}, {}}},
    {4, 1, {{11, 20, 4, 15, F}, {}, {}}},
    {5, 0, {{11, 0, 0, 0, F}, {}, {}}},
    {6, 1, {{12, 50, 12, 26, T}, {}, {}}},
    {8, 1, {{11, 30, 0, 26, F}, {}, {}}},
    {9, 2, {{11, 18, 10, 42, F}, {12, 50, 28, 52, T}, {}}},
    {10, 1, {{12, 30, 11, 43, T}, {13, 10, 11, 43, F}, {}}},
    {11, 1, {{11, 60, 6, 24, F}, {}, {}}},
    {12, 1, {{14, 30, -10, 40, F}, {}, {}}},
    {13, 1, {{12, 20, 26, 51, F}, {}, {}}},
    {14, 1, {{12, 16, 72, 102, T}, {}, {}}},
    {15, 1, {{13, 30, 0, 55, F}, {}, {}}},
    {16, 1, {{12, 40, 75, 38, T}, {}, {}}},
    {17, 1, {{11, 70, 12, 0, F}, {}, {}}},
    {18, 2, {{16, 40, 63, 60, F}, {11, 40, 0, 50, F}, {}}},
    {19, 1, {{13, 4, 0, 73, F}, {}, {}}},
    {21, 1, {{17, 40, 35, 10, F}, {}, {}}},
    {22, 1, {{18, 60, 13, 37, T}, {}, {}}},
    {28, 1, {{19, 20, 1, 6, F}, {}, {}}},
    {29, 1, {{11, 12, 3, 4, F}, {}, {}}},
    {30, 1, {{18, 20, 0, 4, T}, {}, {}}},
    {31, 1, {{17, 20, 1, 6, F}, {}, {}}},
    {32, 1, {{20, 60, 10, 14, T}, {}, {}}},
    {33, 2, {{21, 40, 0, 31, F}, {22, 40, 66, 31, F}, {}}},
    {35, 1, {{24, 20, 35, 35, T}, {}, {}}},
    {36, 1, {{21, 20, -5, 25, F}, {}, {}}},
    {37, 1, {{24, 40, 4, 32, T}, {21, 20, 4, 32, F}, {}}},
    {38, 0, {{25, 2, -7, 49, F}, {}, {}}},
    {40, 1, {{12, 65, 9, 25, T}, {}, {}}},
    {44, 1, {{12, 50, 5, 35, T}, {}, {}}},
    {45, 1, {{15, 30, 0, 55, F}, {}, {}}},
    {46, 1, {{23, 40, 0, 50, F}, {11, 40, 0, 50, F}, {}}},
    {48, 1, {{27, 45, 30, 30, T}, {}, {}}},
    {49, 2, {{15, 65, 40, 98, F}, {27, 15, 80, 70, T}, {24, 10, 52, 49, T}}},
    {50, 1, {{26, 10, 73, 42, T}, {14, 40, -5, 69, F}, {}}},
    {51, 2, {{18, 10, 47, 32, T}, {20, 47, 64, 89, T}, {25, 3, -15, 50, F}}},
};

// Type, TypeId, Damage, XSpeed, YSpeed, FireRate, Piercing, FrameCount, Width, Height, SrcX,
// SrcYBase, FireSound, PlayerGuns.
struct BulletRow {
    Integer Type, TypeId, Damage, XSpeed, YSpeed, FireRate;
    Boolean Piercing;
    Integer FrameCount, Width, Height, SrcX, SrcYBase, FireSound, PlayerGuns;
};

// Types 28..35, 39 and 40 stay empty. Template 10 carries TypeId 9 (it is weapon 9 firing
// faster); types 11, 21, 22 and 23 carry player-weapon values nothing of theirs uses.
constexpr BulletRow kBullets[] = {
    {1, 1, 10, 20, 0, 4, F, 1, 10, 3, 245, 53, 1, 2},
    {2, 2, 25, 18, 0, 4, F, 4, 20, 6, 272, 53, 10, 1},
    {3, 3, 20, 18, 0, 4, F, 4, 20, 6, 272, 53, 11, 2},
    {4, 4, 7, 20, 2, 4, F, 1, 10, 3, 245, 53, 2, 2},
    {5, 5, 20, 12, 0, 100, T, 4, 38, 32, 32, 0, 0, 1},
    {6, 6, 11, 20, 2, 4, F, 1, 10, 7, 245, 53, 3, 2},
    {7, 7, 0, 20, 0, 100, F, 4, 45, 24, 90, 0, 0, 1},
    {8, 8, 10, 14, 0, 1, T, 3, 39, 5, 96, 96, 0, 2},
    {9, 9, 20, 30, 0, 4, F, 1, 26, 3, 100, 114, 15, 2},
    {10, 9, 20, 30, 0, 3, F, 1, 26, 3, 100, 114, 15, 2},
    {11, 11, 10, -11, 0, 4, F, 1, 10, 3, 255, 53, 6, 2},
    {12, 12, 15, -8, 0, 0, F, 3, 7, 7, 265, 53, 8, 0},
    {13, 13, 30, -12, 0, 0, F, 4, 20, 6, 70, 0, 14, 0},
    {14, 14, 42, -12, 0, 0, F, 6, 32, 10, 135, 0, 7, 0},
    {15, 15, 70, -25, 0, 0, F, 1, 35, 3, 100, 111, 9, 0},
    {16, 16, 50, -5, 0, 0, F, 2, 25, 24, 217, 0, 12, 0},
    {17, 17, 30, -12, -12, 0, F, 4, 15, 15, 71, 65, 14, 0},
    {18, 18, 8, -10, 0, 0, F, 8, 11, 11, 303, 46, 16, 0},
    {19, 19, 30, -22, -8, 0, F, 4, 19, 10, 70, 24, 14, 0},
    {20, 20, 0, -6, 0, 0, F, 8, 11, 11, 292, 48, 17, 0},
    {21, 21, 17, -11, 0, 4, F, 1, 10, 7, 255, 53, 18, 2},
    {22, 22, 17, 11, 0, 4, F, 1, 10, 7, 245, 53, 18, 2},
    {23, 23, 22, -11, 0, 4, F, 1, 10, 11, 255, 53, 19, 2},
    {24, 24, 20, -15, 0, 0, F, 4, 14, 14, 245, 64, 20, 0},
    {25, 25, 200, -20, 0, 0, F, 8, 30, 5, 135, 89, 13, 0},
    {26, 26, 10, -12, 0, 0, F, 4, 13, 14, 279, 77, 0, 0},
    {27, 27, 6, -12, 0, 0, F, 8, 15, 17, 0, 0, 53, 0},
    {36, 36, 5, -6, 14, 100, T, 1, 50, 41, 167, 0, 0, 1},
    {37, 37, 5, -4, 15, 100, T, 1, 51, 45, 167, 41, 0, 1},
    {38, 38, 30, 0, 0, 100, F, 8, 17, 17, 15, 0, 0, 1},
};

// Kind, KindCode, Width, Height, SrcX, LastFrame, DX, DY. Kind 4 is kind 2 drifting right and
// reports KindCode 2.
struct EffectRow {
    Integer Kind, KindCode, Width, Height, SrcX, LastFrame, DX, DY;
};
constexpr EffectRow kEffects[] = {
    {1, 1, 9, 10, 25, 4, 0, -2},  {2, 2, 25, 25, 0, 7, 0, -2},      {3, 3, 79, 73, 34, 9, 0, -2},
    {4, 2, 25, 25, 0, 7, 2, -2},  {5, 5, 9, 9, 159, 11, 0, 4},      {6, 6, 133, 121, 0, 10, 0, 0},
    {7, 7, 26, 28, 133, 8, 5, 5}, {8, 8, 35, 27, 114, 10, 2, 1},
};

}  // namespace

void InitPlaneTypes(TypeTables& tables) {
    auto& types = tables.PlaneTypes;
    for (const PlaneBody& b : kPlaneBodies) {
        PlaneRecord& p = types[b.Type];
        auto anim = p.Anim;  // the loader owns the animation tables
        p = PlaneRecord{};
        p.Anim = anim;
        p.TypeId = b.Type;
        p.HitPoints = b.HitPoints;
        p.Width = b.Width;
        p.Height = b.Height;
        p.Sheet = b.Sheet;
        p.PathId = b.PathId;
        p.IsBoss = b.IsBoss;
        p.Invulnerable = b.Invulnerable;
        p.DeathSound = b.DeathSound;
        p.HasPropeller = b.HasPropeller;
        p.PropX = b.PropX;
        p.PropY = b.PropY;
    }
    for (const PlaneGuns& g : kPlaneGuns) {
        PlaneRecord& p = types[g.Type];
        p.GunCount = g.GunCount;
        for (int gun = 1; gun <= 3; ++gun) {
            const Gun& d = g.Guns[gun - 1];
            p.GunBullet[gun] = d.Bullet;
            p.FireChance[gun] = d.Chance;
            p.GunX[gun] = d.X;
            p.GunY[gun] = d.Y;
            p.GunAimed[gun] = d.Aimed;
        }
    }
    // Pickups 53..63: type 52 drawn from sheet t - 10.
    for (int t = 53; t <= 63; ++t) {
        auto anim = types[t].Anim;
        types[t] = types[52];
        types[t].Anim = anim;
        types[t].TypeId = static_cast<Integer>(t);
        types[t].Sheet = static_cast<Integer>(t - 10);
    }
}

void InitBulletTypes(TypeTables& tables) {
    for (const BulletRow& r : kBullets) {
        BulletType& b = tables.BulletTypes[r.Type];
        b = BulletType{};
        b.TypeId = r.TypeId;
        b.Damage = r.Damage;
        b.XSpeed = r.XSpeed;
        b.YSpeed = r.YSpeed;
        b.FireRate = r.FireRate;
        b.Piercing = r.Piercing;
        b.FrameCount = r.FrameCount;
        b.Width = r.Width;
        b.Height = r.Height;
        b.SrcX = r.SrcX;
        b.SrcYBase = r.SrcYBase;
        b.FireSound = r.FireSound;
        b.PlayerGuns = r.PlayerGuns;
    }
}

void InitEffectTypes(TypeTables& tables) {
    for (const EffectRow& r : kEffects) {
        EffectType& e = tables.EffectTypes[r.Kind];
        e = EffectType{};
        e.KindCode = r.KindCode;
        e.Width = r.Width;
        e.Height = r.Height;
        e.SrcX = r.SrcX;
        e.LastFrame = r.LastFrame;
        e.DX = r.DX;
        e.DY = r.DY;
    }
}

}  // namespace gorb
