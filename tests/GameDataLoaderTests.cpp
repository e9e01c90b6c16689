#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/GameDataLoader.h"
#include "data/TypeTemplates.h"
#include "platform/PlatformError.h"

using namespace gorb;

namespace {

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// The harder difficulty's extra groups, as the game ships them: anchor, groups, extra targets.
struct SpliceRow {
    const char* Anchor;
    const char* Groups;
    const char* Extra;
    int GroupCount;
};
const SpliceRow kSplice[14] = {
    {},
    {"99,99,99,99", "50,120,9,20,", "1", 1},
    {"99,99,99,99", "50,120,10,31,", "1", 1},
    {"100,0,13,43", "50,10,14,48,", "1", 1},
    {"99,99,99,99", "1,-40,89,139,20,-10,16,63,20,311,16,65,", "2", 3},
    {"100,200,9,20", "1,0,9,20,1,300,9,20,", "2", 2},
    {"400,163,30,102", "1,314,29,171,1,297,31,172,1,166,30,174,", "3", 3},
    {"200,-10,35,109", "100,-10,35,109,100,-10,35,109,", "2", 2},
    {"1,78,37,118", "1,78,37,118,17,100,38,119,50,49,37,120,", "3", 3},
    {"9,55,46,140", "1,10,19,83,", "1", 1},
    {"5,-20,49,162", "5,-20,49,162,5,-138,50,170,80,-100,51,170,", "3", 3},
    {"200,10,19,83", "1,-150,19,83,1,180,19,83,", "2", 2},
    {"100,-40,88,139", "50,120,10,31,", "1", 1},
    {"9,54,46,140", "5,-40,49,162,5,-138,50,170,80,-100,51,170,", "3", 3},
};

// Level L's script: group 0, `filler` plain groups, the level's anchor group where it is not the
// end group, then the end group.
std::string Script(int level, int filler) {
    std::string s = std::to_string(level) + ",10,0,0,0,";
    for (int i = 0; i < filler; ++i) s += "30,100,1,1,";
    std::string anchor = kSplice[level].Anchor;
    if (anchor != "99,99,99,99") s += anchor + ",";
    return s + "99,99,99,99,";
}

// A complete string table that loads cleanly; tests change entries before loading.
struct Fixture {
    std::map<int, std::string> strings;
    std::unique_ptr<TypeTables> types = std::make_unique<TypeTables>();
    std::unique_ptr<GameData> data = std::make_unique<GameData>();
    std::vector<std::string> calls;  // stop hooks in the order they ran
    DataStopHooks hooks{[this](const std::string& text) { calls.push_back("box: " + text); },
                        [this] { calls.push_back("release sounds"); },
                        [this] { calls.push_back("unload"); }};

    Fixture() {
        InitPlaneTypes(*types);
        InitBulletTypes(*types);
        InitEffectTypes(*types);
        // Animation 0 is never copied, so the filler lists of range 1 land where no copy reads.
        for (int id = 101; id <= 273; ++id) strings[id] = Quoted("1,0,99,");
        for (int id = 281; id <= 454; ++id) strings[id] = Quoted(std::to_string(id - 280) + ",7,0,1,99,99,1,");
        for (int level = 1; level <= 13; ++level) {
            strings[470 + level] = Quoted(Script(level, 1));
            strings[540 + level] = Quoted(kSplice[level].Anchor);
            strings[560 + level] = Quoted(kSplice[level].Groups);
            strings[580 + level] = Quoted(kSplice[level].Extra);
        }
        for (int id = 491; id <= 500; ++id) strings[id] = Quoted(std::to_string(id - 490) + ",1,99,");
        for (int id = 501; id <= 524; ++id) strings[id] = Quoted("1,1,99,");
        for (int id = 531; id <= 540; ++id) strings[id] = Quoted(std::to_string(id - 530) + ",56,62,99,");
    }

    bool Load(Integer bossDifficulty) {
        StringSource source = [this](int id) {
            auto it = strings.find(id);
            if (it == strings.end()) throw PlatformError(err::ResourceNotFound, "no such string");
            return it->second;
        };
        return LoadGameData(*types, *data, bossDifficulty, source, hooks);
    }

