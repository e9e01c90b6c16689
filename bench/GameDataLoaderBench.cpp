#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "data/GameDataLoader.h"
#include "data/TypeTemplates.h"

// The whole game data is parsed at every game start, between the Begin click and the first
// frame. A string table of the shipped size: 173 animations of 12 frames, 174 paths of 30
// steps, 13 scripts of 400 groups, and the pools.
static std::map<int, std::string> ShippedSizeTable() {
    std::map<int, std::string> t;
    auto q = [](const std::string& s) { return "\"" + s + "\""; };
    for (int id = 101; id <= 273; ++id) {
        std::string s = std::to_string(id % 52 + 1) + "," + std::to_string(id % 30 + 1) + ",";
        for (int f = 1; f <= 12; ++f) s += std::to_string(f) + ",";
        t[id] = q(s + "99,");
    }
    for (int id = 281; id <= 454; ++id) {
        std::string s = std::to_string(id - 280) + ",";
        for (int step = 1; step <= 30; ++step) s += "7,-1,1,";
        t[id] = q(s + "99,99,1,");
    }
    const char* anchors[14] = {"",           "99,99,99,99",    "99,99,99,99",  "100,0,13,43",   "99,99,99,99",
                               "100,200,9,20", "400,163,30,102", "200,-10,35,109", "1,78,37,118", "9,55,46,140",
                               "5,-20,49,162", "200,10,19,83",  "100,-40,88,139", "9,54,46,140"};
    for (int level = 1; level <= 13; ++level) {
        std::string s = std::to_string(level) + ",10,0,0,0,";
        for (int g = 0; g < 400; ++g) s += "30,100,1,1,";
        if (std::string(anchors[level]) != "99,99,99,99") s += std::string(anchors[level]) + ",";
        t[470 + level] = q(s + "99,99,99,99,");
        t[540 + level] = q(anchors[level]);
        t[560 + level] = q("50,120,9,20,");
        t[580 + level] = q("1");
    }
    for (int id = 491; id <= 500; ++id) t[id] = q(std::to_string(id - 490) + ",1,1,2,2,5,5,6,6,7,99,");
    for (int id = 501; id <= 524; ++id) t[id] = q(std::to_string(id - 500) + ",1,2,3,4,5,99,");
    for (int id = 531; id <= 540; ++id) t[id] = q(std::to_string(id - 530) + ",56,56,58,57,62,99,");
    return t;
}

static void BM_LoadGameData(benchmark::State& state) {
    auto strings = ShippedSizeTable();
    gorb::StringSource source = [&](int id) { return strings.at(id); };
    auto types = std::make_unique<gorb::TypeTables>();
    gorb::InitPlaneTypes(*types);
    auto data = std::make_unique<gorb::GameData>();
    gorb::DataStopHooks hooks{};
    for (auto _ : state) {
        bool ok = gorb::LoadGameData(*types, *data, static_cast<gorb::Integer>(state.range(0)), source, hooks);
        if (!ok) state.SkipWithError("load stopped");
        benchmark::DoNotOptimize(data->LevelScript[0][1][1]);
    }
}
BENCHMARK(BM_LoadGameData)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
