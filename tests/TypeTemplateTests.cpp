#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "data/TypeTemplates.h"

using namespace gorb;

// The template values as the design tables write them, pasted verbatim and parsed here, so a
// slip in the code's own transcription shows up as a field-by-field difference.
namespace {

const char* kPlaneBodyRows = R"(
| 1 | 30 | 67 x 55 | 1 | 1 | no | no | 23 | (0, 17) |
| 2 | 30 | 67 x 55 | 1 | 1 | no | no | 23 | (0, 17) |
| 3 | 30 | 67 x 55 | 1 | 1 | no | no | 23 | (0, 17) |
| 4 | 30 | 67 x 55 | 1 | 1 | no | no | 23 | (0, 17) |
| 5 | 30 | 79 x 75 | 2 | 1 | no | no | 23 | (2, 26) |
| 6 | 30 | 79 x 75 | 2 | 1 | no | no | 23 | (2, 26) |
| 7 | 50 | 78 x 78 | 3 | 9 | no | no | 24 | (1, 26) |
| 8 | 30 | 58 x 55 | 4 | 16 | no | no | 26 | (0, 16) |
| 9 | 700 | 137 x 95 | 5 | 20 | yes | no | 49 | (-2, 38) |
| 10 | 1200 | 114 x 76 | 6 | 20 | yes | no | 49 | (5, 25) |
| 11 | 25 | 75 x 43 | 7 | 35 | no | no | 26 | (2, 10) |
| 12 | 100 | 81 x 76 | 8 | 0 | no | no | 27 | (0, 19) |
| 13 | 40 | 110 x 60 | 9 | 0 | no | no | 25 | no |
| 14 | 3000 | 213 x 102 | 10 | 20 | yes | no | 49 | no |
| 15 | 120 | 119 x 111 | 11 | 0 | no | no | 24 | (7, 45) |
| 16 | 1800 | 155 x 74 | 12 | 0 | yes | no | 49 | no |
| 17 | 40 | 73 x 71 | 13 | 1 | no | no | 23 | (-1, 25) |
| 18 | 250 | 136 x 96 | 14 | 1 | no | no | 29 | (-2, 42) |
| 19 | 3000 | 164 x 138 | 15 | 0 | yes | no | 49 | (0, 65) |
| 20 | 5 | 197 x 194 | 16 | 1 | no | no | 23 | (-2, 82) |
| 21 | 100 | 116 x 40 | 17 | 1 | no | no | 24 | no |
| 22 | 25 | 102 x 82 | 18 | 0 | no | no | 23 | (11, 29) |
| 23 | 100 | 81 x 76 | 8 | 0 | no | no | 27 | (0, 19) |
| 24 | 32000 | 310 x 66 | 19 | 0 | yes | yes | 48 | no |
| 25 | 32000 | 353 x 191 | 20 | 0 | yes | yes | 0 | no |
| 26 | 800 | 24 x 57 | 21 | 0 | no | no | 26 | no |
| 27 | 600 | 24 x 57 | 21 | 0 | no | no | 26 | no |
| 28 | 1600 | 105 x 30 | 22 | 0 | yes | no | 29 | no |
| 29 | 1200 | 37 x 11 | 23 | 0 | yes | no | 24 | no |
| 30 | 1200 | 37 x 11 | 23 | 0 | yes | no | 24 | no |
| 31 | 1600 | 105 x 30 | 22 | 0 | yes | no | 29 | no |
| 32 | 40 | 33 x 38 | 24 | 0 | no | no | 30 | no |
| 33 | 100 | 77 x 60 | 25 | 0 | no | no | 31 | no |
| 34 | 30 | 58 x 60 | 26 | 1 | no | no | 26 | no |
| 35 | 3000 | 81 x 79 | 27 | 0 | yes | no | 49 | (0, 30) |
| 36 | 40 | 94 x 63 | 28 | 1 | no | no | 23 | (-2, 10) |
| 37 | 3000 | 79 x 66 | 29 | 1 | yes | no | 0 | (0, 17) |
| 38 | 4000 | 124 x 77 | 30 | 0 | yes | no | 29 | no |
| 39 | 400 | 120 x 40 | 31 | 0 | yes | no | 49 | no |
| 40 | 60 | 103 x 43 | 32 | 1 | no | no | 23 | (-1, 14) |
| 41 | 40 | 36 x 38 | 33 | 1 | no | no | 28 | no |
| 42 | 60 | 66 x 64 | 34 | 1 | no | no | 40 | no |
| 43 | 32000 | 430 x 84 | 35 | 0 | yes | no | 49 | no |
| 44 | 10 | 27 x 47 | 36 | 0 | no | no | 83 | no |
| 45 | 140 | 119 x 111 | 11 | 0 | no | no | 24 | (7, 45) |
| 46 | 12000 | 136 x 96 | 38 | 1 | yes | no | 49 | (-2, 42) |
| 47 | 2500 | 12 x 35 | 37 | 0 | yes | no | 0 | no |
| 48 | 60 | 66 x 64 | 34 | 1 | no | no | 40 | no |
| 49 | 4000 | 190 x 138 | 39 | 1 | yes | no | 49 | no |
| 50 | 3000 | 145 x 137 | 40 | 1 | yes | no | 49 | no |
| 51 | 3000 | 100 x 99 | 41 | 1 | yes | no | 49 | no |
| 52 | 999 | 40 x 26 | 42 | 1 | no | no | 0 | no |
)";