    // Groups of a level script up to and including its end group (type 99).
    int GroupCount(int level) const {
        for (int g = 0; g <= 450; ++g)
            if (data->LevelScript[script_part::Type][level][g] == 99) return g + 1;
        return -1;
    }
    std::string Group(int level, int g) const {
        auto& s = data->LevelScript;
        return std::to_string(s[script_part::Delay][level][g]) + "," + std::to_string(s[script_part::Y][level][g]) +
               "," + std::to_string(s[script_part::Type][level][g]) + "," +
               std::to_string(s[script_part::Path][level][g]);
    }
};

std::string Padded(int level, int groups) {
    return Script(level, groups - 2 - (std::string(kSplice[level].Anchor) != "99,99,99,99"));
}

}  // namespace

TEST(GameDataLoader, ReadNextFieldWalksCommaToComma) {
    Fixture fx;
    std::string text = "1,22,-3,";
    Long pos = 0, commaPos = -1;
    Integer field = 0;
    struct { Long commaPos; Integer field; } want[] = {{2, 1}, {5, 22}, {8, -3}};
    for (auto w : want) {
        ASSERT_TRUE(ReadNextField(text, commaPos, pos, field, fx.hooks));
        EXPECT_EQ(commaPos, w.commaPos);
        EXPECT_EQ(pos, w.commaPos);
        EXPECT_EQ(field, w.field);
    }
    EXPECT_FALSE(ReadNextField(text, commaPos, pos, field, fx.hooks));
    EXPECT_EQ(fx.calls, (std::vector<std::string>{
                            "box: Error:  Expected Comma not found in string starting with:  1,22,-3, after comma pos:  8",
                            "release sounds", "unload"}));
}

TEST(GameDataLoader, TellingRowsLandInTheirTables) {
    Fixture fx;
    auto& t = *fx.types;
    auto& d = *fx.data;
    ASSERT_TRUE(ParseDataString("1,2,6,7,8,9,99,", 1, 1, t, d, fx.hooks));
    EXPECT_EQ((std::vector<int>(t.PlaneTypes[1].Anim[2].begin(), t.PlaneTypes[1].Anim[2].begin() + 7)),
              (std::vector<int>{0, 6, 7, 8, 9, 99, 0}));
    ASSERT_TRUE(ParseDataString("1,7,0,1,99,99,1,", 2, 3, t, d, fx.hooks));
    // Text order is dx, dy, animation; rows are dy (0), dx (1), animation (2).
    EXPECT_EQ(d.PathTable[1][path_row::DX][1], 7);
    EXPECT_EQ(d.PathTable[1][path_row::DY][1], 0);
    EXPECT_EQ(d.PathTable[1][path_row::Anim][1], 1);
    EXPECT_EQ(d.PathTable[2][path_row::DX][1], 99);
    ASSERT_TRUE(ParseDataString("1,1,1,2,2,5,5,6,6,7,99,", 4, 1, t, d, fx.hooks));
    EXPECT_EQ(d.LevelTypePoolCount[1], 9);
    EXPECT_EQ(d.LevelTypePool[1][9], 7);
    EXPECT_EQ(d.LevelTypePool[1][10], 0);  // the 99 is not stored
    ASSERT_TRUE(ParseDataString("1,56,56,56,56,58,58,57,62,99,", 6, 1, t, d, fx.hooks));
    EXPECT_EQ(d.LevelPickupPoolCount[1], 8);
    EXPECT_EQ(d.LevelPickupPool[1][8], 62);
    ASSERT_TRUE(ParseDataString("40,3,7,12,99,", 5, 1, t, d, fx.hooks));
    EXPECT_EQ(d.TypePathPoolCount[40], 3);
    EXPECT_EQ(d.TypePathPool[40][3], 12);
    // A script's group 0 is stored like any other; pickups 87..98 become 52..63, 99 stays.
    ASSERT_TRUE(ParseDataString("12,40,0,0,0,5,10,87,139,5,10,98,139,5,10,52,1,99,99,99,99,", 3, 4, t, d, fx.hooks));
    EXPECT_EQ(fx.Group(12, 0), "40,0,0,0");
    EXPECT_EQ(fx.Group(12, 1), "5,10,52,139");
    EXPECT_EQ(fx.Group(12, 2), "5,10,63,139");
    EXPECT_EQ(fx.Group(12, 3), "5,10,52,1");
    EXPECT_EQ(fx.Group(12, 4), "99,99,99,99");
    EXPECT_TRUE(fx.calls.empty());
}

