#pragma once
// Wave files built in memory, for sound tests that must not depend on the program's embedded
// resources.
#include <cstdint>
#include <vector>

namespace gorb::testing {

// A RIFF WAVE image, PCM mono, from 16-bit sample values (8-bit waves store v / 256 + 128).
inline std::vector<uint8_t> MakeWav(const std::vector<int16_t>& samples, int bits, int rate) {
    std::vector<uint8_t> out;
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i))); };
    auto u16 = [&](uint16_t v) { out.push_back(uint8_t(v)); out.push_back(uint8_t(v >> 8)); };
    auto tag = [&](const char* t) { out.insert(out.end(), t, t + 4); };
    const uint32_t bytes = uint32_t(samples.size() * (bits / 8));
    tag("RIFF"); u32(36 + bytes); tag("WAVE");
    tag("fmt "); u32(16); u16(1); u16(1); u32(rate); u32(rate * bits / 8); u16(uint16_t(bits / 8)); u16(uint16_t(bits));
    tag("data"); u32(bytes);
    for (int16_t s : samples) {
        if (bits == 8) out.push_back(uint8_t(s / 256 + 128));
        else u16(uint16_t(s));
    }
    if (out.size() % 2) out.push_back(0);
    return out;
}

}  // namespace gorb::testing
