#include "platform/Arithmetic.h"

#include <chrono>

namespace gorb {

namespace {
// A 24-bit linear congruential generator, the classic shape of a BASIC-style Rnd.
uint32_t g_seed = 0x50000;
}

double Rnd() {
    g_seed = (g_seed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return static_cast<double>(g_seed) / 16777216.0;
}

void Randomize() {
    auto now = std::chrono::system_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    g_seed = static_cast<uint32_t>(ms % 86400000) & 0xFFFFFFu;
}

void RandomizeWith(uint32_t seed) { g_seed = seed & 0xFFFFFFu; }

}  // namespace gorb