TEST(GameDataLoader, MissionTargetsAndSpliceGroupsPerDifficulty) {
    const int blek[14] = {0, 1, 1, 1, 3, 3, 4, 1, 3, 3, 3, 5, 4, 8};
    const int blekker[14] = {0, 2, 2, 2, 5, 5, 7, 3, 6, 4, 6, 7, 5, 11};
    for (Integer difficulty : std::initializer_list<Integer>{0, 1}) {
        Fixture fx;
        // The longest shipped scripts: level 10 has 441 groups, level 8 440.
        fx.strings[480] = Quoted(Padded(10, 441));
        fx.strings[478] = Quoted(Padded(8, 440));
        ASSERT_TRUE(fx.Load(difficulty));
        EXPECT_TRUE(fx.calls.empty());
        for (int level = 1; level <= 13; ++level) {
            SCOPED_TRACE("level " + std::to_string(level) + " difficulty " + std::to_string(difficulty));
            EXPECT_EQ(fx.data->MissionTargets[level], difficulty ? blekker[level] : blek[level]);
            bool anchorIsEnd = std::string(kSplice[level].Anchor) == "99,99,99,99";
            int base = level == 10 ? 441 : level == 8 ? 440 : anchorIsEnd ? 3 : 4;
            int added = difficulty ? kSplice[level].GroupCount : 0;
            ASSERT_EQ(fx.GroupCount(level), base + added);
            if (!difficulty) continue;
            // The extra groups sit right before the anchor group, which stays in place.
            int anchorGroup = fx.GroupCount(level) - 1 - !anchorIsEnd;
            std::string inserted;
            for (int g = anchorGroup - added; g < anchorGroup; ++g) inserted += fx.Group(level, g) + ",";
            std::string groups = kSplice[level].Groups;
            if (level == 4) groups = "1,-40,54,139,20,-10,16,63,20,311,16,65,";  // pickup 89 is type 54
            EXPECT_EQ(inserted, groups);
            std::string anchor = kSplice[level].Anchor;
            if (level == 12) anchor = "100,-40,53,139";
            EXPECT_EQ(fx.Group(level, anchorGroup), anchor);
        }
        if (difficulty) {
            EXPECT_EQ(fx.GroupCount(10), 444);
            EXPECT_EQ(fx.GroupCount(8), 443);
        }
        // Loading again starts the targets afresh instead of adding twice.
        ASSERT_TRUE(fx.Load(difficulty));
        EXPECT_EQ(fx.data->MissionTargets[13], difficulty ? 11 : 8);
    }
}

TEST(GameDataLoader, AnimationCopiesBetweenTemplates) {
    Fixture fx;
    // Own animations 1, 2 (35 frames: longer than a copy takes) and 31 for every copy source.
    int id = 101;
    for (int type : {1, 5, 12, 13, 15, 19, 24, 41, 42, 52}) {
        for (int anim : {1, 2, 31}) {
            std::string s = std::to_string(type) + "," + std::to_string(anim) + ",";
            int frames = anim == 2 ? 35 : 3;
            for (int step = 1; step <= frames; ++step) s += std::to_string(type + anim + step) + ",";
            fx.strings[id++] = Quoted(s + "99,");
        }
    }
    ASSERT_TRUE(fx.Load(0));
    auto& p = fx.types->PlaneTypes;

    // Types 41 and 52: animations 4..30 repeat their animation 1.
    for (int type : {41, 52})
        for (int a = 4; a <= 30; ++a)
            for (int t = 1; t <= 30; ++t) ASSERT_EQ(p[type].Anim[a][t], p[type].Anim[1][t]) << type << " " << a;
    EXPECT_EQ(p[1].Anim[2][35], 1 + 2 + 35);  // a source keeps its long animation

    struct { int to, from; } copies[] = {
        {2, 1},   {3, 1},   {4, 1},   {6, 5},   {7, 5},   {9, 1},   {10, 1},  {11, 1},  {14, 13}, {17, 5},
        {18, 1},  {21, 1},  {23, 12}, {25, 24}, {34, 19}, {36, 13}, {37, 1},  {38, 13}, {40, 13}, {45, 15},
        {48, 42}, {49, 42}, {50, 42}, {51, 42}, {53, 52}, {54, 52}, {55, 52}, {56, 52}, {57, 52}, {58, 52},
        {59, 52}, {60, 52}, {61, 52}, {62, 52}, {63, 52}};
    for (auto c : copies) {
        // Only animations and steps 1..30 are copied: index 0, animation 31 and steps 31+ stay 0.
        for (int a = 0; a <= 35; ++a)
            for (int t = 0; t <= 40; ++t) {
                int want = (a >= 1 && a <= 30 && t >= 1 && t <= 30) ? p[c.from].Anim[a][t] : 0;
                ASSERT_EQ(p[c.to].Anim[a][t], want) << "type " << c.to << " anim " << a << " step " << t;
            }
        EXPECT_NE(p[c.to].Anim[1][1], 0) << c.to;
    }
    for (auto& row : p[39].Anim)
        for (auto v : row) ASSERT_EQ(v, 0) << "type 39 has no animations";
    for (auto& row : p[0].Anim)
        for (auto v : row) ASSERT_EQ(v, 0) << "template 0 stays empty";
}