const char* kPlaneGunRows = R"(
| 1 | 0 | bullet 11, chance 0, at (4, 15) | - | - |
| 2 | 1 | bullet 11, chance 60, at (4, 15) | - | - |
| 3 | 0 | bullet 11, chance 0, at (4, 15) | - | - |
| 4 | 1 | bullet 11, chance 20, at (4, 15) | - | - |
| 5 | 0 | bullet 11, chance 0, at (0, 0) | - | - |
| 6 | 1 | bullet 12, chance 50, at (12, 26), aimed | - | - |
| 8 | 1 | bullet 11, chance 30, at (0, 26) | - | - |
| 9 | 2 | bullet 11, chance 18, at (10, 42) | bullet 12, chance 50, at (28, 52), aimed | - |
| 10 | 1 | bullet 12, chance 30, at (11, 43), aimed | bullet 13, chance 10, at (11, 43) | - |
| 11 | 1 | bullet 11, chance 60, at (6, 24) | - | - |
| 12 | 1 | bullet 14, chance 30, at (-10, 40) | - | - |
| 13 | 1 | bullet 12, chance 20, at (26, 51) | - | - |
| 14 | 1 | bullet 12, chance 16, at (72, 102), aimed | - | - |
| 15 | 1 | bullet 13, chance 30, at (0, 55) | - | - |
| 16 | 1 | bullet 12, chance 40, at (75, 38), aimed | - | - |
| 17 | 1 | bullet 11, chance 70, at (12, 0) | - | - |
| 18 | 2 | bullet 16, chance 40, at (63, 60) | bullet 11, chance 40, at (0, 50) | - |
| 19 | 1 | bullet 13, chance 4, at (0, 73) | - | - |
| 21 | 1 | bullet 17, chance 40, at (35, 10) | - | - |
| 22 | 1 | bullet 18, chance 60, at (13, 37), aimed | - | - |
| 28 | 1 | bullet 19, chance 20, at (1, 6) | - | - |
| 29 | 1 | bullet 11, chance 12, at (3, 4) | - | - |
| 30 | 1 | bullet 18, chance 20, at (0, 4), aimed | - | - |
| 31 | 1 | bullet 17, chance 20, at (1, 6) | - | - |
| 32 | 1 | bullet 20, chance 60, at (10, 14), aimed | - | - |
| 33 | 2 | bullet 21, chance 40, at (0, 31) | bullet 22, chance 40, at (66, 31) | - |
| 35 | 1 | bullet 24, chance 20, at (35, 35), aimed | - | - |
| 36 | 1 | bullet 21, chance 20, at (-5, 25) | - | - |
| 37 | 1 | bullet 24, chance 40, at (4, 32), aimed | bullet 21, chance 20, at (4, 32) | - |
| 38 | 0 | bullet 25, chance 2, at (-7, 49) | - | - |
| 40 | 1 | bullet 12, chance 65, at (9, 25), aimed | - | - |
| 44 | 1 | bullet 12, chance 50, at (5, 35), aimed | - | - |
| 45 | 1 | bullet 15, chance 30, at (0, 55) | - | - |
| 46 | 1 | bullet 23, chance 40, at (0, 50) | bullet 11, chance 40, at (0, 50) | - |
| 48 | 1 | bullet 27, chance 45, at (30, 30), aimed | - | - |
| 49 | 2 | bullet 15, chance 65, at (40, 98) | bullet 27, chance 15, at (80, 70), aimed | bullet 24, chance 10, at (52, 49), aimed |
| 50 | 1 | bullet 26, chance 10, at (73, 42), aimed | bullet 14, chance 40, at (-5, 69) | - |
| 51 | 2 | bullet 18, chance 10, at (47, 32), aimed | bullet 20, chance 47, at (64, 89), aimed | bullet 25, chance 3, at (-15, 50) |
)";

