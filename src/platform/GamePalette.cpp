#include "platform/GamePalette.h"

namespace gorb {

namespace {
std::array<PaletteColor, 256> BuildPalette() {
    std::array<PaletteColor, 256> p{};
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p[36 * r + 6 * g + b] = {uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)};
    p[36 * 5 + 5] = {238, 0, 238};  // keep the key colour unique
    for (int i = 0; i < 39; ++i) {
        uint8_t v = uint8_t(6 + i * 6);
        p[216 + i] = {v, v, v};
    }
    p[kKeyIndex] = kKeyColor;
    return p;
}
}  // namespace

const std::array<PaletteColor, 256>& GamePalette() {
    static const std::array<PaletteColor, 256> palette = BuildPalette();
    return palette;
}

uint8_t NearestPaletteIndex(uint8_t r, uint8_t g, uint8_t b) {
    if (r == kKeyColor.r && g == kKeyColor.g && b == kKeyColor.b) return kKeyIndex;
    const auto& p = GamePalette();
    int best = 0;
    long bestD = -1;
    for (int i = 0; i < kKeyIndex; ++i) {
        long dr = long(p[i].r) - r, dg = long(p[i].g) - g, db = long(p[i].b) - b;
        long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
        if (bestD < 0 || d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

}  // namespace gorb