TEST(GameDataLoader, BossStepIsSetOnceAndOnlyWhileZero) {
    struct {
        const char* script;
        int want;
    } cases[] = {
        // group 0, a plane, then the first boss (type 9) at group 2
        {"1,10,0,0,0,30,100,1,1,30,100,9,20,30,100,9,20,99,99,99,99,", 1},
        // a boss at group 1 leaves 0, so the next boss group overwrites it
        {"1,10,0,0,0,30,100,9,20,30,100,1,1,30,100,10,20,99,99,99,99,", 2},
        // a pickup (87 = type 52) is no boss
        {"1,10,0,0,0,30,100,87,1,30,100,1,1,99,99,99,99,", 0},
    };
    for (auto& c : cases) {
        Fixture fx;
        fx.strings[471] = Quoted(c.script);
        ASSERT_TRUE(fx.Load(0));
        EXPECT_EQ(fx.data->BossStep[1], c.want) << c.script;
    }

    // The first load of the run decides; the same GameData loaded again keeps the value.
    Fixture fx;
    fx.strings[471] = Quoted(cases[0].script);
    ASSERT_TRUE(fx.Load(0));
    fx.strings[471] = Quoted("1,10,0,0,0,30,100,1,1,30,100,1,1,30,100,1,1,30,100,9,20,99,99,99,99,");
    ASSERT_TRUE(fx.Load(0));
    EXPECT_EQ(fx.data->BossStep[1], 1);
}