const char* kBulletRows = R"(
| 1 | 1 | 10 | 20 | 0 | 4 | no | 1 | 10 x 3 | 245, 53 | 1 | 2 |
| 2 | 2 | 25 | 18 | 0 | 4 | no | 4 | 20 x 6 | 272, 53 | 10 | 1 |
| 3 | 3 | 20 | 18 | 0 | 4 | no | 4 | 20 x 6 | 272, 53 | 11 | 2 |
| 4 | 4 | 7 | 20 | 2 | 4 | no | 1 | 10 x 3 | 245, 53 | 2 | 2 |
| 5 | 5 | 20 | 12 | 0 | 100 | yes | 4 | 38 x 32 | 32, 0 | 0 | 1 |
| 6 | 6 | 11 | 20 | 2 | 4 | no | 1 | 10 x 7 | 245, 53 | 3 | 2 |
| 7 | 7 | 0 | 20 | 0 | 100 | no | 4 | 45 x 24 | 90, 0 | 0 | 1 |
| 8 | 8 | 10 | 14 | 0 | 1 | yes | 3 | 39 x 5 | 96, 96 | 0 | 2 |
| 9 | 9 | 20 | 30 | 0 | 4 | no | 1 | 26 x 3 | 100, 114 | 15 | 2 |
| 10 | 9 | 20 | 30 | 0 | 3 | no | 1 | 26 x 3 | 100, 114 | 15 | 2 |
| 11 | 11 | 10 | -11 | 0 | 4 | no | 1 | 10 x 3 | 255, 53 | 6 | 2 |
| 12 | 12 | 15 | -8 | 0 | 0 | no | 3 | 7 x 7 | 265, 53 | 8 | 0 |
| 13 | 13 | 30 | -12 | 0 | 0 | no | 4 | 20 x 6 | 70, 0 | 14 | 0 |
| 14 | 14 | 42 | -12 | 0 | 0 | no | 6 | 32 x 10 | 135, 0 | 7 | 0 |
| 15 | 15 | 70 | -25 | 0 | 0 | no | 1 | 35 x 3 | 100, 111 | 9 | 0 |
| 16 | 16 | 50 | -5 | 0 | 0 | no | 2 | 25 x 24 | 217, 0 | 12 | 0 |
| 17 | 17 | 30 | -12 | -12 | 0 | no | 4 | 15 x 15 | 71, 65 | 14 | 0 |
| 18 | 18 | 8 | -10 | 0 | 0 | no | 8 | 11 x 11 | 303, 46 | 16 | 0 |
| 19 | 19 | 30 | -22 | -8 | 0 | no | 4 | 19 x 10 | 70, 24 | 14 | 0 |
| 20 | 20 | 0 | -6 | 0 | 0 | no | 8 | 11 x 11 | 292, 48 | 17 | 0 |
| 21 | 21 | 17 | -11 | 0 | 4 | no | 1 | 10 x 7 | 255, 53 | 18 | 2 |
| 22 | 22 | 17 | 11 | 0 | 4 | no | 1 | 10 x 7 | 245, 53 | 18 | 2 |
| 23 | 23 | 22 | -11 | 0 | 4 | no | 1 | 10 x 11 | 255, 53 | 19 | 2 |
| 24 | 24 | 20 | -15 | 0 | 0 | no | 4 | 14 x 14 | 245, 64 | 20 | 0 |
| 25 | 25 | 200 | -20 | 0 | 0 | no | 8 | 30 x 5 | 135, 89 | 13 | 0 |
| 26 | 26 | 10 | -12 | 0 | 0 | no | 4 | 13 x 14 | 279, 77 | 0 | 0 |
| 27 | 27 | 6 | -12 | 0 | 0 | no | 8 | 15 x 17 | 0, 0 | 53 | 0 |
| 36 | 36 | 5 | -6 | 14 | 100 | yes | 1 | 50 x 41 | 167, 0 | 0 | 1 |
| 37 | 37 | 5 | -4 | 15 | 100 | yes | 1 | 51 x 45 | 167, 41 | 0 | 1 |
| 38 | 38 | 30 | 0 | 0 | 100 | no | 8 | 17 x 17 | 15, 0 | 0 | 1 |
)";

