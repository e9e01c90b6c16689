#include "data/GameDataLoader.h"

#include <stdexcept>
#include <string_view>

#include "platform/PlatformError.h"

namespace gorb {

namespace {

// Unwinds the load after the stop hooks have run and the unload hook returned.
struct DataStopped {};

[[noreturn]] void Stop(const std::string& text, const DataStopHooks& hooks) {
    if (hooks.MessageBox) hooks.MessageBox(text);
    if (hooks.ReleaseSounds) hooks.ReleaseSounds();
    if (hooks.UnloadMainForm) hooks.UnloadMainForm();
    throw DataStopped{};
}

std::string Start(const std::string& text) { return text.substr(0, 10); }

// Every stop about one entry names its first ten characters and where reading stood, like the
// game's own message for a missing comma.
[[noreturn]] void StopAt(const char* what, const std::string& text, Long pos, const DataStopHooks& hooks) {
    Stop(std::string("Error:  ") + what + " in string starting with:  " + Start(text) +
             " after comma pos:  " + std::to_string(pos),
         hooks);
}

// A decimal Integer, optionally negative, and nothing else. 0 = ok, 1 = not a number,
// 2 = outside 16 bits.
int ParseInteger(std::string_view s, Integer& out) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && s[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == s.size()) return 1;
    long value = 0;
    bool tooBig = false;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return 1;
        if (!tooBig) {
            value = value * 10 + (s[i] - '0');
            if (value > 32768) tooBig = true;
        }
    }
    if (negative) value = -value;
    if (tooBig || value < INT16_MIN || value > INT16_MAX) return 2;
    out = static_cast<Integer>(value);
    return 0;
}

void ReadField(const std::string& text, Long& commaPos, Long& pos, Integer& field, const DataStopHooks& hooks) {
    size_t found = pos < 0 ? std::string::npos : text.find(',', static_cast<size_t>(pos));
    commaPos = found == std::string::npos ? 0 : static_cast<Long>(found + 1);
    if (commaPos == 0) StopAt("Expected Comma not found", text, pos, hooks);
    std::string_view digits(text.data() + pos, static_cast<size_t>(commaPos - pos - 1));
    switch (ParseInteger(digits, field)) {
        case 1: StopAt("Expected Number not found", text, pos, hooks);
        case 2: StopAt("Number out of range", text, pos, hooks);
        default: break;
    }
    pos = commaPos;
}

// A header or value outside the table it indexes (or will index when the game uses it).
void Check(bool inBounds, const std::string& text, Long pos, const DataStopHooks& hooks) {
    if (!inBounds) StopAt("Value out of table bounds", text, pos, hooks);
}

bool Within(long v, long lo, long hi) { return v >= lo && v <= hi; }