TEST(GameDataLoader, MalformedTextStopsWithAMessageAndNoStrayWrite) {
    std::string long41 = "1,2,";
    for (int i = 0; i < 41; ++i) long41 += "5,";
    std::string script452 = "3,10,0,0,0,";
    for (int i = 0; i < 451; ++i) script452 += "30,100,1,1,";
    std::string pool31 = "2,";
    for (int i = 0; i < 31; ++i) pool31 += "1,";
    std::string path101 = "7,";
    for (int i = 0; i < 101; ++i) path101 += "1,0,1,";
    const std::string comma = "Expected Comma not found";
    const std::string number = "Expected Number not found";
    const std::string range16 = "Number out of range";
    const std::string bounds = "Value out of table bounds";
    struct {
        std::string text;
        int range, width;
        std::string what;
        Long pos;
    } cases[] = {
        {"5,7,0", 2, 3, comma, 4},                   // a group cut short
        {"1,2,6,7,8,9,", 1, 1, comma, 12},           // no end mark
        {"", 4, 1, comma, 0},                        // an entry that was only its quotes
        {"1,10,0,0,0,99,99,99", 3, 4, comma, 17},    // end group missing its last comma
        {"1,2,x,99,", 1, 1, number, 4},
        {"1,2,,99,", 1, 1, number, 4},
        {"1,2, 5,99,", 1, 1, number, 4},
        {"1,2,5-,99,", 1, 1, number, 4},
        {"-,2,5,99,", 1, 1, number, 0},
        {"1,2,40000,99,", 1, 1, range16, 4},
        {"1,2,-32769,99,", 1, 1, range16, 4},
        {"1,2,99999999999999999999,99,", 1, 1, range16, 4},
        {"64,1,1,99,", 1, 1, bounds, 5},             // plane type
        {"-1,1,1,99,", 1, 1, bounds, 5},
        {"1,36,1,99,", 1, 1, bounds, 5},             // animation number
        {long41, 1, 1, bounds, 86},                  // 41st step of an animation
        {"201,7,0,1,99,99,1,", 2, 3, bounds, 4},     // path number
        {"5,7,0,36,99,99,1,", 2, 3, bounds, 9},     // animation of a path step
        {"5,7,0,1,99,99,-201,", 2, 3, bounds, 19},   // chain to no path
        {path101, 2, 3, bounds, 608},                // 101st step
        {"14,10,0,0,0,99,99,99,99,", 3, 4, bounds, 3},      // level
        {"1,10,0,86,1,99,99,99,99,", 3, 4, bounds, 12},     // type between the enemies and the pickups
        {"1,10,0,-1,1,99,99,99,99,", 3, 4, bounds, 12},
        {"1,10,0,100,1,99,99,99,99,", 3, 4, bounds, 13},
        {"1,10,0,1,201,99,99,99,99,", 3, 4, bounds, 13},    // path
        {script452, 3, 4, bounds, static_cast<Long>(script452.size())},  // 452nd group
        {"12,1,99,", 4, 1, bounds, 3},               // level of a pool
        {"1,64,99,", 4, 1, bounds, 5},
        {pool31, 4, 1, bounds, 64},                  // 31st pool entry
        {"101,1,99,", 5, 1, bounds, 4},              // plane type of a path list
        {"1,1,1,1,1,1,1,1,1,1,1,1,1,1,99,", 5, 1, bounds, 28},  // 13th path
        {"1,201,99,", 5, 1, bounds, 6},
        {"1,64,99,", 6, 1, bounds, 5},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.text);
        Fixture fx;
        ASSERT_FALSE(ParseDataString(c.text, c.range, c.width, *fx.types, *fx.data, fx.hooks));
        std::string box = "box: Error:  " + c.what + " in string starting with:  " + c.text.substr(0, 10) +
                          " after comma pos:  " + std::to_string(c.pos);
        EXPECT_EQ(fx.calls, (std::vector<std::string>{box, "release sounds", "unload"}));
    }
    Fixture fx;
    EXPECT_THROW(ParseDataString("1,1,99,", 3, 1, *fx.types, *fx.data, fx.hooks), std::invalid_argument);
}

TEST(GameDataLoader, LoadStopsAtBadEntriesAndGoesNoFurther) {
    struct ProcessEnd {};
    struct {
        int id;
        const char* text;  // nullptr = the id is missing
        Integer difficulty;
        std::string box;
    } cases[] = {
        {300, nullptr, 0, "Error:  Expected String not found with id:  300"},
        {473, "\"3,10,0,0,0,30,100,13,1,99,99,99,99,\"", 1,
         "Error:  Expected Anchor not found in string starting with:  3,10,0,0,0 for level:  3"},
        {543, "\"\"", 1, "Error:  Expected Anchor not found in string starting with:  3,10,0,0,0 for level:  3"},
        {583, "\"2,\"", 1, "Error:  Expected Number not found in string starting with:  2,"},
        {583, "\"32767\"", 1, "Error:  Number out of range in string starting with:  32767"},
        {473, "\"x,10,0,0,0,99,99,99,99,\"", 1, "Error:  Expected Level not found in string starting with:  x,10,0,0,0"},
        {473, "\"x,10,0,0,0,99,99,99,99,\"", 0,
         "Error:  Expected Number not found in string starting with:  x,10,0,0,0 after comma pos:  0"},
        {101, "\"1,1,1,99\"", 0,
         "Error:  Expected Comma not found in string starting with:  1,1,1,99 after comma pos:  6"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.box);
        Fixture fx;
        if (c.text) fx.strings[c.id] = c.text; else fx.strings.erase(c.id);
        ASSERT_FALSE(fx.Load(c.difficulty));
        EXPECT_EQ(fx.calls, (std::vector<std::string>{"box: " + c.box, "release sounds", "unload"}));
        EXPECT_EQ(fx.data->LevelPickupPoolCount[10], 0) << "the last range was loaded after the stop";
    }

    // The game's unload ends the process; that passes straight through the loader.
    Fixture fx;
    fx.strings.erase(300);
    fx.hooks.UnloadMainForm = [&] {
        fx.calls.push_back("unload");
        throw ProcessEnd{};
    };
    EXPECT_THROW(fx.Load(0), ProcessEnd);
    EXPECT_EQ(fx.calls.size(), 3u);
}