const char* kEffectRows = R"(
| 1 | 1 | 9 x 10 | 25 | 4 | 0 | -2 |
| 2 | 2 | 25 x 25 | 0 | 7 | 0 | -2 |
| 3 | 3 | 79 x 73 | 34 | 9 | 0 | -2 |
| 4 | 2 | 25 x 25 | 0 | 7 | 2 | -2 |
| 5 | 5 | 9 x 9 | 159 | 11 | 0 | 4 |
| 6 | 6 | 133 x 121 | 0 | 10 | 0 | 0 |
| 7 | 7 | 26 x 28 | 133 | 8 | 5 | 5 |
| 8 | 8 | 35 x 27 | 114 | 10 | 2 | 1 |
)";

std::vector<std::vector<std::string>> Cells(const char* rows) {
    std::vector<std::vector<std::string>> out;
    std::istringstream in(rows);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::vector<std::string> cells;
        std::string cell;
        std::istringstream ls(line.substr(1));
        while (std::getline(ls, cell, '|')) {
            auto a = cell.find_first_not_of(' '), b = cell.find_last_not_of(' ');
            cells.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
        }
        out.push_back(cells);
    }
    return out;
}

Integer Num(const std::string& s) { return static_cast<Integer>(std::stoi(s)); }
Boolean YesNo(const std::string& s) { return s == "yes" ? True : False; }

// "67 x 55" or "245, 53" or "(0, 17)": the two numbers in the text.
std::pair<int, int> Pair(const std::string& s) {
    std::smatch m;
    std::regex re(R"((-?\d+)\D+(-?\d+))");
    EXPECT_TRUE(std::regex_search(s, m, re)) << s;
    return {std::stoi(m[1]), std::stoi(m[2])};
}

std::string Describe(const PlaneRecord& p) {
    std::ostringstream o;
    o << "Active " << p.Active << " Dying " << p.Dying << " HitPoints " << p.HitPoints << " GunCount "
      << p.GunCount;
    for (int g = 0; g <= 3; ++g)
        o << "\n gun " << g << ": bullet " << p.GunBullet[g] << " chance " << p.FireChance[g] << " at ("
          << p.GunX[g] << ", " << p.GunY[g] << ") aimed " << p.GunAimed[g];
    o << "\nY " << p.Y << " X " << p.X << " Frame " << p.Frame << " Width " << p.Width << " Height "
      << p.Height << " SrcX " << p.SrcX << " SrcY " << p.SrcY << " FallSpeed " << p.FallSpeed << " Link "
      << p.Link << " Invulnerable " << p.Invulnerable << " TypeId " << p.TypeId << " Sheet " << p.Sheet
      << " AnimStep " << p.AnimStep << " PathStep " << p.PathStep << " PathId " << p.PathId << " AnimId "
      << p.AnimId << " PrevAnimId " << p.PrevAnimId << " InSpecialAnim " << p.InSpecialAnim
      << " HasPropeller " << p.HasPropeller << " PropX " << p.PropX << " PropY " << p.PropY
      << " FallDrift " << p.FallDrift << " IsBoss " << p.IsBoss << " HasCollided " << p.HasCollided
      << " DeathSound " << p.DeathSound;
    long animSum = 0;
    for (auto& row : p.Anim)
        for (auto v : row) animSum += v != 0;
    o << "\nAnim entries set " << animSum << " GunCooldown " << p.GunCooldown << " ItemCooldown "
      << p.ItemCooldown << " MaxSpeed " << p.MaxSpeed << " SpeedX " << p.SpeedX << " SpeedY " << p.SpeedY
      << " PlayerGunCount " << p.PlayerGunCount << " Lives " << p.Lives;
    for (int f = 0; f <= 16; ++f) o << " " << p.PlayerGunY1[f] << "/" << p.PlayerGunY2[f];
    return o.str();
}

std::string Describe(const BulletType& b) {
    std::ostringstream o;
    o << "Active " << b.Active << " TypeId " << b.TypeId << " Damage " << b.Damage << " XSpeed " << b.XSpeed
      << " YSpeed " << b.YSpeed << " FireRate " << b.FireRate << " Piercing " << b.Piercing << " Y " << b.Y
      << " X " << b.X << " Frame " << b.Frame << " FrameCount " << b.FrameCount << " Width " << b.Width
      << " Height " << b.Height << " SrcYBase " << b.SrcYBase << " SrcY " << b.SrcY << " SrcX " << b.SrcX
      << " FireSound " << b.FireSound << " PlayerGuns " << b.PlayerGuns;
    return o.str();
}