void Parse(const std::string& text, int rangeNo, int groupWidth, TypeTables& types, GameData& data,
           const DataStopHooks& hooks) {
    static constexpr int kWidth[7] = {0, 1, 3, 4, 1, 1, 1};
    if (rangeNo < 1 || rangeNo > 6 || groupWidth != kWidth[rangeNo])
        throw std::invalid_argument("ParseDataString: no such range and group width");

    Long pos = 0, commaPos = 0;
    Integer h1 = 0, h2 = 0;
    ReadField(text, commaPos, pos, h1, hooks);
    if (rangeNo == 1) ReadField(text, commaPos, pos, h2, hooks);
    switch (rangeNo) {
        case 1: Check(Within(h1, 0, 63) && Within(h2, 0, 35), text, pos, hooks); break;
        case 2: Check(Within(h1, 0, 200), text, pos, hooks); break;
        case 3: Check(Within(h1, 0, 13), text, pos, hooks); break;
        case 5: Check(Within(h1, 0, 100), text, pos, hooks); break;
        default: Check(Within(h1, 0, 11), text, pos, hooks); break;
    }

    int k = rangeNo == 3 ? -1 : 0;
    bool end = false;
    while (!end) {
        Integer f[4] = {0, 0, 0, 0};
        for (int i = 0; i < groupWidth; ++i) ReadField(text, commaPos, pos, f[i], hooks);
        ++k;
        // The random game's pools: entries 1.. of row h1 until the 99, which sets the count.
        auto addToPool = [&](auto& pool, auto& count, long maxValue) {
            if (f[0] == 99) {
                count[h1] = static_cast<Integer>(k - 1);
            } else {
                Check(k < static_cast<int>(pool[h1].size()) && Within(f[0], 0, maxValue), text, pos, hooks);
                pool[h1][k] = f[0];
            }
        };
        switch (rangeNo) {
            case 1:
                Check(k <= 40, text, pos, hooks);
                types.PlaneTypes[h1].Anim[h2][k] = f[0];
                break;
            case 2:
                // A step's animation indexes Anim; the end step's may chain to path -N.
                Check(k <= 100 && (f[0] == 99 ? Within(f[2], -200, 35) : Within(f[2], 0, 35)), text, pos,
                      hooks);
                data.PathTable[k][path_row::DX][h1] = f[0];
                data.PathTable[k][path_row::DY][h1] = f[1];
                data.PathTable[k][path_row::Anim][h1] = f[2];
                break;
            case 3: {
                Integer type = f[2];
                if (type >= 87 && type <= 98) type = static_cast<Integer>(type - 35);  // pickups 52..63
                Check(k <= 450 && (Within(type, 0, 63) || type == 99) && Within(f[3], 0, 200), text, pos, hooks);
                data.LevelScript[script_part::Delay][h1][k] = f[0];
                data.LevelScript[script_part::Y][h1][k] = f[1];
                data.LevelScript[script_part::Type][h1][k] = type;
                data.LevelScript[script_part::Path][h1][k] = f[3];
                // Only while still 0, so the first load of the run decides it.
                if (h1 < 11 && type < 99 && types.PlaneTypes[type].IsBoss == True && data.BossStep[h1] == 0)
                    data.BossStep[h1] = static_cast<Integer>(k - 1);
                break;
            }
            case 4: addToPool(data.LevelTypePool, data.LevelTypePoolCount, 63); break;
            case 5: addToPool(data.TypePathPool, data.TypePathPoolCount, 200); break;
            case 6: addToPool(data.LevelPickupPool, data.LevelPickupPoolCount, 63); break;
        }
        if (f[0] == 99) end = true;
    }
}

