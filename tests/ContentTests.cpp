// The generated content against the resource lists the game relies on: every bitmap at its
// exact size and depth, every wave in its format, the colour key where the game samples it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "data/PlayerGuns.h"
#include "gen_content/SoundMeasure.h"
#include "platform/GamePalette.h"
#include "platform/Resources.h"

namespace gorb {
namespace {

uint32_t U16(std::span<const uint8_t> d, size_t at) { return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8; }
uint32_t U32(std::span<const uint8_t> d, size_t at) { return U16(d, at) | U16(d, at + 2) << 16; }

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

struct Bmp {
    std::span<const uint8_t> d;
    int32_t width = 0, height = 0;
    int bits = 0;
    uint32_t compression = 0, offset = 0, stride = 0;

    explicit Bmp(std::span<const uint8_t> data) : d(data) {
        if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return;
        offset = U32(d, 10);
        width = int32_t(U32(d, 18));
        height = int32_t(U32(d, 22));
        bits = int(U16(d, 28));
        compression = U32(d, 30);
        stride = (uint32_t(width) * uint32_t(bits / 8) + 3) & ~3u;
    }
    bool Complete() const { return offset + uint64_t(stride) * uint32_t(std::abs(height)) <= d.size(); }
    // The colour at (x, y), counted from the top (rows are stored bottom-up).
    PaletteColor At(int x, int y) const {
        size_t p = offset + size_t(height - 1 - y) * stride + size_t(x) * (bits / 8);
        if (bits == 24) return {d[p + 2], d[p + 1], d[p]};
        size_t e = 54 + size_t(d[p]) * 4;
        return {d[e + 2], d[e + 1], d[e]};
    }
    bool IsKey(int x, int y) const {
        PaletteColor c = At(x, y);
        return c.r == kKeyColor.r && c.g == kKeyColor.g && c.b == kKeyColor.b;
    }
};

struct BitmapCase {
    std::string name;
    int width, height, bits;
    int frameHeight;  // plane sheets: frames stacked in one column; 0 for everything else
};

std::vector<BitmapCase> ExpectedBitmaps() {
    std::vector<BitmapCase> v;
    const int vorpex[53][3] = {
        {67, 715, 55},    {79, 1800, 75},   {78, 1872, 78},   {58, 880, 55},    {137, 855, 95},
        {114, 684, 76},   {75, 387, 43},    {81, 988, 76},    {110, 660, 60},   {213, 1122, 102},
        {119, 1443, 111}, {155, 1924, 74},  {73, 1704, 71},   {136, 864, 96},   {164, 1794, 138},
        {197, 2134, 194}, {116, 360, 40},   {102, 1394, 82},  {310, 330, 66},
        {353, 955, 191},  // wide enough for the 353-pixel frames of the object drawn from it
        {24, 627, 57},    {105, 420, 30},   {37, 110, 11},    {33, 342, 38},    {77, 540, 60},
        {58, 780, 60},    {81, 1580, 79},   {94, 693, 63},    {79, 594, 66},    {124, 539, 77},
        {120, 440, 40},   {103, 473, 43},   {36, 418, 38},    {66, 832, 64},    {430, 924, 84},
        {27, 329, 47},    {12, 350, 35},    {136, 960, 96},   {190, 1794, 138}, {145, 1781, 137},
        {100, 1287, 99},  {40, 416, 26},    {40, 416, 26},    {40, 416, 26},    {40, 416, 26},
        {40, 416, 26},    {40, 416, 26},    {40, 416, 26},    {40, 416, 26},    {40, 416, 26},
        {40, 416, 26},    {40, 416, 26},    {40, 416, 26},
    };
    char name[16];
    for (int n = 1; n <= 53; ++n) {
        std::snprintf(name, sizeof name, "vorpex%02d", n);
        v.push_back({name, vorpex[n - 1][0], vorpex[n - 1][1], n == 35 ? 24 : 8, vorpex[n - 1][2]});
    }
    v.push_back({"player", 80, 1024, 24, 64});
    v.push_back({"explode", 149, 657, 8, 0});
    v.push_back({"ice", 168, 1210, 8, 0});
    v.push_back({"bullet", 317, 136, 24, 0});
    v.push_back({"tile", 640, 480, 8, 0});
    v.push_back({"misc", 472, 134, 24, 0});
    for (int l = 1; l <= 11; ++l) {
        std::snprintf(name, sizeof name, "screen%02d", l);
        v.push_back({name, 300, 330, 24, 0});
    }
    for (const char* p : {"INTRO01", "INTRO02", "INTRO03", "EXTRO01", "EXTRO02", "EXTRO03", "end"})
        v.push_back({p, 640, 480, 8, 0});
    v.push_back({"intro04", 640, 480, 24, 0});
    // The menu's title picture and its eight frame pictures.
    v.push_back({"picIntro", 640, 480, 24, 0});
    v.push_back({"frameColor", 113, 129, 24, 0});
    v.push_back({"frameRes", 113, 129, 24, 0});
    v.push_back({"frameControls", 113, 81, 24, 0});
    v.push_back({"frameGamePlay", 113, 81, 24, 0});
    v.push_back({"FrameLevel", 113, 305, 24, 0});
    v.push_back({"frameDifficulty", 113, 129, 24, 0});
    v.push_back({"framePerformance", 145, 217, 24, 0});
    v.push_back({"framePreference", 113, 81, 24, 0});
    return v;
}

std::vector<std::pair<std::string, int>> ExpectedWaves() {
    const std::set<std::string> eightBit = {"blimppop", "click01", "click02", "ding01",  "explode2", "explode3",
                                            "explode5", "explode7", "laser05", "shoot01", "shoot05",  "shoot06"};
    std::vector<std::string> names = {
        "playsht1", "playsht2", "playsht3", "SHOOT01",  "zap02",    "shoot02",  "laser03",  "missile1",
        "missile2", "drop01",   "laser05",  "missile3", "laser02",  "shoot04",  "snot01",   "shoot05",
        "shoot06",  "shoot03",  "rico1",    "rico2",    "explode1", "explode2", "blimppop", "explode3",
        "explode7", "explode5", "explode6", "wood01a",  "wood02a",  "explode0", "snot02",   "ice05c",
        "ice06c",   "collide1", "collide4", "squish01", "squish02", "explode8a", "getgun2", "getgun3",
        "energy01", "extralif", "speed01",  "sizzle3a", "waver02",  "bubbles2", "planefa2", "bosscrsh",
        "slow01",   "slow02",   "ding01",   "axe02b",   "enemy01",  "white01a", "white02a", "thunder4",
        "gameove2", "zugyel10", "zugyel09", "aaah01",   "aaah02",   "aaah03",   "aaah04",   "aaah05",
        "aaah06",   "aaah07",   "zugyel01", "zugyel02", "zugyel03", "zugyel04", "zugyel05", "zugyel06",
        "zugyel07", "zugyel08", "zugyel12", "qvintro4", "qvintro4a", "zugyel13", "wind02",  "eject01",
        "click01",  "click02",  "click03",  "exit3",    "drum1",    "drum3",    "drum4",    "rico3",
        "rico4",    "rico5",    "zap03",    "water01",
        // loaded later: the level-3 boss alert, the boss voices and the end music
        "enemy02",  "zugbos01a", "zugbos02a", "zugbos03a", "zugbos04a", "zugbos04b", "zugbos04c",
        "zugbos05a", "zugbos06a", "zugbos07a", "zugbos08a", "zugbos08b", "zugbos09a", "zugbos09b",
        "zugbos10a", "zugbos10b", "zugbos10c", "end03c",
    };
    std::vector<std::pair<std::string, int>> v;
    for (const auto& n : names) v.emplace_back(n, eightBit.count(Lower(n)) ? 8 : 16);
    return v;
}

TEST(Content, EveryBitmapHasItsExactSizeAndDepth) {
    const auto expected = ExpectedBitmaps();
    ASSERT_EQ(expected.size(), 87u);
    std::set<std::string> want;
    for (const auto& b : expected) {
        SCOPED_TRACE(b.name);
        want.insert(Lower(b.name));
        Bmp bmp(res::FindBitmap(b.name));
        EXPECT_EQ(bmp.width, b.width);
        EXPECT_EQ(bmp.height, b.height);  // positive: bottom-up
        EXPECT_EQ(bmp.bits, b.bits);
        EXPECT_EQ(bmp.compression, 0u);  // BI_RGB, uncompressed
        EXPECT_TRUE(bmp.Complete());
        if (b.frameHeight) {
            EXPECT_EQ(b.height % b.frameHeight, 0);
        }
    }
    for (const auto& n : res::BitmapNames()) EXPECT_TRUE(want.count(Lower(n))) << "unexpected bitmap " << n;
}

TEST(Content, EightBitBitmapsCarryTheGamePalette) {
    const auto& palette = GamePalette();
    for (const auto& b : ExpectedBitmaps()) {
        if (b.bits != 8) continue;
        SCOPED_TRACE(b.name);
        auto d = res::FindBitmap(b.name);
        ASSERT_GE(d.size(), 54u + 1024u);
        EXPECT_EQ(U32(d, 10), 54u + 1024u);  // palette right after the header
        EXPECT_TRUE(U32(d, 46) == 0 || U32(d, 46) == 256);
        for (int i = 0; i < 256; ++i) {
            size_t e = 54 + size_t(i) * 4;
            ASSERT_TRUE(d[e + 2] == palette[i].r && d[e + 1] == palette[i].g && d[e] == palette[i].b) << i;
        }
    }
}

TEST(Content, TheColourKeyIsSampledFromMisc) {
    Bmp misc(res::FindBitmap("misc"));
    EXPECT_TRUE(misc.IsKey(205, 1));
}

// A plane sheet's every frame shows a sprite with key colour on all four edges around it, so
// neighbouring frames never bleed into each other and nothing solid reaches the frame's border.
TEST(Content, EverySpriteFrameHasKeyAroundASolidBody) {
    for (const auto& b : ExpectedBitmaps()) {
        if (!b.frameHeight) continue;
        SCOPED_TRACE(b.name);
        Bmp bmp(res::FindBitmap(b.name));
        ASSERT_TRUE(bmp.Complete());
        for (int top = 0; top < b.height; top += b.frameHeight) {
            bool ring = true;
            for (int x = 0; x < b.width; ++x)
                ring = ring && bmp.IsKey(x, top) && bmp.IsKey(x, top + b.frameHeight - 1);
            for (int y = top; y < top + b.frameHeight; ++y) ring = ring && bmp.IsKey(0, y) && bmp.IsKey(b.width - 1, y);
            EXPECT_TRUE(ring) << "frame at row " << top;
            // The middle of the frame is opaque: a body the collision test can hit.
            EXPECT_FALSE(bmp.IsKey(b.width / 2, top + b.frameHeight / 2)) << "frame at row " << top;
        }
    }
}

// The player's plane fills its 80 x 64 frames, tail at the left edge and propeller at the right,
// and in every frame both gun barrels end just short of the right edge, where the shots start, at
// the heights the game fires them from.
TEST(Content, ThePlayersPlaneSpansItsFramesWithItsGunsWhereTheShotsStart) {
    Bmp bmp(res::FindBitmap("player"));
    ASSERT_TRUE(bmp.Complete());
    for (int f = 1; f <= 16; ++f) {
        SCOPED_TRACE("frame " + std::to_string(f));
        const int top = (f - 1) * 64;
        int left = 80, right = -1;
        for (int y = top; y < top + 64; ++y)
            for (int x = 0; x < 80; ++x)
                if (!bmp.IsKey(x, y)) left = std::min(left, x), right = std::max(right, x);
        EXPECT_LE(left, 4);
        EXPECT_GE(right, 76);
        for (int gun : {kPlayerGunY1[size_t((f - 1) % 8)], kPlayerGunY2[size_t((f - 1) % 8)]}) {
            // Opaque along the last stretch before the muzzle, on the gun's row or next to it.
            int along = 0;
            for (int x = 66; x <= 73; ++x) {
                bool here = false;
                for (int dy = -1; dy <= 1; ++dy) here = here || !bmp.IsKey(x, top + gun + dy);
                along += here;
            }
            EXPECT_EQ(along, 8) << "no barrel at height " << gun;
        }
    }
}

TEST(Content, OpaqueScreenPiecesNeverShowTheKey) {
    for (const char* name : {"tile", "INTRO01", "intro04", "end", "picIntro", "frameColor"}) {
        Bmp bmp(res::FindBitmap(name));
        bool anyKey = false;
        for (int y = 0; y < bmp.height && !anyKey; ++y)
            for (int x = 0; x < bmp.width && !anyKey; ++x) anyKey = bmp.IsKey(x, y);
        EXPECT_FALSE(anyKey) << name;
    }
    // The rear strip of a level background is opaque; the front strip lets it show through.
    for (int l = 1; l <= 11; ++l) {
        char name[16];
        std::snprintf(name, sizeof name, "screen%02d", l);
        Bmp bmp(res::FindBitmap(name));
        for (int y = 0; y < 330; y += 3)
            for (int x = 0; x < 150; x += 3) ASSERT_FALSE(bmp.IsKey(x, y)) << name << " " << x << "," << y;
        EXPECT_TRUE(bmp.IsKey(225, 10)) << name;
    }
}

struct Wav {
    uint32_t format = 0, channels = 0, rate = 0, bits = 0;
    std::span<const uint8_t> data;
};

Wav ParseWav(std::span<const uint8_t> d) {
    Wav w;
    if (d.size() < 12 || std::memcmp(d.data(), "RIFF", 4) != 0 || std::memcmp(d.data() + 8, "WAVE", 4) != 0)
        return w;
    for (size_t p = 12; p + 8 <= d.size();) {
        const uint8_t* id = d.data() + p;
        uint32_t size = U32(d, p + 4);
        if (p + 8 + size > d.size()) break;
        if (std::memcmp(id, "fmt ", 4) == 0) {
            w.format = U16(d, p + 8);
            w.channels = U16(d, p + 10);
            w.rate = U32(d, p + 12);
            w.bits = U16(d, p + 22);
        } else if (std::memcmp(id, "data", 4) == 0) {
            w.data = d.subspan(p + 8, size);
        }
        p += 8 + size + (size & 1);
    }
    return w;
}

TEST(Content, EveryWaveHasItsFormatAndSounds) {
    const auto expected = ExpectedWaves();
    ASSERT_EQ(expected.size(), 110u);
    std::set<std::string> want;
    std::set<uint64_t> distinct;  // data hashes
    for (const auto& [name, bits] : expected) {
        SCOPED_TRACE(name);
        want.insert(Lower(name));
        Wav w = ParseWav(res::FindWave(name));
        EXPECT_EQ(w.format, 1u);  // PCM
        EXPECT_EQ(w.channels, 1u);
        EXPECT_EQ(w.rate, 22050u);
        EXPECT_EQ(w.bits, uint32_t(bits));
        ASSERT_FALSE(w.data.empty());
        // Not silent: some sample well away from the midpoint.
        int peak = 0;
        for (size_t i = 0; i + (bits / 8) <= w.data.size(); i += bits / 8)
            peak = std::max(peak, bits == 8 ? std::abs(int(w.data[i]) - 128)
                                            : std::abs(int(int16_t(U16(w.data, i)))) >> 8);
        EXPECT_GT(peak, 16);
        uint64_t hash = 1469598103934665603ull;
        for (uint8_t byte : w.data) hash = (hash ^ byte) * 1099511628211ull;
        distinct.insert(hash);
    }
    EXPECT_EQ(distinct.size(), expected.size()) << "two waves sound the same";
    for (const auto& n : res::WaveNames()) EXPECT_TRUE(want.count(Lower(n))) << "unexpected wave " << n;
}

TEST(Content, TimedClipsFitTheirSlots) {
    auto seconds = [](const char* name) {
        Wav w = ParseWav(res::FindWave(name));
        return double(w.data.size()) / (w.bits / 8) / w.rate;
    };
    // The drum loop starts a clip every 1600 ms on its own buffer.
    for (const char* d : {"drum1", "drum3", "drum4"}) EXPECT_NEAR(seconds(d), 1.6, 0.01) << d;
    // The exit jingle is cut off 1600 ms after it starts.
    EXPECT_LE(seconds("exit3"), 1.6);
}

// A wave's samples in [-1, 1].
std::vector<float> Samples(const std::string& name) {
    Wav w = ParseWav(res::FindWave(name));
    std::vector<float> out;
    const size_t step = w.bits / 8;
    for (size_t i = 0; step && i + step <= w.data.size(); i += step)
        out.push_back(w.bits == 8 ? (float(w.data[i]) - 128) / 128.f : float(int16_t(U16(w.data, i))) / 32768.f);
    return out;
}

TEST(Content, EveryWaveSitsAtItsRolesLoudnessCentredAndEndingOnSilence) {
    // The roles in the order of their loudness: the two big moments on top, the explosions
    // over the shots that cause them, drums and music alike.
    std::map<gen::Role, double> target;
    for (const auto& l : gen::RoleLevels()) target[l.role] = l.targetDb;
    for (const auto& [role, db] : target) {
        if (role == gen::Role::PlayerDeath || role == gen::Role::BossDeath) continue;
        EXPECT_LT(db, target[gen::Role::BossDeath]) << gen::RoleName(role);
    }
    EXPECT_GT(target[gen::Role::Explosion], target[gen::Role::PlayerShot] + 6);
    EXPECT_GT(target[gen::Role::Explosion], target[gen::Role::EnemyFire] + 6);
    EXPECT_EQ(target[gen::Role::Drums], target[gen::Role::Music]);

    for (const auto& [name, bits] : ExpectedWaves()) {
        SCOPED_TRACE(name);
        const gen::Role role = gen::RoleOfWave(name);
        ASSERT_NE(role, gen::Role::Count) << "a wave without a role";
        const std::vector<float> s = Samples(name);
        ASSERT_FALSE(s.empty());
        EXPECT_NEAR(gen::LoudnessDb(s, 22050), gen::TargetDb(role), 1.0);
        double sum = 0, squares = 0;
        float peak = 0;
        for (float x : s) {
            sum += x;
            squares += double(x) * x;
            peak = std::max(peak, std::abs(x));
        }
        EXPECT_LE(peak, 0.98f);  // no wave clips
        // Centred: no offset worth a twentieth of the wave's own strength.
        EXPECT_LT(std::abs(sum) / double(s.size()), 0.05 * std::sqrt(squares / double(s.size())));
        EXPECT_LT(std::abs(s.back()), 0.01f);                // ends on silence
    }
}

// The one-third-octave spectra of the waves, their distances in dB, and the two tables a
// listener cares about: the closest pair between every two roles, and every two boss voices.
TEST(Content, SoundsOfDifferentRolesAndEveryBossVoiceCanBeToldApart) {
    constexpr double kBetweenRoles = 3.0;  // dB: below it two sounds of different roles are twins
    constexpr double kBetweenBosses = 3.0;
    struct Profiled {
        std::string name;
        gen::Role role;
        std::vector<double> bands;
    };
    std::vector<Profiled> all;
    for (const auto& [name, bits] : ExpectedWaves())
        all.push_back({name, gen::RoleOfWave(name), gen::ThirdOctaveProfile(Samples(name), 22050)});

    const int roles = int(gen::Role::Count);
    std::vector<std::vector<double>> closest(size_t(roles), std::vector<double>(size_t(roles), 1e9));
    std::vector<std::vector<std::string>> pair(size_t(roles), std::vector<std::string>(size_t(roles), ""));
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j) {
            if (all[i].role == all[j].role) continue;
            const double d = gen::SpectralDistance(all[i].bands, all[j].bands);
            size_t a = size_t(all[i].role), b = size_t(all[j].role);
            if (a > b) std::swap(a, b);
            if (d < closest[a][b]) {
                closest[a][b] = d;
                pair[a][b] = all[i].name + "/" + all[j].name;
            }
        }
    std::printf("closest pair between two roles (spectral distance, dB; threshold %.1f):\n", kBetweenRoles);
    for (size_t a = 0; a < size_t(roles); ++a)
        for (size_t b = a + 1; b < size_t(roles); ++b) {
            std::printf("  %-12s %-12s %5.1f  %s\n", gen::RoleName(gen::Role(a)), gen::RoleName(gen::Role(b)),
                        closest[a][b], pair[a][b].c_str());
            EXPECT_GE(closest[a][b], kBetweenRoles) << pair[a][b];
        }

    std::vector<const Profiled*> bosses;
    for (const Profiled& p : all)
        if (p.role == gen::Role::BossVoice) bosses.push_back(&p);
    ASSERT_EQ(bosses.size(), 16u);
    std::printf("boss voices (spectral distance, dB; threshold %.1f):\n%10s", kBetweenBosses, "");
    for (const Profiled* b : bosses) std::printf(" %5s", b->name.c_str() + 6);
    std::printf("\n");
    for (const Profiled* a : bosses) {
        std::printf("%10s", a->name.c_str());
        for (const Profiled* b : bosses) {
            const double d = gen::SpectralDistance(a->bands, b->bands);
            std::printf(" %5.1f", d);
            if (a != b) {
                EXPECT_GE(d, kBetweenBosses) << a->name << " / " << b->name;
            }
        }
        std::printf("\n");
    }
}

}  // namespace
}  // namespace gorb