std::string Describe(const EffectType& e) {
    std::ostringstream o;
    o << "KindCode " << e.KindCode << " Active " << e.Active << " Y " << e.Y << " X " << e.X << " Width "
      << e.Width << " Height " << e.Height << " SrcY " << e.SrcY << " SrcX " << e.SrcX << " Frame "
      << e.Frame << " LastFrame " << e.LastFrame << " DX " << e.DX << " DY " << e.DY;
    return o.str();
}

struct Expected {
    std::string what;  // "plane 12", "bullet 10", ...
    std::string want;
    std::string got;
};

}  // namespace

TEST(TypeTemplates, EveryTemplateMatchesTheDesignTables) {
    auto tables = std::make_unique<TypeTables>();
    InitPlaneTypes(*tables);
    InitBulletTypes(*tables);
    InitEffectTypes(*tables);

    // Everything not named in a table stays zero, entry 0 included.
    std::array<PlaneRecord, 64> planes{};
    std::array<BulletType, 41> bullets{};
    std::array<EffectType, 11> effects{};

    for (auto& c : Cells(kPlaneBodyRows)) {
        PlaneRecord& p = planes[Num(c[0])];
        p.TypeId = Num(c[0]);
        p.HitPoints = Num(c[1]);
        std::tie(p.Width, p.Height) = Pair(c[2]);
        p.Sheet = Num(c[3]);
        p.PathId = Num(c[4]);
        p.IsBoss = YesNo(c[5]);
        p.Invulnerable = YesNo(c[6]);
        p.DeathSound = Num(c[7]);
        if (c[8] != "no") {
            p.HasPropeller = True;
            auto [x, y] = Pair(c[8]);
            p.PropX = static_cast<Integer>(x);
            p.PropY = static_cast<Integer>(y);
        }
    }
    for (auto& c : Cells(kPlaneGunRows)) {
        PlaneRecord& p = planes[Num(c[0])];
        p.GunCount = Num(c[1]);
        std::regex gun(R"(bullet (\d+), chance (\d+), at \((-?\d+), (-?\d+)\)(, aimed)?)");
        for (int g = 1; g <= 3; ++g) {
            std::smatch m;
            if (c[1 + g] == "-") continue;
            ASSERT_TRUE(std::regex_match(c[1 + g], m, gun)) << c[1 + g];
            p.GunBullet[g] = Num(m[1]);
            p.FireChance[g] = Num(m[2]);
            p.GunX[g] = Num(m[3]);
            p.GunY[g] = Num(m[4]);
            p.GunAimed[g] = m[5].matched ? True : False;
        }
    }
    for (int t = 53; t <= 63; ++t) {
        planes[t] = planes[52];
        planes[t].TypeId = static_cast<Integer>(t);
        planes[t].Sheet = static_cast<Integer>(t - 10);
    }
    for (auto& c : Cells(kBulletRows)) {
        BulletType& b = bullets[Num(c[0])];
        b.TypeId = Num(c[1]);
        b.Damage = Num(c[2]);
        b.XSpeed = Num(c[3]);
        b.YSpeed = Num(c[4]);
        b.FireRate = Num(c[5]);
        b.Piercing = YesNo(c[6]);
        b.FrameCount = Num(c[7]);
        auto [w, h] = Pair(c[8]);
        b.Width = static_cast<Integer>(w);
        b.Height = static_cast<Integer>(h);
        auto [sx, sy] = Pair(c[9]);
        b.SrcX = static_cast<Integer>(sx);
        b.SrcYBase = static_cast<Integer>(sy);
        b.FireSound = Num(c[10]);
        b.PlayerGuns = Num(c[11]);
    }
    for (auto& c : Cells(kEffectRows)) {
        EffectType& e = effects[Num(c[0])];
        e.KindCode = Num(c[1]);
        auto [w, h] = Pair(c[2]);
        e.Width = static_cast<Integer>(w);
        e.Height = static_cast<Integer>(h);
        e.SrcX = Num(c[3]);
        e.LastFrame = Num(c[4]);
        e.DX = Num(c[5]);
        e.DY = Num(c[6]);
    }

    std::vector<Expected> cases;
    for (int t = 0; t <= 63; ++t)
        cases.push_back({"plane " + std::to_string(t), Describe(planes[t]), Describe(tables->PlaneTypes[t])});
    for (int t = 0; t <= 40; ++t)
        cases.push_back({"bullet " + std::to_string(t), Describe(bullets[t]), Describe(tables->BulletTypes[t])});
    for (int t = 0; t <= 10; ++t)
        cases.push_back({"effect " + std::to_string(t), Describe(effects[t]), Describe(tables->EffectTypes[t])});
    for (auto& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}