// The entry without its first and last character (its quotes).
std::string Unquoted(int id, const StringSource& strings, const DataStopHooks& hooks) {
    std::string s;
    try {
        s = strings(id);
    } catch (const PlatformError&) {
        Stop("Error:  Expected String not found with id:  " + std::to_string(id), hooks);
    }
    return s.size() < 2 ? std::string() : s.substr(1, s.size() - 2);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Harder boss difficulty: the level's extra groups go in just before the first occurrence of
// its anchor, and its extra mission targets are added.
void Splice(std::string& s, GameData& data, const StringSource& strings, const DataStopHooks& hooks) {
    int level = -1;
    if (s.size() >= 2 && IsDigit(s[0]) && IsDigit(s[1]))
        level = (s[0] - '0') * 10 + (s[1] - '0');
    else if (!s.empty() && IsDigit(s[0]))
        level = s[0] - '0';
    if (!Within(level, 1, 13))
        Stop("Error:  Expected Level not found in string starting with:  " + Start(s), hooks);

    std::string anchor = Unquoted(kAnchorIdBase + level, strings, hooks);
    std::string groups = Unquoted(kSpliceIdBase + level, strings, hooks);
    std::string extra = Unquoted(kExtraTargetsIdBase + level, strings, hooks);

    size_t p = anchor.empty() ? std::string::npos : s.find(anchor);
    if (p == std::string::npos)
        Stop("Error:  Expected Anchor not found in string starting with:  " + Start(s) +
                 " for level:  " + std::to_string(level),
             hooks);
    s.insert(p, groups);

    Integer add = 0;
    switch (ParseInteger(extra, add)) {
        case 1: Stop("Error:  Expected Number not found in string starting with:  " + Start(extra), hooks);
        case 2: Stop("Error:  Number out of range in string starting with:  " + Start(extra), hooks);
        default: break;
    }
    long sum = static_cast<long>(data.MissionTargets[level]) + add;
    if (!Within(sum, INT16_MIN, INT16_MAX))
        Stop("Error:  Number out of range in string starting with:  " + Start(extra), hooks);
    data.MissionTargets[level] = static_cast<Integer>(sum);
}

void CopyAnim(PlaneRecord& to, const PlaneRecord& from) {
    for (int a = 1; a <= 30; ++a)
        for (int t = 1; t <= 30; ++t) to.Anim[a][t] = from.Anim[a][t];
}

void Load(TypeTables& types, GameData& data, Integer bossDifficulty, const StringSource& strings,
          const DataStopHooks& hooks) {
    static constexpr Integer kMissionTargets[14] = {0, 1, 1, 1, 3, 3, 4, 1, 3, 3, 3, 5, 4, 8};
    for (int level = 1; level <= 13; ++level) data.MissionTargets[level] = kMissionTargets[level];

    for (int range = 1; range <= 6; ++range) {
        const DataRange& r = kDataRanges[range - 1];
        for (int id = r.FirstId; id <= r.LastId; ++id) {
            std::string s = Unquoted(id, strings, hooks);
            if (range == 3 && bossDifficulty == kBossDifficultyHard) Splice(s, data, strings, hooks);
            Parse(s, range, r.GroupWidth, types, data, hooks);
        }
    }

    auto& planes = types.PlaneTypes;
    // Pickups and type 41 show their animation 1 whatever animation their path names.
    for (int type : {52, 41})
        for (int a = 4; a <= 30; ++a)
            for (int t = 1; t <= 30; ++t) planes[type].Anim[a][t] = planes[type].Anim[1][t];

    // Types that share another type's frames; in this order (18 copies 9 after 9 has type 1's).
    static constexpr struct {
        int To, From;
    } kCopies[] = {{2, 1},   {3, 1},   {4, 1},   {6, 5},   {7, 5},   {9, 1},   {10, 1},  {11, 1},
                   {14, 13}, {17, 5},  {18, 9},  {21, 1},  {23, 12}, {25, 24}, {34, 19}, {36, 13},
                   {37, 1},  {38, 13}, {40, 13}, {45, 15}, {48, 42}, {49, 42}, {50, 42}, {51, 42}};
    for (auto c : kCopies) CopyAnim(planes[c.To], planes[c.From]);
    for (int type = 53; type <= 63; ++type) CopyAnim(planes[type], planes[52]);
}

}  // namespace

bool ReadNextField(const std::string& text, Long& commaPos, Long& pos, Integer& field,
                   const DataStopHooks& hooks) {
    try {
        ReadField(text, commaPos, pos, field, hooks);
        return true;
    } catch (const DataStopped&) {
        return false;
    }
}

bool ParseDataString(const std::string& text, int rangeNo, int groupWidth, TypeTables& types, GameData& data,
                     const DataStopHooks& hooks) {
    try {
        Parse(text, rangeNo, groupWidth, types, data, hooks);
        return true;
    } catch (const DataStopped&) {
        return false;
    }
}

bool LoadGameData(TypeTables& types, GameData& data, Integer bossDifficulty, const StringSource& strings,
                  const DataStopHooks& hooks) {
    try {
        Load(types, data, bossDifficulty, strings, hooks);
        return true;
    } catch (const DataStopped&) {
        return false;
    }
}

}  // namespace gorb
