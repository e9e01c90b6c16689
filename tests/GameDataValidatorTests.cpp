// The shipped game data against the validator, for both boss difficulties, and a table of
// deliberately broken copies, one per rule, each of which the validator must name.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <regex>

#include "GameDataValidator.h"
#include "data/GameDataLoader.h"
#include "data/TypeTemplates.h"
#include "platform/Resources.h"

using namespace gorb;
using gorb::test::StringTable;

namespace {

std::string Join(const std::vector<std::string>& v) {
    std::string s;
    for (auto& x : v) s += "  " + x + "\n";
    return s;
}

const StringTable& Shipped() {
    static const StringTable t = gorb::test::ShippedStringTable();
    return t;
}

// Replaces the first match of `from` in entry id (a regular expression over the quoted text).
void Edit(StringTable& t, int id, const std::string& from, const std::string& to) {
    std::string& s = t.at(id);
    std::string out = std::regex_replace(s, std::regex(from), to, std::regex_constants::format_first_only);
    ASSERT_NE(out, s) << "id " << id << " has no match for " << from;
    s = out;
}

// The script of a level with one group inserted right after group 0.
void InsertAfterHeader(StringTable& t, int level, const std::string& group) {
    std::string& s = t.at(470 + level);
    size_t p = 0;
    for (int commas = 0; commas < 5; ++p)
        if (s[p] == ',') ++commas;
    s.insert(p, group);
}

std::string Frames(int n, int frame) {
    std::string s;
    for (int i = 0; i < n; ++i) s += std::to_string(frame) + ",";
    return s;
}

}  // namespace

TEST(GameDataValidator, ShippedDataPassesForBothBossDifficulties) {
    for (Integer difficulty : std::initializer_list<Integer>{0, 1}) {
        auto problems = gorb::test::ValidateGameData(Shipped(), difficulty);
        EXPECT_TRUE(problems.empty()) << "boss difficulty " << difficulty << ":\n" << Join(problems);
    }
}

// Every game-data entry is a quoted list whose every field is followed by a comma; the loader
// takes it whole, with no message and nothing left over after its end group.
TEST(GameDataValidator, ShippedDataParsesWithNoMessageAndNoLeftoverText) {
    const auto& t = Shipped();
    for (auto [first, last, width] : kDataRanges) {
        for (int id = first; id <= last; ++id) {
            ASSERT_TRUE(t.count(id)) << "id " << id;
            const std::string& s = t.at(id);
            ASSERT_GE(s.size(), 4u) << id;
            EXPECT_EQ(s.front(), '"') << id;
            EXPECT_EQ(s.back(), '"') << id;
            EXPECT_EQ(s[s.size() - 2], ',') << id;
            // The end group is the last thing in the text.
            std::string body = s.substr(1, s.size() - 2);
            std::vector<std::string> f;
            for (size_t a = 0, b; (b = body.find(',', a)) != std::string::npos; a = b + 1) f.push_back(body.substr(a, b - a));
            size_t header = first == 101 ? 2 : 1;
            ASSERT_EQ((f.size() - header) % width, 0u) << "id " << id << " ends inside a group";
            size_t endGroup = header;
            while (endGroup < f.size() && f[endGroup] != "99") endGroup += width;
            EXPECT_EQ(endGroup + width, f.size()) << "id " << id << " has text after its end group";
        }
    }
    for (Integer difficulty : std::initializer_list<Integer>{0, 1}) {
        auto types = std::make_unique<TypeTables>();
        auto data = std::make_unique<GameData>();
        InitPlaneTypes(*types);
        InitBulletTypes(*types);
        InitEffectTypes(*types);
        std::vector<std::string> boxes;
        DataStopHooks hooks{[&](const std::string& s) { boxes.push_back(s); }, [] {}, [] {}};
        EXPECT_TRUE(LoadGameData(*types, *data, difficulty, [](int id) { return res::LoadString(id); }, hooks));
        EXPECT_TRUE(boxes.empty()) << Join(boxes);
        const Integer normal[14] = {0, 1, 1, 1, 3, 3, 4, 1, 3, 3, 3, 5, 4, 8};
        const Integer harder[14] = {0, 2, 2, 2, 5, 5, 7, 3, 6, 4, 6, 7, 5, 11};
        for (int L = 1; L <= 13; ++L) EXPECT_EQ(data->MissionTargets[L], difficulty ? harder[L] : normal[L]) << L;
        // The two longest scripts: level 10 ends at group 440 (443 harder), level 8 at 439 (442).
        EXPECT_EQ(data->LevelScript[script_part::Type][10][difficulty ? 443 : 440], 99);
        EXPECT_EQ(data->LevelScript[script_part::Type][8][difficulty ? 442 : 439], 99);
    }
}

