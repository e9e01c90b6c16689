// Feeds arbitrary entries to the game-data parser: the first byte picks the range, the rest is
// the entry's text. Bad data must end in the stop hooks, never in a read or write outside a table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "data/GameDataLoader.h"
#include "data/TypeTemplates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gorb;
    static const int kWidth[6] = {1, 3, 4, 1, 1, 1};
    // Each input starts from freshly filled type tables and empty game data, so that a crash
    // reproduces from its one file: the parser writes into both. They are reset in place
    // rather than allocated anew, which would map and fault in 400 KB for every input.
    static const auto pristine = [] {
        auto t = std::make_unique<TypeTables>();
        InitPlaneTypes(*t);
        InitBulletTypes(*t);
        InitEffectTypes(*t);
        return t;
    }();
    static const auto empty = std::make_unique<GameData>();
    static auto types = std::make_unique<TypeTables>();
    static auto tables = std::make_unique<GameData>();
    if (size == 0) return 0;
    *types = *pristine;
    *tables = *empty;
    int range = data[0] % 6 + 1;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    bool stopped = false;
    DataStopHooks hooks{[&](const std::string& box) {
                            if (box.rfind("Error:  ", 0) != 0) std::abort();
                        },
                        [] {}, [&] { stopped = true; }};
    bool ok = ParseDataString(text, range, kWidth[range - 1], *types, *tables, hooks);
    if (ok == stopped) std::abort();  // exactly one of: loaded, or stopped through the hooks
    return 0;
}