struct BrokenCase {
    const char* Rule;
    Integer Difficulty;
    std::function<void(StringTable&)> Break;
    const char* Expect;  // a piece of the validator's message
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.Rule; }

class GameDataValidatorBroken : public testing::TestWithParam<BrokenCase> {};

TEST_P(GameDataValidatorBroken, NamesTheBrokenRule) {
    const BrokenCase& c = GetParam();
    StringTable t = Shipped();
    c.Break(t);
    auto problems = gorb::test::ValidateGameData(t, c.Difficulty);
    bool named = false;
    for (auto& p : problems) named = named || p.find(c.Expect) != std::string::npos;
    EXPECT_TRUE(named) << c.Rule << ": expected a problem containing \"" << c.Expect << "\", got:\n"
                       << Join(problems);
}

// Paths and rows used below come from the shipped data: path 4 is flown by types 1-4; 127 by the
// revived guards (type 1's table, 9 frames); 17 is a loop (animation 12) of type 5's kin; 84 a
// ground path of the mines (type 41); 163 the three-stage boss's circle; 79 the level-start
// object's wait; 173 the fortress's standstill.
const BrokenCase kBroken[] = {
    {"field without a comma", 0, [](StringTable& t) { Edit(t, 103, ",99,\"$", ",99\""); }, "load: message box"},
    // An animation or a pool too long for its table is refused by the loader itself.
    {"animation without end mark", 0,
     [](StringTable& t) { t[111] = "\"5,1," + Frames(40, 1) + "99,\""; }, "out of table bounds"},
    {"copied animation longer than 29 frames", 0,
     [](StringTable& t) { t[111] = "\"5,1," + Frames(31, 1) + "99,\""; }, "type 6 flies animation 1"},
    {"copy target on animation 31", 0, [](StringTable& t) { Edit(t, 284, "^\"4,5,0,1,", "\"4,5,0,31,"); },
     "animation 31"},
    {"frame beyond a shared table's smallest sheet", 0,
     [](StringTable& t) { Edit(t, 103, "^\"1,3,2,", "\"1,3,12,"); }, "outside its 9-frame sheet"},
    {"frame beyond the own sheet", 0, [](StringTable& t) { Edit(t, 111, "^\"5,1,1,", "\"5,1,25,"); }, "sheet"},
    {"falling animation of three frames", 0,
     [](StringTable& t) {
         for (auto& [id, s] : t)
             if (id <= 273 && s.rfind("\"13,2,", 0) == 0) s = "\"13,2,4,5,6,99,\"";
     },
     "falls through frames"},
    {"hull falling past its five frames", 0,
     [](StringTable& t) {
         for (auto& [id, s] : t)
             if (id <= 273 && s.rfind("\"24,2,", 0) == 0) s = "\"24,2,3,4,5,5,99,\"";
     },
     "type 24 falls"},
    {"death path too short for a loop", 0, [](StringTable& t) { t[282] = "\"2,0,0,2,0,0,2,99,99,0,\""; },
     "death path 2"},
    {"path chaining to a missing path", 0, [](StringTable& t) { Edit(t, 291, "99,99,-4,\"$", "99,99,-200,\""); },
     "chains to path 200"},
    {"spawned row on path 0", 0, [](StringTable& t) { InsertAfterHeader(t, 1, "30,100,1,0,"); }, "path 0 is not loaded"},
    {"spawned type 39", 0, [](StringTable& t) { InsertAfterHeader(t, 1, "30,100,39,4,"); }, "spawns type 39"},
    {"delay 0", 0, [](StringTable& t) { InsertAfterHeader(t, 2, "0,100,1,4,"); }, "never comes"},
    {"delay 99 before the end", 0, [](StringTable& t) { InsertAfterHeader(t, 2, "99,100,1,4,"); }, "ends early"},
    {"more than 451 groups", 1,
     [](StringTable& t) {
         for (int i = 0; i < 8; ++i) InsertAfterHeader(t, 10, "30,100,1,4,");
     },
     "more than the 451"},
    {"anchor missing", 1, [](StringTable& t) { t[543] = "\"100,0,13,44\""; }, "anchor does not occur"},
    {"anchor inside a group", 1, [](StringTable& t) { t[549] = "\"55,46,140\""; }, "not at a group boundary"},
    {"inserted groups without the trailing comma", 1, [](StringTable& t) { t[561] = "\"50,120,9,20\""; },
     "do not end with a comma"},
    {"anchor before the first boss", 0, [](StringTable& t) { InsertAfterHeader(t, 3, "100,0,13,43,"); },
     "lies before the first boss"},
    {"first boss in group 1", 0, [](StringTable& t) { InsertAfterHeader(t, 1, "30,100,9,20,"); },
     "before group 3"},
    {"too few bosses for the targets", 0, [](StringTable& t) { Edit(t, 474, ",310,16,64,", ",310,15,64,"); },
     "can never meet"},
    {"a stage with a boss too many", 0, [](StringTable& t) { InsertAfterHeader(t, 11, "30,100,9,20,"); },
     "exactly its count"},
    {"shielded boss without its generator", 0, [](StringTable& t) { Edit(t, 479, ",160,47,141,", ",160,42,141,"); },
     "shield generator"},
    {"guard where no voice clip b is loaded", 0, [](StringTable& t) { InsertAfterHeader(t, 1, "30,100,37,4,"); },
     "no voice clip b"},
    {"parked boss stage that moves", 0, [](StringTable& t) { t[450] = "\"170,0,1,1,99,99,0,\""; },
     "parked boss stage moves"},
    {"three-stage boss that leaves", 0, [](StringTable& t) { t[443] = "\"163,7,0,1,99,99,0,\""; },
     "leaves the area before it is shot"},
    {"fortress that sails away", 0, [](StringTable& t) { t[453] = "\"173,5,0,1,99,99,0,\""; },
     "type 24 leaves"},
    {"level-start object that leaves", 0, [](StringTable& t) { t[359] = "\"79,5,0,5,99,99,0,\""; },
     "level-start object leaves"},
    {"level-start object out of reach", 0, [](StringTable& t) { t[359] = "\"79,0,0,5,-1,0,5,99,99,0,\""; },
     "out of the player's reach"},
    {"empty random type pool", 0, [](StringTable& t) { t[495] = "\"5,99,\""; }, "0 plane types"},
    {"random type without a path list", 0, [](StringTable& t) { Edit(t, 492, "^\"2,", "\"2,9,"); },
     "type 9 has no path list"},
    {"random path list of 13", 0,
     [](StringTable& t) { t[501] = "\"1,4,4,4,4,4,4,4,4,4,4,4,4,4,99,\""; }, "out of table bounds"},
    {"random pickups without the extra life last", 0, [](StringTable& t) { t[532] = "\"2,58,62,57,99,\""; },
     "must be the last"},
    {"random pickups of only the extra life", 0, [](StringTable& t) { t[533] = "\"3,62,99,\""; }, "1 pickups"},
    {"random pickup that is a plane", 0, [](StringTable& t) { t[534] = "\"4,40,62,99,\""; },
     "not a pickup type"},
    {"mine in a manoeuvre", 0, [](StringTable& t) { t[364] = "\"84,3,0,10,99,99,0,\""; },
     "type 41 flies manoeuvre"},
    {"too many objects at once", 0,
     [](StringTable& t) {
         for (int i = 0; i < 20; ++i) InsertAfterHeader(t, 1, "1,100,1,3,");
     },
     "objects alive at once"},
    {"something waiting at a parked stage's height", 0,
     [](StringTable& t) { InsertAfterHeader(t, 10, "30,-138,42,4,"); }, "height of a parked boss stage"},
    {"level 4 boss from the bottom before the voice cue", 0,
     [](StringTable& t) { Edit(t, 474, ",310,16,64,", ",311,16,64,"); }, "comes before the one at y 310"},
};

INSTANTIATE_TEST_SUITE_P(Rules, GameDataValidatorBroken, testing::ValuesIn(kBroken),
                         [](const testing::TestParamInfo<BrokenCase>& p) {
                             std::string n = p.param.Rule;
                             for (auto& ch : n)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return n;
                         });
